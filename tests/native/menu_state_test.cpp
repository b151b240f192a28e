#include "ui/MenuState.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace mereth {
namespace {

TEST(MenuState, MenuByIndicator) {
    for (int id : {IDC_TOTAL_TIME, IDC_YEAR_TIME, IDC_MONTH_TIME, IDC_TODAY_TIME, IDC_CONN_TIME}) {
        EXPECT_EQ(static_cast<int>(ContextMenuOf(id)), 135) << id;
    }
    for (int id : {IDC_TOTAL_COST, IDC_YEAR_COST, IDC_MONTH_COST, IDC_TODAY_COST, IDC_CONN_COST}) {
        EXPECT_EQ(static_cast<int>(ContextMenuOf(id)), 136) << id;
    }
    for (int id : {IDC_TOTAL_LOGINS, IDC_YEAR_LOGINS, IDC_MONTH_LOGINS, IDC_TODAY_LOGINS}) {
        EXPECT_EQ(static_cast<int>(ContextMenuOf(id)), 137) << id;
    }
    // The blank Conn login indicator, the list, a caption, the dialog's own surface.
    for (int id : {IDC_CONN_LOGINS, 1007, 1015, 0}) {
        EXPECT_EQ(ContextMenuOf(id), ContextMenu::None) << id;
    }
}

TEST(MenuState, ItemsGreyedAndChecked) {
    struct Case {
        const char* what;
        MenuTargetState target;
        bool connected;
        bool secondsChecked, daysChecked, daysGreyed, resetGreyed;
        int colour;
    };
    const Case cases[] = {
        {"total time",
         {IDC_TOTAL_TIME, 5, true, true, 0, "", 0x000000},
         false,
         true,
         true,
         false,
         false,
         0},
        {"fields off",
         {IDC_YEAR_TIME, 5, false, false, 0, "", 0x0000FF},
         false,
         false,
         false,
         false,
         false,
         4},
        {"today keeps days greyed and unchecked",
         {IDC_TODAY_TIME, 5, true, true, 0, "", 0},
         false,
         true,
         false,
         true,
         false,
         0},
        {"zero duration",
         {IDC_CONN_TIME, 0, true, true, 0, "", 0},
         false,
         true,
         true,
         false,
         true,
         0},
        {"while connected",
         {IDC_MONTH_TIME, 5, true, true, 0, "", 0},
         true,
         true,
         true,
         false,
         true,
         0},
        {"amount",
         {IDC_TOTAL_COST, 0, true, true, 0.01f, "", 0xFFFFFF},
         false,
         false,
         false,
         false,
         false,
         8},
        {"tiny amount",
         {IDC_CONN_COST, 0, true, true, 0.0000009f, "", 0},
         false,
         false,
         false,
         false,
         true,
         0},
        {"amount while connected",
         {IDC_CONN_COST, 0, true, true, 5.0f, "", 0},
         true,
         false,
         false,
         false,
         true,
         0},
        {"logins",
         {IDC_TODAY_LOGINS, 0, true, true, 0, "10", 0x808080},
         false,
         false,
         false,
         false,
         false,
         1},
        {"no logins",
         {IDC_TODAY_LOGINS, 0, true, true, 0, "0", 0},
         false,
         false,
         false,
         false,
         true,
         0},
        {"logins while connected",
         {IDC_TOTAL_LOGINS, 0, true, true, 0, "3", 0},
         true,
         false,
         false,
         false,
         true,
         0},
        {"colour in no position",
         {IDC_TOTAL_COST, 0, true, true, 1.0f, "", 0x123456},
         false,
         false,
         false,
         false,
         false,
         -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ContextMenuState state = DecideContextMenu(c.target, c.connected);
        EXPECT_EQ(state.menu, ContextMenuOf(c.target.controlId));
        EXPECT_EQ(state.showSecondsChecked, c.secondsChecked);
        EXPECT_EQ(state.showDaysChecked, c.daysChecked);
        EXPECT_EQ(state.showDaysGreyed, c.daysGreyed);
        EXPECT_EQ(state.resetGreyed, c.resetGreyed);
        EXPECT_EQ(state.checkedColour, c.colour);
    }
    EXPECT_EQ(DecideContextMenu({IDC_CONN_LOGINS, 0, true, true, 0, "", 0}, false).menu,
              ContextMenu::None);
}

TEST(MenuState, ColourTableAndCommands) {
    // Position, command and colour as the menus name them (0x00BBGGRR).
    const std::pair<int, Colour> table[] = {{0, 0x000000}, {1, 0x808080}, {2, 0xFF0000},
                                            {3, 0x00FF00}, {4, 0x0000FF}, {5, 0xFF00FF},
                                            {6, 0x00FFFF}, {7, 0xFFFF00}, {8, 0xFFFFFF}};
    for (const auto& [position, colour] : table) {
        EXPECT_EQ(ColourPosition(colour), position);
        EXPECT_EQ(ColourPositionOfCommand(32795 + position), position);
    }
    EXPECT_EQ(ColourPosition(0x010101), -1);
    EXPECT_EQ(ColourPositionOfCommand(32794), -1);
    EXPECT_EQ(ColourPositionOfCommand(32804), -1);
    EXPECT_EQ(ColourPositionOfCommand(32793), -1); // Reset
}

TEST(MenuState, CommandsActOnlyOnATargetTheyAreOfferedFor) {
    struct Case {
        int command;
        int target;
        bool applies;
    };
    const Case cases[] = {
        {menu_command::SHOW_DAYS, IDC_TOTAL_TIME, true},
        {menu_command::SHOW_DAYS, IDC_TODAY_TIME, false},
        {menu_command::SHOW_DAYS, IDC_TOTAL_COST, false},
        {menu_command::SHOW_SECONDS, IDC_TODAY_TIME, true},
        {menu_command::SHOW_SECONDS, IDC_MONTH_LOGINS, false},
        {menu_command::RESET, IDC_CONN_COST, true},
        {menu_command::RESET, IDC_CONN_LOGINS, false},
        {menu_command::RESET, 0, false}, // no target
        {32795, IDC_YEAR_LOGINS, true},
        {32803, IDC_CONN_TIME, true},
        {32803, 0, false},
        {32804, IDC_CONN_TIME, false},
        {32784, IDC_CONN_TIME, false}, // Cancel
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MenuCommandApplies(c.command, c.target), c.applies)
            << c.command << " " << c.target;
    }
}

TEST(MenuState, ResetQuestionByKind) {
    const char* const time =
        "Are you sure you want to reset this time indicator ?\n\nDoing so will also reset all "
        "indicators below it chronologically together with the corresponding cost and login "
        "indicators";
    const char* const cost =
        "Are you sure you want to reset this cost indicator ?\n\nDoing so will also reset all "
        "indicators below it chronologically together with the corresponding time and login "
        "indicators";
    const char* const login =
        "Are you sure you want to reset this login indicator ?\n\nDoing so will also reset all "
        "indicators below it chronologically together with the corresponding time and cost "
        "indicators";
    const std::pair<int, const char*> cases[] = {
        {IDC_MONTH_TIME, time},    {IDC_TODAY_TIME, time},   {IDC_CONN_TIME, time},
        {IDC_TOTAL_COST, cost},    {IDC_CONN_COST, cost},    {IDC_YEAR_LOGINS, login},
        {IDC_TOTAL_LOGINS, login}, {IDC_CONN_LOGINS, login},
    };
    for (const auto& [id, question] : cases) {
        EXPECT_STREQ(ResetQuestion(id), question) << id;
    }
    EXPECT_STREQ(RESET_CAPTION, "Reset Indicator");
}

TEST(MenuState, ExitWaitsForEveryModalWindowToClose) {
    // Nothing open; the sheet; a question over the sheet.
    for (int open : {0, 1, 2}) {
        for (bool connected : {false, true}) {
            const TrayMenuState state = DecideTrayMenu(open, connected, connected);
            EXPECT_EQ(open > 0, state.exitGreyed) << open;
            EXPECT_EQ(open > 0, state.backupGreyed) << open;
            EXPECT_EQ(open > 0 || connected, state.restoreGreyed) << open << connected;
            EXPECT_EQ(connected, state.startWithWindowsChecked);
        }
        EXPECT_EQ(open == 0, MayOpenOrEnd(open)) << open;
    }
}

} // namespace
} // namespace mereth
