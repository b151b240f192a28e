// The watcher through rasapi32 as Wine loads it: rassim's DLL, answering from a state
// file that each test writes.
#include "ras/ConnectionWatcher.h"
#include "ras/win32/WinRasService.h"

#include "FakeClock.h"
#include "FakeLocale.h"
#include "RasSimState.h"

#include <gtest/gtest.h>

#include <ras.h>
#include <raserror.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

namespace mereth {
namespace {

using Answer = std::pair<int, RasConnState>;
const Answer NO_ANSWER{-1, RASCS_Disconnected};

struct WinRasRig {
    test::CRasSimState sim;
    test::CFixedZoneClock clock;
    test::CFakeLocale locale;
    CUsageModel model{clock, locale};
    CWinRasService ras;
    CConnectionWatcher watcher{model, ras};

    Answer Poll() {
        EXPECT_TRUE(sim.Write());
        std::int32_t state = -7;
        int record = watcher.PollConnection(state);
        return {record, state};
    }
    void Fill() {
        EXPECT_TRUE(sim.Write());
        watcher.FillEntryList();
    }
};

// The DLL is rassim's, not Wine's own (which knows no phone book).
TEST(WinRas, TheStandInServiceIsLoaded) {
    HMODULE module = GetModuleHandleA("rasapi32.dll");
    ASSERT_NE(module, nullptr);
    char path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(module, path, sizeof path), 0u);
    char exe[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, exe, sizeof exe), 0u);
    std::string folder(exe);
    folder.resize(folder.rfind('\\') + 1);
    EXPECT_EQ(lstrcmpiA(path, (folder + "rasapi32.dll").c_str()), 0) << path;
}

TEST(WinRas, EntriesAndConnectionsReachTheWatcher) {
    WinRasRig rig;
    rig.sim.entries = {"Work", "Home", "All Dial-up Connections"};
    rig.Fill();
    ASSERT_EQ(rig.model.m_entryCount, 4);
    EXPECT_EQ(rig.watcher.ListItem(0), "All Dial-up Connections");
    EXPECT_EQ(rig.watcher.ListItem(1), "Work");
    EXPECT_EQ(rig.watcher.ListItem(2), "Home");
    EXPECT_EQ(rig.watcher.ListItem(3), "All Dial-up Connections");
    EXPECT_EQ(rig.Poll(), NO_ANSWER);

    rig.sim.Connect("Home", 5);
    EXPECT_EQ(rig.Poll(), Answer(2, 5));
    rig.sim.connections[0].state = 2; // still dialling
    EXPECT_EQ(rig.Poll(), NO_ANSWER);
    rig.sim.connections[0].state = 8192;
    rig.sim.Connect("Work", 4);
    EXPECT_EQ(rig.Poll(), Answer(1, 4));
    rig.sim.Connect("work");
    rig.sim.Connect("Nowhere");
    EXPECT_EQ(rig.Poll(), Answer(1, 4));
    rig.sim.connections[1].state = RASCS_Disconnected;
    EXPECT_EQ(rig.Poll(), Answer(2, RASCS_Connected));

    rig.sim.Connect("All Dial-up Connections", 14);
    EXPECT_EQ(rig.Poll(), Answer(0, 14));

    rig.sim.connections.clear();
    EXPECT_EQ(rig.Poll(), NO_ANSWER);
}

