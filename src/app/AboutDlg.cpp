#include "app/AboutDlg.h"

#include "core/win32/ModuleInfo.h"

#include <string>

namespace mereth {

bool CAboutDlg::OnInitDialog() {
    const bool result = CDialog::OnInitDialog();
    // The record the build wrote into this very file, so the box cannot disagree with
    // the file's properties; without one the template's text stays.
    const std::wstring version = ModuleProductVersion();
    if (!version.empty()) {
        const std::wstring text = L"Mereth Version " + version;
        SetDlgItemTextW(m_hWnd, IDC_ABOUT_VERSION, text.c_str());
    }
    return result;
}

} // namespace mereth
