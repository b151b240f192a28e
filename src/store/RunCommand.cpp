#include "store/RunCommand.h"

namespace mereth {

namespace {
bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}
} // namespace

bool CommandStartsProgram(std::wstring_view command, std::wstring_view path, PathsEqual same) {
    while (!command.empty() && IsBlank(command.front())) {
        command.remove_prefix(1);
    }
    if (path.empty() || command.empty()) {
        return false;
    }
    if (command.front() == L'"') {
        command.remove_prefix(1);
        return same(command.substr(0, command.find(L'"')), path);
    }
    // Bare, a path with blanks is ambiguous: Windows tries it up to each blank in turn,
    // so it is ours when our whole path comes first and ends there.
    if (command.size() < path.size() ||
        (command.size() > path.size() && !IsBlank(command[path.size()]))) {
        return false;
    }
    return same(command.substr(0, path.size()), path);
}

std::wstring StartCommand(std::wstring_view path) {
    std::wstring command;
    command.reserve(path.size() + 2);
    command += L'"';
    command += path;
    command += L'"';
    return command;
}

} // namespace mereth