TEST(WinRas, MoreThanTwentyEntriesOrConnectionsAreStillSeen) {
    WinRasRig rig;
    for (int i = 1; i <= 25; ++i) {
        rig.sim.entries.push_back("Entry " + std::to_string(i));
    }
    rig.model.m_selectedEntryName = "Entry 19";
    rig.Fill();
    ASSERT_EQ(rig.model.m_entryCount, 20);
    EXPECT_EQ(rig.ras.EntryCount(), 25u);
    EXPECT_EQ(rig.model.m_entries[1].name, "Entry 1");
    EXPECT_EQ(rig.model.m_entries[19].name, "Entry 19");
    EXPECT_EQ(rig.model.m_selectedEntry, 19);

    // 21 connections: the watched one is the first, so all 21 must have been read.
    rig.sim.Connect("Entry 3", 5);
    for (int i = 1; i <= 20; ++i) {
        rig.sim.Connect("Elsewhere " + std::to_string(i));
    }
    EXPECT_EQ(rig.Poll(), Answer(3, 5));
    EXPECT_EQ(rig.ras.ConnectionCount(), 21u);
    rig.sim.Connect("Entry 20"); // no record
    rig.sim.Connect("Entry 19", 8);
    EXPECT_EQ(rig.Poll(), Answer(19, 8));
    EXPECT_EQ(rig.ras.ConnectionCount(), 23u);

    // Back to a few: the larger buffer, kept since, serves them as well.
    rig.sim.connections.resize(2);
    EXPECT_EQ(rig.Poll(), Answer(3, 5));
    EXPECT_EQ(rig.ras.ConnectionCount(), 2u);
}

