// The indicator controls as real windows: size and font, what a new text repaints, the
// frame's pixels, click notifications and texts too wide for their box; the budget's
// projection bar.
#include "ui/win32/IndicatorWnd.h"
#include "ui/win32/ProjectionBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mereth {
namespace {

// A visible top-level window that records the notifications of its children.
class CRecordingParent : public CWnd {
public:
    std::vector<UINT> codes;
    POINT lastPoint{};

    LRESULT OnNotifyMessage(WPARAM, LPARAM lParam) {
        const auto* notify = reinterpret_cast<const ClickNotify*>(lParam);
        codes.push_back(notify->hdr.code);
        lastPoint = notify->pt;
        return 0;
    }

    static constexpr MessageEntry MESSAGE_ENTRIES[] = {
        OnMessage<&CRecordingParent::OnNotifyMessage>(WM_NOTIFY),
    };
    static constexpr MessageMap MESSAGE_MAP{MESSAGE_ENTRIES, &CWnd::MESSAGE_MAP};
    const MessageMap& GetMessageMap() const override { return MESSAGE_MAP; }
};

class IndicatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.Create("Indicators", WS_POPUP | WS_VISIBLE, RECT{40, 40, 440, 240},
                                    nullptr, 0));
    }
    // Lets pending paints happen, so a later count sees only what a call caused.
    void Settle(CWindow& wnd) {
        ::UpdateWindow(m_parent.Handle());
        ::UpdateWindow(wnd.Handle());
    }
    CRecordingParent m_parent;
};

// Renders the control as WM_PRINTCLIENT draws it, frame included.
class CRendered {
public:
    explicit CRendered(CWindow& indicator) {
        RECT client{};
        indicator.GetClientRect(client);
        m_width = client.right;
        m_height = client.bottom;
        CClientDC screen(indicator.Handle());
        m_dc = CreateCompatibleDC(screen.Get());
        m_bitmap.Reset(CreateCompatibleBitmap(screen.Get(), m_width, m_height));
        m_old = SelectObject(m_dc, m_bitmap.Get());
        indicator.SendMessage(WM_PRINTCLIENT, WPARAM(m_dc), PRF_CLIENT | PRF_ERASEBKGND);
    }
    ~CRendered() {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
    }
    COLORREF Pixel(int x, int y) const { return GetPixel(m_dc, x, y); }
    // Inside the frame, row by row: '#' for ink (any colour but back), '.' for none.
    std::string Ink(COLORREF back) const {
        std::string ink;
        for (int y = 2; y < m_height - 2; ++y) {
            for (int x = 2; x < m_width - 2; ++x) {
                ink += Pixel(x, y) == back ? '.' : '#';
            }
        }
        return ink;
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width = 0;
    int m_height = 0;
    HDC m_dc = nullptr;
    CBitmap m_bitmap;
    HGDIOBJ m_old = nullptr;
};

TEST_F(IndicatorTest, SmallRequestGetsTheMinimumSizeAndAFontFromTheHeight) {
    CTextIndicator indicator(RGB(0, 0, 0), RGB(255, 255, 255));
    ASSERT_TRUE(indicator.Create("small", WS_CHILD | WS_VISIBLE, RECT{10, 10, 22, 22},
                                 m_parent.Handle(), 200));
    RECT client{};
    indicator.GetClientRect(client);
    EXPECT_EQ(client.right, 20);
    EXPECT_EQ(client.bottom, 20);
    EXPECT_EQ(indicator.FontHeight(), 16);

    CTextIndicator tall(RGB(0, 0, 0), RGB(255, 255, 255));
    ASSERT_TRUE(
        tall.Create("tall", WS_CHILD | WS_VISIBLE, RECT{10, 40, 200, 90}, m_parent.Handle(), 201));
    tall.GetClientRect(client);
    EXPECT_EQ(client.bottom, 50);
    EXPECT_EQ(tall.FontHeight(), 46);
}

TEST_F(IndicatorTest, NewTextRepaintsOnlyWhatChangedAndErasesOnlyWhenShorter) {
    CTextIndicator indicator;
    ASSERT_TRUE(indicator.Create("conn", WS_CHILD | WS_VISIBLE, RECT{10, 10, 190, 40},
                                 m_parent.Handle(), 1011));
    indicator.SetText("0:1:02:09");
    Settle(indicator);

    struct Step {
        const char* text;
        int paints;  // paints the call causes
        int erases;  // background fills it causes
        size_t tail; // characters drawn as changed
    };
    const Step steps[] = {
        {"0:1:02:09", 0, 0, 0},                    // the same text costs nothing
        {"0:1:02:10", 1, 0, 2},                    // only the last two digits
        {"0:1:02:10", 0, 0, 0}, {"1:59", 1, 1, 4}, // shorter: erased and drawn whole
        {"2:00", 1, 0, 4},                         // same length, nothing in common
        {"10:00", 1, 0, 5},                        // longer: drawn whole without an erase
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.text);
        const int paints = indicator.PaintStats().paints;
        const int erases = indicator.EraseCount();
        indicator.SetText(step.text);
        EXPECT_EQ(indicator.GetText(), step.text);
        EXPECT_EQ(indicator.PaintStats().paints - paints, step.paints);
        EXPECT_EQ(indicator.EraseCount() - erases, step.erases);
        if (step.paints > 0) {
            EXPECT_EQ(indicator.PaintStats().lastTail, step.tail);
        }
    }
}

