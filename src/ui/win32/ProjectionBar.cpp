#include "ui/win32/ProjectionBar.h"

#include "framework/Gdi.h"

#include <cmath>

namespace mereth {

namespace {

constexpr int EDGE = 1; // the sunken frame's width
constexpr int MARKER_WIDTH = 2;

// The share of width that part is of whole, within 0..width.
int PixelsOf(float part, float whole, int width) {
    if (!(whole > 0.0f) || !(part > 0.0f) || width <= 0) {
        return 0;
    }
    const float share = part / whole;
    return share >= 1.0f ? width : int(std::lround(share * float(width)));
}

void Fill(HDC dc, RECT rect, COLORREF colour) {
    if (rect.right > rect.left && rect.bottom > rect.top) {
        SetDCBrushColor(dc, colour);
        FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
}

} // namespace

COLORREF CProjectionBar::ColourOf(BudgetLevel level) {
    switch (level) {
    case BudgetLevel::Amber:
        return AMBER;
    case BudgetLevel::Red:
        return RED;
    case BudgetLevel::Green:
        break;
    }
    return GREEN;
}

void CProjectionBar::SetProjection(const Budget& budget, const Projection& projection) {
    RECT client{};
    GetClientRect(client);
    const int inside = client.right - client.left - 2 * EDGE;
    ProjectionPicture picture;
    picture.filled = PixelsOf(projection.spent, budget.amount, inside);
    picture.level = projection.level;
    if (budget.IsSet() && inside > MARKER_WIDTH) {
        picture.marker = PixelsOf(projection.projected, budget.amount, inside - MARKER_WIDTH);
    }
    if (picture == m_picture) {
        return;
    }
    m_picture = picture;
    if (m_hWnd) {
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
}

bool CProjectionBar::OnEraseBackground(HDC) {
    return true; // Draw covers every pixel
}

void CProjectionBar::OnPaint() {
    CPaintDC dc(m_hWnd);
    if (dc.Get()) {
        Draw(dc.Get());
    }
}

void CProjectionBar::OnPrintClient(HDC dc, UINT) {
    Draw(dc);
}

void CProjectionBar::Draw(HDC dc) {
    ++m_paints;
    RECT rect{};
    GetClientRect(rect);
    DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    RECT filled = rect;
    filled.right = rect.left + m_picture.filled;
    Fill(dc, filled, ColourOf(m_picture.level));
    RECT rest = rect;
    rest.left = filled.right;
    Fill(dc, rest, GetSysColor(COLOR_WINDOW));
    if (m_picture.marker >= 0) {
        RECT marker = rect;
        marker.left = rect.left + m_picture.marker;
        marker.right = marker.left + MARKER_WIDTH;
        Fill(dc, marker, MARKER);
    }
}

} // namespace mereth
