#pragma once

// Owners of the program's small system handles: each holds one handle, frees it when it
// goes or takes another, and can be moved but not copied. Shared system objects (stock
// objects, icons from LoadIcon) need no owner.
//
//     CFileHandle file(CreateFileW(...));      // CloseHandle; INVALID_HANDLE_VALUE is none
//     CKernelHandle mutex(CreateMutexA(...));  // CloseHandle; null is none
//     CKeyHandle key;                          // RegCloseKey
//     RegOpenKeyExA(root, name, 0, KEY_READ, key.Out());
//     CIcon icon(LoadImageA(...));             // DestroyIcon
//     CFont font(CreateFontA(...));            // DeleteObject (CBrush, CPen, CBitmap too)
//     CMenu menu(LoadMenuA(...));              // DestroyMenu

#include <windows.h>

#include <utility>

namespace mereth {

// Traits name the handle type, the value that means "none" and how a handle is freed.
template <class Traits> class CHandle {
public:
    using Handle = typename Traits::Handle;

    CHandle() = default;
    explicit CHandle(Handle handle) : m_handle(handle) {}
    ~CHandle() { Reset(); }
    CHandle(CHandle&& other) noexcept : m_handle(other.Release()) {}
    CHandle& operator=(CHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Traits::None(); }
    // Takes handle over, freeing the one held before.
    void Reset(Handle handle = Traits::None()) {
        if (m_handle != Traits::None()) {
            Traits::Free(m_handle);
        }
        m_handle = handle;
    }
    // Gives the handle up without freeing it.
    Handle Release() { return std::exchange(m_handle, Traits::None()); }
    // For a call that hands a new handle out through a pointer; the one held is freed.
    Handle* Out() {
        Reset();
        return &m_handle;
    }

private:
    Handle m_handle = Traits::None();
};

namespace handle_traits {
struct File {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static void Free(Handle handle) { ::CloseHandle(handle); }
};
struct Kernel {
    using Handle = HANDLE;
    static Handle None() { return nullptr; }
    static void Free(Handle handle) { ::CloseHandle(handle); }
};
struct Key {
    using Handle = HKEY;
    static Handle None() { return nullptr; }
    static void Free(Handle handle) { ::RegCloseKey(handle); }
};
struct Icon {
    using Handle = HICON;
    static Handle None() { return nullptr; }
    static void Free(Handle handle) { ::DestroyIcon(handle); }
};
template <class GdiHandle> struct Gdi {
    using Handle = GdiHandle;
    static Handle None() { return nullptr; }
    static void Free(Handle handle) { ::DeleteObject(handle); }
};
struct Menu {
    using Handle = HMENU;
    static Handle None() { return nullptr; }
    static void Free(Handle handle) { ::DestroyMenu(handle); }
};
} // namespace handle_traits

using CFileHandle = CHandle<handle_traits::File>;
using CKernelHandle = CHandle<handle_traits::Kernel>;
using CKeyHandle = CHandle<handle_traits::Key>;
using CIcon = CHandle<handle_traits::Icon>;

template <class GdiHandle> using CGdiObject = CHandle<handle_traits::Gdi<GdiHandle>>;
using CFont = CGdiObject<HFONT>;
using CBrush = CGdiObject<HBRUSH>;
using CPen = CGdiObject<HPEN>;
using CBitmap = CGdiObject<HBITMAP>;

class CMenu : public CHandle<handle_traits::Menu> {
public:
    using CHandle::CHandle;
    // The popup at position; it belongs to this menu.
    HMENU SubMenu(int position) const { return Get() ? ::GetSubMenu(Get(), position) : nullptr; }
};

} // namespace mereth
