#pragma once
// The budget's projection bar under the Total panel: the budget is the full width, the
// spend so far a filled part in the projection's colour (green, amber, red), and a
// marker stands where the spend is heading at the period's end.
//
//     bar.Create("projection", WS_CHILD, rect, dialog, IDC_PROJECTION_BAR);
//     bar.SetProjection(budget, ProjectRecord(record, clock));
//
// It repaints only when its picture (pixels, not amounts) changes. A right click goes to
// the parent as WM_CONTEXTMENU, by the default procedure.
#include "framework/Wnd.h"
#include "tariff/Budget.h"

namespace mereth {

// What the bar shows, in pixels of its inside.
struct ProjectionPicture {
    int filled = 0;  // width of the spend so far
    int marker = -1; // x of the projected end; -1 for none
    BudgetLevel level = BudgetLevel::Green;
    bool operator==(const ProjectionPicture&) const = default;
};

class CProjectionBar : public CWnd {
public:
    static constexpr COLORREF GREEN = RGB(0, 160, 0);
    static constexpr COLORREF AMBER = RGB(255, 176, 0);
    static constexpr COLORREF RED = RGB(208, 0, 0);
    static constexpr COLORREF MARKER = RGB(0, 0, 0);

    static COLORREF ColourOf(BudgetLevel level);

    void SetProjection(const Budget& budget, const Projection& projection);
    const ProjectionPicture& Picture() const { return m_picture; }
    int PaintCount() const { return m_paints; }

private:
    bool OnEraseBackground(HDC dc);
    void OnPaint();
    void OnPrintClient(HDC dc, UINT flags);
    // The whole bar, for the screen and for WM_PRINTCLIENT alike.
    void Draw(HDC dc);

    ProjectionPicture m_picture;
    int m_paints = 0;

    static constexpr MessageEntry MESSAGE_ENTRIES[] = {
        On<WM_ERASEBKGND, &CProjectionBar::OnEraseBackground>(),
        On<WM_PAINT, &CProjectionBar::OnPaint>(),
        On<WM_PRINTCLIENT, &CProjectionBar::OnPrintClient>(),
    };

public:
    static constexpr MessageMap MESSAGE_MAP{MESSAGE_ENTRIES, &CWnd::MESSAGE_MAP};
    const MessageMap& GetMessageMap() const override { return MESSAGE_MAP; }
};

} // namespace mereth
