#pragma once

// The pop-up menus of the main window: loading, setting up from the portable decisions
// and tracking them the way a notification-area program must.

#include "framework/Gdi.h"
#include "ui/MenuState.h"

#include <windows.h>

namespace mereth {

// Loads menu resource id; its first pop-up is the menu to track.
class CPopupMenu {
public:
    explicit CPopupMenu(UINT resourceId);
    HMENU Popup() const { return m_popup; }
    explicit operator bool() const { return m_popup != nullptr; }

private:
    CMenu m_menu;
    HMENU m_popup = nullptr;
};

// The sub-menu whose item text is exactly text, searched from the last item up.
HMENU FindSubMenu(HMENU popup, const char* text);

// Greys and checks the items of an indicator's menu; the colour item by its position
// in the "Colour" sub-menu.
void ApplyContextMenuState(HMENU popup, const ContextMenuState& state);

void ApplyTrayMenuState(HMENU popup, const TrayMenuState& state);

// Tracks the pop-up with its right edge at the point (screen coordinates), either
// button choosing: the owner comes to the foreground first and gets a null message
// afterwards, or the menu would not close when the user clicks elsewhere. The chosen
// command reaches the owner as WM_COMMAND.
void TrackPopup(HWND owner, HMENU popup, POINT screenPoint);

} // namespace mereth
