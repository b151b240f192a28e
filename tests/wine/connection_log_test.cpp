#include "log/win32/ConnectionLog.h"

#include "core/win32/WinLocale.h"

#include "ChildProcess.h"
#include "FakeClock.h"
#include "FakeLocale.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

namespace mereth {
namespace {

using test::TempFolder;

std::wstring Wide(const std::string& ansi) {
    std::wstring wide(ansi.size(), L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                      wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return wide;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "<missing>";
    }
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string WithCrLf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

const std::string HEADER = WithCrLf(LOG_HEADER);

struct LogFixture {
    test::CFixedZoneClock clock{3600};
    test::CFakeLocale locale;
    TempFolder folder;
    CConnectionLog log{clock, locale, folder / "Mereth.exe"};
    std::string path = folder / "Mereth.log";

    LogFixture() { locale.twoDigitYear = true; }
};

TEST(ConnectionLogFile, FreshStartEmptiesTheLogLaterStartsLeaveItAlone) {
    LogFixture f;
    std::wstring path;
    f.log.GetLogFilePath(path);
    EXPECT_EQ(path, Wide(f.path));

    WriteBytes(f.path, "an old log\r\n");
    PrepareLogAtStartup(f.log, true);
    EXPECT_EQ(ReadBytes(f.path), HEADER);

    // Local time comes from the clock's zone (UTC+1 here); CR LF ends every line.
    f.log.LogConnection("Work", f.clock.At(2026, 12, 7, 9, 5, 3), 3725, 1.5f, 1);
    f.log.LogConnection("Home", f.clock.At(2026, 12, 8, 23, 0, 0), 183600, 0.25f, 40);
    const std::string expected =
        HEADER +
        "Work                 | 07/12/26 09:05:03 | 0:01:02:05 |        \xA3"
        "1.50\r\n" +
        HEADER +
        "Home                 | 08/12/26 23:00:00 | 2:03:00:00 |        \xA3"
        "0.25\r\n";
    EXPECT_EQ(ReadBytes(f.path), expected);

    PrepareLogAtStartup(f.log, false);
    EXPECT_EQ(ReadBytes(f.path), expected);
}

TEST(ConnectionLogFile, MissingLogIsRecreatedOnlyAtStartUp) {
    LogFixture f;
    EXPECT_FALSE(f.log.LogFileExists());

    // Between starts a missing log stays missing: the line is lost.
    f.log.LogConnection("Work", f.clock.At(2026, 12, 7, 9, 0, 0), 60, 0.1f, 3);
    EXPECT_FALSE(Exists(f.path));

    PrepareLogAtStartup(f.log, false);
    EXPECT_TRUE(f.log.LogFileExists());
    EXPECT_EQ(ReadBytes(f.path), HEADER);

    // A folder of the log's name is no log, and nothing is written into it.
    DeleteFileA(f.path.c_str());
    ASSERT_TRUE(CreateDirectoryA(f.path.c_str(), nullptr));
    EXPECT_FALSE(f.log.LogFileExists());
    PrepareLogAtStartup(f.log, false);
    f.log.LogConnection("Work", f.clock.At(2026, 12, 7, 9, 0, 0), 60, 0.1f, 4);
    EXPECT_NE(GetFileAttributesA(f.path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_TRUE(RemoveDirectoryA(f.path.c_str())); // still empty
}

// A full disk: three bytes go in, then the write fails.
BOOL WINAPI DiskFullWrite(HANDLE file, LPCVOID bytes, DWORD, LPDWORD written, LPOVERLAPPED) {
    WriteFile(file, bytes, 3, written, nullptr);
    return FALSE;
}

// A line the log cannot take now (held by another program, a full disk) is never torn,
// and waits for the next chance, in order.
TEST(ConnectionLogFile, LineThatCannotBeWrittenWholeWaitsWhole) {
    LogFixture f;
    f.log.WriteLogHeader();
    f.log.LogConnection("Work", f.clock.At(2026, 12, 7, 9, 0, 0), 60, 0.1f, 1);
    const std::string before = ReadBytes(f.path);

    HANDLE held = CreateFileA(f.path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    // Start-up still sees the log and leaves it be.
    EXPECT_TRUE(f.log.LogFileExists());
    PrepareLogAtStartup(f.log, false);
    f.log.LogConnection("Home", f.clock.At(2026, 12, 7, 10, 0, 0), 120, 0.2f, 2);
    CloseHandle(held);
    // A full disk tears neither a line nor the header block written with one.
    f.log.SetWriteFunction(DiskFullWrite);
    f.log.LogConnection("Work", f.clock.At(2026, 12, 7, 10, 30, 0), 60, 0.1f, 20);
    f.log.SetWriteFunction(WriteFile);
    EXPECT_EQ(ReadBytes(f.path), before);

    // Held again, as a spreadsheet holds it: the waiting lines go in, in order, at the
    // first look after it is let go.
    held = CreateFileA(f.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                       nullptr);
    f.log.LogConnection("Net", f.clock.At(2026, 12, 7, 11, 0, 0), 180, 0.3f, 3);
    f.log.WritePendingLines(false);
    EXPECT_EQ(ReadBytes(f.path), before);
    CloseHandle(held);
    f.log.WritePendingLines(false);
    EXPECT_EQ(ReadBytes(f.path),
              before +
                  "Home                 | 07/12/26 10:00:00 | 0:00:02:00 |        \xA3"
                  "0.20\r\n" +
                  HEADER +
                  "Work                 | 07/12/26 10:30:00 | 0:00:01:00 |        \xA3"
                  "0.10\r\n"
                  "Net                  | 07/12/26 11:00:00 | 0:00:03:00 |        \xA3"
                  "0.30\r\n");
}

// A log that cannot be looked at for another reason than its absence is not taken for
// missing, so start-up does not empty it.
TEST(ConnectionLogFile, OnlyANotFoundLogIsMissing) {
    test::CFixedZoneClock clock;
    test::CFakeLocale locale;
    TempFolder folder;
    const struct {
        std::string modulePath;
        bool exists;
    } cases[] = {
        {folder / "Mereth.exe", false},
        {folder / "no such folder\\Mereth.exe", false},
        {folder / "a*folder\\Mereth.exe", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.modulePath);
        CConnectionLog log(clock, locale, c.modulePath);
        EXPECT_EQ(log.LogFileExists(), c.exists);
    }
}

TEST(ConnectionLogFile, EmptyPathWritesNothing) {
    test::CFixedZoneClock clock;
    test::CFakeLocale locale;
    CConnectionLog log(clock, locale, "");
    std::wstring path = L"unset";
    log.GetLogFilePath(path);
    EXPECT_EQ(path, L"");
    EXPECT_FALSE(log.LogFileExists());
    log.WriteLogHeader();
    log.LogConnection("Work", 0, 60, 0.1f, 20);
    EXPECT_FALSE(Exists("Mereth.log"));
}

// The program's own path, read through GetModuleFileNameW in full.
std::wstring OwnPath() {
    std::wstring path;
    EXPECT_TRUE(ReadModuleFileName(nullptr, path));
    return path;
}

TEST(ConnectionLogPath, ModulePathIsReadWhole) {
    std::wstring path = OwnPath();
    ASSERT_GT(path.size(), 4u);
    EXPECT_EQ(path.substr(path.size() - 4), L".exe");
    EXPECT_EQ(path.find(L'\0'), std::wstring::npos);

    // However small the buffer starts, the path comes back whole.
    for (std::size_t start : {1u, 4u, 17u}) {
        std::wstring grown;
        EXPECT_TRUE(ReadModuleFileName(nullptr, grown, start));
        EXPECT_EQ(grown, path);
    }
    // No module, no path.
    std::wstring none = L"unset";
    EXPECT_FALSE(ReadModuleFileName(reinterpret_cast<HMODULE>(0x10), none));
    EXPECT_EQ(none, L"");
}

const char CHILD_MARK[] = "MERETH_LOG_CHILD";

// Runs only inside the copy that the test below starts: writes a log beside itself.
TEST(ConnectionLogChild, WritesBesideItsExecutable) {
    if (!std::getenv(CHILD_MARK)) {
        GTEST_SKIP() << "started by ConnectionLogPath.LongExecutablePath";
    }
    test::CFixedZoneClock clock;
    test::CFakeLocale locale;
    locale.twoDigitYear = true;
    CConnectionLog log(clock, locale);
    PrepareLogAtStartup(log, false);
    log.LogConnection("Work", clock.At(2026, 12, 7, 9, 5, 3), 3725, 1.5f, 1);
}

TEST(ConnectionLogPath, LongExecutablePath) {
    TempFolder top("mereth long path");
    std::string folder = top.Path();
    for (int i = 0; folder.size() < 180; ++i) {
        folder += "\\a folder with a rather long name " + std::to_string(i);
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    }
    const std::string exe = folder + "\\Mereth Test Copy.exe";
    ASSERT_TRUE(CopyFileW(OwnPath().c_str(), Wide(exe).c_str(), TRUE));

    EXPECT_EQ(test::RunTestProcess(exe, "ConnectionLogChild.*", CHILD_MARK), 0u);

    EXPECT_EQ(ReadBytes(folder + "\\Mereth.log"),
              HEADER + "Work                 | 07/12/26 09:05:03 | 0:01:02:05 |        \xA3"
                       "1.50\r\n");
}

// A folder whose name the ANSI code page cannot spell: GetModuleFileNameA would give
// "?" in its place and the log could never be found.
TEST(ConnectionLogPath, FolderOutsideTheAnsiCodePage) {
    TempFolder top("mereth wide");
    const std::wstring folder = Wide(top.Path()) + L"\\\u03a9\u4e2d\u0416 folder";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring exe = folder + L"\\Mereth \u0416.exe";
    ASSERT_TRUE(CopyFileW(OwnPath().c_str(), exe.c_str(), TRUE));

    EXPECT_EQ(test::RunTestProcess(exe, "ConnectionLogChild.*", CHILD_MARK), 0u);

    HANDLE file = CreateFileW((folder + L"\\Mereth.log").c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char bytes[1024];
    DWORD read = 0;
    ReadFile(file, bytes, sizeof bytes, &read, nullptr);
    CloseHandle(file);
    EXPECT_EQ(std::string(bytes, read),
              HEADER + "Work                 | 07/12/26 09:05:03 | 0:01:02:05 |        \xA3"
                       "1.50\r\n");
    DeleteFileW((folder + L"\\Mereth.log").c_str());
    DeleteFileW(exe.c_str());
    RemoveDirectoryW(folder.c_str());
}

std::string LocaleName() {
    const char* lc = std::getenv("LC_ALL");
    return lc ? lc : "";
}

// Runs with LC_ALL=en_GB.UTF-8, and once more with en_US.UTF-8.
TEST(ConnectionLogLocale, LineFollowsTheUserLocale) {
    std::string date;
    std::string symbol;
    if (LocaleName().rfind("en_GB", 0) == 0) {
        date = "07/12/2026";
        symbol = "\xA3";
    } else if (LocaleName().rfind("en_US", 0) == 0) {
        date = "12/7/2026";
        symbol = "$";
    } else {
        GTEST_SKIP() << "no expected texts for LC_ALL=" << LocaleName();
    }
    test::CFixedZoneClock clock(-5 * 3600);
    CWinLocale locale;
    TempFolder folder;
    CConnectionLog log(clock, locale, folder / "Mereth.exe");
    log.WriteLogHeader();
    log.LogConnection("Work", clock.At(2026, 12, 7, 9, 5, 3), 3725, 1.5f, 1);
    // Wider than twelve characters: written whole.
    log.LogConnection("Home", clock.At(2026, 12, 7, 18, 0, 0), 59, 100000000.0f, 2);

    // Whatever grouping the locale uses, the wide amount is its full currency text.
    char wide[64];
    std::size_t wideLength = locale.FormatCurrency("100000000.000000", wide, sizeof wide);
    ASSERT_GT(wideLength, 12u);
    EXPECT_EQ(std::string(wide, 2), symbol + "1");

    EXPECT_EQ(ReadBytes(folder / "Mereth.log"),
              HEADER + "Work                 | " + date + " 09:05:03 | 0:01:02:05 | " +
                  std::string(12 - symbol.size() - 4, ' ') + symbol + "1.50\r\n" +
                  "Home                 | " + date + " 18:00:00 | 0:00:00:59 | " +
                  std::string(wide, wideLength) + "\r\n");
}

HWND FindNotepadShowing(const std::string& title) {
    HWND found = nullptr;
    for (int i = 0; i < 300 && !found; ++i) {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, "Notepad", nullptr)) != nullptr) {
            char text[512] = {};
            GetWindowTextA(window, text, sizeof text);
            if (std::string(text).find(title) != std::string::npos) {
                found = window;
                break;
            }
        }
        if (!found) {
            Sleep(100);
        }
    }
    return found;
}

TEST(ConnectionLogView, ViewLogOpensTheLogInNotepad) {
    test::CFixedZoneClock clock;
    test::CFakeLocale locale;
    TempFolder folder("mereth view");
    CConnectionLog log(clock, locale, folder / "Mereth.exe");
    log.WriteLogHeader();
    log.OnViewLog();

    HWND notepad = FindNotepadShowing("Mereth.log");
    ASSERT_NE(notepad, nullptr);
    HWND edit = FindWindowExA(notepad, nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    char text[1024] = {};
    SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::string(text), HEADER);

    PostMessageA(notepad, WM_CLOSE, 0, 0);
    for (int i = 0; i < 100 && IsWindow(notepad); ++i) {
        Sleep(100);
    }
    EXPECT_FALSE(IsWindow(notepad));
}

} // namespace
} // namespace mereth
