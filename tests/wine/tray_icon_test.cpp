#include "tray/win32/TrayIcon.h"

#include "RecordingNotifyShell.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace mereth {
namespace {

using test::CRecordingNotifyShell;
using Call = CRecordingNotifyShell::Call;

// Stands for the main window: records the tray icon's notifications.
class CTrayParent : public CWnd {
public:
    std::vector<UINT> m_codes;
    ClickNotify m_last{};

    bool Create() {
        const RECT rect{0, 0, 100, 100};
        return CWnd::Create("tray parent", WS_OVERLAPPEDWINDOW, rect, nullptr, 0);
    }

private:
    LRESULT Record(NMHDR* header) {
        m_codes.push_back(header->code);
        m_last = *reinterpret_cast<ClickNotify*>(header);
        return 7;
    }
    static constexpr MessageEntry MESSAGE_ENTRIES[] = {
        OnNotify<&CTrayParent::Record>(IDC_TRAYICON, UINT(NM_CLICK)),
        OnNotify<&CTrayParent::Record>(IDC_TRAYICON, UINT(NM_DBLCLK)),
        OnNotify<&CTrayParent::Record>(IDC_TRAYICON, UINT(NM_RCLICK)),
        OnNotify<&CTrayParent::Record>(IDC_TRAYICON, UINT(NM_RDBLCLK)),
    };

public:
    static constexpr MessageMap MESSAGE_MAP{MESSAGE_ENTRIES, &CWnd::MESSAGE_MAP};
    const MessageMap& GetMessageMap() const override { return MESSAGE_MAP; }
};

class TrayIcon : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_parent.Create()); }
    bool CreateIcon(DWORD style, const char* tip = "Mereth") {
        return m_icon.Create(style, m_parent.Handle(), IDC_TRAYICON, IDI_IDLE, tip);
    }
    LRESULT Mouse(UINT message) { return m_icon.SendMessage(WM_TRAYNOTIFY, IDC_TRAYICON, message); }

    CRecordingNotifyShell m_shell;
    CTrayParent m_parent;
    CTrayIcon m_icon{m_shell};
};

TEST_F(TrayIcon, EveryCallCarriesTheFirstFormOfTheRecordWithOnlyWhatChanged) {
    ASSERT_TRUE(CreateIcon(WS_VISIBLE));
    char name[64] = {};
    ::GetWindowTextA(m_icon.Handle(), name, sizeof name);
    EXPECT_STREQ("TrayIcon notification window", name);
    EXPECT_FALSE(::IsWindowVisible(m_icon.Handle()));

    const std::string seventy(70, 'x');
    m_icon.SetTooltip(seventy.c_str());
    m_icon.SetTooltip(""); // keeps the tip on display
    m_icon.SetIconResource(IDI_ONLINE);
    m_icon.SetIconResource(IDI_IDLE);
    m_icon.SetIconResource(IDI_ONLINE);
    struct Expected {
        DWORD message;
        UINT flags;
        const char* tip;
    };
    const Expected expected[] = {
        {NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP, "Mereth"},
        {NIM_MODIFY, NIF_TIP, nullptr},
        {NIM_MODIFY, 0, ""},
        {NIM_MODIFY, NIF_ICON, ""},
        {NIM_MODIFY, NIF_ICON, ""},
        {NIM_MODIFY, NIF_ICON, ""},
    };
    ASSERT_EQ(std::size(expected), m_shell.m_calls.size());
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const NOTIFYICONDATAA& data = m_shell.m_calls[i].data;
        EXPECT_EQ(expected[i].message, m_shell.m_calls[i].message) << i;
        EXPECT_EQ(expected[i].flags, data.uFlags) << i;
        EXPECT_EQ(DWORD(NOTIFYICONDATAA_V1_SIZE), data.cbSize) << i; // 88 on 32-bit Windows
        EXPECT_EQ(m_icon.Handle(), data.hWnd) << i;
        EXPECT_EQ(UINT(IDC_TRAYICON), data.uID) << i;
        EXPECT_EQ(i == 0 ? 0x08C8u : 0u, data.uCallbackMessage) << i;
        EXPECT_EQ(expected[i].tip ? std::string(expected[i].tip) : seventy.substr(0, 63),
                  data.szTip)
            << i;
    }
    // Each picture is loaded once: the same handle every time it comes back.
    const auto icon = [&](std::size_t i) { return m_shell.m_calls[i].data.hIcon; };
    EXPECT_NE(icon(0), icon(3));
    EXPECT_EQ(icon(0), icon(4));
    EXPECT_EQ(icon(3), icon(5));
}

