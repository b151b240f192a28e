#include "app/MonitorDlg.h"

#include "ui/MonitorReactions.h"
#include "ui/win32/PopupMenu.h"

#include <limits>
#include <windowsx.h>

namespace mereth {

int CMonitorDlg::MenuTargetId() const {
    return m_menuTarget != nullptr ? ::GetDlgCtrlID(m_menuTarget->Handle()) : 0;
}

void CMonitorDlg::OnContextMenu(HWND clicked, POINT point) {
    if (clicked == m_projectionBar.Handle() && m_budgetRecord >= 0) {
        m_menuTarget = nullptr;
        CPopupMenu menu(IDR_BILLING_MENU);
        if (!menu) {
            return;
        }
        // As the other resets: nothing to reset while a call is counted.
        ::EnableMenuItem(menu.Popup(), ID_RESET_BILLING,
                         MF_BYCOMMAND | (IsConnected() ? MF_GRAYED : MF_ENABLED));
        if (point.x == -1 && point.y == -1) {
            RECT rect{};
            m_projectionBar.GetWindowRect(rect);
            point = {rect.right, rect.bottom};
        }
        TrackPopup(m_hWnd, menu.Popup(), point);
        return;
    }
    const int id = ::GetDlgCtrlID(clicked);
    CTextIndicator* target = ::GetParent(clicked) == m_hWnd ? IndicatorOf(id) : nullptr;
    const ContextMenu kind = ContextMenuOf(id);
    if (target == nullptr || target->Handle() != clicked || kind == ContextMenu::None) {
        m_menuTarget = nullptr;
        return;
    }
    m_menuTarget = target;

    const int row = IndicatorRowOf(id);
    const IndicatorRow& indicator = INDICATORS[row];
    MenuTargetState state;
    state.controlId = id;
    state.textColour = target->GetTextColour();
    state.showSeconds = m_display.indicators[row].showSeconds;
    state.showDays = m_display.indicators[row].showDays;
    state.text = target->GetText();
    // The figure shown; none while no record is selected.
    if (m_model.IsValidRecord(m_model.m_selectedEntry)) {
        const ConnectionStats& r = m_model.m_entries[m_model.m_selectedEntry];
        state.span = indicator.time != nullptr ? (r.*indicator.time).value : 0;
        state.amount = indicator.cost != nullptr ? (r.*indicator.cost).value : 0.0f;
    }
    const ContextMenuState decided = DecideContextMenu(state, IsConnected());

    CPopupMenu menu(static_cast<UINT>(decided.menu));
    if (!menu) {
        return;
    }
    ApplyContextMenuState(menu.Popup(), decided);
    if (point.x == -1 && point.y == -1) {
        // From the keyboard: at the indicator's lower right corner.
        RECT rect{};
        target->GetWindowRect(rect);
        point = {rect.right, rect.bottom};
    }
    TrackPopup(m_hWnd, menu.Popup(), point);
}

void CMonitorDlg::OnShowDays() {
    const int id = MenuTargetId();
    if (MenuCommandApplies(ID_SHOW_DAYS, id)) {
        SetShowDays(id, !m_display.indicators[IndicatorRowOf(id)].showDays);
    }
    m_menuTarget = nullptr;
}

void CMonitorDlg::OnShowSeconds() {
    const int id = MenuTargetId();
    if (MenuCommandApplies(ID_SHOW_SECONDS, id)) {
        SetShowSeconds(id, !m_display.indicators[IndicatorRowOf(id)].showSeconds);
    }
    m_menuTarget = nullptr;
}

void CMonitorDlg::OnColour(UINT command) {
    const int id = MenuTargetId();
    const int position = ColourPositionOfCommand(static_cast<int>(command));
    if (position >= 0 && MenuCommandApplies(static_cast<int>(command), id) &&
        m_menuTarget->GetTextColour() != COLOUR_TABLE[position]) {
        SetIndicatorColour(id, COLOUR_TABLE[position]);
    }
    m_menuTarget = nullptr;
}

void CMonitorDlg::OnResetIndicator() {
    const int id = MenuTargetId();
    m_menuTarget = nullptr;
    if (!MenuCommandApplies(ID_RESET, id)) {
        return;
    }
    if (MessageBox(ResetQuestion(id), RESET_CAPTION, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
        return;
    }
    // The poll went on during the question: a call may have begun meanwhile.
    if (MayApplyReset(id, IsConnected()) &&
        m_accounting.ResetPeriod(PeriodOfIndicator(id), m_model.m_selectedEntry)) {
        if (PeriodOfIndicator(id) == Period::Total) {
            RefreshLabels(); // the "since" caption shows the new start date
        }
        RefreshIndicators();
    }
}

} // namespace mereth
