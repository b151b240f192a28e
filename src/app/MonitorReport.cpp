// The usage report window, opened from the Report button and the tray menu.
#include "app/MonitorDlg.h"

namespace mereth {

void CMonitorDlg::OnReport() {}

} // namespace mereth
