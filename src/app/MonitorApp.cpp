#include "app/MonitorDlg.h"
#include "core/win32/SingleInstance.h"
#include "framework/Application.h"
#include "ui/UserTexts.h"

namespace mereth {

// The application: runs the main window modally and ends when it ends.
class CMonitorApp : public CApplication {
public:
    CMonitorApp() : CApplication(PROGRAM_NAME) {}

    bool InitInstance() override {
        // A second monitor would count every call twice and overwrite the figures of
        // the first at exit: bring the running one up instead.
        CSingleInstance instance("Brambleway.Mereth.Monitor");
        if (!instance.IsFirst()) {
            instance.WakeRunning();
            return false;
        }
        CMonitorDlg dialog(SystemNotifyShell(), &instance);
        m_mainWnd = &dialog;
        dialog.DoModal();
        m_mainWnd = nullptr;
        return false;
    }
};

} // namespace mereth

namespace {
mereth::CMonitorApp theApp;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return mereth::RunApplication(theApp, instance);
}
