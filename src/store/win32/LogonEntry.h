#pragma once

// The per-user Run value that starts Mereth at logon. The installer writes the same
// value: name "Mereth", data the program's full path in double quotes.

#include <windows.h>

#include <string>

namespace mereth {

constexpr const wchar_t* RUN_KEY = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* RUN_VALUE = L"Mereth";

// Whether the value exists and its command starts the program at path (compared
// without regard to case).
bool LogonEntryStarts(const std::wstring& path);
// Makes the value start the program at path, replacing whatever it held.
LONG AddLogonEntry(const std::wstring& path);
// Deletes the value; a value that is not there counts as deleted.
LONG RemoveLogonEntry();

} // namespace mereth
