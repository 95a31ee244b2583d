// The clock window scales as a whole: at every monitor size its titles, place name and logo take the
// places and sizes of the 1920 x 1080 design scaled, the titles' fitting included.
#include "support/ClockWindowRig.h"
#include "support/QtTestRegistry.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>

using namespace tavrola;
using tavrola::testing::ClockWindowRig;

namespace {

// A clock with long titles and the program's own logo, loaded on a monitor of the given size.
std::unique_ptr<ClockWindowRig> loaded(QSize monitor) {
    auto rig = std::make_unique<ClockWindowRig>("[GAMBAR]\r\nLOGO1=.\\logo\\logo.gif\r\n", monitor);
    rig->set("TAJUK-01", "TITLE01", "Selamat Datang ke Masjid Al-Hidayah");
    rig->set("TAJUK-01", "TITLE02", "Jadual Waktu Solat Kuala Lumpur");
    std::filesystem::create_directories(rig->dir / "logo");
    std::filesystem::copy_file(std::filesystem::path(TAVROLA_PROGRAM_DIR) / "logo" / "logo.gif",
                               rig->dir / "logo" / "logo.gif");
    rig->load();
    return rig;
}

// The titles-and-logo band as the design shows it at 1920 x 1080.
QImage band(const ClockWindowRig& rig) {
    const QSize size = rig.window->size();
    return rig.window->grab(QRect(0, 0, size.width(), size.height() * 250 / 1080))
        .toImage()
        .convertToFormat(QImage::Format_RGB32)
        .scaled(1920, 250, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Root mean square difference of two pictures of the same size, 0 (same) .. 1.
double rmse(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                sum += double(d) * d;
        }
    return std::sqrt(sum / (3.0 * a.width() * a.height())) / 255.0;
}
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
        const auto designRig = loaded({1920, 1080});
        const auto scaledRig = loaded(monitor);
        const ClockWindowRig& design = *designRig;
        const ClockWindowRig& rig = *scaledRig;
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
        // Seen at the design's size, the band looks like the design's, as the rest of the window does
        // (0.05 to 0.12 apart after the resampling, the clock's digits included).
        const double difference = rmse(band(rig), band(design));
        qInfo("titles-and-logo band %dx%d: normalised RMSE %.3f", monitor.width(), monitor.height(), difference);
        if (monitor.width() > monitor.height())
            QVERIFY(difference < 0.12);
    }

    void aTitleEditedAndALogoMovedKeepTheScale() {
        const auto loadedRig = loaded({1280, 720});
        ClockWindowRig& rig = *loadedRig;
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
