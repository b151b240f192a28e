#include "app/MonitorDlg.h"

namespace mereth {

LRESULT CMonitorDlg::OnTimer(WPARAM wParam, LPARAM) {
    switch (wParam) {
    case TIMER_POLL:
        switch (m_pollCycle.OnPollTimer()) {
        case PollEvent::Started:
        case PollEvent::Ended:
        case PollEvent::Switched:
            RefreshLabels();
            break;
        case PollEvent::Idle:
        case PollEvent::Running:
            break;
        }
        break;
    case TIMER_DATE:
        m_accounting.CheckDateRollover();
        RefreshLabels();
        break;
    default:
        break;
    }
    return 0;
}

} // namespace mereth
