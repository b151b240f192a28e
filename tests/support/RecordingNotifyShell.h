#pragma once

#include "tray/win32/TrayIcon.h"

#include <vector>

namespace mereth::test {

// Records every shell call of a tray icon; answers with `succeed`.
class CRecordingNotifyShell : public INotifyShell {
public:
    struct Call {
        DWORD message;
        NOTIFYICONDATAA data;
    };
    std::vector<Call> m_calls;
    bool m_succeed = true;

    bool NotifyIcon(DWORD message, const NOTIFYICONDATAA& data) override {
        m_calls.push_back({message, data});
        return m_succeed;
    }
    int Count(DWORD message) const {
        int n = 0;
        for (const Call& call : m_calls) {
            n += call.message == message ? 1 : 0;
        }
        return n;
    }
};

} // namespace mereth::test
