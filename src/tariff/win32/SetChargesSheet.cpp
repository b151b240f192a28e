#include "tariff/win32/SetChargesSheet.h"

#include "tariff/ChargesSheetModel.h"
#include "tariff/win32/SetChargesPages.h"

#include <commctrl.h>

#include <string>

namespace mereth {

bool RunSetChargesSheet(CWnd* owner, const char* recordName, Tariff& tariff, Budget& budget,
                        CHolidays& holidays, const std::function<void()>& beforeApply) {
    // The weekday page's up-downs need their class before the page is made.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);

    const ChargesSheetValues given = CopyIntoSheet(tariff);
    CSetChargesGenDlg general;
    CSetChargesWeekdayDlg weekday;
    CSetChargesWeekendDlg weekend;
    general.m_values = given.general;
    weekday.m_values = given.weekday;
    weekend.m_values = given.weekend;
    CSetChargesBudgetDlg budgetPage;
    CSetChargesHolidaysDlg holidaysPage;
    budgetPage.m_values = budget;
    holidaysPage.m_values = holidays;

    const std::string caption =
        std::string("Set Telephone Charges for ") + (recordName ? recordName : "");
    CPropertySheet sheet(caption.c_str(), owner);
    sheet.AddPage(general);
    sheet.AddPage(weekday);
    sheet.AddPage(weekend);
    sheet.AddPage(budgetPage);
    sheet.AddPage(holidaysPage);
    if (sheet.DoModal() != IDOK) {
        return false;
    }
    // Budget and holidays price nothing already counted: no segment to close for them.
    budget = budgetPage.m_values;
    holidays = holidaysPage.m_values;

    const ChargesSheetValues taken{general.m_values, weekday.m_values, weekend.m_values};
    Tariff edited = tariff;
    CopyOutOfSheet(taken, edited);
    if (!(edited == tariff)) {
        // A call being charged closes its segment under the old tariff first, so the
        // new one applies from now on and never reprices time already counted.
        if (beforeApply) {
            beforeApply();
        }
        tariff = edited;
    }
    return true;
}

} // namespace mereth
