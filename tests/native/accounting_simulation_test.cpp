// Months of virtual time through the accounting, in zones with daylight saving:
// random calls at 800 ms ticks, tariff periods, weekends, tariff edits during calls,
// switches between entries, resets and clock jumps. After every event the figures
// are checked against what must always hold and against an independent account of
// each call's seconds and charges. Holidays are priced as Sundays.
#include <gtest/gtest.h>

#ifndef _WIN32

#include "accounting/PollCycle.h"

#include "AccountingClock.h"
#include "AccountingRig.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace mereth {
namespace {

using Rig = test::AccountingRig<test::CSettableSystemClock>;

constexpr std::uint64_t DEFAULT_SEED = 20261208;
constexpr int ENTRIES = 5; // records 1..5

std::uint64_t Seed() {
    if (const char* s = std::getenv("MERETH_SIM_SEED")) {
        return std::strtoull(s, nullptr, 10);
    }
    return DEFAULT_SEED;
}

// The rate at a moment, looked up from the tariff on its own terms.
struct RefRate {
    float fee = 0.0f;
    float unitCost = 0.0f;
    std::int32_t unitTime = 60;
};

bool RefIsSet(const Tariff& t) {
    for (float c : t.periodUnitCost) {
        if (c != 0.0f) {
            return true;
        }
    }
    return t.saturdayUnitCost != 0.0f || t.sundayUnitCost != 0.0f;
}

const Tariff& RefGoverning(const CUsageModel& model, int k) {
    return RefIsSet(model.m_entries[0].tariff) ? model.m_entries[0].tariff
                                               : model.m_entries[k].tariff;
}

// The holidays of the run as yyyymmdd: weekdays, a Saturday and New Year's Day.
constexpr std::int64_t HOLIDAYS[] = {20261012, 20261111, 20261225, 20261226, 20270101};
constexpr const char* HOLIDAY_TEXT = "2027-01-01;2026-12-25, 2026-11-11 2026-10-12 2026-12-26";

bool RefIsHoliday(const std::tm& tm) {
    const std::int64_t key = (tm.tm_year + 1900) * 10000LL + (tm.tm_mon + 1) * 100 + tm.tm_mday;
    return std::find(std::begin(HOLIDAYS), std::end(HOLIDAYS), key) != std::end(HOLIDAYS);
}

RefRate RefRateAt(const Tariff& t, CalendarTime when) {
    std::time_t tt = static_cast<std::time_t>(when);
    std::tm tm{};
    localtime_r(&tt, &tm);
    if (RefIsHoliday(tm)) {
        tm.tm_wday = 0;
    }
    if (tm.tm_wday == 6) {
        return {t.saturdayConnectionFee, t.saturdayUnitCost, t.saturdayUnitTime};
    }
    if (tm.tm_wday == 0) {
        return {t.sundayConnectionFee, t.sundayUnitCost, t.sundayUnitTime};
    }
    const int minute = tm.tm_hour * 60 + tm.tm_min;
    int p = 4;
    for (int i = 0; i < 4; ++i) {
        if (t.periodEnd[i] >= minute) {
            p = i;
            break;
        }
    }
    return {t.periodConnectionFee[p], t.periodUnitCost[p], t.periodUnitTime[p]};
}

double RefSegmentCost(const Tariff& t, float u, std::int32_t n, std::int64_t e) {
    const double unit = n < 1 ? 1.0 : n;
    if (t.chargeByTheUnit != 0) {
        return std::floor(static_cast<double>(e) / unit + 1.0) * u;
    }
    const double p = static_cast<double>(u) * static_cast<double>(e) / unit;
    const double m = t.chargesMinimumAmount != 0 ? t.minimumCallCharge : 0.0;
    return p > m ? p : m;
}

std::int64_t CountedDateKey(const CUsageModel& m) {
    return m.m_currentYear * 10000LL + m.m_currentMonth * 100 + m.m_currentDay;
}

std::int64_t LocalDateKey(CalendarTime when) {
    std::time_t tt = static_cast<std::time_t>(when);
    std::tm tm{};
    localtime_r(&tt, &tm);
    return (tm.tm_year + 1900) * 10000LL + (tm.tm_mon + 1) * 100 + tm.tm_mday;
}

long UtcOffset(CalendarTime when) {
    std::time_t tt = static_cast<std::time_t>(when);
    std::tm tm{};
    localtime_r(&tt, &tm);
    return tm.tm_gmtoff;
}

// One call as the test accounts it: closed segments, the open one, accepted seconds.
struct RefCall {
    int k = -1;
    float fee = 0.0f;
    double closed = 0.0;
    double open = 0.0;
    float unitCost = 0.0f;
    std::int32_t unitTime = 60;
    std::int64_t openSeconds = 0;
    std::int64_t seconds = 0;
    CalendarTime lastWall = 0;
    int segments = 1;
    double Cost() const { return fee + closed + open; }
};

struct Stats {
    long ticks = 0, calls = 0, switches = 0, rateChanges = 0, callJumps = 0, idleJumps = 0,
         tariffEdits = 0, resets = 0, dayRollovers = 0, monthRollovers = 0, yearRollovers = 0,
         dstCalls = 0, aggregateCalls = 0, weekendTicks = 0, holidayTicks = 0;
};

class Simulation {
public:
    Simulation(std::uint64_t seed, const char* zone) : m_rng(seed), m_zone(zone) {}

