#include "report/win32/ReportWindow.h"

#include "framework/Application.h"
#include "framework/Gdi.h"
#include "ui/IndicatorText.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <new>
#include <utility>

namespace mereth {

namespace {

constexpr const char* GROUPINGS[] = {"Day", "Week", "Month", "Custom range"};
constexpr const char* MEASURES[] = {"Cost", "Time", "Calls"};
constexpr const char* TABLE_COLUMNS[] = {"Period", "Calls", "Time", "Cost"};
constexpr int TABLE_WIDTHS[] = {100, 45, 65, 75};
constexpr const char* CALL_COLUMNS[] = {"Entry", "Start", "Duration", "Cost"};
constexpr int CALL_WIDTHS[] = {140, 140, 80, 90};
constexpr int DEFAULT_GROUPING = 2; // Month
SYSTEMTIME SystemTimeOf(const CalendarDate& date) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(date.year);
    st.wMonth = static_cast<WORD>(date.month);
    st.wDay = static_cast<WORD>(date.day);
    return st;
}

void CopyText(const char* text, char* out, std::size_t capacity) {
    if (capacity > 0) {
        lstrcpynA(out, text, static_cast<int>(capacity));
    }
}

// Spreads a list's width over its columns in the shares of their first widths, leaving
// room for the vertical scroll bar, so that no column hides past the right edge.
void FitColumns(HWND list, const int* widths, int count) {
    RECT client{};
    ::GetClientRect(list, &client);
    // The client width shrinks by the scroll bar once it shows; fit as if it always did.
    const bool scrollBar = (::GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) != 0;
    const int room = client.right - (scrollBar ? 0 : ::GetSystemMetrics(SM_CXVSCROLL));
    int sum = 0;
    for (int i = 0; i < count; ++i) {
        sum += widths[i];
    }
    if (room <= 0 || sum <= 0) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        ListView_SetColumnWidth(list, i, std::max(20, widths[i] * room / sum));
    }
}

