#include "store/win32/SettingsStore.h"

#include "store/AmountText.h"
#include "store/EntryKeyName.h"
#include "store/StoredDate.h"
#include "store/StoredTariff.h"
#include "store/win32/RegistryKey.h"

#include <charconv>
#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>

namespace mereth {

namespace {

const char* const PERIOD_NAMES[] = {"Total", "Today", "Month", "Year", "Conn"};

std::string Under(const std::string& key, const char* name) {
    return key + "\\" + name;
}

// Opens (creating) name under an open parent. Keys are opened one level at a time,
// never by a path from the root, which fails past 260 characters.
bool Open(CRegistryKey& key, const CRegistryKey& parent, const char* name) {
    if (parent.Handle() == nullptr) {
        key.Close();
        return false;
    }
    return key.Create(parent.Handle(), name) == ERROR_SUCCESS;
}

// The key of record i: record 0's is the aggregate's name, every other one's that of
// its entry, substituted where it cannot stand as a key name.
std::string RecordKeyName(int i, const EntryName& name) {
    return i == 0 ? std::string(ALL_CONNECTIONS_NAME) : KeyNameOfEntry(name.view());
}

bool SameAsciiName(const std::string& a, const char* b) {
    return lstrcmpiA(a.c_str(), b) == 0;
}

// Reads take a value only of the type that was written, so a text where a number
// belongs, or the reverse, leaves the member as it was.
void ReadDword(CRegistryKey& key, const char* name, std::uint32_t& member) {
    DWORD value = 0;
    DWORD type = REG_NONE;
    if (key.QueryDwordValue(name, &value, &type) == ERROR_SUCCESS && type == REG_DWORD) {
        member = value;
    }
}

void ReadDword(CRegistryKey& key, const char* name, std::int32_t& member) {
    std::uint32_t value = static_cast<std::uint32_t>(member);
    ReadDword(key, name, value);
    member = static_cast<std::int32_t>(value);
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

template <std::size_t N>
void ReadText(CRegistryKey& key, const char* name, CFixedString<N>& member) {
    std::string text;
    if (ReadText(key, name, text)) {
        member = text;
    }
}

void ReadAmount(CRegistryKey& key, const char* name, float& member) {
    std::string text;
    if (ReadText(key, name, text)) {
        member = ParseAmount(text.c_str());
    }
}

void WriteDword(CRegistryKey& key, const char* name, std::int32_t value) {
    key.SetDwordValue(name, static_cast<DWORD>(value));
}

void WriteAmount(CRegistryKey& key, const char* name, float amount) {
    char text[AMOUNT_TEXT_CAPACITY];
    FormatAmount(amount, text);
    key.SetStringValue(name, text);
}

// The value names of weekday period n (1..5).
struct PeriodNames {
    char end[32];
    char connectionFee[32];
    char unitCost[32];
    char unitTime[32];

    explicit PeriodNames(int n) {
        std::snprintf(end, sizeof end, "Period%dEnd", n);
        std::snprintf(connectionFee, sizeof connectionFee, "Period%dConnectionFee", n);
        std::snprintf(unitCost, sizeof unitCost, "Period%dUnitCost", n);
        std::snprintf(unitTime, sizeof unitTime, "Period%dUnitTime", n);
    }
};

// Times and Costs hold the five periods in this order, Logins the first four.
constexpr TimeFigure ConnectionStats::*TIME_FIGURES[] = {
    &ConnectionStats::totalTime, &ConnectionStats::todayTime, &ConnectionStats::monthTime,
    &ConnectionStats::yearTime, &ConnectionStats::connTime};
constexpr CostFigure ConnectionStats::*COST_FIGURES[] = {
    &ConnectionStats::totalCost, &ConnectionStats::todayCost, &ConnectionStats::monthCost,
    &ConnectionStats::yearCost, &ConnectionStats::connCost};
constexpr std::int32_t ConnectionStats::*LOGIN_FIGURES[] = {
    &ConnectionStats::totalLogins, &ConnectionStats::todayLogins, &ConnectionStats::monthLogins,
    &ConnectionStats::yearLogins};

// Settings\Times, Settings\Costs and Settings\Logins, by indicator kind; each holds
// the values of its kind's indicators in the table's order.
constexpr const char* DISPLAY_KEYS[] = {"Times", "Costs", "Logins"};

// Charges, Charges\Weekday and Charges\Weekend of one record; Weekday and Weekend
// only when Charges itself opened.
void WriteCharges(const CRegistryKey& record, const Tariff& t) {
    CRegistryKey charges;
    if (!Open(charges, record, "Charges")) {
        return;
    }
    WriteDword(charges, "Charge by the Unit", t.chargeByTheUnit);
    WriteDword(charges, "Charges Minimum Amount", t.chargesMinimumAmount);
    WriteAmount(charges, "Minimum Call Charge", t.minimumCallCharge);

    CRegistryKey key;
    if (Open(key, charges, "Weekday")) {
        for (int i = 0; i < PERIOD_COUNT; ++i) {
            PeriodNames names(i + 1);
            WriteDword(key, names.end, t.periodEnd[i]);
            WriteAmount(key, names.connectionFee, t.periodConnectionFee[i]);
            WriteAmount(key, names.unitCost, t.periodUnitCost[i]);
            WriteDword(key, names.unitTime, t.periodUnitTime[i]);
        }
    }
    if (Open(key, charges, "Weekend")) {
        WriteAmount(key, "SaturdayUnitCost", t.saturdayUnitCost);
        WriteAmount(key, "SaturdayConnectionFee", t.saturdayConnectionFee);
        WriteAmount(key, "SundayUnitCost", t.sundayUnitCost);
        WriteAmount(key, "SundayConnectionFee", t.sundayConnectionFee);
        WriteDword(key, "SaturdayUnitTime", t.saturdayUnitTime);
        WriteDword(key, "SundayUnitTime", t.sundayUnitTime);
    }
}

// The value names the current format writes in Charges, Weekday and Weekend.
bool IsChargesValue(const std::string& name) {
    for (const char* known :
         {"Charge by the Unit", "Charges Minimum Amount", "Minimum Call Charge"}) {
        if (SameAsciiName(name, known)) {
            return true;
        }
    }
    return false;
}

bool IsWeekdayValue(const std::string& name) {
    for (int i = 0; i < PERIOD_COUNT; ++i) {
        PeriodNames names(i + 1);
        for (const char* known : {names.end, names.connectionFee, names.unitCost, names.unitTime}) {
            if (SameAsciiName(name, known)) {
                return true;
            }
        }
    }
    return false;
}

bool IsWeekendValue(const std::string& name) {
    for (const char* known : {"SaturdayUnitCost", "SaturdayConnectionFee", "SundayUnitCost",
                              "SundayConnectionFee", "SaturdayUnitTime", "SundayUnitTime"}) {
        if (SameAsciiName(name, known)) {
            return true;
        }
    }
    return false;
}

// Removes from an open key every value the current format does not write and every
// subkey not in keep (null: none kept).
void Prune(CRegistryKey& key, bool (*isKnownValue)(const std::string&),
           std::initializer_list<const char*> keep) {
    std::string name;
    for (DWORD index = 0; key.EnumValueName(index, name) == ERROR_SUCCESS;) {
        if (isKnownValue(name) || key.DeleteValue(name.c_str()) != ERROR_SUCCESS) {
            ++index;
        }
    }
    for (DWORD index = 0; key.EnumSubKeyName(index, name) == ERROR_SUCCESS;) {
        bool kept = false;
        for (const char* k : keep) {
            kept = kept || SameAsciiName(name, k);
        }
        if (kept || key.DeleteKey(key.Handle(), name.c_str()) != ERROR_SUCCESS) {
            ++index;
        }
    }
}

// What an older format kept in a record's charges besides what this one writes. Runs
// after the tariff has been written in the current form, so at no moment is a record
// without its tariff.
void PruneOlderCharges(const CRegistryKey& record) {
    CRegistryKey charges;
    if (!Open(charges, record, "Charges")) {
        return;
    }
    Prune(charges, IsChargesValue, {"Weekday", "Weekend"});
    CRegistryKey key;
    if (Open(key, charges, "Weekday")) {
        Prune(key, IsWeekdayValue, {});
    }
    if (Open(key, charges, "Weekend")) {
        Prune(key, IsWeekendValue, {});
    }
}

// Returns false when the record's Charges key did not open.
bool ReadCharges(const CRegistryKey& record, Tariff& t) {
    CRegistryKey charges;
    if (!Open(charges, record, "Charges")) {
        return false;
    }
    ReadDword(charges, "Charge by the Unit", t.chargeByTheUnit);
    ReadDword(charges, "Charges Minimum Amount", t.chargesMinimumAmount);
    ReadAmount(charges, "Minimum Call Charge", t.minimumCallCharge);

    CRegistryKey key;
    if (Open(key, charges, "Weekday")) {
        for (int i = 0; i < PERIOD_COUNT; ++i) {
            PeriodNames names(i + 1);
            ReadDword(key, names.end, t.periodEnd[i]);
            ReadAmount(key, names.unitCost, t.periodUnitCost[i]);
            ReadAmount(key, names.connectionFee, t.periodConnectionFee[i]);
            ReadDword(key, names.unitTime, t.periodUnitTime[i]);
        }
    }
    if (Open(key, charges, "Weekend")) {
        ReadAmount(key, "SaturdayUnitCost", t.saturdayUnitCost);
        ReadAmount(key, "SaturdayConnectionFee", t.saturdayConnectionFee);
        ReadDword(key, "SaturdayUnitTime", t.saturdayUnitTime);
        ReadAmount(key, "SundayUnitCost", t.sundayUnitCost);
        ReadAmount(key, "SundayConnectionFee", t.sundayConnectionFee);
        ReadDword(key, "SundayUnitTime", t.sundayUnitTime);
    }
    return true;
}

int RecordsInUse(const CUsageModel& model) {
    if (model.m_entryCount < 0) {
        return 0;
    }
    return model.m_entryCount < RECORD_COUNT ? model.m_entryCount : RECORD_COUNT;
}

} // namespace

CSettingsStore::CSettingsStore(CUsageModel& model, DisplaySettings& display)
    : m_model(model), m_display(display) {}

BOOL CSettingsStore::CheckRegistryVersion() {
    CRegistryKey key;
    BOOL created = FALSE;
    key.Create(HKEY_CURRENT_USER, Under(PRODUCT_KEY, "Version").c_str(), &created);
    if (created) {
        key.Close();
        key.DeleteKey(HKEY_CURRENT_USER, PRODUCT_KEY);
    }
    return created;
}

void CSettingsStore::LoadFromRegistry() {
    const std::string product = PRODUCT_KEY;
    CRegistryKey key;
    if (key.Create(HKEY_CURRENT_USER, product.c_str()) != ERROR_SUCCESS) {
        return;
    }

    if (key.Create(HKEY_CURRENT_USER, Under(product, "General").c_str()) == ERROR_SUCCESS) {
        ReadText(key, "Selected Dial-up Connection", m_model.m_selectedEntryName);
        ReadDword(key, "Current Year", m_model.m_currentYear);
        ReadDword(key, "Current Month", m_model.m_currentMonth);
        DWORD day = 0;
        DWORD type = REG_NONE;
        if (key.QueryDwordValue("Current Day", &day, &type) == ERROR_SUCCESS && type == REG_DWORD) {
            m_model.SetCountedDayFromMidnight(LoadedCalendarTime(day));
        }
    }

    std::uint32_t version = 0;
    if (key.Create(HKEY_CURRENT_USER, Under(product, "Version").c_str()) == ERROR_SUCCESS) {
        ReadDword(key, "Version Number", version);
    }

    const std::string settings = Under(product, "Settings");
    if (key.Create(HKEY_CURRENT_USER, settings.c_str()) == ERROR_SUCCESS) {
        for (int kind = KIND_TIMES; kind <= KIND_LOGINS; ++kind) {
            if (key.Create(HKEY_CURRENT_USER, Under(settings, DISPLAY_KEYS[kind]).c_str()) !=
                ERROR_SUCCESS) {
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

    CRegistryKey productKey;
    CRegistryKey connections;
    if (productKey.Create(HKEY_CURRENT_USER, PRODUCT_KEY) != ERROR_SUCCESS ||
        !Open(connections, productKey, "Dialup Connections")) {
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
        if (Open(key, record, "Times")) {
            ReadText(key, "Start Date", r.startDate);
            for (std::size_t p = 0; p < std::size(TIME_FIGURES); ++p) {
                ReadDword(key, PERIOD_NAMES[p], (r.*TIME_FIGURES[p]).value);
            }
        }
        if (Open(key, record, "Costs")) {
            for (std::size_t p = 0; p < std::size(COST_FIGURES); ++p) {
                ReadAmount(key, PERIOD_NAMES[p], (r.*COST_FIGURES[p]).value);
            }
        }
        if (Open(key, record, "Logins")) {
            for (std::size_t p = 0; p < std::size(LOGIN_FIGURES); ++p) {
                ReadDword(key, PERIOD_NAMES[p], r.*LOGIN_FIGURES[p]);
            }
        }
        const bool chargesOpened = ReadCharges(record, r.tariff);
        // Whatever was stored, the periods must cover the day in order, and amounts
        // and flags be ones the program itself writes.
        CorrectLoadedTariff(r.tariff);
        if (!chargesOpened || version >= FORMAT_VERSION) {
            continue;
        }
        // An older format's charges give way to the current form: what was read is
        // written first and only then does the rest of the old key go, so a program
        // killed in between still finds the tariff.
        WriteCharges(record, r.tariff);
        PruneOlderCharges(record);
    }
}

void CSettingsStore::SaveToRegistry() {
    const CUsageModel& model = m_model;
    const std::string product = PRODUCT_KEY;
    CRegistryKey key;
    if (key.Create(HKEY_CURRENT_USER, product.c_str()) != ERROR_SUCCESS) {
        return;
    }

    if (key.Create(HKEY_CURRENT_USER, Under(product, "Version").c_str()) == ERROR_SUCCESS) {
        key.SetDwordValue("Version Number", FORMAT_VERSION);
    }

    if (key.Create(HKEY_CURRENT_USER, Under(product, "General").c_str()) == ERROR_SUCCESS) {
        key.SetStringValue("Selected Dial-up Connection", model.m_selectedEntryName.c_str());
        WriteDword(key, "Current Year", model.m_currentYear);
        WriteDword(key, "Current Month", model.m_currentMonth);
        key.SetDwordValue("Current Day", StoredCalendarTime(model.CountedDayMidnight()));
    }

    const std::string settings = Under(product, "Settings");
    if (key.Create(HKEY_CURRENT_USER, settings.c_str()) == ERROR_SUCCESS) {
        for (int kind = KIND_TIMES; kind <= KIND_LOGINS; ++kind) {
            if (key.Create(HKEY_CURRENT_USER, Under(settings, DISPLAY_KEYS[kind]).c_str()) !=
                ERROR_SUCCESS) {
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

    CRegistryKey productKey;
    CRegistryKey connections;
    if (productKey.Create(HKEY_CURRENT_USER, PRODUCT_KEY) != ERROR_SUCCESS ||
        !Open(connections, productKey, "Dialup Connections")) {
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
        if (Open(key, record, "Times")) {
            key.SetStringValue("Start Date", r.startDate.c_str());
            for (std::size_t p = 0; p < std::size(TIME_FIGURES); ++p) {
                WriteDword(key, PERIOD_NAMES[p], (r.*TIME_FIGURES[p]).value);
            }
        }
        if (Open(key, record, "Costs")) {
            for (std::size_t p = 0; p < std::size(COST_FIGURES); ++p) {
                WriteAmount(key, PERIOD_NAMES[p], (r.*COST_FIGURES[p]).value);
            }
        }
        if (Open(key, record, "Logins")) {
            for (std::size_t p = 0; p < std::size(LOGIN_FIGURES); ++p) {
                WriteDword(key, PERIOD_NAMES[p], r.*LOGIN_FIGURES[p]);
            }
        }
        WriteCharges(record, r.tariff);
    }
    SaveRunningCall();
}

namespace {

// The running call's values under General, written after the figures they go with.
const char* const CALL_HANDLE = "Call Handle";
const char* const CALL_ENTRY = "Call Entry";
const char* const CALL_START = "Call Start";
const char* const CALL_SEGMENT_START = "Call Segment Start";
const char* const CALL_SEGMENT_SECONDS = "Call Segment Seconds";
const char* const CALL_SEGMENT_COST = "Call Segment Cost";
const char* const CALL_UNIT_COST = "Call Unit Cost";
const char* const CALL_UNIT_TIME = "Call Unit Time";

bool OpenGeneral(CRegistryKey& key) {
    return key.Create(HKEY_CURRENT_USER, Under(CSettingsStore::PRODUCT_KEY, "General").c_str()) ==
           ERROR_SUCCESS;
}

} // namespace

void CSettingsStore::SaveRunningCall() {
    CRegistryKey key;
    if (!OpenGeneral(key)) {
        return;
    }
    RunningCall call;
    if (m_runningCall == nullptr || !m_runningCall->GetRunningCall(call)) {
        for (const char* name :
             {CALL_HANDLE, CALL_ENTRY, CALL_START, CALL_SEGMENT_START, CALL_SEGMENT_SECONDS,
              CALL_SEGMENT_COST, CALL_UNIT_COST, CALL_UNIT_TIME}) {
            key.DeleteValue(name);
        }
        return;
    }
    // A handle is pointer-sized: as decimal text it reads the same from either build.
    char handle[24] = {};
    std::to_chars(handle, handle + sizeof handle - 1, call.handle);
    key.SetStringValue(CALL_ENTRY, call.entryName.c_str());
    key.SetDwordValue(CALL_START, StoredCalendarTime(call.start));
    key.SetDwordValue(CALL_SEGMENT_START, StoredCalendarTime(call.segmentStart));
    WriteDword(key, CALL_SEGMENT_SECONDS, call.segmentSeconds);
    WriteAmount(key, CALL_SEGMENT_COST, call.segmentCost);
    WriteAmount(key, CALL_UNIT_COST, call.unitCost);
    WriteDword(key, CALL_UNIT_TIME, call.unitTime);
    // The handle last: a save cut short before it names no call.
    key.SetStringValue(CALL_HANDLE, handle);
}

bool CSettingsStore::LoadRunningCall(RunningCall& call) {
    CRegistryKey key;
    std::string handle;
    if (!OpenGeneral(key) || !ReadText(key, CALL_HANDLE, handle)) {
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
    std::uint32_t start = 0;
    std::uint32_t segmentStart = 0;
    ReadDword(key, CALL_START, start);
    ReadDword(key, CALL_SEGMENT_START, segmentStart);
    call.start = LoadedCalendarTime(start);
    call.segmentStart = LoadedCalendarTime(segmentStart);
    ReadDword(key, CALL_SEGMENT_SECONDS, call.segmentSeconds);
    ReadAmount(key, CALL_SEGMENT_COST, call.segmentCost);
    ReadAmount(key, CALL_UNIT_COST, call.unitCost);
    ReadDword(key, CALL_UNIT_TIME, call.unitTime);
    return true;
}

} // namespace mereth
