#include "app/MonitorDlg.h"

#include "core/win32/SingleInstance.h"
#include "tariff/win32/SetChargesSheet.h"
#include "ui/MenuState.h"
#include "ui/win32/PopupMenu.h"

namespace mereth {

void CMonitorDlg::OnShow() {
    if (!IsWindowVisible()) {
        ShowWindow(SW_SHOW);
    }
    SetForegroundWindow();
}

void CMonitorDlg::OnExit() {
    // Never end the dialog under another modal loop of ours (About, a question, the
    // Set Charges sheet): its window would outlive the data it works on.
    if (!MayOpenOrEnd(OpenModalCount())) {
        return;
    }
    if (MessageBox(EXIT_QUESTION, EXIT_CAPTION, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    if (!MayOpenOrEnd(OpenModalCount())) {
        return;
    }
    StopTimers();
    m_store.SaveToRegistry();
    m_log.WritePendingLines(true);
    if (!UpdateData(true)) {
        StartTimers(); // a field could not be read: the window stays, and keeps counting
        return;
    }
    EndDialog(IDOK);
}

void CMonitorDlg::OnClose() {
    OnExit();
}

void CMonitorDlg::OnViewLog() {
    m_log.OnViewLog();
}

void CMonitorDlg::OnSetCharges() {
    const int selected = m_model.m_selectedEntry;
    if (!MayOpenOrEnd(OpenModalCount()) || !m_model.IsValidRecord(selected)) {
        return;
    }
    ConnectionStats& record = m_model.m_entries[selected];
    // A changed tariff prices a running call only from the moment it is applied, and
    // only if it is the call's own.
    Tariff governingBefore;
    bool edited = false;
    const Budget budgetBefore = record.budget;
    const CHolidays holidaysBefore = m_model.m_holidays;
    RunSetChargesSheet(this, record.name.c_str(), record.tariff, record.budget, m_model.m_holidays,
                       [&] {
                           governingBefore = m_accounting.GoverningTariff();
                           edited = true;
                       });
    if (edited) {
        ApplyAccounting(m_accounting.OnTariffEdited(governingBefore));
    }
    if (!(record.budget == budgetBefore) || !(m_model.m_holidays == holidaysBefore)) {
        RefreshBudget();
        m_store.SaveToRegistry();
    }
}

bool CMonitorDlg::OnQueryEndSession() {
    // No question: the session is ending. Nothing stops, in case it does not.
    m_store.SaveToRegistry();
    m_log.WritePendingLines(true);
    return true;
}

LRESULT CMonitorDlg::OnTrayDoubleClick(NMHDR*) {
    OnShow();
    return 0;
}

LRESULT CMonitorDlg::OnTrayRightClick(NMHDR* header) {
    CPopupMenu menu(IDR_TRAYMENU);
    if (!menu) {
        return 0;
    }
    ApplyTrayMenuState(menu.Popup(),
                       DecideTrayMenu(OpenModalCount(), IsConnected(), StartsWithWindows()));
    TrackPopup(m_hWnd, menu.Popup(), reinterpret_cast<const ClickNotify*>(header)->pt);
    return 0;
}

bool CMonitorDlg::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // Registered messages have no fixed number for the tables.
    if (message == CTrayIcon::TaskbarCreatedMessage() && message != 0) {
        m_trayIcon.ReAdd();
        result = 0;
        return true;
    }
    if (message == CSingleInstance::WakeMessage() && message != 0) {
        OnShow();
        result = 0;
        return true;
    }
    return CStartHiddenDialog::ProcessMessage(message, wParam, lParam, result);
}

} // namespace mereth
