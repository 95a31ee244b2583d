// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/DataUpdater.h"

#include "core/prayerdata/OfficialTables.h"
#include "core/prayerdata/PrayerDatabase.h"

#include <filesystem>

namespace tavrola {

Rgb rgbOf(StatusColour c) {
    switch (c) {
    case StatusColour::Orange:
        return {255, 128, 0};
    case StatusColour::Red:
        return {255, 0, 0};
    case StatusColour::Green:
        return {0, 128, 0};
    case StatusColour::Blue:
        return {0, 0, 255};
    case StatusColour::Default:
        break;
    }
    return {0, 0, 0};
}

DataUpdater::DataUpdater(ProgramFolder folder, const Clock& clock, MonthSource& source)
    : m_database(folder.databaseFile()), m_clock(clock), m_source(source) {}

DataUpdater::~DataUpdater() {
    m_source.cancel();
}

const std::string& DataUpdater::todayText(Prayer p) const {
    return m_today[p];
}

void DataUpdater::load() {
    unload();
    m_busy = false;
    m_updateCount = 0;
    m_upToDate = false;
    m_upToDateMonth.clear();
    CheckDatabase();
}

void DataUpdater::unload() {
    ++m_generation;
    m_source.cancel();
    m_busy = false;
}

void DataUpdater::tick() {
    // A clock left running into a new month must fetch that month by itself.
    if (m_upToDate && prayerdb::monthKey(m_clock.now().date) != m_upToDateMonth) {
        m_upToDate = false;
        changed();
    }
    if (!m_busy && !m_upToDate)
        AutoCheckDatabase();
}

bool DataUpdater::ForceDownload() {
    if (m_busy)
        return false;
    m_busy = true;
    m_upToDate = false;
    m_updateCount = 0;
    setStatus("FORCE UPDATE - Muat turun semula...", StatusColour::Blue);
    DownloadMonth(&DataUpdater::afterForcedDownload);
    return true;
}

void DataUpdater::checkPlace() {
    if (m_busy || !m_placeKnown || m_source.placeKey() == m_fetchedPlace)
        return;
    // A place whose month cannot be written is tried again at the timer's pace, not every second.
    if (m_placeRetryWait > 0) {
        --m_placeRetryWait;
        return;
    }
    m_busy = true;
    m_upToDate = false;
    setStatus("Tempat bertukar - waktu solat dikira semula...", StatusColour::Orange);
    DownloadMonth(&DataUpdater::afterForcedDownload);
}

DataUpdater::FileState DataUpdater::inspectDatabase() const {
    FileState s;
    std::error_code ec;
    s.exists = std::filesystem::exists(m_database, ec);
    if (ec) {
        s.readable = false;
        s.error = ec.message();
        return s;
    }
    if (!s.exists)
        return s;
    CacheMonthLine line;
    if (!readCacheMonth(m_database, line, ec)) {
        s.readable = false;
        s.error = "Cannot read " + m_database.string() + ": " + ec.message();
        return s;
    }
    s.outOfDate = line.found && !cacheMonthIsCurrent(line.field, prayerdb::monthKey(m_clock.now().date));
    return s;
}

void DataUpdater::CheckDatabase() {
    if (m_busy)
        return;
    // The load check also counts as running, so the timer cannot start a second download beside it.
    m_busy = true;
    const FileState file = inspectDatabase();
    if (!file.readable) {
        afterLoadDownload(Outcome{true, file.error});
        return;
    }
    if (!file.exists) {
        m_upToDate = false;
        setStatus("FAIL TIDAK DIJUMPAI! Muat turun...", StatusColour::Red);
        DownloadMonth(&DataUpdater::afterLoadDownload);
        return;
    }
    if (file.outOfDate) {
        m_upToDate = false;
        setStatus("DATABASE LAPUK! Muat turun semula...", StatusColour::Orange);
    }
    if (!m_upToDate) {
        DownloadMonth(&DataUpdater::afterLoadDownload);
        return;
    }
    m_busy = false;
    changed();
}

void DataUpdater::AutoCheckDatabase() {
    if (m_busy)
        return;
    m_busy = true;
    const FileState file = inspectDatabase();
    if (!file.readable) {
        afterAutoDownload(Outcome{true, file.error});
        return;
    }
    bool needsDownload = false;
    if (!file.exists) {
        needsDownload = true;
        setStatus("FAIL TIDAK DIJUMPAI! Auto muat turun...", StatusColour::Red);
    } else if (file.outOfDate) {
        needsDownload = true;
        setStatus("DATABASE LAPUK! Auto muat turun semula...", StatusColour::Orange);
    }
    if (needsDownload) {
        DownloadMonth(&DataUpdater::afterAutoDownload);
        return;
    }
    const DateTime now = m_clock.now();
    m_upToDate = true;
    m_upToDateMonth = prayerdb::monthKey(now.date);
    setStatus("Status: OK - Last update: " + timeOfDayText(now), StatusColour::Green);
    finishAutoCheck();
}

void DataUpdater::DownloadMonth(AfterDownload after) {
    ++m_updateCount;
    const DateTime started = m_clock.now();
    setStatus("Muat turun data " + prayerdb::monthCaption(started.date) + "...", StatusColour::Orange);
    m_fetchingPlace = m_source.placeKey();
    const std::uint64_t generation = m_generation;
    // The source may answer at once; nothing may follow this call.
    m_source.fetch(started.date.year, started.date.month, [this, after, started, generation](MonthFetch fetch) {
        if (generation != m_generation)
            return;
        const Outcome outcome = finishDownload(fetch, started);
        (this->*after)(outcome);
    });
}

DataUpdater::Outcome DataUpdater::finishDownload(const MonthFetch& fetch, const DateTime& started) {
    if (fetch.kind == MonthFetch::Kind::Error) {
        WriteLog("Download failed - " + fetch.errorText);
        return Outcome{true, fetch.errorText};
    }
    if (fetch.kind == MonthFetch::Kind::HttpStatus) {
        setStatus("Gagal muat turun! HTTP: " + std::to_string(fetch.httpStatus), StatusColour::Red);
        WriteLog("Download failed - HTTP " + std::to_string(fetch.httpStatus));
        return {};
    }

    // The header tells when the file was written, but the month stays the one that was asked for.
    DateTime now = m_clock.now();
    if (now.date.year != started.date.year || now.date.month != started.date.month)
        now = started;
    const MonthConversion conv = convertMonthDocument(fetch.document, now);
    if (!conv.ok) {
        WriteLog("Download failed - " + conv.error);
        return Outcome{true, conv.error};
    }
    if (conv.daysFound == 0) {
        // An error page served as 200 must not replace a good database with an empty one.
        setStatus("Gagal muat turun! Tiada data untuk " + prayerdb::monthCaption(now.date), StatusColour::Red);
        WriteLog("Download failed - no days of " + prayerdb::monthCaption(now.date) + " in the document");
        return {};
    }
    std::string writeError;
    if (!writeDatabase(m_database, conv.text, writeError)) {
        WriteLog("Download failed - " + writeError);
        return Outcome{true, writeError};
    }

    m_today = conv.todayFound ? conv.today : DayTimes{};
    // Where each day's times come from, when an official table gave some of them.
    std::string sources, logSources;
    if (!fetch.officialDays.empty()) {
        std::vector<int> computed;
        for (int d = 1, next = 0; d <= conv.daysInMonth; ++d) {
            if (next < static_cast<int>(fetch.officialDays.size()) &&
                fetch.officialDays[static_cast<std::size_t>(next)] == d)
                ++next;
            else
                computed.push_back(d);
        }
        sources = " - rasmi " + dayRanges(fetch.officialDays) + " (" + fetch.officialTables + ")" +
                  (computed.empty() ? "" : ", dikira " + dayRanges(computed));
        logSources = ": " + std::to_string(fetch.officialDays.size()) + " from the official table " +
                     fetch.officialTables + " (" + dayRanges(fetch.officialDays) + ")" +
                     (computed.empty() ? ""
                                       : ", " + std::to_string(computed.size()) + " calculated here (" +
                                             dayRanges(computed) + ")");
    }
    setStatus("Update #" + std::to_string(m_updateCount) + " BERJAYA! - " + std::to_string(conv.daysInMonth) +
                  " hari" + sources + (fetch.notice.empty() ? "" : " - " + fetch.notice),
              fetch.notice.empty() ? StatusColour::Green : StatusColour::Orange);
    if (!fetch.notice.empty())
        WriteLog(fetch.notice);
    for (const std::string& line : fetch.logLines)
        WriteLog(line);
    m_upToDate = true;
    m_upToDateMonth = prayerdb::monthKey(now.date);
    m_fetchedPlace = m_fetchingPlace;
    m_placeKnown = true;
    m_placeRetryWait = 0;
    WriteLog("Update #" + std::to_string(m_updateCount) + " success - " + std::to_string(conv.daysInMonth) +
             (!logSources.empty() ? " days" + logSources
              : fetch.calculated  ? " days calculated here"
                                  : " days downloaded"));
    return {};
}

void DataUpdater::afterLoadDownload(const Outcome& o) {
    if (o.error) {
        setStatus("ERROR: " + o.errorText, StatusColour::Red);
        m_upToDate = false;
    }
    m_busy = false;
    changed();
}

void DataUpdater::afterAutoDownload(const Outcome& o) {
    if (o.error) {
        // The timer line and UpToDate stay as they were: the next tick tries again.
        setStatus("ERROR: " + o.errorText, StatusColour::Red);
        m_busy = false;
        changed();
        return;
    }
    finishAutoCheck();
}

void DataUpdater::afterForcedDownload(const Outcome& o) {
    if (m_fetchedPlace != m_fetchingPlace || !m_placeKnown)
        m_placeRetryWait = 15;
    if (o.error) {
        setStatus("ERROR: " + o.errorText, StatusColour::Red);
        m_upToDate = false;
    }
    m_busy = false;
    changed();
}

void DataUpdater::finishAutoCheck() {
    const DateTime now = m_clock.now();
    m_timerText = "Last auto-update: " + pad(now.date.day, 2) + "/" + pad(now.date.month, 2) + "/" +
                  pad(now.date.year, 4) + " " + timeOfDayText(now) + " | Count: " + std::to_string(m_updateCount);
    m_busy = false;
    changed();
}

void DataUpdater::WriteLog(const std::string& message) {
    if (!m_logSink)
        return;
    const DateTime now = m_clock.now();
    m_logSink(pad(now.date.year, 4) + "-" + pad(now.date.month, 2) + "-" + pad(now.date.day, 2) + " " +
              timeOfDayText(now) + " - " + message);
}

void DataUpdater::setStatus(std::string text, StatusColour colour) {
    m_statusText = std::move(text);
    m_statusColour = colour;
    changed();
}

void DataUpdater::changed() {
    if (m_onChanged)
        m_onChanged();
}

} // namespace tavrola
