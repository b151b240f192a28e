#pragma once

// CSingleInstance: one monitor per logon. A second one would count every call twice
// and overwrite the first one's figures at exit, so a program that finds itself second
// wakes the running one (which shows its window) and ends.
//
// Two copies started together race: the one that gives way may wake the other before
// its window exists, and a broadcast reaches only windows that exist. So the wake-up is
// also left as a flag (a named event) that the running copy reads once its window is up,
// and the copy that gives way waits a while for that window before it broadcasts.

#include "core/win32/Handles.h"

#include <string>

namespace mereth {

class CSingleInstance {
public:
    // How long a copy that gives way waits for the running copy's window.
    static constexpr DWORD WAKE_WAIT_MS = 5000;

    explicit CSingleInstance(const char* name);
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // False when another process (or object) of the same name runs already. When the
    // name cannot be claimed at all, the program runs rather than not at all.
    bool IsFirst() const { return m_first; }

    // The running copy, once its main window exists: later wake-ups are broadcast at
    // once. True when a copy that gave way asked for the window before (taken here).
    bool AnnounceWindow();
    // The copy that gives way: leaves its wake-up for the running copy, waits up to
    // waitMs for that copy's window, then asks it to show itself.
    bool WakeRunning(DWORD waitMs = WAKE_WAIT_MS);
    // The message that wakes it: every top-level window receives it.
    static UINT WakeMessage();

private:
    CKernelHandle m_mutex;
    bool m_first;
    CKernelHandle m_windowUp;  // set while the running copy's window exists
    CKernelHandle m_wakeAsked; // set by a copy that gave way, taken by the running one
};

} // namespace mereth
