#include "store/win32/SettingsStore.h"

#include "store/AmountText.h"
#include "store/EntryKeyName.h"
#include "store/StoredDate.h"
#include "store/StoredTariff.h"
#include "store/win32/RegistryKey.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <span>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace mereth {

namespace {

// Opens (creating) name under an open parent. Keys are opened one level at a time,
// never by a path from the root, which fails past 260 characters.
bool Open(CRegistryKey& key, const CRegistryKey& parent, const char* name) {
    return key.Create(parent, name) == ERROR_SUCCESS;
}

bool OpenProduct(CRegistryKey& product) {
    return product.Create(HKEY_CURRENT_USER, CSettingsStore::PRODUCT_KEY) == ERROR_SUCCESS;
}

// The key of record i: record 0's is the aggregate's name, every other one's that of
// its entry, substituted where it cannot stand as a key name.
std::string RecordKeyName(int i, const EntryName& name) {
    return i == 0 ? std::string(ALL_CONNECTIONS_NAME) : KeyNameOfEntry(name.view());
}

// Reads take a value only of the type that was written, so a text where a number
// belongs, or the reverse, leaves the member as it was.
bool ReadDword(CRegistryKey& key, const char* name, std::uint32_t& member) {
    DWORD value = 0;
    DWORD type = REG_NONE;
    if (key.QueryDwordValue(name, &value, &type) != ERROR_SUCCESS || type != REG_DWORD) {
        return false;
    }
    member = value;
    return true;
}

void ReadFlag(CRegistryKey& key, const char* name, bool& member) {
    std::uint32_t value = member ? 1 : 0;
    ReadDword(key, name, value);
    member = value != 0;
}

bool ReadText(CRegistryKey& key, const char* name, std::string& text) {
    DWORD type = REG_NONE;
    std::string read;
    if (key.QueryStringValue(name, read, &type) == ERROR_SUCCESS && type == REG_SZ) {
        text = std::move(read);
        return true;
    }
    return false;
}

// One reader and one writer per kind of member; the member's type is the encoding.
void Read(CRegistryKey& key, const char* name, std::int32_t& member) {
    std::uint32_t value = static_cast<std::uint32_t>(member);
    ReadDword(key, name, value);
    member = static_cast<std::int32_t>(value);
}

void Read(CRegistryKey& key, const char* name, std::uint32_t& member) {
    ReadDword(key, name, member);
}

// A date as yyyymmdd; one the calendar does not have leaves the member as it was.
void Read(CRegistryKey& key, const char* name, CalendarDate& member) {
    std::uint32_t value = 0;
    if (!ReadDword(key, name, value)) {
        return;
    }
    const CalendarDate date{static_cast<std::int32_t>(value / 10000),
                            static_cast<std::int32_t>(value / 100 % 100),
                            static_cast<std::int32_t>(value % 100)};
    if (date.year >= 1970 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
        date.day >= 1 && date.day <= DaysInMonth(date.year, date.month)) {
        member = date;
    }
}

// The holiday list's text; a damaged date is left out, the others kept.
void Read(CRegistryKey& key, const char* name, CHolidays& member) {
    std::string text;
    if (ReadText(key, name, text)) {
        member.Parse(text);
    }
}

void Read(CRegistryKey& key, const char* name, CalendarTime& member) {
    std::uint32_t value = 0;
    if (ReadDword(key, name, value)) {
        member = LoadedCalendarTime(value);
    }
}

void Read(CRegistryKey& key, const char* name, float& member) {
    std::string text;
    if (ReadText(key, name, text)) {
        member = ParseAmount(text.c_str());
    }
}

template <std::size_t N> void Read(CRegistryKey& key, const char* name, CFixedString<N>& member) {
    std::string text;
    if (ReadText(key, name, text)) {
        member = text;
    }
}

void Write(CRegistryKey& key, const char* name, std::int32_t value) {
    key.SetDwordValue(name, static_cast<DWORD>(value));
}

void Write(CRegistryKey& key, const char* name, std::uint32_t value) {
    key.SetDwordValue(name, value);
}

void Write(CRegistryKey& key, const char* name, CalendarDate date) {
    key.SetDwordValue(name, static_cast<DWORD>((date.year * 100 + date.month) * 100 + date.day));
}

void Write(CRegistryKey& key, const char* name, const CHolidays& holidays) {
    char text[11 * CHolidays::CAPACITY];
    holidays.Format(text, sizeof text);
    key.SetStringValue(name, text);
}

void Write(CRegistryKey& key, const char* name, CalendarTime t) {
    key.SetDwordValue(name, StoredCalendarTime(t));
}

void Write(CRegistryKey& key, const char* name, float amount) {
    char text[AMOUNT_TEXT_CAPACITY];
    FormatAmount(amount, text);
    key.SetStringValue(name, text);
}

template <std::size_t N>
void Write(CRegistryKey& key, const char* name, const CFixedString<N>& text) {
    key.SetStringValue(name, text.c_str());
}

// One stored value and the member of S it keeps. The member's type gives the encoding:
// a whole number is a REG_DWORD (two's complement), a calendar time a REG_DWORD of its
// low 32 bits, a date a REG_DWORD yyyymmdd, an amount its text, a text or a holiday list
// a REG_SZ. A figure keeps its value (never its base); an array member keeps its element
// at index.
template <typename S> struct StoredValue {
    const char* name;
    std::variant<std::int32_t S::*, std::uint32_t S::*, CalendarTime S::*, CalendarDate S::*,
                 float S::*, DateText S::*, EntryName S::*, CHolidays S::*, TimeFigure S::*,
                 CostFigure S::*, std::int32_t (S::*)[PERIOD_COUNT],
                 std::int32_t (S::*)[ALERT_COUNT], float (S::*)[PERIOD_COUNT]>
        member;
    int index = 0;
};

// A key: its values in the order they are written, then its subkeys.
template <typename S> struct StoredKey {
    const char* name;
    std::span<const StoredValue<S>> values;
    std::span<const StoredKey> subKeys = {};
};

template <typename O, typename S, typename T> auto& Slot(O& owner, T S::*member, int) {
    return owner.*member;
}

template <typename O, typename S, typename T> auto& Slot(O& owner, Figure<T> S::*member, int) {
    return (owner.*member).value;
}

template <typename O, typename S, typename T, std::size_t N>
auto& Slot(O& owner, T (S::*member)[N], int index) {
    return (owner.*member)[index];
}

template <typename S>
void ReadValues(CRegistryKey& key, std::type_identity_t<std::span<const StoredValue<S>>> values,
                S& owner) {
    for (const StoredValue<S>& v : values) {
        std::visit([&](auto member) { Read(key, v.name, Slot(owner, member, v.index)); }, v.member);
    }
}

template <typename S>
void WriteValues(CRegistryKey& key, std::type_identity_t<std::span<const StoredValue<S>>> values,
                 const S& owner) {
    for (const StoredValue<S>& v : values) {
        std::visit([&](auto member) { Write(key, v.name, Slot(owner, member, v.index)); },
                   v.member);
    }
}

// Values kept only while there is something in them: written then, else deleted, so a
// store that never had them saves back as it was.
template <typename S>
void WriteValuesWhile(bool kept, CRegistryKey& key,
                      std::type_identity_t<std::span<const StoredValue<S>>> values,
                      const S& owner) {
    if (kept) {
        WriteValues(key, values, owner);
        return;
    }
    for (const StoredValue<S>& v : values) {
        key.DeleteValue(v.name);
    }
}

// A key and its subkeys, each only when the one above it opened. ReadTree returns
// false when the key itself did not open.
template <typename S>
bool ReadTree(const CRegistryKey& parent, const StoredKey<S>& stored, S& owner) {
    CRegistryKey key;
    if (!Open(key, parent, stored.name)) {
        return false;
    }
    ReadValues(key, stored.values, owner);
    for (const StoredKey<S>& sub : stored.subKeys) {
        ReadTree(key, sub, owner);
    }
    return true;
}

template <typename S>
void WriteTree(const CRegistryKey& parent, const StoredKey<S>& stored, const S& owner) {
    CRegistryKey key;
    if (!Open(key, parent, stored.name)) {
        return;
    }
    WriteValues(key, stored.values, owner);
    for (const StoredKey<S>& sub : stored.subKeys) {
        WriteTree(key, sub, owner);
    }
}

// Value and key names are compared as the registry does, case aside.
template <typename Rows> bool Listed(const Rows& rows, const std::string& name) {
    return std::any_of(std::begin(rows), std::end(rows),
                       [&](const auto& row) { return lstrcmpiA(name.c_str(), row.name) == 0; });
}

// Removes from the key, and from each subkey it keeps, every value and subkey the
// tree does not list.
template <typename S> void PruneTree(const CRegistryKey& parent, const StoredKey<S>& stored) {
    CRegistryKey key;
    if (!Open(key, parent, stored.name)) {
        return;
    }
    std::string name;
    for (DWORD index = 0; key.EnumValueName(index, name) == ERROR_SUCCESS;) {
        if (Listed(stored.values, name) || key.DeleteValue(name.c_str()) != ERROR_SUCCESS) {
            ++index;
        }
    }
    for (DWORD index = 0; key.EnumSubKeyName(index, name) == ERROR_SUCCESS;) {
        if (Listed(stored.subKeys, name) ||
            key.DeleteKey(key.Handle(), name.c_str()) != ERROR_SUCCESS) {
            ++index;
        }
    }
    for (const StoredKey<S>& sub : stored.subKeys) {
        PruneTree(key, sub);
    }
}

// General: the selected entry and the counted date (the day as its local midnight,
// which the model works out), then the running call.
constexpr const char* GENERAL_KEY = "General";
constexpr StoredValue<CUsageModel> GENERAL_VALUES[] = {
    {"Selected Dial-up Connection", &CUsageModel::m_selectedEntryName},
    {"Current Year", &CUsageModel::m_currentYear},
    {"Current Month", &CUsageModel::m_currentMonth},
};
constexpr const char* CURRENT_DAY = "Current Day";
// Under General while the list is not empty.
constexpr StoredValue<CUsageModel> HOLIDAY_VALUES[] = {
    {"Holidays", &CUsageModel::m_holidays},
};

// The running call's values under General, written after the figures they go with.
// The handle is written last and removed first, so a save cut short names no call.
constexpr const char* CALL_HANDLE = "Call Handle";
constexpr const char* CALL_ENTRY = "Call Entry";
constexpr StoredValue<RunningCall> CALL_VALUES[] = {
    {"Call Start", &RunningCall::start},
    {"Call Segment Start", &RunningCall::segmentStart},
    {"Call Segment Seconds", &RunningCall::segmentSeconds},
    {"Call Segment Cost", &RunningCall::segmentCost},
    {"Call Unit Cost", &RunningCall::unitCost},
    {"Call Unit Time", &RunningCall::unitTime},
};

constexpr const char* VERSION_KEY = "Version";
constexpr const char* VERSION_NUMBER = "Version Number";

// Under each record's key. Times and Costs hold the five periods, Logins the first four.
constexpr StoredValue<ConnectionStats> TIME_VALUES[] = {
    {"Start Date", &ConnectionStats::startDate}, {"Total", &ConnectionStats::totalTime},
    {"Today", &ConnectionStats::todayTime},      {"Month", &ConnectionStats::monthTime},
    {"Year", &ConnectionStats::yearTime},        {"Conn", &ConnectionStats::connTime},
};
constexpr StoredValue<ConnectionStats> COST_VALUES[] = {
    {"Total", &ConnectionStats::totalCost}, {"Today", &ConnectionStats::todayCost},
    {"Month", &ConnectionStats::monthCost}, {"Year", &ConnectionStats::yearCost},
    {"Conn", &ConnectionStats::connCost},
};
constexpr StoredValue<ConnectionStats> LOGIN_VALUES[] = {
    {"Total", &ConnectionStats::totalLogins},
    {"Today", &ConnectionStats::todayLogins},
    {"Month", &ConnectionStats::monthLogins},
    {"Year", &ConnectionStats::yearLogins},
};
constexpr StoredKey<ConnectionStats> FIGURE_KEYS[] = {
    {"Times", TIME_VALUES},
    {"Costs", COST_VALUES},
    {"Logins", LOGIN_VALUES},
};

// Under a record's key while its budget is set: the budget, then the billing period's
// spend, start and alerts shown.
constexpr StoredValue<Budget> BUDGET_VALUES[] = {
    {"Budget", &Budget::amount},
    {"Billing Day", &Budget::billingDay},
    {"First Alert", &Budget::alertPercents, 0},
    {"Second Alert", &Budget::alertPercents, 1},
};
constexpr StoredValue<ConnectionStats> BILLING_VALUES[] = {
    {"Billing Spend", &ConnectionStats::billingCost},
    {"Billing Start", &ConnectionStats::billingStart},
    {"Alerts Given", &ConnectionStats::alertsGiven},
};

// A record's tariff: Charges, Charges\Weekday and Charges\Weekend.
constexpr StoredValue<Tariff> CHARGES_VALUES[] = {
    {"Charge by the Unit", &Tariff::chargeByTheUnit},
    {"Charges Minimum Amount", &Tariff::chargesMinimumAmount},
    {"Minimum Call Charge", &Tariff::minimumCallCharge},
};
constexpr StoredValue<Tariff> WEEKDAY_VALUES[] = {
    {"Period1End", &Tariff::periodEnd, 0},
    {"Period1ConnectionFee", &Tariff::periodConnectionFee, 0},
    {"Period1UnitCost", &Tariff::periodUnitCost, 0},
    {"Period1UnitTime", &Tariff::periodUnitTime, 0},
    {"Period2End", &Tariff::periodEnd, 1},
    {"Period2ConnectionFee", &Tariff::periodConnectionFee, 1},
    {"Period2UnitCost", &Tariff::periodUnitCost, 1},
    {"Period2UnitTime", &Tariff::periodUnitTime, 1},
    {"Period3End", &Tariff::periodEnd, 2},
    {"Period3ConnectionFee", &Tariff::periodConnectionFee, 2},
    {"Period3UnitCost", &Tariff::periodUnitCost, 2},
    {"Period3UnitTime", &Tariff::periodUnitTime, 2},
    {"Period4End", &Tariff::periodEnd, 3},
    {"Period4ConnectionFee", &Tariff::periodConnectionFee, 3},
    {"Period4UnitCost", &Tariff::periodUnitCost, 3},
    {"Period4UnitTime", &Tariff::periodUnitTime, 3},
    {"Period5End", &Tariff::periodEnd, 4},
    {"Period5ConnectionFee", &Tariff::periodConnectionFee, 4},
    {"Period5UnitCost", &Tariff::periodUnitCost, 4},
    {"Period5UnitTime", &Tariff::periodUnitTime, 4},
};
constexpr StoredValue<Tariff> WEEKEND_VALUES[] = {
    {"SaturdayUnitCost", &Tariff::saturdayUnitCost},
    {"SaturdayConnectionFee", &Tariff::saturdayConnectionFee},
    {"SundayUnitCost", &Tariff::sundayUnitCost},
    {"SundayConnectionFee", &Tariff::sundayConnectionFee},
    {"SaturdayUnitTime", &Tariff::saturdayUnitTime},
    {"SundayUnitTime", &Tariff::sundayUnitTime},
};
constexpr StoredKey<Tariff> CHARGES_SUBKEYS[] = {
    {"Weekday", WEEKDAY_VALUES},
    {"Weekend", WEEKEND_VALUES},
};
constexpr StoredKey<Tariff> CHARGES = {"Charges", CHARGES_VALUES, CHARGES_SUBKEYS};

// Settings\Times, Settings\Costs and Settings\Logins, by indicator kind; each holds
// the values of its kind's indicators in the table's order.
constexpr const char* DISPLAY_KEYS[] = {"Times", "Costs", "Logins"};

int RecordsInUse(const CUsageModel& model) {
    if (model.m_entryCount < 0) {
        return 0;
    }
    return model.m_entryCount < RECORD_COUNT ? model.m_entryCount : RECORD_COUNT;
}

bool OpenGeneral(CRegistryKey& product, CRegistryKey& general) {
    return OpenProduct(product) && Open(general, product, GENERAL_KEY);
}

} // namespace

