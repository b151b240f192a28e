#pragma once
// CMonitorDlg: the main window (dialog 102). It owns everything the program knows at
// run time: the records, the cost calculation, the connection watcher over the Remote
// Access Service, the log, the settings store, the accounting and its poll cycle, the
// display settings and the fifteen indicators.
//
// Its code is split by concern: MonitorDlg.cpp (construction and start-up),
// MonitorPanels.cpp (indicators, panels, captions, the entry list) and
// MonitorPolling.cpp (the timers, the tray picture and the status texts),
// MonitorCommands.cpp (Hide, Show, Exit, end of session, the tray icon's clicks) and
// MonitorMenus.cpp (the indicators' context menus and their commands).
#include "accounting/ConnectionAccounting.h"
#include "accounting/PollCycle.h"
#include "accounting/UsageModel.h"
#include "core/Clock.h"
#include "core/win32/SingleInstance.h"
#include "core/win32/WinLocale.h"
#include "framework/Dialog.h"
#include "resource.h"
#include "log/win32/ConnectionLog.h"
#include "ras/ConnectionWatcher.h"
#include "ras/win32/WinRasService.h"
#include "report/win32/ReportWindow.h"
#include "store/win32/SettingsStore.h"
#include "tray/win32/TrayIcon.h"
#include "accounting/CostCalculator.h"
#include "ui/Captions.h"
#include "ui/DisplaySettings.h"
#include "ui/IndicatorText.h"
#include "ui/Indicators.h"
#include "ui/StatusText.h"
#include "ui/win32/IndicatorWnd.h"
#include "ui/win32/ProjectionBar.h"

#include <cstdint>

namespace mereth {

class CMonitorDlg : public CStartHiddenDialog {
public:
    static constexpr UINT TIMER_POLL = 1;
    static constexpr UINT TIMER_BLINK = 2;
    static constexpr UINT TIMER_STATUS = 3;
    static constexpr UINT TIMER_DATE = 4;
    static constexpr UINT POLL_PERIOD = 800;
    static constexpr UINT STATUS_PERIOD = 5000;
    static constexpr UINT DATE_PERIOD = 60000;
    static constexpr UINT BLINK_PERIOD = 50;

    // The tray icon reaches the shell through trayShell (tests record what it sends);
    // instance, when given, learns when the window is up and tells of an early wake-up.
    explicit CMonitorDlg(INotifyShell& trayShell = SystemNotifyShell(),
                         CSingleInstance* instance = nullptr);
    ~CMonitorDlg() override = default;

    // The selected record's figures, and the five group captions.
    void RefreshIndicators();
    // The text of the indicator in a row of INDICATORS, from the selected record.
    void RefreshIndicator(int row);
    void RefreshLabels();

    // Shows and enables, or hides and disables, the indicators of a kind.
    void ShowKindPanel(int kind, bool show);

    // The indicator with this control id, or null.
    CTextIndicator* IndicatorOf(int controlId);

    // Display changes go through these, so the settings a save writes are what is shown.
    void SetIndicatorColour(int controlId, COLORREF colour);
    void SetShowDays(int controlId, bool show);
    void SetShowSeconds(int controlId, bool show);
    const DisplaySettings& Display() const { return m_display; }

    const CUsageModel& Model() const { return m_model; }
    // The budget bar: the shown budget's record, and whether the window made room for it.
    int BudgetRecord() const { return m_budgetRecord; }
    const CProjectionBar& ProjectionBar() const { return m_projectionBar; }
    int IndicatorKind() const { return m_indicatorKind; }

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    // Esc and Enter (the default button, Hide) only hide the window.
    void OnCancel() override;
    void OnOK() override;

    void OnKindChanged();
    void OnEntrySelected();
    void OnHide();
    void OnClose();
    void OnSysCommand(UINT command);
    void OnPaint();
    HICON OnQueryDragIcon();
    void OnTimer(UINT_PTR id);
    void OnTimeChange();

    // The entry list (combo box 1007) from the watcher's list.
    void FillEntryCombo();
    void CreateIndicators();
    // Puts the display settings into the indicators (after a load).
    void ApplyDisplaySettings();
    bool IsConnected() const { return m_accounting.IsConnected(); }
    void StartTimers();
    void StopTimers();
    // At start-up: the call the last run saved goes on when its connection is still up.
    void ResumeSavedCall();
    // Exit: asks first; on Yes the timers stop, everything is saved and the dialog ends.
    void OnExit();
    void OnShow();
    bool OnQueryEndSession();
    LRESULT OnTrayDoubleClick(NMHDR* header);
    LRESULT OnTrayRightClick(NMHDR* header);
    void OnContextMenu(HWND clicked, POINT point);
    void OnShowDays();
    void OnShowSeconds();
    void OnColour(UINT command);
    void OnResetIndicator();
    void OnViewLog();
    void OnSetCharges();
    void OnResetBilling();
    // The usage report window (MonitorReport.cpp): the Report button and the tray item.
    void OnReport();
    // Start at logon (MonitorLogon.cpp): whether the per-user Run value points at this
    // program, and the tray item that adds or removes it.
    bool StartsWithWindows() const;
    void OnStartWithWindows();
    // Back up and restore the settings store (MonitorBackup.cpp).
    void OnBackup();
    void OnRestore();

