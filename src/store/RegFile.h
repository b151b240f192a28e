#pragma once
// The settings store as a registry file in the form regedit writes and reads
// ("Windows Registry Editor Version 5.00": UTF-16LE with a byte-order mark, CR LF).
// The tree holds the registry's own bytes, so a store written out and read back is
// the same to the byte.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mereth {

// Value types as the registry numbers them.
inline constexpr std::uint32_t REG_TYPE_SZ = 1;
inline constexpr std::uint32_t REG_TYPE_BINARY = 3;
inline constexpr std::uint32_t REG_TYPE_DWORD = 4;

struct RegValue {
    std::u16string name; // empty for the key's default value
    std::uint32_t type = REG_TYPE_SZ;
    std::vector<std::uint8_t> data; // texts are UTF-16LE with their NUL
};

struct RegKey {
    std::u16string path; // below the store's key, parts joined by '\'; empty for the key itself
    std::vector<RegValue> values;
};

// Parents come before their children.
using RegTree = std::vector<RegKey>;

// The key every line of the file names, the store's own.
inline constexpr char16_t REG_STORE_ROOT[] = u"HKEY_CURRENT_USER\\Software\\Brambleway\\Mereth";

// What a file may hold. The store's own values are far below these.
inline constexpr std::size_t REG_MAX_FILE_BYTES = 4 * 1024 * 1024;
inline constexpr std::size_t REG_MAX_NAME = 255;  // characters of a value or key name
inline constexpr std::size_t REG_MAX_TEXT = 2048; // characters of a text
inline constexpr std::size_t REG_MAX_DATA = 4096; // bytes of any other value
inline constexpr std::size_t REG_MAX_DEPTH = 8;   // keys below the store's key
inline constexpr std::size_t REG_MAX_KEYS = 4096;
inline constexpr std::size_t REG_MAX_VALUES = 1024; // of one key

// Why a file was refused, for the message; line 0 when no line is to blame.
struct RegFileProblem {
    int line = 0;
    const char* reason = "";
};

std::vector<std::uint8_t> WriteRegFile(const RegTree& tree);

// Reads a whole file; false, with the first problem found, for one that is not such a
// file, is damaged, names a key outside the store, deletes anything or exceeds the
// limits above. The tree is left empty then.
bool ParseRegFile(const std::vector<std::uint8_t>& file, RegTree& tree, RegFileProblem& problem);

// A parsed tree the store can take: only texts and DWORDs, and the format version
// every save writes, no newer than maxVersion.
bool CheckStoreTree(const RegTree& tree, std::uint32_t maxVersion, RegFileProblem& problem);

// Both of the above: what a restore accepts.
bool ReadStoreFile(const std::vector<std::uint8_t>& file, std::uint32_t maxVersion, RegTree& tree,
                   RegFileProblem& problem);

} // namespace mereth
