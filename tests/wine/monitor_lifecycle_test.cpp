// The main window run as the program runs it (modally), with rassim as the service and
// the steps of each test driven from a thread timer inside the modal loop.
#include "app/MonitorDlg.h"

#include "DialogTemplate.h"
#include "DisplayOf.h"
#include "RasSimState.h"
#include "RecordingNotifyShell.h"
#include "StoreRegistry.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace mereth {
namespace {

using test::CMessageBoxAnswerer;
using test::CRecordingNotifyShell;

// Runs the steps one after the other while the dialog's modal loop runs; a step returns
// true when it is done. The dialog is ended after the last step, or after a deadline.
class CScript {
public:
    using Step = std::function<bool()>;

    INT_PTR Run(CMonitorDlg& dialog, std::vector<Step> steps) {
        s_current = this;
        m_dialog = &dialog;
        m_steps = std::move(steps);
        m_deadline = ::GetTickCount() + 30000;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &CScript::OnTimer);
        const INT_PTR result = dialog.DoModal();
        ::KillTimer(nullptr, timer);
        s_current = nullptr;
        EXPECT_NE(IDABORT, result) << "steps left undone: " << m_steps.size() - m_next;
        return result;
    }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        CScript* self = s_current;
        if (self == nullptr || self->m_busy || !self->m_dialog->IsWindow()) {
            return;
        }
        self->m_busy = true; // a step may run a modal loop of its own
        if (::GetTickCount() > self->m_deadline) {
            self->m_dialog->EndDialog(IDABORT);
        } else if (self->m_next < self->m_steps.size()) {
            if (self->m_steps[self->m_next]()) {
                ++self->m_next;
            }
        } else {
            self->m_dialog->EndDialog(IDCANCEL);
        }
        self->m_busy = false;
    }

    CMonitorDlg* m_dialog = nullptr;
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    DWORD m_deadline = 0;
    bool m_busy = false;
    static inline CScript* s_current = nullptr;
};

std::string TitleOf(HWND window) {
    char text[400] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

// The connection log beside the program.
std::string LogPath() {
    char path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program(path, n);
    return program.substr(0, program.find_last_of('\\') + 1) + "Mereth.log";
}

std::string LastLogLine() {
    const std::string log = LogPath();
    std::string text;
    if (FILE* file = std::fopen(log.c_str(), "rb")) {
        char buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            text.append(buffer, got);
        }
        std::fclose(file);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text.substr(text.find_last_of('\n') + 1);
}

// A step that waits for ms of real time to pass.
CScript::Step Wait(DWORD ms) {
    auto until = std::make_shared<DWORD>(0);
    return [until, ms] {
        if (*until == 0) {
            *until = ::GetTickCount() + ms;
        }
        return ::GetTickCount() >= *until;
    };
}

// Reads the items of the pop-up menu that a message opens, then closes it.
class CMenuReader {
public:
    struct Item {
        UINT id;
        UINT state;
    };
    // The menu's items by command id (-1 state for a missing item), or empty if none
    // opened.
    std::vector<Item> Open(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                           std::vector<UINT> ids) {
        s_reader = this;
        m_ids = std::move(ids);
        m_items.clear();
        m_opened = false;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, &CMenuReader::OnTimer);
        ::SendMessageA(window, message, wParam, lParam);
        ::KillTimer(nullptr, timer);
        s_reader = nullptr;
        return m_items;
    }
    bool m_opened = false;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        CMenuReader* self = s_reader;
        HWND menuWindow = ::FindWindowA("#32768", nullptr);
        if (self == nullptr || menuWindow == nullptr || !::IsWindowVisible(menuWindow)) {
            return;
        }
        HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
        if (!self->m_opened) {
            self->m_opened = true;
            for (UINT id : self->m_ids) {
                self->m_items.push_back({id, ::GetMenuState(menu, id, MF_BYCOMMAND)});
            }
        }
        ::EndMenu();
    }
    std::vector<UINT> m_ids;
    std::vector<Item> m_items;
    static inline CMenuReader* s_reader = nullptr;
};

