#pragma once

#include "accounting/UsageModel.h"
#include "ui/Indicators.h"
#include "ui/UserTexts.h"
#include "ui/TextBuffer.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mereth {

// The name of a month, or an empty name for a number outside 1..12 (a damaged stored
// month shows so until the date check corrects it).
const char* MonthName(std::int32_t month);

// The date text the captions take: a stored start date or a short date of 30.
constexpr std::size_t CAPTION_DATE_CAPACITY = 63;
// "Total (since " and ")" around the longest date.
constexpr std::size_t CAPTION_CAPACITY = CAPTION_DATE_CAPACITY + 16;
using CaptionText = CTextBuffer<CAPTION_CAPACITY>;

void FormatTotalCaption(std::string_view startDate, CaptionText& out);
void FormatYearCaption(std::int32_t year, CaptionText& out);
void FormatMonthCaption(std::int32_t month, CaptionText& out);
void FormatTodayCaption(std::string_view date, CaptionText& out);

// The connection box's caption for the kind shown, or null when a kind outside the
// three leaves the caption as it is. connectedRecord is the watcher's record, -1 for none.
const char* ConnectionCaption(int kind, bool connected, int connectedRecord, int selectedRecord);

// The five group-box captions of the selected record.
class CGroupCaptions {
public:
    // A selection outside the records in use (a combo box with nothing chosen) reads no
    // record: its start date shows empty. The Today caption has the clock's date now.
    void Refresh(const CUsageModel& model, int kind, bool connected, int connectedRecord);

    CaptionText m_total;
    CaptionText m_year;
    CaptionText m_month;
    CaptionText m_today;
    const char* m_connection = nullptr; // null: leave the caption alone
};

} // namespace mereth
