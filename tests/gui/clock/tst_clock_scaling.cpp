// The clock window scales as a whole: at every monitor size its titles, place name and logo take the
// places and sizes of the 1920 x 1080 design scaled, the titles' fitting included.
#include "support/ClockWindowRig.h"
#include "support/QtTestRegistry.h"

#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace tavrola;
using tavrola::testing::ClockWindowRig;

namespace {

const std::string kTitles = "[TAJUK-01]\r\nTITLE01=Selamat Datang ke Masjid Al-Hidayah\r\n"
                            "TITLE02=Jadual Waktu Solat Kuala Lumpur\r\n";
const char* const kBand[] = {"txtWEBTAJUK", "txtWEBTAJUK2", "Tajuk_tempat", "ucAniGIF1"};

// Where a control of the window is, as fractions of the window, and how wide its text runs.
struct Seen {
    QRectF place;
    double textWidth = 0; // fraction of the window's width
    double fontScale = 0; // the font's size over the design size of the same control
};

Seen seen(const ClockWindowRig& rig, const char* name, double designFont) {
    const QWidget* w = rig.find(name);
    const QSizeF window = rig.window->size();
    Seen s;
    s.place = QRectF(w->x() / window.width(), w->y() / window.height(), w->width() / window.width(),
                     w->height() / window.height());
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        s.textWidth = QFontMetricsF(label->font()).horizontalAdvance(label->text()) / window.width();
        const QFont f = label->font();
        s.fontScale = (f.pointSizeF() > 0 ? f.pointSizeF() : f.pixelSize()) / designFont;
    }
    return s;
}

} // namespace

class TestClockScaling : public QObject {
    Q_OBJECT
private slots:
    void titlesPlaceAndLogoScaleLikeTheRest_data() {
        QTest::addColumn<QSize>("monitor");
        QTest::newRow("1280x720") << QSize(1280, 720);
        QTest::newRow("3840x2160") << QSize(3840, 2160);
        QTest::newRow("portrait 1080x1920") << QSize(1080, 1920);
    }
    void titlesPlaceAndLogoScaleLikeTheRest() {
        QFETCH(QSize, monitor);
        ClockWindowRig design(kTitles);
        design.load();
        ClockWindowRig rig(kTitles, monitor);
        rig.load();
        QCOMPARE(rig.window->size(), monitor);
        const double fontScale = std::min(monitor.width() / 1920.0, monitor.height() / 1080.0);
        for (const char* name : kBand) {
            const double designFont = design.find(name)->font().pointSizeF() > 0
                                          ? design.find(name)->font().pointSizeF()
                                          : design.find(name)->font().pixelSize();
            const Seen want = seen(design, name, designFont);
            const Seen got = seen(rig, name, designFont);
            // Places within a pixel or two of the design's, in fractions of the window.
            const double dx = 2.0 / monitor.width(), dy = 2.0 / monitor.height();
            QVERIFY2(std::abs(got.place.x() - want.place.x()) <= dx &&
                         std::abs(got.place.y() - want.place.y()) <= dy &&
                         std::abs(got.place.width() - want.place.width()) <= dx &&
                         std::abs(got.place.height() - want.place.height()) <= dy,
                     name);
            if (got.textWidth == 0)
                continue;
            // Text as large as the design's scaled by the smaller factor (fitted titles included),
            // so it runs across the same share of a landscape window.
            const double ratio = got.fontScale / (want.fontScale * fontScale);
            qInfo("%s %dx%d: font %.3f of the scaled design, text %.4f of the width (design %.4f)", name,
                  monitor.width(), monitor.height(), ratio, got.textWidth, want.textWidth);
            QVERIFY2(std::abs(ratio - 1) < 0.04, name);
            if (monitor.width() > monitor.height())
                QVERIFY2(std::abs(got.textWidth - want.textWidth) < 0.01, name);
        }
    }

    void aTitleEditedAndALogoMovedKeepTheScale() {
        ClockWindowRig rig(kTitles, {1280, 720});
        rig.load();
        rig.set("TAJUK-01", "TITLE01", "Surau");
        rig.set("TAJUK-01", "TSIZE", "80");
        rig.readTitles();
        QCOMPARE(rig.find("txtWEBTAJUK")->font().pointSizeF(), 80.0 * 1280 / 1920);

        rig.window->setLogoLeftTwips(6000); // 400 pixels into the designed window
        rig.window->setLogoTopTwips(1500);  // 100
        QCOMPARE(rig.find("ucAniGIF1")->pos(), QPoint(267, 67));
        rig.window->resize(3840, 2160);
        QCOMPARE(rig.find("ucAniGIF1")->pos(), QPoint(800, 200));
        QCOMPARE(rig.find("txtWEBTAJUK")->font().pointSizeF(), 160.0);
    }
};

TAVROLA_QTEST(TestClockScaling)
#include "tst_clock_scaling.moc"
