#include "gui/prayerdata/JSONAutoupdate.h"

#include "core/platform/Clock.h"
#include "core/platform/HttpClient.h"
#include "gui/platform/LocalText.h"

#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QLoggingCategory>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace tavrola {

namespace {

Q_LOGGING_CATEGORY(lcUpdater, "tavrola.updater")

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption = {}) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

JSONAutoupdate::JSONAutoupdate(ProgramFolder folder, const Clock& clock, HttpClient& http, QWidget* parent)
    : QWidget(parent), m_source(http, folder.settingsFile()), m_updater(folder, clock, m_source),
      m_log(folder.logFolder() / "tavrola.log") {
    setObjectName(QStringLiteral("JSONAutoupdate"));
    // Its own (hidden) window even when owned by the clock window, never a child control of it.
    setWindowFlag(Qt::Window);
    buildControls();

    TimerAutoUpdate = new QTimer(this);
    TimerAutoUpdate->setObjectName(QStringLiteral("TimerAutoUpdate"));
    TimerAutoUpdate->setInterval(15000);
    connect(TimerAutoUpdate, &QTimer::timeout, this, &JSONAutoupdate::onTimerAutoUpdate);

    m_updater.setOnChanged([this] { refresh(); });
    // A log that cannot be written is no reason to stop: the line still reaches Qt's log.
    m_updater.setLogSink([this](const std::string& line) {
        qCInfo(lcUpdater).noquote() << QString::fromLocal8Bit(line);
        m_log.append(line);
    });
}

JSONAutoupdate::~JSONAutoupdate() {
    // The updater may still call back while it is torn down; the labels are gone by then.
    m_updater.setOnChanged({});
    m_updater.unload();
}

void JSONAutoupdate::buildControls() {
    Frame1 = new QGroupBox(QStringLiteral("Status Sistem"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    lblStatus = makeLabel(Frame1, "lblStatus");
    lblStatus->setWordWrap(true);
    lblTimer = makeLabel(Frame1, "lblTimer");
    auto* frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addWidget(lblStatus);
    frameLayout->addWidget(lblTimer);

    Label2 = makeLabel(this, "Label2", QStringLiteral("WAKTU SOLAT HARI INI"));
    Label3 = makeLabel(this, "Label3", QStringLiteral("Imsak:"));
    Label4 = makeLabel(this, "Label4", QStringLiteral("Subuh:"));
    Label5 = makeLabel(this, "Label5", QStringLiteral("Syuruk:"));
    Label6 = makeLabel(this, "Label6", QStringLiteral("Zohor:"));
    Label7 = makeLabel(this, "Label7", QStringLiteral("Asar:"));
    Label8 = makeLabel(this, "Label8", QStringLiteral("Magrib:"));
    Label9 = makeLabel(this, "Label9", QStringLiteral("Isyak:"));
    lblImsak = makeLabel(this, "lblImsak");
    lblSubuh = makeLabel(this, "lblSubuh");
    lblSyuruk = makeLabel(this, "lblSyuruk");
    lblZohor = makeLabel(this, "lblZohor");
    lblAsar = makeLabel(this, "lblAsar");
    lblMagrib = makeLabel(this, "lblMagrib");
    lblIsyak = makeLabel(this, "lblIsyak");
    cmdExit = new QPushButton(QStringLiteral("Keluar"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));

    auto* times = new QGridLayout;
    QLabel* names[] = {Label3, Label4, Label5, Label6, Label7, Label8, Label9};
    QLabel* values[] = {lblImsak, lblSubuh, lblSyuruk, lblZohor, lblAsar, lblMagrib, lblIsyak};
    for (int row = 0; row < 7; ++row) {
        times->addWidget(names[row], row, 0);
        times->addWidget(values[row], row, 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Label2);
    layout->addLayout(times);
    layout->addWidget(cmdExit, 0, Qt::AlignRight);
}

void JSONAutoupdate::load() {
    if (m_loaded)
        return;
    m_loaded = true;
    setWindowTitle(QStringLiteral("Auto Update Waktu Solat - Update setiap 15 saat"));
    m_updater.load();
    TimerAutoUpdate->start();
}

void JSONAutoupdate::unload() {
    TimerAutoUpdate->stop();
    m_updater.unload();
    m_loaded = false;
}

void JSONAutoupdate::reload(double waitSeconds) {
    unload();
    // A continuation, not a nested wait: the clock and everything else keep running meanwhile.
    QTimer::singleShot(static_cast<int>(std::lround(waitSeconds * 1000.0)), this, [this] { load(); });
}

void JSONAutoupdate::ForceDownload() {
    if (m_updater.ForceDownload())
        show();
}

void JSONAutoupdate::CheckDatabase() {
    m_updater.CheckDatabase();
}

void JSONAutoupdate::AutoCheckDatabase() {
    m_updater.AutoCheckDatabase();
}

void JSONAutoupdate::onTimerAutoUpdate() {
    m_updater.tick();
}

void JSONAutoupdate::checkPlace() {
    if (m_loaded)
        m_updater.checkPlace();
}

void JSONAutoupdate::Wait(double seconds) {
    if (!(seconds > 0.0))
        return;
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(std::lround(std::min(seconds, 86400.0) * 1000.0)), &loop,
                       &QEventLoop::quit);
    loop.exec();
}

void JSONAutoupdate::refresh() {
    const QString status = toQt(m_updater.statusText());
    const bool statusChangedNow = lblStatus->text() != status;
    lblStatus->setText(status);
    const Rgb c = rgbOf(m_updater.statusColour());
    QPalette pal = lblStatus->palette();
    pal.setColor(QPalette::WindowText, QColor(c.r, c.g, c.b));
    lblStatus->setPalette(pal);
    lblTimer->setText(toQt(m_updater.timerText()));
    QLabel* values[] = {lblImsak, lblSubuh, lblSyuruk, lblZohor, lblAsar, lblMagrib, lblIsyak};
    for (std::size_t i = 0; i < DataUpdater::kTodayPrayers.size(); ++i)
        values[i]->setText(toQt(m_updater.todayText(DataUpdater::kTodayPrayers[i])));
    if (statusChangedNow)
        emit statusChanged(status);
}

} // namespace tavrola
