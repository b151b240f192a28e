// The main window as the program runs it: the entry list from the phone book, the
// panels by kind, the captions, a selection of none, display changes, and what one
// tick repaints.
#include "app/MonitorDlg.h"

#include "AllocationCounter.h"
#include "ChargesSheetDriver.h"
#include "DisplayOf.h"
#include "DialogTemplate.h"
#include "RasSimState.h"
#include "StoreRegistry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace mereth {
namespace {

// Runs its checks once the window is initialised, then ends.
class CProbeDlg : public CMonitorDlg {
public:
    std::function<void(CProbeDlg&)> check;
    bool checked = false;

    using CMonitorDlg::m_indicators;
    using CMonitorDlg::m_model;
    using CMonitorDlg::OnStartWithWindows;
    using CMonitorDlg::StartsWithWindows;

    std::string ItemText(int id) const {
        char text[128] = {};
        ::GetDlgItemTextA(m_hWnd, id, text, sizeof text);
        return text;
    }
    void Click(int id, int code) {
        SendMessage(WM_COMMAND, MAKEWPARAM(id, code), LPARAM(::GetDlgItem(m_hWnd, id)));
    }
    void ChooseKind(int kind) {
        ::CheckRadioButton(m_hWnd, IDC_TIMES, IDC_LOGINS, IDC_TIMES + kind);
        Click(IDC_TIMES + kind, BN_CLICKED);
    }
    int TotalPaints() {
        int paints = 0;
        for (const CTextIndicator& indicator : m_indicators) {
            paints += indicator.PaintStats().paints;
        }
        return paints;
    }

protected:
    bool OnInitDialog() override {
        const bool result = CMonitorDlg::OnInitDialog();
        ShowWindow(SW_SHOWNORMAL);
        ::UpdateWindow(m_hWnd);
        if (check) {
            check(*this);
        }
        checked = true;
        EndDialog(IDOK);
        return result;
    }
};

class MonitorDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_ras.entries = {"Work", "Home"};
        ASSERT_TRUE(m_ras.Write());
    }
    // The window writes its log beside the test program; other tests expect none there.
    void TearDown() override {
        CSystemClock clock;
        CWinLocale locale;
        CConnectionLog log(clock, locale);
        std::wstring path;
        log.GetLogFilePath(path);
        if (!path.empty()) {
            DeleteFileW(path.c_str());
        }
    }
    void Run(std::function<void(CProbeDlg&)> check) {
        CProbeDlg dialog;
        dialog.check = std::move(check);
        dialog.DoModal();
        EXPECT_TRUE(dialog.checked);
    }
    test::CRasSimState m_ras;
};

TEST_F(MonitorDialogTest, EntryListAndPanelsByKind) {
    Run([](CProbeDlg& dlg) {
        HWND combo = ::GetDlgItem(dlg.Handle(), IDC_ENTRY_COMBO);
        ASSERT_EQ(::SendMessageA(combo, CB_GETCOUNT, 0, 0), 3);
        char item[64] = {};
        ::SendMessageA(combo, CB_GETLBTEXT, 2, LPARAM(item));
        EXPECT_STREQ(item, "Home");

        struct Step {
            int kind;
            const char* connCaption;
        };
        const Step steps[] = {
            {KIND_COSTS, "Last Connection"}, {KIND_LOGINS, ""}, {KIND_TIMES, "Last Connection"}};
        for (const Step& step : steps) {
            SCOPED_TRACE(step.kind);
            dlg.ChooseKind(step.kind);
            EXPECT_EQ(dlg.IndicatorKind(), step.kind);
            for (int i = 0; i < INDICATOR_COUNT; ++i) {
                EXPECT_EQ(dlg.m_indicators[i].IsWindowVisible(), INDICATORS[i].kind == step.kind);
                EXPECT_EQ(dlg.m_indicators[i].IsWindowEnabled(), INDICATORS[i].kind == step.kind);
            }
            EXPECT_EQ(dlg.ItemText(IDC_CONN_GROUP), step.connCaption);
        }
    });
}