    void Run(CalendarTime from, CalendarTime to) {
        const char* names[ENTRIES] = {"Work", "Home", "Away", "Night", "Mobile"};
        for (int i = 0; i < ENTRIES; ++i) {
            m_rig.model.m_entries[i + 1].name = names[i];
            m_rig.model.m_entries[i + 1].tariff = RandomTariff();
        }
        m_rig.model.m_entryCount = ENTRIES + 1;
        m_rig.model.m_holidays.Parse(HOLIDAY_TEXT);
        m_rig.StartAt(from);
        m_rig.model.SetStartDate(0);
        FindTransitions(from, to);

        const std::int64_t endMs = (to - from) * 1000;
        std::int64_t nextCall = NextGap();
        while (m_rig.millis < endMs && !m_failed) {
            IdleUntil(std::min(nextCall, endMs));
            if (m_rig.millis >= endMs || m_failed) {
                break;
            }
            RunCall(RandomRecord());
            nextCall = m_rig.millis + NextGap();
        }
    }

    const Stats& stats() const { return m_stats; }
    bool failed() const { return m_failed; }

private:
    // ---- random choices ----
    double Uniform(double a, double b) {
        return std::uniform_real_distribution<double>(a, b)(m_rng);
    }
    int Pick(int a, int b) { return std::uniform_int_distribution<int>(a, b)(m_rng); }
    bool Chance(double p) { return Uniform(0, 1) < p; }
    float Money(float top) {
        return static_cast<float>(Pick(0, static_cast<int>(top * 100))) / 100;
    }

    Tariff RandomTariff() {
        Tariff t;
        int ends[4];
        for (int& e : ends) {
            e = Pick(0, 1440);
        }
        std::sort(ends, ends + 4);
        static const std::int32_t units[] = {1, 30, 60, 120, 180, 300};
        for (int p = 0; p < PERIOD_COUNT; ++p) {
            t.periodEnd[p] = p < 4 ? ends[p] : 1440;
            t.periodUnitCost[p] = Money(0.20f);
            t.periodConnectionFee[p] = Money(0.10f);
            t.periodUnitTime[p] = units[Pick(0, 5)];
        }
        t.saturdayUnitCost = Money(0.10f);
        t.saturdayConnectionFee = Money(0.05f);
        t.saturdayUnitTime = units[Pick(0, 5)];
        t.sundayUnitCost = Money(0.10f);
        t.sundayConnectionFee = Money(0.05f);
        t.sundayUnitTime = units[Pick(0, 5)];
        t.chargeByTheUnit = Chance(0.4) ? 1 : 0;
        t.chargesMinimumAmount = Chance(0.3) ? 1 : 0;
        t.minimumCallCharge = Money(0.50f);
        return t;
    }

    int RandomRecord() { return Chance(0.04) ? 0 : Pick(1, ENTRIES); }

    // Idle time to the next call: minutes to a day and a half.
    std::int64_t NextGap() {
        return static_cast<std::int64_t>(std::exp(Uniform(std::log(120.0), std::log(130000.0)))) *
               1000;
    }

