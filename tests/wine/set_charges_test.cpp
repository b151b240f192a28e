#include "framework/Wnd.h"
#include "res/resource.h"
#include "tariff/win32/SetChargesSheet.h"

#include "DialogTemplate.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace mereth {
namespace {

using test::CMessageBoxAnswerer;
using Clock = std::chrono::steady_clock;

constexpr const char* CAPTION_START = "Set Telephone Charges for ";
enum : int { GENERAL, WEEKDAY, WEEKEND };

HWND FindSheet() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM out) -> BOOL {
            char caption[128] = {};
            GetWindowTextA(hWnd, caption, sizeof caption);
            if (IsWindowVisible(hWnd) && std::string(caption).rfind(CAPTION_START, 0) == 0) {
                *reinterpret_cast<HWND*>(out) = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND Page(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}
HWND Item(HWND sheet, int id) {
    return GetDlgItem(Page(sheet), id);
}
int PageIndex(HWND sheet) {
    return int(SendMessageA(sheet, PSM_HWNDTOINDEX, WPARAM(Page(sheet)), 0));
}
std::string Text(HWND control) {
    char text[64] = {};
    GetWindowTextA(control, text, sizeof text);
    return text;
}
void SetText(HWND sheet, int id, const char* text) {
    SetWindowTextA(Item(sheet, id), text);
}

// Drives the open sheet from a thread timer, which runs inside the sheet's own modal
// loop: one step per tick, each step returning true once it is done. Anything that may
// open a message box is posted, so that no step waits inside another. Past the deadline
// the sheet is cancelled and the run counts as timed out.
class CSheetDriver {
public:
    using Step = std::function<bool(HWND sheet)>;

    explicit CSheetDriver(std::vector<Step> steps)
        : m_steps(std::move(steps)), m_deadline(Clock::now() + std::chrono::seconds(20)) {
        s_current = this;
        m_timer = SetTimer(nullptr, 0, 25, &CSheetDriver::OnTimer);
    }
    ~CSheetDriver() {
        KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    CSheetDriver(const CSheetDriver&) = delete;
    CSheetDriver& operator=(const CSheetDriver&) = delete;

    bool Finished() const { return m_next == m_steps.size(); }
    bool TimedOut() const { return m_timedOut; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        CSheetDriver* self = s_current;
        HWND sheet = FindSheet();
        if (!self || self->m_busy || !sheet) {
            return;
        }
        if (Clock::now() > self->m_deadline) {
            self->m_timedOut = true;
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            return;
        }
        if (self->Finished()) {
            return;
        }
        self->m_busy = true;
        if (self->m_steps[self->m_next](sheet)) {
            ++self->m_next;
        }
        self->m_busy = false;
    }

    std::vector<Step> m_steps;
    size_t m_next = 0;
    Clock::time_point m_deadline;
    bool m_busy = false;
    bool m_timedOut = false;
    UINT_PTR m_timer = 0;
    static inline CSheetDriver* s_current = nullptr;
};

using Step = CSheetDriver::Step;

Step Do(std::function<void(HWND)> action) {
    return [action](HWND sheet) { return action(sheet), true; };
}
Step WaitUntil(std::function<bool(HWND)> condition) {
    return condition;
}
Step Press(int button) {
    return Do([button](HWND sheet) { PostMessageA(sheet, PSM_PRESSBUTTON, button, 0); });
}
// Asks for another page and waits until it is the current one.
Step GoTo(int index) {
    return [index, posted = false](HWND sheet) mutable {
        if (!posted) {
            posted = true;
            PostMessageA(sheet, PSM_SETCURSEL, index, 0);
        }
        return PageIndex(sheet) == index;
    };
}
// Lets a few more ticks of the sheet's loop pass.
Step Idle(int ticks) {
    return [ticks](HWND) mutable { return --ticks <= 0; };
}

struct SheetRun {
    bool ok = false;
    bool timedOut = false;
    bool finished = false;
    Tariff tariff;
    int beforeApplyCalls = 0;
    Tariff tariffInBeforeApply;
};

SheetRun RunSheet(const Tariff& start, std::vector<Step> steps, CWnd* owner = nullptr,
                  const char* name = "Work") {
    SheetRun run;
    run.tariff = start;
    CSheetDriver driver(std::move(steps));
    run.ok = RunSetChargesSheet(owner, name, run.tariff, [&run] {
        ++run.beforeApplyCalls;
        run.tariffInBeforeApply = run.tariff;
    });
    run.timedOut = driver.TimedOut();
    run.finished = driver.Finished();
    return run;
}

// A tariff whose every value reads back exactly as it is shown.
Tariff SampleTariff() {
    Tariff t;
    const int32_t ends[] = {480, 1080, 1320, 1440, 1440};
    const float costs[] = {0.05f, 0.1f, 0.15f, 0.2f, 0.25f};
    const float fees[] = {0.1f, 1.1f, 2.1f, 3.1f, 4.1f};
    for (int p = 0; p < PERIOD_COUNT; ++p) {
        t.periodEnd[p] = ends[p];
        t.periodUnitCost[p] = costs[p];
        t.periodConnectionFee[p] = fees[p];
        t.periodUnitTime[p] = 60 + p;
    }
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
        {GENERAL, IDC_MINIMUM_CHARGE, "", false, '1', "1"},
        {GENERAL, IDC_MINIMUM_CHARGE, "12", false, '.', "12."},
        {GENERAL, IDC_MINIMUM_CHARGE, "12.", false, '5', "12.5"},
        {GENERAL, IDC_MINIMUM_CHARGE, "12.5", false, '.', "12.5"},
        {GENERAL, IDC_MINIMUM_CHARGE, "1.5", true, '.', "1.5"},
        {GENERAL, IDC_MINIMUM_CHARGE, "1.5", true, '7', "7"},
        {GENERAL, IDC_MINIMUM_CHARGE, "7", false, '-', "7"},
        {GENERAL, IDC_MINIMUM_CHARGE, "7", false, 'a', "7"},
        {GENERAL, IDC_MINIMUM_CHARGE, "7", false, ' ', "7"},
        {GENERAL, IDC_MINIMUM_CHARGE, "7", false, '+', "7"},
        {GENERAL, IDC_MINIMUM_CHARGE, "7", false, 0xA3, "7"},
        {GENERAL, IDC_MINIMUM_CHARGE, "12", false, VK_BACK, "1"},
        {WEEKDAY, IDC_WD_FEE3, "0", false, '.', "0."},
        {WEEKDAY, IDC_WD_COST5, "3", false, 'x', "3"},
        {WEEKDAY, IDC_WD_UNIT2, "6", false, '0', "60"},
        {WEEKDAY, IDC_WD_UNIT2, "60", false, '.', "60"},
        {WEEKEND, IDC_SUN_UNIT, "60", false, '-', "60"},
        {WEEKEND, IDC_SUN_UNIT, "60", false, 'e', "60"},
        {WEEKEND, IDC_SUN_UNIT, "60", false, VK_BACK, "6"},
        {WEEKEND, IDC_SAT_FEE, "", false, '.', "."},
    };
    std::vector<Step> steps;
    int page = GENERAL;
    for (const auto& c : cases) {
        if (c.page != page) {
            steps.push_back(GoTo(c.page));
            page = c.page;
        }
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

// One step of an up-down as the control reports it: the new position, then the end.
Step StepUpDown(int id, int position) {
    return Do([id, position](HWND sheet) {
        HWND upDown = Item(sheet, id);
        SendMessageA(upDown, UDM_SETPOS, 0, MAKELPARAM(position, 0));
        PostMessageA(Page(sheet), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position),
                     LPARAM(upDown));
        PostMessageA(Page(sheet), WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, position), LPARAM(upDown));
    });
}

struct RowState {
    const char* from;
    const char* to;
    bool enabled;
};

void ExpectRows(HWND sheet, const RowState (&rows)[PERIOD_COUNT], const char* when) {
    const int from[] = {IDC_WD_FROM1, IDC_WD_FROM2, IDC_WD_FROM3, IDC_WD_FROM4, IDC_WD_FROM5};
    const int to[] = {IDC_WD_TO1, IDC_WD_TO2, IDC_WD_TO3, IDC_WD_TO4, IDC_WD_TO5};
    const int fee[] = {IDC_WD_FEE1, IDC_WD_FEE2, IDC_WD_FEE3, IDC_WD_FEE4, IDC_WD_FEE5};
    const int cost[] = {IDC_WD_COST1, IDC_WD_COST2, IDC_WD_COST3, IDC_WD_COST4, IDC_WD_COST5};
    const int unit[] = {IDC_WD_UNIT1, IDC_WD_UNIT2, IDC_WD_UNIT3, IDC_WD_UNIT4, IDC_WD_UNIT5};
    const int spin[] = {IDC_WD_SPIN1, IDC_WD_SPIN2, IDC_WD_SPIN3, IDC_WD_SPIN4};
    for (int r = 0; r < PERIOD_COUNT; ++r) {
        EXPECT_EQ(Text(Item(sheet, from[r])), rows[r].from) << when << " row " << r + 1;
        EXPECT_EQ(Text(Item(sheet, to[r])), rows[r].to) << when << " row " << r + 1;
        for (int id : {from[r], to[r], fee[r], cost[r], unit[r]}) {
            EXPECT_EQ(IsWindowEnabled(Item(sheet, id)) != 0, rows[r].enabled)
                << when << " row " << r + 1 << " control " << id;
        }
        if (r < 4) {
            EXPECT_EQ(IsWindowEnabled(Item(sheet, spin[r])) != 0, rows[r].enabled)
                << when << " up-down " << r + 1;
        }
    }
}

TEST(SetChargesSheet, DefaultWeekdayPageAndOneStepPerChangeOfPosition) {
    CMessageBoxAnswerer answerer;
    const RowState defaults[] = {{"00:00", "24:00", true},
                                 {"24:00", "24:00", false},
                                 {"24:00", "24:00", false},
                                 {"24:00", "24:00", false},
                                 {"24:00", "24:00", false}};
    const RowState stepped[] = {{"00:00", "23:30", true},
                                {"23:30", "24:00", true},
                                {"24:00", "24:00", false},
                                {"24:00", "24:00", false},
                                {"24:00", "24:00", false}};
    std::vector<Step> steps = {
        GoTo(WEEKDAY),
        Do([&](HWND sheet) { ExpectRows(sheet, defaults, "default"); }),
        StepUpDown(IDC_WD_SPIN1, 47),
        WaitUntil([](HWND sheet) { return Text(Item(sheet, IDC_WD_TO1)) == "23:30"; }),
        Idle(3),
        Do([&](HWND sheet) {
            ExpectRows(sheet, stepped, "one step down");
            int low = -1, high = -1;
            SendMessageA(Item(sheet, IDC_WD_SPIN2), UDM_GETRANGE32, WPARAM(&low), LPARAM(&high));
            EXPECT_EQ(low, 47);
            EXPECT_EQ(high, 48);
            EXPECT_EQ(LOWORD(SendMessageA(Item(sheet, IDC_WD_SPIN2), UDM_GETPOS, 0, 0)), 48);
            EXPECT_TRUE(answerer.m_texts.empty());
            // With a field that cannot be read, the next step complains once, not twice.
            SetText(sheet, IDC_WD_FEE4, "abc");
        }),
        StepUpDown(IDC_WD_SPIN1, 46),
        WaitUntil([&](HWND sheet) {
            return Text(Item(sheet, IDC_WD_TO1)) == "23:00" && !answerer.m_texts.empty();
        }),
        Idle(8),
        Do([&](HWND sheet) {
            EXPECT_EQ(answerer.m_texts, std::vector<std::string>{"Please enter a number."});
            EXPECT_EQ(Text(Item(sheet, IDC_WD_FROM2)), "23:00");
            SetText(sheet, IDC_WD_FEE4, "0");
        }),
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
    Tariff sundayChanged = SampleTariff();
    sundayChanged.sundayUnitCost = 2.5f;
    Tariff oddEnds = SampleTariff();
    oddEnds.periodEnd[4] = 1200; // only the store could hold this: never edited
    const auto visitAll = [] {
        return std::vector<Step>{GoTo(WEEKDAY), GoTo(WEEKEND), GoTo(GENERAL), Press(PSBTN_OK)};
    };
    const struct {
        const char* name;
        Tariff start;
        std::vector<Step> steps;
        bool ok;
        Tariff expected;
        int beforeApplyCalls;
    } cases[] = {
        {"OK at once", SampleTariff(), {Press(PSBTN_OK)}, true, SampleTariff(), 0},
        {"every page shown", SampleTariff(), visitAll(), true, SampleTariff(), 0},
        {"end 5 untouched", oddEnds, visitAll(), true, oddEnds, 0},
        {"flag 5", byFive, {Press(PSBTN_OK)}, true, SampleTariff(), 1},
        {"Sunday cost",
         SampleTariff(),
         {GoTo(WEEKEND), Do([](HWND sheet) { SetText(sheet, IDC_SUN_COST, " 2.50 "); }),
          Press(PSBTN_OK)},
         true,
         sundayChanged,
         1},
        {"Cancel after changes",
         SampleTariff(),
         {Do([](HWND sheet) { SetText(sheet, IDC_MINIMUM_CHARGE, "9"); }), GoTo(WEEKDAY),
          StepUpDown(IDC_WD_SPIN1, 20),
          WaitUntil([](HWND sheet) { return Text(Item(sheet, IDC_WD_TO1)) == "10:00"; }),
          Do([](HWND sheet) { SetText(sheet, IDC_WD_FEE1, "4"); }), Press(PSBTN_CANCEL)},
         false,
         SampleTariff(),
         0},
    };
    for (const auto& c : cases) {
        CMessageBoxAnswerer answerer;
        const SheetRun run = RunSheet(c.start, c.steps);
        EXPECT_TRUE(run.finished) << c.name;
        EXPECT_EQ(run.ok, c.ok) << c.name;
        EXPECT_EQ(run.tariff, c.expected) << c.name;
        EXPECT_EQ(run.beforeApplyCalls, c.beforeApplyCalls) << c.name;
        if (run.beforeApplyCalls > 0) {
            EXPECT_EQ(run.tariffInBeforeApply, c.start) << c.name;
        }
        EXPECT_TRUE(answerer.m_texts.empty()) << c.name;
    }
}

TEST(SetChargesSheet, UnreadableTextKeepsThePageWithItsMessage) {
    Tariff moreSeconds = SampleTariff();
    moreSeconds.sundayUnitTime = 30;
    Tariff dearerFourth = SampleTariff();
    dearerFourth.periodConnectionFee[3] = 7.0f;
    Tariff higherMinimum = SampleTariff();
    higherMinimum.minimumCallCharge = 3.0f;
    const struct {
        int page;
        int id;
        const char* bad;
        int leaveBy; // a page index, or -1 for OK
        const char* message;
        const char* good;
        Tariff expected;
    } cases[] = {
        {GENERAL, IDC_MINIMUM_CHARGE, "abc", WEEKEND, "Please enter a number.", "3", higherMinimum},
        {WEEKDAY, IDC_WD_FEE4, "1e39", -1, "Please enter a number.", "7", dearerFourth},
        {WEEKEND, IDC_SUN_UNIT, "-60", -1, "Please enter an integer.", "30", moreSeconds},
        {WEEKEND, IDC_SUN_UNIT, "", GENERAL, "Please enter an integer.", "30", moreSeconds},
    };
    for (const auto& c : cases) {
        CMessageBoxAnswerer answerer;
        std::vector<Step> steps;
        if (c.page != GENERAL) {
            steps.push_back(GoTo(c.page));
        }
        steps.push_back(Do([&c](HWND sheet) {
            // As typed: the field has the focus.
            SetFocus(Item(sheet, c.id));
            SetText(sheet, c.id, c.bad);
            if (c.leaveBy < 0) {
                PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
            } else {
                PostMessageA(sheet, PSM_SETCURSEL, c.leaveBy, 0);
            }
        }));
        steps.push_back(WaitUntil([&](HWND) { return !answerer.m_texts.empty(); }));
        steps.push_back(Idle(3));
        steps.push_back(Do([&](HWND sheet) {
            EXPECT_EQ(answerer.m_texts, std::vector<std::string>{c.message}) << c.bad;
            EXPECT_EQ(PageIndex(sheet), c.page) << c.bad;
            HWND field = Item(sheet, c.id);
            EXPECT_EQ(GetFocus(), field) << c.bad;
            DWORD start = 1, end = 0;
            SendMessageA(field, EM_GETSEL, WPARAM(&start), LPARAM(&end));
            EXPECT_EQ(start, 0u) << c.bad;
            EXPECT_EQ(end, DWORD(std::string(c.bad).size())) << c.bad;
            SetText(sheet, c.id, c.good);
        }));
        steps.push_back(Press(PSBTN_OK));
        const SheetRun run = RunSheet(SampleTariff(), std::move(steps));
        EXPECT_TRUE(run.finished) << c.bad;
        EXPECT_TRUE(run.ok) << c.bad;
        EXPECT_EQ(run.tariff, c.expected) << c.bad;
    }
}

TEST(SetChargesSheet, MinimumBoxEnablesItsFieldUnlessTheFieldIsUnreadable) {
    CMessageBoxAnswerer answerer;
    const auto field = [](HWND sheet) { return Item(sheet, IDC_MINIMUM_CHARGE); };
    const auto box = [](HWND sheet) { return Item(sheet, IDC_CHARGES_MINIMUM); };
    const auto click = [box](HWND sheet) { PostMessageA(box(sheet), BM_CLICK, 0, 0); };
    std::vector<Step> steps = {
        Do([&](HWND sheet) {
            EXPECT_FALSE(IsWindowEnabled(field(sheet)));
            click(sheet);
        }),
        WaitUntil([&](HWND sheet) { return IsWindowEnabled(field(sheet)) != 0; }),
        Do([&](HWND sheet) {
            SetWindowTextA(field(sheet), "");
            click(sheet);
        }),
        WaitUntil([&](HWND) { return !answerer.m_texts.empty(); }),
        Idle(3),
        Do([&](HWND sheet) {
            // Box, flag and field stay as they were.
            EXPECT_EQ(answerer.m_texts, std::vector<std::string>{"Please enter a number."});
            EXPECT_TRUE(IsWindowEnabled(field(sheet)));
            EXPECT_EQ(SendMessageA(box(sheet), BM_GETCHECK, 0, 0), BST_CHECKED);
            SetWindowTextA(field(sheet), "2.5");
            click(sheet);
        }),
        WaitUntil([&](HWND sheet) { return !IsWindowEnabled(field(sheet)); }),
        Press(PSBTN_OK),
    };
    const SheetRun run = RunSheet(Tariff{}, std::move(steps));
    ASSERT_TRUE(run.finished);
    Tariff expected;
    expected.minimumCallCharge = 2.5f;
    EXPECT_EQ(run.tariff, expected);
    EXPECT_EQ(answerer.m_texts.size(), 1u);
}

// The user's currency symbol for the length of a test.
class CCurrencySymbol {
public:
    explicit CCurrencySymbol(const char* symbol) {
        m_saved = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SCURRENCY, m_old, sizeof m_old) > 0;
        m_set = SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SCURRENCY, symbol) != 0;
    }
    ~CCurrencySymbol() {
        if (m_set && m_saved) {
            SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SCURRENCY, m_old);
        }
    }
    bool Set() const { return m_set; }

private:
    char m_old[20] = {};
    bool m_saved = false;
    bool m_set = false;
};

