#include "ui/win32/IndicatorWnd.h"

#include <algorithm>

namespace mereth {

namespace {

// The smallest character height a text is shrunk to; below it digits are unreadable.
constexpr int MINIMUM_FIT_HEIGHT = 8;

HFONT CreateIndicatorFont(int characterHeight) {
    LOGFONTA font{};
    font.lfHeight = -characterHeight;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynA(font.lfFaceName, "Arial", LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

void FillRects(HDC dc, HBRUSH brush, const RECT (&rects)[2], int count) {
    HGDIOBJ old = SelectObject(dc, brush);
    if (!old || old == HGDI_ERROR) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        const RECT& r = rects[i];
        PatBlt(dc, r.left, r.top, r.right, r.bottom, PATCOPY);
    }
    SelectObject(dc, old);
}

int TextWidth(HDC dc, std::string_view text) {
    SIZE size{};
    if (text.empty() || !GetTextExtentPoint32A(dc, text.data(), int(text.size()), &size)) {
        return 0;
    }
    return size.cx;
}

} // namespace

// ---- CIndicatorWnd ----

CIndicatorWnd::CIndicatorWnd(COLORREF textColour, COLORREF backColour)
    : m_textColour(textColour), m_backColour(backColour) {
    if (textColour == backColour) {
        m_textColour = RGB(0, 0, 0);
        m_backColour = GetSysColor(COLOR_BTNFACE);
    }
}

bool CIndicatorWnd::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.cx = std::max(cs.cx, MINIMUM_SIZE);
    cs.cy = std::max(cs.cy, MINIMUM_SIZE);
    return true;
}

void CIndicatorWnd::SetTextColour(COLORREF colour) {
    if (colour == m_backColour) {
        return;
    }
    m_textColour = colour;
    if (m_hWnd) {
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
}

bool CIndicatorWnd::OnCreate(const CREATESTRUCTA&) {
    if (DefaultProc() == -1) {
        return false;
    }
    m_notify.hdr.hwndFrom = m_hWnd;
    m_notify.hdr.idFrom = UINT_PTR(::GetDlgCtrlID(m_hWnd));
    return true;
}

void CIndicatorWnd::DrawFrame(HDC dc) const {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int w = client.right;
    const int h = client.bottom;
    // As (x, y, width, height): a sunken two-pixel frame, then the inside.
    const RECT shadow[2] = {{0, 0, w - 1, 1}, {0, 0, 1, h - 1}};
    const RECT dark[2] = {{1, 1, w - 3, 1}, {1, 1, 1, h - 3}};
    const RECT light[2] = {{w - 1, 0, 1, h}, {0, h - 1, w, 1}};
    const RECT face[2] = {{w - 2, 1, 1, h - 2}, {1, h - 2, w - 3, 1}};
    const RECT inside[2] = {{2, 2, w - 4, h - 4}, {}};
    FillRects(dc, GetSysColorBrush(COLOR_BTNSHADOW), shadow, 2);
    FillRects(dc, HBRUSH(GetStockObject(BLACK_BRUSH)), dark, 2);
    FillRects(dc, GetSysColorBrush(COLOR_BTNHIGHLIGHT), light, 2);
    FillRects(dc, GetSysColorBrush(COLOR_BTNFACE), face, 2);
    CBrush back(CreateSolidBrush(m_backColour));
    if (back) {
        FillRects(dc, back.Get(), inside, 1);
    }
}

bool CIndicatorWnd::OnEraseBackground(HDC dc) {
    DrawFrame(dc);
    ++m_eraseCount;
    return true;
}

void CIndicatorWnd::Notify(int code, POINT point) {
    m_notify.hdr.code = UINT(code);
    m_notify.pt = point;
    ::ClientToScreen(m_hWnd, &m_notify.pt);
    HWND parent = ::GetParent(m_hWnd);
    if (parent) {
        ::SendMessageA(parent, WM_NOTIFY, WPARAM(m_notify.hdr.idFrom), LPARAM(&m_notify));
    }
}

// Every mouse handler lets the default procedure run after it.
void CIndicatorWnd::OnLButtonDown(UINT, POINT) {
    m_lastMouseMessage = WM_LBUTTONDOWN;
    SetMsgHandled(false);
}

void CIndicatorWnd::OnLButtonUp(UINT, POINT point) {
    if (m_lastMouseMessage == WM_LBUTTONDOWN) {
        Notify(NM_CLICK, point);
        m_lastMouseMessage = WM_LBUTTONUP;
    }
    SetMsgHandled(false);
}

void CIndicatorWnd::OnLButtonDblClk(UINT, POINT point) {
    Notify(NM_DBLCLK, point);
    SetMsgHandled(false);
}

void CIndicatorWnd::OnRButtonDown(UINT, POINT) {
    m_lastMouseMessage = WM_RBUTTONDOWN;
    SetMsgHandled(false);
}

void CIndicatorWnd::OnRButtonUp(UINT, POINT point) {
    if (m_lastMouseMessage == WM_RBUTTONDOWN) {
        Notify(NM_RCLICK, point);
        m_lastMouseMessage = WM_RBUTTONUP;
    }
    SetMsgHandled(false);
}

void CIndicatorWnd::OnRButtonDblClk(UINT, POINT point) {
    Notify(NM_RDBLCLK, point);
    SetMsgHandled(false);
}

// ---- CTextIndicator ----

bool CTextIndicator::OnCreate(const CREATESTRUCTA& cs) {
    if (!CIndicatorWnd::OnCreate(cs)) {
        return false;
    }
    m_fontHeight = cs.cy - 4;
    m_font.Reset(CreateIndicatorFont(m_fontHeight));
    return true;
}

void CTextIndicator::SetText(std::string_view text) {
    if (m_text.view() == text) {
        return;
    }
    const bool shorter = text.size() < m_text.size();
    m_previousText.Assign(m_text.view());
    m_text.Assign(text);
    if (m_hWnd) {
        ::InvalidateRect(m_hWnd, nullptr, shorter);
        ::UpdateWindow(m_hWnd);
    }
}

HFONT CTextIndicator::FitFont(HDC dc, int textWidth, int boxWidth) {
    // Every digit is as wide as the next: a new amount of the same width keeps its font.
    if (m_fitFont && textWidth == m_fitTextWidth && boxWidth == m_fitBoxWidth) {
        return m_fitFont.Get();
    }
    const int floor = std::min(MINIMUM_FIT_HEIGHT, m_fontHeight);
    int height = int(std::int64_t(m_fontHeight) * boxWidth / textWidth);
    height = std::max(height, floor);
    // Proportional scaling can land a pixel too wide; step down until it fits.
    for (; height >= floor; --height) {
        if (height != m_fitHeight || !m_fitFont) {
            m_fitFont.Reset(CreateIndicatorFont(height));
            m_fitHeight = height;
        }
        if (!m_fitFont) {
            return nullptr;
        }
        CSelectObject keep(dc, m_fitFont.Get());
        if (TextWidth(dc, m_text.view()) <= boxWidth) {
            break;
        }
    }
    m_fitTextWidth = textWidth;
    m_fitBoxWidth = boxWidth;
    return m_fitFont.Get();
}

void CTextIndicator::PaintContent(HDC dc, std::size_t unchanged) {
    ++m_stats.paints;
    RECT r{};
    ::GetClientRect(m_hWnd, &r);
    InflateRect(&r, -2, -2);
    if (!m_font) {
        return;
    }
    CSelectObject keepFont(dc, m_font.Get());
    int height = m_fontHeight;
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int d = metrics.tmDescent / 2;
    // The full-size font's baseline: a smaller font sits on it too, not lower.
    const int baseline = r.bottom + d - metrics.tmDescent;
    const int left = r.left + d;
    const int right = r.right - d;
    const std::string_view text = m_text.view();
    int width = TextWidth(dc, text);
    if (width > right - left && right > left) {
        // Too wide for the box: a smaller font keeps the most significant digits in view.
        HFONT fit = FitFont(dc, width, right - left);
        if (fit) {
            SelectObject(dc, fit);
            height = m_fitHeight;
            width = TextWidth(dc, text);
        }
    }
    if (height != m_paintedFontHeight) {
        unchanged = 0; // other glyphs on screen: draw everything anew
        m_paintedFontHeight = height;
    }
    unchanged = std::min(unchanged, m_text.size());
    const std::string_view head = text.substr(0, unchanged);
    const std::string_view tail = text.substr(unchanged);

    // Right-aligned when it fits; otherwise its start stays in view and the end is cut.
    const int origin = width <= right - left ? right - width : left;
    const int split = std::clamp(origin + TextWidth(dc, head), left, right);
    SetTextAlign(dc, TA_LEFT | TA_BASELINE);
    SetTextColor(dc, m_textColour);
    SetBkColor(dc, m_backColour);
    SetBkMode(dc, OPAQUE);
    const RECT headRect{left, r.top, split, r.bottom};
    const RECT tailRect{split, r.top, right, r.bottom};
    // Both parts opaque: the unchanged head puts the same pixels back, so nothing
    // smears and nothing flickers, and the strip left of the text is cleared too.
    ExtTextOutA(dc, origin, baseline, ETO_CLIPPED | ETO_OPAQUE, &headRect, head.data(),
                UINT(head.size()), nullptr);
    ExtTextOutA(dc, split, baseline, ETO_CLIPPED | ETO_OPAQUE, &tailRect, tail.data(),
                UINT(tail.size()), nullptr);
    m_stats.lastTail = tail.size();
    m_stats.fontHeight = height;
}

void CTextIndicator::OnPaint() {
    CPaintDC dc(m_hWnd);
    const std::size_t unchanged = UnchangedPrefixLength(m_previousText.view(), m_text.view());
    if (dc.Get()) {
        PaintContent(dc.Get(), unchanged);
    }
    m_previousText.Assign(m_text.view());
}

void CTextIndicator::OnPrintClient(HDC dc, UINT flags) {
    if (flags & PRF_ERASEBKGND) {
        DrawFrame(dc);
    }
    PaintContent(dc, 0);
}

} // namespace mereth