    // The projection bar under the Total panel, and the room the window makes for it.
    void CreateProjectionBar();
    void RefreshBudget();
    void ShowBudgetBar(bool show);
    // A balloon for an alert threshold reached, when no modal window of ours is open.
    void ShowDueAlerts();
    // The shell's "TaskbarCreated" and a second start's wake-up: registered messages.
    bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    void OnStatusTimer();
    // Shows the figures an accounting event changed and saves them when it is due.
    void ApplyAccounting(const AccountingResult& result);
    // Switches the tray picture to an icon resource; 0 leaves it.
    void ShowTrayPicture(int iconResource);
    // The control id of the indicator the context menu was opened for; 0 for none.
    int MenuTargetId() const;

    // Run-time state, in the order it is built.
    CSystemClock m_clock;
    CWinLocale m_locale;
    CUsageModel m_model;
    CCostCalculator m_costs;
    CWinRasService m_ras;
    CConnectionWatcher m_watcher;
    CConnectionLog m_log;
    DisplaySettings m_display;
    CSettingsStore m_store;
    CConnectionAccounting m_accounting;
    CPollCycle m_pollCycle;
    CGroupCaptions m_captions;
    CTrayIcon m_trayIcon;
    CSingleInstance* m_instance;
    // The indicator whose context menu is open or was last opened; null when none.
    CTextIndicator* m_menuTarget = nullptr;
    StatusText m_statusText; // the status being written, and the one last given the tip
    StatusText m_shownTip;

    std::int32_t m_indicatorKind = KIND_TIMES;
    HICON m_hIcon = nullptr;

    // The indicators by row of INDICATORS.
    CTextIndicator m_indicators[INDICATOR_COUNT];

    CProjectionBar m_projectionBar;
    int m_budgetRecord = -1; // the record whose budget the bar shows; -1: no bar
    int m_barShift = 0;      // pixels the window grows by while the bar shows
    int m_barBelow = 0;      // controls from this client y down move for the bar
    TooltipText m_tipText;
    CReportWindow m_report{m_locale};

protected:
    static constexpr MessageEntry MESSAGE_ENTRIES[] = {
        OnCommand<&CMonitorDlg::OnKindChanged>(IDC_TIMES, BN_CLICKED),
        OnCommand<&CMonitorDlg::OnKindChanged>(IDC_COSTS, BN_CLICKED),
        OnCommand<&CMonitorDlg::OnKindChanged>(IDC_LOGINS, BN_CLICKED),
        OnCommand<&CMonitorDlg::OnEntrySelected>(IDC_ENTRY_COMBO, CBN_SELCHANGE),
        OnCommand<&CMonitorDlg::OnHide>(IDC_HIDE, BN_CLICKED),
        On<WM_CLOSE, &CMonitorDlg::OnClose>(),
        On<WM_SYSCOMMAND, &CMonitorDlg::OnSysCommand>(),
        On<WM_PAINT, &CMonitorDlg::OnPaint>(),
        On<WM_QUERYDRAGICON, &CMonitorDlg::OnQueryDragIcon>(),
        On<WM_TIMER, &CMonitorDlg::OnTimer>(),
        On<WM_QUERYENDSESSION, &CMonitorDlg::OnQueryEndSession>(),
        On<WM_CONTEXTMENU, &CMonitorDlg::OnContextMenu>(),
        On<WM_TIMECHANGE, &CMonitorDlg::OnTimeChange>(),
        OnCommand<&CMonitorDlg::OnShow>(ID_TRAY_SHOW),
        OnCommand<&CMonitorDlg::OnExit>(ID_TRAY_EXIT),
        OnCommand<&CMonitorDlg::OnShowDays>(ID_SHOW_DAYS),
        OnCommand<&CMonitorDlg::OnShowSeconds>(ID_SHOW_SECONDS),
        OnCommand<&CMonitorDlg::OnResetIndicator>(ID_RESET),
        OnCommand<&CMonitorDlg::OnResetBilling>(ID_RESET_BILLING),
        OnCommandRange<&CMonitorDlg::OnColour>(ID_COLOUR_FIRST, ID_COLOUR_LAST),
        OnCommand<&CMonitorDlg::OnViewLog>(IDC_VIEW_LOG, BN_CLICKED),
        OnCommand<&CMonitorDlg::OnSetCharges>(IDC_SET_CHARGES, BN_CLICKED),
        OnCommand<&CMonitorDlg::OnReport>(IDC_REPORT, BN_CLICKED),
        OnCommand<&CMonitorDlg::OnReport>(ID_TRAY_REPORT),
        OnCommand<&CMonitorDlg::OnStartWithWindows>(ID_TRAY_START_WITH_WINDOWS),
        OnCommand<&CMonitorDlg::OnBackup>(ID_TRAY_BACKUP),
        OnCommand<&CMonitorDlg::OnRestore>(ID_TRAY_RESTORE),
        OnNotify<&CMonitorDlg::OnTrayDoubleClick>(IDC_TRAYICON, UINT(NM_DBLCLK)),
        OnNotify<&CMonitorDlg::OnTrayRightClick>(IDC_TRAYICON, UINT(NM_RCLICK)),
    };

public:
    static constexpr MessageMap MESSAGE_MAP{MESSAGE_ENTRIES, &CStartHiddenDialog::MESSAGE_MAP};
    const MessageMap& GetMessageMap() const override { return MESSAGE_MAP; }
};

} // namespace mereth