CSettingsStore::CSettingsStore(CUsageModel& model, DisplaySettings& display)
    : m_model(model), m_display(display) {}

BOOL CSettingsStore::CheckRegistryVersion() {
    CRegistryKey product;
    CRegistryKey key;
    BOOL created = FALSE;
    if (OpenProduct(product)) {
        key.Create(product, VERSION_KEY, &created);
    }
    if (created) {
        key.Close();
        product.Close();
        key.DeleteKey(HKEY_CURRENT_USER, PRODUCT_KEY);
    }
    return created;
}

void CSettingsStore::LoadFromRegistry() {
    CRegistryKey product;
    if (!OpenProduct(product)) {
        return;
    }

    CRegistryKey key;
    if (Open(key, product, GENERAL_KEY)) {
        ReadValues(key, GENERAL_VALUES, m_model);
        ReadValues(key, HOLIDAY_VALUES, m_model);
        std::uint32_t day = 0;
        if (ReadDword(key, CURRENT_DAY, day)) {
            m_model.SetCountedDayFromMidnight(LoadedCalendarTime(day));
        }
    }

    std::uint32_t version = 0;
    if (Open(key, product, VERSION_KEY)) {
        ReadDword(key, VERSION_NUMBER, version);
    }

    CRegistryKey settings;
    if (Open(settings, product, "Settings")) {
        for (int kind = KIND_TIMES; kind <= KIND_LOGINS; ++kind) {
            if (!Open(key, settings, DISPLAY_KEYS[kind])) {
                continue;
            }
            for (int i = 0; i < INDICATOR_COUNT; ++i) {
                const IndicatorRow& row = INDICATORS[i];
                IndicatorDisplay& d = m_display.indicators[i];
                if (row.kind != kind) {
                    continue;
                }
                if (row.showSecondsValue != nullptr) {
                    ReadFlag(key, row.showSecondsValue, d.showSeconds);
                }
                if (row.showDaysValue != nullptr) {
                    ReadFlag(key, row.showDaysValue, d.showDays);
                }
                if (row.colourValue != nullptr) {
                    ReadDword(key, row.colourValue, d.textColour);
                }
            }
        }
    }

    CRegistryKey connections;
    if (!Open(connections, product, "Dialup Connections")) {
        return;
    }
    for (int i = 0; i < RecordsInUse(m_model); ++i) {
        ConnectionStats& r = m_model.m_entries[i];
        if (i == 0) {
            r.name = ALL_CONNECTIONS_NAME;
        }
        if (r.name.empty()) {
            continue; // a record without a name has no key of its own
        }
        CRegistryKey record;
        if (!Open(record, connections, RecordKeyName(i, r.name).c_str())) {
            continue;
        }
        for (const StoredKey<ConnectionStats>& figures : FIGURE_KEYS) {
            ReadTree(record, figures, r);
        }
        ReadValues(record, BUDGET_VALUES, r.budget);
        CorrectLoadedBudget(r.budget);
        ReadValues(record, BILLING_VALUES, r);
        const bool chargesOpened = ReadTree(record, CHARGES, r.tariff);
        // Whatever was stored, the periods must cover the day in order, and amounts
        // and flags be ones the program itself writes.
        CorrectLoadedTariff(r.tariff);
        if (!chargesOpened || version >= FORMAT_VERSION) {
            continue;
        }
        // An older format's charges give way to the current form: what was read is
        // written first and only then does the rest of the old key go, so a program
        // killed in between still finds the tariff.
        WriteTree(record, CHARGES, r.tariff);
        PruneTree(record, CHARGES);
    }
}

