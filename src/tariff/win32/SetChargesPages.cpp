#include "tariff/win32/SetChargesPages.h"

#include "framework/DataExchange.h"
#include "core/NumberFields.h"
#include "tariff/EntryFields.h"
#include "ui/UserTexts.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace mereth {

namespace {

constexpr int CURRENCY_SYMBOL_LENGTH = 5;
// What the headings hold: "connection fee (" + symbol + ")".
constexpr int HEADING_CAPACITY = 32;

// The user's currency symbol, cut to five characters (never inside a double-byte pair);
// empty if the locale cannot say.
void ReadCurrencySymbol(char (&symbol)[CURRENCY_SYMBOL_LENGTH + 1]) {
    char full[20] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SCURRENCY, full, sizeof full) <= 0) {
        full[0] = '\0';
    }
    int length = 0;
    while (full[length] != '\0') {
        const int step = IsDBCSLeadByte(BYTE(full[length])) && full[length + 1] != '\0' ? 2 : 1;
        if (length + step > CURRENCY_SYMBOL_LENGTH) {
            break;
        }
        length += step;
    }
    for (int i = 0; i < length; ++i) {
        symbol[i] = full[i];
    }
    symbol[length] = '\0';
}

void SetHeading(const CWindow& page, int id, const char* words, const char* symbol) {
    char text[HEADING_CAPACITY];
    std::snprintf(text, sizeof text, "%s(%s)", words, symbol);
    page.GetDlgItem(id).SetWindowText(text);
}

// The controls of one weekday row; up-down 0 where the row has none.
struct WeekdayRow {
    int from, to, upDown, fee, cost, unit;
};
constexpr WeekdayRow WEEKDAY_ROWS[PERIOD_COUNT] = {
    {IDC_WD_FROM1, IDC_WD_TO1, IDC_WD_SPIN1, IDC_WD_FEE1, IDC_WD_COST1, IDC_WD_UNIT1},
    {IDC_WD_FROM2, IDC_WD_TO2, IDC_WD_SPIN2, IDC_WD_FEE2, IDC_WD_COST2, IDC_WD_UNIT2},
    {IDC_WD_FROM3, IDC_WD_TO3, IDC_WD_SPIN3, IDC_WD_FEE3, IDC_WD_COST3, IDC_WD_UNIT3},
    {IDC_WD_FROM4, IDC_WD_TO4, IDC_WD_SPIN4, IDC_WD_FEE4, IDC_WD_COST4, IDC_WD_UNIT4},
    {IDC_WD_FROM5, IDC_WD_TO5, 0, IDC_WD_FEE5, IDC_WD_COST5, IDC_WD_UNIT5},
};

// The order in which the weekday fields are read: periods 2, 1, 3, 4, 5 of each column.
constexpr int WEEKDAY_READ_ORDER[PERIOD_COUNT] = {1, 0, 2, 3, 4};

} // namespace

// General

CSetChargesGenDlg::CSetChargesGenDlg() : CPropertyPage(IDD_CHARGES_GENERAL) {}

void CSetChargesGenDlg::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_MINIMUM_CHARGE, m_values.minimumCharge);
    dx.Radio(IDC_BY_SECOND, m_values.methodOfCharging);
    dx.Check(IDC_CHARGES_MINIMUM, m_values.minimumFlag);
}

bool CSetChargesGenDlg::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    char symbol[CURRENCY_SYMBOL_LENGTH + 1];
    ReadCurrencySymbol(symbol);
    GetDlgItem(IDC_CURRENCY_SYMBOL).SetWindowText(symbol);
    m_minimumEdit.Attach(*this, IDC_MINIMUM_CHARGE);
    GetDlgItem(IDC_MINIMUM_CHARGE).EnableWindow(m_values.minimumFlag != 0);
    return TRUE;
}