    // Call length: seconds to three hours, most of them short.
    std::int64_t CallLength() {
        return static_cast<std::int64_t>(std::exp(Uniform(std::log(5.0), std::log(10800.0))));
    }

    CalendarTime Wall() const { return m_rig.clock.Now(); }
    std::int64_t MsAtWall(CalendarTime wall) const { return (wall - m_rig.origin) * 1000; }

    // The daylight saving changes of the run: a call is placed over each of them.
    void FindTransitions(CalendarTime from, CalendarTime to) {
        long previous = UtcOffset(from);
        for (CalendarTime t = from; t < to; t += 900) {
            long offset = UtcOffset(t);
            if (offset != previous) {
                m_forced.push_back(t - 5400);
                previous = offset;
            }
        }
        // And over the midnights into and out of each holiday (New Year's among them) and
        // a month's last midnight.
        for (CalendarTime t = from; t < to; t += 3600) {
            std::time_t tt = static_cast<std::time_t>(t);
            const std::time_t later = static_cast<std::time_t>(t + 3600);
            std::tm tm{};
            std::tm next{};
            localtime_r(&tt, &tm);
            localtime_r(&later, &next);
            if (tm.tm_hour == 23 &&
                (RefIsHoliday(tm) || RefIsHoliday(next) || (tm.tm_mday == 31 && tm.tm_mon == 9))) {
                m_forced.push_back(t + 1800);
            }
        }
        std::sort(m_forced.begin(), m_forced.end());
    }

    // ---- idle ----
    // Idle until the given virtual time, or until a placed call is due: a date check
    // every minute, now and then a reset or a clock set by the user.
    void IdleUntil(std::int64_t untilMs) {
        while (!m_forced.empty() && MsAtWall(m_forced.front()) <= m_rig.millis) {
            m_forced.erase(m_forced.begin()); // overtaken by a call that ran over it
        }
        std::int64_t nextCheck = (m_rig.millis / 60000 + 1) * 60000;
        while (!m_failed) {
            const std::int64_t placedAt = m_forced.empty() ? untilMs : MsAtWall(m_forced.front());
            if (placedAt < untilMs && placedAt <= nextCheck) {
                m_forced.erase(m_forced.begin());
                m_nextCallLong = true;
                untilMs = placedAt;
                break;
            }
            if (nextCheck >= untilMs) {
                break;
            }
            m_rig.millis = nextCheck;
            m_rig.clock.Set(m_rig.origin + m_rig.millis / 1000);
            DateCheck();
            if (Chance(1.0 / 1500)) {
                RandomReset();
            }
            if (Chance(1.0 / 15000)) {
                IdleJump();
            }
            nextCheck += 60000;
        }
        m_rig.millis = std::max(m_rig.millis, untilMs);
        m_rig.clock.Set(m_rig.origin + m_rig.millis / 1000);
    }

    void DateCheck() {
        const CUsageModel& m = m_rig.model;
        const std::int64_t countedBefore = CountedDateKey(m);
        const int yearBefore = m.m_currentYear;
        const int monthBefore = m.m_currentMonth;
        const ConnectionStats before = m.m_entries[0];
        m_rig.accounting.CheckDateRollover();
        if (m_rig.accounting.IsConnected()) {
            Expect(m.m_entries[0].todayTime == before.todayTime, "rollover during a call");
            return;
        }
        // The counted date follows the calendar after every check.
        const CalendarTime now = Wall();
        std::time_t tt = static_cast<std::time_t>(now);
        std::tm tm{};
        localtime_r(&tt, &tm);
        Expect(m.m_currentYear == tm.tm_year + 1900 && m.m_currentMonth == tm.tm_mon + 1 &&
                   CountedDateKey(m) == LocalDateKey(now),
               "counted date is not today's");
        Expect(LocalDateKey(m.CountedDayMidnight()) == CountedDateKey(m) &&
                   LocalDateKey(m.CountedDayMidnight() - 1) != CountedDateKey(m),
               "counted day's stored form is not its local midnight");
        // Today is zeroed only when the counted day changes, and forward only.
        const bool zeroedToday = before.todayLogins != 0 && m.m_entries[0].todayLogins == 0;
        if (zeroedToday) {
            Expect(LocalDateKey(now) > countedBefore, "Today zeroed within its day");
            ++m_stats.dayRollovers;
            if (monthBefore != m.m_currentMonth) {
                ++m_stats.monthRollovers;
            }
            if (yearBefore != m.m_currentYear) {
                ++m_stats.yearRollovers;
            }
        }
        if (before.monthLogins != 0 && m.m_entries[0].monthLogins == 0) {
            Expect(monthBefore != m.m_currentMonth || yearBefore != m.m_currentYear,
                   "Month zeroed within its month");
        }
        CheckInvariants("date check");
    }

