// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock/PrayerSchedule.h"
#include "core/files/IniFile.h"
#include "core/settings/SettingsSchema.h"
#include "fakes/TestDatabase.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

namespace fs = std::filesystem;
using namespace tavrola;

// One full clock tick as the window runs it every second: read SETJAM and the day's eight times from
// the files (31-day database), then the minute text, clock text, captions, period and countdown.
static void BM_FullTick(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "tavrola_bench_tick";
    fs::create_directories(dir);
    const fs::path ini = dir / "setting.ini";
    const fs::path db = dir / "dbase" / "dbsolat.dat";
    fakes::writeDatabase(ini, defaultSettingsText());
    fakes::writeDatabase(db, fakes::monthText({2026, 12, 1}));
    // Files the clock reads have usually been left alone for hours.
    for (const fs::path& f : {ini, db})
        fs::last_write_time(f, fs::file_time_type::clock::now() - std::chrono::hours(1));

    PrayerSchedule schedule;
    schedule.start({2026, 12, 31}, "1");
    int second = 0;
    for (auto _ : state) {
        // The last day of the month: the reader scans the whole file for each key.
        const DateTime now{{2026, 12, 31}, 13, 10 + (second / 60) % 40, second % 60, 0};
        ++second;
        const TickInputs in = readTickInputs(ini, db, now.date);
        auto tick = schedule.tick(now, in.setJam, in.times);
        benchmark::DoNotOptimize(tick);
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_FullTick)->Unit(benchmark::kMicrosecond);

// The same tick without the file reads: what the rules themselves cost.
static void BM_TickRulesOnly(benchmark::State& state) {
    const DayTimes times{"05:40", "05:50", "07:05", "07:30", "13:05", "16:25", "19:10", "20:25"};
    PrayerSchedule schedule;
    schedule.start({2026, 12, 31}, "1");
    int second = 0;
    for (auto _ : state) {
        const DateTime now{{2026, 12, 31}, 13, 10 + (second / 60) % 40, second % 60, 0};
        ++second;
        auto tick = schedule.tick(now, "0", times);
        benchmark::DoNotOptimize(tick);
    }
}
BENCHMARK(BM_TickRulesOnly)->Unit(benchmark::kMicrosecond);

// One of the nine GetFromINI reads a tick makes.
static void BM_OneDatabaseRead(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "tavrola_bench_read";
    const fs::path db = dir / "dbsolat.dat";
    fakes::writeDatabase(db, fakes::monthText({2026, 12, 1}));
    fs::last_write_time(db, fs::file_time_type::clock::now() - std::chrono::hours(1));
    for (auto _ : state) {
        auto v = GetFromINI("31122026", "isyak", "", db);
        benchmark::DoNotOptimize(v);
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_OneDatabaseRead)->Unit(benchmark::kMicrosecond);
