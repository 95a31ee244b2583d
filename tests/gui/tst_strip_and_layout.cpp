#include "gui/clock/StripMover.h"
#include "gui/desktop/WidgetLayout.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

#include <cmath>

using tavrola::StripMover;
using tavrola::WidgetLayout;

namespace {

// A plain window standing in for the clock window: 800 x 600 with a strip holding two labels, a title,
// a self-sizing caption and a text box (whose inner parts are Qt's business).
struct Window {
    QWidget window;
    QWidget* picHolder;
    QLabel* time;
    QLabel* name;
    QLabel* title;
    QLabel* caption;
    QPlainTextEdit* text;

    Window() {
        window.setWindowFlags(Qt::FramelessWindowHint);
        window.resize(800, 600);
        picHolder = new QWidget(&window);
        picHolder->setObjectName("picHolder");
        picHolder->setGeometry(0, 400, 600, 100);
        time = new QLabel("00:00", picHolder);
        time->setGeometry(20, 10, 100, 40);
        time->setFont(font(20));
        name = new QLabel("ZOHOR", picHolder);
        name->setGeometry(20, 60, 100, 30);
        name->setFont(font(10));
        title = new QLabel("Title", &window);
        title->setGeometry(200, 20, 400, 60);
        title->setFont(font(24));
        caption = new QLabel("SUBOH", &window);
        caption->setFont(font(12));
        caption->setProperty("autoSize", true);
        caption->resize(caption->sizeHint());
        caption->move(400 - caption->width() / 2, 300 - caption->height() / 2);
        text = new QPlainTextEdit(&window);
        text->setGeometry(600, 500, 100, 50);
    }
    static QFont font(qreal points) {
        QFont f;
        f.setPointSizeF(points);
        return f;
    }
};

QPointF centre(const QWidget* w) {
    return QRectF(w->geometry()).center();
}

} // namespace

class TestStripAndLayout : public QObject {
    Q_OBJECT
private slots:
    void recordsEveryWidgetDepthFirstButNotTheInsidesOfATextBox() {
        Window w;
        WidgetLayout layout;
        layout.RecordLayout(&w.window);
        const auto& t = layout.layout().table();
        // Window, strip, its two labels, title, caption, text box.
        QCOMPARE(t.size(), std::size_t(7));
        QCOMPARE(t[0].Width, 800.0f);
        QCOMPARE(t[2].FontSize, 20.0f);
        QCOMPARE(t[4].FontSize, 24.0f);
    }

    void sizesAndFontsFollowTheWindowAndCentresStay() {
        Window w;
        WidgetLayout layout;
        layout.RecordLayout(&w.window);
        w.window.resize(1600, 1200);
        layout.RescaleLayout(&w.window);
        QCOMPARE(w.title->geometry(), QRect(400, 40, 800, 120));
        QCOMPARE(w.title->font().pointSizeF(), 48.0);
        QCOMPARE(w.picHolder->geometry(), QRect(0, 800, 1200, 200));
        QCOMPARE(w.time->geometry(), QRect(40, 20, 200, 80));
        QCOMPARE(w.name->font().pointSizeF(), 20.0);
        QCOMPARE(w.text->geometry(), QRect(1200, 1000, 200, 100));
        // Width only: heights and fonts as designed.
        w.window.resize(1600, 600);
        layout.RescaleLayout(&w.window);
        QCOMPARE(w.title->geometry(), QRect(400, 20, 800, 60));
        QCOMPARE(w.title->font().pointSizeF(), 24.0);
    }

    void minimisedWindowIsLeftAloneUntilRestored() {
        Window w;
        WidgetLayout layout;
        layout.RecordLayout(&w.window);
        w.window.show();
        w.window.setWindowState(Qt::WindowMinimized);
        w.window.resize(1600, 1200);
        layout.RescaleLayout(&w.window);
        QCOMPARE(w.title->geometry(), QRect(200, 20, 400, 60));
        w.window.setWindowState(Qt::WindowNoState);
        layout.RescaleLayout(&w.window);
        QCOMPARE(w.title->geometry(), QRect(400, 40, 800, 120));
    }

