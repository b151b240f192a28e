#include "framework/Wnd.h"
#include "res/resource.h"
#include "tariff/win32/SetChargesSheet.h"

#include "ChargesSheetDriver.h"
#include "DialogTemplate.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace mereth {
namespace {

using test::CMessageBoxAnswerer;
using namespace test::sheet_script;
enum : int { GENERAL, WEEKDAY, WEEKEND, BUDGET, HOLIDAYS };

struct SheetRun {
    bool ok = false;
    bool finished = false;
    Tariff tariff;
    int beforeApplyCalls = 0;
    Tariff tariffInBeforeApply;
    Budget budget;
    CHolidays holidays;
};

// The real sheet on a copy of start, driven by steps.
SheetRun RunSheet(const Tariff& start, std::vector<Step> steps, CWnd* owner = nullptr,
                  const char* name = "Work", const Budget& budget = {}) {
    SheetRun run;
    run.tariff = start;
    run.budget = budget;
    run.finished = CChargesSheetDriver::Drive(std::move(steps), [&] {
        run.ok = RunSetChargesSheet(owner, name, run.tariff, run.budget, run.holidays, [&run] {
            ++run.beforeApplyCalls;
            run.tariffInBeforeApply = run.tariff;
        });
    });
    return run;
}

// Every value reads back exactly as it is shown; period 4 ends at 24:00.
Tariff SampleTariff() {
    Tariff t{{480, 1080, 1320, 1440, 1440},
             {0.05f, 0.1f, 0.15f, 0.2f, 0.25f},
             {0.1f, 1.1f, 2.1f, 3.1f, 4.1f},
             {60, 61, 62, 63, 64}};
    t.saturdayUnitCost = 0.02f;
    t.saturdayConnectionFee = 0.25f;
    t.saturdayUnitTime = 90;
    t.sundayUnitCost = 0.015f;
    t.sundayConnectionFee = 0.5f;
    t.sundayUnitTime = 120;
    t.chargesMinimumAmount = 1;
    t.minimumCallCharge = 1.5f;
    t.chargeByTheUnit = 1;
    return t;
}

TEST(SetChargesSheet, TypedCharactersPassTheFiltersOrLeaveTheText) {
    const struct {
        int page;
        int id;
        const char* before;
        bool selectAll;
        unsigned char ch;
        const char* after;
    } cases[] = {
        {GENERAL, IDC_MINIMUM_CHARGE, "12", false, '.', "12."},
        {GENERAL, IDC_MINIMUM_CHARGE, "12.5", false, '.', "12.5"},
        {GENERAL, IDC_MINIMUM_CHARGE, "1.5", true, '.', "1.5"},
        {GENERAL, IDC_MINIMUM_CHARGE, "1.5", true, '7', "7"},
        {GENERAL, IDC_MINIMUM_CHARGE, "7", false, '-', "7"},
        {GENERAL, IDC_MINIMUM_CHARGE, "7", false, 'a', "7"},
        {GENERAL, IDC_MINIMUM_CHARGE, "12", false, VK_BACK, "1"},
        {WEEKDAY, IDC_WD_COST3, "3", false, 0xA3, "3"},
        {WEEKEND, IDC_SUN_UNIT, "6", false, '0', "60"},
        {WEEKEND, IDC_SUN_UNIT, "60", false, '.', "60"},
        {WEEKEND, IDC_SUN_UNIT, "60", false, '-', "60"},
        {WEEKEND, IDC_SUN_UNIT, "60", false, VK_BACK, "6"},
    };
    std::vector<Step> steps;
    for (const auto& c : cases) {
        steps.push_back(GoTo(c.page));
        steps.push_back(Do([&c](HWND sheet) {
            HWND field = Item(sheet, c.id);
            SetWindowTextA(field, c.before);
            const LPARAM end = LPARAM(std::string(c.before).size());
            SendMessageA(field, EM_SETSEL, c.selectAll ? 0 : WPARAM(end), end);
            SendMessageA(field, WM_CHAR, c.ch, 1);
            EXPECT_EQ(Text(field), c.after) << c.before << " + " << int(c.ch);
        }));
    }
    steps.push_back(Press(PSBTN_CANCEL));
    const SheetRun run = RunSheet(Tariff{}, std::move(steps));
    EXPECT_TRUE(run.finished);
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.tariff, Tariff{});
}

