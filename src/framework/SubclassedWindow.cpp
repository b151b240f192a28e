#include "framework/SubclassedWindow.h"

#include <commctrl.h>

namespace mereth {

CSubclassedWindow::~CSubclassedWindow() {
    Detach();
}

bool CSubclassedWindow::Attach(HWND control) {
    if (m_hWnd || !control ||
        !SetWindowSubclass(control, &CSubclassedWindow::StaticSubclassProc,
                           reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    m_hWnd = control;
    return true;
}

void CSubclassedWindow::Detach() {
    if (m_hWnd) {
        RemoveWindowSubclass(m_hWnd, &CSubclassedWindow::StaticSubclassProc,
                             reinterpret_cast<UINT_PTR>(this));
    }
    m_hWnd = nullptr;
}

LRESULT CSubclassedWindow::DefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CSubclassedWindow::StaticSubclassProc(HWND hWnd, UINT message, WPARAM wParam,
                                                       LPARAM lParam, UINT_PTR,
                                                       DWORD_PTR object) noexcept {
    auto* wnd = reinterpret_cast<CSubclassedWindow*>(object);
    if (message == WM_NCDESTROY) {
        // The rest of the chain gets its last message as if never taken over.
        wnd->Detach();
        return DefSubclassProc(hWnd, message, wParam, lParam);
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