void AddColumns(HWND list, const char* const* names, const int* widths, int count) {
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    for (int i = 0; i < count; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = i == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        column.cx = widths[i];
        column.pszText = const_cast<char*>(names[i]);
        column.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

// comctl32 before version 6 draws no sort arrows of its own: a small grey triangle on
// the button face the header is drawn on, pointing up for an ascending sort.
CBitmap MakeSortArrow(HWND window, bool up) {
    constexpr int WIDTH = 9;
    constexpr int HEIGHT = 5;
    const CClientDC screen(window);
    CBitmap bitmap(CreateCompatibleBitmap(screen.Get(), WIDTH, HEIGHT));
    const HDC dc = CreateCompatibleDC(screen.Get());
    if (bitmap && dc) {
        const CSelectObject keep(dc, bitmap.Get());
        const RECT all{0, 0, WIDTH, HEIGHT};
        FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
        for (int row = 0; row < HEIGHT; ++row) { // from the point to the base
            const int y = up ? row : HEIGHT - 1 - row;
            const RECT line{WIDTH / 2 - row, y, WIDTH / 2 + row + 1, y + 1};
            FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
        }
    }
    if (dc) {
        DeleteDC(dc);
    }
    return bitmap;
}

} // namespace

CReportWindow::CReportWindow(const ILocale& locale)
    : CDialog(IDD_REPORT), m_locale(locale), m_chart(locale) {}

CReportWindow::~CReportWindow() {
    StopReading();
}

bool CReportWindow::Open(CWnd* owner, const std::wstring& logPath, const LogLocaleFormat& format) {
    if (m_hWnd) {
        ::ShowWindow(m_hWnd, ::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOW);
        ::SetForegroundWindow(m_hWnd);
        return true;
    }
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    m_logPath = logPath;
    m_format = format;
    m_sortColumn = 0;
    m_sortAscending = true;
    const HWND hWnd = CreateModeless(owner ? owner->Handle() : nullptr);
    if (!hWnd) {
        return false;
    }
    ::ShowWindow(hWnd, SW_SHOWNORMAL);
    StartReading();
    return true;
}

bool CReportWindow::OnInitDialog() {
    const RECT none{0, 0, 0, 0};
    m_chart.Create(nullptr, WS_CHILD | WS_VISIBLE, none, m_hWnd, IDC_REPORT_CHART,
                   WS_EX_CLIENTEDGE);
    // In the tab order the chart comes after the table it stands beside.
    ::SetWindowPos(m_chart.Handle(), GetDlgItem(IDC_REPORT_TABLE).Handle(), 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    AddColumns(GetDlgItem(IDC_REPORT_TABLE).Handle(), TABLE_COLUMNS, TABLE_WIDTHS, 4);
    AddColumns(GetDlgItem(IDC_REPORT_CALLS).Handle(), CALL_COLUMNS, CALL_WIDTHS, 4);
    m_sortArrows[0] = MakeSortArrow(m_hWnd, false);
    m_sortArrows[1] = MakeSortArrow(m_hWnd, true);
    ShowSortArrow();
    FillChoices();
    FillEntries();

    RECT window;
    GetWindowRect(window);
    m_minimumSize = {window.right - window.left, (window.bottom - window.top) * 3 / 4};
    RECT client;
    GetClientRect(client);
    Layout(client.right, client.bottom);
    return true;
}

void CReportWindow::OnCancel() {
    DestroyWindow();
}

void CReportWindow::OnDestroy() {
    StopReading();
    // A closed report keeps nothing of a long log in memory.
    m_reader.reset();
    m_table = {};
    m_calls.clear();
    m_chart.SetBars({}, ReportMeasure::Cost);
    SetMsgHandled(false);
}

void CReportWindow::StartReading() {
    StopReading();
    m_pending = std::make_unique<CLogReader>(m_format);
    m_cancel.store(false);
    m_notify = m_hWnd;
    ++m_generation;
    m_thread.Reset(CreateThread(nullptr, 0, &CReportWindow::ReadThread, this, 0, nullptr));
    if (!m_thread) {
        m_pendingStatus = LogReadStatus::Failed;
        PostMessage(WM_LOG_READ, m_generation);
        return;
    }
    GetDlgItem(IDC_REPORT_STATUS).SetWindowText("Reading the log...");
}

void CReportWindow::StopReading() {
    if (m_thread) {
        m_cancel.store(true);
        WaitForSingleObject(m_thread.Get(), INFINITE);
        m_thread.Reset();
        m_pending.reset();
    }
}

DWORD WINAPI CReportWindow::ReadThread(void* parameter) {
    auto* window = static_cast<CReportWindow*>(parameter);
    try {
        window->m_pendingStatus =
            ReadLogFile(window->m_logPath, *window->m_pending, window->m_cancel);
    } catch (const std::bad_alloc&) {
        // A huge log on a 32-bit system: the report says so instead of ending the program.
        window->m_pending->Clear();
        window->m_pendingStatus = LogReadStatus::Failed;
    }
    if (!window->m_cancel.load()) {
        ::PostMessageA(window->m_notify, WM_LOG_READ, window->m_generation, 0);
    }
    return 0;
}

LRESULT CReportWindow::OnLogRead(WPARAM generation, LPARAM) {
    if (!m_pending || generation != m_generation) {
        return 0; // stopped since: the message is from a read that was given up
    }
    if (m_thread) {
        WaitForSingleObject(m_thread.Get(), INFINITE);
        m_thread.Reset();
    }
    m_reader = std::move(m_pending);
    m_status = m_pendingStatus;

    if (!m_reader->DateSpan(m_firstDay, m_lastDay)) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        m_firstDay = m_lastDay = {now.wYear, now.wMonth, now.wDay};
    }
    FillEntries();
    ShowRange();
    Rebuild();
    ShowStatus();
    return 0;
}

void CReportWindow::FillChoices() {
    const CWindow grouping = GetDlgItem(IDC_REPORT_GROUPING);
    for (const char* text : GROUPINGS) {
        grouping.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    grouping.SendMessage(CB_SETCURSEL, DEFAULT_GROUPING);
    const CWindow measure = GetDlgItem(IDC_REPORT_MEASURE);
    for (const char* text : MEASURES) {
        measure.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    measure.SendMessage(CB_SETCURSEL, 0);
    ShowRange();
}

void CReportWindow::FillEntries() {
    const CWindow combo = GetDlgItem(IDC_REPORT_ENTRY);
    // The entry chosen stays chosen across a Refresh, found again by its name.
    std::string chosen;
    const LRESULT selected = combo.SendMessage(CB_GETCURSEL);
    const LRESULT length = selected > 0 ? combo.SendMessage(CB_GETLBTEXTLEN, selected) : CB_ERR;
    if (length > 0) {
        chosen.resize(static_cast<std::size_t>(length) + 1);
        const LRESULT copied =
            combo.SendMessage(CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(chosen.data()));
        chosen.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    }
    combo.SendMessage(CB_RESETCONTENT);
    combo.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("All entries"));
    combo.SendMessage(CB_SETITEMDATA, 0, LPARAM(-1));
    LRESULT reselect = 0;
    if (m_reader) {
        const std::vector<std::string>& names = m_reader->EntryNames();
        for (std::size_t i = 0; i < names.size(); ++i) {
            const LRESULT at =
                combo.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[i].c_str()));
            if (at >= 0) {
                combo.SendMessage(CB_SETITEMDATA, at, LPARAM(i));
                if (!chosen.empty() && names[i] == chosen) {
                    reselect = at;
                }
            }
        }
    }
    combo.SendMessage(CB_SETCURSEL, reselect);
}

