#include "app/MonitorDlg.h"

#include "ui/BudgetView.h"
#include "ui/MonitorReactions.h"

namespace mereth {

namespace {

bool IsLeadByte(unsigned char byte) {
    return ::IsDBCSLeadByte(byte) != FALSE;
}

} // namespace

void CMonitorDlg::OnTimer(UINT_PTR id) {
    switch (id) {
    case TIMER_POLL: {
        // The poll cycle has done the accounting; the window shows what changed.
        const PollResult result = m_pollCycle.OnPollTimer();
        ApplyAccounting(result.accounting);
        const PollReaction reaction = ReactToPoll(result.event);
        ShowTrayPicture(static_cast<int>(reaction.picture));
        if (reaction.refreshLabels) {
            RefreshLabels();
        }
        ShowDueAlerts();
        break;
    }
    case TIMER_BLINK:
        ShowTrayPicture(static_cast<int>(ReactToBlink(IsConnected())));
        KillTimer(TIMER_BLINK);
        break;
    case TIMER_STATUS:
        OnStatusTimer();
        break;
    case TIMER_DATE:
        OnTimeChange();
        break;
    default:
        SetMsgHandled(false);
        break;
    }
}

void CMonitorDlg::OnTimeChange() {
    if (m_accounting.CheckDateRollover()) {
        RefreshIndicators();
    } else {
        RefreshBudget(); // the projection moves on with the time gone
    }
    RefreshLabels();
}

void CMonitorDlg::ApplyAccounting(const AccountingResult& result) {
    if (result.figuresChanged) {
        RefreshIndicators();
    }
    if (result.saveDue) {
        m_store.SaveToRegistry();
    }
}

void CMonitorDlg::ShowTrayPicture(int iconResource) {
    if (iconResource != static_cast<int>(TrayPicture::Unchanged)) {
        m_trayIcon.SetIconResource(static_cast<UINT>(iconResource));
    }
}

void CMonitorDlg::OnStatusTimer() {
    // Lines another program's hold on the log kept out.
    m_log.WritePendingLines(false);
    std::int32_t state = RASCS_Disconnected;
    const int record = m_watcher.PollConnection(state);
    const StatusReaction reaction = ReactToStatusTick(IsConnected(), record, state,
                                                      IsWindowVisible(), m_trayIcon.EnsureAdded());
    if (reaction.flash) {
        ShowTrayPicture(static_cast<int>(TrayPicture::Online));
        SetTimer(TIMER_BLINK, BLINK_PERIOD);
    }
    const std::int32_t seconds =
        m_model.IsValidRecord(record) ? m_model.m_entries[record].connTime.value : 0;
    FormatStatusText(reaction.status, m_accounting.ConnectedEntryName().view(), seconds,
                     m_statusText);

    // Title and tip are written only when their text changes; the tip adds the budget.
    FormatBudgetTip(m_statusText.view(), m_model.m_entries[0], m_locale, &IsLeadByte, m_tipText);
    if (!(m_shownTip == m_tipText.view())) {
        m_trayIcon.SetTooltip(m_tipText.c_str());
        m_shownTip.Assign(m_tipText.view());
    }
    char title[STATUS_TEXT_CAPACITY + 2] = {};
    ::GetWindowTextA(m_hWnd, title, sizeof title);
    if (m_statusText.view() != title) {
        SetWindowText(m_statusText.c_str());
    }
    if (reaction.showWindow) {
        // Without an icon to come back by, a hidden window would be out of reach.
        ShowWindow(SW_SHOW);
    }
}

} // namespace mereth
