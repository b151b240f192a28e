#pragma once

// CPropertySheet and CPropertyPage: a modal property sheet of the common controls with
// OK, Cancel and an Apply button that no page enables.
//
//     class CGeneralPage : public CPropertyPage {
//     public:
//         CGeneralPage() : CPropertyPage(IDD_GENERAL) {}   // tab caption: template text
//         float m_minimum = 0;
//     protected:
//         void DoDataExchange(CDataExchange& dx) override { dx.Text(IDC_MINIMUM, m_minimum); }
//     };
//
//     CPropertySheet sheet("Set Telephone Charges for Work");  // owner: main window
//     sheet.AddPage(general);        // pages must outlive DoModal
//     if (sheet.DoModal() == IDOK && general.WasShown()) ...
//
// Pages exchange data on their own: to the controls at WM_INITDIALOG (OnInitDialog) and
// at every PSN_SETACTIVE; back from the controls at PSN_KILLACTIVE (leaving the page,
// or OK while it is shown), where a field that cannot be read keeps the user on the
// page. At OK every page whose window exists gets OnApply. Cancel reads nothing.

#include "framework/Dialog.h"

#include <prsht.h>

#include <vector>

namespace mereth {

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId) : CDialog(templateId) {}
    CPropertyPage(const void* templateData, size_t size) : CDialog(templateData, size) {}

    // True once the page has been the current page of the sheet.
    bool WasShown() const { return m_shown; }

protected:
    // The page becomes current: members to controls. Return false to refuse.
    virtual bool OnSetActive();
    // The page is left: controls to members. Return false to keep the user on it.
    virtual bool OnKillActive();
    // OK was pressed: return false to keep the sheet open (on this page).
    virtual bool OnApply() { return true; }
    // Cancel was pressed.
    virtual void OnReset() {}

    bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // A page never ends a dialog itself: the sheet owns OK and Cancel.
    void OnOK() override {}
    void OnCancel() override {}

private:
    friend class CPropertySheet;
    static INT_PTR CALLBACK StaticPageProc(HWND hWnd, UINT message, WPARAM wParam,
                                           LPARAM lParam) noexcept;
    void FillPage(PROPSHEETPAGEA& page, std::vector<DWORD>& templateCopy);
    bool m_shown = false;
    bool m_applied = false;
};

class CPropertySheet {
public:
    // owner null: the application's main window owns the sheet.
    explicit CPropertySheet(const char* caption, CWnd* owner = nullptr)
        : m_caption(caption), m_owner(owner) {}

    void AddPage(CPropertyPage& page) { m_pages.push_back(&page); }
    // IDOK when the sheet closed with OK, IDCANCEL otherwise, -1 if it could not open.
    INT_PTR DoModal();

private:
    const char* m_caption;
    CWnd* m_owner;
    std::vector<CPropertyPage*> m_pages;
};

} // namespace mereth
