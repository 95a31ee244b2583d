// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/MonthConverter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

// A month document shaped like the server's: one member per day, eight times each, a little
// extra per day that the scanner has to skip.
std::string monthDocument() {
    std::string doc = "{\n  \"zone\": \"WLY01\",\n  \"days\": {\n";
    for (int d = 1; d <= 31; ++d) {
        char day[512];
        std::snprintf(
            day, sizeof day,
            "    \"2026-12-%02d\": {\"Imsak\": \"5:%02d\", \"Subuh\": \"5:%02d\", \"Syuruk\": \"7:%02d\", "
            "\"Dhuha\": \"7:%02d\", \"Zohor\": \"13:%02d\", \"Asar\": \"16:%02d\", \"Maghrib\": \"19:%02d\", "
            "\"Isyak\": \"20:%02d\", \"hijri\": \"1448-06-%02d\"}%s\n",
            d, 40 + d % 15, 50 + d % 9, 5 + d % 20, 30 + d % 20, 5 + d % 20, 28 + d % 20, 10 + d % 20, 24 + d % 20,
            d, d < 31 ? "," : "");
        doc += day;
    }
    doc += "  }\n}\n";
    return doc;
}

void BM_ConvertMonth(benchmark::State& state) {
    const std::string doc = monthDocument();
    const tavrola::DateTime now{{2026, 12, 5}, 14, 3, 9, 0};
    for (auto _ : state) {
        tavrola::MonthConversion c = tavrola::convertMonthDocument(doc, now);
        benchmark::DoNotOptimize(c.text.data());
        if (c.daysFound != 31)
            state.SkipWithError("the document was not read whole");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(doc.size()));
}
BENCHMARK(BM_ConvertMonth)->Unit(benchmark::kMicrosecond);

} // namespace
