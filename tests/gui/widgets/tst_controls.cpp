// The small controls: what each does with mouse, keys and time, and one panel of all of them laid out.
#include "gui/widgets/CandyButton.h"
#include "gui/widgets/EventWatch.h"
#include "gui/widgets/XP_ProgressBar.h"
#include "gui/widgets/ucFirefoxWait.h"
#include "gui/widgets/ucTimePicker.h"
#include "support/LayoutCheck.h"
#include "support/QtTestRegistry.h"

#include <QEnterEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace tavrola;

namespace {
void hover(QWidget& w) {
    QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&w, &e);
}
} // namespace

class TestControls : public QObject {
    Q_OBJECT
private slots:
    void candyButtonClicksOnlyWhenReleasedOverIt() {
        CandyButton b;
        b.show();
        QSignalSpy click(&b, &CandyButton::Click);
        hover(b);
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::keyClick(&b, Qt::Key_Return);
        QCOMPARE(click.count(), 2);
        // Dragged off before the release: no click, no hover left behind.
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QMouseEvent move(QEvent::MouseMove, QPointF(-4, 10), QPointF(-4, 10), Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&b, &move);
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(-4, 10));
        QVERIFY(!b.isHovered());
        b.setEnabled(false);
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::keyClick(&b, Qt::Key_Return);
        QCOMPARE(click.count(), 2);
    }

    // How typed text is read is TimeText's (core) business; here: the box uses it on leaving.
    void timePickerReadsWhatIsTyped() {
        ucTimePicker p;
        p.setValue(QTime(10, 15, 42));
        QSignalSpy change(&p, &ucTimePicker::Change);
        p.txtTime->clear();
        QTest::keyClicks(p.txtTime, "2a5:70"); // filtered, then clamped
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(p.txtTime, &out);
        QCOMPARE(p.txtTime->text(), QString("23:59"));
        QCOMPARE(p.Value().toString("HH:mm"), QString("23:59"));
        QCOMPARE(change.count(), 1);
    }

    void timePickerPasteStepsAndDisabling() {
        ucTimePicker p;
        p.txtTime->setText("-5/3"); // pasted: read with its own separators
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(p.txtTime, &out);
        QCOMPARE(p.txtTime->text(), QString("00:05"));
        p.txtTime->setText("12 3"); // opening the context menu to paste is not leaving the box
        QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
        QCoreApplication::sendEvent(p.txtTime, &popup);
        QCOMPARE(p.txtTime->text(), QString("12 3"));
        p.setValue(QTime(23, 59, 30));
        p.cmdUp->click();
        QCOMPARE(p.Value(), QTime(0, 0, 30));
        p.cmdDown->click();
        QCOMPARE(p.txtTime->text(), QString("23:59"));
        p.setProperty("Enabled", false);
        p.cmdUp->click();
        QCOMPARE(p.txtTime->text(), QString("23:59"));
    }

    void eventWatchRunsOnItsSideOfTheWidgetsHandling() {
        struct Recorder : QWidget {
            QStringList* log = nullptr;
            void keyPressEvent(QKeyEvent*) override { log->append("own"); }
        };
        QStringList log;
        Recorder w;
        w.log = &log;
        EventWatch watch("Recorder", [&](QEvent*, EventWatch::When when) {
            log.append(when == EventWatch::When::Before ? "before" : "after");
        });
        watch.start(&w);
        watch.addEvent(QEvent::KeyPress, EventWatch::When::Before);
        QTest::keyClick(&w, Qt::Key_A);
        watch.removeEvent(QEvent::KeyPress, EventWatch::When::Before);
        watch.addEvent(QEvent::KeyPress, EventWatch::When::After);
        QTest::keyClick(&w, Qt::Key_A);
        QCOMPARE(log, QStringList({"before", "own", "own", "after"}));
        QVERIFY_THROWS_EXCEPTION(MessageWatchError, watch.start(&w));
        watch.stop();
        QTest::keyClick(&w, Qt::Key_A);
        QCOMPARE(log.size(), 5);
    }

    void panelOfEveryControlLaysOutCleanly() {
        QWidget panel;
        auto* grid = new QGridLayout(&panel);
        auto* picker = new ucTimePicker;
        grid->addWidget(picker, 0, 0);
        for (int look = 0; look < 10; ++look) {
            auto* bar = new XP_ProgressBar;
            bar->setScrolling(look);
            bar->setValue(look * 10);
            bar->setShowText(true);
            grid->addWidget(bar, 1 + look / 2, look % 2);
        }
        for (int style = 0; style < 8; ++style) {
            auto* b = new CandyButton;
            b->setStyle(style);
            b->setCaption(QString("Style %1").arg(style));
            b->setMinimumSize(110, 30);
            grid->addWidget(b, 6 + style / 2, style % 2);
        }
        grid->addWidget(new ucFirefoxWait, 10, 0);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        TAVROLA_VERIFY_LAYOUT(&panel);
        if (const QByteArray out = qgetenv("TAVROLA_PANEL_PNG"); !out.isEmpty())
            QVERIFY(panel.grab().save(QString::fromLocal8Bit(out)));
    }
};

TAVROLA_QTEST(TestControls)
#include "tst_controls.moc"
