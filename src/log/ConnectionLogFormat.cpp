#include "log/ConnectionLogFormat.h"

#include <cstdio>
#include <cstring>

namespace mereth {

namespace {

constexpr std::size_t NAME_WIDTH = 20;
constexpr std::size_t DURATION_WIDTH = 10;
constexpr std::size_t COST_WIDTH = 12;

// Appends into a fixed buffer; the capacities leave room for the widest line, so the
// bounds check only guards against a locale gone wrong.
template <std::size_t Capacity> class LineWriter {
public:
    explicit LineWriter(LogText<Capacity>& line) : m_line(line) { m_line.length = 0; }
    ~LineWriter() { m_line.text[m_line.length] = '\0'; }

    void Append(std::string_view text) {
        std::size_t room = Capacity - 1 - m_line.length;
        std::size_t n = text.size() < room ? text.size() : room;
        std::memcpy(m_line.text + m_line.length, text.data(), n);
        m_line.length += n;
    }

    void Blanks(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            Append(" ");
        }
    }

    // Right-aligned in width; a wider text is kept whole.
    void RightAligned(std::string_view text, std::size_t width) {
        if (text.size() < width) {
            Blanks(width - text.size());
        }
        Append(text);
    }

private:
    LogText<Capacity>& m_line;
};

std::size_t Printed(int n, std::size_t capacity) {
    if (n < 0 || static_cast<std::size_t>(n) >= capacity) {
        return 0;
    }
    return static_cast<std::size_t>(n);
}

} // namespace

bool LogHeaderDue(std::int32_t loginCount) {
    return loginCount % 20 == 0;
}

std::size_t FormatLogDuration(std::int64_t seconds, char* out, std::size_t capacity) {
    const char* sign = seconds < 0 ? "-" : "";
    // The magnitude in unsigned arithmetic: the most negative count has no positive.
    const std::uint64_t s =
        seconds < 0 ? 0 - static_cast<std::uint64_t>(seconds) : static_cast<std::uint64_t>(seconds);
    int n = std::snprintf(
        out, capacity, "%s%llu:%02d:%02d:%02d", sign, static_cast<unsigned long long>(s / 86400),
        static_cast<int>(s / 3600 % 24), static_cast<int>(s / 60 % 60), static_cast<int>(s % 60));
    return Printed(n, capacity);
}

void FormatLogLine(const ILocale& locale, std::string_view entryName, const LocalTime& start,
                   std::int32_t durationSeconds, float cost, LogLine& line) {
    LineWriter writer(line);

    std::string_view name = entryName.substr(0, NAME_WIDTH);
    writer.Append(name);
    writer.Blanks(NAME_WIDTH - name.size());
    writer.Append(" | ");

    char date[64];
    std::size_t dateLength =
        locale.FormatShortDate(start.year, start.month, start.day, date, sizeof date);
    writer.Append({date, dateLength});

    char time[32];
    std::size_t timeLength = Printed(
        std::snprintf(time, sizeof time, " %02d:%02d:%02d", start.hour, start.minute, start.second),
        sizeof time);
    writer.Append({time, timeLength});
    writer.Append(" | ");

    char duration[32];
    std::size_t durationLength = FormatLogDuration(durationSeconds, duration, sizeof duration);
    writer.RightAligned({duration, durationLength}, DURATION_WIDTH);
    writer.Append(" | ");

    // The locale takes the amount as plain "%f" text; room for the largest float.
    char amount[64];
    std::size_t amountLength = Printed(
        std::snprintf(amount, sizeof amount, "%f", static_cast<double>(cost)), sizeof amount);
    char money[128];
    std::size_t moneyLength =
        amountLength > 0 ? locale.FormatCurrency(amount, money, sizeof money) : 0;
    writer.RightAligned({money, moneyLength}, COST_WIDTH);
    writer.Append("\n");
}

void FormatLogEntry(const ILocale& locale, std::string_view entryName, const LocalTime& start,
                    std::int32_t durationSeconds, float cost, std::int32_t loginCount,
                    LogEntry& entry) {
    LogLine line;
    FormatLogLine(locale, entryName, start, durationSeconds, cost, line);
    LineWriter writer(entry);
    if (LogHeaderDue(loginCount)) {
        writer.Append(LOG_HEADER);
    }
    writer.Append(line.view());
}

namespace {

template <typename Char>
std::basic_string<Char> LogPathBeside(std::basic_string_view<Char> modulePath) {
    if (modulePath.empty()) {
        return {};
    }
    // The last character is never taken for the separator.
    std::size_t folderLength = 0;
    for (std::size_t i = modulePath.size() - 1; i-- > 0;) {
        if (modulePath[i] == Char('\\')) {
            folderLength = i + 1;
            break;
        }
    }
    std::basic_string<Char> path(modulePath.substr(0, folderLength));
    for (char c : LOG_FILE_NAME) {
        path += static_cast<Char>(c);
    }
    return path;
}

} // namespace

std::string LogFilePathFromModule(std::string_view modulePath) {
    return LogPathBeside(modulePath);
}

std::wstring LogFilePathFromModule(std::wstring_view modulePath) {
    return LogPathBeside(modulePath);
}

void PrepareLogAtStartup(ILogFile& log, bool freshStore) {
    if (freshStore || !log.LogFileExists()) {
        log.WriteLogHeader();
    }
}

} // namespace mereth