TEST_F(MonitorDialogTest, CaptionsAfterRefreshLabels) {
    Run([](CProbeDlg& dlg) {
        dlg.m_model.m_currentYear = 2031;
        struct Case {
            int month;
            const char* caption;
        };
        // A damaged stored month never reads outside the names.
        const Case cases[] = {{12, "This month (December)"},
                              {1, "This month (January)"},
                              {0, "This month ()"},
                              {13, "This month ()"}};
        for (const Case& c : cases) {
            dlg.m_model.m_currentMonth = c.month;
            dlg.RefreshLabels();
            EXPECT_EQ(dlg.ItemText(IDC_MONTH_GROUP), c.caption);
        }
        EXPECT_EQ(dlg.ItemText(IDC_YEAR_GROUP), "This year (2031)");
        const std::string start = dlg.m_model.m_entries[0].startDate.c_str();
        EXPECT_EQ(dlg.ItemText(IDC_TOTAL_GROUP), "Total (since " + start + ")");
        EXPECT_EQ(dlg.ItemText(IDC_TODAY_GROUP).rfind("Today (", 0), 0u);
    });
}

TEST_F(MonitorDialogTest, NoSelectionBlanksTheFiguresAndIndexesNothing) {
    Run([](CProbeDlg& dlg) {
        HWND combo = ::GetDlgItem(dlg.Handle(), IDC_ENTRY_COMBO);
        ::SendMessageA(combo, CB_SETCURSEL, WPARAM(-1), 0);
        dlg.Click(IDC_ENTRY_COMBO, CBN_SELCHANGE);
        EXPECT_EQ(dlg.Model().m_selectedEntry, CB_ERR);
        EXPECT_EQ(dlg.IndicatorOf(IDC_TOTAL_TIME)->GetText(), "");
        EXPECT_EQ(dlg.ItemText(IDC_TOTAL_GROUP), "Total (since )");

        ::SendMessageA(combo, CB_SETCURSEL, 1, 0);
        dlg.Click(IDC_ENTRY_COMBO, CBN_SELCHANGE);
        EXPECT_STREQ(dlg.Model().m_selectedEntryName.c_str(), "Work");
        EXPECT_EQ(dlg.IndicatorOf(IDC_TOTAL_TIME)->GetText(), "0:0:00:00");
    });
}

TEST_F(MonitorDialogTest, DisplayChangesReachTheSettingsASaveWrites) {
    Run([](CProbeDlg& dlg) {
        dlg.SetShowSeconds(IDC_TOTAL_TIME, FALSE);
        dlg.SetShowDays(IDC_TOTAL_TIME, FALSE);
        dlg.SetIndicatorColour(IDC_MONTH_COST, RGB(255, 0, 0));
        dlg.SetIndicatorColour(IDC_YEAR_LOGINS, GetSysColor(COLOR_BTNFACE)); // refused
        dlg.SetShowDays(IDC_TODAY_TIME, TRUE);                               // never days
        EXPECT_EQ(dlg.IndicatorOf(IDC_TOTAL_TIME)->GetText(), "0:00");
        EXPECT_FALSE(test::DisplayOf(dlg.Display(), IDC_TOTAL_TIME).showSeconds);
        EXPECT_FALSE(test::DisplayOf(dlg.Display(), IDC_TOTAL_TIME).showDays);
        EXPECT_EQ(test::DisplayOf(dlg.Display(), IDC_MONTH_COST).textColour, RGB(255, 0, 0));
        EXPECT_EQ(test::DisplayOf(dlg.Display(), IDC_YEAR_LOGINS).textColour, COLOUR_BLACK);
        EXPECT_FALSE(test::DisplayOf(dlg.Display(), IDC_TODAY_TIME).showDays);
        EXPECT_EQ(dlg.IndicatorOf(IDC_TODAY_TIME)->GetText(), "0:00:00");
    });
}

TEST_F(MonitorDialogTest, OneTickRepaintsOnlyChangedTexts) {
    Run([](CProbeDlg& dlg) {
        ConnectionStats& all = dlg.m_model.m_entries[0];
        all.connTime.value = 59;
        all.totalTime.value = 3659;
        dlg.RefreshIndicators();
        const int before = dlg.TotalPaints();
        dlg.RefreshIndicators(); // nothing changed: nothing paints
        EXPECT_EQ(dlg.TotalPaints(), before);

        all.connTime.value = 60;    // 0:0:00:59 -> 0:0:01:00
        all.totalTime.value = 3660; // 0:1:00:59 -> 0:1:01:00
        dlg.RefreshIndicators();
        EXPECT_EQ(dlg.TotalPaints() - before, 2);
        EXPECT_EQ(dlg.IndicatorOf(IDC_CONN_TIME)->PaintStats().lastTail, 4u);
        EXPECT_EQ(dlg.IndicatorOf(IDC_TOTAL_TIME)->PaintStats().lastTail, 4u);
    });
}