    void RandomReset() {
        const auto period = static_cast<Period>(Pick(0, static_cast<int>(Period::Total)));
        const int r = Chance(0.3) ? 0 : Pick(1, ENTRIES);
        m_rig.accounting.ResetPeriod(period, r);
        if (period == Period::Total) {
            for (int i = 0; i < RECORD_COUNT; ++i) {
                if (r == 0 || i == r) {
                    m_refSeconds[i] = 0;
                    m_refLogins[i] = 0;
                }
            }
        }
        ++m_stats.resets;
        CheckInvariants("reset");
    }

    // The user sets the clock while idle; the time-change notice checks the date.
    void IdleJump() {
        std::int64_t jump = Pick(3600, 3 * 86400) * (Chance(0.5) ? 1 : -1);
        if (std::llabs(m_offset + jump) > 4 * 86400) {
            jump = -m_offset;
        }
        Jump(jump);
        ++m_stats.idleJumps;
        DateCheck();
    }

    void Jump(std::int64_t seconds) {
        // Never over the wall time of a placed call, which would then not happen.
        if (!m_forced.empty() && Wall() < m_forced.front() &&
            Wall() + seconds >= m_forced.front()) {
            return;
        }
        m_offset += seconds;
        m_rig.Jump(seconds);
    }

    // ---- a call ----
    void RunCall(int k) {
        std::int64_t length = CallLength();
        // A placed call runs its three hours over the change without clock jumps.
        const bool placed = m_nextCallLong;
        if (placed) {
            length = 3 * 3600;
            m_nextCallLong = false;
        }
        StartCall(k, PollEvent::Started);
        const long offsetAtStart = UtcOffset(Wall());
        std::int64_t endMs = CallEnd(length, placed);
        while (!m_failed) {
            if (m_rig.millis + 800 > endMs) {
                // Ended, or replaced at once by another entry's connection.
                if (!placed && Chance(0.1)) {
                    int next = RandomRecord();
                    if (next != m_call.k) {
                        m_rig.poll.record = next;
                        Advance();
                        Expect(m_rig.Apply(m_rig.cycle.OnPollTimer()) == PollEvent::Switched,
                               "no switch");
                        CheckLogLine();
                        ++m_stats.switches;
                        StartCall(next, PollEvent::Switched);
                        endMs = CallEnd(CallLength(), false);
                        continue;
                    }
                }
                m_rig.poll.record = -1;
                Advance();
                m_stats.dstCalls += UtcOffset(Wall()) != offsetAtStart;
                Expect(m_rig.Apply(m_rig.cycle.OnPollTimer()) == PollEvent::Ended, "no end");
                CheckLogLine();
                CheckInvariants("end");
                return;
            }
            Advance();
            if (Chance(1.0 / 9000)) {
                EditTariff();
            }
            if (!placed && Chance(1.0 / 20000)) {
                CallJump();
            }
            const PollEvent e = m_rig.Apply(m_rig.cycle.OnPollTimer());
            Expect(e == PollEvent::Running, "tick not running");
            RefTick();
            CheckInvariants("tick");
            if (m_rig.millis % 60000 < 800) {
                DateCheck();
            }
        }
    }

    // When a call of the given length begun now ends; other calls leave the placed
    // ones their time.
    std::int64_t CallEnd(std::int64_t length, bool placed) const {
        std::int64_t endMs = m_rig.millis + length * 1000;
        if (!placed && !m_forced.empty()) {
            endMs =
                std::max(m_rig.millis + 800, std::min(endMs, MsAtWall(m_forced.front()) - 60000));
        }
        return endMs;
    }

