#include "dates/DaySerial.h"
#include "dates/HijriConversion.h"
#include "dates/HijriTable.h"

#include <benchmark/benchmark.h>

namespace {

using namespace sijill::dates;

// Every day of the year table, Hijri -> serial -> Gregorian.
void BM_HijriToGregorian(benchmark::State& state) {
    InitHijriTable();
    for (auto _ : state) {
        for (int y = kFirstHijriYear; y <= kLastHijriYear; ++y) {
            for (int m = 1; m <= 12; ++m) {
                const int length = hijriMonthLength(y, m);
                for (int d = 1; d <= length; ++d)
                    benchmark::DoNotOptimize(serialToGregorian(*HijriToSerial(d, m, y)));
            }
        }
    }
}
BENCHMARK(BM_HijriToGregorian)->Unit(benchmark::kMillisecond);

// Every day of the year table, Gregorian -> day-first Hijri text.
void BM_GregorianToHijri(benchmark::State& state) {
    const HijriTable& table = InitHijriTable();
    for (auto _ : state) {
        for (DaySerial s = table.firstSerial(); s <= table.lastSerial(); ++s) {
            const GregorianDate g = serialToGregorian(s);
            benchmark::DoNotOptimize(GregorianToHijri(g.day, g.month, g.year));
        }
    }
}
BENCHMARK(BM_GregorianToHijri)->Unit(benchmark::kMillisecond);

// The whole round trip both ways for every day, as the tests walk it.
void BM_RoundTripBothWays(benchmark::State& state) {
    const HijriTable& table = InitHijriTable();
    for (auto _ : state) {
        for (DaySerial s = table.firstSerial(); s <= table.lastSerial(); ++s) {
            const HijriDate h = *SerialToHijri(s);
            const GregorianDate g = serialToGregorian(*HijriToSerial(h.day, h.month, h.year));
            benchmark::DoNotOptimize(GregorianToHijri(g.day, g.month, g.year));
        }
    }
}
BENCHMARK(BM_RoundTripBothWays)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