TEST_F(TrayIcon, ABalloonIsOneModifyInTheBalloonFormCutToItsFields) {
    ASSERT_TRUE(CreateIcon(WS_VISIBLE));
    const std::string title(70, 't');
    const std::string text(300, 'x');
    EXPECT_TRUE(m_icon.ShowBalloon(title.c_str(), text.c_str()));
    m_shell.m_succeed = false; // a shell without balloons refuses the record
    EXPECT_FALSE(m_icon.ShowBalloon("Mereth: budget", "Calls have cost"));

    ASSERT_EQ(m_shell.m_calls.size(), 3u);
    const NOTIFYICONDATAA& data = m_shell.m_calls[1].data;
    EXPECT_EQ(DWORD(NIM_MODIFY), m_shell.m_calls[1].message);
    EXPECT_EQ(UINT(NIF_INFO), data.uFlags);
    EXPECT_EQ(DWORD(NOTIFYICONDATAA_V2_SIZE), data.cbSize); // 488 on 32-bit Windows
    EXPECT_EQ(m_icon.Handle(), data.hWnd);
    EXPECT_EQ(UINT(IDC_TRAYICON), data.uID);
    EXPECT_EQ(DWORD(NIIF_INFO), data.dwInfoFlags);
    EXPECT_EQ(title.substr(0, 63), data.szInfoTitle);
    EXPECT_EQ(text.substr(0, 255), data.szInfo);
    EXPECT_STREQ("Calls have cost", m_shell.m_calls[2].data.szInfo);
}

// Steps over one icon, each with the calls it makes (Add, Modify, Delete; an add or a
// modify carries the whole record) and whether the icon then counts as added.
TEST_F(TrayIcon, AddsAndRemovesWhatTheShellHoldsAndRetriesAFailedAdd) {
    using Act = void (*)(CTrayIcon&);
    const Act show = [](CTrayIcon& i) { i.SetVisible(TRUE); };
    const Act hide = [](CTrayIcon& i) { i.SetVisible(FALSE); };
    const Act tick = [](CTrayIcon& i) { i.EnsureAdded(); };
    const Act reAdd = [](CTrayIcon& i) { i.ReAdd(); };
    const Act destroy = [](CTrayIcon& i) { ::DestroyWindow(::GetParent(i.Handle())); };
    const struct {
        const char* what;
        bool area, late; // the shell is up; an add that goes in is answered as failed
        Act act;
        const char* calls;
        bool added;
    } steps[] = {
        {"hidden before it was shown", true, false, hide, "", false},
        {"shown with no area yet", false, false, show, "AM", false},
        {"a status tick once the area is up", true, false, tick, "A", true},
        {"shown once more", true, false, show, "", true},
        {"hidden", true, false, hide, "D", false},
        {"a status tick while hidden on purpose", true, false, tick, "", false},
        {"an add that went in, answered as failed", true, true, show, "AM", true},
        {"a status tick", true, true, tick, "", true},
        {"a re-created area that kept the icon", true, true, reAdd, "AM", true},
        {"a re-created area that is not up yet", false, true, reAdd, "AM", false},
        {"the window destroyed", false, true, destroy, "D", false},
    };
    ASSERT_TRUE(CreateIcon(0));
    std::size_t seen = 0;
    for (const auto& step : steps) {
        m_shell.m_succeed = step.area;
        m_shell.m_addsTimeOut = step.late;
        step.act(m_icon);
        std::string calls;
        for (; seen < m_shell.m_calls.size(); ++seen) {
            const NOTIFYICONDATAA& data = m_shell.m_calls[seen].data;
            const DWORD message = m_shell.m_calls[seen].message;
            calls += message == NIM_ADD ? 'A' : message == NIM_MODIFY ? 'M' : 'D';
            EXPECT_EQ(message == NIM_DELETE ? 0 : NIF_MESSAGE | NIF_ICON | NIF_TIP, data.uFlags);
            EXPECT_EQ(UINT(IDC_TRAYICON), data.uID);
        }
        EXPECT_EQ(step.calls, calls) << step.what;
        EXPECT_EQ(step.added, m_icon.IsAdded()) << step.what;
    }
}

