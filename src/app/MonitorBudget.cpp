#include "app/MonitorDlg.h"

#include "ui/BudgetView.h"
#include "ui/UserTexts.h"
#include "ui/win32/PopupMenu.h"

namespace mereth {

namespace {

// In dialog units: the bar starts this far under the Total box, is this high, and the
// window grows by the rows it takes.
constexpr int BAR_GAP = 3;
constexpr int BAR_HEIGHT = 7;
constexpr int BAR_ROWS = 10;

RECT ChildRect(HWND parent, HWND child) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace

void CMonitorDlg::CreateProjectionBar() {
    HWND group = ::GetDlgItem(m_hWnd, IDC_TOTAL_GROUP);
    HWND total = ::GetDlgItem(m_hWnd, IDC_TOTAL_TIME);
    if (!group || !total) {
        return;
    }
    RECT bar{0, BAR_GAP, 0, BAR_GAP + BAR_HEIGHT};
    RECT rows{0, 0, 0, BAR_ROWS};
    ::MapDialogRect(m_hWnd, &bar);
    ::MapDialogRect(m_hWnd, &rows);
    m_barBelow = ChildRect(m_hWnd, group).bottom;
    m_barShift = rows.bottom;
    const RECT across = ChildRect(m_hWnd, total);
    const RECT rect{across.left, m_barBelow + bar.top, across.right, m_barBelow + bar.bottom};
    // Hidden: without a budget the window stays exactly as it was.
    m_projectionBar.Create("projection", WS_CHILD, rect, m_hWnd, IDC_PROJECTION_BAR);
}

void CMonitorDlg::RefreshBudget() {
    const int record = ShownBudgetRecord(m_model);
    if (record >= 0) {
        const ConnectionStats& r = m_model.m_entries[record];
        m_projectionBar.SetProjection(r.budget, ProjectRecord(r, m_clock));
    }
    if (record != m_budgetRecord) {
        m_budgetRecord = record;
        ShowBudgetBar(record >= 0);
    }
}

void CMonitorDlg::ShowBudgetBar(bool show) {
    // The style, not IsWindowVisible: the window itself may be hidden in the tray.
    const bool shown = (::GetWindowLongA(m_projectionBar.Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
    if (!m_projectionBar.Handle() || shown == show) {
        return;
    }
    const int shift = show ? m_barShift : -m_barShift;
    // Everything under the Total box moves: group boxes, indicators, buttons.
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const RECT rect = ChildRect(m_hWnd, child);
        if (child != m_projectionBar.Handle() && rect.top >= m_barBelow) {
            ::SetWindowPos(child, nullptr, rect.left, rect.top + shift, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, window.right - window.left,
                   window.bottom - window.top + shift, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_projectionBar.ShowWindow(show ? SW_SHOWNA : SW_HIDE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CMonitorDlg::ShowDueAlerts() {
    // A balloon waits for the sheet, a question or the About box to close.
    if (OpenModalCount() > 0) {
        return;
    }
    for (int k = 0; k < m_model.m_entryCount; ++k) {
        ConnectionStats& r = m_model.m_entries[k];
        const std::uint32_t due = AlertsDue(r.budget, r.billingCost.value, r.alertsGiven);
        if (due == 0) {
            continue;
        }
        // Thresholds reached together give one balloon, for the highest of them.
        int alert = ALERT_COUNT - 1;
        while (alert > 0 && !(due & (1u << alert))) {
            --alert;
        }
        BalloonText text;
        FormatBudgetAlert(r, alert, m_locale, text);
        // A shell that refuses balloons is not asked again for this period either.
        m_trayIcon.ShowBalloon(BUDGET_ALERT_TITLE, text.c_str());
        r.alertsGiven |= due;
        m_store.SaveToRegistry();
        return; // one balloon a tick, so none hides another at once
    }
}

void CMonitorDlg::OnResetBilling() {
    const int record = m_budgetRecord;
    if (record < 0 ||
        MessageBox(RESET_BILLING_QUESTION, RESET_CAPTION, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
        return;
    }
    // The poll went on during the question: a call that began meanwhile keeps its spend.
    if (m_accounting.ResetBilling(record)) {
        RefreshBudget();
        m_store.SaveToRegistry();
    }
}

} // namespace mereth