class MonitorLifecycle : public ::testing::Test {
protected:
    void SetUp() override {
        m_sim.entries = {"Work", "Home"};
        ASSERT_TRUE(m_sim.Write());
    }
    HWND Dialog() const { return m_dialog->Handle(); }
    HWND TrayWindow() const { return ::GetDlgItem(Dialog(), IDC_TRAYICON); }
    // The indicator itself, not the placeholder whose id it took over.
    HWND Indicator(int id) const {
        for (HWND child = ::GetWindow(Dialog(), GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            char name[32] = {};
            ::GetClassNameA(child, name, sizeof name);
            if (::GetDlgCtrlID(child) == id && std::string(name) == CWnd::DefaultClassName()) {
                return child;
            }
        }
        return nullptr;
    }
    void Timer(UINT id) const { ::SendMessageA(Dialog(), WM_TIMER, id, 0); }
    HICON IdlePicture() const { return m_shell.m_calls.at(0).data.hIcon; }
    HICON LastPicture() const {
        for (auto call = m_shell.m_calls.rbegin(); call != m_shell.m_calls.rend(); ++call) {
            if ((call->data.uFlags & NIF_ICON) != 0) {
                return call->data.hIcon;
            }
        }
        return nullptr;
    }
    CScript::Step Do(std::function<void()> action) {
        return [action] {
            action();
            return true;
        };
    }

    // A first run (the window shows itself) that leaves no store and no log behind.
    struct LogCleaner {
        ~LogCleaner() { ::DeleteFileA(LogPath().c_str()); }
    } m_logCleaner;
    test::StoreCleaner m_store;
    test::CRasSimState m_sim;
    CRecordingNotifyShell m_shell;
    std::unique_ptr<CMonitorDlg> m_dialog = std::make_unique<CMonitorDlg>(m_shell);
    CScript m_script;
};

TEST_F(MonitorLifecycle, AConnectionIsFollowedFromAuthenticationToItsEnd) {
    std::string connecting, connected;
    HICON online = nullptr;
    m_script.Run(*m_dialog,
                 {
                     Do([&] {
                         ASSERT_EQ(1, m_shell.Count(NIM_ADD));
                         Timer(CMonitorDlg::TIMER_STATUS);
                         EXPECT_EQ("Mereth - Not Connected", TitleOf(Dialog()));
                         EXPECT_STREQ("Mereth - Not Connected", m_shell.m_calls.back().data.szTip);
                         m_sim.Connect("Work", 5); // authenticating
                         m_sim.Write();
                         Timer(CMonitorDlg::TIMER_POLL);
                         online = LastPicture();
                         Timer(CMonitorDlg::TIMER_STATUS);
                         connecting = TitleOf(Dialog());
                         m_sim.connections[0].state = 0x2000;
                         m_sim.Write();
                     }),
                     Wait(2200),
                     Do([&] {
                         Timer(CMonitorDlg::TIMER_POLL);
                         Timer(CMonitorDlg::TIMER_STATUS);
                         connected = TitleOf(Dialog());
                         m_sim.connections.clear();
                         m_sim.Write();
                         Timer(CMonitorDlg::TIMER_POLL);
                         EXPECT_EQ(IdlePicture(), LastPicture());
                         char caption[64] = {};
                         ::GetDlgItemTextA(Dialog(), IDC_CONN_GROUP, caption, sizeof caption);
                         EXPECT_STREQ("Last Connection", caption);
                     }),
                 });
    EXPECT_NE(IdlePicture(), online);
    EXPECT_EQ(0u, LastLogLine().find("Work")) << LastLogLine();
    EXPECT_EQ("Mereth - Connecting to Work", connecting);
    ASSERT_EQ(std::string("Mereth - Connected to Work (0:00:00:0").size() + 2, connected.size())
        << connected;
    EXPECT_EQ(0u, connected.find("Mereth - Connected to Work (0:00:00:0")) << connected;
    EXPECT_GE(connected[connected.size() - 2], '2') << connected;
    EXPECT_EQ(')', connected.back());
}

TEST_F(MonitorLifecycle, TheIdleIconFlashesAndTheTitleIsWrittenOnlyWhenItChanges) {
    int titleWrites = 0;
    m_script.Run(*m_dialog, {
                                Do([&] {
                                    Timer(CMonitorDlg::TIMER_STATUS);
                                    const std::size_t before = m_shell.m_calls.size();
                                    Timer(CMonitorDlg::TIMER_STATUS);
                                    // The second tick: only the flash, no tip rewrite.
                                    for (std::size_t i = before; i < m_shell.m_calls.size(); ++i) {
                                        EXPECT_EQ(UINT(NIF_ICON), m_shell.m_calls[i].data.uFlags);
                                    }
                                    EXPECT_NE(IdlePicture(), LastPicture());
                                }),
                                Wait(300),
                                Do([&] {
                                    EXPECT_EQ(IdlePicture(),
                                              LastPicture()); // the blink timer put it back
                                    ::SetWindowTextA(Dialog(), "changed");
                                    Timer(CMonitorDlg::TIMER_STATUS);
                                    titleWrites = TitleOf(Dialog()) == "Mereth - Not Connected";
                                }),
                            });
    EXPECT_EQ(1, titleWrites);
}

TEST_F(MonitorLifecycle, TrayClicksShowTheWindowAndAReleaseAloneOpensNothing) {
    CMenuReader reader;
    bool shownByDoubleClick = false, menuOnRelease = true, menuOnClick = false;
    std::vector<CMenuReader::Item> trayItems;
    m_script.Run(*m_dialog,
                 {
                     Do([&] {
                         ::ShowWindow(Dialog(), SW_HIDE);
                         ::SendMessageA(TrayWindow(), WM_TRAYNOTIFY, IDC_TRAYICON,
                                        WM_LBUTTONDBLCLK);
                         shownByDoubleClick = ::IsWindowVisible(Dialog()) != FALSE;

                         reader.Open(TrayWindow(), WM_TRAYNOTIFY, IDC_TRAYICON, WM_RBUTTONUP, {});
                         menuOnRelease = reader.m_opened;
                         ::SendMessageA(TrayWindow(), WM_TRAYNOTIFY, IDC_TRAYICON, WM_RBUTTONDOWN);
                         trayItems = reader.Open(TrayWindow(), WM_TRAYNOTIFY, IDC_TRAYICON,
                                                 WM_RBUTTONUP, {ID_TRAY_SHOW, ID_TRAY_EXIT});
                         menuOnClick = reader.m_opened;
                     }),
                 });
    EXPECT_TRUE(shownByDoubleClick);
    EXPECT_FALSE(menuOnRelease);
    EXPECT_TRUE(menuOnClick);
    ASSERT_EQ(2u, trayItems.size());
    EXPECT_EQ(0u, trayItems[0].state & MF_GRAYED);
    EXPECT_EQ(0u, trayItems[1].state & MF_GRAYED);
}

TEST_F(MonitorLifecycle, AWakeUpSentBeforeTheWindowExistedShowsItOnceItIsUp) {
    ASSERT_TRUE(test::PutDword(test::StorePath("Version"), "Version Number", 3)); // starts hidden
    CSingleInstance running("Brambleway.Mereth.Test.EarlyWake");
    CSingleInstance("Brambleway.Mereth.Test.EarlyWake").WakeRunning(0); // no window to wait for
    m_dialog = std::make_unique<CMonitorDlg>(m_shell, &running);
    bool shown = false;
    m_script.Run(*m_dialog, {Wait(300), Do([&] { shown = ::IsWindowVisible(Dialog()) != FALSE; })});
    EXPECT_TRUE(shown);
}

TEST_F(MonitorLifecycle, ExitAnsweredNoSavesNothingAndYesSavesAndEnds) {
    CMessageBoxAnswerer answerer;
    answerer.m_answer = IDNO;
    bool savedAfterNo = true;
    const INT_PTR result =
        m_script.Run(*m_dialog, {
                                    Do([&] { ::PostMessageA(Dialog(), WM_CLOSE, 0, 0); }),
                                    [&] { return !answerer.m_texts.empty(); }, Wait(200), Do([&] {
                                        savedAfterNo = test::KeyExists(test::StorePath("General"));
                                        answerer.m_answer = IDYES;
                                        ::PostMessageA(Dialog(), WM_COMMAND, ID_TRAY_EXIT, 0);
                                    }),
                                    [] { return false; }, // the answer ends the dialog
                                });
    EXPECT_EQ(IDOK, result);
    EXPECT_FALSE(savedAfterNo);
    EXPECT_TRUE(test::KeyExists(test::StorePath("General")));
    ASSERT_EQ(2u, answerer.m_texts.size());
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ("\nAre you sure you want to exit Mereth ?", answerer.m_texts[i]);
        EXPECT_EQ("Exit Mereth", answerer.m_captions[i]);
    }
}

