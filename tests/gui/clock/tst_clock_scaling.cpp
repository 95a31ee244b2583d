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

// The titles-and-logo band, seen at the design's size.
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
        for (int x = 0; x < a.width(); ++x)
            for (const int shift : {0, 8, 16}) {
                const int d = int((a.pixel(x, y) >> shift) & 0xff) - int((b.pixel(x, y) >> shift) & 0xff);
                sum += double(d) * d;
            }
    return std::sqrt(sum / (3.0 * a.width() * a.height())) / 255.0;
}

double fontSize(const QWidget* w) {
    return w->font().pointSizeF() > 0 ? w->font().pointSizeF() : w->font().pixelSize();
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
        const auto design = loaded({1920, 1080});
        const auto rig = loaded(monitor);
        QCOMPARE(rig->window->size(), monitor);
        const double sx = monitor.width() / 1920.0, sy = monitor.height() / 1080.0;
        for (const char* name : {"txtWEBTAJUK", "txtWEBTAJUK2", "Tajuk_tempat", "ucAniGIF1"}) {
            const QRect want = design->find(name)->geometry();
            const QRect got = rig->find(name)->geometry();
            // Within two pixels of the design's rectangle scaled.
            QVERIFY2(std::abs(got.x() - want.x() * sx) <= 2 && std::abs(got.y() - want.y() * sy) <= 2 &&
                         std::abs(got.width() - want.width() * sx) <= 2 &&
                         std::abs(got.height() - want.height() * sy) <= 2,
                     name);
            if (!qobject_cast<const QLabel*>(rig->find(name)))
                continue;
            // Text as large as the design's times the smaller factor, fitted titles included.
            const double ratio = fontSize(rig->find(name)) / (fontSize(design->find(name)) * std::min(sx, sy));
            qInfo("%s: font %.3f of the design's scaled", name, ratio);
            QVERIFY2(std::abs(ratio - 1) < 0.04, name);
        }
        // Seen at the design's size, the band looks like the design's, as the rest of the window does
        // (0.05 to 0.12 apart after the resampling, the clock's digits included).
        const double difference = rmse(band(*rig), band(*design));
        qInfo("titles-and-logo band: normalised RMSE %.3f", difference);
        if (monitor.width() > monitor.height())
            QVERIFY(difference < 0.12);
    }

    void aTitleEditedAndALogoMovedKeepTheScale() {
        const auto rig = loaded({1280, 720});
        rig->set("TAJUK-01", "TITLE01", "Surau");
        rig->set("TAJUK-01", "TSIZE", "80");
        rig->readTitles();
        QCOMPARE(rig->find("txtWEBTAJUK")->font().pointSizeF(), 80.0 * 1280 / 1920);

        rig->window->setLogoLeftTwips(6000); // 400 pixels into the designed window
        rig->window->setLogoTopTwips(1500);  // 100
        QCOMPARE(rig->find("ucAniGIF1")->pos(), QPoint(267, 67));
        rig->window->resize(3840, 2160);
        QCOMPARE(rig->find("ucAniGIF1")->pos(), QPoint(800, 200));
        QCOMPARE(rig->find("txtWEBTAJUK")->font().pointSizeF(), 160.0);
    }
};

TAVROLA_QTEST(TestClockScaling)
#include "tst_clock_scaling.moc"
