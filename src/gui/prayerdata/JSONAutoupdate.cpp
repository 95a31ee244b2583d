// SPDX-License-Identifier: GPL-3.0-or-later
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
    auto* frame = new QGroupBox(QStringLiteral("Status Sistem"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    lblStatus = makeLabel(frame, "lblStatus");
    lblStatus->setWordWrap(true);
    lblTimer = makeLabel(frame, "lblTimer");
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(lblStatus);
    frameLayout->addWidget(lblTimer);

    QLabel* heading = makeLabel(this, "Label2", QStringLiteral("WAKTU SOLAT HARI INI"));
    // The captions Label3 .. Label9, then the times beside them.
    static constexpr const char* kCaptions[][2] = {
        {"Label3", "Imsak:"}, {"Label4", "Subuh:"},  {"Label5", "Syuruk:"}, {"Label6", "Zohor:"},
        {"Label7", "Asar:"},  {"Label8", "Magrib:"}, {"Label9", "Isyak:"}};
    static constexpr const char* kTimes[] = {"lblImsak", "lblSubuh",  "lblSyuruk", "lblZohor",
                                             "lblAsar",  "lblMagrib", "lblIsyak"};
    auto* times = new QGridLayout;
    for (int row = 0; row < static_cast<int>(DataUpdater::kTodayPrayers.size()); ++row)
        times->addWidget(makeLabel(this, kCaptions[row][0], QString::fromLatin1(kCaptions[row][1])), row, 0);
    for (int row = 0; row < static_cast<int>(DataUpdater::kTodayPrayers.size()); ++row) {
        m_today[static_cast<std::size_t>(row)] = makeLabel(this, kTimes[row]);
        times->addWidget(m_today[static_cast<std::size_t>(row)], row, 1);
    }
    auto* cmdExit = new QPushButton(QStringLiteral("Keluar"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(heading);
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
    for (std::size_t i = 0; i < DataUpdater::kTodayPrayers.size(); ++i)
        m_today[i]->setText(toQt(m_updater.todayText(DataUpdater::kTodayPrayers[i])));
    if (statusChangedNow)
        emit statusChanged(status);
}

} // namespace tavrola
