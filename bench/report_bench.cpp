// The usage report over a long history: 100,000 calls (some 8 MB of log) read in the
// pieces a file read gives, then summed by month and by day, and a month's calls listed.
#include "report/UsageReport.h"

#include "log/ConnectionLogFormat.h"

#include "FakeLocale.h"

#include <benchmark/benchmark.h>

#include <string>

namespace mereth {
namespace {

constexpr int CALLS = 100000;
constexpr std::size_t PIECE = 64 * 1024;

// Three entries dialled some 90 times a day for three years, as the program writes them.
const std::string& History() {
    static const std::string text = [] {
        test::CFakeLocale locale;
        const char* names[] = {"Work", "Home", "Brambleway Dial-up Link"};
        std::string log(LOG_HEADER);
        std::int32_t day = DayNumber({2024, 1, 1});
        for (int i = 0; i < CALLS; ++i) {
            CalendarDate date = DateOfDayNumber(day + i / 91);
            LocalTime start;
            start.year = date.year, start.month = date.month, start.day = date.day;
            start.hour = i % 24, start.minute = i * 7 % 60, start.second = i * 13 % 60;
            LogEntry entry;
            FormatLogEntry(locale, names[i % 3], start, 60 + i * 37 % 7200,
                           0.05f + static_cast<float>(i % 400) / 100.0f, i + 1, entry);
            log += entry.view();
        }
        return log;
    }();
    return text;
}

LogLocaleFormat FakeFormat() {
    return {LogLocaleFormat::DateOrder::DMY, ".", ",", 2049, 0};
}

void ReadHistory(CLogReader& log) {
    std::string_view text = History();
    for (std::size_t at = 0; at < text.size(); at += PIECE) {
        log.Feed(text.substr(at, PIECE));
    }
    log.Finish();
}

void BM_ReportReadLog(benchmark::State& state) {
    for (auto _ : state) {
        CLogReader log(FakeFormat());
        ReadHistory(log);
        benchmark::DoNotOptimize(log.ReadLines());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(History().size()));
}
BENCHMARK(BM_ReportReadLog)->Unit(benchmark::kMillisecond);

// What opening the report costs: the whole log read, the tables of the whole history by
// month and by day, a month's calls.
void BM_ReportOpen(benchmark::State& state) {
    for (auto _ : state) {
        CLogReader log(FakeFormat());
        ReadHistory(log);
        CalendarDate first;
        CalendarDate last;
        log.DateSpan(first, last);
        ReportQuery query{-1, ReportGrouping::Month, first, last};
        benchmark::DoNotOptimize(BuildReport(log, query).rows.size());
        query.grouping = ReportGrouping::Day;
        benchmark::DoNotOptimize(BuildReport(log, query).rows.size());
        query.from = {2025, 6, 1};
        query.to = {2025, 6, 30};
        benchmark::DoNotOptimize(CallsInRange(log, query).size());
    }
}
BENCHMARK(BM_ReportOpen)->Unit(benchmark::kMillisecond);

void BM_ReportSummaries(benchmark::State& state) {
    CLogReader log(FakeFormat());
    ReadHistory(log);
    ReportQuery query{-1, ReportGrouping::Day, {2024, 1, 1}, {2026, 12, 31}};
    for (auto _ : state) {
        query.grouping = ReportGrouping::Month;
        benchmark::DoNotOptimize(BuildReport(log, query).rows.size());
        query.grouping = ReportGrouping::Day;
        benchmark::DoNotOptimize(BuildReport(log, query).rows.size());
        benchmark::DoNotOptimize(
            CallsInRange(log, {0, ReportGrouping::Day, {2025, 6, 1}, {2025, 6, 30}}).size());
    }
}
BENCHMARK(BM_ReportSummaries)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace mereth
