#include "store/EntryKeyName.h"

#include "accounting/ConnectionStats.h"

#include <cstdint>

namespace mereth {

namespace {

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Registry key names compare without regard to case.
bool SameKeyName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
            return false;
        }
    }
    return true;
}

bool StandsAsKeyName(std::string_view name) {
    return !name.empty() && name.size() <= MAX_KEY_NAME &&
           name.find('\\') == std::string_view::npos && !SameKeyName(name, ALL_CONNECTIONS_NAME) &&
           !SameKeyName(name.substr(0, SUBSTITUTE_KEY_PREFIX.size()), SUBSTITUTE_KEY_PREFIX);
}

// 64-bit FNV-1a from a given start; two starts make the 128-bit digest.
std::uint64_t Fnv1a(std::string_view bytes, std::uint64_t hash) {
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3ull;
    }
    return hash;
}

void AppendHex(std::string& out, std::uint64_t value) {
    constexpr char DIGITS[] = "0123456789abcdef";
    for (int shift = 60; shift >= 0; shift -= 4) {
        out += DIGITS[(value >> shift) & 0xF];
    }
}

} // namespace

std::string KeyNameOfEntry(std::string_view entryName) {
    if (StandsAsKeyName(entryName)) {
        return std::string(entryName);
    }
    std::string key(SUBSTITUTE_KEY_PREFIX);
    AppendHex(key, Fnv1a(entryName, 0xCBF29CE484222325ull));
    // The second start also takes in the length, so the halves do not move together.
    AppendHex(key, Fnv1a(entryName, 0x84222325CBF29CE4ull ^ entryName.size()));
    return key;
}

} // namespace mereth