    void Advance() {
        m_rig.millis += 800;
        m_rig.clock.Set(m_rig.origin + m_rig.millis / 1000);
    }

    void StartCall(int k, PollEvent expected) {
        m_rig.poll.record = k;
        if (expected == PollEvent::Started) {
            Advance();
            Expect(m_rig.Apply(m_rig.cycle.OnPollTimer()) == PollEvent::Started, "no start");
        }
        const CalendarTime now = Wall();
        const RefRate rate = RefRateAt(RefGoverning(m_rig.model, k), now);
        m_call = RefCall{};
        m_call.k = k;
        m_call.fee = rate.fee;
        m_call.unitCost = rate.unitCost;
        m_call.unitTime = rate.unitTime;
        m_call.lastWall = now;
        m_refLogins[0] += 1;
        if (k != 0) {
            m_refLogins[k] += 1;
        }
        ++m_stats.calls;
        m_stats.aggregateCalls += k == 0;
        Expect(m_rig.accounting.ConnectStart() == now, "start time");
        Expect(m_rig.accounting.ConnectedEntryName() == m_rig.model.m_entries[k].name.view(),
               "entry name");
        CheckCall();
        CheckInvariants("start");
    }

    // What the tick just did, worked out from the wall clock and the tariff alone.
    void RefTick() {
        ++m_stats.ticks;
        const CalendarTime now = Wall();
        const std::int64_t delta = now - m_call.lastWall;
        m_call.lastWall = now;
        if (delta < 0 || delta > 10) {
            m_call.closed += m_call.open;
            m_call.open = 0;
            m_call.openSeconds = 0;
            ++m_call.segments;
            CheckCall();
            return;
        }
        m_call.openSeconds += delta;
        m_call.seconds += delta;
        m_refSeconds[0] += delta;
        if (m_call.k != 0) {
            m_refSeconds[m_call.k] += delta;
        }
        const Tariff& t = RefGoverning(m_rig.model, m_call.k);
        m_call.open = RefSegmentCost(t, m_call.unitCost, m_call.unitTime, m_call.openSeconds);
        CheckCall();
        const RefRate rate = RefRateAt(t, now);
        if (std::fabs(static_cast<double>(rate.unitCost) - m_call.unitCost) > 0.00001 ||
            rate.unitTime != m_call.unitTime) {
            m_call.closed += m_call.open;
            m_call.open = 0;
            m_call.openSeconds = 0;
            m_call.unitCost = rate.unitCost;
            m_call.unitTime = rate.unitTime;
            ++m_call.segments;
            ++m_stats.rateChanges;
        }
        std::time_t tt = static_cast<std::time_t>(now);
        std::tm tm{};
        localtime_r(&tt, &tm);
        m_stats.weekendTicks += tm.tm_wday == 0 || tm.tm_wday == 6;
        m_stats.holidayTicks += RefIsHoliday(tm);
    }

    void EditTariff() {
        ++m_stats.tariffEdits;
        switch (Pick(0, 3)) {
        case 0:
            m_rig.model.m_entries[m_call.k].tariff = RandomTariff();
            break;
        case 1: // the aggregate's tariff takes over every call, or gives it back
            m_rig.model.m_entries[0].tariff =
                RefIsSet(m_rig.model.m_entries[0].tariff) ? Tariff{} : RandomTariff();
            break;
        case 2: { // the method alone
            Tariff& t =
                m_rig.model.m_entries[RefIsSet(m_rig.model.m_entries[0].tariff) ? 0 : m_call.k]
                    .tariff;
            t.chargeByTheUnit = !t.chargeByTheUnit;
            break;
        }
        default: { // one unit cost, perhaps the one in force
            Tariff& t = m_rig.model.m_entries[m_call.k].tariff;
            t.periodUnitCost[Pick(0, 4)] = Money(0.3f);
            t.saturdayUnitCost = Money(0.3f);
            break;
        }
        }
    }

