#pragma once

#include "ras/RasService.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mereth::test {

// A Remote Access Service the test sets up: a phone book, connections with their states,
// and a failure code per call. Reading it during a poll allocates nothing.
class CFakeRasService : public IRasService {
public:
    struct Conn {
        RasHandle handle;
        std::string name;
        RasConnState state;
        std::uint32_t statusError = 0; // what the status query of this one returns
    };

    std::vector<std::string> entries;
    std::vector<Conn> connections;
    std::uint32_t entriesError = 0;
    std::uint32_t connectionsError = 0;
    int statusQueries = 0;

    // Adds a connection last in the list, as the service lists a new one.
    Conn& Connect(const std::string& name, RasConnState state = RASCS_Connected) {
        connections.reserve(64); // keeps references stable and polls allocation-free
        connections.push_back({m_nextHandle++, name, state});
        return connections.back();
    }

    std::uint32_t EnumEntries(std::size_t& count) override {
        count = entriesError == 0 ? entries.size() : 0;
        return entriesError;
    }
    std::string_view EntryName(std::size_t index) const override { return entries.at(index); }

    std::uint32_t EnumConnections(std::size_t& count) override {
        count = connectionsError == 0 ? connections.size() : 0;
        return connectionsError;
    }
    RasConnection Connection(std::size_t index) const override {
        const Conn& c = connections.at(index);
        return {c.handle, c.name};
    }

    std::uint32_t GetConnectState(RasHandle handle, RasConnState& state) override {
        ++statusQueries;
        for (const Conn& c : connections) {
            if (c.handle == handle) {
                // A failing service may leave anything in the buffer: the caller must
                // not read it, so the fake puts a plausible state there.
                state = c.statusError == 0 ? c.state : RASCS_Connected;
                return c.statusError;
            }
        }
        return 6; // ERROR_INVALID_HANDLE
    }

private:
    RasHandle m_nextHandle = 0x100;
};

} // namespace mereth::test
