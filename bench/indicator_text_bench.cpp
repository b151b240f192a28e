// The texts of one tick of the main window: the fifteen indicators formatted (durations,
// currency through the locale port, counts) and compared with what is on screen.
#include "ui/IndicatorTexts.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

namespace mereth {
namespace {

// Does what the system's currency formatting does with the "%f" text: parses it, rounds
// to two decimals, groups the thousands and applies symbol and negative pattern. Counts
// its calls.
class CCountingCurrencyLocale : public ILocale {
public:
    mutable long calls = 0;

    std::size_t FormatShortDate(int, int, int, char*, std::size_t) const override { return 0; }

    std::size_t FormatCurrency(const char* amountText, char* out,
                               std::size_t capacity) const override {
        ++calls;
        double amount = std::strtod(amountText, nullptr);
        bool negative = amount < 0;
        unsigned long long cents =
            static_cast<unsigned long long>((negative ? -amount : amount) * 100.0 + 0.5);
        char digits[32];
        int n = 0;
        unsigned long long whole = cents / 100;
        do {
            if (n > 0 && n % 4 == 3) {
                digits[n++] = ',';
            }
            digits[n++] = static_cast<char>('0' + whole % 10);
            whole /= 10;
        } while (whole != 0);
        std::size_t length = 0;
        auto put = [&](char c) {
            if (length + 1 < capacity) {
                out[length] = c;
            }
            ++length;
        };
        if (negative) {
            put('-');
        }
        put('\xA3');
        while (n > 0) {
            put(digits[--n]);
        }
        put('.');
        put(static_cast<char>('0' + cents / 10 % 10));
        put(static_cast<char>('0' + cents % 10));
        if (length + 1 > capacity) {
            return 0;
        }
        out[length] = '\0';
        return length;
    }
};

ConnectionStats RunningRecord() {
    ConnectionStats r;
    r.totalTime.value = 3 * 86400 + 7 * 3600;
    r.yearTime.value = 2 * 86400;
    r.monthTime.value = 20 * 3600;
    r.todayTime.value = 2 * 3600;
    r.connTime.value = 600;
    r.totalCost.value = 812.40f;
    r.yearCost.value = 301.25f;
    r.monthCost.value = 41.70f;
    r.todayCost.value = 3.10f;
    r.connCost.value = 0.42f;
    r.totalLogins = 1234;
    r.yearLogins = 310;
    r.monthLogins = 44;
    r.todayLogins = 3;
    return r;
}

// One poll of a running call: every time figure moves on by a second, the costs by a
// charge step now and then, and the fifteen texts are formatted and compared.
void BM_IndicatorTextsTick(benchmark::State& state) {
    CCountingCurrencyLocale locale;
    DisplaySettings display;
    ConnectionStats record = RunningRecord();
    CIndicatorTexts texts;
    texts.Refresh(record, display, locale);
    long repainted = 0;
    int tick = 0;
    for (auto _ : state) {
        for (TimeFigure* f : {&record.totalTime, &record.yearTime, &record.monthTime,
                              &record.todayTime, &record.connTime}) {
            ++f->value;
        }
        if (++tick % 8 == 0) {
            for (CostFigure* f : {&record.totalCost, &record.yearCost, &record.monthCost,
                                  &record.todayCost, &record.connCost}) {
                f->value += 0.01f;
            }
        }
        std::uint32_t changed = texts.Refresh(record, display, locale);
        repainted += __builtin_popcount(changed);
    }
    state.counters["locale_calls"] =
        benchmark::Counter(static_cast<double>(locale.calls), benchmark::Counter::kAvgIterations);
    state.counters["repainted"] =
        benchmark::Counter(static_cast<double>(repainted), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_IndicatorTextsTick);

// A selected record that is not connected: nothing changes, nothing is repainted.
void BM_IndicatorTextsIdle(benchmark::State& state) {
    CCountingCurrencyLocale locale;
    DisplaySettings display;
    ConnectionStats record = RunningRecord();
    CIndicatorTexts texts;
    texts.Refresh(record, display, locale);
    for (auto _ : state) {
        benchmark::DoNotOptimize(texts.Refresh(record, display, locale));
    }
}
BENCHMARK(BM_IndicatorTextsIdle);

void BM_FormatDuration(benchmark::State& state) {
    IndicatorText text;
    std::int64_t span = 90061;
    for (auto _ : state) {
        FormatDuration(++span, true, true, text);
        benchmark::DoNotOptimize(text.c_str());
    }
}
BENCHMARK(BM_FormatDuration);

void BM_FormatCurrencyText(benchmark::State& state) {
    CCountingCurrencyLocale locale;
    IndicatorText text;
    float amount = 812.40f;
    for (auto _ : state) {
        amount += 0.01f;
        FormatCurrencyText(amount, locale, text);
        benchmark::DoNotOptimize(text.c_str());
    }
}
BENCHMARK(BM_FormatCurrencyText);

} // namespace
} // namespace mereth
