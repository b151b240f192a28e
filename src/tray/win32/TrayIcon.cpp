#include "tray/win32/TrayIcon.h"

#include "framework/Application.h"

#include <cstdlib>
#include <cstring>

namespace mereth {

namespace {

class CSystemNotifyShell : public INotifyShell {
public:
    bool NotifyIcon(DWORD message, const NOTIFYICONDATAA& data) override {
        return ::Shell_NotifyIconA(message, const_cast<NOTIFYICONDATAA*>(&data)) != FALSE;
    }
};

bool IsLeadByte(unsigned char byte) {
    return ::IsDBCSLeadByte(byte) != FALSE;
}

// A press and its release count as a click only when the pointer stayed within the
// system's drag distance: anything farther is a drag that began or ended elsewhere.
bool WithinClickDistance(POINT press, POINT release) {
    return std::abs(release.x - press.x) <= ::GetSystemMetrics(SM_CXDRAG) &&
           std::abs(release.y - press.y) <= ::GetSystemMetrics(SM_CYDRAG);
}

constexpr UINT BALLOON_TIMEOUT = 10000; // ms; the shell holds it within its own limits

// Copies text into a field of capacity bytes (its NUL included), cut on a character
// boundary.
void CopyCut(char* field, std::size_t capacity, const char* text) {
    std::size_t length = 0;
    while (text[length] != '\0') {
        const std::size_t step =
            IsLeadByte(static_cast<unsigned char>(text[length])) && text[length + 1] != '\0' ? 2
                                                                                             : 1;
        if (length + step >= capacity) {
            break;
        }
        length += step;
    }
    std::memcpy(field, text, length);
    field[length] = '\0';
}

} // namespace

INotifyShell& SystemNotifyShell() {
    static CSystemNotifyShell shell;
    return shell;
}

CTrayIcon::~CTrayIcon() {
    // The window would go without reaching this object: take the icon away first.
    if (m_wanted && IsWindow()) {
        Remove();
    }
}

bool CTrayIcon::Create(DWORD style, HWND parent, UINT id, UINT iconResource, const char* tip) {
    const RECT none{0, 0, 0, 0};
    if (!CWnd::Create("TrayIcon notification window", WS_CHILD, none, parent, id)) {
        return false;
    }
    m_hTrayIcon = Picture(iconResource);
    m_tooltip.Clear();
    if (tip != nullptr) {
        CutTooltip(tip, &IsLeadByte, m_tooltip);
    }
    m_notify.hdr.hwndFrom = Handle();
    m_notify.hdr.idFrom = id;
    if ((style & WS_VISIBLE) != 0) {
        SetVisible(TRUE);
    }
    return true;
}

void CTrayIcon::SetVisible(BOOL visible) {
    if (visible != FALSE) {
        m_wanted = true;
        EnsureAdded();
        return;
    }
    // An add that reported failure may still have gone in: delete whatever was asked for.
    if (m_wanted) {
        Remove();
    }
    m_wanted = false;
    m_added = false;
}

bool CTrayIcon::EnsureAdded() {
    if (m_wanted && !m_added) {
        m_added = Add();
    }
    return m_added;
}

void CTrayIcon::ReAdd() {
    // The new notification area may still hold the icon: Add falls back to a modify.
    m_added = false;
    EnsureAdded();
}

void CTrayIcon::SetIconResource(UINT iconResource) {
    m_hTrayIcon = Picture(iconResource);
    m_shell.NotifyIcon(NIM_MODIFY, Record(NIF_ICON));
}

void CTrayIcon::SetTooltip(const char* text) {
    if (text == nullptr || text[0] == '\0') {
        m_shell.NotifyIcon(NIM_MODIFY, Record(0));
        return;
    }
    CutTooltip(text, &IsLeadByte, m_tooltip);
    m_shell.NotifyIcon(NIM_MODIFY, Record(NIF_TIP));
}

bool CTrayIcon::ShowBalloon(const char* title, const char* text) {
    NOTIFYICONDATAA data = Record(NIF_INFO);
    data.cbSize = RECORD_SIZE_BALLOON;
    CopyCut(data.szInfoTitle, sizeof data.szInfoTitle, title != nullptr ? title : "");
    CopyCut(data.szInfo, sizeof data.szInfo, text != nullptr ? text : "");
    data.uTimeout = BALLOON_TIMEOUT;
    data.dwInfoFlags = NIIF_INFO;
    return m_shell.NotifyIcon(NIM_MODIFY, data);
}

UINT CTrayIcon::TaskbarCreatedMessage() {
    static const UINT message = ::RegisterWindowMessageA("TaskbarCreated");
    return message;
}

bool CTrayIcon::Add() {
    UINT flags = NIF_MESSAGE | NIF_ICON;
    if (!m_tooltip.empty()) {
        flags |= NIF_TIP;
    }
    const NOTIFYICONDATAA record = Record(flags);
    if (m_shell.NotifyIcon(NIM_ADD, record)) {
        return true;
    }
    // The shell refuses a second add of an icon it shows (an add that timed out but went
    // in, a re-created area that kept it); the whole record then brings it up to date.
    return m_shell.NotifyIcon(NIM_MODIFY, record);
}

void CTrayIcon::Remove() {
    m_shell.NotifyIcon(NIM_DELETE, Record(0));
}

NOTIFYICONDATAA CTrayIcon::Record(UINT flags) const {
    NOTIFYICONDATAA data{};
    data.cbSize = RECORD_SIZE;
    data.hWnd = Handle();
    data.uID = static_cast<UINT>(m_notify.hdr.idFrom);
    data.uFlags = flags;
    if ((flags & NIF_MESSAGE) != 0) {
        data.uCallbackMessage = WM_TRAYNOTIFY;
    }
    if ((flags & NIF_ICON) != 0) {
        data.hIcon = m_hTrayIcon;
    }
    if ((flags & NIF_TIP) != 0) {
        static_assert(TOOLTIP_MAX_LENGTH < 64, "the first form holds 64 bytes of tip");
        std::memcpy(data.szTip, m_tooltip.c_str(), m_tooltip.size() + 1);
    }
    return data;
}

HICON CTrayIcon::Picture(UINT iconResource) {
    for (const LoadedPicture& picture : m_pictures) {
        if (picture.resource == iconResource && picture.icon) {
            return picture.icon.Get();
        }
    }
    HICON icon = static_cast<HICON>(::LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(iconResource),
                                                 IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                 ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    if (icon == nullptr) {
        return m_hTrayIcon;
    }
    // A free slot, or else one whose picture is not on display (the shell keeps a copy
    // of what it shows, but the handle is ours until it is replaced).
    LoadedPicture* slot = nullptr;
    for (LoadedPicture& picture : m_pictures) {
        if (!picture.icon) {
            slot = &picture;
            break;
        }
        if (slot == nullptr && picture.icon.Get() != m_hTrayIcon) {
            slot = &picture;
        }
    }
    slot->resource = iconResource;
    slot->icon.Reset(icon);
    return icon;
}

LRESULT CTrayIcon::OnTrayNotify(WPARAM, LPARAM lParam) {
    const UINT mouseMessage = static_cast<UINT>(lParam);
    ::GetCursorPos(&m_notify.pt);
    UINT code = 0;
    switch (mouseMessage) {
    case WM_LBUTTONUP:
        if (m_lastMouseMessage == WM_LBUTTONDOWN &&
            WithinClickDistance(m_pressPoint, m_notify.pt)) {
            code = static_cast<UINT>(NM_CLICK);
        }
        break;
    case WM_LBUTTONDBLCLK:
        code = static_cast<UINT>(NM_DBLCLK);
        break;
    case WM_RBUTTONUP:
        if (m_lastMouseMessage == WM_RBUTTONDOWN &&
            WithinClickDistance(m_pressPoint, m_notify.pt)) {
            code = static_cast<UINT>(NM_RCLICK);
        }
        break;
    case WM_RBUTTONDBLCLK:
        code = static_cast<UINT>(NM_RDBLCLK);
        break;
    default:
        break;
    }
    if (mouseMessage != WM_MOUSEMOVE) {
        m_lastMouseMessage = mouseMessage;
        if (mouseMessage == WM_LBUTTONDOWN || mouseMessage == WM_RBUTTONDOWN) {
            m_pressPoint = m_notify.pt;
        }
    }
    if (code == 0) {
        return 1;
    }
    m_notify.hdr.code = code;
    return ::SendMessageA(::GetParent(Handle()), WM_NOTIFY, m_notify.hdr.idFrom,
                          reinterpret_cast<LPARAM>(&m_notify));
}

void CTrayIcon::OnDestroy() {
    DefaultProc();
    SetVisible(FALSE); // deletes even an icon the shell never confirmed
}

} // namespace mereth
