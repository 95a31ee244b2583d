// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/files/LogFile.h"
#include "core/files/ProgramFolder.h"
#include "core/prayerdata/DataUpdater.h"
#include "core/prayerdata/HttpMonthSource.h"

#include <QWidget>

#include <array>

class QLabel;
class QTimer;

namespace tavrola {

class Clock;
class HttpClient;

// The hidden keeper of dbase/dbsolat.dat: checks it when loaded, then every 15 seconds until a
// download has succeeded. Downloads run in the background; the window only mirrors the state.
class JSONAutoupdate : public QWidget {
    Q_OBJECT
public:
    JSONAutoupdate(ProgramFolder folder, const Clock& clock, HttpClient& http, QWidget* parent = nullptr);
    ~JSONAutoupdate() override;

    bool isLoaded() const { return m_loaded; }
    bool Busy() const { return m_updater.Busy(); }
    bool UpToDate() const { return m_updater.UpToDate(); }
    int UpdateCount() const { return m_updater.UpdateCount(); }

    // Shortens the request limits (tests); 30 s otherwise.
    void setRequestTimeoutMs(int ms) { m_source.setTimeoutMs(ms); }
    // The month's source when no data server is set (not owned; must outlive this window).
    void setNoHostMonthSource(MonthSource* source) { m_source.setNoHostSource(source); }

    // Waits while the event loop keeps running, so every timer keeps ticking meanwhile.
    static void Wait(double seconds);

public slots:
    // The window's load step; returns at once, the download it starts goes on in the background.
    // Does nothing when already loaded.
    void load();
    void unload();
    // Unloads, waits (without freezing) and loads again, so the load check runs with fresh state.
    void reload(double waitSeconds = 3.0);
    void ForceDownload();
    void CheckDatabase();
    void AutoCheckDatabase();
    // Every clock tick: builds the month again when the place it was built for has changed.
    void checkPlace();

signals:
    void statusChanged(const QString& text);

private slots:
    void onTimerAutoUpdate();

private:
    void buildControls();
    void refresh();

    HttpMonthSource m_source; // declared before the updater, which cancels it when destroyed
    DataUpdater m_updater;
    LogFile m_log; // log/tavrola.log: why a month did or did not arrive
    bool m_loaded = false;

    QTimer* TimerAutoUpdate = nullptr;
    QLabel* lblStatus = nullptr;
    QLabel* lblTimer = nullptr;
    std::array<QLabel*, DataUpdater::kTodayPrayers.size()> m_today{}; // lblImsak .. lblIsyak
};

} // namespace tavrola
