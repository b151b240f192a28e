#include "ui/MenuState.h"

#include "accounting/IndicatorIds.h"

namespace mereth {

namespace {

// Amounts below this show as zero in every currency format.
constexpr float ZERO_AMOUNT = 0.000001f;

const char* const RESET_TIME_QUESTION =
    "Are you sure you want to reset this time indicator ?\n\nDoing so will also reset all "
    "indicators below it chronologically together with the corresponding cost and login "
    "indicators";
const char* const RESET_COST_QUESTION =
    "Are you sure you want to reset this cost indicator ?\n\nDoing so will also reset all "
    "indicators below it chronologically together with the corresponding time and login "
    "indicators";
const char* const RESET_LOGIN_QUESTION =
    "Are you sure you want to reset this login indicator ?\n\nDoing so will also reset all "
    "indicators below it chronologically together with the corresponding time and cost "
    "indicators";

} // namespace

int ColourPosition(Colour colour) {
    for (int k = COLOUR_COUNT - 1; k >= 0; --k) {
        if (COLOUR_TABLE[k] == colour) {
            return k;
        }
    }
    return -1;
}

int ColourPositionOfCommand(int commandId) {
    int k = commandId - COLOUR_COMMAND_FIRST;
    return k >= 0 && k < COLOUR_COUNT ? k : -1;
}

ContextMenu ContextMenuOf(int controlId) {
    using namespace indicator_id;
    switch (controlId) {
    case TOTAL_TIME:
    case YEAR_TIME:
    case MONTH_TIME:
    case TODAY_TIME:
    case CONN_TIME:
        return ContextMenu::Duration;
    case TOTAL_COST:
    case YEAR_COST:
    case MONTH_COST:
    case TODAY_COST:
    case CONN_COST:
        return ContextMenu::Cost;
    case TOTAL_LOGINS:
    case YEAR_LOGINS:
    case MONTH_LOGINS:
    case TODAY_LOGINS:
        return ContextMenu::Login;
    default:
        return ContextMenu::None;
    }
}

ContextMenuState DecideContextMenu(const MenuTargetState& target, bool connected) {
    ContextMenuState state;
    state.menu = ContextMenuOf(target.controlId);
    switch (state.menu) {
    case ContextMenu::Duration:
        state.showSecondsChecked = target.showSeconds;
        // Today never shows a days field, so the choice is not offered there.
        state.showDaysGreyed = target.controlId == indicator_id::TODAY_TIME;
        state.showDaysChecked = !state.showDaysGreyed && target.showDays;
        state.resetGreyed = connected || target.span == 0;
        break;
    case ContextMenu::Cost:
        state.resetGreyed = connected || target.amount < ZERO_AMOUNT;
        break;
    case ContextMenu::Login:
        state.resetGreyed = connected || target.text == "0";
        break;
    case ContextMenu::None:
        return state;
    }
    state.checkedColour = ColourPosition(target.textColour);
    return state;
}

bool MenuCommandApplies(int commandId, int targetId) {
    const ContextMenu menu = ContextMenuOf(targetId);
    switch (commandId) {
    case menu_command::SHOW_DAYS:
        return menu == ContextMenu::Duration && targetId != indicator_id::TODAY_TIME;
    case menu_command::SHOW_SECONDS:
        return menu == ContextMenu::Duration;
    case menu_command::RESET:
        return menu != ContextMenu::None;
    default:
        return menu != ContextMenu::None && ColourPositionOfCommand(commandId) >= 0;
    }
}

const char* ResetQuestion(int controlId) {
    switch (ContextMenuOf(controlId)) {
    case ContextMenu::Duration:
        return RESET_TIME_QUESTION;
    case ContextMenu::Cost:
        return RESET_COST_QUESTION;
    default:
        return RESET_LOGIN_QUESTION;
    }
}

TrayMenuState DecideTrayMenu(int openModalWindows) {
    return TrayMenuState{!MayOpenOrEnd(openModalWindows)};
}

bool MayOpenOrEnd(int openModalWindows) {
    return openModalWindows == 0;
}

} // namespace mereth