TEST(SetChargesSheet, CaptionOwnerAndCurrencyLabels) {
    CCurrencySymbol symbol("EuroDollar");
    ASSERT_TRUE(symbol.Set());
    CWnd owner;
    ASSERT_TRUE(owner.Create("Owner", WS_POPUP | WS_VISIBLE, RECT{0, 0, 40, 40}, nullptr, 0));
    const struct {
        int page;
        int id;
        const char* text;
    } labels[] = {
        {GENERAL, IDC_CURRENCY_SYMBOL, "EuroD"},
        {WEEKDAY, IDC_WD_COST_HEADING, "cost charge (EuroD)"},
        {WEEKDAY, IDC_WD_FEE_HEADING, "connection fee (EuroD)"},
        {WEEKEND, IDC_SAT_COST_HEADING, "call charge (EuroD)"},
        {WEEKEND, IDC_SUN_COST_HEADING, "call charge (EuroD)"},
        {WEEKEND, IDC_SAT_FEE_HEADING, "connection fee (EuroD)"},
        {WEEKEND, IDC_SUN_FEE_HEADING, "connection fee (EuroD)"},
        {WEEKEND, IDC_SAT_FROM, "00:00"},
        {WEEKEND, IDC_SUN_TO, "24:00"},
    };
    std::vector<Step> steps = {Do([&](HWND sheet) {
        EXPECT_EQ(Text(sheet), "Set Telephone Charges for All Dial-up Connections");
        EXPECT_FALSE(owner.IsWindowEnabled());
        EXPECT_EQ(owner.OpenModalCount(), 1);
        EXPECT_EQ(GetWindow(sheet, GW_OWNER), owner.Handle());
        // Apply is never enabled.
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, 0x3021)));
    })};
    int page = GENERAL;
    for (const auto& label : labels) {
        if (label.page != page) {
            steps.push_back(GoTo(label.page));
            page = label.page;
        }
        steps.push_back(Do([&label](HWND sheet) {
            EXPECT_EQ(Text(Item(sheet, label.id)), label.text) << label.id;
        }));
    }
    steps.push_back(Do([](HWND sheet) { SetText(sheet, IDC_SAT_FEE, "1"); }));
    steps.push_back(Press(PSBTN_CANCEL));
    const SheetRun run = RunSheet(Tariff{}, std::move(steps), &owner, "All Dial-up Connections");
    EXPECT_TRUE(run.finished);
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.tariff, Tariff{});
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(owner.OpenModalCount(), 0);
}