TEST_F(MonitorDialogTest, BudgetBarMakesRoomOnlyWhileABudgetIsShown) {
    Run([](CProbeDlg& dlg) {
        const auto windowHeight = [&dlg] {
            RECT r{};
            dlg.GetWindowRect(r);
            return r.bottom - r.top;
        };
        const auto top = [&dlg](int id) {
            RECT r{};
            ::GetWindowRect(::GetDlgItem(dlg.Handle(), id), &r);
            return r.top;
        };
        const HWND bar = dlg.ProjectionBar().Handle();
        const auto shown = [bar] { return (GetWindowLongA(bar, GWL_STYLE) & WS_VISIBLE) != 0; };
        const int height = windowHeight();
        const int yearTop = top(IDC_YEAR_GROUP);
        const int totalTop = top(IDC_TOTAL_GROUP);
        ASSERT_NE(bar, nullptr);
        EXPECT_FALSE(shown());
        EXPECT_EQ(dlg.BudgetRecord(), -1);

        ConnectionStats& all = dlg.m_model.m_entries[0];
        all.budget.amount = 20.0f;
        all.billingCost.value = 30.0f; // past the budget whatever the day: red
        dlg.RefreshIndicators();
        EXPECT_TRUE(shown());
        EXPECT_EQ(dlg.BudgetRecord(), 0);
        const int grown = windowHeight() - height;
        EXPECT_GT(grown, 0);
        EXPECT_EQ(top(IDC_YEAR_GROUP) - yearTop, grown);
        EXPECT_EQ(top(IDC_TOTAL_GROUP), totalTop);
        EXPECT_EQ(dlg.ProjectionBar().Picture().level, BudgetLevel::Red);
        EXPECT_GT(dlg.ProjectionBar().Picture().filled, 0);

        // An entry's own budget goes before record 0's; without one, record 0's shows.
        dlg.m_model.m_selectedEntry = 1;
        dlg.m_model.m_entries[1].budget.amount = 5.0f;
        dlg.RefreshIndicators();
        EXPECT_EQ(dlg.BudgetRecord(), 1);
        EXPECT_EQ(dlg.ProjectionBar().Picture().filled, 0);
        EXPECT_EQ(windowHeight() - height, grown);

        dlg.m_model.m_entries[1].budget.amount = 0.0f;
        all.budget.amount = 0.0f;
        dlg.RefreshIndicators();
        EXPECT_FALSE(shown());
        EXPECT_EQ(windowHeight(), height);
        EXPECT_EQ(top(IDC_YEAR_GROUP), yearTop);
    });
}

TEST_F(MonitorDialogTest, PollTicksAllocateNothing) {
    Run([this](CProbeDlg& dlg) {
        auto poll = [&dlg] { dlg.SendMessage(WM_TIMER, CMonitorDlg::TIMER_POLL, 0); };
        dlg.m_model.m_entries[0].budget.amount = 100.0f; // the bar is refreshed every tick
        poll();                                          // idle
        long before = test::AllocationCount();
        poll();
        EXPECT_EQ(test::AllocationCount(), before) << "idle poll";

        m_ras.Connect("Work");
        ASSERT_TRUE(m_ras.Write());
        poll(); // the connection starts
        poll();
        dlg.m_model.m_entries[0].connTime.value += 1; // a tick that changes texts
        before = test::AllocationCount();
        dlg.RefreshIndicators();
        poll();
        poll();
        EXPECT_EQ(test::AllocationCount(), before) << "running ticks";
        EXPECT_EQ(dlg.ItemText(IDC_CONN_GROUP), "This Connection");
    });
}

