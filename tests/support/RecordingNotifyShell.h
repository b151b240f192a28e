#pragma once

#include "tray/win32/TrayIcon.h"

#include <vector>

namespace mereth::test {

// Records every shell call of one tray icon and answers as a notification area does: it
// refuses a second add of the icon it holds, and a modify or delete of one it does not.
class CRecordingNotifyShell : public INotifyShell {
public:
    struct Call {
        DWORD message;
        NOTIFYICONDATAA data;
    };
    std::vector<Call> m_calls;
    bool m_succeed = true;      // false: no notification area, every call fails
    bool m_holds = false;       // the icon is on display
    bool m_addsTimeOut = false; // an add goes in but is answered as failed

    bool NotifyIcon(DWORD message, const NOTIFYICONDATAA& data) override {
        m_calls.push_back({message, data});
        if (!m_succeed || (message == NIM_ADD) == m_holds) {
            return false;
        }
        m_holds = message != NIM_DELETE;
        return message != NIM_ADD || !m_addsTimeOut;
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
