#pragma once

#include <string_view>

namespace mereth {

// The typing filters of the Set Charges sheet's number fields; reading and showing
// their values is core/NumberFields.h.

// Whether a money field takes the typed 8-bit character code: digits, one full stop in
// the whole of currentText (a selected '.' still counts) and control characters.
bool DecimalEditAccepts(unsigned int ch, std::string_view currentText);

// Whether a seconds field takes the typed 8-bit character code: digits and control
// characters.
bool IntegerEditAccepts(unsigned int ch);

} // namespace mereth
