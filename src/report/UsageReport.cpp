#include "report/UsageReport.h"

#include <algorithm>
#include <cmath>

namespace mereth {

namespace {

// Monday is 0, as the locale counts the first day of the week; 1970-01-01 was a Thursday.
int Weekday(std::int32_t day) {
    return static_cast<int>(((day + 3) % 7 + 7) % 7);
}

std::int32_t MonthIndex(CalendarDate date) {
    return date.year * 12 + (date.month - 1);
}

std::int32_t PeriodStart(std::int32_t day, ReportGrouping grouping, int firstDayOfWeek) {
    switch (grouping) {
    case ReportGrouping::Week:
        return day - (Weekday(day) - firstDayOfWeek + 7) % 7;
    case ReportGrouping::Month: {
        CalendarDate date = DateOfDayNumber(day);
        date.day = 1;
        return DayNumber(date);
    }
    case ReportGrouping::Day:
        break;
    }
    return day;
}

// Calls f(daySum, dayNumber) for each day with calls of the query's entry (or entries)
// within its range.
template <typename F> void ForEachDay(const CLogReader& log, const ReportQuery& query, F f) {
    if (query.to < query.from) {
        return;
    }
    const std::int32_t from = DayNumber(query.from);
    const std::int32_t to = DayNumber(query.to);
    const int count = static_cast<int>(log.EntryNames().size());
    for (int entry = query.entry < 0 ? 0 : query.entry;
         entry < (query.entry < 0 ? count : std::min(query.entry + 1, count)); ++entry) {
        const auto& days = log.DaySums(entry);
        for (auto it = days.lower_bound(from); it != days.end() && it->first <= to; ++it) {
            f(it->second, it->first);
        }
    }
}

double MeasureOf(const DaySum& sum, ReportMeasure measure) {
    switch (measure) {
    case ReportMeasure::Time:
        return static_cast<double>(sum.seconds);
    case ReportMeasure::Calls:
        return static_cast<double>(sum.calls);
    case ReportMeasure::Cost:
        break;
    }
    return sum.cost;
}

void Add(ReportRow& row, const DaySum& sum) {
    row.calls += sum.calls;
    row.seconds += sum.seconds;
    row.cost += sum.cost;
}

// The smallest of 1, 2, 5 times a power of ten that is at least raw.
double Step125(double raw) {
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0}) {
        if (m * power >= raw * (1 - 1e-9)) {
            return m * power;
        }
    }
    return 10.0 * power;
}

} // namespace

ReportTable BuildReport(const CLogReader& log, const ReportQuery& query) {
    ReportTable table;
    table.total.first = query.from;
    const int firstDayOfWeek = log.Format().firstDayOfWeek;
    std::map<std::int32_t, ReportRow> periods;
    ForEachDay(log, query, [&](const DaySum& sum, std::int32_t day) {
        const std::int32_t start = PeriodStart(day, query.grouping, firstDayOfWeek);
        auto [it, added] = periods.try_emplace(start);
        if (added) {
            it->second.first = DateOfDayNumber(start);
        }
        Add(it->second, sum);
        Add(table.total, sum);
    });
    table.rows.reserve(periods.size());
    for (const auto& [start, row] : periods) {
        table.rows.push_back(row);
    }
    return table;
}

std::vector<LoggedCall> CallsInRange(const CLogReader& log, const ReportQuery& query) {
    std::vector<LoggedCall> calls;
    for (const LoggedCall& call : log.Calls()) {
        if ((query.entry < 0 || call.entry == query.entry) && query.from <= call.date &&
            call.date <= query.to) {
            calls.push_back(call);
        }
    }
    return calls;
}

void SortRows(std::vector<ReportRow>& rows, int column, bool ascending) {
    auto key = [column](const ReportRow& row) -> double {
        switch (column) {
        case 1:
            return static_cast<double>(row.calls);
        case 2:
            return static_cast<double>(row.seconds);
        case 3:
            return row.cost;
        default:
            return static_cast<double>(DayNumber(row.first));
        }
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const ReportRow& a, const ReportRow& b) {
        return ascending ? key(a) < key(b) : key(b) < key(a);
    });
}

ChartBars BuildChart(const CLogReader& log, const ReportQuery& query, ReportMeasure measure) {
    ChartBars bars;
    if (query.to < query.from) {
        return bars;
    }
    const std::int32_t from = DayNumber(query.from);
    const std::int32_t to = DayNumber(query.to);
    bars.byMonth = to - from + 1 > CHART_DAYS_MAX;
    if (!bars.byMonth) {
        for (std::int32_t day = from; day <= to; ++day) {
            bars.firsts.push_back(DateOfDayNumber(day));
        }
        bars.values.assign(bars.firsts.size(), 0.0);
        ForEachDay(log, query, [&](const DaySum& sum, std::int32_t day) {
            bars.values[static_cast<std::size_t>(day - from)] += MeasureOf(sum, measure);
        });
        return bars;
    }
    const std::int32_t firstMonth = MonthIndex(query.from);
    for (std::int32_t month = firstMonth; month <= MonthIndex(query.to); ++month) {
        bars.firsts.push_back({month / 12, month % 12 + 1, 1});
    }
    bars.values.assign(bars.firsts.size(), 0.0);
    ForEachDay(log, query, [&](const DaySum& sum, std::int32_t day) {
        const std::int32_t month = MonthIndex(DateOfDayNumber(day));
        bars.values[static_cast<std::size_t>(month - firstMonth)] += MeasureOf(sum, measure);
    });
    return bars;
}

AxisScale NiceAxis(double maxValue, ReportMeasure measure) {
    // About five ticks; never finer than a cent, a call or a minute.
    constexpr double TICKS = 5.0;
    AxisScale axis;
    if (!(maxValue > 0.0) || !std::isfinite(maxValue)) {
        axis.step = measure == ReportMeasure::Time ? 60.0 : 1.0;
        axis.top = axis.step;
        return axis;
    }
    const double raw = maxValue / TICKS;
    switch (measure) {
    case ReportMeasure::Cost:
        axis.step = std::max(0.01, Step125(raw));
        break;
    case ReportMeasure::Calls:
        axis.step = std::max(1.0, Step125(raw));
        break;
    case ReportMeasure::Time:
        // Minutes up to steps of 20, then hours.
        axis.step = raw <= 20 * 60.0 ? 60.0 * std::max(1.0, Step125(raw / 60.0))
                                     : 3600.0 * std::max(1.0, Step125(raw / 3600.0));
        break;
    }
    axis.ticks = std::max(1, static_cast<int>(std::ceil(maxValue / axis.step * (1 - 1e-12))));
    axis.top = axis.step * axis.ticks;
    return axis;
}

} // namespace mereth
