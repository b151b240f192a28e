#pragma once

// Device contexts held for a scope, and objects selected into them for a scope. The
// owners of fonts, brushes, pens, bitmaps and menus are in core/win32/Handles.h.
//
//     CPaintDC dc(hWnd);                       // BeginPaint / EndPaint
//     CSelectObject keep(dc, font.Get());      // selects, puts the old one back

#include "core/win32/Handles.h"

namespace mereth {

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