// Each row's from- and to-text and whether it is enabled, given as rows 1..5.
void ExpectRows(HWND sheet, const char* const (&times)[5][2], int enabledRows) {
    const int ids[5][6] = {
        {IDC_WD_FROM1, IDC_WD_TO1, IDC_WD_FEE1, IDC_WD_COST1, IDC_WD_UNIT1, IDC_WD_SPIN1},
        {IDC_WD_FROM2, IDC_WD_TO2, IDC_WD_FEE2, IDC_WD_COST2, IDC_WD_UNIT2, IDC_WD_SPIN2},
        {IDC_WD_FROM3, IDC_WD_TO3, IDC_WD_FEE3, IDC_WD_COST3, IDC_WD_UNIT3, IDC_WD_SPIN3},
        {IDC_WD_FROM4, IDC_WD_TO4, IDC_WD_FEE4, IDC_WD_COST4, IDC_WD_UNIT4, IDC_WD_SPIN4},
        {IDC_WD_FROM5, IDC_WD_TO5, IDC_WD_FEE5, IDC_WD_COST5, IDC_WD_UNIT5, 0}};
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(Text(Item(sheet, ids[r][0])), times[r][0]) << "row " << r + 1;
        EXPECT_EQ(Text(Item(sheet, ids[r][1])), times[r][1]) << "row " << r + 1;
        for (int id : ids[r]) {
            if (id != 0) {
                EXPECT_EQ(IsWindowEnabled(Item(sheet, id)) != 0, r < enabledRows) << id;
            }
        }
    }
}

TEST(SetChargesSheet, DefaultWeekdayPageAndOneActionPerStep) {
    CMessageBoxAnswerer answerer;
    const char* const defaults[5][2] = {{"00:00", "24:00"},
                                        {"24:00", "24:00"},
                                        {"24:00", "24:00"},
                                        {"24:00", "24:00"},
                                        {"24:00", "24:00"}};
    const char* const stepped[5][2] = {{"00:00", "23:30"},
                                       {"23:30", "24:00"},
                                       {"24:00", "24:00"},
                                       {"24:00", "24:00"},
                                       {"24:00", "24:00"}};
    const auto to1Shows = [](const char* time) {
        return [time](HWND sheet) { return Text(Item(sheet, IDC_WD_TO1)) == time; };
    };
    std::vector<Step> steps = {
        GoTo(WEEKDAY),
        Do([&](HWND sheet) { ExpectRows(sheet, defaults, 1); }),
        StepUpDown(IDC_WD_SPIN1, 47),
        to1Shows("23:30"),
        Idle(3),
        Do([&](HWND sheet) {
            ExpectRows(sheet, stepped, 2);
            int low = -1, high = -1;
            SendMessageA(Item(sheet, IDC_WD_SPIN2), UDM_GETRANGE32, WPARAM(&low), LPARAM(&high));
            EXPECT_EQ(low, 47);
            EXPECT_EQ(high, 48);
            EXPECT_EQ(LOWORD(SendMessageA(Item(sheet, IDC_WD_SPIN2), UDM_GETPOS, 0, 0)), 48);
            EXPECT_TRUE(answerer.m_texts.empty());
        }),
        // With a field that cannot be read, a step complains once, not once per report.
        SetText(IDC_WD_FEE1, "abc"),
        StepUpDown(IDC_WD_SPIN1, 46),
        to1Shows("23:00"),
        Idle(8),
        Do([&](HWND) {
            EXPECT_EQ(answerer.m_texts, std::vector<std::string>{"Please enter a number."});
        }),
        SetText(IDC_WD_FEE1, "0"),
        Press(PSBTN_OK),
    };
    const SheetRun run = RunSheet(Tariff{}, std::move(steps));
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(run.ok);
    Tariff expected;
    expected.periodEnd[0] = 23 * 60;
    EXPECT_EQ(run.tariff, expected);
    EXPECT_EQ(run.beforeApplyCalls, 1);
    EXPECT_EQ(run.tariffInBeforeApply, Tariff{});
}

