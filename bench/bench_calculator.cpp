// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/MonthDocument.h"
#include "core/prayerdata/PrayerCalculator.h"

#include <benchmark/benchmark.h>

using namespace tavrola;

// A month of the eight times, as the updater needs them when no data server is set (target: < 1 ms).
static void BM_CalculateMonth(benchmark::State& state) {
    const PrayerCalculator calculator(PrayerLocation{});
    for (auto _ : state) {
        for (int d = 1; d <= 31; ++d)
            benchmark::DoNotOptimize(calculator.day({2026, 12, d}));
    }
}
BENCHMARK(BM_CalculateMonth)->Unit(benchmark::kMicrosecond);

// The same month written out as the JSON document the month reader takes.
static void BM_MonthDocument(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(calculatedMonthDocument(2026, 12, PrayerLocation{}));
}
BENCHMARK(BM_MonthDocument)->Unit(benchmark::kMicrosecond);
