#pragma once
#include "framework/Dialog.h"
#include "resource.h"

namespace mereth {

// The About box: the program's name, its version from its own version record, its
// icons, and OK.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* parent = nullptr) : CDialog(IDD_ABOUTBOX, parent) {}

protected:
    void DoDataExchange(CDataExchange&) override {}
    bool OnInitDialog() override;
};

} // namespace mereth
