#pragma once

// The pages of the Set Charges sheet, on templates 145 to 149. Each holds
// the values it edits (see tariff/ChargesSheetModel.h): the sheet's owner fills them
// before the run and takes them back after OK. A page never shown keeps what it got.

#include "framework/PropertySheet.h"
#include "res/resource.h"
#include "tariff/Budget.h"
#include "tariff/ChargesSheetModel.h"
#include "tariff/WeekdayPeriods.h"
#include "tariff/win32/FilteredEdits.h"

namespace mereth {

// The method of charging and the minimum call charge.
class CSetChargesGenDlg : public CPropertyPage {
public:
    CSetChargesGenDlg();

    GeneralPageValues m_values;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;

private:
    void OnMinimumClicked();

    CDecimalEdit m_minimumEdit;

    static constexpr MessageEntry MESSAGE_ENTRIES[] = {
        OnCommand<&CSetChargesGenDlg::OnMinimumClicked>(IDC_CHARGES_MINIMUM, BN_CLICKED),
    };
    static constexpr MessageMap MESSAGE_MAP{MESSAGE_ENTRIES, &CPropertyPage::MESSAGE_MAP};
    const MessageMap& GetMessageMap() const override { return MESSAGE_MAP; }
};

// Five weekday periods: their ends on up-downs in half hours, fees, unit costs and
// unit times.
class CSetChargesWeekdayDlg : public CPropertyPage {
public:
    CSetChargesWeekdayDlg();

    WeekdayPageValues m_values;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    bool OnApply() override;

private:
    void OnVScroll(UINT code, int position, HWND scrollBar);
    // Mirrors the rows of the period model whose bits are set into the controls.
    void ShowRows(unsigned rows);

    CWeekdayPeriods m_periods;
    CDecimalEdit m_feeEdits[PERIOD_COUNT];
    CDecimalEdit m_costEdits[PERIOD_COUNT];
    CIntegerEdit m_unitEdits[PERIOD_COUNT];

    static constexpr MessageEntry MESSAGE_ENTRIES[] = {
        On<WM_VSCROLL, &CSetChargesWeekdayDlg::OnVScroll>(),
    };
    static constexpr MessageMap MESSAGE_MAP{MESSAGE_ENTRIES, &CPropertyPage::MESSAGE_MAP};
    const MessageMap& GetMessageMap() const override { return MESSAGE_MAP; }
};

// Saturday and Sunday, one rate each for the whole day.
class CSetChargesWeekendDlg : public CPropertyPage {
public:
    CSetChargesWeekendDlg();

    WeekendPageValues m_values;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;

private:
    CDecimalEdit m_moneyEdits[4];
    CIntegerEdit m_unitEdits[2];
};

// The record's budget: amount, the day its billing period starts and the two alerts.
class CSetChargesBudgetDlg : public CPropertyPage {
public:
    CSetChargesBudgetDlg();

    Budget m_values;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;

private:
    CDecimalEdit m_amountEdit;
    CIntegerEdit m_dayEdit;
    CIntegerEdit m_alertEdits[ALERT_COUNT];
};

// The dates priced at the Sunday rate, one a line. A line that is not a date keeps the
// user on the page with its number: a typed date is never dropped unseen.
class CSetChargesHolidaysDlg : public CPropertyPage {
public:
    CSetChargesHolidaysDlg();

    CHolidays m_values;

protected:
    void DoDataExchange(CDataExchange& dx) override;
};

} // namespace mereth
