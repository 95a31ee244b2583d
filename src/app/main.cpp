#include "core/AppInfo.h"
#include "core/config/ProgramFolder.h"
#include "gui/clock/Velmora.h"
#include "gui/platform/LocalText.h"
#include "gui/platform/QtClock.h"
#include "gui/platform/QtSpeech.h"
#include "gui/platform/SingleInstance.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(tavrola::app::kTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(tavrola::app::kVersion));

    const QString folder = QCoreApplication::applicationDirPath();
    // A second start ends at once, without a message, while the first keeps running.
    tavrola::SingleInstance instance(folder);
    if (!instance.acquire())
        return 0;

    tavrola::QtClock clock;
    tavrola::QtSpeech speech;
    tavrola::Velmora clockWindow(tavrola::ProgramFolder(tavrola::pathFromQt(folder)), clock, speech);
    clockWindow.load();
    clockWindow.show();
    return app.exec();
}
