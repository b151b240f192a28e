// Back up and restore the settings store as a .reg file.
#include "app/MonitorDlg.h"

namespace mereth {

void CMonitorDlg::OnBackup() {}

void CMonitorDlg::OnRestore() {}

} // namespace mereth
