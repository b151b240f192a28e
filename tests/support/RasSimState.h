#pragma once

// Sets up what rassim (tools/rassim) answers, from inside a Wine test: writes the state
// file in the control command's format and points the DLL at it.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace mereth::test {

class CRasSimState {
public:
    struct Conn {
        unsigned handle;
        std::uint32_t state;
        std::string name;
    };

    std::vector<std::string> entries;
    std::vector<Conn> connections;
    std::uint32_t failEnumEntries = 0;
    std::uint32_t failEnumConnections = 0;
    std::uint32_t failStatus = 0;

    CRasSimState() {
        char temp[MAX_PATH + 1];
        DWORD n = GetTempPathA(sizeof temp, temp);
        m_path = std::string(temp, n) + "rassim test " + std::to_string(GetCurrentProcessId()) +
                 ".state";
        SetEnvironmentVariableA("MERETH_RASSIM_STATE", m_path.c_str());
        Write();
    }
    ~CRasSimState() {
        DeleteFileA(m_path.c_str());
        SetEnvironmentVariableA("MERETH_RASSIM_STATE", nullptr);
    }
    CRasSimState(const CRasSimState&) = delete;
    CRasSimState& operator=(const CRasSimState&) = delete;

    // A connection appears last in the service's list.
    void Connect(const std::string& name, std::uint32_t state = 0x2000) {
        connections.push_back({m_nextHandle++, state, name});
    }

    // Every change takes effect when written: the DLL reads the file on each call.
    bool Write() const {
        std::string text = "# rassim state, written by a test\n";
        for (const std::string& e : entries) {
            text += "entry " + e + "\n";
        }
        for (const Conn& c : connections) {
            text += "connection " + std::to_string(c.handle) + " " + std::to_string(c.state) + " " +
                    c.name + "\n";
        }
        text += "fail enum-entries " + std::to_string(failEnumEntries) + "\n";
        text += "fail enum-connections " + std::to_string(failEnumConnections) + "\n";
        text += "fail status " + std::to_string(failStatus) + "\n";

        HANDLE file = CreateFileA(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return false;
        }
        DWORD written = 0;
        BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
        return ok && written == text.size();
    }

private:
    std::string m_path;
    unsigned m_nextHandle = 1;
};

} // namespace mereth::test
