#include "ui/MonitorReactions.h"

#include "res/resource.h"

#include <gtest/gtest.h>

namespace mereth {
namespace {

TEST(MonitorReactions, PollEventsSwitchThePictureAndCaptionsOnlyAtAnEdge) {
    struct Case {
        PollEvent event;
        TrayPicture picture;
        bool labels;
    };
    const Case cases[] = {
        {PollEvent::Idle, TrayPicture::Unchanged, false},
        {PollEvent::Started, TrayPicture::Online, true},
        {PollEvent::Running, TrayPicture::Unchanged, false},
        {PollEvent::Ended, TrayPicture::Idle, true},
        {PollEvent::Switched, TrayPicture::Online, true},
    };
    for (const Case& c : cases) {
        const PollReaction r = ReactToPoll(c.event);
        EXPECT_EQ(c.picture, r.picture) << int(c.event);
        EXPECT_EQ(c.labels, r.refreshLabels) << int(c.event);
    }
}

TEST(MonitorReactions, StatusTickFlashesOnlyWhileIdleAndShowsAnUnreachableWindow) {
    struct Case {
        bool connected;
        int record;
        RasConnState state;
        bool visible, added;
        ConnectionStatus status;
        bool flash, show;
    };
    using S = ConnectionStatus;
    const Case cases[] = {
        {false, -1, RASCS_Disconnected, false, true, S::NotConnected, true, false},
        {true, 2, RASCS_Authenticate, false, true, S::Connecting, false, false},
        {true, 2, RASCS_Connected, true, true, S::Connected, false, false},
        // The connection went between the poll and this tick: still not connected.
        {true, -1, RASCS_Disconnected, true, true, S::NotConnected, true, false},
        // Found by a poll but not yet taken as begun.
        {false, 1, RASCS_Connected, true, true, S::NotConnected, true, false},
        {false, -1, RASCS_Disconnected, false, false, S::NotConnected, true, true},
        {true, 1, RASCS_Connected, true, false, S::Connected, false, false},
    };
    for (const Case& c : cases) {
        const StatusReaction r =
            ReactToStatusTick(c.connected, c.record, c.state, c.visible, c.added);
        EXPECT_EQ(c.status, r.status) << c.connected << c.record << c.visible << c.added;
        EXPECT_EQ(c.flash, r.flash) << c.connected << c.record;
        EXPECT_EQ(c.show, r.showWindow) << c.visible << c.added;
    }
    EXPECT_EQ(TrayPicture::Idle, ReactToBlink(false));
    EXPECT_EQ(TrayPicture::Unchanged, ReactToBlink(true));
}

TEST(MonitorReactions, AResetIsAppliedOnlyToAnIndicatorThatOffersItBetweenCalls) {
    const int offered[] = {IDC_TOTAL_TIME, IDC_CONN_TIME, IDC_MONTH_COST, IDC_TODAY_LOGINS};
    for (int id : offered) {
        EXPECT_TRUE(MayApplyReset(id, false)) << id;
        EXPECT_FALSE(MayApplyReset(id, true)) << id; // a call began during the question
    }
    for (int id : {IDC_CONN_LOGINS, 0, 1000}) {
        EXPECT_FALSE(MayApplyReset(id, false)) << id;
    }
}

} // namespace
} // namespace mereth
