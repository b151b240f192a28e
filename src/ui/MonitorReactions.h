#pragma once

#include "accounting/PollCycle.h"
#include "ras/RasService.h"
#include "res/resource.h"
#include "ui/StatusText.h"

namespace mereth {

// The picture of the tray icon, by icon resource.
enum class TrayPicture { Unchanged = 0, Idle = IDI_IDLE, Online = IDI_ONLINE };

// What the main window adds to one poll of the watched connection: the accounting
// itself has been done by the poll cycle.
struct PollReaction {
    TrayPicture picture = TrayPicture::Unchanged;
    bool refreshLabels = false; // "This Connection" / "Last Connection"
};

PollReaction ReactToPoll(PollEvent event);

// What the main window does at a status tick.
struct StatusReaction {
    ConnectionStatus status = ConnectionStatus::NotConnected;
    // While idle the icon lights up for a moment: online now, idle at the blink timer.
    bool flash = false;
    // A hidden window without a tray icon could never be reached again.
    bool showWindow = false;
};

StatusReaction ReactToStatusTick(bool connected, int record, RasConnState state, bool windowVisible,
                                 bool trayIconAdded);

// The picture at the end of the flash; Unchanged while a connection is up.
TrayPicture ReactToBlink(bool connected);

// A reset is applied after its question only if the indicator still offers one and no
// connection began while the question was open.
bool MayApplyReset(int controlId, bool connectedNow);

} // namespace mereth
