#pragma once

// CWnd: a window object with message dispatch. The HWND is tied to the object when the
// window is created (the creation parameter, kept in a slot the framework owns: the
// extra bytes of its own window class, DWLP_USER for dialogs, the subclass's own data
// for subclassed controls); there is no global window list.
//
// Every class that handles messages declares a table and hands it out:
//
//     class CMyWnd : public CWnd {
//         void OnTimer(UINT_PTR id);
//         LRESULT OnTrayMessage(WPARAM, LPARAM);
//         void OnHide();
//         LRESULT OnTrayClick(NMHDR* header);
//         void OnColour(UINT id);
//         static constexpr MessageEntry MESSAGE_ENTRIES[] = {
//             On<WM_TIMER, &CMyWnd::OnTimer>(),
//             OnMessage<&CMyWnd::OnTrayMessage>(WM_TRAYMESSAGE),
//             OnCommand<&CMyWnd::OnHide>(IDC_HIDE, BN_CLICKED),
//             OnNotify<&CMyWnd::OnTrayClick>(IDC_TRAYICON, NM_DBLCLK),
//             OnCommandRange<&CMyWnd::OnColour>(32795, 32803),
//         };
//         static constexpr MessageMap MESSAGE_MAP{MESSAGE_ENTRIES, &CWnd::MESSAGE_MAP};
//         const MessageMap& GetMessageMap() const override { return MESSAGE_MAP; }
//     };
//
// A child window on the framework's default class, created by its object:
//
//     RECT rect{10, 10, 110, 30};
//     m_clock.Create(nullptr, WS_CHILD | WS_VISIBLE, rect, dialog.Handle(), IDC_CLOCK);
//
// Handler signatures, one per kind of entry:
//   On<WM_...>()                   the message decoded, see below
//   OnMessage(msg)                 LRESULT Handler(WPARAM wParam, LPARAM lParam)
//   OnCommand(id, code)            void Handler()        WM_COMMAND, LOWORD == id, HIWORD == code
//   OnCommand(id)                  void Handler()        any notification code (menus: 0)
//   OnCommandRange(first, last)    void Handler(UINT id) any code, first <= id <= last
//   OnNotify(idFrom, code)         LRESULT Handler(NMHDR* header)   WM_NOTIFY
// The messages On<> decodes, each once, and what its handler gets (OnMessage takes any
// other message as it comes):
//   WM_CREATE           bool Handler(const CREATESTRUCTA& cs)    false: no window (-1)
//   WM_DESTROY, WM_CLOSE, WM_PAINT, WM_TIMECHANGE
//                       void Handler()
//   WM_ERASEBKGND       bool Handler(HDC dc)                     true: background drawn
//   WM_PRINTCLIENT      void Handler(HDC dc, UINT flags)         PRF_* flags
//   WM_TIMER            void Handler(UINT_PTR id)
//   WM_SYSCOMMAND       void Handler(UINT command)               low four bits cleared
//   WM_CONTEXTMENU      void Handler(HWND window, POINT screen)  {-1, -1}: the keyboard
//   WM_QUERYENDSESSION  bool Handler()                           true: the session may end
//   WM_QUERYDRAGICON    HICON Handler()
//   WM_VSCROLL, WM_HSCROLL
//                       void Handler(UINT code, int position, HWND scrollBar)
//   WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP,
//   WM_RBUTTONDBLCLK    void Handler(UINT keys, POINT client)    MK_* keys
// The tables are searched from the most derived class to CWnd; the first matching entry
// runs. A handler may call SetMsgHandled(false) to let the default procedure run after
// it, or DefaultProc() to run the default procedure first. Messages no table handles go
// to the default procedure (DefWindowProc, the subclassed control's own procedure, or
// the dialog manager). The window procedures are noexcept: nothing escapes them.

#include "framework/Window.h"

#include <span>

namespace mereth {

class CWnd;

struct MessageEntry {
    enum Kind : unsigned char { MESSAGE, COMMAND, NOTIFY };
    Kind kind;
    UINT message; // MESSAGE only
    UINT idFirst; // COMMAND, NOTIFY
    UINT idLast;  // COMMAND, NOTIFY
    bool anyCode; // COMMAND: any notification code
    UINT code;    // COMMAND: HIWORD(wParam); NOTIFY: NMHDR::code
    LRESULT (*invoke)(CWnd& wnd, WPARAM wParam, LPARAM lParam);

