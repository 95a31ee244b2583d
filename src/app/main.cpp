#include "core/AppInfo.h"
#include "gui/clock/Velmora.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(tavrola::app::kTitle);
    QApplication::setApplicationVersion(tavrola::app::kVersion);
    tavrola::Velmora clock;
    clock.show();
    return app.exec();
}