void CSetChargesGenDlg::OnMinimumClicked() {
    if (UpdateData(true)) {
        const CWindow field = GetDlgItem(IDC_MINIMUM_CHARGE);
        char text[CDataExchange::TEXT_LIMIT + 1] = {};
        const int length = field.GetWindowText(text, sizeof text);
        float unused = 0.0f;
        if (m_values.minimumFlag != 0 &&
            !ReadDecimalField(std::string_view(text, size_t(length > 0 ? length : 0)), unused)) {
            // The disabled field kept an amount it cannot read back (a damaged store's
            // "-1"): the user starts from 0 rather than from a text that holds the page.
            m_values.minimumCharge = 0.0f;
            UpdateData(false);
        }
        field.EnableWindow(m_values.minimumFlag != 0);
        return;
    }
    // The minimum text could not be read: the box goes back to the flag it stands for,
    // so box, flag and field still agree.
    GetDlgItem(IDC_CHARGES_MINIMUM)
        .SendMessage(BM_SETCHECK, m_values.minimumFlag != 0 ? BST_CHECKED : BST_UNCHECKED);
}

// Monday - Friday

CSetChargesWeekdayDlg::CSetChargesWeekdayDlg() : CPropertyPage(IDD_CHARGES_WEEKDAY) {}

void CSetChargesWeekdayDlg::DoDataExchange(CDataExchange& dx) {
    for (int p : WEEKDAY_READ_ORDER) {
        dx.Text(WEEKDAY_ROWS[p].cost, m_values.unitCost[p]);
    }
    for (int p : WEEKDAY_READ_ORDER) {
        dx.Text(WEEKDAY_ROWS[p].fee, m_values.connectionFee[p]);
    }
    for (int p : WEEKDAY_READ_ORDER) {
        dx.Text(WEEKDAY_ROWS[p].unit, m_values.unitTime[p]);
    }
}

bool CSetChargesWeekdayDlg::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_periods.Load(m_values.periodEnd);
    ShowRows(CWeekdayPeriods::ALL_ROWS);

    char symbol[CURRENCY_SYMBOL_LENGTH + 1];
    ReadCurrencySymbol(symbol);
    SetHeading(*this, IDC_WD_COST_HEADING, "cost charge ", symbol);
    SetHeading(*this, IDC_WD_FEE_HEADING, "connection fee ", symbol);

    for (int p = 0; p < PERIOD_COUNT; ++p) {
        m_feeEdits[p].Attach(*this, WEEKDAY_ROWS[p].fee);
        m_costEdits[p].Attach(*this, WEEKDAY_ROWS[p].cost);
        m_unitEdits[p].Attach(*this, WEEKDAY_ROWS[p].unit);
    }
    UpdateData(false);
    return TRUE;
}

void CSetChargesWeekdayDlg::ShowRows(unsigned rows) {
    for (int row = 1; row <= PERIOD_COUNT; ++row) {
        if (!(rows & (1u << (row - 1)))) {
            continue;
        }
        const WeekdayRow& ids = WEEKDAY_ROWS[row - 1];
        GetDlgItem(ids.from).SetWindowText(m_periods.FromText(row));
        GetDlgItem(ids.to).SetWindowText(m_periods.ToText(row));
        const bool enabled = m_periods.RowEnabled(row);
        if (ids.upDown != 0) {
            const CWindow upDown = GetDlgItem(ids.upDown);
            upDown.SendMessage(
                UDM_SETRANGE, 0,
                MAKELPARAM(CWeekdayPeriods::RangeHigh(row), m_periods.RangeLow(row)));
            upDown.SendMessage(UDM_SETPOS, 0, MAKELPARAM(m_periods.Position(row), 0));
            upDown.EnableWindow(enabled);
        }
        // Row 1 is always open for editing.
        if (row > 1) {
            for (int id : {ids.from, ids.to, ids.fee, ids.cost, ids.unit}) {
                GetDlgItem(id).EnableWindow(enabled);
            }
        }
    }
}

