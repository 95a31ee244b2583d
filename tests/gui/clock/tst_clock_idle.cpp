// What keeps the clock cheap to run all day: repaints limited to what changed, a strip that moves
// without repainting the window behind it, steady ticks that touch nothing, a report of what it shows
// only when asked for.
#include "gui/clock/ClockFace.h"
#include "gui/clock/StateReport.h"
#include "gui/clock/StripMover.h"
#include "gui/platform/LocalText.h"
#include "gui/platform/Transparency.h"
#include "support/ClockWindowRig.h"
#include "support/QtTestRegistry.h"

#include <QFile>
#include <QPaintEvent>
#include <QtTest>

using namespace tavrola;
using tavrola::testing::ClockWindowRig;

namespace {

// Records what a widget is asked to repaint and how often its font or palette changes.
class EventLog : public QObject {
public:
    explicit EventLog(QWidget* w) { w->installEventFilter(this); }
    QRegion painted;
    int paints = 0;
    int changes = 0;
    void clear() {
        painted = QRegion();
        paints = changes = 0;
    }
    qint64 paintedArea() const {
        qint64 area = 0;
        for (const QRect& r : painted)
            area += qint64(r.width()) * r.height();
        return area;
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(e)->region();
            ++paints;
        }
        changes += e->type() == QEvent::FontChange || e->type() == QEvent::PaletteChange ? 1 : 0;
        return false;
    }
};

// The fade-in over, the window repaints only what changes.
void settle(const ClockWindowRig& rig) {
    const auto* fader = rig.window->findChild<WindowFader*>();
    QTRY_VERIFY(!fader || !fader->isRunning());
    QTest::qWait(150);
}

QString valueOf(const QString& report, const QString& key) {
    for (const QString& line : report.split('\n'))
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1);
    return "<missing>";
}

} // namespace

class TestClockIdle : public QObject {
    Q_OBJECT
private slots:
    void steadyTicksTouchNothingAndANewSecondOnlyItsDigits() {
        ClockWindowRig rig;
        rig.load();
        EventLog time(rig.find("cmdZohor"));
        EventLog title(rig.find("txtWEBTAJUK"));
        EventLog clock(rig.find("TextTimeReal"));
        settle(rig);
        time.clear();
        title.clear();
        rig.tick(); // the same second again, the titles read again
        rig.readTitles();
        rig.readTitles();
        QTest::qWait(30);
        QCOMPARE(time.paints + time.changes + title.paints + title.changes, 0);

        rig.set("TAJUK-01", "TITLE01", "Surau An-Nur"); // a new title still shows at the next read
        rig.readTitles();
        QTRY_VERIFY(title.paints > 0);
        clock.clear();
        rig.setTime(13, 10, 6);
        rig.tick();
        QTRY_VERIFY(clock.paints > 0);
        QVERIFY(clock.painted.boundingRect().width() < rig.find("TextTimeReal")->width() / 4);
        QVERIFY(static_cast<ClockFace*>(rig.find("TextTimeReal"))->changedRect("12:00:00", "1:00:00").isValid());
    }

    void stripMovesWithoutRepaintingTheWindowBehind() {
        ClockWindowRig rig;
        rig.set("WSOLAT_JAM", "SKROL", "ON");
        rig.load();
        auto* mover = rig.window->findChild<StripMover*>();
        QWidget* strip = rig.find("picHolder");
        mover->tmrScroll->stop();
        while (strip->x() > 300)
            mover->tmrScroll_Timer();
        settle(rig);
        EventLog window(rig.window.get());
        EventLog holder(strip);
        for (int i = 0; i < 5; ++i) {
            mover->tmrScroll_Timer();
            QCoreApplication::processEvents();
        }
        QTest::qWait(30);
        // Five steps uncover a narrow band at the strip's right end; the strip is shifted, not repainted.
        const qint64 band = qint64(strip->width()) * strip->height();
        QVERIFY2(window.paintedArea() < band / 20, qPrintable(QString::number(window.paintedArea())));
        QVERIFY2(holder.paintedArea() < band / 20, qPrintable(QString::number(holder.paintedArea())));
    }

    void stateReportFollowsEachTickOnlyWhenAsked() {
        ClockWindowRig rig;
        qunsetenv("TAVROLA_STATE_FILE");
        QVERIFY(!StateReport::fromEnvironment(*rig.window, rig.clock, rig.folder.databaseFile()));
        const QString file = pathToQt(rig.dir / "state.txt");
        qputenv("TAVROLA_STATE_FILE", file.toLocal8Bit());
        const auto report = StateReport::fromEnvironment(*rig.window, rig.clock, rig.folder.databaseFile());
        qunsetenv("TAVROLA_STATE_FILE");
        QVERIFY(report);
        rig.setTime(0, 0, 1, {2027, 1, 1});
        rig.load();
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QCOMPARE(valueOf(text, "NOW"), QString("2027-01-01 00:00:01"));
        QCOMPARE(valueOf(text, "TIME"), rig.text("TextTimeReal"));
        QVERIFY(valueOf(text, "DATE").contains("01 Januari 2027"));
        QCOMPARE(valueOf(text, "CACHE_MONTH"), QString("122026"));
        QCOMPARE(valueOf(text, "TICKS"), QString("1"));
        report->noteAnnouncement("It is now, time for Isha Prayer.");
        rig.tick();
        f.close();
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString later = QString::fromUtf8(f.readAll());
        QCOMPARE(valueOf(later, "ANNOUNCED"), QString("It is now, time for Isha Prayer."));
        QCOMPARE(valueOf(later, "TICKS"), QString("2"));
    }
};

TAVROLA_QTEST(TestClockIdle)
#include "tst_clock_idle.moc"