TEST(SetChargesSheet, OkCopiesBackAndCancelChangesNothing) {
    Tariff byFive = SampleTariff();
    byFive.chargeByTheUnit = 5;
    Tariff oddEnd = SampleTariff();
    oddEnd.periodEnd[4] = 1200; // only the store could hold it; the sheet never edits it
    const struct {
        const char* name;
        Tariff start;
        std::vector<Step> steps;
        bool ok;
        Tariff expected;
    } cases[] = {
        {"OK at once", SampleTariff(), {Press(PSBTN_OK)}, true, SampleTariff()},
        {"every page", oddEnd, {GoTo(WEEKDAY), GoTo(WEEKEND), Press(PSBTN_OK)}, true, oddEnd},
        {"flag 5", byFive, {Press(PSBTN_OK)}, true, SampleTariff()},
        {"Cancel",
         SampleTariff(),
         {SetText(IDC_MINIMUM_CHARGE, "9"), GoTo(WEEKDAY), StepUpDown(IDC_WD_SPIN1, 20),
          SetText(IDC_WD_FEE1, "4"), Press(PSBTN_CANCEL)},
         false,
         SampleTariff()},
    };
    for (const auto& c : cases) {
        const SheetRun run = RunSheet(c.start, c.steps);
        EXPECT_TRUE(run.finished) << c.name;
        EXPECT_EQ(run.ok, c.ok) << c.name;
        EXPECT_EQ(run.tariff, c.expected) << c.name;
        // Only a change closes the running segment, before the tariff changes.
        EXPECT_EQ(run.beforeApplyCalls, c.start == c.expected ? 0 : 1) << c.name;
        EXPECT_EQ(run.tariffInBeforeApply, run.beforeApplyCalls ? c.start : Tariff{}) << c.name;
    }
}

TEST(SetChargesSheet, UnreadableTextKeepsThePageWithItsMessage) {
    Tariff expected[3] = {SampleTariff(), SampleTariff(), SampleTariff()};
    expected[0].minimumCallCharge = 3.0f;
    expected[1].periodConnectionFee[3] = 7.0f;
    expected[2].sundayUnitTime = 30;
    const struct {
        int page;
        int id;
        const char* bad;
        int leaveFor; // another page, or -1 for OK
        const char* message;
        const char* good;
    } cases[] = {
        {GENERAL, IDC_MINIMUM_CHARGE, "abc", WEEKEND, "Please enter a number.", "3"},
        {WEEKDAY, IDC_WD_FEE4, "1e39", -1, "Please enter a number.", "7"},
        {WEEKEND, IDC_SUN_UNIT, "-60", -1, "Please enter an integer.", "30"},
    };
    for (int i = 0; i < 3; ++i) {
        const auto& c = cases[i];
        CMessageBoxAnswerer answerer;
        std::vector<Step> steps = {
            GoTo(c.page),
            Do([&c](HWND sheet) {
                SetFocus(Item(sheet, c.id)); // as typed
                SetWindowTextA(Item(sheet, c.id), c.bad);
                PostMessageA(sheet, c.leaveFor < 0 ? PSM_PRESSBUTTON : PSM_SETCURSEL,
                             c.leaveFor < 0 ? PSBTN_OK : c.leaveFor, 0);
            }),
            [&](HWND) { return !answerer.m_texts.empty(); },
            Idle(3),
            Do([&](HWND sheet) {
                EXPECT_EQ(answerer.m_texts, std::vector<std::string>{c.message}) << c.bad;
                EXPECT_EQ(PageIndex(sheet), c.page) << c.bad;
                // The focus is on the field, all its text selected.
                EXPECT_EQ(GetFocus(), Item(sheet, c.id)) << c.bad;
                DWORD start = 1, end = 0;
                SendMessageA(Item(sheet, c.id), EM_GETSEL, WPARAM(&start), LPARAM(&end));
                EXPECT_EQ(end - start, DWORD(std::string(c.bad).size())) << c.bad;
            }),
            SetText(c.id, c.good),
            Press(PSBTN_OK),
        };
        const SheetRun run = RunSheet(SampleTariff(), std::move(steps));
        EXPECT_TRUE(run.finished && run.ok) << c.bad;
        EXPECT_EQ(run.tariff, expected[i]) << c.bad;
    }
}

TEST(SetChargesSheet, BudgetAndHolidaysComeBackOnOkWithoutTouchingTheTariff) {
    Budget start;
    start.amount = 20.0f;
    start.billingDay = 15;
    std::vector<Step> steps = {
        GoTo(BUDGET),
        Do([](HWND sheet) {
            EXPECT_EQ(Text(Item(sheet, IDC_BUDGET_AMOUNT)), "20");
            EXPECT_EQ(Text(Item(sheet, IDC_BILLING_DAY)), "15");
            EXPECT_EQ(Text(Item(sheet, IDC_FIRST_ALERT)), "80");
            EXPECT_EQ(Text(Item(sheet, IDC_SECOND_ALERT)), "100");
            // The up-down writes the day into its field.
            SendMessageA(Item(sheet, IDC_BILLING_DAY_SPIN), UDM_SETPOS32, 0, 31);
            EXPECT_EQ(Text(Item(sheet, IDC_BILLING_DAY)), "31");
        }),
        SetText(IDC_BUDGET_AMOUNT, "35.5"),
        SetText(IDC_FIRST_ALERT, "50"),
        GoTo(HOLIDAYS),
        SetText(IDC_HOLIDAY_LIST, "2026-12-26\r\n\r\n 2026-12-25 \r\n"),
        Press(PSBTN_OK),
    };
    const SheetRun run = RunSheet(SampleTariff(), std::move(steps), nullptr, "Work", start);
    ASSERT_TRUE(run.finished && run.ok);
    Budget expected{35.5f, 31, {50, 100}};
    EXPECT_EQ(run.budget, expected);
    EXPECT_EQ(run.holidays.Count(), 2u);
    EXPECT_TRUE(run.holidays.Contains({2026, 12, 25}) && run.holidays.Contains({2026, 12, 26}));
    EXPECT_EQ(run.tariff, SampleTariff());
    EXPECT_EQ(run.beforeApplyCalls, 0); // the running call's segment is the tariff's alone
}

