#pragma once

// CDecimalEdit and CIntegerEdit: the number fields of the Set Charges pages. Each takes
// over an edit control of a page template and drops, with a beep, every typed
// character its field cannot hold:
//
//     m_minimumEdit.Attach(*this, IDC_MINIMUM_CHARGE);   // in the page's OnInitDialog
//
// Pasted text is not filtered; the page's data exchange refuses what it cannot read.

#include "framework/SubclassedWindow.h"

namespace mereth {

// Money: digits, one full stop, control characters.
class CDecimalEdit : public CSubclassedEdit {
protected:
    bool OnChar(UINT ch, UINT repeat, UINT flags) override;
};

// Seconds: digits and control characters.
class CIntegerEdit : public CSubclassedEdit {
protected:
    bool OnChar(UINT ch, UINT repeat, UINT flags) override;
};

} // namespace mereth
