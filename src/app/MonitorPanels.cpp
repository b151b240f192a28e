#include "app/MonitorDlg.h"

#include "framework/DataExchange.h"

namespace mereth {

void CMonitorDlg::CreateIndicators() {
    for (const PeriodRow& row : m_rows) {
        RECT rect{};
        HWND placeholder = ::GetDlgItem(m_hWnd, row.placeholder);
        if (!placeholder || !::GetWindowRect(placeholder, &rect)) {
            continue;
        }
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        const DWORD style = WS_CHILD | WS_VISIBLE;
        row.time->Create(row.name, style, rect, m_hWnd, UINT(row.placeholder));
        row.time->SetTextColour(RGB(0, 0, 0));
        if (row.time == &m_todayTime) {
            row.time->SetShowDays(FALSE);
        }
        row.time->SetValue(0);
        row.cost->Create(row.name, style, rect, m_hWnd, UINT(row.costId));
        row.cost->SetTextColour(RGB(0, 0, 0));
        row.cost->SetValue(0.0f);
        row.logins->Create(row.name, style, rect, m_hWnd, UINT(row.loginsId));
        row.logins->SetTextColour(RGB(0, 0, 0));
    }
}

CTextIndicator* CMonitorDlg::IndicatorOf(int controlId) {
    for (const PeriodRow& row : m_rows) {
        if (controlId == row.placeholder) {
            return row.time;
        }
        if (controlId == row.costId) {
            return row.cost;
        }
        if (controlId == row.loginsId) {
            return row.logins;
        }
    }
    return nullptr;
}

void CMonitorDlg::ShowKindPanel(int kind, bool show) {
    if (kind < KIND_TIMES || kind > KIND_LOGINS) {
        return;
    }
    for (const PeriodRow& row : m_rows) {
        CTextIndicator* indicator = kind == KIND_TIMES   ? static_cast<CTextIndicator*>(row.time)
                                    : kind == KIND_COSTS ? static_cast<CTextIndicator*>(row.cost)
                                                         : row.logins;
        indicator->ShowWindow(show ? SW_SHOWNORMAL : SW_HIDE);
        indicator->EnableWindow(show);
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
    const int selected = m_model.m_selectedEntry;
    if (!m_model.IsValidRecord(selected)) {
        for (const PeriodRow& row : m_rows) {
            row.time->SetText({});
            row.cost->SetText({});
            row.logins->SetText({});
        }
        return;
    }
    const ConnectionStats& r = m_model.m_entries[selected];
    m_totalTime.SetValue(r.totalTime.value);
    m_todayTime.SetValue(r.todayTime.value);
    m_yearTime.SetValue(r.yearTime.value);
    m_monthTime.SetValue(r.monthTime.value);
    m_connTime.SetValue(r.connTime.value);
    m_totalCost.SetValue(r.totalCost.value);
    m_todayCost.SetValue(r.todayCost.value);
    m_yearCost.SetValue(r.yearCost.value);
    m_monthCost.SetValue(r.monthCost.value);
    m_connCost.SetValue(r.connCost.value);
    CTextBuffer<COUNT_TEXT_CAPACITY> count;
    FormatCount(r.totalLogins, count);
    m_totalLogins.SetText(count.view());
    FormatCount(r.todayLogins, count);
    m_todayLogins.SetText(count.view());
    FormatCount(r.yearLogins, count);
    m_yearLogins.SetText(count.view());
    FormatCount(r.monthLogins, count);
    m_monthLogins.SetText(count.view());
    m_connLogins.SetText({});
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

namespace {

DurationDisplay* DurationSettingOf(DisplaySettings& d, int id) {
    switch (id) {
    case IDC_TOTAL_TIME:
        return &d.totalTime;
    case IDC_MONTH_TIME:
        return &d.monthTime;
    case IDC_YEAR_TIME:
        return &d.yearTime;
    case IDC_TODAY_TIME:
        return &d.todayTime;
    case IDC_CONN_TIME:
        return &d.connTime;
    default:
        return nullptr;
    }
}

Colour* ColourSettingOf(DisplaySettings& d, int id) {
    if (DurationDisplay* duration = DurationSettingOf(d, id)) {
        return &duration->textColour;
    }
    switch (id) {
    case IDC_TOTAL_COST:
        return &d.totalCostColour;
    case IDC_MONTH_COST:
        return &d.monthCostColour;
    case IDC_YEAR_COST:
        return &d.yearCostColour;
    case IDC_TODAY_COST:
        return &d.todayCostColour;
    case IDC_CONN_COST:
        return &d.connCostColour;
    case IDC_TOTAL_LOGINS:
        return &d.totalLoginsColour;
    case IDC_MONTH_LOGINS:
        return &d.monthLoginsColour;
    case IDC_YEAR_LOGINS:
        return &d.yearLoginsColour;
    case IDC_TODAY_LOGINS:
        return &d.todayLoginsColour;
    default:
        return nullptr;
    }
}

} // namespace

void CMonitorDlg::SetIndicatorColour(int controlId, COLORREF colour) {
    CTextIndicator* indicator = IndicatorOf(controlId);
    if (!indicator) {
        return;
    }
    indicator->SetTextColour(colour);
    // The indicator refuses its background colour; keep what it really shows.
    if (Colour* setting = ColourSettingOf(m_display, controlId)) {
        *setting = indicator->GetTextColour();
    }
}

void CMonitorDlg::SetShowDays(int controlId, bool show) {
    DurationDisplay* setting = DurationSettingOf(m_display, controlId);
    // Today never shows a days field.
    if (!setting || controlId == IDC_TODAY_TIME) {
        return;
    }
    auto* indicator = static_cast<CDurationIndicator*>(IndicatorOf(controlId));
    indicator->SetShowDays(show);
    setting->showDays = show;
}

void CMonitorDlg::SetShowSeconds(int controlId, bool show) {
    DurationDisplay* setting = DurationSettingOf(m_display, controlId);
    if (!setting) {
        return;
    }
    auto* indicator = static_cast<CDurationIndicator*>(IndicatorOf(controlId));
    indicator->SetShowSeconds(show);
    setting->showSeconds = show;
}

void CMonitorDlg::ApplyDisplaySettings() {
    m_display.todayTime.showDays = false;
    for (const PeriodRow& row : m_rows) {
        const DurationDisplay* duration = DurationSettingOf(m_display, row.placeholder);
        row.time->SetShowDays(duration->showDays);
        row.time->SetShowSeconds(duration->showSeconds);
        SetIndicatorColour(row.placeholder, duration->textColour);
        SetIndicatorColour(row.costId, *ColourSettingOf(m_display, row.costId));
        if (Colour* logins = ColourSettingOf(m_display, row.loginsId)) {
            SetIndicatorColour(row.loginsId, *logins);
        }
    }
}

} // namespace mereth
