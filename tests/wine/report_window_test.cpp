// The usage report over a log the real accounting wrote: its totals are the figures the
// program counted, the total row stays last through any sort, and the export writes
// the calls as they were made.
#include "report/win32/ReportWindow.h"

#include "accounting/ConnectionAccounting.h"
#include "accounting/PollCycle.h"
#include "core/win32/WinLocale.h"
#include "log/win32/ConnectionLog.h"
#include "ras/ConnectionWatcher.h"
#include "report/win32/ReportLocale.h"

#include "FakeClock.h"
#include "FakeRasService.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace mereth {
namespace {

struct MadeCall {
    const char* entry;
    int month, day, hour, minute, second;
    int seconds;
    const char* costText; // as the export writes it
};

// Weekdays only, so one flat rate applies, charged to the second: Work 0.10 a call and
// 0.05 a minute, Home 0.25 a minute; whole minutes keep every cost exact in cents. The
// last call of 10 December runs past midnight.
constexpr MadeCall CALLS[] = {
    {"Work", 12, 7, 10, 0, 0, 120, "0.20"}, {"Home", 12, 7, 14, 0, 0, 60, "0.25"},
    {"Work", 12, 8, 9, 30, 5, 600, "0.60"}, {"Home", 12, 10, 23, 59, 30, 120, "0.50"},
    {"Work", 12, 21, 8, 15, 0, 60, "0.15"},
};

class ReportWindowTest : public ::testing::Test {
protected:
    ReportWindowTest() : log(clock, locale, folder / "Mereth.exe") {
        ras.entries = {"Work", "Home"};
        watcher.FillEntryList();
        SetFlatRate(model.m_entries[1].tariff, 0.10f, 0.05f);
        SetFlatRate(model.m_entries[2].tariff, 0.0f, 0.25f);
        clock.Set(clock.At(2026, 12, 7, 8, 0, 0));
        model.SetCurrentDate(clock.Now());
        log.WriteLogHeader();
        for (const MadeCall& call : CALLS) {
            clock.Set(clock.At(2026, call.month, call.day, call.hour, call.minute, call.second));
            ras.Connect(call.entry);
            cycle.OnPollTimer();
            for (int s = 0; s < call.seconds; ++s) {
                clock.Advance(1);
                cycle.OnPollTimer();
            }
            ras.connections.clear();
            cycle.OnPollTimer();
        }
        log.GetLogFilePath(logPath);
    }
    static void SetFlatRate(Tariff& tariff, float fee, float unitCost) {
        for (int p = 0; p < PERIOD_COUNT; ++p) {
            tariff.periodConnectionFee[p] = fee;
            tariff.periodUnitCost[p] = unitCost;
            tariff.periodUnitTime[p] = 60;
        }
    }

    // Opens the report and serves its messages until the read has been shown.
    void OpenAndWait() {
        ASSERT_TRUE(report.Open(nullptr, logPath, UserLogLocaleFormat()));
        WaitForRead();
    }
    void WaitForRead() {
        const DWORD deadline = GetTickCount() + 10000;
        MSG msg;
        while (Status() == "Reading the log..." && GetTickCount() < deadline) {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&msg);
            }
            Sleep(5);
        }
        ASSERT_NE(Status(), "Reading the log...");
    }
    std::string Status() {
        char status[256] = "";
        report.GetDlgItem(IDC_REPORT_STATUS).GetWindowText(status, sizeof status);
        return status;
    }
    // The Total row as the Periods CSV has it: calls, seconds, cost.
    std::string ExportedTotal() {
        EXPECT_TRUE(report.ExportCsv(logPath + L".total.csv", CsvKind::Periods));
        const std::string csv = ReadFileText(folder / "Mereth.log.total.csv");
        const std::size_t at = csv.rfind("\"Total\",");
        return at == std::string::npos ? csv : csv.substr(at + 8);
    }
    void Choose(int control, int index) {
        report.GetDlgItem(control).SendMessage(CB_SETCURSEL, index);
        report.SendMessage(WM_COMMAND, MAKEWPARAM(control, CBN_SELCHANGE),
                           LPARAM(report.GetDlgItem(control).Handle()));
    }
    std::string Cell(int list, int row, int column) {
        char text[256] = "";
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        report.GetDlgItem(list).SendMessage(LVM_GETITEMTEXTA, row, LPARAM(&item));
        return text;
    }
    int Rows(int list) {
        return static_cast<int>(report.GetDlgItem(list).SendMessage(LVM_GETITEMCOUNT));
    }
    static std::string ReadFileText(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    test::TempFolder folder{"mereth report"};
    test::CFixedZoneClock clock;
    CWinLocale locale;
    CUsageModel model{clock, locale};
    test::CFakeRasService ras;
    CConnectionWatcher watcher{model, ras};
    CCostCalculator costs{model};
    CConnectionLog log;
    CConnectionAccounting accounting{model, costs, log};
    CPollCycle cycle{accounting, model, watcher};
    std::wstring logPath;
    CReportWindow report{locale};
};

