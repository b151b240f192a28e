#include "store/win32/SettingsStore.h"

#include "accounting/ConnectionAccounting.h"
#include "accounting/PollCycle.h"
#include "accounting/CostCalculator.h"

#include "AccountingFakes.h"
#include "ChildProcess.h"
#include "DisplayOf.h"
#include "FakeClock.h"
#include "FakeLocale.h"
#include "StoreRegistry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <vector>
#include <algorithm>
#include <string>

namespace mereth {
namespace {

using namespace test;

constexpr const char* SECOND_PROCESS_VARIABLE = "MERETH_STORE_SECOND_PROCESS";
const std::string PHASE_KEY = "Software\\Brambleway\\Mereth Store Test";

test::CFixedZoneClock MondayMorning() {
    test::CFixedZoneClock clock(0);
    clock.SetLocal(2026, 12, 7, 10, 0, 0);
    return clock;
}

// The main dialog's share of the store: the model, the display settings and the
// store over them, with the records named as the entry list names them.
struct Program {
    test::CFixedZoneClock clock = MondayMorning();
    test::CFakeLocale locale;
    CUsageModel model{clock, locale};
    DisplaySettings display;
    CSettingsStore store{model, display};

    template <typename... Names> explicit Program(Names... names) {
        int i = 1;
        ((model.m_entries[i++].name = names), ...);
        model.m_entryCount = i;
    }
    ConnectionStats& Rec(int i) { return model.m_entries[i]; }
};

// An amount as the user types it: a decimal with at most six places survives "%f".
float Amount(int thousandths) {
    return static_cast<float>(thousandths / 1000.0);
}

// Every figure, tariff field, date and setting different, and different per record.
void FillRecord(ConnectionStats& r, int i) {
    char date[32];
    std::snprintf(date, sizeof date, "%02d/%02d/20%02d", i + 1, i % 12 + 1, i + 5);
    r.startDate = date;
    TimeFigure* times[] = {&r.totalTime, &r.todayTime, &r.monthTime, &r.yearTime, &r.connTime};
    CostFigure* costs[] = {&r.totalCost, &r.todayCost, &r.monthCost, &r.yearCost, &r.connCost};
    for (int p = 0; p < 5; ++p) {
        times[p]->value = 3000000 / (p + 1) + 37 * i + p;
        times[p]->base = -1;
        costs[p]->value = Amount(1000000 / (p + 1) + 130 * i + 10 * p);
        costs[p]->base = -1.0f;
    }
    r.totalLogins = 500 + i;
    r.yearLogins = 300 + i;
    r.monthLogins = 30 + i;
    r.todayLogins = 3 + i;

    Tariff& t = r.tariff;
    const std::int32_t ends[] = {30 * i, 480 + 30 * i, 1080, 1200 + 10 * i, 1440};
    for (int p = 0; p < PERIOD_COUNT; ++p) {
        t.periodEnd[p] = ends[p];
        t.periodUnitCost[p] = Amount(10 * (p + 1) + i);
        t.periodConnectionFee[p] = Amount(100 * p + 10 * i);
        t.periodUnitTime[p] = 30 + 10 * p + i;
    }
    t.saturdayUnitCost = Amount(10 * i);
    t.saturdayConnectionFee = Amount(20 + 10 * i);
    t.saturdayUnitTime = 90 + i;
    t.sundayUnitCost = Amount(5 * (i + 1));
    t.sundayConnectionFee = 0.25f;
    t.sundayUnitTime = 120 + i;
    t.chargesMinimumAmount = i % 2;
    t.minimumCallCharge = Amount(1250 + 1000 * i);
    t.chargeByTheUnit = (i + 1) % 2;
    // Every other record has a budget and so a billing period; the rest store none.
    if (i % 2 == 1) {
        r.budget = {Amount(20000 + 1000 * i), i + 10, {50 + i, 90 + i}};
        r.billingCost.value = Amount(3000 + 10 * i);
        r.billingStart = {2026, i % 12 + 1, i + 1};
        r.alertsGiven = static_cast<std::uint32_t>(i % 4);
    }
}

void FillDisplay(DisplaySettings& d) {
    test::DisplayOf(d, IDC_TOTAL_TIME) = {false, true, 0x0000FF};
    test::DisplayOf(d, IDC_MONTH_TIME) = {true, false, 0x00FF00};
    test::DisplayOf(d, IDC_YEAR_TIME) = {false, false, 0xFF0000};
    test::DisplayOf(d, IDC_TODAY_TIME) = {false, false, 0x808080};
    test::DisplayOf(d, IDC_CONN_TIME) = {true, true, 0xFFFF00};
    test::DisplayOf(d, IDC_TOTAL_COST).textColour = 0x00FFFF;
    test::DisplayOf(d, IDC_MONTH_COST).textColour = 0xFF00FF;
    test::DisplayOf(d, IDC_YEAR_COST).textColour = 0xFFFFFF;
    test::DisplayOf(d, IDC_TODAY_COST).textColour = 0x123456;
    test::DisplayOf(d, IDC_CONN_COST).textColour = 0x0000FF;
    test::DisplayOf(d, IDC_TOTAL_LOGINS).textColour = 0x00FF00;
    test::DisplayOf(d, IDC_MONTH_LOGINS).textColour = 0xFF0000;
    test::DisplayOf(d, IDC_YEAR_LOGINS).textColour = 0x808080;
    test::DisplayOf(d, IDC_TODAY_LOGINS).textColour = 0xABCDEF;
}

// Twenty records, record 0 and Entry 1 .. Entry 19.
void FillProgram(Program& p) {
    for (int i = 1; i < RECORD_COUNT; ++i) {
        p.Rec(i).name = ("Entry " + std::to_string(i)).c_str();
    }
    p.model.m_entryCount = RECORD_COUNT;
    for (int i = 0; i < RECORD_COUNT; ++i) {
        FillRecord(p.Rec(i), i);
    }
    FillDisplay(p.display);
    p.model.m_selectedEntryName = "Entry 7";
    // Stored as its local midnight, past 2038 in 32 bits.
    p.model.m_currentYear = 2040;
    p.model.m_currentMonth = 3;
    p.model.m_currentDay = 1;
    p.model.m_holidays.Parse("2040-12-25 2040-04-02 2041-01-01");
}

void ExpectSameValues(const ConnectionStats& got, const ConnectionStats& want) {
    SCOPED_TRACE(want.name.c_str());
    EXPECT_EQ(got.name, want.name.view());
    EXPECT_EQ(got.startDate, want.startDate.view());
    EXPECT_EQ(got.totalTime.value, want.totalTime.value);
    EXPECT_EQ(got.todayTime.value, want.todayTime.value);
    EXPECT_EQ(got.monthTime.value, want.monthTime.value);
    EXPECT_EQ(got.yearTime.value, want.yearTime.value);
    EXPECT_EQ(got.connTime.value, want.connTime.value);
    EXPECT_EQ(got.totalCost.value, want.totalCost.value);
    EXPECT_EQ(got.todayCost.value, want.todayCost.value);
    EXPECT_EQ(got.monthCost.value, want.monthCost.value);
    EXPECT_EQ(got.yearCost.value, want.yearCost.value);
    EXPECT_EQ(got.connCost.value, want.connCost.value);
    EXPECT_EQ(got.totalLogins, want.totalLogins);
    EXPECT_EQ(got.yearLogins, want.yearLogins);
    EXPECT_EQ(got.monthLogins, want.monthLogins);
    EXPECT_EQ(got.todayLogins, want.todayLogins);
    EXPECT_TRUE(got.tariff == want.tariff);
    EXPECT_TRUE(got.budget == want.budget);
    if (want.budget.IsSet()) { // the billing period is kept only with a budget
        EXPECT_EQ(got.billingCost.value, want.billingCost.value);
        EXPECT_EQ(got.billingStart, want.billingStart);
        EXPECT_EQ(got.alertsGiven, want.alertsGiven);
    }
}

void ExpectDefaults(const ConnectionStats& r) {
    ConnectionStats fresh;
    fresh.name = r.name;
    fresh.billingStart = r.billingStart; // the model's today, not a stored value
    ExpectSameValues(r, fresh);
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

TEST(SettingsStore, AStoreNeverSavedIsFreshAndWipedUntilTheFirstSave) {
    StoreCleaner cleaner;
    Program p("Work");
    EXPECT_TRUE(p.store.CheckRegistryVersion());
    EXPECT_TRUE(p.store.CheckRegistryVersion());
    EXPECT_FALSE(KeyExists(StorePath("")));

    // What another program, or a version that kept no Version key, left there goes.
    ASSERT_TRUE(PutDword(StorePath("Dialup Connections\\Work\\Times"), "Total", 500));
    ASSERT_TRUE(PutText(StorePath("General"), "Selected Dial-up Connection", "Work"));
    EXPECT_TRUE(p.store.CheckRegistryVersion());
    EXPECT_FALSE(KeyExists(StorePath("")));
    EXPECT_TRUE(p.store.CheckRegistryVersion());
    EXPECT_FALSE(KeyExists(StorePath("")));

    // A save puts the store in use; checks then leave it whole.
    p.Rec(1).totalTime.value = 42;
    p.store.SaveToRegistry();
    EXPECT_EQ(GetRaw(StorePath("Version"), "Version Number").Dword(), 3u);
    const std::string saved = DumpStore();
    Program next("Work");
    EXPECT_FALSE(next.store.CheckRegistryVersion());
    EXPECT_FALSE(next.store.CheckRegistryVersion());
    EXPECT_EQ(DumpStore(), saved);
    next.store.LoadFromRegistry();
    EXPECT_EQ(next.Rec(1).totalTime.value, 42);
    EXPECT_EQ(DumpStore(), saved);
}

// The second half of the test below, run by it in a process of its own.
TEST(SettingsStoreSecondProcess, LoadsWhatTheFirstSaved) {
    char flag[8];
    if (GetEnvironmentVariableA(SECOND_PROCESS_VARIABLE, flag, sizeof flag) == 0) {
        GTEST_SKIP() << "runs inside SettingsStore.SavedFiguresComeBackInANewProcess";
    }
    Program expected;
    FillProgram(expected);

    Program p;
    for (int i = 1; i < RECORD_COUNT; ++i) {
        p.Rec(i).name = expected.Rec(i).name;
    }
    p.model.m_entryCount = RECORD_COUNT;
    EXPECT_FALSE(p.store.CheckRegistryVersion());
    EXPECT_FALSE(p.store.CheckRegistryVersion());

    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    p.store.LoadFromRegistry();
    QueryPerformanceCounter(&after);

    for (int i = 0; i < RECORD_COUNT; ++i) {
        ExpectSameValues(p.Rec(i), expected.Rec(i));
        // Only values are stored; the bases stay as they were.
        EXPECT_EQ(p.Rec(i).totalTime.base, 0);
        EXPECT_EQ(p.Rec(i).connCost.base, 0.0f);
    }
    EXPECT_EQ(p.model.m_selectedEntryName, "Entry 7");
    EXPECT_EQ(p.model.m_currentYear, 2040);
    EXPECT_EQ(p.model.m_currentMonth, 3);
    EXPECT_EQ(p.model.m_currentDay, 1);
    EXPECT_TRUE(p.model.m_holidays == expected.model.m_holidays);
    DisplaySettings display = expected.display;
    test::DisplayOf(display, IDC_TODAY_TIME).showDays = false; // not stored: Today never shows days
    EXPECT_TRUE(p.display == display);

    if (!HasFailure()) {
        PutDword(PHASE_KEY, "Load Microseconds",
                 static_cast<DWORD>(Milliseconds(before, after) * 1000.0));
    }
}

TEST(SettingsStore, SavedFiguresComeBackInANewProcess) {
    StoreCleaner cleaner;
    RegDeleteTreeA(HKEY_CURRENT_USER, PHASE_KEY.c_str());
    Program p;
    FillProgram(p);
    p.Rec(0).todayTime.base = 77;
    Program untouched;
    FillProgram(untouched);
    untouched.Rec(0).todayTime.base = 77;

    ASSERT_TRUE(p.store.CheckRegistryVersion());
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    p.store.SaveToRegistry();
    QueryPerformanceCounter(&after);
    const double saveMs = Milliseconds(before, after);

    // The save reads the model and changes nothing in it, bases included.
    for (int i = 0; i < RECORD_COUNT; ++i) {
        ExpectSameValues(p.Rec(i), untouched.Rec(i));
        EXPECT_EQ(p.Rec(i).totalTime.base, -1);
    }
    EXPECT_EQ(p.Rec(0).todayTime.base, 77);
    // Seven budget values in every other record, the holidays in General.
    EXPECT_EQ(CountValues(DumpStore()), 28 + 1 + 44 * RECORD_COUNT + 7 * RECORD_COUNT / 2);

    EXPECT_EQ(test::RunTestProcess(test::OwnExecutablePath(), "SettingsStoreSecondProcess.*",
                                   SECOND_PROCESS_VARIABLE),
              0u);

    RawValue loadTime = GetRaw(PHASE_KEY, "Load Microseconds");
    EXPECT_TRUE(loadTime.found) << "the second process did not load everything back";
    RegDeleteTreeA(HKEY_CURRENT_USER, PHASE_KEY.c_str());
    std::printf("save of %d records: %.1f ms; load in a new process: %.1f ms\n", RECORD_COUNT,
                saveMs, loadTime.Dword() / 1000.0);
    RecordProperty("save_ms", std::to_string(saveMs));
    RecordProperty("load_ms", std::to_string(loadTime.Dword() / 1000.0));
}

TEST(SettingsStore, ASaveWritesExactlyThisTree) {
    StoreCleaner cleaner;
    Program p("Work");
    ConnectionStats& all = p.Rec(0);
    all.startDate = "01/01/2026";
    all.totalTime.value = -2; // two's complement
    ConnectionStats& work = p.Rec(1);
    work.startDate = "07/12/2026";
    work.totalTime.value = 90061;
    work.todayTime.value = 3725;
    work.monthTime.value = 7200;
    work.yearTime.value = 86400;
    work.connTime.value = 125;
    work.totalCost.value = 12.34f;
    work.todayCost.value = 1.5f;
    work.monthCost.value = 0.04f;
    work.yearCost.value = 100.25f;
    work.connCost.value = -0.75f;
    work.totalLogins = 40;
    work.todayLogins = 1;
    work.monthLogins = 5;
    work.yearLogins = 12;
    Tariff& t = work.tariff;
    t.chargeByTheUnit = 1;
    t.chargesMinimumAmount = 1;
    t.minimumCallCharge = 0.1f;
    t.periodEnd[0] = 480;
    t.periodEnd[1] = 1080;
    t.periodConnectionFee[0] = 0.05f;
    t.periodConnectionFee[1] = 0.1f;
    t.periodUnitCost[0] = 0.02f;
    t.periodUnitCost[1] = 0.04f;
    t.periodUnitTime[1] = 120;
    t.periodUnitTime[2] = 30;
    t.saturdayUnitCost = 0.01f;
    t.saturdayConnectionFee = 0.03f;
    t.sundayUnitCost = 0.005f;
    t.saturdayUnitTime = 90;
    t.sundayUnitTime = 180;
    test::DisplayOf(p.display, IDC_TOTAL_TIME).showSeconds = false;
    test::DisplayOf(p.display, IDC_MONTH_TIME).showDays = false;
    test::DisplayOf(p.display, IDC_YEAR_TIME).textColour = 0x0000FF;
    test::DisplayOf(p.display, IDC_TODAY_TIME) = {true, true,
                                                  0x00FF00}; // Today's days setting is not stored
    test::DisplayOf(p.display, IDC_TOTAL_COST).textColour = 0xFF0000;
    test::DisplayOf(p.display, IDC_TODAY_LOGINS).textColour = 0xFFFFFF;
    p.model.m_selectedEntryName = "Work";
    p.model.m_currentYear = 2026;
    p.model.m_currentMonth = 12;
    ASSERT_EQ(p.model.CountedDayMidnight(), 1796601600); // local midnight, 7 December 2026

    p.store.SaveToRegistry();

    const std::string defaultCharges = R"([Dialup Connections\All Dial-up Connections\Charges]
Charge by the Unit=dword:00000000
Charges Minimum Amount=dword:00000000
Minimum Call Charge=sz:"0.000000"
[Dialup Connections\All Dial-up Connections\Charges\Weekday]
Period1ConnectionFee=sz:"0.000000"
Period1End=dword:000005a0
Period1UnitCost=sz:"0.000000"
Period1UnitTime=dword:0000003c
Period2ConnectionFee=sz:"0.000000"
Period2End=dword:000005a0
Period2UnitCost=sz:"0.000000"
Period2UnitTime=dword:0000003c
Period3ConnectionFee=sz:"0.000000"
Period3End=dword:000005a0
Period3UnitCost=sz:"0.000000"
Period3UnitTime=dword:0000003c
Period4ConnectionFee=sz:"0.000000"
Period4End=dword:000005a0
Period4UnitCost=sz:"0.000000"
Period4UnitTime=dword:0000003c
Period5ConnectionFee=sz:"0.000000"
Period5End=dword:000005a0
Period5UnitCost=sz:"0.000000"
Period5UnitTime=dword:0000003c
[Dialup Connections\All Dial-up Connections\Charges\Weekend]
SaturdayConnectionFee=sz:"0.000000"
SaturdayUnitCost=sz:"0.000000"
SaturdayUnitTime=dword:0000003c
SundayConnectionFee=sz:"0.000000"
SundayUnitCost=sz:"0.000000"
SundayUnitTime=dword:0000003c
)";
    const std::string expected = R"([]
[Dialup Connections]
[Dialup Connections\All Dial-up Connections]
)" + defaultCharges + R"([Dialup Connections\All Dial-up Connections\Costs]
Conn=sz:"0.000000"
Month=sz:"0.000000"
Today=sz:"0.000000"
Total=sz:"0.000000"
Year=sz:"0.000000"
[Dialup Connections\All Dial-up Connections\Logins]
Month=dword:00000000
Today=dword:00000000
Total=dword:00000000
Year=dword:00000000
[Dialup Connections\All Dial-up Connections\Times]
Conn=dword:00000000
Month=dword:00000000
Start Date=sz:"01/01/2026"
Today=dword:00000000
Total=dword:fffffffe
Year=dword:00000000
[Dialup Connections\Work]
[Dialup Connections\Work\Charges]
Charge by the Unit=dword:00000001
Charges Minimum Amount=dword:00000001
Minimum Call Charge=sz:"0.100000"
[Dialup Connections\Work\Charges\Weekday]
Period1ConnectionFee=sz:"0.050000"
Period1End=dword:000001e0
Period1UnitCost=sz:"0.020000"
Period1UnitTime=dword:0000003c
Period2ConnectionFee=sz:"0.100000"
Period2End=dword:00000438
Period2UnitCost=sz:"0.040000"
Period2UnitTime=dword:00000078
Period3ConnectionFee=sz:"0.000000"
Period3End=dword:000005a0
Period3UnitCost=sz:"0.000000"
Period3UnitTime=dword:0000001e
Period4ConnectionFee=sz:"0.000000"
Period4End=dword:000005a0
Period4UnitCost=sz:"0.000000"
Period4UnitTime=dword:0000003c
Period5ConnectionFee=sz:"0.000000"
Period5End=dword:000005a0
Period5UnitCost=sz:"0.000000"
Period5UnitTime=dword:0000003c
[Dialup Connections\Work\Charges\Weekend]
SaturdayConnectionFee=sz:"0.030000"
SaturdayUnitCost=sz:"0.010000"
SaturdayUnitTime=dword:0000005a
SundayConnectionFee=sz:"0.000000"
SundayUnitCost=sz:"0.005000"
SundayUnitTime=dword:000000b4
[Dialup Connections\Work\Costs]
Conn=sz:"-0.750000"
Month=sz:"0.040000"
Today=sz:"1.500000"
Total=sz:"12.340000"
Year=sz:"100.250000"
[Dialup Connections\Work\Logins]
Month=dword:00000005
Today=dword:00000001
Total=dword:00000028
Year=dword:0000000c
[Dialup Connections\Work\Times]
Conn=dword:0000007d
Month=dword:00001c20
Start Date=sz:"07/12/2026"
Today=dword:00000e8d
Total=dword:00015fcd
Year=dword:00015180
[General]
Current Day=dword:6b15f700
Current Month=dword:0000000c
Current Year=dword:000007ea
Selected Dial-up Connection=sz:"Work"
[Settings]
[Settings\Costs]
ConnColor=dword:00000000
MonthColor=dword:00000000
TodayColor=dword:00000000
TotalColor=dword:00ff0000
YearColor=dword:00000000
[Settings\Logins]
MonthColor=dword:00000000
TodayColor=dword:00ffffff
TotalColor=dword:00000000
YearColor=dword:00000000
[Settings\Times]
ConnColor=dword:00000000
ConnShowDays=dword:00000001
ConnShowSeconds=dword:00000001
MonthColor=dword:00000000
MonthShowDays=dword:00000000
MonthShowSeconds=dword:00000001
TodayColor=dword:0000ff00
TodayShowSeconds=dword:00000001
TotalColor=dword:00000000
TotalShowDays=dword:00000001
TotalShowSeconds=dword:00000000
YearColor=dword:000000ff
YearShowDays=dword:00000001
YearShowSeconds=dword:00000001
[Version]
Version Number=dword:00000003
)";
    const std::string dump = DumpStore();
    EXPECT_EQ(dump, expected);
    EXPECT_EQ(CountValues(dump), 28 + 44 * 2);