TEST_F(MonitorLifecycle, EndOfSessionSavesWithoutAsking) {
    CMessageBoxAnswerer answerer;
    LRESULT agreed = FALSE;
    m_script.Run(*m_dialog,
                 {
                     Do([&] { agreed = ::SendMessageA(Dialog(), WM_QUERYENDSESSION, 0, 0); }),
                     Wait(200),
                 });
    EXPECT_TRUE(agreed);
    EXPECT_TRUE(answerer.m_texts.empty());
    EXPECT_TRUE(test::KeyExists(test::StorePath("General")));
}

TEST_F(MonitorLifecycle, ContextMenusGreyResetForZeroAndWhileConnected) {
    CMenuReader reader;
    auto menuOf = [&](int id, std::vector<UINT> ids) {
        RECT rect{};
        ::GetWindowRect(Indicator(id), &rect);
        return reader.Open(Dialog(), WM_CONTEXTMENU, WPARAM(Indicator(id)),
                           MAKELPARAM(rect.right, rect.bottom), std::move(ids));
    };
    auto greyed = [](const std::vector<CMenuReader::Item>& items, std::size_t i) {
        return i < items.size() && (items[i].state & MF_GRAYED) != 0;
    };
    struct Seen {
        const char* name;
        bool resetGreyed;
        bool expected;
    };
    std::vector<Seen> seen;
    bool todayDaysGreyed = false, todayDaysChecked = true, connLoginsMenu = true;
    m_script.Run(
        *m_dialog,
        {
            Do([&] {
                auto today = menuOf(IDC_TODAY_TIME, {ID_SHOW_DAYS, ID_RESET});
                todayDaysGreyed = greyed(today, 0);
                todayDaysChecked = today.size() > 0 && (today[0].state & MF_CHECKED) != 0;
                seen.push_back({"zero time", greyed(menuOf(IDC_TOTAL_TIME, {ID_RESET}), 0), true});
                seen.push_back(
                    {"zero logins", greyed(menuOf(IDC_TOTAL_LOGINS, {ID_RESET}), 0), true});
                menuOf(IDC_CONN_LOGINS, {});
                connLoginsMenu = reader.m_opened;
                m_sim.Connect("Work");
                m_sim.Write();
                Timer(CMonitorDlg::TIMER_POLL);
                Timer(CMonitorDlg::TIMER_POLL); // the figures show from the second tick
                seen.push_back({"logins while connected",
                                greyed(menuOf(IDC_TOTAL_LOGINS, {ID_RESET}), 0), true});
                m_sim.connections.clear();
                m_sim.Write();
                Timer(CMonitorDlg::TIMER_POLL);
                seen.push_back({"logins after the call",
                                greyed(menuOf(IDC_TOTAL_LOGINS, {ID_RESET}), 0), false});
            }),
        });
    EXPECT_TRUE(todayDaysGreyed);
    EXPECT_FALSE(todayDaysChecked);
    EXPECT_FALSE(connLoginsMenu);
    ASSERT_EQ(4u, seen.size());
    for (const Seen& s : seen) {
        EXPECT_EQ(s.expected, s.resetGreyed) << s.name;
    }
}