TEST_F(IndicatorTest, FrameAndBackgroundPixels) {
    const COLORREF back = RGB(0, 128, 255);
    CTextIndicator indicator(RGB(0, 0, 0), back);
    ASSERT_TRUE(indicator.Create("frame", WS_CHILD | WS_VISIBLE, RECT{10, 10, 110, 40},
                                 m_parent.Handle(), 202));
    CRendered image(indicator);
    const int w = image.Width();
    const int h = image.Height();
    struct Expected {
        int x, y;
        COLORREF colour;
    };
    const Expected pixels[] = {
        {0, 0, GetSysColor(COLOR_BTNSHADOW)},
        {w - 2, 0, GetSysColor(COLOR_BTNSHADOW)},
        {0, h - 2, GetSysColor(COLOR_BTNSHADOW)},
        {1, 1, RGB(0, 0, 0)},
        {w - 3, 1, RGB(0, 0, 0)},
        {1, h - 3, RGB(0, 0, 0)},
        {w - 1, 0, GetSysColor(COLOR_BTNHIGHLIGHT)},
        {0, h - 1, GetSysColor(COLOR_BTNHIGHLIGHT)},
        {w - 2, 1, GetSysColor(COLOR_BTNFACE)},
        {1, h - 2, GetSysColor(COLOR_BTNFACE)},
        {2, 2, back},
        {w - 3, h - 3, back},
    };
    for (const Expected& p : pixels) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        EXPECT_EQ(image.Pixel(p.x, p.y), p.colour);
    }
}

TEST_F(IndicatorTest, TextColourRules) {
    CTextIndicator same(RGB(10, 20, 30), RGB(10, 20, 30));
    EXPECT_EQ(same.GetTextColour(), RGB(0, 0, 0));
    EXPECT_EQ(same.GetBackColour(), GetSysColor(COLOR_BTNFACE));

    CTextIndicator indicator(RGB(0, 0, 0), RGB(255, 255, 255));
    indicator.SetTextColour(RGB(255, 255, 255)); // the background: ignored
    EXPECT_EQ(indicator.GetTextColour(), RGB(0, 0, 0));
    indicator.SetTextColour(RGB(255, 0, 0));
    EXPECT_EQ(indicator.GetTextColour(), RGB(255, 0, 0));
}

TEST_F(IndicatorTest, ClickNotificationsPairPressAndRelease) {
    struct Case {
        const char* name;
        std::vector<UINT> messages;
        std::vector<UINT> codes;
    };
    const Case cases[] = {
        {"left click", {WM_LBUTTONDOWN, WM_LBUTTONUP}, {NM_CLICK}},
        {"pressed elsewhere, released here", {WM_LBUTTONUP}, {}},
        {"right press, left release", {WM_RBUTTONDOWN, WM_LBUTTONUP}, {}},
        {"double-click",
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP},
         {NM_CLICK, NM_DBLCLK}},
        {"right click", {WM_RBUTTONDOWN, WM_RBUTTONUP}, {NM_RCLICK}},
        {"right double-click",
         {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_RBUTTONUP},
         {NM_RCLICK, NM_RDBLCLK}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTextIndicator indicator(RGB(0, 0, 0), RGB(255, 255, 255));
        ASSERT_TRUE(indicator.Create("click", WS_CHILD | WS_VISIBLE, RECT{10, 10, 110, 40},
                                     m_parent.Handle(), 203));
        m_parent.codes.clear();
        for (UINT message : c.messages) {
            indicator.SendMessage(message, 0, MAKELPARAM(5, 6));
        }
        EXPECT_EQ(m_parent.codes, c.codes);
        if (!c.codes.empty()) {
            POINT expected{5, 6};
            ::ClientToScreen(indicator.Handle(), &expected);
            EXPECT_EQ(m_parent.lastPoint.x, expected.x);
            EXPECT_EQ(m_parent.lastPoint.y, expected.y);
        }
    }
}

