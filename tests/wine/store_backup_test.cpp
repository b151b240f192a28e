#include "store/win32/StoreBackup.h"

#include "store/win32/SettingsStore.h"

#include "FakeClock.h"
#include "FakeLocale.h"
#include "StoreRegistry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

namespace mereth {
namespace {

using namespace test;

// Fails the write with this number (counting from 1) once; 0 never.
class CFailingBackup : public CStoreBackup {
public:
    explicit CFailingBackup(int failAt) : m_failAt(failAt) {}

protected:
    LONG SetValue(HKEY key, const RegValue& value) override {
        return ++m_writes == m_failAt ? ERROR_ACCESS_DENIED : CStoreBackup::SetValue(key, value);
    }

private:
    int m_failAt;
    int m_writes = 0;
};

// A store as the program saves it, its figures depending on seed.
void SaveStore(int seed) {
    ClearStore();
    test::CFixedZoneClock clock(0);
    clock.SetLocal(2026, 12, 7, 10, 0, 0);
    test::CFakeLocale locale;
    CUsageModel model(clock, locale);
    DisplaySettings display;
    CSettingsStore store(model, display);
    model.m_entries[1].name = "Work";
    model.m_entries[2].name = "Caf\xe9 \"\\ \xa3";
    model.m_entryCount = 3;
    model.m_entries[seed].totalLogins = 40 + seed;
    model.m_entries[seed].tariff.saturdayUnitCost = 0.125f * seed;
    store.SaveToRegistry();
    PutText(StorePath("General"), "Note", seed == 1 ? "\xa3 \"quoted\" C:\\" : "plain");
}

std::string TempPath(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + name;
}

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Utf16(const std::string& ascii) {
    std::string out;
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

struct RestoreCase {
    const char* what;
    std::size_t cutTo;    // the backup's first bytes only; 0 keeps it whole
    const char* appended; // a line added at the end
    int failAt;           // the write that fails; 0 none
    bool restored;
    bool foreignName = false; // the store holds a key the ANSI code page cannot name
};

TEST(StoreBackup, ARestoreReplacesTheStoreWhollyOrNotAtAll) {
    StoreCleaner cleaner;
    const std::string path = TempPath("mereth backup test.reg");
    SaveStore(1);
    const std::string backedUp = DumpStore();
    ASSERT_EQ(CStoreBackup().BackUp(Wide(path).c_str()), ERROR_SUCCESS);
    const std::string backup = ReadAll(path);
    ASSERT_GT(backup.size(), 200u);

    const RestoreCase cases[] = {
        {"whole", 0, nullptr, 0, true},
        {"cut short", backup.size() / 2 + 1, nullptr, 0, false},
        {"cut on a line end", backup.size() - 2, nullptr, 0, false},
        {"a foreign key", 0, "[HKEY_CURRENT_USER\\Software\\Brambleway\\Other]\r\n", 0, false},
        {"a foreign key by a path", 0,
         "[HKEY_CURRENT_USER\\Software\\Brambleway\\Mereth\\..\\Other]\r\n", 0, false},
        {"the first write fails", 0, nullptr, 1, false},
        {"a write halfway fails", 0, nullptr, CountValues(backedUp) / 2, false},
        {"the last write fails", 0, nullptr, CountValues(backedUp), false},
        {"over a key named in Greek", 0, nullptr, 0, true, true},
        {"a write halfway fails over a key named in Greek", 0, nullptr, CountValues(backedUp) / 2,
         false, true},
    };
    for (const RestoreCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::string file = c.cutTo > 0 ? backup.substr(0, c.cutTo) : backup;
        if (c.appended != nullptr) {
            file += Utf16(c.appended);
        }
        WriteAll(path, file);
        SaveStore(2);
        HKEY greek = nullptr;
        if (c.foreignName) {
            ASSERT_EQ(
                RegCreateKeyW(HKEY_CURRENT_USER, L"Software\\Brambleway\\Mereth\\\u03a9", &greek),
                0);
            RegCloseKey(greek);
        }
        const std::string before = DumpStore();
        ASSERT_NE(before, backedUp);

        RegTree tree;
        RegFileProblem problem;
        bool unchanged = true;
        if (ReadStoreBackup(Wide(path).c_str(), tree, problem)) {
            CFailingBackup backupWriter(c.failAt);
            EXPECT_EQ(backupWriter.Import(tree, unchanged) == ERROR_SUCCESS, c.restored);
        }
        EXPECT_EQ(unchanged, !c.restored);
        EXPECT_EQ(DumpStore(), c.restored ? backedUp : before);
        EXPECT_FALSE(KeyExists("Software\\Brambleway\\Other"));
    }
    DeleteFileA(path.c_str());
}

} // namespace
} // namespace mereth
