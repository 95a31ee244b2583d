// SPDX-License-Identifier: GPL-3.0-or-later
// Reading one key and rewriting one key, on files of the sizes the program keeps.
#include "core/files/IniFile.h"
#include "core/settings/SettingsSchema.h"
#include "fakes/TempDir.h"
#include "fakes/TestDatabase.h"

#include <benchmark/benchmark.h>

using namespace tavrola;

namespace {

void BM_GetFromINI_Settings(benchmark::State& state) {
    fakes::TempDir dir;
    const auto path = dir / "setting.ini";
    fakes::writeBytes(path, defaultSettingsText());
    for (auto _ : state)
        benchmark::DoNotOptimize(GetFromINI("WSOLAT_JAM", "SKROL", "", path));
}
BENCHMARK(BM_GetFromINI_Settings);

void BM_GetFromINI_Database31Days(benchmark::State& state) {
    fakes::TempDir dir;
    const auto path = dir / "dbsolat.dat";
    fakes::writeBytes(path, fakes::monthText({2026, 12, 1}));
    // The last day and the last key: the longest scan a tick makes.
    for (auto _ : state)
        benchmark::DoNotOptimize(GetFromINI("31122026", "isyak", "", path));
}
BENCHMARK(BM_GetFromINI_Database31Days);

void BM_AddToINI_Settings(benchmark::State& state) {
    fakes::TempDir dir;
    const auto path = dir / "setting.ini";
    fakes::writeBytes(path, defaultSettingsText());
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(AddToINI("TAJUK-01", "TITLE01", (i++ & 1) ? "Masjid A" : "Masjid B", path));
}
BENCHMARK(BM_AddToINI_Settings);

} // namespace
