#pragma once

// CTrayIcon: the program's icon in the notification area. A hidden child window of the
// main window takes the shell's callbacks and reports clicks to the parent as
// ClickNotify WM_NOTIFY (NM_CLICK, NM_DBLCLK, NM_RCLICK, NM_RDBLCLK), as an indicator
// does. The icon counts as added only once the shell has taken it: a refused add is
// followed by a modify, which succeeds when the shell holds the icon already. Until then
// EnsureAdded tries again, and ReAdd puts it back after the notification area has been
// re-created (the shell's "TaskbarCreated" broadcast). Hiding it, or destroying the
// window, deletes the icon whenever it was asked to show.

#include "core/win32/Handles.h"
#include "framework/Wnd.h"
#include "ui/StatusText.h"
#include "ui/win32/ClickNotify.h"

#include <shellapi.h>

namespace mereth {

constexpr UINT WM_TRAYNOTIFY = WM_USER + 1224; // 0x08C8

// The shell call, replaceable so that tests can see every record sent.
class INotifyShell {
public:
    virtual ~INotifyShell() = default;
    virtual bool NotifyIcon(DWORD message, const NOTIFYICONDATAA& data) = 0;
};

// Shell_NotifyIconA itself.
INotifyShell& SystemNotifyShell();

class CTrayIcon : public CWnd {
public:
    explicit CTrayIcon(INotifyShell& shell = SystemNotifyShell()) : m_shell(shell) {}
    ~CTrayIcon() override;

    // Creates the hidden window (never visible) and loads the picture; with WS_VISIBLE in
    // style the icon is added at once. False when the window cannot be created.
    bool Create(DWORD style, HWND parent, UINT id, UINT iconResource, const char* tip);

    // TRUE adds the icon unless it is in the notification area, FALSE removes it.
    void SetVisible(BOOL visible);
    // Adds the icon again if it should show and the shell has not taken it yet; true
    // when it is in the notification area.
    bool EnsureAdded();
    // The notification area was re-created empty: add the icon again if it should show.
    void ReAdd();
    bool IsAdded() const { return m_added; }

    void SetIconResource(UINT iconResource);
    // An empty text leaves the tip on display as it is.
    void SetTooltip(const char* text);

    // A balloon over the icon: NIM_MODIFY with NIF_INFO in the record's balloon form
    // (RECORD_SIZE_BALLOON). Texts are cut to the record's fields on a character
    // boundary. False when the shell refused it (one older than balloons, or no icon).
    bool ShowBalloon(const char* title, const char* text);

    // The message the shell broadcasts when it has re-created the notification area.
    static UINT TaskbarCreatedMessage();

    // The record every shell call carries: the first form of the structure.
    static constexpr DWORD RECORD_SIZE = NOTIFYICONDATAA_V1_SIZE;
    // The form with balloon fields, which every shell that shows balloons takes.
    static constexpr DWORD RECORD_SIZE_BALLOON = NOTIFYICONDATAA_V2_SIZE;

private:
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void OnDestroy();

    bool Add();
    void Remove();
    NOTIFYICONDATAA Record(UINT flags) const;
    // The picture, loaded once per resource for the life of the icon.
    HICON Picture(UINT iconResource);

    static constexpr MessageEntry MESSAGE_ENTRIES[] = {
        OnMessage<&CTrayIcon::OnTrayNotify>(WM_TRAYNOTIFY),
        On<WM_DESTROY, &CTrayIcon::OnDestroy>(),
    };

public:
    static constexpr MessageMap MESSAGE_MAP{MESSAGE_ENTRIES, &CWnd::MESSAGE_MAP};
    const MessageMap& GetMessageMap() const override { return MESSAGE_MAP; }

private:
    struct LoadedPicture {
        UINT resource = 0;
        CIcon icon;
    };
    static constexpr int PICTURE_SLOTS = 2; // idle and online

    INotifyShell& m_shell;
    TooltipText m_tooltip;
    HICON m_hTrayIcon = nullptr;
    bool m_added = false;  // the shell took the icon, by an add or by a modify after a refusal
    bool m_wanted = false; // SetVisible(TRUE) was asked and not revoked
    ClickNotify m_notify{};
    UINT m_lastMouseMessage = 0;
    POINT m_pressPoint{}; // where the last button press was, to tell a click from a drag
    LoadedPicture m_pictures[PICTURE_SLOTS];
};

} // namespace mereth