// The indicators are drawn on the button face: make that a colour of the table.
class MonitorLifecycleWhiteFace : public MonitorLifecycle {
protected:
    void SetUp() override {
        MonitorLifecycle::SetUp();
        const INT element = COLOR_BTNFACE;
        const COLORREF white = RGB(255, 255, 255);
        ::SetSysColors(1, &element, &white);
        m_dialog = std::make_unique<CMonitorDlg>(m_shell);
    }
    void TearDown() override {
        const INT element = COLOR_BTNFACE;
        ::SetSysColors(1, &element, &m_face);
    }
    COLORREF m_face = ::GetSysColor(COLOR_BTNFACE);
};

TEST_F(MonitorLifecycleWhiteFace, AColourActsOnlyOnItsTargetAndNotAsTheBackground) {
    CMenuReader reader;
    Colour afterWhite = 1, afterRed = 1, afterStale = 1;
    bool secondsAfterToggle = true;
    m_script.Run(
        *m_dialog,
        {
            Do([&] {
                reader.Open(Dialog(), WM_CONTEXTMENU, WPARAM(Indicator(IDC_YEAR_COST)), 0, {});
                ::SendMessageA(Dialog(), WM_COMMAND, ID_COLOUR_WHITE, 0);
                afterWhite = test::DisplayOf(m_dialog->Display(), IDC_YEAR_COST).textColour;
                reader.Open(Dialog(), WM_CONTEXTMENU, WPARAM(Indicator(IDC_YEAR_COST)), 0, {});
                ::SendMessageA(Dialog(), WM_COMMAND, ID_COLOUR_RED, 0);
                afterRed = test::DisplayOf(m_dialog->Display(), IDC_YEAR_COST).textColour;
                // The target was used up: a second command finds none.
                ::SendMessageA(Dialog(), WM_COMMAND, ID_COLOUR_BLUE, 0);
                afterStale = test::DisplayOf(m_dialog->Display(), IDC_YEAR_COST).textColour;

                reader.Open(Dialog(), WM_CONTEXTMENU, WPARAM(Indicator(IDC_MONTH_TIME)), 0, {});
                ::SendMessageA(Dialog(), WM_COMMAND, ID_SHOW_SECONDS, 0);
                secondsAfterToggle =
                    test::DisplayOf(m_dialog->Display(), IDC_MONTH_TIME).showSeconds;
            }),
        });
    EXPECT_EQ(COLOUR_BLACK, afterWhite);
    EXPECT_EQ(Colour(0x0000FF), afterRed);
    EXPECT_EQ(Colour(0x0000FF), afterStale);
    EXPECT_FALSE(secondsAfterToggle);
}