// Set Charges on Home during Work's call, charged by the hour: Work's call keeps its one
// unit; an edit that cut its segment would charge a second at once.
TEST_F(MonitorDialogTest, AnotherEntrysTariffEditedDuringACallLeavesTheCallAlone) {
    Run([this](CProbeDlg& dlg) {
        auto poll = [&dlg] { dlg.SendMessage(WM_TIMER, CMonitorDlg::TIMER_POLL, 0); };
        Tariff& work = dlg.m_model.m_entries[1].tariff;
        for (int p = 0; p < PERIOD_COUNT; ++p) {
            work.periodUnitCost[p] = 1.0f;
            work.periodUnitTime[p] = 3600;
        }
        work.saturdayUnitCost = work.sundayUnitCost = 1.0f;
        work.saturdayUnitTime = work.sundayUnitTime = 3600;
        work.chargeByTheUnit = 1;
        m_ras.Connect("Work");
        ASSERT_TRUE(m_ras.Write());
        poll(); // the call starts
        poll();
        ASSERT_FLOAT_EQ(dlg.m_model.m_entries[1].connCost.value, 1.0f);

        using namespace test::sheet_script;
        dlg.m_model.m_selectedEntry = 2;
        ASSERT_TRUE(
            CChargesSheetDriver::Drive({GoTo(1), SetText(IDC_WD_FEE1, "0.5"), Press(PSBTN_OK)},
                                       [&dlg] { dlg.Click(IDC_SET_CHARGES, BN_CLICKED); }));
        EXPECT_FLOAT_EQ(dlg.m_model.m_entries[2].tariff.periodConnectionFee[0], 0.5f);
        poll();
        EXPECT_FLOAT_EQ(dlg.m_model.m_entries[1].connCost.value, 1.0f);
    });
}

TEST_F(MonitorDialogTest, CloseBoxAsksAndEscapeOnlyHides) {
    Run([](CProbeDlg& dlg) {
        dlg.Click(IDCANCEL, BN_CLICKED);
        EXPECT_FALSE(dlg.IsWindowVisible());
        EXPECT_TRUE(dlg.IsModalRunning());
        dlg.ShowWindow(SW_SHOWNORMAL);
        dlg.Click(IDC_HIDE, BN_CLICKED);
        EXPECT_FALSE(dlg.IsWindowVisible());

        test::CMessageBoxAnswerer answerer; // answers with something other than Yes
        dlg.SendMessage(WM_CLOSE);
        ASSERT_EQ(answerer.m_texts.size(), 1u);
        EXPECT_EQ(answerer.m_texts[0], "\nAre you sure you want to exit Mereth ?");
        EXPECT_EQ(answerer.m_captions[0], "Exit Mereth");
        EXPECT_TRUE(dlg.IsModalRunning());
    });
}

// The user's real Run value is put back afterwards, whatever the test left there.
TEST_F(MonitorDialogTest, StartWithWindowsTogglesTheRunValue) {
    const std::string RUN = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const test::RawValue saved = test::GetRaw(RUN, "Mereth");
    struct Restore {
        const std::string& key;
        const test::RawValue& value;
        ~Restore() {
            test::DeleteValue(key, "Mereth");
            if (value.found) {
                test::PutRaw(key, "Mereth", value.type, value.data.data(),
                             DWORD(value.data.size()));
            }
        }
    } restore{RUN, saved};

    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string shouted = self;
    CharUpperA(shouted.data());
    const std::string folder(self, std::strrchr(self, '\\'));
    SetEnvironmentVariableA("MERETH_TEST_FOLDER", folder.c_str());
    const std::string ours = std::string("\"") + self + "\"";
    struct Case {
        DWORD type; // REG_NONE: no value
        std::string before;
        bool ours;
    } cases[] = {
        {REG_NONE, "", false},
        {REG_SZ, "\"C:\\Old\\Mereth.exe\"", false}, // another copy
        {REG_SZ, shouted + " /hidden", true},       // bare, in capitals, with an argument
        {REG_EXPAND_SZ, "\"%MERETH_TEST_FOLDER%" + std::string(self).substr(folder.size()) + "\"",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        test::DeleteValue(RUN, "Mereth");
        if (c.type != REG_NONE) {
            ASSERT_TRUE(
                test::PutRaw(RUN, "Mereth", c.type, c.before.c_str(), DWORD(c.before.size() + 1)));
        }
        Run([&](CProbeDlg& dlg) {
            EXPECT_EQ(dlg.StartsWithWindows(), c.ours);
            for (bool on : {!c.ours, c.ours}) {
                dlg.OnStartWithWindows();
                EXPECT_EQ(dlg.StartsWithWindows(), on);
                const test::RawValue after = test::GetRaw(RUN, "Mereth");
                EXPECT_EQ(after.found, on);
                if (on) {
                    EXPECT_EQ(after.type, DWORD(REG_SZ));
                    EXPECT_EQ(after.Bytes(), ours + '\0');
                }
            }
        });
    }
}

} // namespace
} // namespace mereth