// A list that grows between the service's answer of the size and the next call.
TEST(WinRas, AListGrowingBetweenTwoEnumerationsIsStillRead) {
    using Service = CWinRasService;
    struct Growing {
        DWORD available; // connections the service holds at the next call
        int calls = 0;
        DWORD operator()(RasConnV1* buffer, DWORD* bytes, DWORD* count) {
            ++calls;
            const DWORD needed = available * sizeof(RasConnV1);
            const bool fits = *bytes >= needed;
            *count = available;
            if (fits) {
                for (DWORD i = 0; i < available; ++i) {
                    buffer[i].hrasconn = reinterpret_cast<HRASCONN>(static_cast<ULONG_PTR>(i + 1));
                }
            }
            *bytes = needed;
            available += 3; // three more dial in before the next call
            return fits ? ERROR_SUCCESS : ERROR_BUFFER_TOO_SMALL;
        }
    };
    auto answer = std::make_unique<Service::Answer<RasConnV1>>();
    Growing growing{21};
    EXPECT_EQ(Service::Enumerate(*answer, std::ref(growing)), ERROR_SUCCESS);
    EXPECT_EQ(answer->count, 24u);
    EXPECT_EQ(growing.calls, 2);
    const RasConnV1* kept = answer->elements;

    // The larger buffer stays for the next polls: no new one while the list fits it.
    Growing steady{24};
    EXPECT_EQ(Service::Enumerate(*answer, std::ref(steady)), ERROR_SUCCESS);
    EXPECT_EQ(answer->elements, kept);
    EXPECT_EQ(steady.calls, 1);

    // A list that keeps outgrowing every buffer is given up after a few tries.
    struct Runaway {
        int calls = 0;
        DWORD operator()(RasConnV1*, DWORD* bytes, DWORD* count) {
            ++calls;
            *count = *bytes / sizeof(RasConnV1) + 100;
            *bytes = *count * sizeof(RasConnV1);
            return ERROR_BUFFER_TOO_SMALL;
        }
    } runaway;
    EXPECT_EQ(Service::Enumerate(*answer, std::ref(runaway)), ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(runaway.calls, Service::MAX_ATTEMPTS);
    EXPECT_EQ(answer->count, 0u);

    static_assert(!std::is_copy_constructible_v<Service> && !std::is_move_constructible_v<Service>);
}

TEST(WinRas, ServiceFailuresWatchNothing) {
    WinRasRig rig;
    rig.sim.entries = {"Work", "Home"};
    rig.model.m_selectedEntryName = "Home";
    rig.sim.failEnumEntries = ERROR_CANNOT_OPEN_PHONEBOOK;
    rig.Fill();
    EXPECT_EQ(rig.model.m_entryCount, 1);
    EXPECT_EQ(rig.model.m_selectedEntry, 0);

    rig.sim.failEnumEntries = 0;
    rig.Fill();
    ASSERT_EQ(rig.model.m_entryCount, 3);
    EXPECT_EQ(rig.model.m_selectedEntry, 2);

    rig.sim.Connect("Work");
    rig.sim.Connect("Home", 5);
    EXPECT_EQ(rig.Poll(), Answer(2, 5));

    rig.sim.failStatus = ERROR_INVALID_HANDLE;
    EXPECT_EQ(rig.Poll(), NO_ANSWER);
    rig.sim.failStatus = 0;

    rig.sim.failEnumConnections = 711;
    EXPECT_EQ(rig.Poll(), NO_ANSWER);
    rig.sim.failEnumConnections = 0;
    EXPECT_EQ(rig.Poll(), Answer(2, 5));
}

// The service's side of the contract, which the binding relies on: the structure
// version by dwSize, and the room needed when the buffer is too small.
TEST(WinRas, ServiceChecksSizesAndSaysWhatRoomItNeeds) {
    test::CRasSimState sim;
    sim.entries = {"Work", "Home", "Away"};
    sim.Connect("Home", 5);
    sim.Connect("Work");
    ASSERT_TRUE(sim.Write());

    RasEntryNameV1 names[3] = {};
    names[0].dwSize = sizeof names[0];
    DWORD bytes = 2 * sizeof names[0], count = 0;
    EXPECT_EQ(
        RasEnumEntriesA(nullptr, nullptr, reinterpret_cast<LPRASENTRYNAMEA>(names), &bytes, &count),
        static_cast<DWORD>(ERROR_BUFFER_TOO_SMALL));
    EXPECT_EQ(bytes, 3 * sizeof names[0]);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(
        RasEnumEntriesA(nullptr, nullptr, reinterpret_cast<LPRASENTRYNAMEA>(names), &bytes, &count),
        0u);
    EXPECT_EQ(count, 3u);
    EXPECT_STREQ(names[2].szEntryName, "Away");
    EXPECT_EQ(names[2].dwSize, sizeof names[0]);

    names[0].dwSize = sizeof names[0] + 4;
    bytes = sizeof names;
    EXPECT_EQ(
        RasEnumEntriesA(nullptr, nullptr, reinterpret_cast<LPRASENTRYNAMEA>(names), &bytes, &count),
        static_cast<DWORD>(ERROR_INVALID_SIZE));

    RasConnV1 conns[2] = {};
    conns[0].dwSize = sizeof conns[0];
    bytes = sizeof conns[0];
    EXPECT_EQ(RasEnumConnectionsA(reinterpret_cast<LPRASCONNA>(conns), &bytes, &count),
              static_cast<DWORD>(ERROR_BUFFER_TOO_SMALL));
    EXPECT_EQ(bytes, 2 * sizeof conns[0]);
    EXPECT_EQ(count, 2u);
    bytes = sizeof conns;
    ASSERT_EQ(RasEnumConnectionsA(reinterpret_cast<LPRASCONNA>(conns), &bytes, &count), 0u);
    ASSERT_EQ(count, 2u);
    EXPECT_STREQ(conns[0].szEntryName, "Home");
    EXPECT_STREQ(conns[1].szEntryName, "Work");
    EXPECT_NE(conns[0].hrasconn, conns[1].hrasconn);
    conns[0].dwSize = 100;
    EXPECT_EQ(RasEnumConnectionsA(reinterpret_cast<LPRASCONNA>(conns), &bytes, &count),
              static_cast<DWORD>(ERROR_INVALID_SIZE));

    RasConnStatusV1 status = {};
    status.dwSize = sizeof status;
    HRASCONN home = static_cast<HRASCONN>(conns[0].hrasconn);
    ASSERT_EQ(RasGetConnectStatusA(home, reinterpret_cast<LPRASCONNSTATUSA>(&status)), 0u);
    EXPECT_EQ(status.rasconnstate, 5u);
    status.dwSize = sizeof status - 4;
    EXPECT_EQ(RasGetConnectStatusA(home, reinterpret_cast<LPRASCONNSTATUSA>(&status)),
              static_cast<DWORD>(ERROR_INVALID_SIZE));

    // The current, larger versions are understood as well.
    RASCONNSTATUSA current = {};
    current.dwSize = sizeof current;
    ASSERT_EQ(RasGetConnectStatusA(home, &current), 0u);
    EXPECT_EQ(current.rasconnstate, static_cast<RASCONNSTATE>(5));
}

} // namespace
} // namespace mereth