TEST_F(TrayIcon, PressAndReleasePairIntoClicks) {
    ASSERT_TRUE(CreateIcon(WS_VISIBLE));
    struct Case {
        const char* name;
        std::vector<UINT> mouse;
        std::vector<UINT> codes;
    };
    const Case cases[] = {
        {"right release alone", {WM_RBUTTONUP}, {}},
        {"right press and release", {WM_RBUTTONDOWN, WM_RBUTTONUP}, {UINT(NM_RCLICK)}},
        {"moves between press and release",
         {WM_RBUTTONDOWN, WM_MOUSEMOVE, WM_MOUSEMOVE, WM_RBUTTONUP},
         {UINT(NM_RCLICK)}},
        {"left press, right release", {WM_LBUTTONDOWN, WM_RBUTTONUP}, {}},
        {"left click", {WM_LBUTTONDOWN, WM_LBUTTONUP}, {UINT(NM_CLICK)}},
        {"double-click, then its release",
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP},
         {UINT(NM_CLICK), UINT(NM_DBLCLK)}},
        {"right double-click", {WM_RBUTTONDBLCLK, WM_RBUTTONUP}, {UINT(NM_RDBLCLK)}},
    };
    for (const Case& c : cases) {
        Mouse(WM_LBUTTONUP); // each case starts after a release
        m_parent.m_codes.clear();
        for (UINT message : c.mouse) {
            Mouse(message);
        }
        EXPECT_EQ(c.codes, m_parent.m_codes) << c.name;
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    Mouse(WM_RBUTTONDOWN);
    EXPECT_EQ(7, Mouse(WM_RBUTTONUP)); // the parent's answer
    EXPECT_EQ(m_icon.Handle(), m_parent.m_last.hdr.hwndFrom);
    EXPECT_EQ(UINT_PTR(IDC_TRAYICON), m_parent.m_last.hdr.idFrom);
    EXPECT_EQ(cursor.x, m_parent.m_last.pt.x);
    EXPECT_EQ(cursor.y, m_parent.m_last.pt.y);
}

TEST_F(TrayIcon, APressFollowedByADragAwayIsNoClick) {
    ASSERT_TRUE(CreateIcon(WS_VISIBLE));
    POINT start{};
    ::GetCursorPos(&start);
    Mouse(WM_RBUTTONDOWN);
    if (!::SetCursorPos(start.x + 60, start.y + 60)) {
        GTEST_SKIP() << "the pointer cannot be moved here";
    }
    POINT moved{};
    ::GetCursorPos(&moved);
    if (moved.x == start.x && moved.y == start.y) {
        GTEST_SKIP() << "the pointer cannot be moved here";
    }
    Mouse(WM_RBUTTONUP);
    ::SetCursorPos(start.x, start.y);
    EXPECT_TRUE(m_parent.m_codes.empty());
}

} // namespace
} // namespace mereth

namespace mereth {
namespace {

TEST(TrayIconSystemShell, TheNotificationAreaTakesAndGivesBackTheIcon) {
    CTrayParent parent;
    ASSERT_TRUE(parent.Create());
    {
        CTrayIcon icon;
        ASSERT_TRUE(icon.Create(WS_VISIBLE, parent.Handle(), IDC_TRAYICON, IDI_IDLE, "Mereth"));
        EXPECT_TRUE(icon.IsAdded());
        icon.SetIconResource(IDI_ONLINE);
        icon.SetTooltip("Mereth - Not Connected");
        icon.SetVisible(FALSE);
        EXPECT_FALSE(icon.IsAdded());
        icon.SetVisible(TRUE);
        EXPECT_TRUE(icon.IsAdded());
    }
    // Removed with its object: a second icon of the same window and id is added anew.
    CTrayIcon again;
    ASSERT_TRUE(again.Create(WS_VISIBLE, parent.Handle(), IDC_TRAYICON, IDI_IDLE, "Mereth"));
    EXPECT_TRUE(again.IsAdded());
}

} // namespace
} // namespace mereth
