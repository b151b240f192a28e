#include "store/win32/RegistryKey.h"

#include <cstring>
#include <iterator>
#include <string>

namespace mereth {

namespace {

// RegDeleteKey removes only a key without subkeys on NT, so the children go first. By
// their UTF-16 names: a restored key may bear one the ANSI code page cannot spell, and
// such a key, stepped over, would keep its parents from going.
LONG DeleteTree(HKEY root, const wchar_t* subKey) {
    {
        CKeyHandle key; // opened only to find its subkeys
        if (RegOpenKeyExW(root, subKey, 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE,
                          key.Out()) == ERROR_SUCCESS) {
            // Always the first child that is left; one that cannot go is stepped over.
            DWORD index = 0;
            wchar_t name[256]; // a key name has at most 255 characters
            for (;;) {
                DWORD length = static_cast<DWORD>(std::size(name));
                if (RegEnumKeyExW(key.Get(), index, name, &length, nullptr, nullptr, nullptr,
                                  nullptr) != ERROR_SUCCESS) {
                    break;
                }
                if (DeleteTree(key.Get(), name) != ERROR_SUCCESS) {
                    ++index;
                }
            }
        }
    }
    return RegDeleteKeyW(root, subKey);
}

} // namespace

LONG CRegistryKey::Create(HKEY root, const char* subKey, BOOL* created) {
    m_subKey = subKey;
    Close();
    DWORD disposition = 0;
    // No root, no key: refused here rather than left to the registry.
    LONG status = root == nullptr
                      ? ERROR_INVALID_HANDLE
                      : RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, m_key.Out(), &disposition);
    if (status != ERROR_SUCCESS) {
        m_key.Release();
    }
    if (created != nullptr) {
        *created = status == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY;
    }
    return status;
}

void CRegistryKey::Close() {
    m_key.Reset();
}

LONG CRegistryKey::DeleteKey(HKEY root, const char* subKey) {
    const int length = MultiByteToWideChar(CP_ACP, 0, subKey, -1, nullptr, 0);
    if (length <= 0) {
        return ERROR_INVALID_PARAMETER;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, subKey, -1, wide.data(), length);
    return DeleteTree(root, wide.c_str());
}

LONG CRegistryKey::SetDwordValue(const char* name, DWORD value) {
    if (!m_key) {
        return ERROR_INVALID_HANDLE;
    }
    return RegSetValueExA(m_key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value);
}

LONG CRegistryKey::SetStringValue(const char* name, const char* text) {
    if (!m_key) {
        return ERROR_INVALID_HANDLE;
    }
    return RegSetValueExA(m_key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
}

LONG CRegistryKey::SetBinaryValue(const char* name, const void* data, DWORD size) {
    if (!m_key) {
        return ERROR_INVALID_HANDLE;
    }
    return RegSetValueExA(m_key.Get(), name, 0, REG_BINARY, static_cast<const BYTE*>(data), size);
}

LONG CRegistryKey::QueryDwordValue(const char* name, DWORD* value, DWORD* type) {
    if (!m_key) {
        return ERROR_INVALID_HANDLE;
    }
    // Zeroed first: a shorter value fills only its own bytes and is never read past.
    DWORD data = 0;
    DWORD size = sizeof data;
    DWORD storedType = REG_NONE;
    LONG status = RegQueryValueExA(m_key.Get(), name, nullptr, &storedType,
                                   reinterpret_cast<BYTE*>(&data), &size);
    if (status == ERROR_SUCCESS) {
        *value = data;
        if (type != nullptr) {
            *type = storedType;
        }
    }
    return status;
}

LONG CRegistryKey::QueryStringValue(const char* name, std::string& text, DWORD* type) {
    if (!m_key) {
        return ERROR_INVALID_HANDLE;
    }
    // One byte more than the registry may fill, so data without a NUL still ends.
    char buffer[STRING_BUFFER_SIZE + 1] = {};
    DWORD size = STRING_BUFFER_SIZE;
    DWORD storedType = REG_NONE;
    LONG status = RegQueryValueExA(m_key.Get(), name, nullptr, &storedType,
                                   reinterpret_cast<BYTE*>(buffer), &size);
    if (status == ERROR_SUCCESS) {
        text = buffer;
        if (type != nullptr) {
            *type = storedType;
        }
    }
    return status;
}

LONG CRegistryKey::QueryBinaryValue(const char* name, void* data, DWORD* size) {
    if (!m_key) {
        return ERROR_INVALID_HANDLE;
    }
    return RegQueryValueExA(m_key.Get(), name, nullptr, nullptr, static_cast<BYTE*>(data), size);
}

LONG CRegistryKey::DeleteValue(const char* name) {
    if (!m_key) {
        return ERROR_INVALID_HANDLE;
    }
    return RegDeleteValueA(m_key.Get(), name);
}

LONG CRegistryKey::EnumValueName(DWORD index, std::string& name) {
    if (!m_key) {
        return ERROR_INVALID_HANDLE;
    }
    char buffer[16384]; // the longest value name the registry allows, and its NUL
    DWORD length = sizeof buffer;
    LONG status =
        RegEnumValueA(m_key.Get(), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS) {
        name.assign(buffer, length);
    }
    return status;
}

LONG CRegistryKey::EnumSubKeyName(DWORD index, std::string& name) {
    if (!m_key) {
        return ERROR_INVALID_HANDLE;
    }
    char buffer[MAX_PATH];
    DWORD length = sizeof buffer;
    LONG status =
        RegEnumKeyExA(m_key.Get(), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS) {
        name.assign(buffer, length);
    }
    return status;
}

} // namespace mereth