TEST(SetChargesSheet, BadBudgetOrHolidayKeepsThePageWithItsMessage) {
    const struct {
        int page;
        int id;
        const char* bad;
        const char* message;
    } cases[] = {
        {BUDGET, IDC_BUDGET_AMOUNT, "-5", "Please enter a number."},
        {BUDGET, IDC_BUDGET_AMOUNT, "1e39", "Please enter a number."},
        {BUDGET, IDC_BUDGET_AMOUNT, "1.5.", "Please enter a number."},
        {BUDGET, IDC_BILLING_DAY, "0", "Please enter a day of the month from 1 to 31."},
        {BUDGET, IDC_BILLING_DAY, "32", "Please enter a day of the month from 1 to 31."},
        {BUDGET, IDC_SECOND_ALERT, "0", "Please enter a percentage from 1 to 1000."},
        {HOLIDAYS, IDC_HOLIDAY_LIST, "2026-12-25\r\n2026-02-30",
         "Line 2 is not a date. Please write one date a line as YYYY-MM-DD, for example "
         "2026-12-25."},
    };
    for (const auto& c : cases) {
        CMessageBoxAnswerer answerer;
        std::vector<Step> steps = {
            GoTo(c.page),
            SetText(c.id, c.bad),
            Press(PSBTN_OK),
            [&](HWND) { return !answerer.m_texts.empty(); },
            Idle(3),
            Do([&](HWND sheet) {
                EXPECT_EQ(answerer.m_texts, std::vector<std::string>{c.message}) << c.bad;
                EXPECT_EQ(PageIndex(sheet), c.page) << c.bad;
                EXPECT_EQ(GetFocus(), Item(sheet, c.id)) << c.bad;
            }),
            Press(PSBTN_CANCEL),
        };
        const SheetRun run = RunSheet(SampleTariff(), std::move(steps));
        EXPECT_TRUE(run.finished) << c.bad;
        EXPECT_FALSE(run.ok) << c.bad;
        EXPECT_EQ(run.budget, Budget{}) << c.bad;
    }
}

TEST(SetChargesSheet, MinimumBoxEnablesItsFieldUnlessTheFieldIsUnreadable) {
    CMessageBoxAnswerer answerer;
    const auto field = [](HWND sheet) { return Item(sheet, IDC_MINIMUM_CHARGE); };
    const auto click =
        Do([](HWND sheet) { PostMessageA(Item(sheet, IDC_CHARGES_MINIMUM), BM_CLICK, 0, 0); });
    std::vector<Step> steps = {
        Do([&](HWND sheet) { EXPECT_FALSE(IsWindowEnabled(field(sheet))); }),
        // The disabled field's "-1" neither holds the page nor comes back editable.
        GoTo(WEEKEND),
        SetText(IDC_SAT_UNIT, "45"),
        GoTo(GENERAL),
        click,
        [&](HWND sheet) { return IsWindowEnabled(field(sheet)) != 0; },
        Do([&](HWND sheet) { EXPECT_EQ(Text(field(sheet)), "0"); }),
        SetText(IDC_MINIMUM_CHARGE, ""),
        click,
        [&](HWND) { return !answerer.m_texts.empty(); },
        Idle(3),
        Do([&](HWND sheet) {
            // Box, flag and field stay as they were.
            EXPECT_TRUE(IsWindowEnabled(field(sheet)));
            EXPECT_EQ(SendMessageA(Item(sheet, IDC_CHARGES_MINIMUM), BM_GETCHECK, 0, 0),
                      BST_CHECKED);
        }),
        SetText(IDC_MINIMUM_CHARGE, "2.5"),
        click,
        [&](HWND sheet) { return !IsWindowEnabled(field(sheet)); },
        SetText(IDC_MINIMUM_CHARGE, "-1"), // disabled: OK keeps 2.5
        Press(PSBTN_OK),
    };
    Tariff damaged; // only a damaged store holds a negative amount
    damaged.minimumCallCharge = -1.0f;
    const SheetRun run = RunSheet(damaged, std::move(steps));
    ASSERT_TRUE(run.finished);
    Tariff expected;
    expected.minimumCallCharge = 2.5f;
    expected.saturdayUnitTime = 45;
    EXPECT_EQ(run.tariff, expected);
    EXPECT_EQ(answerer.m_texts, std::vector<std::string>{"Please enter a number."});
}

