#pragma once

// CApplication: the one application object. The program derives from it, overrides
// InitInstance and calls RunApplication from its WinMain:
//
//     CMonitorApp theApp;
//     int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
//         return mereth::RunApplication(theApp, instance);
//     }
//
// InitInstance returns false to end the program at once (a dialog-based program runs
// its main dialog modally inside InitInstance) or true to run the message loop until
// WM_QUIT. Only one application object exists at a time.

#include <windows.h>

namespace mereth {

class CWnd;

class CApplication {
public:
    explicit CApplication(const char* name = nullptr) : m_name(name) {}
    virtual ~CApplication();
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    virtual bool InitInstance() { return false; }
    // The message loop; returns WM_QUIT's exit code.
    virtual int Run();
    // Called after InitInstance or Run; its result is the process exit code.
    virtual int ExitInstance(int code) { return code; }

    // The main window: the owner of dialogs and sheets run without an explicit parent.
    CWnd* m_mainWnd = nullptr;

    // Caption of message boxes; the executable's base name when none was given.
    const char* Name() const;
    HINSTANCE Instance() const { return m_instance; }

    // The application being run, or null outside RunApplication.
    static CApplication* Current() { return s_current; }

private:
    friend int RunApplication(CApplication& app, HINSTANCE instance);
    const char* m_name;
    mutable char m_moduleName[MAX_PATH] = {};
    HINSTANCE m_instance = nullptr;
    static CApplication* s_current;
};

// Initialises the common controls, runs InitInstance (and Run if it returns true) and
// returns the exit code.
int RunApplication(CApplication& app, HINSTANCE instance = nullptr);

// The module that holds the dialog, menu, icon and string resources.
HINSTANCE ResourceInstance();

} // namespace mereth
