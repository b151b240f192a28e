#pragma once

// Runs part of a Wine test program in a second process: the program at exePath,
// limited to the tests matching filter, with markVariable set so that those tests
// know they were started on purpose.

#include <windows.h>

#include <string>

namespace mereth::test {

inline std::string OwnExecutablePath() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

// The child's exit code, or a non-zero code of our own when it could not run or hung.
inline DWORD RunTestProcess(const std::wstring& exePath, const char* filter,
                            const char* markVariable) {
    std::wstring command = L"\"" + exePath + L"\" --gtest_filter=";
    for (const char* c = filter; *c != '\0'; ++c) {
        command += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    SetEnvironmentVariableA(markVariable, "1");
    const BOOL started = CreateProcessW(exePath.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA(markVariable, nullptr);
    if (!started) {
        return 0xFFFF0001u;
    }
    DWORD exitCode = 0xFFFF0002u;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &exitCode);
    } else {
        TerminateProcess(process.hProcess, exitCode);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

// The same for a path in the ANSI code page.
inline DWORD RunTestProcess(const std::string& exePath, const char* filter,
                            const char* markVariable) {
    const int length = MultiByteToWideChar(CP_ACP, 0, exePath.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length - 1 : 0, L'\0');
    if (length > 1) {
        MultiByteToWideChar(CP_ACP, 0, exePath.c_str(), -1, wide.data(), length);
    }
    return RunTestProcess(wide, filter, markVariable);
}

} // namespace mereth::test