    // A second save rewrites the same tree; it deletes nothing it does not write.
    ASSERT_TRUE(PutDword(StorePath("Dialup Connections\\Work\\Times"), "Older", 1));
    p.store.SaveToRegistry();
    EXPECT_EQ(CountValues(DumpStore()), 28 + 44 * 2 + 1);

    // A budget and holidays add their values; taken away, they take them along.
    ASSERT_TRUE(DeleteValue(StorePath("Dialup Connections\\Work\\Times"), "Older"));
    work.budget.amount = 25.5f;
    p.model.m_holidays.Parse("2026-12-25");
    p.store.SaveToRegistry();
    EXPECT_EQ(CountValues(DumpStore()), 28 + 44 * 2 + 8);
    work.budget.amount = 0.0f;
    p.model.m_holidays.Parse("");
    p.store.SaveToRegistry();
    EXPECT_EQ(DumpStore(), expected);
}

TEST(SettingsStore, OlderFormatsLoseTheirChargesKeyButNotTheTariffs) {
    const std::string charges = "Dialup Connections\\Work\\Charges";
    struct Case {
        bool stored;
        DWORD version;
        bool migrates;
    };
    const Case cases[] = {{false, 0, true}, {true, 1, true},  {true, 2, true},
                          {true, 3, false}, {true, 4, false}, {true, 0x80000000, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? std::to_string(c.version) : std::string("missing"));
        StoreCleaner cleaner;
        Program old("Work");
        FillRecord(old.Rec(0), 0);
        FillRecord(old.Rec(1), 1);
        old.store.SaveToRegistry();
        const std::string current = DumpStore(charges);
        if (c.stored) {
            ASSERT_TRUE(PutDword(StorePath("Version"), "Version Number", c.version));
        } else {
            ASSERT_TRUE(DeleteValue(StorePath("Version"), "Version Number"));
        }
        // What an older version kept in Charges that this one no longer writes.
        ASSERT_TRUE(PutText(StorePath(charges), "Peak Rate", "0.5"));
        ASSERT_TRUE(PutDword(StorePath(charges + "\\Weekday\\Evening"), "End", 1080));

        Program p("Work");
        ASSERT_FALSE(p.store.CheckRegistryVersion());
        p.store.LoadFromRegistry();
        ExpectSameValues(p.Rec(0), old.Rec(0));
        ExpectSameValues(p.Rec(1), old.Rec(1));
        if (!c.migrates) {
            EXPECT_TRUE(GetRaw(StorePath(charges), "Peak Rate").found);
            EXPECT_TRUE(KeyExists(StorePath(charges + "\\Weekday\\Evening")));
            EXPECT_EQ(GetRaw(StorePath("Version"), "Version Number").Dword(), c.version);
            continue;
        }
        // The old key is gone and the tariff is back in the current form at once,
        // before any save.
        EXPECT_EQ(DumpStore(charges), current);
        EXPECT_EQ(GetRaw(StorePath("Version"), "Version Number").found, c.stored);

        // The next save marks the store current, and the start after it deletes nothing.
        p.store.SaveToRegistry();
        EXPECT_EQ(GetRaw(StorePath("Version"), "Version Number").Dword(), 3u);
        ASSERT_TRUE(PutText(StorePath(charges), "Peak Rate", "0.5"));
        Program next("Work");
        ASSERT_FALSE(next.store.CheckRegistryVersion());
        next.store.LoadFromRegistry();
        ExpectSameValues(next.Rec(1), old.Rec(1));
        EXPECT_TRUE(GetRaw(StorePath(charges), "Peak Rate").found);
    }
}

TEST(SettingsStore, DamagedValuesKeepTheirDefaultsOrAreMadeSafe) {
    StoreCleaner cleaner;
    Program old("Work");
    FillRecord(old.Rec(1), 1);
    FillDisplay(old.display);
    old.store.SaveToRegistry();

    const std::string general = StorePath("General");
    const std::string times = StorePath("Dialup Connections\\Work\\Times");
    const std::string costs = StorePath("Dialup Connections\\Work\\Costs");
    const std::string logins = StorePath("Dialup Connections\\Work\\Logins");
    const std::string charges = StorePath("Dialup Connections\\Work\\Charges");
    const std::string weekday = charges + "\\Weekday";
    const std::string weekend = charges + "\\Weekend";
    const std::string display = StorePath("Settings\\Times");
    const BYTE bytes[] = {0x10, 0x27, 0x05, 0x00, 0x00, 0x00};

    ASSERT_TRUE(PutRaw(times, "Total", REG_DWORD, bytes, 2));     // short: 10000
    ASSERT_TRUE(PutRaw(times, "Today", REG_DWORD, bytes + 2, 1)); // short: 5
    ASSERT_TRUE(PutText(times, "Month", "123"));                  // text for a number
    ASSERT_TRUE(PutRaw(times, "Year", REG_DWORD, bytes, 6));      // too long
    ASSERT_TRUE(PutDword(times, "Conn", static_cast<DWORD>(-123)));
    ASSERT_TRUE(PutDword(times, "Start Date", 7));
    ASSERT_TRUE(PutDword(costs, "Total", 5)); // a number for a text
    ASSERT_TRUE(PutText(costs, "Today", "abc"));
    ASSERT_TRUE(PutText(costs, "Month", "  2.5xyz"));
    ASSERT_TRUE(PutText(costs, "Year", "1e39"));
    ASSERT_TRUE(PutText(costs, "Conn", "1,25"));
    ASSERT_TRUE(PutRaw(logins, "Total", REG_BINARY, bytes, 4));
    ASSERT_TRUE(PutDword(charges, "Charge by the Unit", 7));
    ASSERT_TRUE(PutDword(charges, "Minimum Call Charge", 2));
    ASSERT_TRUE(PutDword(charges, "Charges Minimum Amount", 0xEF));
    ASSERT_TRUE(PutText(weekday, "Period3UnitCost", "-1e-30"));
    ASSERT_TRUE(PutText(weekend, "SundayConnectionFee", "-0"));
    const DWORD ends[] = {600, 300, 2000, static_cast<DWORD>(-5), 1000};
    for (int n = 1; n <= 5; ++n) {
        ASSERT_TRUE(PutDword(weekday, ("Period" + std::to_string(n) + "End").c_str(), ends[n - 1]));
    }
    ASSERT_TRUE(PutDword(weekday, "Period2UnitTime", static_cast<DWORD>(-30)));
    ASSERT_TRUE(PutText(weekday, "Period3UnitTime", "45"));
    ASSERT_TRUE(PutDword(weekend, "SundayUnitTime", 0));
    ASSERT_TRUE(PutText(general, "Selected Dial-up Connection", std::string(200, 's')));
    ASSERT_TRUE(PutText(general, "Current Year", "2025"));
    ASSERT_TRUE(PutDword(general, "Current Day", 0xFFFFFFFF));
    const std::string record = StorePath("Dialup Connections\\Work");
    ASSERT_TRUE(PutText(record, "Budget", "-12.5"));
    ASSERT_TRUE(PutDword(record, "Billing Day", 40));
    ASSERT_TRUE(PutDword(record, "Second Alert", 1001));
    ASSERT_TRUE(PutText(general, "Holidays", "2026-12-25 2026-02-30;xyz,2027-01-01"));
    ASSERT_TRUE(PutDword(display, "TotalShowSeconds", 5));
    ASSERT_TRUE(PutText(display, "TotalColor", "255"));
    ASSERT_TRUE(PutRaw(display, "MonthColor", REG_DWORD, bytes + 2, 1));

    Program p("Work");
    ConnectionStats& work = p.Rec(1);
    work.startDate = "before";
    work.totalCost.value = 9.5f;
    work.tariff.minimumCallCharge = 0.75f;
    ASSERT_FALSE(p.store.CheckRegistryVersion());
    p.store.LoadFromRegistry();

    EXPECT_EQ(work.totalTime.value, 10000);
    EXPECT_EQ(work.todayTime.value, 5);
    EXPECT_EQ(work.monthTime.value, 0);
    EXPECT_EQ(work.yearTime.value, 0);
    EXPECT_EQ(work.connTime.value, -123); // out of range, but usable as read
    EXPECT_EQ(work.startDate, "before");
    EXPECT_EQ(work.totalCost.value, 9.5f);
    EXPECT_EQ(work.todayCost.value, 0.0f);
    EXPECT_EQ(work.monthCost.value, 2.5f);
    EXPECT_EQ(work.yearCost.value, 0.0f);
    EXPECT_EQ(work.connCost.value, 1.0f);
    EXPECT_EQ(work.totalLogins, 0);
    EXPECT_EQ(work.yearLogins, old.Rec(1).yearLogins);

    Tariff expected = old.Rec(1).tariff;
    expected.chargeByTheUnit = 1;
    expected.periodUnitCost[2] = 0.0f;
    expected.sundayConnectionFee = 0.0f;
    expected.minimumCallCharge = 0.75f;
    const std::int32_t clamped[] = {600, 600, 1440, 1440, 1440};
    for (int i = 0; i < PERIOD_COUNT; ++i) {
        expected.periodEnd[i] = clamped[i];
    }
    expected.periodUnitTime[1] = -30;
    expected.periodUnitTime[2] = DEFAULT_UNIT_TIME;
    expected.sundayUnitTime = 0;
    EXPECT_TRUE(work.tariff == expected);
    EXPECT_FALSE(std::signbit(work.tariff.sundayConnectionFee)); // shown "-0", it would not read
    EXPECT_TRUE(work.budget == (Budget{0.0f, 1, {51, 100}}));    // negative: none
    EXPECT_EQ(p.model.m_holidays.Count(), 2u);

    EXPECT_EQ(p.model.m_selectedEntryName, ALL_CONNECTIONS_NAME);
    EXPECT_EQ(p.model.m_currentYear, 2026);
    EXPECT_EQ(p.model.m_currentMonth, old.model.m_currentMonth);
    EXPECT_EQ(p.model.m_currentDay, 7); // 7 February 2106, the last day of the stored form
    EXPECT_TRUE(test::DisplayOf(p.display, IDC_TOTAL_TIME).showSeconds);
    EXPECT_EQ(test::DisplayOf(p.display, IDC_TOTAL_TIME).textColour, COLOUR_BLACK);
    EXPECT_EQ(test::DisplayOf(p.display, IDC_MONTH_TIME).textColour, 0x05u);
    EXPECT_EQ(test::DisplayOf(p.display, IDC_YEAR_TIME),
              test::DisplayOf(old.display, IDC_YEAR_TIME));

    // A cost calculation over the loaded tariff stays within its periods.
    for (int minute = 0; minute < MINUTES_PER_DAY; ++minute) {
        int period = work.tariff.PeriodOfMinute(minute);
        ASSERT_TRUE(period >= 1 && period <= PERIOD_COUNT);
    }
}

TEST(SettingsStore, AnEntryAddedOrRenamedSinceTheLastSave) {
    StoreCleaner cleaner;
    Program old("Work", "Home");
    for (int i = 0; i < 3; ++i) {
        FillRecord(old.Rec(i), i);
    }
    old.model.m_selectedEntryName = "Home";
    old.store.SaveToRegistry();
    const std::string home = DumpStore("Dialup Connections\\Home");
    ASSERT_EQ(CountValues(home), 44);

    // Home is now called Office.
    Program p("Work", "Office");
    ASSERT_FALSE(p.store.CheckRegistryVersion());
    p.store.LoadFromRegistry();
    ExpectSameValues(p.Rec(0), old.Rec(0));
    ExpectSameValues(p.Rec(1), old.Rec(1));
    ExpectDefaults(p.Rec(2));
    EXPECT_EQ(p.Rec(2).name, "Office");
    EXPECT_EQ(p.model.m_selectedEntryName, "Home");
    // The load made the new entry's keys, empty, and left the old name's alone.
    const std::string office = DumpStore("Dialup Connections\\Office");
    EXPECT_EQ(office, R"([Dialup Connections\Office]
[Dialup Connections\Office\Charges]
[Dialup Connections\Office\Charges\Weekday]
[Dialup Connections\Office\Charges\Weekend]
[Dialup Connections\Office\Costs]
[Dialup Connections\Office\Logins]
[Dialup Connections\Office\Times]
)");
    EXPECT_EQ(DumpStore("Dialup Connections\\Home"), home);

    p.Rec(2).todayLogins = 1;
    p.store.SaveToRegistry();
    EXPECT_EQ(DumpStore("Dialup Connections\\Home"), home);
    EXPECT_EQ(CountValues(DumpStore("Dialup Connections\\Office")), 44);
    EXPECT_EQ(GetRaw(StorePath("Dialup Connections\\Office\\Logins"), "Today").Dword(), 1u);
}

// The subkeys of Dialup Connections, read one level at a time as long names need.
std::vector<std::string> RecordKeys() {
    std::vector<std::string> names;
    HKEY product = nullptr;
    HKEY connections = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, STORE_KEY, 0, KEY_READ, &product) == ERROR_SUCCESS) {
        if (RegOpenKeyExA(product, "Dialup Connections", 0, KEY_READ, &connections) ==
            ERROR_SUCCESS) {
            char name[MAX_PATH];
            DWORD length = sizeof name;
            for (DWORD i = 0; RegEnumKeyExA(connections, i, name, &length, nullptr, nullptr,
                                            nullptr, nullptr) == ERROR_SUCCESS;
                 ++i, length = sizeof name) {
                names.emplace_back(name, length);
            }
            RegCloseKey(connections);
        }
        RegCloseKey(product);
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SettingsStore, EveryEntryNameKeepsItsOwnFigures) {
    const std::string names[] = {
        "All Dial-up Connections",
        std::string(200, 'L'),
        std::string(255, 'M'),
        std::string(256, 'N'),
        "\\Lead",
        "Trail\\",
        "Dept\\Charges",
        "Dept",
        "~#0123456789abcdef",
        "ALL DIAL-UP CONNECTIONS",
        "Work",
    };
    constexpr int COUNT = static_cast<int>(std::size(names));
    for (DWORD version : {3u, 1u}) {
        SCOPED_TRACE(version);
        StoreCleaner cleaner;
        Program old;
        for (int i = 0; i <= COUNT; ++i) {
            if (i > 0) {
                old.Rec(i).name = names[i - 1];
            }
            FillRecord(old.Rec(i), i);
        }
        old.model.m_entryCount = COUNT + 1;
        old.store.SaveToRegistry();
        ASSERT_TRUE(PutDword(StorePath("Version"), "Version Number", version));

        // Names that are key names keep them; the others all have keys of their own.
        const std::vector<std::string> keys = RecordKeys();
        ASSERT_EQ(keys.size(), static_cast<std::size_t>(COUNT + 1));
        for (const char* kept : {"All Dial-up Connections", "Dept", "Work"}) {
            EXPECT_TRUE(std::find(keys.begin(), keys.end(), kept) != keys.end()) << kept;
        }
        EXPECT_TRUE(std::find(keys.begin(), keys.end(), names[1]) != keys.end());
        EXPECT_TRUE(std::find(keys.begin(), keys.end(), names[2]) != keys.end());

        Program p;
        for (int i = 1; i <= COUNT; ++i) {
            p.Rec(i).name = names[i - 1];
        }
        p.model.m_entryCount = COUNT + 1;
        ASSERT_FALSE(p.store.CheckRegistryVersion());
        p.store.LoadFromRegistry();
        for (int i = 0; i <= COUNT; ++i) {
            SCOPED_TRACE(i);
            ExpectSameValues(p.Rec(i), old.Rec(i));
        }
        EXPECT_EQ(RecordKeys(), keys); // a migration moves nothing either
    }
}

