#include "store/win32/LogonEntry.h"

#include "core/win32/Handles.h"
#include "store/RunCommand.h"

#include <string_view>

namespace mereth {

namespace {

bool SamePath(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), int(a.size()), b.data(), int(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// The value's command with environment strings expanded; empty when it is missing or
// not a string.
std::wstring ReadRunCommand() {
    CKeyHandle key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, RUN_KEY, 0, KEY_QUERY_VALUE, key.Out()) != ERROR_SUCCESS) {
        return {};
    }
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), RUN_VALUE, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return {};
    }
    std::wstring command(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.Get(), RUN_VALUE, nullptr, &type,
                         reinterpret_cast<BYTE*>(command.data()), &size) != ERROR_SUCCESS) {
        return {};
    }
    // The stored data need not end with a NUL, or may hold several.
    command.resize(wcsnlen(command.c_str(), size / sizeof(wchar_t)));
    if (type == REG_EXPAND_SZ) {
        const DWORD length = ExpandEnvironmentStringsW(command.c_str(), nullptr, 0);
        if (length == 0) {
            return {};
        }
        std::wstring expanded(length, L'\0');
        if (ExpandEnvironmentStringsW(command.c_str(), expanded.data(), length) == 0) {
            return {};
        }
        expanded.resize(wcsnlen(expanded.c_str(), length));
        return expanded;
    }
    return command;
}

} // namespace

bool LogonEntryStarts(const std::wstring& path) {
    return CommandStartsProgram(ReadRunCommand(), path, SamePath);
}

LONG AddLogonEntry(const std::wstring& path) {
    CKeyHandle key;
    LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, RUN_KEY, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  key.Out(), nullptr);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    const std::wstring command = StartCommand(path);
    return RegSetValueExW(key.Get(), RUN_VALUE, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(command.c_str()),
                          DWORD((command.size() + 1) * sizeof(wchar_t)));
}

LONG RemoveLogonEntry() {
    CKeyHandle key;
    LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, RUN_KEY, 0, KEY_SET_VALUE, key.Out());
    if (status == ERROR_SUCCESS) {
        status = RegDeleteValueW(key.Get(), RUN_VALUE);
    }
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

} // namespace mereth