void CReportWindow::ShowRange() {
    const bool custom =
        GetDlgItem(IDC_REPORT_GROUPING).SendMessage(CB_GETCURSEL) == GROUPING_CUSTOM;
    const CWindow from = GetDlgItem(IDC_REPORT_FROM);
    const CWindow to = GetDlgItem(IDC_REPORT_TO);
    if (!custom) {
        SYSTEMTIME first = SystemTimeOf(m_firstDay);
        SYSTEMTIME last = SystemTimeOf(m_lastDay);
        from.SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&first));
        to.SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&last));
    }
    from.EnableWindow(custom);
    to.EnableWindow(custom);
}

ReportQuery CReportWindow::CurrentQuery() const {
    ReportQuery query;
    const CWindow entry = GetDlgItem(IDC_REPORT_ENTRY);
    const LRESULT selected = entry.SendMessage(CB_GETCURSEL);
    query.entry = selected > 0 ? static_cast<int>(entry.SendMessage(CB_GETITEMDATA, selected)) : -1;
    const LRESULT grouping = GetDlgItem(IDC_REPORT_GROUPING).SendMessage(CB_GETCURSEL);
    query.grouping = grouping == 1   ? ReportGrouping::Week
                     : grouping == 2 ? ReportGrouping::Month
                                     : ReportGrouping::Day;
    query.from = m_firstDay;
    query.to = m_lastDay;
    if (grouping == GROUPING_CUSTOM) {
        SYSTEMTIME st{};
        if (GetDlgItem(IDC_REPORT_FROM)
                .SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID) {
            query.from = {st.wYear, st.wMonth, st.wDay};
        }
        if (GetDlgItem(IDC_REPORT_TO)
                .SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID) {
            query.to = {st.wYear, st.wMonth, st.wDay};
        }
        if (query.to < query.from) {
            std::swap(query.from, query.to);
        }
    }
    return query;
}

ReportMeasure CReportWindow::CurrentMeasure() const {
    const LRESULT measure = GetDlgItem(IDC_REPORT_MEASURE).SendMessage(CB_GETCURSEL);
    return measure == 1   ? ReportMeasure::Time
           : measure == 2 ? ReportMeasure::Calls
                          : ReportMeasure::Cost;
}