void CSetChargesWeekdayDlg::OnVScroll(UINT, int, HWND upDown) {
    int n = 0;
    for (int row = 1; row < PERIOD_COUNT; ++row) {
        if (upDown && GetDlgItem(WEEKDAY_ROWS[row - 1].upDown).Handle() == upDown) {
            n = row;
        }
    }
    if (n == 0) {
        return;
    }
    // The high word flags an unreadable buddy; these up-downs have none (and Wine sets
    // the flag for that too), so the low word is the position.
    const int position = LOWORD(::SendMessageA(upDown, UDM_GETPOS, 0, 0));
    // The control reports a step and then the end of the scroll at the same position:
    // only a change of position counts, so a bad field complains once per step.
    if (position == m_periods.Position(n)) {
        return;
    }
    // The times follow the up-down first: the message of a field that cannot be read
    // runs a loop in which the end of this scroll arrives, and it must find the step
    // already taken.
    ShowRows(m_periods.OnUpDownChanged(n, position));
    UpdateData(true);
}

bool CSetChargesWeekdayDlg::OnApply() {
    if (!UpdateData(true)) {
        return false;
    }
    m_periods.Ends(m_values.periodEnd);
    return true;
}

// Saturday & Sunday

CSetChargesWeekendDlg::CSetChargesWeekendDlg() : CPropertyPage(IDD_CHARGES_WEEKEND) {}

void CSetChargesWeekendDlg::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_SAT_COST, m_values.saturdayUnitCost);
    dx.Text(IDC_SUN_COST, m_values.sundayUnitCost);
    dx.Text(IDC_SAT_FEE, m_values.saturdayConnectionFee);
    dx.Text(IDC_SUN_FEE, m_values.sundayConnectionFee);
    dx.Text(IDC_SAT_UNIT, m_values.saturdayUnitTime);
    dx.Text(IDC_SUN_UNIT, m_values.sundayUnitTime);
}

bool CSetChargesWeekendDlg::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    char symbol[CURRENCY_SYMBOL_LENGTH + 1];
    ReadCurrencySymbol(symbol);
    SetHeading(*this, IDC_SAT_COST_HEADING, "call charge ", symbol);
    SetHeading(*this, IDC_SUN_COST_HEADING, "call charge ", symbol);
    SetHeading(*this, IDC_SAT_FEE_HEADING, "connection fee ", symbol);
    SetHeading(*this, IDC_SUN_FEE_HEADING, "connection fee ", symbol);

    const int moneyIds[] = {IDC_SAT_COST, IDC_SUN_COST, IDC_SAT_FEE, IDC_SUN_FEE};
    for (int i = 0; i < 4; ++i) {
        m_moneyEdits[i].Attach(*this, moneyIds[i]);
    }
    m_unitEdits[0].Attach(*this, IDC_SAT_UNIT);
    m_unitEdits[1].Attach(*this, IDC_SUN_UNIT);
    for (int id : {IDC_SAT_FROM, IDC_SUN_FROM}) {
        GetDlgItem(id).SetWindowText(CWeekdayPeriods::HalfHourText(0));
    }
    for (int id : {IDC_SAT_TO, IDC_SUN_TO}) {
        GetDlgItem(id).SetWindowText(
            CWeekdayPeriods::HalfHourText(CWeekdayPeriods::HALF_HOURS_PER_DAY));
    }
    UpdateData(false);
    return TRUE;
}

// Budget

namespace {

constexpr std::int32_t ALERT_PERCENT_LIMIT = 1000;

} // namespace

CSetChargesBudgetDlg::CSetChargesBudgetDlg() : CPropertyPage(IDD_CHARGES_BUDGET) {}

