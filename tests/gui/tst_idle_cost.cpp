// What keeps the clock cheap to run all day: repaints limited to what changed, a strip that moves
// without repainting the window behind it, steady ticks that touch nothing, hidden animations that
// sleep.
#include "core/widgets/GifEncoder.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeScreens.h"
#include "fakes/FakeSpeech.h"
#include "fakes/TestDatabase.h"
#include "gui/clock/ClockFace.h"
#include "gui/clock/StripMover.h"
#include "gui/clock/Velmora.h"
#include "gui/platform/LocalText.h"
#include "gui/widgets/ucAniGIF.h"

#include <QLabel>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace tavrola;

namespace {

// Records what a widget is asked to repaint and which other events it sees.
class EventLog : public QObject {
public:
    explicit EventLog(QWidget* w) { w->installEventFilter(this); }
    QRegion painted;
    int paints = 0;
    int fontChanges = 0;
    int paletteChanges = 0;
    void clear() {
        painted = QRegion();
        paints = fontChanges = paletteChanges = 0;
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
        } else if (e->type() == QEvent::FontChange) {
            ++fontChanges;
        } else if (e->type() == QEvent::PaletteChange) {
            ++paletteChanges;
        }
        return false;
    }
};

QByteArray threeFrameGif() {
    GifEncoder enc(4, 4);
    enc.setGlobalPalette({{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}});
    enc.setLoopCount(0);
    for (std::uint8_t colour = 1; colour <= 3; ++colour) {
        GifEncoderFrame f;
        f.width = 4;
        f.height = 4;
        f.delay = 2; // 20 ms
        f.pixels.assign(16, colour);
        enc.addFrame(std::move(f));
    }
    const std::string s = enc.encode();
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

class TestIdleCost : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ProgramFolder> m_folder;
    fakes::FakeClock m_clock;
    fakes::FakeSpeech m_speech;
    fakes::FakeScreens m_screens;

    void writeSettings(const std::string& title) {
        QVERIFY(fakes::writeDatabase(m_folder->settingsFile(),
                                     "[TAJUK-01]\r\nTITLE01=" + title +
                                         "\r\nTSIZE=50\r\nTITLE02=Selamat Datang\r\nFSIZE=30\r\nTEMPAT=Taman\r\n"
                                         "[12-24HRS]\r\nSETJAM=0\r\n[WSOLAT_JAM]\r\nSKROL=ON\r\n"));
    }

    // The clock window as the program shows it: desktop tools attached, loaded and on screen.
    std::unique_ptr<Velmora> shownWindow() {
        auto w = std::make_unique<Velmora>(*m_folder, m_clock, m_speech);
        w->setWindowFlags(Qt::FramelessWindowHint);
        w->attachDesktop(m_screens);
        w->load();
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get()))
            return nullptr;
        return w;
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_folder = std::make_unique<ProgramFolder>(pathFromQt(m_dir->path()));
        writeSettings("Masjid Al-Hidayah");
        QVERIFY(fakes::writeDatabase(m_folder->databaseFile(), fakes::monthText({2026, 12, 1})));
        m_clock.set(DateTime{{2026, 12, 5}, 13, 10, 5, 0});
        m_screens.list.clear();
        m_screens.add("ONE", {0, 0, 1920, 1080}, true);
    }

    void clockRepaintsOnlyTheDigitsThatChange() {
        ClockFace face;
        face.setWindowFlags(Qt::FramelessWindowHint);
        face.resize(900, 200);
        QFont f;
        f.setPixelSize(120);
        face.setFont(f);
        face.setAlignment(Qt::AlignCenter);
        face.setText("12:34:56 pm");
        face.show();
        QVERIFY(QTest::qWaitForWindowExposed(&face));
        QTest::qWait(20);
        EventLog log(&face);

        // One second later: the last digit alone.
        face.showText("12:34:57 pm");
        QTRY_VERIFY(log.paints > 0);
        const QRect seconds = log.painted.boundingRect();
        QVERIFY2(seconds.width() < face.width() / 4, qPrintable(QString::number(seconds.width())));
        QCOMPARE(seconds.height(), face.height());
        QCOMPARE(face.text(), QString("12:34:57 pm"));
        // And the digit itself lies in it: the last two advances before the suffix.
        QVERIFY(face.changedRect("12:34:56 pm", "12:34:57 pm").contains(seconds.center()));

        // The same text again: nothing at all.
        log.clear();
        face.showText("12:34:57 pm");
        QTest::qWait(30);
        QCOMPARE(log.paints, 0);

        // A text of another shape moves everything: the whole face.
        face.showText("1:34:57 pm");
        QTRY_VERIFY(log.paints > 0);
        QCOMPARE(log.painted.boundingRect(), face.rect());
        QCOMPARE(face.changedRect("12:00:00", "1:00:00"), face.rect());
        QVERIFY(face.changedRect("12:00:00", "12:00:00").isEmpty());
    }

    void steadyTickAndTitlesTouchNothing() {
        auto w = shownWindow();
        QVERIFY(w);
        QLabel* zohor = w->timeLabel(Prayer::Zohor);
        EventLog time(zohor);
        EventLog title(w->txtWEBTAJUK);
        EventLog clock(w->TextTimeReal);
        QTest::qWait(20);
        time.clear();
        title.clear();

        // The same second again and the titles read again: no new palette, font or repaint.
        w->onSolatTimer();
        w->onReadINITimer();
        w->onReadINITimer();
        QTest::qWait(30);
        QCOMPARE(time.paletteChanges, 0);
        QCOMPARE(time.paints, 0);
        QCOMPARE(title.fontChanges, 0);
        QCOMPARE(title.paints, 0);

        // A new title is still shown at the next read.
        writeSettings("Surau An-Nur");
        w->onReadINITimer();
        QCOMPARE(w->txtWEBTAJUK->text(), QString("Surau An-Nur"));
        QTRY_VERIFY(title.paints > 0);

        // The next second repaints part of the big clock, not all of it.
        clock.clear();
        m_clock.set(DateTime{{2026, 12, 5}, 13, 10, 6, 0});
        w->onSolatTimer();
        QTRY_VERIFY(clock.paints > 0);
        QVERIFY(clock.painted.boundingRect().width() < w->TextTimeReal->width() / 2);
    }

    void stripMovesWithoutRepaintingTheWindowBehind() {
        auto w = shownWindow();
        QVERIFY(w);
        StripMover* strip = w->stripMover();
        QVERIFY(strip->tmrScroll->isActive());
        strip->tmrScroll->stop();
        QVERIFY(w->picHolder->testAttribute(Qt::WA_OpaquePaintEvent));
        // Bring the strip well into view: it enters from the right edge.
        while (w->picHolder->x() > 300)
            strip->tmrScroll_Timer();
        QTest::qWait(30);

        EventLog window(w.get());
        EventLog holder(w->picHolder);
        for (int i = 0; i < 5; ++i) {
            strip->tmrScroll_Timer();
            QCoreApplication::processEvents();
        }
        QTest::qWait(30);
        // Five steps of a few pixels uncover a narrow band of the window at the strip's right end;
        // the strip itself is shifted, not repainted.
        const qint64 band = qint64(w->picHolder->width()) * w->picHolder->height();
        QVERIFY2(window.paintedArea() < band / 20, qPrintable(QString::number(window.paintedArea())));
        QVERIFY2(holder.paintedArea() < band / 20, qPrintable(QString::number(holder.paintedArea())));
        QVERIFY(window.paintedArea() > 0);

        // Over a picture background the strip is see-through, and the window is repainted under it.
        QPixmap picture(w->size());
        picture.fill(Qt::black);
        w->setBackgroundPicture(picture);
        QVERIFY(!w->picHolder->testAttribute(Qt::WA_OpaquePaintEvent));
        QTest::qWait(30);
        window.clear();
        strip->tmrScroll_Timer();
        QTRY_VERIFY(window.paintedArea() > band / 2);
    }

    void hiddenAnimationSleepsUntilShown() {
        QWidget parent;
        parent.resize(100, 100);
        auto* gif = new ucAniGIF(&parent);
        gif->setGeometry(0, 0, 40, 40);
        QVERIFY(gif->LoadAnimatedGIF_Array(threeFrameGif()));
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QSignalSpy frames(gif, &ucAniGIF::FrameChanged);
        QTRY_VERIFY(frames.count() >= 2); // plays while shown

        gif->hide();
        QTest::qWait(60); // a frame already due may still arrive
        frames.clear();
        const int held = gif->currentFrame();
        QTest::qWait(150);
        QCOMPARE(frames.count(), 0);
        QCOMPARE(gif->currentFrame(), held);

        gif->show();
        QTRY_VERIFY(frames.count() >= 2);
    }

    void framesLookTheSameOnEveryLoop() {
        ucAniGIF gif;
        gif.resize(40, 40);
        gif.setStretch(2);
        gif.setDelayAnimation(2); // stepped by hand
        QVERIFY(gif.LoadAnimatedGIF_Array(threeFrameGif()));
        std::vector<QImage> firstLoop;
        for (int i = 0; i < 3; ++i) {
            firstLoop.push_back(gif.currentImage().copy());
            gif.setAction(3); // next frame
        }
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(gif.currentImage(), firstLoop[static_cast<std::size_t>(i)]);
            gif.setAction(3);
        }
        // A mirrored picture is composed afresh, not taken from before.
        gif.setMirrored(1);
        QCOMPARE(gif.currentImage().size(), firstLoop[0].size());
        QList<QRgb> colours{qRgb(0, 0, 0), qRgb(9, 9, 9), qRgb(9, 9, 9), qRgb(9, 9, 9)};
        QVERIFY(gif.SetPalette(gif.currentFrame(), colours));
        QCOMPARE(QColor(gif.currentImage().pixel(0, 0)), QColor(9, 9, 9));
    }
};

QTEST_MAIN(TestIdleCost)
#include "tst_idle_cost.moc"
