#pragma once
// CReportWindow: the usage report (dialog 150), modeless beside the main window. The log
// is read on a worker thread that posts back when done, so the window opens at once and
// the main window's poll never waits for it.
#include "core/Locale.h"
#include "core/win32/Handles.h"
#include "framework/Dialog.h"
#include "report/UsageReport.h"
#include "report/win32/ReportChart.h"
#include "report/win32/ReportFiles.h"
#include "res/resource.h"

#include <commctrl.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace mereth {

enum class CsvKind { Periods, Calls };

class CReportWindow : public CDialog {
public:
    // The fourth grouping choice: days of a range the user picks.
    static constexpr int GROUPING_CUSTOM = 3;
    static constexpr UINT WM_LOG_READ = WM_APP + 20;

    explicit CReportWindow(const ILocale& locale);
    ~CReportWindow() override;

    // Opens the window over the log at logPath and starts reading it; when the window is
    // already open, restores it and brings it to the front. False if it cannot be made.
    bool Open(CWnd* owner, const std::wstring& logPath, const LogLocaleFormat& format);

    // Writes what is shown as CSV: the table's rows as sorted, or the calls of the range.
    bool ExportCsv(const std::wstring& path, CsvKind kind) const;

protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    // Close, Esc and the close box.
    void OnCancel() override;

private:
    static DWORD WINAPI ReadThread(void* parameter);

    void StartReading();
    // Stops a read under way and waits for its thread.
    void StopReading();
    LRESULT OnLogRead(WPARAM, LPARAM);
    void OnDestroy();
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnGetMinMaxInfo(WPARAM, LPARAM);
    void OnRefresh();
    void OnExport();
    void OnEntryChanged() { Rebuild(); }
    void OnGroupingChanged();
    void OnMeasureChanged();
    LRESULT OnDateChanged(NMHDR*);
    LRESULT OnTableColumnClick(NMHDR* header);
    // The arrow beside the sorted column's title, and none beside the others.
    void ShowSortArrow();
    LRESULT OnGetDispInfo(NMHDR* header);

    void FillChoices();
    void FillEntries();
    void ShowRange();
    ReportQuery CurrentQuery() const;
    ReportMeasure CurrentMeasure() const;
    // The table, the calls list and the chart from the log read and the choices made.
    void Rebuild();
    void ShowStatus();
    void Layout(int width, int height);
    void TableCellText(int row, int column, char* out, std::size_t capacity) const;
    void CallCellText(int row, int column, char* out, std::size_t capacity) const;
    std::size_t PeriodText(const CalendarDate& first, char* out, std::size_t capacity) const;
    std::size_t CostText(double cost, char* out, std::size_t capacity) const;

    const ILocale& m_locale;
    CReportChart m_chart;

    // The read under way: the worker owns m_pending until it posts WM_LOG_READ.
    std::wstring m_logPath;
    LogLocaleFormat m_format;
    CKernelHandle m_thread;
    std::atomic<bool> m_cancel{false};
    std::unique_ptr<CLogReader> m_pending;
    LogReadStatus m_pendingStatus = LogReadStatus::Read;
    HWND m_notify = nullptr;
    WPARAM m_generation = 0; // tells a stale completion from the read under way

    // What is shown.
    std::unique_ptr<CLogReader> m_reader;
    LogReadStatus m_status = LogReadStatus::Read;
    CalendarDate m_firstDay;
    CalendarDate m_lastDay;
    ReportTable m_table;
    ReportGrouping m_tableGrouping = ReportGrouping::Month;
    std::vector<LoggedCall> m_calls;
    int m_sortColumn = 0;
    bool m_sortAscending = true;
    CBitmap m_sortArrows[2]; // down, up
    SIZE m_minimumSize{};

    static constexpr MessageEntry MESSAGE_ENTRIES[] = {
        OnMessage<&CReportWindow::OnLogRead>(WM_LOG_READ),
        On<WM_DESTROY, &CReportWindow::OnDestroy>(),
        OnMessage<&CReportWindow::OnSize>(WM_SIZE),
        OnMessage<&CReportWindow::OnGetMinMaxInfo>(WM_GETMINMAXINFO),
        OnCommand<&CReportWindow::OnRefresh>(IDC_REPORT_REFRESH, BN_CLICKED),
        OnCommand<&CReportWindow::OnExport>(IDC_REPORT_EXPORT, BN_CLICKED),
        OnCommand<&CReportWindow::OnEntryChanged>(IDC_REPORT_ENTRY, CBN_SELCHANGE),
        OnCommand<&CReportWindow::OnGroupingChanged>(IDC_REPORT_GROUPING, CBN_SELCHANGE),
        OnCommand<&CReportWindow::OnMeasureChanged>(IDC_REPORT_MEASURE, CBN_SELCHANGE),
        OnNotify<&CReportWindow::OnDateChanged>(IDC_REPORT_FROM, UINT(DTN_DATETIMECHANGE)),
        OnNotify<&CReportWindow::OnDateChanged>(IDC_REPORT_TO, UINT(DTN_DATETIMECHANGE)),
        OnNotify<&CReportWindow::OnTableColumnClick>(IDC_REPORT_TABLE, UINT(LVN_COLUMNCLICK)),
        OnNotify<&CReportWindow::OnGetDispInfo>(IDC_REPORT_TABLE, UINT(LVN_GETDISPINFOA)),
        OnNotify<&CReportWindow::OnGetDispInfo>(IDC_REPORT_CALLS, UINT(LVN_GETDISPINFOA)),
    };

public:
    static constexpr MessageMap MESSAGE_MAP{MESSAGE_ENTRIES, &CDialog::MESSAGE_MAP};
    const MessageMap& GetMessageMap() const override { return MESSAGE_MAP; }
};

} // namespace mereth
