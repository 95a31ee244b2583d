// A plain window standing in for the clock window in the two-monitor run: it carries the monitor tools,
// the strip and proportional resizing, wired the way the clock window wires them.
// TAVROLA_REPORT_FILE: where to write the monitor report (and the window's place) at each refresh.
// TAVROLA_SKROL: the strip setting to start with.
#include "gui/clock/StripMover.h"
#include "gui/desktop/MonitorPanel.h"
#include "gui/desktop/WidgetLayout.h"
#include "gui/platform/QtScreens.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

class StandIn : public QWidget {
public:
    StandIn() {
        setObjectName("Velmora");
        setWindowTitle("Velmora stand-in");
        setWindowFlags(Qt::FramelessWindowHint);
        setStyleSheet("background: black; color: white;");
        resize(960, 540);
        picHolder = new QWidget(this);
        picHolder->setObjectName("picHolder");
        picHolder->setGeometry(30, 420, 900, 90);
        auto* time = new QLabel("12:34  ZOHOR", picHolder);
        time->setGeometry(10, 10, 400, 70);
        Label2 = new QLabel(this);
        Label2->setObjectName("Label2");
        Label2->setGeometry(500, 10, 400, 30);
        Picture3 = new tavrola::MonitorPanel(this, screens, this);
        Picture3->move(20, 60);
        Picture3->setResolutionLabel(Label2);
        strip = new tavrola::StripMover(picHolder, this);
    }

    // The load steps that concern these pieces, in the clock window's order.
    void load() {
        layout.RecordLayout(this);
        Picture3->coverMonitorUnderCursor();
        strip->startUp(qgetenv("TAVROLA_SKROL").toStdString());
        Picture3->InitMonitorButton();
    }

protected:
    void resizeEvent(QResizeEvent*) override { layout.RescaleLayout(this); }

public:
    tavrola::QtScreens screens;
    tavrola::WidgetLayout layout;
    QWidget* picHolder;
    QLabel* Label2;
    tavrola::MonitorPanel* Picture3;
    tavrola::StripMover* strip;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    StandIn window;
    window.load();
    window.show();
    const QString reportFile = qEnvironmentVariable("TAVROLA_REPORT_FILE");
    if (!reportFile.isEmpty()) {
        QObject::connect(window.Picture3->DisplayTimer, &QTimer::timeout, &window, [&window, reportFile] {
            QFile f(reportFile + ".part");
            if (!f.open(QIODevice::WriteOnly))
                return;
            const QRect g = window.frameGeometry();
            f.write(window.Picture3->TextMonitor->toPlainText().toUtf8());
            f.write(
                QString("Geometry: %1 %2 %3 %4\n").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()).toUtf8());
            f.write(("Resolution: " + window.Label2->text() + "\n").toUtf8());
            f.close();
            QFile::remove(reportFile);
            QFile::rename(reportFile + ".part", reportFile);
        });
    }
    return app.exec();
}
