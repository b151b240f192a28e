#include "app/MonitorDlg.h"

#include "framework/DataExchange.h"

namespace mereth {

void CMonitorDlg::CreateIndicators() {
    for (int i = 0; i < INDICATOR_COUNT; ++i) {
        const IndicatorRow& row = INDICATORS[i];
        // Each period's three indicators stand over the placeholder its duration took over.
        const int placeholderId = INDICATORS[IndicatorRowOf(KIND_TIMES, row.period)].controlId;
        RECT rect{};
        HWND placeholder = ::GetDlgItem(m_hWnd, placeholderId);
        if (!placeholder || !::GetWindowRect(placeholder, &rect)) {
            continue;
        }
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        m_indicators[i].Create(row.windowName, WS_CHILD | WS_VISIBLE, rect, m_hWnd,
                               UINT(row.controlId));
        m_indicators[i].SetTextColour(RGB(0, 0, 0));
    }
}

CTextIndicator* CMonitorDlg::IndicatorOf(int controlId) {
    const int row = IndicatorRowOf(controlId);
    return row >= 0 ? &m_indicators[row] : nullptr;
}

void CMonitorDlg::ShowKindPanel(int kind, bool show) {
    for (int i = 0; i < INDICATOR_COUNT; ++i) {
        if (INDICATORS[i].kind == kind) {
            m_indicators[i].ShowWindow(show ? SW_SHOWNORMAL : SW_HIDE);
            m_indicators[i].EnableWindow(show);
        }
    }
}

void CMonitorDlg::OnKindChanged() {
    const std::int32_t oldKind = m_indicatorKind;
    UpdateData(true);
    if (m_indicatorKind == oldKind) {
        return;
    }
    ShowKindPanel(m_indicatorKind, true);
    ShowKindPanel(oldKind, false);
    RefreshLabels();
}

void CMonitorDlg::OnEntrySelected() {
    UpdateData(true);
    // No selection (CB_ERR) names no record: the name stays, the figures go blank.
    if (m_model.IsValidRecord(m_model.m_selectedEntry)) {
        m_model.m_selectedEntryName = m_watcher.ListItem(m_model.m_selectedEntry);
    }
    RefreshIndicators();
    RefreshLabels();
}

void CMonitorDlg::FillEntryCombo() {
    HWND combo = ::GetDlgItem(m_hWnd, IDC_ENTRY_COMBO);
    if (!combo) {
        return;
    }
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < m_watcher.ListCount(); ++i) {
        const std::string_view item = m_watcher.ListItem(i);
        char text[sizeof(EntryName)] = {};
        const std::size_t n = item.size() < sizeof text - 1 ? item.size() : sizeof text - 1;
        item.copy(text, n);
        ::SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(text));
    }
    ::SendMessageA(combo, CB_SETCURSEL, WPARAM(m_model.m_selectedEntry), 0);
}

void CMonitorDlg::RefreshIndicators() {
    for (int i = 0; i < INDICATOR_COUNT; ++i) {
        RefreshIndicator(i);
    }
    RefreshBudget();
}

void CMonitorDlg::RefreshIndicator(int row) {
    // No record selected: every figure blank.
    IndicatorText text;
    if (m_model.IsValidRecord(m_model.m_selectedEntry)) {
        FormatIndicatorText(row, m_model.m_entries[m_model.m_selectedEntry], m_display, m_locale,
                            text);
    }
    m_indicators[row].SetText(text.view());
}

void CMonitorDlg::RefreshLabels() {
    const bool connected = IsConnected();
    // The record this tick's poll found: the accounting follows every poll.
    const int connectedRecord = connected ? m_accounting.ConnectedRecord() : -1;
    m_captions.Refresh(m_model, m_indicatorKind, connected, connectedRecord);
    ::SetDlgItemTextA(m_hWnd, IDC_TOTAL_GROUP, m_captions.m_total.c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_YEAR_GROUP, m_captions.m_year.c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_MONTH_GROUP, m_captions.m_month.c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_TODAY_GROUP, m_captions.m_today.c_str());
    if (m_captions.m_connection) {
        ::SetDlgItemTextA(m_hWnd, IDC_CONN_GROUP, m_captions.m_connection);
    }
}

void CMonitorDlg::SetIndicatorColour(int controlId, COLORREF colour) {
    const int row = IndicatorRowOf(controlId);
    if (row < 0) {
        return;
    }
    m_indicators[row].SetTextColour(colour);
    // The indicator refuses its background colour; keep what it really shows.
    m_display.indicators[row].textColour = m_indicators[row].GetTextColour();
}

void CMonitorDlg::SetShowDays(int controlId, bool show) {
    const int row = IndicatorRowOf(controlId);
    // Today never shows a days field.
    if (row < 0 || !HasDaysField(INDICATORS[row])) {
        return;
    }
    m_display.indicators[row].showDays = show;
    RefreshIndicator(row);
}

void CMonitorDlg::SetShowSeconds(int controlId, bool show) {
    const int row = IndicatorRowOf(controlId);
    if (row < 0 || INDICATORS[row].kind != KIND_TIMES) {
        return;
    }
    m_display.indicators[row].showSeconds = show;
    RefreshIndicator(row);
}

void CMonitorDlg::ApplyDisplaySettings() {
    for (int i = 0; i < INDICATOR_COUNT; ++i) {
        if (INDICATORS[i].colourValue != nullptr) {
            SetIndicatorColour(INDICATORS[i].controlId, m_display.indicators[i].textColour);
        }
    }
}

} // namespace mereth
