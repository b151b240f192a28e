#include "tariff/EntryFields.h"

namespace mereth {

namespace {

constexpr unsigned int FIRST_PRINTABLE = 32;

} // namespace

bool DecimalEditAccepts(unsigned int ch, std::string_view currentText) {
    if (ch == '.') {
        return currentText.find('.') == std::string_view::npos;
    }
    return ch < FIRST_PRINTABLE || (ch >= '0' && ch <= '9');
}

bool IntegerEditAccepts(unsigned int ch) {
    return ch < FIRST_PRINTABLE || (ch >= '0' && ch <= '9');
}

} // namespace mereth