void CSettingsStore::SaveToRegistry() {
    const CUsageModel& model = m_model;
    CRegistryKey product;
    if (!OpenProduct(product)) {
        return;
    }

    CRegistryKey key;
    if (Open(key, product, VERSION_KEY)) {
        key.SetDwordValue(VERSION_NUMBER, FORMAT_VERSION);
    }

    if (Open(key, product, GENERAL_KEY)) {
        WriteValues(key, GENERAL_VALUES, model);
        key.SetDwordValue(CURRENT_DAY, StoredCalendarTime(model.CountedDayMidnight()));
        WriteValuesWhile(model.m_holidays.Count() > 0, key, HOLIDAY_VALUES, model);
    }

    CRegistryKey settings;
    if (Open(settings, product, "Settings")) {
        for (int kind = KIND_TIMES; kind <= KIND_LOGINS; ++kind) {
            if (!Open(key, settings, DISPLAY_KEYS[kind])) {
                continue;
            }
            for (int i = 0; i < INDICATOR_COUNT; ++i) {
                const IndicatorRow& row = INDICATORS[i];
                const IndicatorDisplay& d = m_display.indicators[i];
                if (row.kind != kind) {
                    continue;
                }
                if (row.showSecondsValue != nullptr) {
                    key.SetDwordValue(row.showSecondsValue, d.showSeconds ? 1 : 0);
                }
                if (row.showDaysValue != nullptr) {
                    key.SetDwordValue(row.showDaysValue, d.showDays ? 1 : 0);
                }
                if (row.colourValue != nullptr) {
                    key.SetDwordValue(row.colourValue, d.textColour);
                }
            }
        }
    }

    CRegistryKey connections;
    if (!Open(connections, product, "Dialup Connections")) {
        return;
    }
    for (int i = 0; i < RecordsInUse(model); ++i) {
        const ConnectionStats& r = model.m_entries[i];
        if (r.name.empty()) {
            continue;
        }
        CRegistryKey record;
        if (!Open(record, connections, RecordKeyName(i, r.name).c_str())) {
            continue;
        }
        for (const StoredKey<ConnectionStats>& figures : FIGURE_KEYS) {
            WriteTree(record, figures, r);
        }
        WriteTree(record, CHARGES, r.tariff);
        WriteValuesWhile(r.budget.IsSet(), record, BUDGET_VALUES, r.budget);
        WriteValuesWhile(r.budget.IsSet(), record, BILLING_VALUES, r);
    }
    SaveRunningCall();
}

