#pragma once
// The indicator controls of the main window: a sunken frame with one right-aligned
// text in large digits that repaints only what changed.
//
//     CTextIndicator time;
//     time.Create("total", WS_CHILD | WS_VISIBLE, rect, dialog, IDC_TOTAL_TIME);
//     time.SetText("0:1:02:05");
//
// A click reaches the parent as WM_NOTIFY with a ClickNotify: NM_CLICK only for a press
// and release in the same control, NM_DBLCLK/NM_RDBLCLK for double-clicks, NM_RCLICK;
// the mouse messages then go on to the default procedure (so WM_CONTEXTMENU follows).
#include "framework/Gdi.h"
#include "framework/Wnd.h"
#include "ui/IndicatorText.h"
#include "ui/win32/ClickNotify.h"

#include <cstdint>
#include <string_view>

namespace mereth {

class CIndicatorWnd : public CWnd {
public:
    // Equal colours would hide the text: black on the button face is used instead.
    CIndicatorWnd(COLORREF textColour, COLORREF backColour);
    ~CIndicatorWnd() override = default;

    static constexpr int MINIMUM_SIZE = 20;

    // Ignored when it equals the background; otherwise repaints the whole control.
    void SetTextColour(COLORREF colour);
    COLORREF GetTextColour() const { return m_textColour; }
    COLORREF GetBackColour() const { return m_backColour; }

    int EraseCount() const { return m_eraseCount; }

protected:
    bool PreCreateWindow(CREATESTRUCTA& cs) override;
    // The frame and the background fill, as WM_ERASEBKGND draws them.
    void DrawFrame(HDC dc) const;

    bool OnCreate(const CREATESTRUCTA& cs);
    bool OnEraseBackground(HDC dc);
    void OnLButtonDown(UINT keys, POINT point);
    void OnLButtonUp(UINT keys, POINT point);
    void OnLButtonDblClk(UINT keys, POINT point);
    void OnRButtonDown(UINT keys, POINT point);
    void OnRButtonUp(UINT keys, POINT point);
    void OnRButtonDblClk(UINT keys, POINT point);

    COLORREF m_textColour;
    COLORREF m_backColour;
    UINT m_lastMouseMessage = 0;
    ClickNotify m_notify{};
    int m_eraseCount = 0; // how often the background was drawn, for tests

private:
    void Notify(int code, POINT point);

    static constexpr MessageEntry MESSAGE_ENTRIES[] = {
        On<WM_CREATE, &CIndicatorWnd::OnCreate>(),
        On<WM_ERASEBKGND, &CIndicatorWnd::OnEraseBackground>(),
        On<WM_LBUTTONDOWN, &CIndicatorWnd::OnLButtonDown>(),
        On<WM_LBUTTONUP, &CIndicatorWnd::OnLButtonUp>(),
        On<WM_LBUTTONDBLCLK, &CIndicatorWnd::OnLButtonDblClk>(),
        On<WM_RBUTTONDOWN, &CIndicatorWnd::OnRButtonDown>(),
        On<WM_RBUTTONUP, &CIndicatorWnd::OnRButtonUp>(),
        On<WM_RBUTTONDBLCLK, &CIndicatorWnd::OnRButtonDblClk>(),
    };

public:
    static constexpr MessageMap MESSAGE_MAP{MESSAGE_ENTRIES, &CWnd::MESSAGE_MAP};
    const MessageMap& GetMessageMap() const override { return MESSAGE_MAP; }
};

// What the last paints of a text indicator did, for tests and measurements.
struct IndicatorPaintStats {
    int paints = 0;           // WM_PAINT and WM_PRINTCLIENT handled
    std::size_t lastTail = 0; // characters drawn as changed by the last paint
    int fontHeight = 0;       // character height of the font the last paint used
};

class CTextIndicator : public CIndicatorWnd {
public:
    // Black on the button face unless told otherwise.
    explicit CTextIndicator(COLORREF textColour = RGB(0, 0, 0),
                            COLORREF backColour = GetSysColor(COLOR_BTNFACE))
        : CIndicatorWnd(textColour, backColour) {}
    ~CTextIndicator() override = default;

    // Nothing happens for the text already shown. Otherwise the control repaints at once,
    // erasing first only when the text got shorter.
    void SetText(std::string_view text);
    std::string_view GetText() const { return m_text.view(); }

    // The display font's character height (from the control's height), 0 before creation.
    int FontHeight() const { return m_fontHeight; }
    const IndicatorPaintStats& PaintStats() const { return m_stats; }

protected:
    bool OnCreate(const CREATESTRUCTA& cs);
    void OnPaint();
    void OnPrintClient(HDC dc, UINT flags);
    // Draws the text into dc; the first `unchanged` characters are known to be on screen.
    void PaintContent(HDC dc, std::size_t unchanged);

    CFont m_font;
    IndicatorText m_text;
    IndicatorText m_previousText;

private:
    // A smaller font for a text wider than the box, so its leading digits stay visible;
    // never below a readable size, so the widest texts still do not fit.
    HFONT FitFont(HDC dc, int textWidth, int boxWidth);

    int m_fontHeight = 0;
    CFont m_fitFont;
    int m_fitHeight = 0;
    int m_fitTextWidth = 0; // the full-size width and the box m_fitFont was chosen for
    int m_fitBoxWidth = 0;
    int m_paintedFontHeight = 0;
    IndicatorPaintStats m_stats;

    static constexpr MessageEntry MESSAGE_ENTRIES[] = {
        On<WM_CREATE, &CTextIndicator::OnCreate>(),
        On<WM_PAINT, &CTextIndicator::OnPaint>(),
        On<WM_PRINTCLIENT, &CTextIndicator::OnPrintClient>(),
    };

public:
    static constexpr MessageMap MESSAGE_MAP{MESSAGE_ENTRIES, &CIndicatorWnd::MESSAGE_MAP};
    const MessageMap& GetMessageMap() const override { return MESSAGE_MAP; }
};

} // namespace mereth
