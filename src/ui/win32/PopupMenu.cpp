#include "ui/win32/PopupMenu.h"

#include "framework/Application.h"

#include <cstring>

namespace mereth {

namespace {

void Grey(HMENU menu, UINT command, bool greyed) {
    ::EnableMenuItem(menu, command, MF_BYCOMMAND | (greyed ? MF_GRAYED : MF_ENABLED));
}

void Check(HMENU menu, UINT command, bool checked) {
    ::CheckMenuItem(menu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

} // namespace

CPopupMenu::CPopupMenu(UINT resourceId)
    : m_menu(::LoadMenuA(ResourceInstance(), MAKEINTRESOURCEA(resourceId))),
      m_popup(m_menu.SubMenu(0)) {}

HMENU FindSubMenu(HMENU popup, const char* text) {
    for (int i = ::GetMenuItemCount(popup) - 1; i >= 0; --i) {
        char itemText[20] = {};
        if (::GetMenuStringA(popup, static_cast<UINT>(i), itemText, sizeof itemText,
                             MF_BYPOSITION) > 0 &&
            std::strcmp(itemText, text) == 0) {
            return ::GetSubMenu(popup, i);
        }
    }
    return nullptr;
}

void ApplyContextMenuState(HMENU popup, const ContextMenuState& state) {
    if (state.menu == ContextMenu::Duration) {
        Check(popup, ID_SHOW_SECONDS, state.showSecondsChecked);
        Check(popup, ID_SHOW_DAYS, state.showDaysChecked);
        Grey(popup, ID_SHOW_DAYS, state.showDaysGreyed);
    }
    Grey(popup, ID_RESET, state.resetGreyed);
    HMENU colours = FindSubMenu(popup, "Colour");
    if (colours != nullptr && state.checkedColour >= 0) {
        ::CheckMenuItem(colours, static_cast<UINT>(state.checkedColour),
                        MF_BYPOSITION | MF_CHECKED);
    }
}

void ApplyTrayMenuState(HMENU popup, const TrayMenuState& state) {
    Grey(popup, ID_TRAY_EXIT, state.exitGreyed);
    Grey(popup, ID_TRAY_BACKUP, state.backupGreyed);
    Grey(popup, ID_TRAY_RESTORE, state.restoreGreyed);
    Check(popup, ID_TRAY_START_WITH_WINDOWS, state.startWithWindowsChecked);
}

void TrackPopup(HWND owner, HMENU popup, POINT screenPoint) {
    ::SetForegroundWindow(owner);
    ::TrackPopupMenu(popup, TPM_RIGHTALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0,
                     owner, nullptr);
    ::PostMessageA(owner, WM_USER, 0, 0);
}

} // namespace mereth
