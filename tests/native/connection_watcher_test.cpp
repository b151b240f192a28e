#include "ras/ConnectionWatcher.h"

#include "FakeClock.h"
#include "FakeLocale.h"
#include "FakeRasService.h"

#include <gtest/gtest.h>

#include <string>

namespace mereth {
namespace {

struct WatcherRig {
    test::CFixedZoneClock clock;
    test::CFakeLocale locale;
    CUsageModel model{clock, locale};
    test::CFakeRasService ras;
    CConnectionWatcher watcher{model, ras};

    // The record and state the watcher reports now.
    std::pair<int, RasConnState> Poll() {
        std::int32_t state = -7;
        int record = watcher.PollConnection(state);
        return {record, state};
    }
};

using Answer = std::pair<int, RasConnState>;
const Answer NO_ANSWER{-1, RASCS_Disconnected};

TEST(CConnectionWatcher, EntriesNameTheRecordsInTheServicesOrder) {
    WatcherRig rig;
    rig.ras.entries = {"Work", "Home"};
    rig.watcher.FillEntryList();

    ASSERT_EQ(rig.watcher.ListCount(), 3);
    EXPECT_EQ(rig.watcher.ListItem(0), "All Dial-up Connections");
    EXPECT_EQ(rig.watcher.ListItem(1), "Work");
    EXPECT_EQ(rig.watcher.ListItem(2), "Home");
    EXPECT_EQ(rig.watcher.ListItem(3), "");
    EXPECT_EQ(rig.model.m_entryCount, 3);
    EXPECT_EQ(rig.model.m_entries[0].name, "All Dial-up Connections");
    EXPECT_EQ(rig.model.m_entries[1].name, "Work");
    EXPECT_EQ(rig.model.m_entries[2].name, "Home");
    EXPECT_EQ(rig.model.m_selectedEntry, 0);

    // The second enumeration at start-up finds the stored selection by its name,
    // leaves the figures alone and does not touch records past the list.
    rig.model.m_entries[2].totalTime.value = 3600;
    rig.model.m_entries[5].name = "Old";
    rig.model.m_entries[5].totalLogins = 4;
    rig.model.m_selectedEntryName = "Home";
    rig.watcher.FillEntryList();
    EXPECT_EQ(rig.model.m_selectedEntry, 2);
    EXPECT_EQ(rig.model.m_entries[2].totalTime.value, 3600);
    EXPECT_EQ(rig.model.m_entries[5].name, "Old");
    EXPECT_EQ(rig.model.m_entries[5].totalLogins, 4);

    // A renamed entry takes its position's record; the lost selection shows the
    // aggregate and its name is kept until the user picks another.
    rig.ras.entries = {"Work", "Home (new)"};
    rig.watcher.FillEntryList();
    EXPECT_EQ(rig.model.m_entries[2].name, "Home (new)");
    EXPECT_EQ(rig.model.m_selectedEntry, 0);
    EXPECT_EQ(rig.model.m_selectedEntryName, "Home");

    // Selection names compare case-sensitively.
    rig.model.m_selectedEntryName = "work";
    rig.watcher.FillEntryList();
    EXPECT_EQ(rig.model.m_selectedEntry, 0);

    // Of two entries of one name the last is selected.
    rig.ras.entries = {"Work", "Home", "Work"};
    rig.model.m_selectedEntryName = "Work";
    rig.watcher.FillEntryList();
    EXPECT_EQ(rig.model.m_selectedEntry, 3);
}

TEST(CConnectionWatcher, WithoutAPhoneBookOnlyTheAggregateIsListedAndNothingIsWatched) {
    for (std::uint32_t error : {0u, 623u, 603u}) {
        SCOPED_TRACE(error);
        WatcherRig rig;
        rig.ras.entries = {"Work", "Home"};
        rig.watcher.FillEntryList();
        rig.model.m_selectedEntryName = "Home";
        rig.watcher.FillEntryList();
        ASSERT_EQ(rig.model.m_selectedEntry, 2);

        if (error == 0) {
            rig.ras.entries.clear();
        } else {
            rig.ras.entriesError = error;
        }
        rig.watcher.FillEntryList();
        EXPECT_EQ(rig.model.m_entryCount, 1);
        EXPECT_EQ(rig.watcher.ListCount(), 1);
        EXPECT_EQ(rig.watcher.ListItem(0), "All Dial-up Connections");
        EXPECT_EQ(rig.model.m_selectedEntry, 0);

        // The records keep their old names, but no connection reaches them.
        rig.ras.Connect("Home");
        rig.ras.Connect("Work");
        EXPECT_EQ(rig.Poll(), NO_ANSWER);
    }
}

TEST(CConnectionWatcher, OnlyTheFirstNineteenEntriesGetARecord) {
    WatcherRig rig;
    for (int i = 1; i <= 25; ++i) {
        rig.ras.entries.push_back("Entry " + std::to_string(i));
    }
    rig.model.m_selectedEntryName = "Entry 19";
    rig.watcher.FillEntryList();
    ASSERT_EQ(rig.model.m_entryCount, 20);
    EXPECT_EQ(rig.watcher.ListCount(), 20);
    for (int i = 1; i < 20; ++i) {
        EXPECT_EQ(rig.model.m_entries[i].name, "Entry " + std::to_string(i));
    }
    EXPECT_EQ(rig.model.m_selectedEntry, 19);

    rig.ras.Connect("Entry 20");
    EXPECT_EQ(rig.Poll(), NO_ANSWER);
    rig.ras.Connect("Entry 19", RASCS_Authenticate);
    rig.ras.Connect("Entry 25");
    EXPECT_EQ(rig.Poll(), Answer(19, RASCS_Authenticate));
}

TEST(CConnectionWatcher, ConnectionsAreWatchedOnceTheLineIsUp) {
    WatcherRig rig;
    rig.ras.entries = {"Work", "Home"};
    rig.watcher.FillEntryList();
    EXPECT_EQ(rig.Poll(), NO_ANSWER);

    test::CFakeRasService::Conn& home = rig.ras.Connect("Home", 0);
    for (RasConnState dialling : {0, 1, 2, 3}) {
        home.state = dialling;
        EXPECT_EQ(rig.Poll(), NO_ANSWER) << dialling;
    }
    const RasConnState up[] = {RASCS_AllDevicesConnected, RASCS_Authenticate, 14,
                               0x1000 /* paused for the user */, RASCS_Connected};
    for (RasConnState state : up) {
        home.state = state;
        EXPECT_EQ(rig.Poll(), Answer(2, state)) << state;
    }
    home.state = RASCS_Disconnected;
    EXPECT_EQ(rig.Poll(), NO_ANSWER);
    home.state = -1; // a value the service should never give
    EXPECT_EQ(rig.Poll(), NO_ANSWER);

    rig.ras.connections.clear();
    EXPECT_EQ(rig.Poll(), NO_ANSWER);
}

TEST(CConnectionWatcher, TheLastListedConnectionOfAListedEntryWins) {
    WatcherRig rig;
    rig.ras.entries = {"Work", "Home"};
    rig.watcher.FillEntryList();

    test::CFakeRasService::Conn& work = rig.ras.Connect("Work");
    test::CFakeRasService::Conn& home = rig.ras.Connect("Home", RASCS_Authenticate);
    EXPECT_EQ(rig.Poll(), Answer(2, RASCS_Authenticate));

    home.state = 2; // still dialling: the earlier one is watched
    EXPECT_EQ(rig.Poll(), Answer(1, RASCS_Connected));

    home.state = RASCS_Connected;
    rig.ras.Connect("Office"); // not in the phone book
    rig.ras.Connect("HOME");   // names compare case-sensitively
    rig.ras.Connect("Home ");
    EXPECT_EQ(rig.Poll(), Answer(2, RASCS_Connected));

    work.state = RASCS_Authenticate;
    rig.ras.connections.erase(rig.ras.connections.begin() + 1); // Home hangs up
    EXPECT_EQ(rig.Poll(), Answer(1, RASCS_Authenticate));
}

TEST(CConnectionWatcher, AnEntryNamedLikeTheAggregateIsCountedAsRecordZero) {
    WatcherRig rig;
    rig.ras.entries = {"Work", "All Dial-up Connections", "Home"};
    rig.watcher.FillEntryList();
    ASSERT_EQ(rig.model.m_entryCount, 4);
    EXPECT_EQ(rig.model.m_entries[2].name, "All Dial-up Connections");
    // The stored selection names a listed entry, so that entry is selected.
    EXPECT_EQ(rig.model.m_selectedEntry, 2);

    rig.ras.Connect("All Dial-up Connections");
    EXPECT_EQ(rig.Poll(), Answer(0, RASCS_Connected));
}

TEST(CConnectionWatcher, ServiceErrorsLeaveNothingOrTheNextConnectionWatched) {
    WatcherRig rig;
    rig.ras.entries = {"Work", "Home"};
    rig.watcher.FillEntryList();
    rig.ras.Connect("Work", RASCS_Authenticate);
    test::CFakeRasService::Conn& home = rig.ras.Connect("Home");

    // An enumeration that fails, too many connections included, watches nothing.
    for (std::uint32_t error : {603u, 632u, 711u}) {
        rig.ras.connectionsError = error;
        EXPECT_EQ(rig.Poll(), NO_ANSWER) << error;
    }
    rig.ras.connectionsError = 0;
    EXPECT_EQ(rig.Poll(), Answer(2, RASCS_Connected));

    // A connection whose status cannot be read is passed over, whatever the
    // service left in the answer.
    home.statusError = 6;
    EXPECT_EQ(rig.Poll(), Answer(1, RASCS_Authenticate));
    rig.ras.connections[0].statusError = 668;
    EXPECT_EQ(rig.Poll(), NO_ANSWER);

    // One status query per connection, at most, for each poll.
    home.statusError = 0;
    rig.ras.statusQueries = 0;
    rig.Poll();
    EXPECT_EQ(rig.ras.statusQueries, 1);
}

} // namespace
} // namespace mereth
