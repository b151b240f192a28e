#include "ui/MenuState.h"

#include "ui/Indicators.h"

namespace mereth {

namespace {

// Amounts below this show as zero in every currency format.
constexpr float ZERO_AMOUNT = 0.000001f;

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
    constexpr ContextMenu BY_KIND[] = {ContextMenu::Duration, ContextMenu::Cost,
                                       ContextMenu::Login};
    const int row = IndicatorRowOf(controlId);
    return row >= 0 && ShowsFigure(INDICATORS[row]) ? BY_KIND[INDICATORS[row].kind]
                                                    : ContextMenu::None;
}

ContextMenuState DecideContextMenu(const MenuTargetState& target, bool connected) {
    ContextMenuState state;
    state.menu = ContextMenuOf(target.controlId);
    switch (state.menu) {
    case ContextMenu::Duration:
        state.showSecondsChecked = target.showSeconds;
        // Today never shows a days field, so the choice is not offered there.
        state.showDaysGreyed = !HasDaysField(INDICATORS[IndicatorRowOf(target.controlId)]);
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
        return menu == ContextMenu::Duration && HasDaysField(INDICATORS[IndicatorRowOf(targetId)]);
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

TrayMenuState DecideTrayMenu(int openModalWindows, bool connected, bool startsWithWindows) {
    const bool modal = !MayOpenOrEnd(openModalWindows);
    return TrayMenuState{modal, modal, modal || connected, startsWithWindows};
}

bool MayOpenOrEnd(int openModalWindows) {
    return openModalWindows == 0;
}

} // namespace mereth
