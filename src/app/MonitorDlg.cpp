#include "app/MonitorDlg.h"

#include "app/AboutDlg.h"
#include "framework/Application.h"
#include "framework/DataExchange.h"
#include "framework/Gdi.h"
#include "ui/MenuState.h"
#include "ui/MonitorReactions.h"
#include "ui/UserTexts.h"

namespace mereth {

CMonitorDlg::CMonitorDlg(INotifyShell& trayShell, CSingleInstance* instance)
    : CStartHiddenDialog(IDD_MONITOR), m_model(m_clock, m_locale), m_costs(m_model),
      m_watcher(m_model, m_ras), m_log(m_clock, m_locale), m_store(m_model, m_display),
      m_accounting(m_model, m_costs, m_log), m_pollCycle(m_accounting, m_model, m_watcher),
      m_trayIcon(trayShell), m_instance(instance) {
    m_hIcon = LoadIconA(ResourceInstance(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    m_model.m_selectedEntry = 0;
    m_store.SetRunningCallSource(&m_accounting);
}

void CMonitorDlg::DoDataExchange(CDataExchange& dx) {
    dx.ComboIndex(IDC_ENTRY_COMBO, m_model.m_selectedEntry);
    dx.Radio(IDC_TIMES, m_indicatorKind);
}

bool CMonitorDlg::OnInitDialog() {
    // Before anything else reads the store or the log.
    const bool firstRun = m_store.CheckRegistryVersion();
    // Nothing usable was stored: show the window and count from today.
    m_showOnStart = firstRun;
    if (firstRun) {
        m_model.SetStartDate(0);
    }
    PrepareLogAtStartup(m_log, firstRun);
    CStartHiddenDialog::OnInitDialog();

    HMENU systemMenu = GetSystemMenu(m_hWnd, FALSE);
    char about[64] = {};
    if (systemMenu && LoadStringA(ResourceInstance(), IDS_ABOUTBOX, about, sizeof about) > 0) {
        AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
    }
    SetIcon(m_hIcon);

    CreateIndicators();
    CreateProjectionBar();
    m_trayIcon.Create(WS_VISIBLE, m_hWnd, IDC_TRAYICON, IDI_IDLE, PROGRAM_NAME);
    if (!m_trayIcon.IsAdded()) {
        // No icon to bring it back by: a hidden start would leave the program unreachable.
        m_showOnStart = true;
    }
    if (m_instance != nullptr && m_instance->AnnounceWindow()) {
        // A second start asked for the window before it existed.
        m_showOnStart = true;
    }

    m_watcher.FillEntryList();
    FillEntryCombo();
    const bool loaded = !m_store.CheckRegistryVersion();
    if (loaded) {
        m_store.LoadFromRegistry();
        ApplyDisplaySettings();
    }
    // Again, so that the stored selection finds its record among the entries.
    m_watcher.FillEntryList();
    FillEntryCombo();
    // Before the rollover: a call that goes on is still counted in the day it began.
    if (loaded) {
        ResumeSavedCall();
    }

    m_accounting.CheckDateRollover();
    RefreshIndicators();
    RefreshLabels();

    ShowKindPanel(KIND_TIMES, true);
    ShowKindPanel(KIND_COSTS, false);
    ShowKindPanel(KIND_LOGINS, false);
    StartTimers();
    UpdateData(false);
    return true;
}

void CMonitorDlg::ResumeSavedCall() {
    RunningCall saved;
    if (!m_store.LoadRunningCall(saved)) {
        return;
    }
    const PollReaction reaction = ReactToPoll(m_pollCycle.ResumeSavedCall(saved));
    ShowTrayPicture(static_cast<int>(reaction.picture));
    // The store names the call that runs now, with the figures it goes on from, or
    // none: a connection that has gone is not taken for the saved call again later.
    m_store.SaveToRegistry();
}

void CMonitorDlg::OnCancel() {
    ShowWindow(SW_HIDE);
}

void CMonitorDlg::OnOK() {
    ShowWindow(SW_HIDE);
}

void CMonitorDlg::OnHide() {
    ShowWindow(SW_HIDE);
}

void CMonitorDlg::StartTimers() {
    SetTimer(TIMER_POLL, POLL_PERIOD);
    SetTimer(TIMER_STATUS, STATUS_PERIOD);
    SetTimer(TIMER_DATE, DATE_PERIOD);
}

void CMonitorDlg::StopTimers() {
    for (UINT id : {TIMER_POLL, TIMER_BLINK, TIMER_STATUS, TIMER_DATE}) {
        KillTimer(id);
    }
}

void CMonitorDlg::OnSysCommand(UINT command) {
    if (command == IDM_ABOUTBOX) {
        CAboutDlg about(this);
        about.DoModal();
        return;
    }
    SetMsgHandled(false);
}

void CMonitorDlg::OnPaint() {
    if (!IsIconic(m_hWnd)) {
        SetMsgHandled(false);
        return;
    }
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, WPARAM(dc.Get()), 0);
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    RECT client{};
    GetClientRect(client);
    DrawIcon(dc.Get(), (client.right - cx + 1) / 2, (client.bottom - cy + 1) / 2, m_hIcon);
}

HICON CMonitorDlg::OnQueryDragIcon() {
    return m_hIcon;
}

} // namespace mereth
