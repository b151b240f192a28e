#pragma once

// The command of a Run value: the text Windows starts at logon.

#include <string>
#include <string_view>

namespace mereth {

// Compares two file paths as the file system does.
using PathsEqual = bool (*)(std::wstring_view, std::wstring_view);

// Whether command (its environment strings expanded) starts the program at path, with
// the path in double quotes or bare, and with or without arguments.
bool CommandStartsProgram(std::wstring_view command, std::wstring_view path, PathsEqual same);

// The command that starts the program at path: the path in double quotes, no arguments.
std::wstring StartCommand(std::wstring_view path);

} // namespace mereth
