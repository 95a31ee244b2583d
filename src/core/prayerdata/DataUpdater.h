// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/files/ProgramFolder.h"
#include "core/platform/Clock.h"
#include "core/prayerdata/MonthConverter.h"
#include "core/prayerdata/MonthSource.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace tavrola {

enum class StatusColour { Default, Orange, Red, Green, Blue };

struct Rgb {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
Rgb rgbOf(StatusColour c); // Default gives black

// Keeps dbsolat.dat holding the current month: the checks, the retry cadence and the download,
// with the texts the updater window shows. Downloads never block: a check starts one and the
// steps that follow it run when the month source answers. Only one check or download runs at a
// time, whoever started it.
class DataUpdater {
public:
    // The seven times the window shows for today (there is no label for Dhuha), in window order.
    static constexpr std::array<Prayer, 7> kTodayPrayers = {
        Prayer::Imsak, Prayer::Subuh, Prayer::Syuruk, Prayer::Zohor, Prayer::Asar, Prayer::Maghrib, Prayer::Isyak};

    DataUpdater(ProgramFolder folder, const Clock& clock, MonthSource& source);
    ~DataUpdater();
    DataUpdater(const DataUpdater&) = delete;
    DataUpdater& operator=(const DataUpdater&) = delete;

    // Form load: fresh state, then the load check (which always fetches the month).
    void load();
    // Form unload: whatever is running is dropped; nothing of it reaches the file or the labels.
    void unload();
    // The 15-second timer.
    void tick();
    // Starts a fresh download unless something is running; true when it started.
    bool ForceDownload();

    // Both do nothing while a check or download is running.
    void CheckDatabase();
    void AutoCheckDatabase();
    // Called every second or so: a month built for another place than the source's now (a zone
    // chosen, coordinates typed, a data server set or removed) is fetched again at once.
    void checkPlace();

    bool Busy() const { return m_busy; }
    bool UpToDate() const { return m_upToDate; }
    std::int32_t UpdateCount() const { return m_updateCount; }

    const std::string& statusText() const { return m_statusText; }
    StatusColour statusColour() const { return m_statusColour; }
    const std::string& timerText() const { return m_timerText; }
    const std::string& todayText(Prayer p) const;

    // Runs after every change of the texts or the state above.
    void setOnChanged(std::function<void()> f) { m_onChanged = std::move(f); }
    // Where WriteLog's lines go; by default nowhere.
    void setLogSink(std::function<void(const std::string&)> f) { m_logSink = std::move(f); }

    // Prefixes the local time ("yyyy-mm-dd hh:mm:ss - ") and hands the line to the log sink.
    void WriteLog(const std::string& message);

private:
    struct Outcome {
        bool error = false; // true: errorText goes to the "ERROR: " status of the caller
        std::string errorText;
    };
    using AfterDownload = void (DataUpdater::*)(const Outcome&);

    void DownloadMonth(AfterDownload after);
    Outcome finishDownload(const MonthFetch& fetch, const DateTime& started);
    void afterLoadDownload(const Outcome& o);
    void afterAutoDownload(const Outcome& o);
    void afterForcedDownload(const Outcome& o);
    void finishAutoCheck();
    struct FileState {
        bool readable = true; // false: error says why
        bool exists = false;
        bool outOfDate = false; // a month line that fails the month test
        std::string error;
    };
    FileState inspectDatabase() const;

    void setStatus(std::string text, StatusColour colour);
    void changed();

    std::filesystem::path m_database;
    const Clock& m_clock;
    MonthSource& m_source;

    bool m_busy = false;
    std::int32_t m_updateCount = 0;
    bool m_upToDate = false;
    std::string m_upToDateMonth;    // "mmyyyy" of the month UpToDate speaks for
    std::uint64_t m_generation = 0; // bumped on load/unload so a stale answer is dropped
    std::string m_fetchingPlace;    // the source's place key when the running fetch began
    std::string m_fetchedPlace;     // ... when the month in the file was fetched
    bool m_placeKnown = false;      // m_fetchedPlace speaks for the file
    int m_placeRetryWait = 0;       // checks to let pass after a failed fetch for a new place

    std::string m_statusText;
    StatusColour m_statusColour = StatusColour::Default;
    std::string m_timerText;
    DayTimes m_today;

    std::function<void()> m_onChanged;
    std::function<void(const std::string&)> m_logSink;
};

} // namespace tavrola