void CReportWindow::Rebuild() {
    m_table = {};
    m_calls.clear();
    if (m_reader) {
        const ReportQuery query = CurrentQuery();
        m_table = BuildReport(*m_reader, query);
        m_tableGrouping = query.grouping;
        SortRows(m_table.rows, m_sortColumn, m_sortAscending);
        m_calls = CallsInRange(*m_reader, query);
        m_chart.SetBars(BuildChart(*m_reader, query, CurrentMeasure()), CurrentMeasure());
    } else {
        m_chart.SetBars({}, CurrentMeasure());
    }
    const CWindow table = GetDlgItem(IDC_REPORT_TABLE);
    table.SendMessage(LVM_SETITEMCOUNT, m_reader ? m_table.rows.size() + 1 : 0);
    table.Invalidate();
    const CWindow calls = GetDlgItem(IDC_REPORT_CALLS);
    calls.SendMessage(LVM_SETITEMCOUNT, m_calls.size());
    calls.Invalidate();
}

void CReportWindow::ShowStatus() {
    const long long read = m_reader ? m_reader->ReadLines() : 0;
    const long long skipped = m_reader ? m_reader->SkippedLines() : 0;
    const char* why = "";
    switch (m_status) {
    case LogReadStatus::Missing:
        GetDlgItem(IDC_REPORT_STATUS)
            .SetWindowText("There is no log yet: no call has been logged.");
        return;
    case LogReadStatus::Locked:
        why = "The log is in use by another program, only part of it was read: ";
        break;
    case LogReadStatus::Failed:
        why = "The log could not be read to its end: ";
        break;
    case LogReadStatus::Read:
    case LogReadStatus::Cancelled:
        break;
    }
    char text[256];
    std::snprintf(text, sizeof text, "%s%lld calls read, %lld lines skipped", why, read, skipped);
    GetDlgItem(IDC_REPORT_STATUS).SetWindowText(text);
}

void CReportWindow::OnRefresh() {
    StartReading();
}

void CReportWindow::OnGroupingChanged() {
    ShowRange();
    Rebuild();
}

void CReportWindow::OnMeasureChanged() {
    if (m_reader) {
        m_chart.SetBars(BuildChart(*m_reader, CurrentQuery(), CurrentMeasure()), CurrentMeasure());
    }
}

LRESULT CReportWindow::OnDateChanged(NMHDR*) {
    if (GetDlgItem(IDC_REPORT_GROUPING).SendMessage(CB_GETCURSEL) == GROUPING_CUSTOM) {
        Rebuild();
    }
    return 0;
}

LRESULT CReportWindow::OnTableColumnClick(NMHDR* header) {
    const int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
    m_sortAscending = column == m_sortColumn ? !m_sortAscending : true;
    m_sortColumn = column;
    SortRows(m_table.rows, m_sortColumn, m_sortAscending);
    GetDlgItem(IDC_REPORT_TABLE).Invalidate();
    ShowSortArrow();
    return 0;
}

void CReportWindow::ShowSortArrow() {
    const HWND header = ListView_GetHeader(GetDlgItem(IDC_REPORT_TABLE).Handle());
    const int count = Header_GetItemCount(header);
    for (int i = 0; i < count; ++i) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, i, &item);
        item.fmt &= ~(HDF_BITMAP | HDF_BITMAP_ON_RIGHT);
        item.mask |= HDI_BITMAP;
        item.hbm = nullptr;
        if (i == m_sortColumn && m_sortArrows[m_sortAscending ? 1 : 0]) {
            item.fmt |= HDF_BITMAP | HDF_BITMAP_ON_RIGHT;
            item.hbm = m_sortArrows[m_sortAscending ? 1 : 0].Get();
        }
        Header_SetItem(header, i, &item);
    }
}

