#include "ui/Captions.h"

namespace mereth {

namespace {
// The size of the date buffer the Today caption has always had.
constexpr std::size_t TODAY_DATE_CAPACITY = 30;
} // namespace

const char* MonthName(std::int32_t month) {
    return month >= 1 && month <= 12 ? MONTH_NAMES[month] : MONTH_NAMES[0];
}

void FormatTotalCaption(std::string_view startDate, CaptionText& out) {
    startDate = startDate.substr(0, CAPTION_DATE_CAPACITY);
    out.Format(TOTAL_CAPTION, static_cast<int>(startDate.size()), startDate.data());
}

void FormatYearCaption(std::int32_t year, CaptionText& out) {
    out.Format(YEAR_CAPTION, static_cast<int>(year));
}

void FormatMonthCaption(std::int32_t month, CaptionText& out) {
    out.Format(MONTH_CAPTION, MonthName(month));
}

void FormatTodayCaption(std::string_view date, CaptionText& out) {
    date = date.substr(0, CAPTION_DATE_CAPACITY);
    out.Format(TODAY_CAPTION, static_cast<int>(date.size()), date.data());
}

const char* ConnectionCaption(int kind, bool connected, int connectedRecord, int selectedRecord) {
    switch (kind) {
    case KIND_TIMES:
    case KIND_COSTS:
        return connected && ((connectedRecord >= 0 && connectedRecord == selectedRecord) ||
                             selectedRecord == 0)
                   ? THIS_CONNECTION_CAPTION
                   : LAST_CONNECTION_CAPTION;
    case KIND_LOGINS:
        return "";
    default:
        return nullptr;
    }
}

void CGroupCaptions::Refresh(const CUsageModel& model, int kind, bool connected,
                             int connectedRecord) {
    const int selected = model.m_selectedEntry;
    const bool valid = model.IsValidRecord(selected);
    FormatTotalCaption(valid ? model.m_entries[selected].startDate.view() : std::string_view(""),
                       m_total);
    FormatYearCaption(model.m_currentYear, m_year);
    FormatMonthCaption(model.m_currentMonth, m_month);

    LocalTime now = model.Clock().ToLocal(model.Clock().Now());
    char date[TODAY_DATE_CAPACITY];
    std::size_t length =
        model.Locale().FormatShortDate(now.year, now.month, now.day, date, sizeof date);
    FormatTodayCaption({date, length < sizeof date ? length : 0}, m_today);

    m_connection = ConnectionCaption(kind, connected, connectedRecord, valid ? selected : -1);
}

} // namespace mereth
