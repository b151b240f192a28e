#include "report/win32/ReportChart.h"

#include "framework/Gdi.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <utility>

namespace mereth {

namespace {

constexpr COLORREF BAR_COLOUR = RGB(58, 110, 165);
constexpr COLORREF GRID_COLOUR = RGB(220, 220, 220);
constexpr COLORREF AXIS_COLOUR = RGB(96, 96, 96);
constexpr int LABEL_CAPACITY = 64;

std::size_t Written(int n, std::size_t capacity) {
    return n > 0 && static_cast<std::size_t>(n) < capacity ? static_cast<std::size_t>(n) : 0;
}

} // namespace

std::size_t FormatAxisValue(double value, ReportMeasure measure, const ILocale& locale, char* out,
                            std::size_t capacity) {
    if (capacity == 0) {
        return 0;
    }
    out[0] = '\0';
    switch (measure) {
    case ReportMeasure::Cost: {
        char amount[64];
        std::snprintf(amount, sizeof amount, "%.2f", value);
        return locale.FormatCurrency(amount, out, capacity);
    }
    case ReportMeasure::Time: {
        const long long minutes = std::llround(value / 60.0);
        return Written(std::snprintf(out, capacity, "%lld:%02lld", minutes / 60, minutes % 60),
                       capacity);
    }
    case ReportMeasure::Calls:
        return Written(std::snprintf(out, capacity, "%.0f", value), capacity);
    }
    return 0;
}

void CReportChart::SetBars(ChartBars bars, ReportMeasure measure) {
    m_bars = std::move(bars);
    m_measure = measure;
    Invalidate(false);
}

std::size_t CReportChart::FormatBarLabel(std::size_t bar, char* out, std::size_t capacity) const {
    const CalendarDate& date = m_bars.firsts[bar];
    if (!m_bars.byMonth) {
        return m_locale.FormatShortDate(date.year, date.month, date.day, out, capacity);
    }
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(date.year);
    st.wMonth = static_cast<WORD>(date.month);
    st.wDay = 1;
    const int n =
        GetDateFormatA(LOCALE_USER_DEFAULT, 0, &st, "MMM yy", out, static_cast<int>(capacity));
    return n > 0 ? static_cast<std::size_t>(n - 1) : 0;
}

void CReportChart::OnPaint() {
    CPaintDC paint(m_hWnd);
    RECT client;
    GetClientRect(client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    // Drawn off screen first, so a resize does not flicker.
    CBitmap bitmap(CreateCompatibleBitmap(paint.Get(), std::max(width, 1), std::max(height, 1)));
    HDC memory = CreateCompatibleDC(paint.Get());
    if (!memory || !bitmap) {
        if (memory) {
            DeleteDC(memory);
        }
        Draw(paint.Get(), client);
        return;
    }
    {
        CSelectObject keep(memory, bitmap.Get());
        Draw(memory, client);
        BitBlt(paint.Get(), 0, 0, width, height, memory, 0, 0, SRCCOPY);
    }
    DeleteDC(memory);
}

void CReportChart::Draw(HDC dc, const RECT& client) const {
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const HFONT font = reinterpret_cast<HFONT>(GetParent().SendMessage(WM_GETFONT));
    CSelectObject keepFont(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, AXIS_COLOUR);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int lineHeight = metrics.tmHeight;

    double maxValue = 0.0;
    for (double value : m_bars.values) {
        maxValue = std::max(maxValue, value);
    }
    if (m_bars.values.empty()) {
        RECT box = client;
        DrawTextA(dc, "No calls in this range", -1, &box,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    const AxisScale axis = NiceAxis(maxValue, m_measure);
    const int ticks = std::max(axis.ticks, 1);

    char label[LABEL_CAPACITY];
    int labelWidth = 0;
    for (int tick = 0; tick <= ticks; ++tick) {
        const std::size_t n =
            FormatAxisValue(axis.step * tick, m_measure, m_locale, label, sizeof label);
        SIZE size{};
        GetTextExtentPoint32A(dc, label, static_cast<int>(n), &size);
        labelWidth = std::max(labelWidth, static_cast<int>(size.cx));
    }
    const RECT plot{client.left + labelWidth + 10, client.top + lineHeight / 2 + 4,
                    client.right - 10, client.bottom - lineHeight - 8};
    const int plotHeight = plot.bottom - plot.top;
    const int plotWidth = plot.right - plot.left;
    if (plotHeight < 10 || plotWidth < 10) {
        return;
    }

    CPen gridPen(CreatePen(PS_SOLID, 1, GRID_COLOUR));
    CPen axisPen(CreatePen(PS_SOLID, 1, AXIS_COLOUR));
    {
        CSelectObject keepPen(dc, gridPen.Get());
        for (int tick = 0; tick <= ticks; ++tick) {
            const int y =
                plot.bottom - static_cast<int>(std::lround(plotHeight * double(tick) / ticks));
            MoveToEx(dc, plot.left, y, nullptr);
            LineTo(dc, plot.right, y);
            const std::size_t n =
                FormatAxisValue(axis.step * tick, m_measure, m_locale, label, sizeof label);
            RECT box{client.left, y - lineHeight / 2, plot.left - 5, y + lineHeight / 2 + 1};
            DrawTextA(dc, label, static_cast<int>(n), &box, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
        }
    }

    const std::size_t count = m_bars.values.size();
    const double slot = double(plotWidth) / double(count);
    const int barWidth = std::max(1, static_cast<int>(slot * 0.7));
    CBrush barBrush(CreateSolidBrush(BAR_COLOUR));
    for (std::size_t i = 0; i < count; ++i) {
        const double share = axis.top > 0 ? std::clamp(m_bars.values[i] / axis.top, 0.0, 1.0) : 0;
        const int left = plot.left + static_cast<int>(slot * double(i) + (slot - barWidth) / 2);
        const int top = plot.bottom - static_cast<int>(std::lround(plotHeight * share));
        const RECT bar{left, top, left + barWidth, plot.bottom};
        if (top < plot.bottom) {
            FillRect(dc, &bar, barBrush.Get());
        }
    }

    // Labels under the bars at even steps, as many as fit without touching, none past
    // the plot's ends (the first would run into the value axis's labels, the last off
    // the window): from the first bar whose label fits whole.
    std::size_t n = FormatBarLabel(0, label, sizeof label);
    SIZE size{};
    GetTextExtentPoint32A(dc, label, static_cast<int>(n), &size);
    const std::size_t every =
        std::max<std::size_t>(1, static_cast<std::size_t>(std::ceil((size.cx + 8) / slot)));
    const double firstFit = std::ceil(size.cx / 2.0 / slot - 0.5);
    int drawnRight = INT_MIN;
    for (std::size_t i = static_cast<std::size_t>(std::max(0.0, firstFit)); i < count; i += every) {
        n = FormatBarLabel(i, label, sizeof label);
        GetTextExtentPoint32A(dc, label, static_cast<int>(n), &size);
        const int centre = plot.left + static_cast<int>(slot * (double(i) + 0.5));
        const int left = std::max(centre - static_cast<int>(size.cx) / 2, int(plot.left));
        if (left + size.cx > client.right) {
            break;
        }
        if (left < drawnRight + 8) {
            continue;
        }
        drawnRight = left + size.cx;
        RECT box{left, plot.bottom + 3, left + size.cx, client.bottom};
        DrawTextA(dc, label, static_cast<int>(n), &box, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    }

    CSelectObject keepPen(dc, axisPen.Get());
    MoveToEx(dc, plot.left, plot.top, nullptr);
    LineTo(dc, plot.left, plot.bottom);
    LineTo(dc, plot.right, plot.bottom);
}

} // namespace mereth
