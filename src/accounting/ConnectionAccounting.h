#pragma once

#include "accounting/AccountingPorts.h"
#include "accounting/UsageModel.h"
#include "core/Clock.h"
#include "accounting/CostCalculator.h"

#include <cstdint>

namespace mereth {

// What one accounting event did: the window shows new figures, the store keeps them.
struct AccountingResult {
    bool figuresChanged = false;
    bool saveDue = false;
};

// What a watched connection adds to the record table, and the rollover of the
// counted day, month and year. Works on the model and the cost calculator it is
// given and writes the log; what the window and the store must do next is returned.
class CConnectionAccounting : public IRunningCallSource {
public:
    // A tick that finds more seconds than this since the previous one takes it as
    // a clock jump or a stall, and counts nothing for it.
    static constexpr std::int32_t MAX_TICK_GAP = 10;
    // While a connection runs the figures are saved every this many connected seconds.
    static constexpr std::int32_t SAVE_INTERVAL = 600;

    CConnectionAccounting(CUsageModel& model, CCostCalculator& costs, IConnectionLog& log)
        : m_model(model), m_costs(costs), m_log(log) {}

    // A connection of record k has begun: a login and the fee, a first segment. False,
    // and nothing changed, for a record not in use or while a connection runs.
    // handle is the service's connection handle, kept for a restart to recognise it.
    bool OnConnectionStarted(int k, std::uint64_t handle = 0);
    // The saved call's connection, of record k, is still up at start-up: the call goes
    // on without a new login or fee. The figures as loaded hold its segment up to the
    // save, and that segment runs on from there, so the seconds no program watched are
    // counted and priced with it. False, and nothing changed, for a record not in use
    // or while a connection runs.
    bool ResumeConnection(int k, const RunningCall& call);
    // A saved call whose connection went while no program watched (Windows shut down
    // on line, the program killed): its line, with what the last save counted of it,
    // which is what the figures hold. Nothing while a connection runs.
    void LogUnwatchedEnd(const RunningCall& call);
    // One tick of the running connection: every figure as its base plus the segment.
    AccountingResult AccrueTick();
    // A tariff was edited; governingBefore is the tariff that priced the running call
    // until now. If the call's tariff changed, the call is charged up to now under the
    // old one and a new segment begins at that instant at the new tariff's rate, so the
    // edit prices only what follows. Nothing while idle or when another tariff changed.
    AccountingResult OnTariffEdited(const Tariff& governingBefore);
    // The tariff that prices the running or next call of the connected record.
    const Tariff& GoverningTariff() const;
    // The running connection has gone: its log line is written and the figures are due
    // to be saved. Nothing without a running connection.
    AccountingResult OnConnectionEnded();
    // Moves the Today, Month and Year figures and each record's billing period on when
    // the calendar has; idle only. True when figures were zeroed.
    bool CheckDateRollover();
    // Zeroes the period and every shorter one, of record r or, for r = 0, of all
    // records. False, and nothing zeroed, while a connection runs: a reset confirmed
    // after a call began must not touch the call's figures.
    bool ResetPeriod(Period period, int r);
    // Zeroes the billing period's spend and its alerts, of record r or, for r = 0, of
    // all records; the other periods keep theirs. False, and nothing zeroed, while a
    // connection runs.
    bool ResetBilling(int r);

    // The connection state has this one owner; only the operations above change it.
    bool IsConnected() const { return m_connected; }
    // The record of the running or last connection, -1 before the first.
    int ConnectedRecord() const { return m_connectedRecord; }
    // The entry and the start of the running or last connection.
    const EntryName& ConnectedEntryName() const { return m_connectedEntryName; }
    CalendarTime ConnectStart() const { return m_connectStart; }

    // IRunningCallSource: what a save keeps of the running call.
    bool GetRunningCall(RunningCall& call) const override;

private:
    // The tick's work at the instant now, with the segment priced under tariff.
    AccountingResult AccrueAt(CalendarTime now, const Tariff& tariff);
    void ZeroPeriodsFrom(int record, Period period);
    // Starts a new billing period in each record whose period today has passed; true
    // when that zeroed a spend or an alert.
    bool MoveBillingPeriods(CalendarDate today);

    CUsageModel& m_model;
    CCostCalculator& m_costs;
    IConnectionLog& m_log;
    bool m_connected = false;
    CalendarTime m_connectStart = 0;
    EntryName m_connectedEntryName;
    int m_connectedRecord = -1;
    std::uint64_t m_connectedHandle = 0;
    std::int32_t m_nextSaveAt = SAVE_INTERVAL;
    // The rate of the open segment, looked up where the segment began.
    Rate m_rate;
};

} // namespace mereth