    void selfSizingCaptionIsCentredOnItsOwnSize() {
        Window w;
        WidgetLayout layout;
        const QPointF before = centre(w.caption);
        layout.RecordLayout(&w.window);
        w.window.resize(1600, 1200);
        layout.RescaleLayout(&w.window);
        QCOMPARE(w.caption->font().pointSizeF(), 24.0);
        QCOMPARE(w.caption->size(), w.caption->sizeHint());
        const QPointF after = centre(w.caption);
        QVERIFY2(std::abs(after.x() - 2 * before.x()) <= 1.5, qPrintable(QString::number(after.x())));
        QVERIFY2(std::abs(after.y() - 2 * before.y()) <= 1.5, qPrintable(QString::number(after.y())));
    }

    void deletedWidgetAndZeroSizedWindowAreHarmless() {
        Window w;
        WidgetLayout layout;
        layout.RecordLayout(&w.window);
        delete w.name;
        w.window.resize(0, 0);
        layout.RescaleLayout(&w.window);
        w.window.resize(1600, 1200);
        layout.RescaleLayout(&w.window);
        QCOMPARE(w.time->geometry(), QRect(40, 20, 200, 80));
        // Rescaling a window never recorded does nothing.
        WidgetLayout fresh;
        fresh.RescaleLayout(&w.window);
        fresh.RecordLayout(nullptr);
    }

    void stripIsCentredAndStillWhenOff() {
        Window w;
        StripMover strip(w.picHolder);
        QCOMPARE(strip.tmrScroll->objectName(), QString("tmrScroll"));
        QCOMPARE(strip.tmrScroll->interval(), 10);
        strip.startUp("off");
        QCOMPARE(w.picHolder->x(), 100);
        QCOMPARE(strip.tmrScroll->interval(), 20);
        QVERIFY(!strip.tmrScroll->isActive());
    }

    void stripRunsFromItsOwnWidthFiftyTwipsATickAndReenters() {
        Window w;
        StripMover strip(w.picHolder);
        strip.startUp("");
        QVERIFY(strip.tmrScroll->isActive());
        QCOMPARE(strip.tmrScroll->interval(), 20);
        const int twipsPerPixel = 1440 / w.picHolder->logicalDpiX();
        QCOMPARE(strip.leftTwips(), 600 * twipsPerPixel);
        QCOMPARE(w.picHolder->x(), 600);
        strip.tmrScroll_Timer();
        strip.tmrScroll_Timer();
        strip.tmrScroll_Timer();
        QCOMPARE(strip.leftTwips(), 600 * twipsPerPixel - 150);
        QCOMPARE(w.picHolder->x(), 600 - 150 / twipsPerPixel);
        // Until it is wholly gone to the left; then it comes back at the right edge.
        while (strip.leftTwips() > -600 * twipsPerPixel)
            strip.tmrScroll_Timer();
        strip.tmrScroll_Timer();
        QCOMPARE(strip.leftTwips(), 800 * twipsPerPixel);
        QCOMPARE(w.picHolder->x(), 800);
        // The timer really drives it.
        QTRY_VERIFY(w.picHolder->x() < 790);
    }

    void stripCarriesOnFromWhereAResizePutIt() {
        Window w;
        w.window.show();
        WidgetLayout layout;
        layout.RecordLayout(&w.window);
        StripMover strip(w.picHolder);
        strip.startUp("ON");
        strip.tmrScroll->stop();
        w.window.resize(1600, 1200);
        layout.RescaleLayout(&w.window);
        const int x = w.picHolder->x();
        QCOMPARE(x, 0);
        strip.tmrScroll_Timer();
        strip.tmrScroll_Timer();
        strip.tmrScroll_Timer();
        QCOMPARE(w.picHolder->x(), x - 150 * w.picHolder->logicalDpiX() / 1440);
    }
};

QTEST_MAIN(TestStripAndLayout)
#include "tst_strip_and_layout.moc"
