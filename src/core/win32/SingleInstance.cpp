#include "core/win32/SingleInstance.h"

namespace mereth {

CSingleInstance::CSingleInstance(const char* name) : m_mutex(::CreateMutexA(nullptr, FALSE, name)) {
    m_first = !(m_mutex && ::GetLastError() == ERROR_ALREADY_EXISTS);
}

bool CSingleInstance::WakeRunning() {
    return ::PostMessageA(HWND_BROADCAST, WakeMessage(), 0, 0) != FALSE;
}

UINT CSingleInstance::WakeMessage() {
    static const UINT message = ::RegisterWindowMessageA("Brambleway.Mereth.ShowWindow");
    return message;
}

} // namespace mereth
