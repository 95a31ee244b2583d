// SPDX-License-Identifier: GPL-3.0-or-later
// The clock window's wiring: it shows what the core computes, announces each prayer once, decodes
// its logo once, and cuts out black on itself only.
#include "core/clock/HijriCalendar.h"
#include "gui/platform/LocalText.h"
#include "gui/settings/FrmSetting.h"
#include "gui/widgets/ucAniGIF.h"
#include "fakes/FakeDialogs.h"
#include "support/ClockWindowRig.h"
#include "support/QtTestRegistry.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QtTest>

using namespace tavrola;
using tavrola::testing::ClockWindowRig;

namespace {
const QColor kRed(255, 0, 0);
bool shown(const ClockWindowRig& rig, const char* name) {
    return rig.find(name)->isVisibleTo(rig.window.get());
}
} // namespace

class TestClockWindow : public QObject {
    Q_OBJECT
private slots:
    void tickShowsWhatTheCoreComputes() {
        ClockWindowRig rig;
        rig.load();
        QCOMPARE(rig.text("cmdZohor"), QString("1:05 PM"));
        QCOMPARE(rig.text("TextTimeReal"), QString("01:10:05 pm"));
        QCOMPARE(rig.text("comment"), QString("Waktu Asar bemula jam : 4:25 PM dalam masa - 3 jam 15 minit"));
        QCOMPARE(rig.text("tarikh_melayu_caption"), QString("Sabtu, 05 Disember 2026"));
        QCOMPARE(rig.text("TextDateJawi"), QString::fromUtf8(HijriDateText({2026, 12, 4}))); // MASA 1
        QCOMPARE(rig.colour("cmdZohor"), kRed);
        QVERIFY(shown(rig, "sabtu1") && !shown(rig, "ahad1"));

        // Reading the titles never writes the settings file, even one that is not INI.
        rig.writeSettings("[\r\nSETJAM=1\r\n");
        const std::string before = fakes::readBytes(rig.folder.settingsFile());
        rig.tick();
        rig.readTitles();
        QCOMPARE(rig.text("TextTimeReal"), QString("01:10:05 pm"));
        QCOMPARE(fakes::readBytes(rig.folder.settingsFile()), before);
    }

    void announcesOnceAtThePrayersFirstMinute() {
        ClockWindowRig rig;
        rig.setTime(13, 4, 59);
        rig.load();
        rig.setTime(13, 5, 0);
        rig.tick();
        rig.setTime(13, 5, 1);
        rig.tick();
        QCOMPARE(rig.speech.spoken, std::vector<std::string>{"It is now, time for Zuhr prayer."});
        QCOMPARE(rig.colour("cmdAsar"), QApplication::palette().color(QPalette::Button));

        // Without a speech engine the announcement still shows, and the failure is noted once.
        rig.speech.canSpeak = false;
        rig.setTime(16, 25, 0);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("without sound"));
        rig.tick();
        QTest::failOnWarning(QRegularExpression("without sound"));
        rig.setTime(20, 25, 0);
        rig.tick();
        QCOMPARE(rig.colour("cmdIsyak"), kRed);
    }

    void logoIsDecodedOnceAndSharedWithTheSettingsWindow() {
        ClockWindowRig rig("[GAMBAR]\r\nLOGO1=.\\logo\\logo.gif\r\n");
        std::filesystem::create_directories(rig.dir / "logo");
        std::filesystem::copy_file(std::filesystem::path(TAVROLA_PROGRAM_DIR) / "logo" / "logo.gif",
                                   rig.dir / "logo" / "logo.gif");
        fakes::FakeDialogs dialogs;
        FrmSetting settings(rig.folder, rig.clock, dialogs);
        // Read once only: gone by the time the settings window takes the path.
        connect(rig.window.get(), &Velmora::logoPathResolved, this,
                [&] { std::filesystem::remove(rig.dir / "logo" / "logo.gif"); });
        connect(rig.window.get(), &Velmora::logoPathResolved, &settings, &FrmSetting::takeLogoPath);
        rig.load();
        auto* logo = rig.find<ucAniGIF>("ucAniGIF1");
        QVERIFY(logo->FrameCount() > 0);
        QVERIFY(!settings.logoPreview().isNull());
        QCOMPARE(QDir::fromNativeSeparators(settings.findChild<QLineEdit*>(QStringLiteral("txtPath"))->text()), pathToQt(rig.dir / "logo" / "logo.gif"));
        rig.window->showLogoFile(pathToQt(rig.dir / "logo" / "missing.gif"));
        QCOMPARE(logo->FrameCount(), 0); // unreadable: no picture
    }

    void noBackgroundCutsOutBlackOnTheClockWindowOnly() {
        ClockWindowRig rig;
        rig.load();
        QWidget other; // another window of the program keeps no mask
        other.show();
        rig.window->hide();
        rig.window->showWithoutBackground(); // no bg/hitam.jpg here: the colour key stands in
        TAVROLA_TRY_VERIFY(!rig.window->mask().isEmpty() && !rig.window->mask().contains(QPoint(1360, 500)));
        QVERIFY(rig.window->mask().intersects(rig.find("TextTimeReal")->geometry())); // the digits show
        // A control placed later on a cut-out part shows.
        auto* label = new QLabel(rig.window.get());
        label->setGeometry(1340, 480, 40, 40);
        label->setStyleSheet("background: rgb(200, 0, 0)");
        label->show();
        TAVROLA_TRY_VERIFY(rig.window->mask().contains(QPoint(1360, 500)));
        QVERIFY(other.mask().isEmpty());
    }
};

TAVROLA_QTEST(TestClockWindow)
#include "tst_clock_window.moc"