TEST_F(ReportWindowTest, TotalsAreTheFiguresCountedAndStayLastThroughSorts) {
    OpenAndWait();
    ASSERT_EQ(Status(), "5 calls read, 0 lines skipped");
    // Entry choice 0 is every entry; the others follow the log's order of names.
    const struct {
        int entryChoice, record, grouping;
        std::size_t rows;
    } cases[] = {{0, 0, 0, 4}, {1, 1, 1, 2}, {2, 2, 2, 1}, {0, 0, 3, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entryChoice * 10 + c.grouping);
        Choose(IDC_REPORT_ENTRY, c.entryChoice);
        Choose(IDC_REPORT_GROUPING, c.grouping);
        const ConnectionStats& counted = model.m_entries[c.record];
        char total[64];
        std::snprintf(total, sizeof total, "%d,%d,%.2f\r\n", counted.totalLogins,
                      counted.totalTime.value, counted.totalCost.value);
        EXPECT_EQ(ExportedTotal(), total);
        EXPECT_EQ(Rows(IDC_REPORT_TABLE), static_cast<int>(c.rows) + 1);
        EXPECT_EQ(Rows(IDC_REPORT_CALLS), counted.totalLogins);
        for (int column : {3, 3, 1, 0}) {
            NMLISTVIEW click{};
            click.hdr = {report.GetDlgItem(IDC_REPORT_TABLE).Handle(), IDC_REPORT_TABLE,
                         UINT(LVN_COLUMNCLICK)};
            click.iSubItem = column;
            report.SendMessage(WM_NOTIFY, IDC_REPORT_TABLE, LPARAM(&click));
            EXPECT_EQ(Cell(IDC_REPORT_TABLE, Rows(IDC_REPORT_TABLE) - 1, 0), "Total");
            EXPECT_EQ(Cell(IDC_REPORT_TABLE, Rows(IDC_REPORT_TABLE) - 1, 1),
                      std::to_string(counted.totalLogins));
        }
    }
}

TEST_F(ReportWindowTest, ExportWritesTheCallsMadeAndTheTable) {
    OpenAndWait();
    std::string calls = "Entry,Start,Seconds,Cost\r\n";
    for (const MadeCall& c : CALLS) {
        char line[128];
        std::snprintf(line, sizeof line, "\"%s\",2026-%02d-%02d %02d:%02d:%02d,%d,%s\r\n", c.entry,
                      c.month, c.day, c.hour, c.minute, c.second, c.seconds, c.costText);
        calls += line;
    }
    ASSERT_TRUE(report.ExportCsv(logPath + L".calls.csv", CsvKind::Calls));
    EXPECT_EQ(ReadFileText(folder / "Mereth.log.calls.csv"), calls);

    Choose(IDC_REPORT_GROUPING, 2);
    ASSERT_TRUE(report.ExportCsv(logPath + L".table.csv", CsvKind::Periods));
    EXPECT_EQ(ReadFileText(folder / "Mereth.log.table.csv"),
              "Period,Calls,Seconds,Cost\r\n2026-12,5,960,1.70\r\n\"Total\",5,960,1.70\r\n");

    // A folder that is not there: the write fails and says so.
    EXPECT_FALSE(report.ExportCsv(logPath + L"\\no\\such.csv", CsvKind::Calls));
}

TEST_F(ReportWindowTest, LockedLogIsReportedAndOpeningTwiceKeepsOneWindow) {
    {
        HANDLE held = CreateFileW(logPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        OpenAndWait();
        CloseHandle(held);
    }
    EXPECT_NE(Status().find("in use by another program"), std::string::npos) << Status();

    const HWND first = report.Handle();
    ASSERT_TRUE(report.Open(nullptr, logPath, UserLogLocaleFormat()));
    EXPECT_EQ(report.Handle(), first);
    report.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_REPORT_REFRESH, BN_CLICKED));
    WaitForRead();
    EXPECT_EQ(Status(), "5 calls read, 0 lines skipped");
    EXPECT_EQ(ExportedTotal(), "5,960,1.70\r\n");
}

} // namespace
} // namespace mereth
