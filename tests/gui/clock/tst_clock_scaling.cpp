// SPDX-License-Identifier: GPL-3.0-or-later
// The clock window scales as a whole: at every monitor size its titles, place name and logo take the
// places and sizes of the 1920 x 1080 design scaled, the titles' fitting included.
#include "support/ClockWindowRig.h"
#include "support/QtTestRegistry.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
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
            // Text as large as the design's times the smaller factor, fitted titles included.
            if (qobject_cast<const QLabel*>(rig->find(name)))
                QVERIFY2(std::abs(fontSize(rig->find(name)) / (fontSize(design->find(name)) * std::min(sx, sy)) -
                                  1) < 0.04,
                         name);
        }
        // A title edited and the logo moved afterwards keep the scale.
        rig->set("TAJUK-01", "TITLE01", "Surau");
        rig->set("TAJUK-01", "TSIZE", "80");
        rig->readTitles();
        QCOMPARE(rig->find("txtWEBTAJUK")->font().pointSizeF(), 80.0 * std::min(sx, sy));
        rig->window->setLogoLeftTwips(6000); // 400 pixels into the designed window
        rig->window->setLogoTopTwips(1500);  // 100
        QCOMPARE(rig->find("ucAniGIF1")->pos(), QPoint(qRound(400 * sx), qRound(100 * sy)));
    }
};

TAVROLA_QTEST(TestClockScaling)
#include "tst_clock_scaling.moc"
