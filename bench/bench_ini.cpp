// Reading one key and rewriting one key, on files of the sizes the program keeps.
#include "core/config/IniFile.h"
#include "core/config/SettingsSchema.h"
#include "fakes/TempDir.h"

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace tavrola;

namespace {

// A month's database laid out as the program writes it: header, 31 day blocks.
std::string monthDatabase() {
    const std::string rule(42, '=');
    std::string s = rule + "\r\nJADUAL WAKTU SOLAT BULANAN\r\nBulan: Disember 2026\r\nCACHE_MONTH=122026\r\n"
                           "UPDATE_DATE=01122026 00:00:05\r\nLAST_UPDATE=01/12/2026 00:00:05\r\n" +
                    rule + "\r\n\r\n";
    for (int d = 1; d <= 31; ++d) {
        char key[32];
        std::snprintf(key, sizeof key, "%02d122026", d);
        s += "[" + std::string(key) + "]\r\nTarikh: Ahad, " + std::string(key, 2) + " Disember 2026\r\n";
        s += "Imsak=05:41\r\nSuboh=05:51\r\nSyuruk=07:03\r\nDuha=07:29\r\nZohor=13:08\r\n"
             "Asar=16:32\r\nMagrib=19:10\r\nIsyak=20:25\r\n" +
             std::string(42, '-') + "\r\n\r\n";
    }
    return s + "\r\n";
}

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
    fakes::writeBytes(path, monthDatabase());
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