void CSettingsStore::SaveRunningCall() {
    CRegistryKey product;
    CRegistryKey key;
    if (!OpenGeneral(product, key)) {
        return;
    }
    RunningCall call;
    if (m_runningCall == nullptr || !m_runningCall->GetRunningCall(call)) {
        key.DeleteValue(CALL_HANDLE);
        key.DeleteValue(CALL_ENTRY);
        for (const StoredValue<RunningCall>& v : CALL_VALUES) {
            key.DeleteValue(v.name);
        }
        return;
    }
    // A handle is pointer-sized: as decimal text it reads the same from either build.
    char handle[24] = {};
    std::to_chars(handle, handle + sizeof handle - 1, call.handle);
    Write(key, CALL_ENTRY, call.entryName);
    WriteValues(key, CALL_VALUES, call);
    key.SetStringValue(CALL_HANDLE, handle);
}

bool CSettingsStore::LoadRunningCall(RunningCall& call) {
    CRegistryKey product;
    CRegistryKey key;
    std::string handle;
    if (!OpenGeneral(product, key) || !ReadText(key, CALL_HANDLE, handle)) {
        return false;
    }
    const char* end = handle.data() + handle.size();
    auto [last, error] = std::from_chars(handle.data(), end, call.handle);
    if (error != std::errc() || last != end || call.handle == 0) {
        return false;
    }
    // An entry name may be longer than a text the key reads in one go.
    char entry[EntryName::capacity() + 2] = {};
    DWORD type = REG_NONE;
    DWORD size = sizeof entry - 1;
    if (RegQueryValueExA(key.Handle(), CALL_ENTRY, nullptr, &type, reinterpret_cast<BYTE*>(entry),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ || entry[0] == '\0') {
        return false;
    }
    call.entryName = entry;
    ReadValues(key, CALL_VALUES, call);
    return true;
}

} // namespace mereth
