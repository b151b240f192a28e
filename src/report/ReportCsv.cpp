#include "report/UsageReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace mereth {

namespace {

constexpr std::string_view CRLF = "\r\n";

void Quoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

void Number(std::string& out, std::int64_t value) {
    out += std::to_string(value);
}

// With a dot whatever the C library's locale, and no more decimals than it needs past
// the cent (some currencies count in thousandths).
void Amount(std::string& out, double value) {
    if (!(std::fabs(value) < 9e14)) {
        // Past what the count of ten-thousandths holds; cents are all a double has here.
        char text[400];
        const int n = std::snprintf(text, sizeof text, "%.2f", value);
        if (n > 0 && static_cast<std::size_t>(n) < sizeof text) {
            std::replace(text, text + n, ',', '.');
            out.append(text, static_cast<std::size_t>(n));
        }
        return;
    }
    const long long scaled = std::llround(value * 10000.0);
    const unsigned long long magnitude = scaled < 0 ? 0 - static_cast<unsigned long long>(scaled)
                                                    : static_cast<unsigned long long>(scaled);
    if (scaled < 0) {
        out += '-';
    }
    out += std::to_string(magnitude / 10000);
    std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
    while (fraction.size() > 2 && fraction.back() == '0') {
        fraction.pop_back();
    }
    out += '.';
    out += fraction;
}

void Date(std::string& out, CalendarDate date, bool withDay) {
    char text[16];
    int n = withDay ? std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month,
                                    date.day)
                    : std::snprintf(text, sizeof text, "%04d-%02d", date.year, date.month);
    if (n > 0 && static_cast<std::size_t>(n) < sizeof text) {
        out.append(text, static_cast<std::size_t>(n));
    }
}

void Time(std::string& out, std::int32_t second) {
    char text[16];
    int n = std::snprintf(text, sizeof text, "%02d:%02d:%02d", second / 3600 % 100,
                          second / 60 % 60, second % 60);
    if (n > 0 && static_cast<std::size_t>(n) < sizeof text) {
        out.append(text, static_cast<std::size_t>(n));
    }
}

void Figures(std::string& out, const ReportRow& row) {
    out += ',';
    Number(out, row.calls);
    out += ',';
    Number(out, row.seconds);
    out += ',';
    Amount(out, row.cost);
    out += CRLF;
}

} // namespace

std::string ReportTableCsv(const ReportTable& table, ReportGrouping grouping) {
    std::string out;
    out.reserve(64 + 40 * table.rows.size());
    out += "Period,Calls,Seconds,Cost";
    out += CRLF;
    for (const ReportRow& row : table.rows) {
        Date(out, row.first, grouping != ReportGrouping::Month);
        Figures(out, row);
    }
    Quoted(out, "Total");
    Figures(out, table.total);
    return out;
}

std::string CallsCsv(const CLogReader& log, const std::vector<LoggedCall>& calls) {
    const std::vector<std::string>& names = log.EntryNames();
    std::string out;
    out.reserve(64 + 64 * calls.size());
    out += "Entry,Start,Seconds,Cost";
    out += CRLF;
    for (const LoggedCall& call : calls) {
        const std::size_t entry = static_cast<std::size_t>(call.entry);
        Quoted(out, entry < names.size() ? std::string_view(names[entry]) : std::string_view());
        out += ',';
        Date(out, call.date, true);
        out += ' ';
        Time(out, call.startSecond);
        out += ',';
        Number(out, call.seconds);
        out += ',';
        Amount(out, call.cost);
        out += CRLF;
    }
    return out;
}

} // namespace mereth
