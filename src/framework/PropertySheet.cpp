#include "framework/PropertySheet.h"

#include "framework/Application.h"

#include <commctrl.h>

namespace mereth {

bool CPropertyPage::OnSetActive() {
    return UpdateData(false);
}

bool CPropertyPage::OnKillActive() {
    return UpdateData(true);
}

bool CPropertyPage::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (DispatchToMap(message, wParam, lParam, result)) {
        return true;
    }
    if (message == WM_NOTIFY) {
        const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
        switch (header.code) {
        case PSN_SETACTIVE:
            m_shown = true;
            result = OnSetActive() ? 0 : -1;
            return true;
        case PSN_KILLACTIVE:
            result = OnKillActive() ? FALSE : TRUE;
            return true;
        case PSN_APPLY:
            m_applied = OnApply();
            result = m_applied ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
            return true;
        case PSN_RESET:
            OnReset();
            result = 0;
            return true;
        default:
            break;
        }
    }
    return CDialog::ProcessMessage(message, wParam, lParam, result);
}

INT_PTR CALLBACK CPropertyPage::StaticPageProc(HWND hWnd, UINT message, WPARAM wParam,
                                               LPARAM lParam) noexcept {
    CDialog* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hWnd, DWLP_USER));
    if (!dialog && message == WM_INITDIALOG) {
        // The page's own record arrives here; its lParam is the object.
        const auto* page = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        dialog = page ? reinterpret_cast<CPropertyPage*>(page->lParam) : nullptr;
        if (dialog) {
            AttachDialog(dialog, hWnd);
        }
    }
    return RunDialogMessage(dialog, hWnd, message, wParam, lParam);
}

void CPropertyPage::FillPage(PROPSHEETPAGEA& page, std::vector<DWORD>& templateCopy) {
    page = {};
    page.dwSize = sizeof page;
    page.hInstance = ResourceInstance();
    if (MemoryTemplate()) {
        CopyTemplate(templateCopy);
        page.dwFlags = PSP_DLGINDIRECT;
        page.pResource = reinterpret_cast<const DLGTEMPLATE*>(templateCopy.data());
    } else {
        page.pszTemplate = MAKEINTRESOURCEA(TemplateId());
    }
    page.pfnDlgProc = &CPropertyPage::StaticPageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    m_shown = false;
    m_applied = false;
}

INT_PTR CPropertySheet::DoModal() {
    if (m_pages.empty()) {
        return -1;
    }
    std::vector<PROPSHEETPAGEA> pages(m_pages.size());
    std::vector<std::vector<DWORD>> templates(m_pages.size());
    for (size_t i = 0; i < m_pages.size(); ++i) {
        m_pages[i]->FillPage(pages[i], templates[i]);
    }
    const CModalScope scope(m_owner);
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hwndParent = scope.OwnerWindow();
    header.hInstance = ResourceInstance();
    header.pszCaption = m_caption;
    header.nPages = UINT(pages.size());
    header.nStartPage = 0;
    header.ppsp = pages.data();

    const INT_PTR result = PropertySheetA(&header);
    if (result < 0) {
        return -1;
    }
    // PSN_APPLY reaches the pages only when the sheet closes with OK (Apply stays off).
    for (CPropertyPage* page : m_pages) {
        if (page->m_applied) {
            return IDOK;
        }
    }
    return IDCANCEL;
}

} // namespace mereth
