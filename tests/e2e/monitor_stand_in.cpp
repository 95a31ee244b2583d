// SPDX-License-Identifier: GPL-3.0-or-later
// The real clock window for the two-monitor run, over a scratch program folder and without sound.
// TAVROLA_REPORT_FILE: where to write its monitor report (and the window's place) at each refresh.
// TAVROLA_SKROL: the strip setting to start with.
#include "core/platform/Speech.h"
#include "gui/clock/Velmora.h"
#include "gui/platform/LocalText.h"
#include "gui/platform/QtClock.h"
#include "gui/platform/QtScreens.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class Silent : public tavrola::Speech {
public:
    bool speak(const std::string&) override { return true; }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir folder;
    QFile settings(folder.filePath("setting.ini"));
    if (!settings.open(QIODevice::WriteOnly))
        return 1;
    settings.write("[WSOLAT_JAM]\r\nSKROL=" + qgetenv("TAVROLA_SKROL") + "\r\n");
    settings.close();
    tavrola::QtClock clock;
    Silent speech;
    tavrola::QtScreens screens;
    tavrola::Velmora window(tavrola::ProgramFolder(tavrola::pathFromQt(folder.path())), clock, speech, screens);
    window.load();
    window.show();
    // The report is kept up to date while it can be seen.
    window.findChild<QWidget*>("Picture3")->show();
    const QString reportFile = qEnvironmentVariable("TAVROLA_REPORT_FILE");
    QObject::connect(window.findChild<QTimer*>("DisplayTimer"), &QTimer::timeout, &window, [&window, reportFile] {
        QFile f(reportFile + ".part");
        if (reportFile.isEmpty() || !f.open(QIODevice::WriteOnly))
            return;
        const QRect g = window.frameGeometry();
        f.write(window.findChild<QPlainTextEdit*>("TextMonitor")->toPlainText().toUtf8());
        f.write(
            QString("\nGeometry: %1 %2 %3 %4\n").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()).toUtf8());
        f.write(("Resolution: " + window.findChild<QLabel*>("Label2")->text() + "\n").toUtf8());
        f.close();
        QFile::remove(reportFile);
        QFile::rename(reportFile + ".part", reportFile);
    });
    return app.exec();
}
