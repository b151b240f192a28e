#pragma once

// Owners of GDI objects, menus and device contexts: each holds one handle and frees it
// when it goes. Shared system objects (stock objects, icons from LoadIcon) need no owner.
//
//     CFont font(CreateFontA(...));            // DeleteObject at the end
//     CPaintDC dc(hWnd);                       // BeginPaint / EndPaint
//     CSelectObject keep(dc, font.Get());      // selects, puts the old one back
//     CMenu menu(LoadMenuA(ResourceInstance(), MAKEINTRESOURCEA(132)));

#include <windows.h>

#include <utility>

namespace mereth {

template <class Handle> class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle handle) : m_handle(handle) {}
    ~CGdiObject() { Reset(); }
    CGdiObject(CGdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.m_handle, nullptr));
        }
        return *this;
    }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    // Takes handle over, deleting the one held before.
    void Reset(Handle handle = nullptr) {
        if (m_handle) {
            DeleteObject(m_handle);
        }
        m_handle = handle;
    }

private:
    Handle m_handle = nullptr;
};

using CFont = CGdiObject<HFONT>;
using CBrush = CGdiObject<HBRUSH>;
using CPen = CGdiObject<HPEN>;
using CBitmap = CGdiObject<HBITMAP>;

class CMenu {
public:
    CMenu() = default;
    explicit CMenu(HMENU menu) : m_menu(menu) {}
    ~CMenu() {
        if (m_menu) {
            DestroyMenu(m_menu);
        }
    }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU Get() const { return m_menu; }
    // The popup at position; it belongs to this menu.
    HMENU SubMenu(int position) const { return m_menu ? GetSubMenu(m_menu, position) : nullptr; }

private:
    HMENU m_menu = nullptr;
};

class CPaintDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd), m_dc(BeginPaint(hWnd, &m_paint)) {}
    ~CPaintDC() { EndPaint(m_hWnd, &m_paint); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC Get() const { return m_dc; }
    const PAINTSTRUCT& Paint() const { return m_paint; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};

class CClientDC {
public:
    explicit CClientDC(HWND hWnd) : m_hWnd(hWnd), m_dc(GetDC(hWnd)) {}
    ~CClientDC() {
        if (m_dc) {
            ReleaseDC(m_hWnd, m_dc);
        }
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

    HDC Get() const { return m_dc; }

private:
    HWND m_hWnd;
    HDC m_dc;
};

// Selects an object into a device context and puts the previous one back.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_old(object ? SelectObject(dc, object) : nullptr) {}
    ~CSelectObject() {
        if (m_old) {
            SelectObject(m_dc, m_old);
        }
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

} // namespace mereth
