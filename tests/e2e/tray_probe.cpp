// A stand-in for the program's wiring of the notification-area window: a clock window whose close
// hides it behind the icon, the real tray, shell and dialogs, and frmtray's menu. The end-to-end
// script drives it under Xvfb with a tray host, as a user would.
#include "core/config/ProgramFolder.h"
#include "gui/desktop/AppIcon.h"
#include "gui/desktop/frmtray.h"
#include "gui/platform/QtClock.h"
#include "gui/platform/QtDialogs.h"
#include "gui/platform/QtShell.h"
#include "gui/platform/QtTray.h"
#include "gui/platform/LocalText.h"

#include <QApplication>
#include <QCloseEvent>

namespace {
class ClockWindow : public QWidget {
public:
    tavrola::frmtray* tray = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        tray->hideClockToTray(this);
    }
};
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QApplication::applicationDirPath();
    tavrola::QtClock clock;
    tavrola::QtDialogs dialogs;
    tavrola::QtShell shell;
    tavrola::QtTray tray(tavrola::appIcon());
    ClockWindow window;
    window.setWindowTitle("Velmora");
    window.resize(320, 200);
    tavrola::frmtray form(tavrola::ProgramFolder(tavrola::pathFromQt(folder)), clock, dialogs, shell, tray);
    form.hooks().showClock = [&] { window.show(); };
    window.tray = &form;
    window.show();
    return app.exec();
}