// Starts a call of Work while the reset question is on screen.
struct CallDuringQuestion {
    static inline test::CRasSimState* sim = nullptr;
    static inline HWND dialog = nullptr;
    static bool BeginCall() {
        if (sim->connections.empty()) {
            sim->Connect("Work");
            sim->Write();
            ::SendMessageA(dialog, WM_TIMER, CMonitorDlg::TIMER_POLL, 0);
        }
        return true;
    }
};

TEST_F(MonitorLifecycle, ResetIsAskedAndNotAppliedToACallBegunDuringTheQuestion) {
    CMessageBoxAnswerer answerer;
    answerer.m_answer = IDYES;
    const CUsageModel& model = m_dialog->Model();
    std::int32_t loginsAfterReset = -1, loginsAfterLateCall = -1;
    auto openMenu = [&] {
        CMenuReader().Open(Dialog(), WM_CONTEXTMENU, WPARAM(Indicator(IDC_TOTAL_LOGINS)), 0, {});
    };
    m_script.Run(*m_dialog, {
                                Do([&] {
                                    m_sim.Connect("Work");
                                    m_sim.Write();
                                    Timer(CMonitorDlg::TIMER_POLL);
                                    Timer(CMonitorDlg::TIMER_POLL);
                                    m_sim.connections.clear();
                                    m_sim.Write();
                                    Timer(CMonitorDlg::TIMER_POLL);
                                    openMenu();
                                    ::SendMessageA(Dialog(), WM_COMMAND, ID_RESET, 0);
                                    loginsAfterReset = model.m_entries[0].totalLogins;

                                    openMenu();
                                    CallDuringQuestion::sim = &m_sim;
                                    CallDuringQuestion::dialog = Dialog();
                                    answerer.m_answerNow = &CallDuringQuestion::BeginCall;
                                    ::SendMessageA(Dialog(), WM_COMMAND, ID_RESET, 0);
                                    loginsAfterLateCall = model.m_entries[0].totalLogins;
                                }),
                            });
    EXPECT_EQ(0, loginsAfterReset);
    EXPECT_EQ(1, loginsAfterLateCall); // the new call's login stays
    ASSERT_EQ(2u, answerer.m_captions.size());
    EXPECT_EQ("Reset Indicator", answerer.m_captions[0]);
    EXPECT_EQ(0u,
              answerer.m_texts[0].find("Are you sure you want to reset this login indicator ?"));
}