void CSetChargesBudgetDlg::DoDataExchange(CDataExchange& dx) {
    dx.Text(IDC_BUDGET_AMOUNT, m_values.amount);
    dx.Text(IDC_BILLING_DAY, m_values.billingDay);
    if (m_values.billingDay < 1 || m_values.billingDay > 31) {
        dx.FailField(IDC_BILLING_DAY, BILLING_DAY_MESSAGE);
    }
    const int alertIds[ALERT_COUNT] = {IDC_FIRST_ALERT, IDC_SECOND_ALERT};
    for (int i = 0; i < ALERT_COUNT; ++i) {
        dx.Text(alertIds[i], m_values.alertPercents[i]);
        if (m_values.alertPercents[i] < 1 || m_values.alertPercents[i] > ALERT_PERCENT_LIMIT) {
            dx.FailField(alertIds[i], ALERT_PERCENT_MESSAGE);
        }
    }
}

bool CSetChargesBudgetDlg::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    char symbol[CURRENCY_SYMBOL_LENGTH + 1];
    ReadCurrencySymbol(symbol);
    GetDlgItem(IDC_BUDGET_CURRENCY).SetWindowText(symbol);
    m_amountEdit.Attach(*this, IDC_BUDGET_AMOUNT);
    m_dayEdit.Attach(*this, IDC_BILLING_DAY);
    m_alertEdits[0].Attach(*this, IDC_FIRST_ALERT);
    m_alertEdits[1].Attach(*this, IDC_SECOND_ALERT);
    GetDlgItem(IDC_BILLING_DAY_SPIN).SendMessage(UDM_SETRANGE, 0, MAKELPARAM(31, 1));
    UpdateData(false);
    return TRUE;
}

// Holidays

CSetChargesHolidaysDlg::CSetChargesHolidaysDlg() : CPropertyPage(IDD_CHARGES_HOLIDAYS) {}

void CSetChargesHolidaysDlg::DoDataExchange(CDataExchange& dx) {
    const CWindow field = GetDlgItem(IDC_HOLIDAY_LIST);
    if (!dx.Saving()) {
        char text[11 * CHolidays::CAPACITY + 1] = {};
        m_values.Format(text, sizeof text);
        // One date a line: the list's blanks become line ends.
        std::string lines;
        for (const char* c = text; *c != '\0'; ++c) {
            lines += *c == ' ' ? std::string("\r\n") : std::string(1, *c);
        }
        field.SetWindowText(lines.c_str());
        return;
    }
    if (dx.Failed()) {
        return;
    }
    const int length = field.SendMessage(WM_GETTEXTLENGTH);
    std::string text(size_t(length > 0 ? length : 0) + 1, '\0');
    text.resize(size_t(field.GetWindowText(text.data(), length + 1)));

    // Each line alone first, so the message can name the one that is wrong.
    std::string all;
    int line = 0;
    std::size_t dates = 0;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string_view one(text.data() + start, end - start);
        ++line;
        while (!one.empty() && (one.back() == '\r' || one.back() == ' ' || one.back() == '\t')) {
            one.remove_suffix(1);
        }
        while (!one.empty() && (one.front() == ' ' || one.front() == '\t')) {
            one.remove_prefix(1);
        }
        if (!one.empty()) {
            CHolidays date;
            if (date.Parse(one) != 0 || date.Count() != 1) {
                char message[sizeof HOLIDAY_LINE_MESSAGE + 16];
                std::snprintf(message, sizeof message, HOLIDAY_LINE_MESSAGE, line);
                dx.FailField(IDC_HOLIDAY_LIST, message);
                return;
            }
            ++dates;
            all.append(one).append(" ");
        }
        start = end + 1;
    }
    if (dates > CHolidays::CAPACITY) {
        char message[sizeof HOLIDAY_COUNT_MESSAGE + 16];
        std::snprintf(message, sizeof message, HOLIDAY_COUNT_MESSAGE, int(CHolidays::CAPACITY));
        dx.FailField(IDC_HOLIDAY_LIST, message);
        return;
    }
    m_values.Parse(all);
}

} // namespace mereth
