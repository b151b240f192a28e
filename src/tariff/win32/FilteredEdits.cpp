#include "tariff/win32/FilteredEdits.h"

#include "tariff/EntryFields.h"

#include <string>
#include <string_view>

namespace mereth {

namespace {

bool Refuse() {
    Beep(0, 0);
    return false;
}

} // namespace

bool CDecimalEdit::OnChar(UINT ch, UINT, UINT) {
    // The whole text counts, selection included: a selected '.' still refuses another.
    char shortText[64];
    const int length = int(SendMessage(WM_GETTEXTLENGTH));
    if (length < int(sizeof shortText)) {
        const int got = GetWindowText(shortText, sizeof shortText);
        return DecimalEditAccepts(ch, std::string_view(shortText, size_t(got > 0 ? got : 0)))
                   ? true
                   : Refuse();
    }
    // The field sets no limit; a long pasted text is rare enough to be copied whole.
    std::string text(size_t(length) + 1, '\0');
    const int got = GetWindowText(text.data(), length + 1);
    text.resize(size_t(got > 0 ? got : 0));
    return DecimalEditAccepts(ch, text) ? true : Refuse();
}

bool CIntegerEdit::OnChar(UINT ch, UINT, UINT) {
    return IntegerEditAccepts(ch) ? true : Refuse();
}

} // namespace mereth