// A connection whose accounting saves through the store, or only counts its saves.
struct Connection {
    Program p{"Work"};
    CCostCalculator costs{p.model};
    CFakePoll poll;
    CRecordingLog log;
    CCountingSaver counting{&log};
    CConnectionAccounting accounting{p.model, costs, log};
    CPollCycle cycle{accounting, p.model, poll};
    CalendarTime origin = p.clock.Now();
    std::int64_t millis = 0;
    bool saveToStore;

    explicit Connection(bool toStore) : saveToStore(toStore) {
        for (int i = 0; i < 2; ++i) {
            FillRecord(p.Rec(i), i);
            p.Rec(i).connTime.value = 0;
            p.Rec(i).connCost.value = 0.0f;
        }
    }
    void RunUntil(std::int64_t seconds) {
        while (millis < seconds * 1000) {
            millis += 800;
            p.clock.Set(origin + millis / 1000);
            if (!cycle.OnPollTimer().accounting.saveDue) {
                continue;
            }
            if (saveToStore) {
                p.store.SaveToRegistry();
            } else {
                counting.Save();
            }
        }
    }
};

TEST(SettingsStore, ARunningConnectionIsSavedWithoutBeingDisturbed) {
    StoreCleaner cleaner;
    Connection stored(true);
    Connection counted(false);
    ASSERT_TRUE(stored.p.store.CheckRegistryVersion());

    for (Connection* c : {&stored, &counted}) {
        c->poll.record = 1;
        c->RunUntil(1300);
    }
    // Killed now: at most the last ten minutes of the running call are lost.
    Program killed("Work");
    ASSERT_FALSE(killed.store.CheckRegistryVersion());
    killed.store.LoadFromRegistry();
    const ConnectionStats& running = stored.p.Rec(1);
    EXPECT_GE(killed.Rec(1).connTime.value, running.connTime.value - 600);
    EXPECT_LE(killed.Rec(1).connTime.value, running.connTime.value);
    EXPECT_GT(killed.Rec(1).connCost.value, 0.0f);
    EXPECT_EQ(killed.Rec(1).totalLogins, running.totalLogins);
    EXPECT_EQ(counted.counting.saves, 2);

    // The saves changed nothing: both runs have the same figures, bases included.
    for (Connection* c : {&stored, &counted}) {
        c->RunUntil(1500);
        c->poll.record = -1;
        c->RunUntil(1502);
    }
    ASSERT_EQ(stored.log.lines, 1);
    ASSERT_EQ(counted.log.lines, 1);
    EXPECT_EQ(stored.log.last.duration, counted.log.last.duration);
    EXPECT_EQ(stored.log.last.cost, counted.log.last.cost);
    for (int i = 0; i < 2; ++i) {
        ExpectSameValues(stored.p.Rec(i), counted.p.Rec(i));
        EXPECT_EQ(stored.p.Rec(i).todayTime, counted.p.Rec(i).todayTime);
        EXPECT_EQ(stored.p.Rec(i).totalCost, counted.p.Rec(i).totalCost);
    }

    // The end of the call saved its final figures.
    Program after("Work");
    after.store.LoadFromRegistry();
    for (int i = 0; i < 2; ++i) {
        ExpectSameValues(after.Rec(i), stored.p.Rec(i));
    }
}

} // namespace
} // namespace mereth
