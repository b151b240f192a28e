#pragma once

#include "res/resource.h"
#include "ui/DisplaySettings.h"
#include "ui/UserTexts.h"

#include <cstdint>
#include <string_view>

namespace mereth {

// The colour table of the Colour sub-menus: position k is command COLOUR_COMMAND_FIRST + k.
constexpr int COLOUR_COUNT = 9;
constexpr int COLOUR_COMMAND_FIRST = ID_COLOUR_FIRST;
static_assert(ID_COLOUR_LAST - ID_COLOUR_FIRST + 1 == COLOUR_COUNT);
inline constexpr Colour COLOUR_TABLE[COLOUR_COUNT] = {
    0x000000, // Black
    0x808080, // Grey
    0xFF0000, // Blue
    0x00FF00, // Green
    0x0000FF, // Red
    0xFF00FF, // Magenta
    0x00FFFF, // Yellow
    0xFFFF00, // Cyan
    0xFFFFFF, // White
};

// The table position of a colour, searched from White down to Black; -1 for none.
int ColourPosition(Colour colour);
// The table position of a colour command, -1 for any other command.
int ColourPositionOfCommand(int commandId);

// The context menu an indicator gets, by its menu resource.
enum class ContextMenu {
    None = 0,
    Duration = IDR_DURATION_MENU,
    Cost = IDR_COST_MENU,
    Login = IDR_LOGIN_MENU
};

// By control id; the Conn login indicator (always blank) and anything else get none.
ContextMenu ContextMenuOf(int controlId);

// What the menu is opened for: the indicator and what it shows.
struct MenuTargetState {
    int controlId = 0;
    std::int32_t span = 0; // duration indicators: seconds shown
    bool showSeconds = true;
    bool showDays = true;
    float amount = 0.0f;   // cost indicators: the amount shown
    std::string_view text; // login indicators: the text shown
    Colour textColour = COLOUR_BLACK;
};

// How to set up the loaded menu before it is tracked.
struct ContextMenuState {
    ContextMenu menu = ContextMenu::None;
    bool showSecondsChecked = false;
    bool showDaysChecked = false;
    bool showDaysGreyed = false;
    bool resetGreyed = false;
    int checkedColour = -1; // a position of the Colour sub-menu; -1 checks none
};

// Reset is offered only between connections and for a figure that is not zero.
ContextMenuState DecideContextMenu(const MenuTargetState& target, bool connected);

// The commands of the context menus that act on the indicator the menu was opened for.
namespace menu_command {
constexpr int SHOW_DAYS = ID_SHOW_DAYS;
constexpr int SHOW_SECONDS = ID_SHOW_SECONDS;
constexpr int RESET = ID_RESET;
} // namespace menu_command

// Whether a command may act on the indicator: only one its menu offers it for, so a
// command that arrives with no target, or for an indicator of another kind, does nothing.
bool MenuCommandApplies(int commandId, int targetId);

// The reset question for the kind of the indicator.
const char* ResetQuestion(int controlId);

struct TrayMenuState {
    bool exitGreyed = false;
    bool backupGreyed = false;
    bool restoreGreyed = false;
    bool startWithWindowsChecked = false;
};

// Exit, Back up and Restore are greyed while any of the program's own modal windows
// (the About box, a question, the Set Charges sheet, a file dialog) is open, so the
// dialog never ends or reloads under a running modal loop. Restore also waits for the
// end of a call: it replaces the figures the call is adding to.
TrayMenuState DecideTrayMenu(int openModalWindows, bool connected = false,
                             bool startsWithWindows = false);

// Whether Exit, the close box and Set Charges may act now.
bool MayOpenOrEnd(int openModalWindows);

} // namespace mereth
