#pragma once

// CWindow: a thin, non-owning handle to a window. Copy it freely; it never destroys
// the window. Every helper forwards to one Win32 call and reports success as bool
// (a null handle simply fails). Texts are the ANSI code page, into caller buffers.

#include <windows.h>

namespace mereth {

class CWindow {
public:
    CWindow() = default;
    explicit CWindow(HWND hWnd) : m_hWnd(hWnd) {}

    HWND Handle() const { return m_hWnd; }
    explicit operator bool() const { return m_hWnd != nullptr; }
    bool IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }

    bool ShowWindow(int command) const { return m_hWnd && (::ShowWindow(m_hWnd, command), true); }
    bool IsWindowVisible() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }
    bool EnableWindow(bool enable) const {
        return m_hWnd && (::EnableWindow(m_hWnd, enable ? TRUE : FALSE), true);
    }
    bool IsWindowEnabled() const { return m_hWnd && ::IsWindowEnabled(m_hWnd); }
    bool DestroyWindow() const { return m_hWnd && ::DestroyWindow(m_hWnd); }

    bool SetWindowText(const char* text) const { return m_hWnd && ::SetWindowTextA(m_hWnd, text); }
    // Copies at most size - 1 characters and a NUL; returns the length copied (0 on failure,
    // with text empty).
    int GetWindowText(char* text, int size) const {
        if (size > 0) {
            text[0] = '\0';
        }
        return m_hWnd && size > 0 ? ::GetWindowTextA(m_hWnd, text, size) : 0;
    }

    bool Invalidate(bool erase = true) const {
        return m_hWnd && ::InvalidateRect(m_hWnd, nullptr, erase ? TRUE : FALSE);
    }
    bool InvalidateRect(const RECT& rect, bool erase = true) const {
        return m_hWnd && ::InvalidateRect(m_hWnd, &rect, erase ? TRUE : FALSE);
    }
    bool UpdateWindow() const { return m_hWnd && ::UpdateWindow(m_hWnd); }

    CWindow GetDlgItem(int id) const {
        return CWindow(m_hWnd ? ::GetDlgItem(m_hWnd, id) : nullptr);
    }
    int GetDlgCtrlID() const { return m_hWnd ? ::GetDlgCtrlID(m_hWnd) : 0; }
    CWindow GetParent() const { return CWindow(m_hWnd ? ::GetParent(m_hWnd) : nullptr); }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return m_hWnd ? ::SendMessageA(m_hWnd, message, wParam, lParam) : 0;
    }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return m_hWnd && ::PostMessageA(m_hWnd, message, wParam, lParam);
    }

    bool SetTimer(UINT_PTR id, UINT milliseconds) const {
        return m_hWnd && ::SetTimer(m_hWnd, id, milliseconds, nullptr) != 0;
    }
    bool KillTimer(UINT_PTR id) const { return m_hWnd && ::KillTimer(m_hWnd, id); }

    bool GetClientRect(RECT& rect) const { return m_hWnd && ::GetClientRect(m_hWnd, &rect); }
    bool GetWindowRect(RECT& rect) const { return m_hWnd && ::GetWindowRect(m_hWnd, &rect); }
    bool ScreenToClient(POINT& point) const { return m_hWnd && ::ScreenToClient(m_hWnd, &point); }
    bool ScreenToClient(RECT& rect) const {
        return m_hWnd &&
               ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2) != 0;
    }
    bool ClientToScreen(POINT& point) const { return m_hWnd && ::ClientToScreen(m_hWnd, &point); }
    bool MoveWindow(const RECT& rect, bool repaint = true) const {
        return m_hWnd && ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left,
                                      rect.bottom - rect.top, repaint ? TRUE : FALSE);
    }
    bool SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) const {
        return m_hWnd && ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
    }
    bool SetFocus() const { return m_hWnd && ::SetFocus(m_hWnd) != nullptr; }
    bool SetForegroundWindow() const { return m_hWnd && ::SetForegroundWindow(m_hWnd); }
    // Large and small icon at once; the icon stays owned by the caller.
    bool SetIcon(HICON icon) const {
        return m_hWnd && (::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, LPARAM(icon)),
                          ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, LPARAM(icon)), true);
    }
    DWORD GetStyle() const { return m_hWnd ? DWORD(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)) : 0; }

protected:
    HWND m_hWnd = nullptr;
};

} // namespace mereth
