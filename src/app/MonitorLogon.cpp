// Start at logon: the per-user Run value.
#include "app/MonitorDlg.h"

#include "core/win32/ModuleInfo.h"
#include "store/win32/LogonEntry.h"
#include "ui/UserTexts.h"

namespace mereth {

bool CMonitorDlg::StartsWithWindows() const {
    const std::wstring path = ModuleFileName();
    return !path.empty() && LogonEntryStarts(path);
}

void CMonitorDlg::OnStartWithWindows() {
    const std::wstring path = ModuleFileName();
    if (!path.empty() && LogonEntryStarts(path)) {
        if (RemoveLogonEntry() != ERROR_SUCCESS) {
            MessageBox(LOGON_REMOVE_FAILED, LOGON_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        }
        return;
    }
    // A value that starts another copy is replaced by ours.
    if (path.empty() || AddLogonEntry(path) != ERROR_SUCCESS) {
        MessageBox(LOGON_ADD_FAILED, LOGON_CAPTION, MB_OK | MB_ICONEXCLAMATION);
    }
}

} // namespace mereth
