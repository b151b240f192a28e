#include "core/win32/ModuleInfo.h"

#include <cstdio>
#include <vector>

namespace mereth {

std::wstring ModuleFileName(HMODULE module) {
    // Paths may be longer than MAX_PATH; the call cuts them short without saying so
    // except by filling the buffer.
    std::wstring path(MAX_PATH, L'\0');
    while (path.size() <= 32768) {
        const DWORD length = GetModuleFileNameW(module, path.data(), DWORD(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
    return {};
}

std::wstring ModuleProductVersion(HMODULE module) {
    const std::wstring path = ModuleFileName(module);
    if (path.empty()) {
        return {};
    }
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    if (size == 0) {
        return {};
    }
    std::vector<BYTE> record(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, record.data())) {
        return {};
    }
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translations), &length) ||
        length < sizeof(Translation)) {
        return {};
    }
    wchar_t query[64];
    std::swprintf(query, std::size(query), L"\\StringFileInfo\\%04x%04x\\ProductVersion",
                  translations->language, translations->codePage);
    wchar_t* text = nullptr;
    if (!VerQueryValueW(record.data(), query, reinterpret_cast<void**>(&text), &length) ||
        length == 0) {
        return {};
    }
    // length counts characters and may include the terminating NUL.
    return std::wstring(text, wcsnlen(text, length));
}

} // namespace mereth