TEST(SetChargesSheet, CaptionOwnerAndCurrencyLabels) {
    CWnd owner;
    ASSERT_TRUE(owner.Create("Owner", WS_POPUP | WS_VISIBLE, RECT{0, 0, 40, 40}, nullptr, 0));
    char saved[20] = {};
    ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SCURRENCY, saved, sizeof saved), 0);
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SCURRENCY, "EuroDollar"));
    const struct {
        int page;
        int id;
        const char* text;
    } labels[] = {
        {GENERAL, IDC_CURRENCY_SYMBOL, "EuroD"},
        {WEEKDAY, IDC_WD_COST_HEADING, "cost charge (EuroD)"},
        {WEEKDAY, IDC_WD_FEE_HEADING, "connection fee (EuroD)"},
        {WEEKEND, IDC_SUN_COST_HEADING, "call charge (EuroD)"},
        {WEEKEND, IDC_SAT_FEE_HEADING, "connection fee (EuroD)"},
        {WEEKEND, IDC_SUN_FROM, "00:00"},
        {WEEKEND, IDC_SAT_TO, "24:00"},
    };
    std::vector<Step> steps = {Do([&](HWND sheet) {
        EXPECT_EQ(Text(sheet), "Set Telephone Charges for All Dial-up Connections");
        EXPECT_EQ(GetWindow(sheet, GW_OWNER), owner.Handle());
        EXPECT_FALSE(owner.IsWindowEnabled());
        EXPECT_EQ(owner.OpenModalCount(), 1);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, 0x3021))); // Apply
    })};
    for (const auto& label : labels) {
        steps.push_back(GoTo(label.page));
        steps.push_back(Do([&label](HWND sheet) {
            EXPECT_EQ(Text(Item(sheet, label.id)), label.text) << label.id;
        }));
    }
    steps.push_back(Press(PSBTN_CANCEL));
    const SheetRun run = RunSheet(Tariff{}, std::move(steps), &owner, "All Dial-up Connections");
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SCURRENCY, saved);
    EXPECT_TRUE(run.finished);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(owner.OpenModalCount(), 0);
}

// Pictures of the pages, with example values, for scripts/screenshots: for each page,
// "name x y width height" goes to MERETH_SCREENSHOT_DIR/request, and the script removes
// it once it has the shot.
TEST(SetChargesScreenshots, Pages) {
    const char* dir = std::getenv("MERETH_SCREENSHOT_DIR");
    if (!dir || !*dir) {
        GTEST_SKIP() << "MERETH_SCREENSHOT_DIR not set";
    }
    const std::string request = std::string("Z:") + dir + "/request";
    const char* const names[] = {"charges-general", "charges-weekday", "charges-weekend",
                                 "charges-budget", "charges-holidays"};
    std::vector<Step> steps;
    for (int page = GENERAL; page <= HOLIDAYS; ++page) {
        const char* name = names[page];
        steps.push_back(GoTo(page));
        if (page == HOLIDAYS) {
            steps.push_back(SetText(IDC_HOLIDAY_LIST, "2026-12-25\r\n2026-12-26\r\n2027-01-01"));
        }
        steps.push_back(Idle(10));
        steps.push_back(Do([&request, name](HWND sheet) {
            RECT r;
            GetWindowRect(sheet, &r);
            if (FILE* file = std::fopen(request.c_str(), "w")) {
                std::fprintf(file, "%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right - r.left,
                             r.bottom - r.top);
                std::fclose(file);
            }
        }));
        steps.push_back([&request](HWND) {
            return GetFileAttributesA(request.c_str()) == INVALID_FILE_ATTRIBUTES;
        });
    }
    steps.push_back(Press(PSBTN_CANCEL));
    Budget budget;
    budget.amount = 25.0f;
    budget.billingDay = 8;
    EXPECT_TRUE(RunSheet(SampleTariff(), std::move(steps), nullptr, "Work", budget).finished);
}

} // namespace
} // namespace mereth
