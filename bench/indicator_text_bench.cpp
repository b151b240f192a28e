// One tick of the main window as it runs: the watcher asks the dial-up service (a fake
// one) once, the poll cycle ticks the running call, then the fifteen indicator texts of
// the selected record are formatted from the table and handed on where they changed.
#include "ui/IndicatorText.h"

#include "WatchedRig.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <tuple>

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

// What the indicator controls keep of the texts: SetText compares with what is shown
// and takes only a changed text, counting the characters that stay.
struct CShownTexts {
    IndicatorText texts[INDICATOR_COUNT];
    long changed = 0;
    std::size_t unchanged = 0;

    void Refresh(const ConnectionStats& record, const DisplaySettings& display,
                 const ILocale& locale) {
        IndicatorText text;
        for (int i = 0; i < INDICATOR_COUNT; ++i) {
            FormatIndicatorText(i, record, display, locale, text);
            if (!(texts[i] == text.view())) {
                unchanged += UnchangedPrefixLength(texts[i].view(), text.view());
                texts[i].Assign(text.view());
                ++changed;
            }
        }
    }
};

// Each iteration is one 800 ms poll of a running call priced by the second, with the
// Work record selected.
void BM_WindowTick(benchmark::State& state) {
    test::WatchedRig rig;
    auto [clock, model, ras, cycle] = std::tie(rig.clock, rig.model, rig.ras, rig.cycle);
    const CalendarTime origin = rig.origin;
    Tariff& t = model.m_entries[1].tariff;
    t.periodEnd[0] = 1440;
    t.periodUnitCost[0] = 0.01f;
    t.periodUnitTime[0] = 1;
    ras.Connect("Work");
    cycle.OnPollTimer();
    std::int64_t millis = 0;

    CCountingCurrencyLocale locale;
    DisplaySettings display;
    CShownTexts shown;
    const ConnectionStats& record = model.m_entries[1];
    shown.Refresh(record, display, locale);
    locale.calls = 0;
    shown.changed = 0;
    for (auto _ : state) {
        millis += 800;
        clock.Set(origin + millis / 1000);
        const PollResult result = cycle.OnPollTimer();
        if (result.accounting.figuresChanged) {
            shown.Refresh(record, display, locale);
        }
    }
    benchmark::DoNotOptimize(shown.unchanged);
    state.counters["locale_calls"] =
        benchmark::Counter(static_cast<double>(locale.calls), benchmark::Counter::kAvgIterations);
    state.counters["repainted"] =
        benchmark::Counter(static_cast<double>(shown.changed), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WindowTick);

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