    void CallJump() {
        ++m_stats.callJumps;
        std::int64_t jump;
        switch (Pick(0, 2)) {
        case 0:
            jump = Pick(1, 10); // a stall the guard accepts
            break;
        case 1:
            jump = Pick(11, 7200);
            break;
        default:
            jump = -Pick(1, 7200);
            break;
        }
        if (std::llabs(m_offset + jump) > 4 * 86400) {
            jump = -m_offset;
        }
        Jump(jump);
    }

    // ---- checks ----
    void CheckCall() {
        const ConnectionStats& all = m_rig.model.m_entries[0];
        const ConnectionStats& own = m_rig.model.m_entries[m_call.k];
        Expect(all.connTime.value == m_call.seconds, "call seconds");
        Expect(own.connTime.value == all.connTime.value && own.connCost.value == all.connCost.value,
               "aggregate Conn is not the call's");
        const double ref = m_call.Cost();
        const double tolerance = 1e-6 * (std::fabs(ref) + 1) * (m_call.segments + 1);
        if (std::fabs(all.connCost.value - ref) > tolerance) {
            std::ostringstream s;
            s << "call cost " << all.connCost.value << " != " << ref << " (" << m_call.segments
              << " segments)";
            Fail(s.str());
        }
    }

    void CheckLogLine() {
        const test::CRecordingLog& log = m_rig.log;
        Expect(log.last.duration == m_call.seconds, "logged duration");
        Expect(std::fabs(log.last.cost - m_call.Cost()) <=
                   1e-6 * (std::fabs(m_call.Cost()) + 1) * (m_call.segments + 1),
               "logged cost");
        Expect(log.last.entryName.view() == m_rig.model.m_entries[m_call.k].name.view(),
               "logged entry");
        Expect(m_rig.saver.linesAtLastSave == log.lines, "not saved after the log line");
    }

    void CheckInvariants(const char* event) {
        if (m_failed) {
            return;
        }
        m_event = event;
        const CUsageModel& m = m_rig.model;
        for (int i = 0; i < RECORD_COUNT && !m_failed; ++i) {
            const ConnectionStats& r = m.m_entries[i];
            m_record = i;
            Expect(r.connTime.value >= 0 && r.todayTime.value >= 0 && r.connCost.value >= 0 &&
                       r.todayCost.value >= 0 && r.todayLogins >= 0,
                   "negative figure");
            Expect(r.todayTime.value <= r.monthTime.value &&
                       r.monthTime.value <= r.yearTime.value &&
                       r.yearTime.value <= r.totalTime.value,
                   "times out of order");
            Expect(r.todayCost.value <= r.monthCost.value &&
                       r.monthCost.value <= r.yearCost.value &&
                       r.yearCost.value <= r.totalCost.value,
                   "costs out of order");
            Expect(r.todayLogins <= r.monthLogins && r.monthLogins <= r.yearLogins &&
                       r.yearLogins <= r.totalLogins,
                   "logins out of order");
            Expect(r.totalTime.value == m_refSeconds[i], "Total time is not the seconds counted");
            Expect(r.totalLogins == m_refLogins[i], "Total logins are not the calls begun");
            if (i > 0) {
                const ConnectionStats& a = m.m_entries[0];
                Expect(a.todayTime.value >= r.todayTime.value &&
                           a.monthTime.value >= r.monthTime.value &&
                           a.yearTime.value >= r.yearTime.value &&
                           a.totalTime.value >= r.totalTime.value,
                       "record 0 time below a record's");
                Expect(a.todayCost.value >= r.todayCost.value &&
                           a.monthCost.value >= r.monthCost.value &&
                           a.yearCost.value >= r.yearCost.value &&
                           a.totalCost.value >= r.totalCost.value,
                       "record 0 cost below a record's");
                Expect(a.todayLogins >= r.todayLogins && a.monthLogins >= r.monthLogins &&
                           a.yearLogins >= r.yearLogins && a.totalLogins >= r.totalLogins,
                       "record 0 logins below a record's");
            }
            if (m_rig.accounting.IsConnected() && (i == 0 || i == m_call.k)) {
                Expect(r.connTime.value <= r.todayTime.value &&
                           r.connCost.value <= r.todayCost.value,
                       "Conn above Today during a call");
            }
        }
        m_record = -1;
    }

    void Expect(bool ok, const char* what) {
        if (!ok) {
            Fail(what);
        }
    }

