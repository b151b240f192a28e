#pragma once
// The report's bar chart: one bar per day or month of the range, a value axis with
// labels in the user's formats, drawn with GDI.
#include "core/Locale.h"
#include "framework/Wnd.h"
#include "report/UsageReport.h"

#include <cstddef>

namespace mereth {

// An axis value as the chart labels it: money through the locale's currency format,
// seconds as h:mm, calls as a plain count. Returns the length written.
std::size_t FormatAxisValue(double value, ReportMeasure measure, const ILocale& locale, char* out,
                            std::size_t capacity);

class CReportChart : public CWnd {
public:
    explicit CReportChart(const ILocale& locale) : m_locale(locale) {}

    void SetBars(ChartBars bars, ReportMeasure measure);

private:
    void OnPaint();
    bool OnEraseBackground(HDC) { return true; }
    void Draw(HDC dc, const RECT& client) const;
    // A bar's label: the short date of its day, or its month's name and year.
    std::size_t FormatBarLabel(std::size_t bar, char* out, std::size_t capacity) const;

    const ILocale& m_locale;
    ChartBars m_bars;
    ReportMeasure m_measure = ReportMeasure::Cost;

    static constexpr MessageEntry MESSAGE_ENTRIES[] = {
        On<WM_PAINT, &CReportChart::OnPaint>(),
        On<WM_ERASEBKGND, &CReportChart::OnEraseBackground>(),
    };

public:
    static constexpr MessageMap MESSAGE_MAP{MESSAGE_ENTRIES, &CWnd::MESSAGE_MAP};
    const MessageMap& GetMessageMap() const override { return MESSAGE_MAP; }
};

} // namespace mereth
