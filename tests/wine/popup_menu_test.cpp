#include "ui/win32/PopupMenu.h"

#include "res/resource.h"

#include <gtest/gtest.h>

namespace mereth {
namespace {

UINT StateOf(HMENU menu, UINT item, UINT by = MF_BYCOMMAND) {
    return ::GetMenuState(menu, item, by);
}

TEST(PopupMenu, IndicatorMenusTakeTheirGreyingAndChecks) {
    struct Case {
        UINT resource;
        ContextMenuState state;
    };
    const Case cases[] = {
        {IDR_DURATION_MENU, {ContextMenu::Duration, true, false, true, true, 3}},
        {IDR_DURATION_MENU, {ContextMenu::Duration, false, true, false, false, 8}},
        {IDR_COST_MENU, {ContextMenu::Cost, false, false, false, true, 0}},
        {IDR_LOGIN_MENU, {ContextMenu::Login, false, false, false, false, -1}},
    };
    for (const Case& c : cases) {
        CPopupMenu menu(c.resource);
        ASSERT_TRUE(menu) << c.resource;
        ApplyContextMenuState(menu.Popup(), c.state);
        EXPECT_EQ(nullptr, FindSubMenu(menu.Popup(), "Reset")); // not a sub-menu
        HMENU colours = FindSubMenu(menu.Popup(), "Colour");
        ASSERT_NE(nullptr, colours) << c.resource;
        ASSERT_EQ(COLOUR_COUNT, ::GetMenuItemCount(colours));
        for (int k = 0; k < COLOUR_COUNT; ++k) {
            EXPECT_EQ(k == c.state.checkedColour,
                      (StateOf(colours, k, MF_BYPOSITION) & MF_CHECKED) != 0)
                << c.resource << " colour " << k;
        }
        EXPECT_EQ(c.state.resetGreyed, (StateOf(menu.Popup(), ID_RESET) & MF_GRAYED) != 0);
        if (c.resource == IDR_DURATION_MENU) {
            const UINT days = StateOf(menu.Popup(), ID_SHOW_DAYS);
            EXPECT_EQ(c.state.showDaysGreyed, (days & MF_GRAYED) != 0);
            EXPECT_EQ(c.state.showDaysChecked, (days & MF_CHECKED) != 0);
            EXPECT_EQ(c.state.showSecondsChecked,
                      (StateOf(menu.Popup(), ID_SHOW_SECONDS) & MF_CHECKED) != 0);
        }
    }
}

TEST(PopupMenu, TrayMenuStateReachesItsItems) {
    for (bool on : {false, true}) {
        CPopupMenu menu(IDR_TRAYMENU);
        ASSERT_TRUE(menu);
        ApplyTrayMenuState(menu.Popup(), TrayMenuState{on, !on, on, !on});
        EXPECT_EQ(on, (StateOf(menu.Popup(), ID_TRAY_EXIT) & MF_GRAYED) != 0);
        EXPECT_EQ(!on, (StateOf(menu.Popup(), ID_TRAY_BACKUP) & MF_GRAYED) != 0);
        EXPECT_EQ(on, (StateOf(menu.Popup(), ID_TRAY_RESTORE) & MF_GRAYED) != 0);
        EXPECT_EQ(!on, (StateOf(menu.Popup(), ID_TRAY_START_WITH_WINDOWS) & MF_CHECKED) != 0);
        EXPECT_EQ(0u, StateOf(menu.Popup(), ID_TRAY_SHOW) & MF_GRAYED);
        EXPECT_EQ(0u, StateOf(menu.Popup(), ID_TRAY_REPORT) & MF_GRAYED);
    }
}

} // namespace
} // namespace mereth
