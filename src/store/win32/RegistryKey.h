#pragma once

#include "core/win32/Handles.h"

#include <string>

namespace mereth {

// One open registry key. Every operation is one registry call whose status is handed
// back unchanged (ERROR_SUCCESS is 0); nothing is cached, retried or reported. One
// object is reused for a sequence of keys and holds only the last one opened.
class CRegistryKey {
public:
    CRegistryKey() = default;
    ~CRegistryKey() { Close(); }
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Opens the key, creating it and every missing key on its path. The key held
    // before is closed first. created, when given, is TRUE only if this call made it.
    LONG Create(HKEY root, const char* subKey, BOOL* created = nullptr);
    // The same under the key parent holds (never this object); ERROR_INVALID_HANDLE
    // when it holds none.
    LONG Create(const CRegistryKey& parent, const char* subKey, BOOL* created = nullptr) {
        return Create(parent.Handle(), subKey, created);
    }
    void Close();

    // Deletes the key with all its subkeys (deepest first) and values. Does not
    // touch the key this object holds.
    LONG DeleteKey(HKEY root, const char* subKey);

    LONG SetDwordValue(const char* name, DWORD value);
    // REG_SZ with its terminating NUL.
    LONG SetStringValue(const char* name, const char* text);
    LONG SetBinaryValue(const char* name, const void* data, DWORD size);

    // The value's first four bytes; data shorter than that is zero-extended. value
    // and type are left alone on failure; type, when given, receives the stored type.
    LONG QueryDwordValue(const char* name, DWORD* value, DWORD* type = nullptr);
    // Up to 200 bytes of data, read up to its first NUL; longer data fails with
    // ERROR_MORE_DATA. text and type are left alone on failure.
    LONG QueryStringValue(const char* name, std::string& text, DWORD* type = nullptr);
    // size: the buffer's size in, the data's size out.
    LONG QueryBinaryValue(const char* name, void* data, DWORD* size);

    // Removes one value of the key held.
    LONG DeleteValue(const char* name);
    // The name of the index-th value or subkey of the key held, for a walk over them.
    LONG EnumValueName(DWORD index, std::string& name);
    LONG EnumSubKeyName(DWORD index, std::string& name);

    HKEY Handle() const { return m_key.Get(); }
    const std::string& SubKey() const { return m_subKey; }

    static constexpr DWORD STRING_BUFFER_SIZE = 200;

private:
    CKeyHandle m_key;
    std::string m_subKey;
};

} // namespace mereth