// A text too wide for its box shrinks, to no less than 8 pixels and on the full-size
// baseline; one still too wide then keeps its start and is cut at the right.
TEST_F(IndicatorTest, TooWideTextShrinksAndKeepsItsLeadingCharacters) {
    const COLORREF back = RGB(255, 255, 255);
    CTextIndicator indicator(RGB(0, 0, 0), back);
    ASSERT_TRUE(indicator.Create("cost", WS_CHILD | WS_VISIBLE, RECT{10, 10, 140, 31},
                                 m_parent.Handle(), 106));
    const struct {
        const char* amount;
        bool shrunk;
        bool cut; // the last character is out of view
    } cases[] = {
        {"999999995904.00", true, false},
        {"999999994495727286427992885035008.00", true, true},
        {"1.50", false, false}, // the full font returns
    };
    std::size_t baseline = 0;
    for (const auto& c : cases) {
        const std::string text = std::string("\xA3") + c.amount;
        SCOPED_TRACE(text);
        indicator.SetText(text);
        const CRendered image(indicator);
        const std::string ink = image.Ink(back);
        EXPECT_EQ(indicator.PaintStats().fontHeight < indicator.FontHeight(), c.shrunk);
        EXPECT_GE(indicator.PaintStats().fontHeight, 8);
        // No descenders here: the lowest ink is the digits' baseline.
        const std::size_t bottom = ink.rfind('#') / std::size_t(image.Width() - 4);
        baseline = baseline ? baseline : bottom;
        EXPECT_EQ(bottom, baseline);

        indicator.SetText("$" + text.substr(1)); // the first character is in view
        EXPECT_NE(CRendered(indicator).Ink(back), ink);
        indicator.SetText(text.substr(0, text.size() - 1) + "7");
        EXPECT_EQ(CRendered(indicator).Ink(back) == ink, c.cut);
    }
}

TEST_F(IndicatorTest, ProjectionBarFillsMarksAndColoursByLevel) {
    CProjectionBar bar;
    ASSERT_TRUE(bar.Create("projection", WS_CHILD | WS_VISIBLE, RECT{10, 10, 112, 24},
                           m_parent.Handle(), 203));
    Budget budget;
    budget.amount = 20.0f;
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    // Inside the 1-pixel frame the bar is 100 pixels wide, x 1 to 100: a pixel per 0.2 of
    // the budget; the 2-pixel marker stands within it.
    const struct {
        float spent, projected;
        BudgetLevel level;
        COLORREF fill;
        int lastFilled, marker; // x of the last filled pixel and of the marker's first
    } cases[] = {
        {5.0f, 10.0f, BudgetLevel::Green, CProjectionBar::GREEN, 25, 50},
        {12.0f, 17.0f, BudgetLevel::Amber, CProjectionBar::AMBER, 60, 84},
        {16.0f, 30.0f, BudgetLevel::Red, CProjectionBar::RED, 80, 99},
        {25.0f, 40.0f, BudgetLevel::Red, CProjectionBar::RED, 98, 99},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.spent << " of 20");
        Projection projection;
        projection.spent = c.spent;
        projection.projected = c.projected;
        projection.level = c.level;
        bar.SetProjection(budget, projection);
        CRendered image(bar);
        ASSERT_EQ(image.Width(), 102);
        const int y = image.Height() / 2;
        EXPECT_EQ(image.Pixel(1, y), c.fill);
        EXPECT_EQ(image.Pixel(c.lastFilled, y), c.fill);
        if (c.spent < budget.amount) {
            EXPECT_EQ(image.Pixel(c.lastFilled + 1, y), window);
        }
        EXPECT_NE(image.Pixel(c.marker - 1, y), CProjectionBar::MARKER);
        EXPECT_EQ(image.Pixel(c.marker, y), CProjectionBar::MARKER);
        EXPECT_EQ(image.Pixel(c.marker + 1, y), CProjectionBar::MARKER);
    }

    // The same picture again paints nothing.
    Settle(bar);
    const int paints = bar.PaintCount();
    bar.SetProjection(budget, Projection{25.0f, 40.0f, -5.0f, 0.0f, BudgetLevel::Red});
    Settle(bar);
    EXPECT_EQ(bar.PaintCount(), paints);
}

} // namespace
} // namespace mereth
