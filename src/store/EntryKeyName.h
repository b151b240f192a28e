#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mereth {

// Registry key names are at most 255 characters; any more and the key cannot be made.
constexpr std::size_t MAX_KEY_NAME = 255;

// Key names that begin like this are made by KeyNameOfEntry alone.
constexpr std::string_view SUBSTITUTE_KEY_PREFIX = "~#";

// The key under "Dialup Connections" that holds the record of the entry of this name
// (records 1 to 19; record 0 keeps the aggregate's own name). A name that is a key
// name as it stands is the key name. A name that is not one - empty, longer than 255
// bytes, holding a backslash, equal to the aggregate's name in any case, or beginning
// with the reserved prefix - becomes the prefix and a 128-bit digest of its bytes in
// hex. No name that stands as itself begins with the prefix, so no substitute is ever
// a real entry's key, and the digest makes the same name find the same key after a
// restart.
std::string KeyNameOfEntry(std::string_view entryName);

} // namespace mereth