    bool Matches(UINT msg, WPARAM wParam, LPARAM lParam) const;
};

struct MessageMap {
    std::span<const MessageEntry> entries;
    const MessageMap* base;
};

class CWnd : public CWindow {
public:
    CWnd() = default;
    // A window still alive when its object goes is destroyed without reaching the object.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Creates the window on the framework's default class (CS_DBLCLKS | CS_HREDRAW |
    // CS_VREDRAW, arrow cursor, no background brush), calling PreCreateWindow first.
    // With WS_CHILD, id is the control id; otherwise it must be 0. False on failure.
    bool Create(const char* windowName, DWORD style, const RECT& rect, HWND parent, UINT id,
                DWORD exStyle = 0);

    // The number of modal runs this window owns right now: dialogs and property sheets
    // run on it, and its MessageBox. Use it to refuse ending while one is open.
    int OpenModalCount() const { return m_openModalCount; }
    // A message box owned by this window, counted in OpenModalCount. A null caption
    // takes the application's name.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

    static constexpr MessageMap MESSAGE_MAP{{}, nullptr};
    virtual const MessageMap& GetMessageMap() const { return MESSAGE_MAP; }

    static const char* DefaultClassName() { return "MerethWindow"; }

protected:
    // May change the rectangle, name, style and parent before the window is created.
    // Returning false cancels the creation.
    virtual bool PreCreateWindow(CREATESTRUCTA& cs);

    // All messages of the window pass here; true means handled with result set. The
    // default searches the tables. Dialogs and controls add their built-in handling.
    virtual bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The procedure that handles what the object does not.
    virtual LRESULT DefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Within a handler: the default procedure for the message being handled, now.
    LRESULT DefaultProc();
    // Within a handler: false lets the default procedure run once the handler returns.
    void SetMsgHandled(bool handled) { m_msgHandled = handled; }

    bool DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // ProcessMessage with the current message recorded for DefaultProc; reentrant.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    friend class CModalScope;

private:
    static LRESULT CALLBACK StaticWindowProc(HWND hWnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) noexcept;

    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    CurrentMessage m_current{};
    bool m_msgHandled = false;
    bool m_ownClass = false; // created by Create: the slot is in our class's extra bytes
    int m_openModalCount = 0;
};

// One modal run: works out its owner and counts the run on it for as long as it lives.
// The owner is the given window, else the application's main window while it has one
// (unless that is the window being run), else none.
class CModalScope {
public:
    explicit CModalScope(CWnd* owner, const CWnd* running = nullptr)
        : m_owner(owner ? owner : MainWindowOwner(running)) {
        if (m_owner) {
            ++m_owner->m_openModalCount;
        }
    }
    ~CModalScope() {
        if (m_owner) {
            --m_owner->m_openModalCount;
        }
    }
    CModalScope(const CModalScope&) = delete;
    CModalScope& operator=(const CModalScope&) = delete;