// A visible top-level window of this thread whose caption begins with caption.
struct CaptionSearch {
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<CaptionSearch*>(lParam);
    char text[128] = {};
    ::GetWindowTextA(window, text, sizeof text);
    if (std::string(text).rfind(search->caption, 0) == 0 && ::IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindOwnWindow(const char* caption) {
    CaptionSearch search{caption, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(MonitorLifecycle, NothingEndsTheProgramWhileTheSetChargesSheetIsOpen) {
    CMenuReader reader;
    std::vector<CMenuReader::Item> trayItems;
    bool asked = true, ended = true;
    HWND sheet = nullptr;
    const INT_PTR result = m_script.Run(
        *m_dialog,
        {
            Do([&] { ::PostMessageA(Dialog(), WM_COMMAND, IDC_SET_CHARGES, 0); }),
            [&] { return (sheet = FindOwnWindow("Set Telephone Charges for ")) != nullptr; },
            Do([&] {
                ::SendMessageA(TrayWindow(), WM_TRAYNOTIFY, IDC_TRAYICON, WM_RBUTTONDOWN);
                trayItems = reader.Open(TrayWindow(), WM_TRAYNOTIFY, IDC_TRAYICON, WM_RBUTTONUP,
                                        {ID_TRAY_SHOW, ID_TRAY_EXIT});
                ::PostMessageA(Dialog(), WM_CLOSE, 0, 0);
                ::PostMessageA(Dialog(), WM_COMMAND, ID_TRAY_EXIT, 0);
            }),
            Wait(300),
            Do([&] {
                asked = FindOwnWindow("Exit Mereth") != nullptr;
                ended = !::IsWindow(Dialog());
                ::PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            }),
            [&] { return !::IsWindow(sheet); },
        });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_FALSE(asked);
    EXPECT_FALSE(ended);
    ASSERT_EQ(2u, trayItems.size());
    EXPECT_EQ(0u, trayItems[0].state & MF_GRAYED);
    EXPECT_NE(0u, trayItems[1].state & MF_GRAYED);
}

} // namespace
} // namespace mereth
