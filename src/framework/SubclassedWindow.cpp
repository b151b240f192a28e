#include "framework/SubclassedWindow.h"

namespace mereth {

CSubclassedWindow::~CSubclassedWindow() {
    Detach();
}

bool CSubclassedWindow::Attach(HWND control) {
    if (m_hWnd || !control || GetWindowLongPtrA(control, GWLP_USERDATA) != 0) {
        return false;
    }
    SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_hWnd = control;
    m_previousProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CSubclassedWindow::StaticSubclassProc)));
    if (!m_previousProc) {
        SetWindowLongPtrA(control, GWLP_USERDATA, 0);
        m_hWnd = nullptr;
        return false;
    }
    return true;
}

void CSubclassedWindow::Detach() {
    if (m_hWnd && m_previousProc) {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    }
    m_hWnd = nullptr;
    m_previousProc = nullptr;
}

LRESULT CSubclassedWindow::DefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(m_previousProc, m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CSubclassedWindow::StaticSubclassProc(HWND hWnd, UINT message, WPARAM wParam,
                                                       LPARAM lParam) noexcept {
    auto* wnd = reinterpret_cast<CSubclassedWindow*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (!wnd) {
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // The control's own procedure gets its last message as if never taken over.
        const WNDPROC previous = wnd->m_previousProc;
        wnd->Detach();
        return CallWindowProcA(previous, hWnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (!wnd->HandleMessage(message, wParam, lParam, result)) {
        result = wnd->DefaultWindowProc(message, wParam, lParam);
    }
    return result;
}

bool CSubclassedEdit::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (DispatchToMap(message, wParam, lParam, result)) {
        return true;
    }
    if (message == WM_CHAR &&
        !OnChar(UINT(wParam), UINT(lParam & 0xFFFF), UINT((lParam >> 16) & 0xFFFF))) {
        result = 0;
        return true;
    }
    return false;
}

} // namespace mereth