LRESULT CReportWindow::OnGetDispInfo(NMHDR* header) {
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
    if (!(info->item.mask & LVIF_TEXT) || !info->item.pszText || info->item.cchTextMax <= 0) {
        return 0;
    }
    const auto capacity = static_cast<std::size_t>(info->item.cchTextMax);
    info->item.pszText[0] = '\0';
    if (header->idFrom == IDC_REPORT_TABLE) {
        TableCellText(info->item.iItem, info->item.iSubItem, info->item.pszText, capacity);
    } else {
        CallCellText(info->item.iItem, info->item.iSubItem, info->item.pszText, capacity);
    }
    return 0;
}

std::size_t CReportWindow::PeriodText(const CalendarDate& first, char* out,
                                      std::size_t capacity) const {
    if (m_tableGrouping == ReportGrouping::Month) {
        const SYSTEMTIME st = SystemTimeOf(first);
        const int n = GetDateFormatA(LOCALE_USER_DEFAULT, 0, &st, "MMMM yyyy", out,
                                     static_cast<int>(capacity));
        return n > 0 ? static_cast<std::size_t>(n - 1) : 0;
    }
    return m_locale.FormatShortDate(first.year, first.month, first.day, out, capacity);
}

std::size_t CReportWindow::CostText(double cost, char* out, std::size_t capacity) const {
    char amount[64];
    std::snprintf(amount, sizeof amount, "%f", cost);
    return m_locale.FormatCurrency(amount, out, capacity);
}

void CReportWindow::TableCellText(int row, int column, char* out, std::size_t capacity) const {
    if (row < 0 || static_cast<std::size_t>(row) > m_table.rows.size()) {
        return;
    }
    const bool total = static_cast<std::size_t>(row) == m_table.rows.size();
    const ReportRow& r = total ? m_table.total : m_table.rows[static_cast<std::size_t>(row)];
    char text[CURRENCY_TEXT_CAPACITY];
    switch (column) {
    case 0:
        if (total) {
            CopyText("Total", out, capacity);
        } else if (m_tableGrouping == ReportGrouping::Week) {
            char date[64];
            if (PeriodText(r.first, date, sizeof date) > 0) {
                std::snprintf(text, sizeof text, "Week of %s", date);
                CopyText(text, out, capacity);
            }
        } else {
            PeriodText(r.first, out, capacity);
        }
        break;
    case 1:
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(r.calls));
        CopyText(text, out, capacity);
        break;
    case 2:
        FormatDuration(r.seconds, false, true, text, sizeof text);
        CopyText(text, out, capacity);
        break;
    case 3:
        CostText(r.cost, out, capacity);
        break;
    default:
        break;
    }
}

void CReportWindow::CallCellText(int row, int column, char* out, std::size_t capacity) const {
    if (row < 0 || static_cast<std::size_t>(row) >= m_calls.size() || !m_reader) {
        return;
    }
    const LoggedCall& call = m_calls[static_cast<std::size_t>(row)];
    char text[CURRENCY_TEXT_CAPACITY];
    switch (column) {
    case 0: {
        const std::vector<std::string>& names = m_reader->EntryNames();
        if (call.entry >= 0 && static_cast<std::size_t>(call.entry) < names.size()) {
            CopyText(names[static_cast<std::size_t>(call.entry)].c_str(), out, capacity);
        }
        break;
    }
    case 1: {
        const std::size_t n = m_locale.FormatShortDate(call.date.year, call.date.month,
                                                       call.date.day, text, sizeof text);
        SYSTEMTIME st = SystemTimeOf(call.date);
        st.wHour = static_cast<WORD>(call.startSecond / 3600);
        st.wMinute = static_cast<WORD>(call.startSecond / 60 % 60);
        st.wSecond = static_cast<WORD>(call.startSecond % 60);
        const int t = n + 1 < sizeof text
                          ? GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, text + n + 1,
                                           static_cast<int>(sizeof text - n - 1))
                          : 0;
        text[n] = t > 0 ? ' ' : '\0';
        CopyText(text, out, capacity);
        break;
    }
    case 2:
        FormatDuration(call.seconds, false, true, text, sizeof text);
        CopyText(text, out, capacity);
        break;
    case 3:
        CostText(call.cost, out, capacity);
        break;
    default:
        break;
    }
}

