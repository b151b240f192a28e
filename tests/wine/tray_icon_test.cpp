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

TEST_F(TrayIcon, AddsAHiddenWindowsIconWithTheFirstFormOfTheRecord) {
    ASSERT_TRUE(CreateIcon(WS_VISIBLE));
    HWND hidden = m_icon.Handle();
    char name[64] = {};
    ::GetWindowTextA(hidden, name, sizeof name);
    EXPECT_STREQ("TrayIcon notification window", name);
    EXPECT_FALSE(::IsWindowVisible(hidden));
    EXPECT_EQ(m_parent.Handle(), ::GetParent(hidden));
    EXPECT_EQ(IDC_TRAYICON, ::GetDlgCtrlID(hidden));

    ASSERT_EQ(1u, m_shell.m_calls.size());
    const auto& add = m_shell.m_calls[0];
    EXPECT_EQ(DWORD(NIM_ADD), add.message);
    EXPECT_EQ(DWORD(NOTIFYICONDATAA_V1_SIZE), add.data.cbSize);
#ifndef _WIN64
    EXPECT_EQ(88u, add.data.cbSize);
#endif
    EXPECT_EQ(hidden, add.data.hWnd);
    EXPECT_EQ(UINT(IDC_TRAYICON), add.data.uID);
    EXPECT_EQ(UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP), add.data.uFlags);
    EXPECT_EQ(0x08C8u, add.data.uCallbackMessage);
    EXPECT_NE(nullptr, add.data.hIcon);
    EXPECT_STREQ("Mereth", add.data.szTip);
    EXPECT_TRUE(m_icon.IsAdded());
}

TEST_F(TrayIcon, TipsAreCutToSixtyThreeBytesAndAnEmptyOneKeepsTheLast) {
    ASSERT_TRUE(CreateIcon(WS_VISIBLE));
    const std::string seventy(70, 'x');
    m_icon.SetTooltip(seventy.c_str());
    m_icon.SetTooltip("");
    ASSERT_EQ(3u, m_shell.m_calls.size());
    const auto& cut = m_shell.m_calls[1];
    EXPECT_EQ(DWORD(NIM_MODIFY), cut.message);
    EXPECT_EQ(UINT(NIF_TIP), cut.data.uFlags);
    EXPECT_EQ(seventy.substr(0, 63), cut.data.szTip);
    const auto& empty = m_shell.m_calls[2];
    EXPECT_EQ(DWORD(NIM_MODIFY), empty.message);
    EXPECT_EQ(0u, empty.data.uFlags);
}

TEST_F(TrayIcon, PicturesAreLoadedOnceAndSwitchedByResource) {
    ASSERT_TRUE(CreateIcon(WS_VISIBLE));
    const HICON idle = m_shell.m_calls[0].data.hIcon;
    std::vector<HICON> shown;
    for (int i = 0; i < 3; ++i) {
        m_icon.SetIconResource(IDI_ONLINE);
        shown.push_back(m_shell.m_calls.back().data.hIcon);
        m_icon.SetIconResource(IDI_IDLE);
        shown.push_back(m_shell.m_calls.back().data.hIcon);
    }
    EXPECT_EQ(UINT(NIF_ICON), m_shell.m_calls.back().data.uFlags);
    EXPECT_NE(idle, shown[0]);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(i % 2 == 0 ? shown[0] : idle, shown[i]) << i;
    }
}

TEST_F(TrayIcon, AddsOnceRemovesOnlyWhatWasAddedAndRetriesAFailedAdd) {
    ASSERT_TRUE(CreateIcon(0));
    m_icon.SetVisible(FALSE);
    EXPECT_TRUE(m_shell.m_calls.empty());

    m_shell.m_succeed = false; // the shell is not ready yet
    m_icon.SetVisible(TRUE);
    EXPECT_FALSE(m_icon.IsAdded());
    m_shell.m_succeed = true;
    EXPECT_TRUE(m_icon.EnsureAdded());
    m_icon.SetVisible(TRUE);
    EXPECT_TRUE(m_icon.EnsureAdded());
    EXPECT_EQ(2, m_shell.Count(NIM_ADD));

    m_icon.ReAdd(); // the notification area came back empty
    EXPECT_EQ(3, m_shell.Count(NIM_ADD));

    m_icon.SetVisible(FALSE);
    m_icon.SetVisible(FALSE);
    EXPECT_EQ(1, m_shell.Count(NIM_DELETE));
    EXPECT_FALSE(m_icon.EnsureAdded()); // hidden on purpose: not put back
    EXPECT_EQ(3, m_shell.Count(NIM_ADD));
}

TEST_F(TrayIcon, DestroyingTheParentRemovesTheIcon) {
    ASSERT_TRUE(CreateIcon(WS_VISIBLE));
    HWND hidden = m_icon.Handle();
    m_parent.DestroyWindow();
    ASSERT_EQ(1, m_shell.Count(NIM_DELETE));
    EXPECT_EQ(hidden, m_shell.m_calls.back().data.hWnd);
    EXPECT_EQ(UINT(IDC_TRAYICON), m_shell.m_calls.back().data.uID);
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
}

TEST_F(TrayIcon, ANotificationCarriesTheSenderAndPointerAndReturnsTheParentsAnswer) {
    ASSERT_TRUE(CreateIcon(WS_VISIBLE));
    POINT cursor{};
    ::GetCursorPos(&cursor);
    EXPECT_EQ(1, Mouse(WM_RBUTTONDOWN));
    EXPECT_EQ(7, Mouse(WM_RBUTTONUP));
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