    void Fail(const std::string& what) {
        if (m_failed) {
            return;
        }
        m_failed = true;
        const CalendarTime now = Wall();
        std::time_t tt = static_cast<std::time_t>(now);
        std::tm tm{};
        localtime_r(&tt, &tm);
        char when[64];
        std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S %Z", &tm);
        ADD_FAILURE() << m_zone << " at " << when << " (virtual ms " << m_rig.millis
                      << ", clock offset " << m_offset << "): " << what << " [event " << m_event
                      << ", record " << m_record << ", call of record " << m_call.k << "]";
    }

    Rig m_rig;
    std::mt19937_64 m_rng;
    const char* m_zone;
    RefCall m_call;
    std::int64_t m_refSeconds[RECORD_COUNT] = {};
    std::int32_t m_refLogins[RECORD_COUNT] = {};
    std::vector<CalendarTime> m_forced;
    bool m_nextCallLong = false;
    std::int64_t m_offset = 0;
    Stats m_stats;
    bool m_failed = false;
    const char* m_event = "";
    int m_record = -1;
};

class AccountingSimulation : public ::testing::TestWithParam<const char*> {};

TEST_P(AccountingSimulation, MonthsOfCallsKeepEveryFigureConsistent) {
    const char* zone = GetParam();
    if (!test::ZoneInstalled(zone)) {
        GTEST_SKIP() << "time zone " << zone << " is not installed (tzdata)";
    }
    test::CScopedTimeZone tz(zone);
    const std::uint64_t seed = Seed();
    std::printf("simulation seed %llu (MERETH_SIM_SEED sets another)\n",
                static_cast<unsigned long long>(seed));

    test::CSettableSystemClock clock;
    // 15 September 2026 to 15 January 2027: both daylight saving changes of the
    // southern zone's spring and the northern autumn, four month ends and New Year.
    // Each zone its own run of events.
    std::uint64_t zoneSeed = seed;
    for (const char* c = zone; *c; ++c) {
        zoneSeed = (zoneSeed ^ static_cast<unsigned char>(*c)) * 1099511628211ULL;
    }
    Simulation sim(zoneSeed, zone);
    sim.Run(clock.LocalMidnight(2026, 9, 15), clock.LocalMidnight(2027, 1, 15));

    const Stats& s = sim.stats();
    std::printf("%s: %ld calls, %ld ticks, %ld switches, %ld rate changes, %ld tariff edits, "
                "%ld clock jumps in calls and %ld idle, %ld resets, rollovers %ld/%ld/%ld "
                "(day/month/year), %ld calls over a change of time, %ld weekend ticks\n",
                zone, s.calls, s.ticks, s.switches, s.rateChanges, s.tariffEdits, s.callJumps,
                s.idleJumps, s.resets, s.dayRollovers, s.monthRollovers, s.yearRollovers,
                s.dstCalls, s.weekendTicks);
    if (sim.failed()) {
        return;
    }
    // The run went through what it is meant to exercise.
    EXPECT_GE(s.ticks, 100000);
    EXPECT_GT(s.switches, 0);
    EXPECT_GT(s.rateChanges, 0);
    EXPECT_GT(s.tariffEdits, 0);
    EXPECT_GT(s.callJumps, 0);
    EXPECT_GT(s.idleJumps, 0);
    EXPECT_GT(s.resets, 0);
    EXPECT_GE(s.monthRollovers, 2);
    EXPECT_GE(s.yearRollovers, 1);
    EXPECT_GE(s.dstCalls, 1);
    EXPECT_GT(s.aggregateCalls, 0);
    EXPECT_GT(s.weekendTicks, 0);
    EXPECT_GT(s.holidayTicks, 3 * 3600);
}

INSTANTIATE_TEST_SUITE_P(Zones, AccountingSimulation,
                         ::testing::Values("Europe/London", "America/New_York",
                                           "Australia/Lord_Howe"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '/', '_');
                             return name;
                         });

} // namespace
} // namespace mereth

#else

// Wine's C library takes TZ in the Windows form only, so the zones cannot be set here.
TEST(AccountingSimulation, NeedsTheHostsZoneDatabase) {
    GTEST_SKIP() << "runs in the native build";
}

#endif
