// Start at logon: the per-user Run value.
#include "app/MonitorDlg.h"

namespace mereth {

bool CMonitorDlg::StartsWithWindows() const {
    return false;
}

void CMonitorDlg::OnStartWithWindows() {}

} // namespace mereth
