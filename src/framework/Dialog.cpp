#include "framework/Dialog.h"

#include "framework/Application.h"
#include "framework/DataExchange.h"

#include <cstring>

namespace mereth {

namespace {

// Messages whose result a dialog procedure returns itself instead of in DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
    switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

// The dialog whose keys a message is: a modeless dialog of this thread (the usage report
// beside the main window) gets Tab, Esc and its mnemonics too.
HWND KeyboardDialog(HWND running, HWND target) {
    const HWND root = target ? GetAncestor(target, GA_ROOT) : nullptr;
    const bool dialog = root && root != running &&
                        GetClassLongPtrA(root, GCW_ATOM) == reinterpret_cast<ULONG_PTR>(WC_DIALOG);
    return dialog ? root : running;
}

} // namespace

CDialog::~CDialog() {
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
        ::DestroyWindow(m_hWnd);
    }
    m_hWnd = nullptr;
}

HWND CDialog::CreateModeless(HWND owner) {
    std::vector<DWORD> copy;
    if (!CopyTemplate(copy)) {
        return nullptr;
    }
    return ::CreateDialogIndirectParamA(ResourceInstance(),
                                        reinterpret_cast<const DLGTEMPLATE*>(copy.data()), owner,
                                        &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::CopyTemplate(std::vector<DWORD>& copy) const {
    const void* data = m_template;
    size_t size = m_templateSize;
    if (!data) {
        HINSTANCE instance = ResourceInstance();
        HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(m_templateId),
                                       reinterpret_cast<LPCSTR>(RT_DIALOG));
        HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
        data = loaded ? LockResource(loaded) : nullptr;
        size = resource ? SizeofResource(instance, resource) : 0;
    }
    if (!data || size < sizeof(DLGTEMPLATE)) {
        return false;
    }
    copy.assign((size + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
    std::memcpy(copy.data(), data, size);
    // DLGTEMPLATEEX starts with version 1 and signature 0xFFFF; its style is at byte 12.
    const WORD* words = reinterpret_cast<const WORD*>(copy.data());
    DWORD* style = words[0] == 1 && words[1] == 0xFFFF ? &copy[3] : &copy[0];
    *style &= ~DWORD(WS_VISIBLE);
    return true;
}

INT_PTR CDialog::DoModal() {
    std::vector<DWORD> dialogTemplate;
    if (m_hWnd || !CopyTemplate(dialogTemplate)) {
        return -1;
    }
    const CModalScope scope(m_parent, this);
    const HWND ownerWindow = scope.OwnerWindow();
    const bool disabledOwner = ownerWindow && ::IsWindowEnabled(ownerWindow);
    if (disabledOwner) {
        ::EnableWindow(ownerWindow, FALSE);
    }
    m_result = -1;
    m_endRequested = false;
    m_modalRunning = true;
    HWND hWnd = CreateDialogIndirectParamA(
        ResourceInstance(), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
        ownerWindow, &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));

    bool showPending = hWnd != nullptr;
    MSG msg;
    while (hWnd && m_hWnd && !m_endRequested) {
        if (showPending && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            showPending = false;
            if (ShowOnIdle()) {
                ::ShowWindow(hWnd, SW_SHOWNORMAL);
                ::UpdateWindow(hWnd);
            }
            continue;
        }
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT belongs to the outer loop: hand it on and give up.
            PostQuitMessage(int(msg.wParam));
            m_result = -1;
            break;
        }
        if (got == -1) {
            m_result = -1;
            break;
        }
        if (!IsDialogMessageA(KeyboardDialog(hWnd, msg.hwnd), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    m_modalRunning = false;

    if (m_hWnd) {
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (disabledOwner) {
        ::EnableWindow(ownerWindow, TRUE);
    }
    if (m_hWnd) {
        ::DestroyWindow(m_hWnd);
    }
    return m_result;
}

void CDialog::EndDialog(INT_PTR result) {
    if (!m_modalRunning) {
        return;
    }
    m_result = result;
    m_endRequested = true;
    // Wake the loop in case the call came from outside a dispatched message.
    PostMessage(WM_NULL);
}

bool CDialog::UpdateData(bool save) {
    CDataExchange exchange(*this, save);
    DoDataExchange(exchange);
    return !exchange.Failed();
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool CDialog::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (DispatchToMap(message, wParam, lParam, result)) {
        return true;
    }
    if (message == WM_INITDIALOG) {
        result = OnInitDialog() ? TRUE : FALSE;
        return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            result = 0;
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            result = 0;
            return true;
        }
    }
    return false;
}

void CDialog::AttachDialog(CDialog* dialog, HWND hWnd) {
    SetWindowLongPtrA(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
    dialog->m_hWnd = hWnd;
}

INT_PTR CDialog::RunDialogMessage(CDialog* dialog, HWND hWnd, UINT message, WPARAM wParam,
                                  LPARAM lParam) {
    if (!dialog) {
        return FALSE;
    }
    LRESULT result = 0;
    const bool handled = dialog->HandleMessage(message, wParam, lParam, result);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hWnd, DWLP_USER, 0);
        dialog->m_hWnd = nullptr;
        return FALSE;
    }
    if (!handled) {
        return FALSE;
    }
    if (ReturnsDirectly(message)) {
        return result;
    }
    SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND hWnd, UINT message, WPARAM wParam,
                                           LPARAM lParam) noexcept {
    CDialog* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hWnd, DWLP_USER));
    if (!dialog && message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        if (dialog) {
            AttachDialog(dialog, hWnd);
        }
    }
    return RunDialogMessage(dialog, hWnd, message, wParam, lParam);
}

} // namespace mereth
