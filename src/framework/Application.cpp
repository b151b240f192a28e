#include "framework/Application.h"

#include <commctrl.h>

#include <cstring>

namespace mereth {

CApplication* CApplication::s_current = nullptr;

CApplication::~CApplication() {
    if (s_current == this) {
        s_current = nullptr;
    }
}

int CApplication::Run() {
    MSG msg;
    BOOL got;
    while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0 && got != -1) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return got == 0 ? int(msg.wParam) : -1;
}

const char* CApplication::Name() const {
    if (m_name) {
        return m_name;
    }
    if (!m_moduleName[0]) {
        char path[MAX_PATH];
        const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
        if (length == 0 || length >= sizeof path) {
            return "";
        }
        const char* base = path;
        for (const char* p = path; *p; ++p) {
            if (*p == '\\' || *p == '/') {
                base = p + 1;
            }
        }
        lstrcpynA(m_moduleName, base, sizeof m_moduleName);
        if (char* dot = std::strrchr(m_moduleName, '.')) {
            *dot = '\0';
        }
    }
    return m_moduleName;
}

int RunApplication(CApplication& app, HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    app.m_instance = instance ? instance : GetModuleHandleA(nullptr);
    CApplication::s_current = &app;
    const int code = app.InitInstance() ? app.Run() : 0;
    const int exitCode = app.ExitInstance(code);
    app.m_mainWnd = nullptr;
    CApplication::s_current = nullptr;
    return exitCode;
}

HINSTANCE ResourceInstance() {
    CApplication* app = CApplication::Current();
    return app && app->Instance() ? app->Instance() : GetModuleHandleA(nullptr);
}

} // namespace mereth