    CWnd* Owner() const { return m_owner; }
    // The owner's top-level window, the one a modal run disables; null for none.
    HWND OwnerWindow() const { return m_owner ? GetAncestor(m_owner->Handle(), GA_ROOT) : nullptr; }

private:
    static CWnd* MainWindowOwner(const CWnd* running);
    CWnd* m_owner;
};

namespace detail {
template <class T> struct MemberOf;
template <class C, class R, class... A> struct MemberOf<R (C::*)(A...)> { using Class = C; };

template <auto Handler> LRESULT InvokeMessage(CWnd& wnd, WPARAM wParam, LPARAM lParam) {
    using C = typename MemberOf<decltype(Handler)>::Class;
    return (static_cast<C&>(wnd).*Handler)(wParam, lParam);
}
template <auto Handler> LRESULT InvokeCommand(CWnd& wnd, WPARAM, LPARAM) {
    using C = typename MemberOf<decltype(Handler)>::Class;
    (static_cast<C&>(wnd).*Handler)();
    return 0;
}
template <auto Handler> LRESULT InvokeCommandId(CWnd& wnd, WPARAM wParam, LPARAM) {
    using C = typename MemberOf<decltype(Handler)>::Class;
    (static_cast<C&>(wnd).*Handler)(LOWORD(wParam));
    return 0;
}
template <auto Handler> LRESULT InvokeNotify(CWnd& wnd, WPARAM, LPARAM lParam) {
    using C = typename MemberOf<decltype(Handler)>::Class;
    return (static_cast<C&>(wnd).*Handler)(reinterpret_cast<NMHDR*>(lParam));
}

// Signed, so points left of or above the primary monitor stay negative.
inline POINT PointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

template <UINT Message, auto Handler>
LRESULT InvokeDecoded(CWnd& wnd, WPARAM wParam, LPARAM lParam) {
    auto& w = static_cast<typename MemberOf<decltype(Handler)>::Class&>(wnd);
    if constexpr (Message == WM_CREATE) {
        return (w.*Handler)(*reinterpret_cast<const CREATESTRUCTA*>(lParam)) ? 0 : -1;
    } else if constexpr (Message == WM_ERASEBKGND) {
        return (w.*Handler)(reinterpret_cast<HDC>(wParam)) ? 1 : 0;
    } else if constexpr (Message == WM_PRINTCLIENT) {
        (w.*Handler)(reinterpret_cast<HDC>(wParam), static_cast<UINT>(lParam));
    } else if constexpr (Message == WM_TIMER) {
        (w.*Handler)(static_cast<UINT_PTR>(wParam));
    } else if constexpr (Message == WM_SYSCOMMAND) {
        (w.*Handler)(static_cast<UINT>(wParam & 0xFFF0));
    } else if constexpr (Message == WM_CONTEXTMENU) {
        (w.*Handler)(reinterpret_cast<HWND>(wParam), PointOf(lParam));
    } else if constexpr (Message == WM_QUERYENDSESSION) {
        return (w.*Handler)() ? TRUE : FALSE;
    } else if constexpr (Message == WM_QUERYDRAGICON) {
        return reinterpret_cast<LRESULT>((w.*Handler)());
    } else if constexpr (Message == WM_VSCROLL || Message == WM_HSCROLL) {
        (w.*Handler)(static_cast<UINT>(LOWORD(wParam)), static_cast<int>(HIWORD(wParam)),
                     reinterpret_cast<HWND>(lParam));
    } else if constexpr (Message == WM_LBUTTONDOWN || Message == WM_LBUTTONUP ||
                         Message == WM_LBUTTONDBLCLK || Message == WM_RBUTTONDOWN ||
                         Message == WM_RBUTTONUP || Message == WM_RBUTTONDBLCLK) {
        (w.*Handler)(static_cast<UINT>(wParam), PointOf(lParam));
    } else {
        static_assert(Message == WM_DESTROY || Message == WM_CLOSE || Message == WM_PAINT ||
                          Message == WM_TIMECHANGE,
                      "no decoded form for this message: use OnMessage");
        (w.*Handler)();
    }
    return 0;
}
} // namespace detail

template <UINT Message, auto Handler> constexpr MessageEntry On() {
    return {
        MessageEntry::MESSAGE, Message, 0, 0, false, 0, &detail::InvokeDecoded<Message, Handler>};
}

template <auto Handler> constexpr MessageEntry OnMessage(UINT message) {
    return {MessageEntry::MESSAGE, message, 0, 0, false, 0, &detail::InvokeMessage<Handler>};
}
template <auto Handler> constexpr MessageEntry OnCommand(UINT id, UINT code) {
    return {MessageEntry::COMMAND,          WM_COMMAND, id, id, false, code,
            &detail::InvokeCommand<Handler>};
}
template <auto Handler> constexpr MessageEntry OnCommand(UINT id) {
    return {MessageEntry::COMMAND, WM_COMMAND, id, id, true, 0, &detail::InvokeCommand<Handler>};
}
template <auto Handler> constexpr MessageEntry OnCommandRange(UINT first, UINT last) {
    return {
        MessageEntry::COMMAND, WM_COMMAND, first, last, true, 0, &detail::InvokeCommandId<Handler>};
}
template <auto Handler> constexpr MessageEntry OnNotify(UINT idFrom, UINT code) {
    return {MessageEntry::NOTIFY,          WM_NOTIFY, idFrom, idFrom, false, code,
            &detail::InvokeNotify<Handler>};
}

} // namespace mereth
