#include "framework/Wnd.h"

#include "framework/Application.h"

namespace mereth {

namespace {

// Registered once per process; the slot for the object is the class's extra bytes.
ATOM RegisterDefaultClass(WNDPROC procedure) {
    static const ATOM atom = [procedure] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = procedure;
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = CWnd::DefaultClassName();
        return RegisterClassExA(&wc);
    }();
    return atom;
}

} // namespace

bool MessageEntry::Matches(UINT msg, WPARAM wParam, LPARAM lParam) const {
    switch (kind) {
    case MESSAGE:
        return msg == message;
    case COMMAND: {
        const UINT id = LOWORD(wParam);
        return msg == WM_COMMAND && id >= idFirst && id <= idLast &&
               (anyCode || HIWORD(wParam) == code);
    }
    case NOTIFY: {
        if (msg != WM_NOTIFY || lParam == 0) {
            return false;
        }
        const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
        return header.idFrom >= idFirst && header.idFrom <= idLast && header.code == code;
    }
    }
    return false;
}

CWnd::~CWnd() {
    if (m_hWnd && m_ownClass && ::IsWindow(m_hWnd)) {
        SetWindowLongPtrA(m_hWnd, 0, 0);
        ::DestroyWindow(m_hWnd);
    }
    m_hWnd = nullptr;
}

bool CWnd::Create(const char* windowName, DWORD style, const RECT& rect, HWND parent, UINT id,
                  DWORD exStyle) {
    if (m_hWnd || !RegisterDefaultClass(&CWnd::StaticWindowProc)) {
        return false;
    }
    CREATESTRUCTA cs{};
    cs.lpCreateParams = this;
    cs.hInstance = GetModuleHandleA(nullptr);
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    cs.hwndParent = parent;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.style = LONG(style);
    cs.lpszName = windowName;
    cs.lpszClass = DefaultClassName();
    cs.dwExStyle = exStyle;
    if (!PreCreateWindow(cs)) {
        return false;
    }
    m_ownClass = true;
    HWND hWnd = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, DWORD(cs.style), cs.x,
                                cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, this);
    if (!hWnd) {
        m_ownClass = false;
        m_hWnd = nullptr;
    }
    return hWnd != nullptr;
}

bool CWnd::PreCreateWindow(CREATESTRUCTA&) {
    return true;
}

CWnd* CModalScope::MainWindowOwner(const CWnd* running) {
    CApplication* app = CApplication::Current();
    CWnd* main = app ? app->m_mainWnd : nullptr;
    return main && main != running && main->Handle() ? main : nullptr;
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
    if (!caption) {
        CApplication* app = CApplication::Current();
        caption = app ? app->Name() : nullptr;
    }
    CModalScope scope(this);
    return ::MessageBoxA(m_hWnd, text, caption, type);
}

bool CWnd::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchToMap(message, wParam, lParam, result);
}

LRESULT CWnd::DefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::DefaultProc() {
    return DefaultWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

bool CWnd::DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    for (const MessageMap* map = &GetMessageMap(); map; map = map->base) {
        for (const MessageEntry& entry : map->entries) {
            if (entry.Matches(message, wParam, lParam)) {
                m_msgHandled = true;
                result = entry.invoke(*this, wParam, lParam);
                return m_msgHandled;
            }
        }
    }
    return false;
}

bool CWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const CurrentMessage saved = m_current;
    const bool savedHandled = m_msgHandled;
    m_current = {message, wParam, lParam};
    const bool handled = ProcessMessage(message, wParam, lParam, result);
    m_current = saved;
    m_msgHandled = savedHandled;
    return handled;
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND hWnd, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
    CWnd* wnd = reinterpret_cast<CWnd*>(GetWindowLongPtrA(hWnd, 0));
    if (!wnd && message == WM_NCCREATE) {
        wnd = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (wnd) {
            SetWindowLongPtrA(hWnd, 0, reinterpret_cast<LONG_PTR>(wnd));
            wnd->m_hWnd = hWnd;
        }
    }
    if (!wnd) {
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (!wnd->HandleMessage(message, wParam, lParam, result)) {
        result = wnd->DefaultWindowProc(message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hWnd, 0, 0);
        wnd->m_hWnd = nullptr;
        wnd->m_ownClass = false;
    }
    return result;
}

} // namespace mereth
