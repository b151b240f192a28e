#include "ui/MenuState.h"

#include "accounting/IndicatorIds.h"

#include <gtest/gtest.h>

#include <string>

namespace mereth {
namespace {

using namespace indicator_id;

TEST(MenuState, MenuByIndicator) {
    for (int id : {TOTAL_TIME, YEAR_TIME, MONTH_TIME, TODAY_TIME, CONN_TIME}) {
        EXPECT_EQ(static_cast<int>(ContextMenuOf(id)), 135) << id;
    }
    for (int id : {TOTAL_COST, YEAR_COST, MONTH_COST, TODAY_COST, CONN_COST}) {
        EXPECT_EQ(static_cast<int>(ContextMenuOf(id)), 136) << id;
    }
    for (int id : {TOTAL_LOGINS, YEAR_LOGINS, MONTH_LOGINS, TODAY_LOGINS}) {
        EXPECT_EQ(static_cast<int>(ContextMenuOf(id)), 137) << id;
    }
    // The blank Conn login indicator, the list, a caption, the dialog's own surface.
    for (int id : {CONN_LOGINS, 1007, 1015, 0}) {
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
         {TOTAL_TIME, 5, true, true, 0, "", 0x000000},
         false,
         true,
         true,
         false,
         false,
         0},
        {"fields off",
         {YEAR_TIME, 5, false, false, 0, "", 0x0000FF},
         false,
         false,
         false,
         false,
         false,
         4},
        {"today keeps days greyed and unchecked",
         {TODAY_TIME, 5, true, true, 0, "", 0},
         false,
         true,
         false,
         true,
         false,
         0},
        {"zero duration", {CONN_TIME, 0, true, true, 0, "", 0}, false, true, true, false, true, 0},
        {"while connected",
         {MONTH_TIME, 5, true, true, 0, "", 0},
         true,
         true,
         true,
         false,
         true,
         0},
        {"amount",
         {TOTAL_COST, 0, true, true, 0.01f, "", 0xFFFFFF},
         false,
         false,
         false,
         false,
         false,
         8},
        {"tiny amount",
         {CONN_COST, 0, true, true, 0.0000009f, "", 0},
         false,
         false,
         false,
         false,
         true,
         0},
        {"amount while connected",
         {CONN_COST, 0, true, true, 5.0f, "", 0},
         true,
         false,
         false,
         false,
         true,
         0},
        {"logins",
         {TODAY_LOGINS, 0, true, true, 0, "10", 0x808080},
         false,
         false,
         false,
         false,
         false,
         1},
        {"no logins",
         {TODAY_LOGINS, 0, true, true, 0, "0", 0},
         false,
         false,
         false,
         false,
         true,
         0},
        {"logins while connected",
         {TOTAL_LOGINS, 0, true, true, 0, "3", 0},
         true,
         false,
         false,
         false,
         true,
         0},
        {"colour in no position",
         {TOTAL_COST, 0, true, true, 1.0f, "", 0x123456},
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
    EXPECT_EQ(DecideContextMenu({CONN_LOGINS, 0, true, true, 0, "", 0}, false).menu,
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
        {menu_command::SHOW_DAYS, TOTAL_TIME, true},
        {menu_command::SHOW_DAYS, TODAY_TIME, false},
        {menu_command::SHOW_DAYS, TOTAL_COST, false},
        {menu_command::SHOW_SECONDS, TODAY_TIME, true},
        {menu_command::SHOW_SECONDS, MONTH_LOGINS, false},
        {menu_command::RESET, CONN_COST, true},
        {menu_command::RESET, CONN_LOGINS, false},
        {menu_command::RESET, 0, false}, // no target
        {32795, YEAR_LOGINS, true},
        {32803, CONN_TIME, true},
        {32803, 0, false},
        {32804, CONN_TIME, false},
        {32784, CONN_TIME, false}, // Cancel
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
        {MONTH_TIME, time}, {TODAY_TIME, time},   {CONN_TIME, time},     {TOTAL_COST, cost},
        {CONN_COST, cost},  {YEAR_LOGINS, login}, {TOTAL_LOGINS, login}, {CONN_LOGINS, login},
    };
    for (const auto& [id, question] : cases) {
        EXPECT_STREQ(ResetQuestion(id), question) << id;
    }
    EXPECT_STREQ(RESET_CAPTION, "Reset Indicator");
}

TEST(MenuState, ExitWaitsForEveryModalWindowToClose) {
    // Nothing open; the sheet; a question over the sheet.
    for (int open : {0, 1, 2}) {
        EXPECT_EQ(open > 0, DecideTrayMenu(open).exitGreyed) << open;
        EXPECT_EQ(open == 0, MayOpenOrEnd(open)) << open;
    }
}

} // namespace
} // namespace mereth