void CReportWindow::Layout(int width, int height) {
    RECT units{7, 44, 4, 14};
    MapDialogRect(m_hWnd, &units);
    const int margin = units.left;
    const int top = units.top;
    const int gap = units.right;
    const int buttonHeight = units.bottom;
    RECT widths{50, 60, 48, 8};
    MapDialogRect(m_hWnd, &widths);

    const int buttonTop = height - margin - buttonHeight;
    int x = width - margin - widths.right;
    GetDlgItem(IDCANCEL).MoveWindow({x, buttonTop, x + widths.right, buttonTop + buttonHeight});
    x -= gap + widths.top;
    GetDlgItem(IDC_REPORT_EXPORT)
        .MoveWindow({x, buttonTop, x + widths.top, buttonTop + buttonHeight});
    x -= gap + widths.left;
    GetDlgItem(IDC_REPORT_REFRESH)
        .MoveWindow({x, buttonTop, x + widths.left, buttonTop + buttonHeight});
    const int textTop = buttonTop + (buttonHeight - widths.bottom) / 2;
    GetDlgItem(IDC_REPORT_STATUS)
        .MoveWindow({margin, textTop, std::max(margin, x - gap), textTop + widths.bottom + 2});

    // The table and the chart side by side above, the calls list below.
    const int middle = std::max(0, buttonTop - gap - top);
    const int upper = middle * 11 / 20;
    const int inner = std::max(0, width - 2 * margin - gap);
    const int tableWidth = inner * 9 / 20;
    GetDlgItem(IDC_REPORT_TABLE).MoveWindow({margin, top, margin + tableWidth, top + upper});
    m_chart.MoveWindow({margin + tableWidth + gap, top, width - margin, top + upper});
    GetDlgItem(IDC_REPORT_CALLS)
        .MoveWindow({margin, top + upper + gap, width - margin, top + middle});
    FitColumns(GetDlgItem(IDC_REPORT_TABLE).Handle(), TABLE_WIDTHS, 4);
    FitColumns(GetDlgItem(IDC_REPORT_CALLS).Handle(), CALL_WIDTHS, 4);
}

LRESULT CReportWindow::OnSize(WPARAM type, LPARAM size) {
    if (type != SIZE_MINIMIZED) {
        Layout(LOWORD(size), HIWORD(size));
    }
    return 0;
}

LRESULT CReportWindow::OnGetMinMaxInfo(WPARAM, LPARAM info) {
    if (m_minimumSize.cx > 0) {
        reinterpret_cast<MINMAXINFO*>(info)->ptMinTrackSize = {m_minimumSize.cx, m_minimumSize.cy};
    }
    return 0;
}

bool CReportWindow::ExportCsv(const std::wstring& path, CsvKind kind) const {
    if (!m_reader) {
        return false;
    }
    return WriteWholeFile(path, kind == CsvKind::Calls ? CallsCsv(*m_reader, m_calls)
                                                       : ReportTableCsv(m_table, m_tableGrouping));
}

void CReportWindow::OnExport() {
    wchar_t path[MAX_PATH * 4] = L"Mereth report.csv";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_hWnd;
    dialog.lpstrFilter = L"Periods (*.csv)\0*.csv\0Calls (*.csv)\0*.csv\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = static_cast<DWORD>(std::size(path));
    dialog.lpstrDefExt = L"csv";
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetSaveFileNameW(&dialog)) {
        return;
    }
    if (!ExportCsv(path, dialog.nFilterIndex == 2 ? CsvKind::Calls : CsvKind::Periods)) {
        MessageBox("The CSV file could not be written.", nullptr, MB_OK | MB_ICONEXCLAMATION);
    }
}

} // namespace mereth
