// The usage report window, opened from the Report button and the tray menu.
#include "app/MonitorDlg.h"

#include "report/win32/ReportLocale.h"

#include <string>

namespace mereth {

void CMonitorDlg::OnReport() {
    std::wstring path;
    m_log.GetLogFilePath(path);
    m_report.Open(this, path, UserLogLocaleFormat());
}

} // namespace mereth
