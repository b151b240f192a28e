#pragma once

#include "ui/DisplaySettings.h"

#include <cstdint>
#include <string_view>

namespace mereth {

// The colour table of the Colour sub-menus: position k is command COLOUR_COMMAND_FIRST + k.
constexpr int COLOUR_COUNT = 9;
constexpr int COLOUR_COMMAND_FIRST = 32795;
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
enum class ContextMenu { None = 0, Duration = 135, Cost = 136, Login = 137 };

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
constexpr int SHOW_DAYS = 32777;
constexpr int SHOW_SECONDS = 32782;
constexpr int RESET = 32793;
} // namespace menu_command

// Whether a command may act on the indicator: only one its menu offers it for, so a
// command that arrives with no target, or for an indicator of another kind, does nothing.
bool MenuCommandApplies(int commandId, int targetId);

// The reset confirmation for the kind of the indicator.
inline constexpr const char* RESET_CAPTION = "Reset Indicator";
const char* ResetQuestion(int controlId);

inline constexpr const char* EXIT_CAPTION = "Exit Mereth";
inline constexpr const char* EXIT_QUESTION = "\nAre you sure you want to exit Mereth ?";

// The program's own modal windows (About box, questions, the Set Charges sheet) that are
// open now. While any is, Exit is greyed in the tray menu and Exit, the close box and
// Set Charges do nothing, so the dialog never ends under a running modal loop.
class CModalCount {
public:
    bool Any() const { return m_open > 0; }
    int Open() const { return m_open; }

private:
    friend class CModalCountScope;
    int m_open = 0;
};

// Counts one modal window for as long as it runs.
class CModalCountScope {
public:
    explicit CModalCountScope(CModalCount& count) : m_count(count) { ++m_count.m_open; }
    ~CModalCountScope() { --m_count.m_open; }
    CModalCountScope(const CModalCountScope&) = delete;
    CModalCountScope& operator=(const CModalCountScope&) = delete;

private:
    CModalCount& m_count;
};

struct TrayMenuState {
    bool exitGreyed = false;
};

TrayMenuState DecideTrayMenu(const CModalCount& modals);

} // namespace mereth
