#pragma once

// Direct access to HKCU\Software\Brambleway\Mereth for the store's tests, through
// the plain registry calls so that the code under test does not check itself.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace mereth::test {

constexpr const char* STORE_KEY = "Software\\Brambleway\\Mereth";

inline std::string StorePath(const std::string& relative) {
    return relative.empty() ? STORE_KEY : std::string(STORE_KEY) + "\\" + relative;
}

// Removes the store with everything in it; true when it is gone.
inline bool ClearStore() {
    LONG status = RegDeleteTreeA(HKEY_CURRENT_USER, STORE_KEY);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

// Clears the store on construction and again at the end of the test.
struct StoreCleaner {
    StoreCleaner() { ClearStore(); }
    ~StoreCleaner() { ClearStore(); }
};

inline bool KeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

// Writes a value of any type and size, creating the key; false on failure.
inline bool PutRaw(const std::string& path, const char* name, DWORD type, const void* data,
                   DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    LONG status = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

inline bool PutDword(const std::string& path, const char* name, DWORD value) {
    return PutRaw(path, name, REG_DWORD, &value, sizeof value);
}

inline bool PutText(const std::string& path, const char* name, const std::string& text) {
    return PutRaw(path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

inline bool DeleteValue(const std::string& path, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return false;
    }
    LONG status = RegDeleteValueA(key, name);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

struct RawValue {
    bool found = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;

    DWORD Dword() const {
        DWORD value = 0;
        for (std::size_t i = 0; i < data.size() && i < 4; ++i) {
            value |= static_cast<DWORD>(data[i]) << (8 * i);
        }
        return value;
    }
    // The bytes as text, NUL included when stored.
    std::string Bytes() const { return std::string(data.begin(), data.end()); }
};

inline RawValue GetRaw(const std::string& path, const char* name) {
    RawValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return value;
    }
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        value.found = RegQueryValueExA(key, name, nullptr, &value.type, value.data.data(), &size) ==
                      ERROR_SUCCESS;
        value.data.resize(size);
    }
    RegCloseKey(key);
    return value;
}

// The tree under path as text: each key as [relative\path], then its values one per
// line, name=dword:0000002a or name=sz:"text" (anything else by type and size), then
// its subkeys. Values and subkeys are sorted by name, case aside, as Wine keeps them,
// so the text does not depend on the order of writes.
inline std::string Folded(const std::string& name) {
    std::string folded = name;
    for (char& c : folded) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return folded;
}

inline void SortByName(std::vector<std::pair<std::string, std::string>>& items) {
    std::sort(items.begin(), items.end(),
              [](const auto& a, const auto& b) { return Folded(a.first) < Folded(b.first); });
}

inline void DumpKey(HKEY key, const std::string& relative, std::string& out) {
    out += "[" + relative + "]\n";
    std::vector<std::pair<std::string, std::string>> values;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name;
        BYTE data[1024];
        DWORD size = sizeof data;
        DWORD type = REG_NONE;
        if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &size) !=
            ERROR_SUCCESS) {
            break;
        }
        std::string line = std::string(name, nameLength) + "=";
        char text[64];
        if (type == REG_DWORD && size == 4) {
            DWORD value = 0;
            memcpy(&value, data, 4);
            std::snprintf(text, sizeof text, "dword:%08lx", static_cast<unsigned long>(value));
            line += text;
        } else if (type == REG_SZ && size > 0 && data[size - 1] == '\0') {
            line += "sz:\"" + std::string(reinterpret_cast<char*>(data), size - 1) + "\"";
        } else {
            std::snprintf(text, sizeof text, "type%lu(%lu bytes)", static_cast<unsigned long>(type),
                          static_cast<unsigned long>(size));
            line += text;
        }
        values.emplace_back(std::string(name, nameLength), line + "\n");
    }
    SortByName(values);
    for (const auto& value : values) {
        out += value.second;
    }

    std::vector<std::pair<std::string, std::string>> subKeys;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name;
        if (RegEnumKeyExA(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        subKeys.emplace_back(std::string(name, nameLength), "");
    }
    SortByName(subKeys);
    for (const auto& subKey : subKeys) {
        HKEY child = nullptr;
        if (RegOpenKeyExA(key, subKey.first.c_str(), 0, KEY_READ, &child) == ERROR_SUCCESS) {
            DumpKey(child, relative.empty() ? subKey.first : relative + "\\" + subKey.first, out);
            RegCloseKey(child);
        }
    }
}

inline std::string DumpStore(const std::string& relative = "") {
    std::string out;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, StorePath(relative).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return "<no key>";
    }
    DumpKey(key, relative, out);
    RegCloseKey(key);
    return out;
}

// Number of values in a dump: every line that is not a key.
inline int CountValues(const std::string& dump) {
    int n = 0;
    bool lineStart = true;
    for (char c : dump) {
        n += lineStart && c != '[';
        lineStart = c == '\n';
    }
    return n;
}

} // namespace mereth::test
