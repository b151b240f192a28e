#include "app/MonitorDlg.h"

#include "ui/MonitorReactions.h"
#include "ui/win32/PopupMenu.h"

#include <limits>

namespace mereth {

namespace {

std::int32_t ShownSpan(std::int64_t span) {
    constexpr std::int64_t most = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(span > most ? most : (span < -most ? -most : span));
}

} // namespace

int CMonitorDlg::MenuTargetId() const {
    return m_menuTarget != nullptr ? ::GetDlgCtrlID(m_menuTarget->Handle()) : 0;
}

void CMonitorDlg::OnContextMenu(HWND clicked, POINT point) {
    const int id = ::GetDlgCtrlID(clicked);
    CTextIndicator* target = ::GetParent(clicked) == m_hWnd ? IndicatorOf(id) : nullptr;
    const ContextMenu kind = ContextMenuOf(id);
    if (target == nullptr || target->Handle() != clicked || kind == ContextMenu::None) {
        m_menuTarget = nullptr;
        return;
    }
    m_menuTarget = target;

    MenuTargetState state;
    state.controlId = id;
    state.textColour = target->GetTextColour();
    if (kind == ContextMenu::Duration) {
        const auto* duration = static_cast<const CDurationIndicator*>(target);
        state.span = ShownSpan(duration->GetValue());
        state.showSeconds = duration->GetShowSeconds() != FALSE;
        state.showDays = duration->GetShowDays() != FALSE;
    } else if (kind == ContextMenu::Cost) {
        state.amount = static_cast<const CCostIndicator*>(target)->GetValue();
    } else {
        state.text = target->GetText();
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
        const auto* duration = static_cast<const CDurationIndicator*>(m_menuTarget);
        SetShowDays(id, !duration->GetShowDays());
    }
    m_menuTarget = nullptr;
}

void CMonitorDlg::OnShowSeconds() {
    const int id = MenuTargetId();
    if (MenuCommandApplies(ID_SHOW_SECONDS, id)) {
        const auto* duration = static_cast<const CDurationIndicator*>(m_menuTarget);
        SetShowSeconds(id, !duration->GetShowSeconds());
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
        m_accounting.ResetIndicator(id, m_model.m_selectedEntry)) {
        if (PeriodOfIndicator(id) == Period::Total) {
            RefreshLabels(); // the "since" caption shows the new start date
        }
        RefreshIndicators();
    }
}

} // namespace mereth
