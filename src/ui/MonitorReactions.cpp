#include "ui/MonitorReactions.h"

#include "ui/MenuState.h"

namespace mereth {

PollReaction ReactToPoll(PollEvent event) {
    switch (event) {
    case PollEvent::Started:
    case PollEvent::Switched:
        return {TrayPicture::Online, true};
    case PollEvent::Ended:
        return {TrayPicture::Idle, true};
    case PollEvent::Running:
    case PollEvent::Idle:
        break;
    }
    return {};
}

StatusReaction ReactToStatusTick(bool connected, int record, RasConnState state, bool windowVisible,
                                 bool trayIconAdded) {
    StatusReaction reaction;
    reaction.status = ChooseStatus(connected, record, state);
    reaction.flash = reaction.status == ConnectionStatus::NotConnected;
    reaction.showWindow = !windowVisible && !trayIconAdded;
    return reaction;
}

TrayPicture ReactToBlink(bool connected) {
    return connected ? TrayPicture::Unchanged : TrayPicture::Idle;
}

bool MayApplyReset(int controlId, bool connectedNow) {
    return !connectedNow && ContextMenuOf(controlId) != ContextMenu::None;
}

} // namespace mereth
