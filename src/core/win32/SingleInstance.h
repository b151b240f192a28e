#pragma once

// CSingleInstance: one monitor per logon. A second one would count every call twice
// and overwrite the first one's figures at exit, so a program that finds itself second
// wakes the running one (which shows its window) and ends.

#include "core/win32/Handles.h"

namespace mereth {

class CSingleInstance {
public:
    explicit CSingleInstance(const char* name);
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // False when another process (or object) of the same name runs already. When the
    // name cannot be claimed at all, the program runs rather than not at all.
    bool IsFirst() const { return m_first; }

    // Asks the running instance's main window to show itself.
    static bool WakeRunning();
    // The message that wakes it: every top-level window receives it.
    static UINT WakeMessage();

private:
    CKernelHandle m_mutex;
    bool m_first = true;
};

} // namespace mereth