// Pictures of the three pages for the documentation, taken by scripts/screenshots:
// for each page the test writes "name x y width height" to a request file in
// MERETH_SCREENSHOT_DIR and waits until the script has taken the picture and removed it.
TEST(SetChargesScreenshots, Pages) {
    const char* dir = std::getenv("MERETH_SCREENSHOT_DIR");
    if (!dir || !*dir) {
        GTEST_SKIP() << "MERETH_SCREENSHOT_DIR not set";
    }
    const std::string request = std::string("Z:") + dir + "/request";
    const char* names[] = {"charges-general", "charges-weekday", "charges-weekend"};
    std::vector<Step> steps = {
        Do([](HWND sheet) { SetWindowPos(sheet, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE); })};
    for (int page = GENERAL; page <= WEEKEND; ++page) {
        steps.push_back(GoTo(page));
        steps.push_back(Idle(10));
        steps.push_back(Do([&request, name = names[page]](HWND sheet) {
            RECT r;
            GetWindowRect(sheet, &r);
            if (FILE* file = std::fopen(request.c_str(), "w")) {
                std::fprintf(file, "%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right - r.left,
                             r.bottom - r.top);
                std::fclose(file);
            }
        }));
        steps.push_back(WaitUntil([&request](HWND) {
            return GetFileAttributesA(request.c_str()) == INVALID_FILE_ATTRIBUTES;
        }));
    }
    steps.push_back(Press(PSBTN_CANCEL));
    const SheetRun run = RunSheet(SampleTariff(), std::move(steps));
    EXPECT_TRUE(run.finished);
}

} // namespace
} // namespace mereth
