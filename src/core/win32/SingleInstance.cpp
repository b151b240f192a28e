#include "core/win32/SingleInstance.h"

namespace mereth {

namespace {

HANDLE CreateNamedEvent(const char* name, const char* suffix, BOOL manualReset) {
    const std::string full = std::string(name) + suffix;
    return ::CreateEventA(nullptr, manualReset, FALSE, full.c_str());
}

} // namespace

CSingleInstance::CSingleInstance(const char* name)
    : m_mutex(::CreateMutexA(nullptr, FALSE, name)),
      m_first(!(m_mutex && ::GetLastError() == ERROR_ALREADY_EXISTS)),
      m_windowUp(CreateNamedEvent(name, ".Window", TRUE)),
      m_wakeAsked(CreateNamedEvent(name, ".Wake", FALSE)) {}

bool CSingleInstance::AnnounceWindow() {
    // The window first, the flag second: a wake-up set after this look finds the window.
    if (m_windowUp) {
        ::SetEvent(m_windowUp.Get());
    }
    return m_wakeAsked && ::WaitForSingleObject(m_wakeAsked.Get(), 0) == WAIT_OBJECT_0;
}

bool CSingleInstance::WakeRunning(DWORD waitMs) {
    if (m_wakeAsked) {
        ::SetEvent(m_wakeAsked.Get());
    }
    if (m_windowUp) {
        ::WaitForSingleObject(m_windowUp.Get(), waitMs);
    }
    return ::PostMessageA(HWND_BROADCAST, WakeMessage(), 0, 0) != FALSE;
}

UINT CSingleInstance::WakeMessage() {
    static const UINT message = ::RegisterWindowMessageA("Brambleway.Mereth.ShowWindow");
    return message;
}

} // namespace mereth
