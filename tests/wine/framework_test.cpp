#include "framework/Application.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/PropertySheet.h"
#include "framework/SubclassedWindow.h"

#include "DialogTemplate.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace mereth {
namespace {

using test::CDialogTemplate;
using test::CMessageBoxAnswerer;

constexpr UINT WM_FIRST = WM_APP + 1, WM_SECOND = WM_APP + 2;

class CBaseWnd : public CWnd {
public:
    std::string m_log;

protected:
    LRESULT OnFirst(WPARAM, LPARAM) { return m_log += "base-first ", 1; }
    LRESULT OnSecond(WPARAM, LPARAM) { return m_log += "base-second ", 2; }
    void OnSave() { m_log += "save "; }

    static constexpr MessageEntry MESSAGE_ENTRIES[] = {
        OnMessage<&CBaseWnd::OnFirst>(WM_FIRST),
        OnMessage<&CBaseWnd::OnSecond>(WM_SECOND),
        OnCommand<&CBaseWnd::OnSave>(10, BN_CLICKED),
    };
    static constexpr MessageMap MESSAGE_MAP{MESSAGE_ENTRIES, &CWnd::MESSAGE_MAP};
    const MessageMap& GetMessageMap() const override { return MESSAGE_MAP; }
};

class CDerivedWnd : public CBaseWnd {
protected:
    bool PreCreateWindow(CREATESTRUCTA& cs) override {
        cs.cy = cs.cy < 20 ? 20 : cs.cy;
        return true;
    }
    LRESULT OnFirst(WPARAM, LPARAM) { return m_log += "derived-first ", 11; }
    void OnAnyCode() { m_log += "any-code "; }
    void OnColour(UINT id) { m_log += "colour" + std::to_string(id) + " "; }
    LRESULT OnClick(NMHDR* header) {
        return m_log += "click" + std::to_string(header->idFrom) + " ", 5;
    }
    LRESULT OnSetText(WPARAM, LPARAM) {
        m_log += "settext ";
        SetMsgHandled(false);
        return 0;
    }

    static constexpr MessageEntry MESSAGE_ENTRIES[] = {
        OnMessage<&CDerivedWnd::OnFirst>(WM_FIRST),
        OnMessage<&CDerivedWnd::OnSetText>(WM_SETTEXT),
        OnCommand<&CDerivedWnd::OnAnyCode>(20),
        OnCommandRange<&CDerivedWnd::OnColour>(30, 38),
        OnNotify<&CDerivedWnd::OnClick>(104, UINT(NM_DBLCLK)),
    };
    static constexpr MessageMap MESSAGE_MAP{MESSAGE_ENTRIES, &CBaseWnd::MESSAGE_MAP};
    const MessageMap& GetMessageMap() const override { return MESSAGE_MAP; }
};

LRESULT SendNotify(const CWindow& wnd, UINT_PTR idFrom, int code) {
    NMHDR header{nullptr, idFrom, UINT(code)};
    return wnd.SendMessage(WM_NOTIFY, idFrom, reinterpret_cast<LPARAM>(&header));
}

TEST(FrameworkWindow, TablesDispatchFromTheMostDerivedClass) {
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.Create("Test", WS_POPUP, RECT{0, 0, 50, 12}, nullptr, 0));
    struct Case {
        UINT message;
        WPARAM wParam;
        LRESULT result;
        const char* log;
    } cases[] = {
        {WM_FIRST, 0, 11, "derived-first "},
        {WM_SECOND, 0, 2, "base-second "},
        {WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), 0, "save "},
        {WM_COMMAND, MAKEWPARAM(10, EN_CHANGE), 0, ""},
        {WM_COMMAND, MAKEWPARAM(11, BN_CLICKED), 0, ""},
        {WM_COMMAND, MAKEWPARAM(20, EN_CHANGE), 0, "any-code "},
        {WM_COMMAND, MAKEWPARAM(38, 0), 0, "colour38 "},
        {WM_COMMAND, MAKEWPARAM(39, 0), 0, ""},
    };
    for (const Case& c : cases) {
        wnd.m_log.clear();
        EXPECT_EQ(wnd.SendMessage(c.message, c.wParam), c.result) << c.message << " " << c.wParam;
        EXPECT_EQ(wnd.m_log, c.log) << c.message << " " << c.wParam;
    }
    wnd.m_log.clear();
    EXPECT_EQ(SendNotify(wnd, 104, NM_DBLCLK), 5);
    EXPECT_EQ(SendNotify(wnd, 104, NM_CLICK), 0);
    EXPECT_EQ(SendNotify(wnd, 105, NM_DBLCLK), 0);
    EXPECT_EQ(wnd.m_log, "click104 ");

    // A handler that declines leaves the message to DefWindowProc, which keeps the text;
    // a message no table names goes there straight.
    wnd.m_log.clear();
    EXPECT_TRUE(wnd.SetWindowText("Changed"));
    char text[20];
    EXPECT_EQ(wnd.GetWindowText(text, sizeof text), 7);
    EXPECT_STREQ(text, "Changed");
    EXPECT_EQ(wnd.m_log, "settext ");
    EXPECT_EQ(wnd.SendMessage(WM_GETTEXTLENGTH), 7);
}

TEST(FrameworkWindow, DefaultClassAndPreCreateHook) {
    HWND hWnd = nullptr;
    {
        CDerivedWnd wnd;
        ASSERT_TRUE(wnd.Create("Test", WS_POPUP, RECT{0, 0, 50, 12}, nullptr, 0));
        hWnd = wnd.Handle();
        RECT rect;
        ASSERT_TRUE(wnd.GetWindowRect(rect));
        EXPECT_EQ(rect.bottom - rect.top, 20);
        EXPECT_EQ(GetClassLongPtrA(hWnd, GCL_STYLE), CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
        EXPECT_EQ(GetClassLongPtrA(hWnd, GCLP_HBRBACKGROUND), 0);
        EXPECT_EQ(HCURSOR(GetClassLongPtrA(hWnd, GCLP_HCURSOR)),
                  LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
        EXPECT_FALSE(wnd.Create("Again", WS_POPUP, RECT{}, nullptr, 0));
    }
    // The object took its window with it.
    EXPECT_FALSE(IsWindow(hWnd));
}

// Dialog with two edits, a radio group, a check box, a combo box and OK.
enum : WORD { ID_FLOAT = 1001, ID_INT, ID_RADIO0, ID_RADIO1, ID_CHECK, ID_COMBO, ID_AFTER };

CDialogTemplate FieldsTemplate(DWORD style) {
    CDialogTemplate t(style | WS_POPUP | WS_CAPTION, "Fields", 200, 120);
    t.Add(CDialogTemplate::EDIT, ID_FLOAT, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 5, 5, 60, 12)
        .Add(CDialogTemplate::EDIT, ID_INT, WS_BORDER | WS_TABSTOP, 5, 20, 60, 12)
        .Add(CDialogTemplate::BUTTON, ID_RADIO0, BS_AUTORADIOBUTTON | WS_GROUP, 5, 35, 60, 10, "A")
        .Add(CDialogTemplate::BUTTON, ID_RADIO1, BS_AUTORADIOBUTTON, 5, 45, 60, 10, "B")
        .Add(CDialogTemplate::BUTTON, ID_CHECK, BS_AUTOCHECKBOX | WS_GROUP, 5, 60, 60, 10, "C")
        .Add(CDialogTemplate::COMBOBOX, ID_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL, 5, 75, 60, 60)
        .Add(CDialogTemplate::EDIT, ID_AFTER, WS_BORDER, 80, 5, 60, 12)
        .Add(CDialogTemplate::BUTTON, IDOK, BS_DEFPUSHBUTTON | WS_GROUP, 140, 100, 50, 14, "OK");
    return t;
}

class CFieldsDlg : public CStartHiddenDialog {
public:
    explicit CFieldsDlg(const CDialogTemplate& t, CWnd* parent = nullptr)
        : CStartHiddenDialog(t.Data(), t.Size(), parent) {}

    float m_float = 0;
    int32_t m_int = 0, m_radio = 0, m_check = 0, m_combo = -1, m_after = 0;
    int m_ticks = 0;
    bool m_everVisible = false;
    int m_modalCountSeen = 0;
    // Runs at the first timer tick, inside the modal loop; its result ends the dialog
    // unless it is 0.
    INT_PTR (*m_onFirstTick)(CFieldsDlg&) = nullptr;

protected:
    void DoDataExchange(CDataExchange& dx) override {
        dx.Text(ID_FLOAT, m_float);
        dx.Text(ID_INT, m_int);
        dx.Radio(ID_RADIO0, m_radio);
        dx.Check(ID_CHECK, m_check);
        dx.ComboIndex(ID_COMBO, m_combo);
        dx.Text(ID_AFTER, m_after);
    }
    bool OnInitDialog() override {
        CWindow combo = GetDlgItem(ID_COMBO);
        for (const char* item : {"x", "y", "z"}) {
            combo.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        SetTimer(1, 20);
        return CStartHiddenDialog::OnInitDialog();
    }
    LRESULT OnTimer(WPARAM, LPARAM) {
        ++m_ticks;
        m_everVisible = m_everVisible || IsWindowVisible();
        if (m_ticks == 1 && m_onFirstTick) {
            if (INT_PTR result = m_onFirstTick(*this)) {
                EndDialog(result);
            }
        } else if (m_ticks >= 5 && !m_onFirstTick) {
            EndDialog(100 + m_ticks);
        }
        return 0;
    }
    static constexpr MessageEntry MESSAGE_ENTRIES[] = {
        OnMessage<&CFieldsDlg::OnTimer>(WM_TIMER),
    };
    static constexpr MessageMap MESSAGE_MAP{MESSAGE_ENTRIES, &CStartHiddenDialog::MESSAGE_MAP};
    const MessageMap& GetMessageMap() const override { return MESSAGE_MAP; }
};

TEST(FrameworkDialog, StartsHiddenOrShownAndReturnsTheEndCode) {
    for (int showOnStart : {0, 1}) {
        // WS_VISIBLE in the template must not show a dialog that starts hidden.
        const CDialogTemplate t = FieldsTemplate(WS_VISIBLE);
        CFieldsDlg dlg(t);
        dlg.m_showOnStart = showOnStart;
        EXPECT_EQ(dlg.DoModal(), 105) << showOnStart;
        EXPECT_EQ(dlg.m_everVisible, showOnStart == 1) << showOnStart;
        EXPECT_EQ(dlg.Handle(), nullptr);
    }
}

TEST(FrameworkDialog, NestedModalRunsKeepTheTimersAndAreCounted) {
    const CDialogTemplate t = FieldsTemplate(0);
    CFieldsDlg dlg(t);
    dlg.m_showOnStart = 0;
    CMessageBoxAnswerer answerer;
    static CFieldsDlg* s_dlg = &dlg;
    // The box stays open until the dialog has had more timer ticks.
    answerer.m_answerNow = [] {
        s_dlg->m_modalCountSeen = s_dlg->OpenModalCount();
        return s_dlg->m_ticks >= 4;
    };
    static int s_outerEnabled = -1, s_outerCount = -1;
    dlg.m_onFirstTick = [](CFieldsDlg& d) -> INT_PTR {
        d.MessageBox("Nested");
        // A dialog owned by this one disables it while it runs.
        const CDialogTemplate inner = FieldsTemplate(0);
        CFieldsDlg child(inner, &d);
        child.m_showOnStart = 0;
        child.m_onFirstTick = [](CFieldsDlg&) -> INT_PTR {
            s_outerEnabled = s_dlg->IsWindowEnabled();
            s_outerCount = s_dlg->OpenModalCount();
            return 3;
        };
        return child.DoModal() == 3 ? 9 : 8;
    };
    EXPECT_EQ(dlg.DoModal(), 9);
    EXPECT_GE(dlg.m_ticks, 4);
    EXPECT_EQ(dlg.m_modalCountSeen, 1);
    EXPECT_EQ(dlg.OpenModalCount(), 0);
    ASSERT_EQ(answerer.m_texts.size(), 1u);
    EXPECT_EQ(answerer.m_texts[0], "Nested");
    EXPECT_EQ(s_outerEnabled, 0);
    EXPECT_EQ(s_outerCount, 1);
}

std::string ItemText(const CWindow& dlg, int id) {
    char text[64];
    dlg.GetDlgItem(id).GetWindowText(text, sizeof text);
    return text;
}

bool ItemChecked(const CWindow& dlg, int id) {
    return dlg.GetDlgItem(id).SendMessage(BM_GETCHECK) == BST_CHECKED;
}

TEST(FrameworkDataExchange, MembersRoundTripThroughTheControls) {
    const CDialogTemplate t = FieldsTemplate(0);
    CFieldsDlg dlg(t);
    dlg.m_onFirstTick = [](CFieldsDlg& d) -> INT_PTR {
        const struct {
            float value;
            const char* text;
        } shown[] = {{0.05f, "0.05"}, {3.0f, "3"}, {12.345678f, "12.3457"}, {0.1f, "0.1"}};
        for (const auto& row : shown) {
            d.m_float = row.value;
            EXPECT_TRUE(d.UpdateData(false));
            EXPECT_EQ(ItemText(d, ID_FLOAT), row.text);
        }
        d.m_int = 7;
        d.m_radio = 1;
        d.m_check = 1;
        d.m_combo = 2;
        d.UpdateData(false);
        EXPECT_EQ(ItemText(d, ID_INT), "7");
        EXPECT_FALSE(ItemChecked(d, ID_RADIO0));
        EXPECT_TRUE(ItemChecked(d, ID_RADIO1));
        EXPECT_TRUE(ItemChecked(d, ID_CHECK));
        EXPECT_EQ(d.GetDlgItem(ID_COMBO).SendMessage(CB_GETCURSEL), 2);

        d.GetDlgItem(ID_FLOAT).SetWindowText(" 2.50 ");
        d.GetDlgItem(ID_INT).SetWindowText("007");
        d.GetDlgItem(ID_RADIO0).SendMessage(BM_SETCHECK, BST_CHECKED);
        d.GetDlgItem(ID_RADIO1).SendMessage(BM_SETCHECK, BST_UNCHECKED);
        d.GetDlgItem(ID_CHECK).SendMessage(BM_SETCHECK, BST_UNCHECKED);
        d.GetDlgItem(ID_COMBO).SendMessage(CB_SETCURSEL, WPARAM(-1));
        EXPECT_TRUE(d.UpdateData(true));
        EXPECT_EQ(d.m_float, 2.5f);
        EXPECT_EQ(d.m_int, 7);
        EXPECT_EQ(d.m_radio, 0);
        EXPECT_EQ(d.m_check, 0);
        EXPECT_EQ(d.m_combo, CB_ERR);
        return 1;
    };
    EXPECT_EQ(dlg.DoModal(), 1);
}

TEST(FrameworkDataExchange, UnreadableFieldStopsTheExchangeWithItsMessage) {
    const CDialogTemplate t = FieldsTemplate(0);
    CFieldsDlg dlg(t);
    static CMessageBoxAnswerer* s_answerer = nullptr;
    CMessageBoxAnswerer answerer;
    s_answerer = &answerer;
    dlg.m_onFirstTick = [](CFieldsDlg& d) -> INT_PTR {
        struct {
            const char* floatText;
            const char* intText;
            const char* message;
            int32_t intAfter; // m_int after the exchange: read only past a good float
        } cases[] = {
            {"abc", "8", "Please enter a number.", 1},
            {"4", "x8", "Please enter an integer.", 1},
            {"4", "", "Please enter an integer.", 1},
            {"", "8", "Please enter a number.", 1},
        };
        for (const auto& c : cases) {
            d.m_int = 1;
            d.m_after = 55;
            s_answerer->m_texts.clear();
            d.GetDlgItem(ID_FLOAT).SetWindowText(c.floatText);
            d.GetDlgItem(ID_INT).SetWindowText(c.intText);
            d.GetDlgItem(ID_AFTER).SetWindowText("66");
            EXPECT_FALSE(d.UpdateData(true)) << c.floatText << "|" << c.intText;
            EXPECT_EQ(s_answerer->m_texts, std::vector<std::string>{c.message});
            EXPECT_EQ(d.m_int, c.intAfter);
            EXPECT_EQ(d.m_after, 55);
            // The focus is on the field that failed, its whole text selected.
            const int failed = c.message[15] == 'n' ? ID_FLOAT : ID_INT;
            EXPECT_EQ(GetFocus(), d.GetDlgItem(failed).Handle()) << c.message;
            DWORD start = 1, end = 0;
            d.GetDlgItem(failed).SendMessage(EM_GETSEL, WPARAM(&start), LPARAM(&end));
            EXPECT_EQ(start, 0u);
            EXPECT_EQ(end, DWORD(ItemText(d, failed).size()));
        }
        return 1;
    };
    EXPECT_EQ(dlg.DoModal(), 1);
}

// Pasted texts that typing could not produce are read by the same rules as the entry
// fields: what is no amount or no count fails and leaves the member alone.
TEST(FrameworkDataExchange, PastedTextsReadLikeTheEntryFields) {
    const CDialogTemplate t = FieldsTemplate(0);
    CFieldsDlg dlg(t);
    CMessageBoxAnswerer answerer;
    dlg.m_onFirstTick = [](CFieldsDlg& d) -> INT_PTR {
        const struct {
            const char* floatText;
            const char* intText;
            bool ok;
            float floatValue;
            int32_t intValue;
        } cases[] = {
            {"0.", "99999999999", true, 0.0f, INT32_MAX},
            {".5", " 12 ", true, 0.5f, 12},
            {"1e2", "0", true, 100.0f, 0},
            {"-60", "1", false, -9.0f, -9},
            {"1e39", "1", false, -9.0f, -9},
            {"12.5.", "1", false, -9.0f, -9},
            {"1", "-5", false, 1.0f, -9},
            {"1", "1.5", false, 1.0f, -9},
        };
        for (const auto& c : cases) {
            d.m_float = -9.0f;
            d.m_int = -9;
            d.GetDlgItem(ID_FLOAT).SetWindowText(c.floatText);
            d.GetDlgItem(ID_INT).SetWindowText(c.intText);
            EXPECT_EQ(d.UpdateData(true), c.ok) << c.floatText << "|" << c.intText;
            EXPECT_EQ(d.m_float, c.floatValue) << c.floatText;
            EXPECT_EQ(d.m_int, c.intValue) << c.intText;
        }
        return 1;
    };
    EXPECT_EQ(dlg.DoModal(), 1);
    EXPECT_EQ(answerer.m_texts.size(), 5u);
}

class CNoLettersEdit : public CSubclassedEdit {
public:
    int m_chars = 0;

protected:
    bool OnChar(UINT ch, UINT, UINT) override {
        ++m_chars;
        return !IsCharAlphaA(char(ch));
    }
};

TEST(FrameworkSubclassedEdit, RefusedCharactersNeverReachTheControl) {
    const CDialogTemplate t = FieldsTemplate(0);
    CFieldsDlg dlg(t);
    static CNoLettersEdit* s_edit = nullptr;
    CNoLettersEdit edit;
    s_edit = &edit;
    dlg.m_onFirstTick = [](CFieldsDlg& d) -> INT_PTR {
        EXPECT_TRUE(s_edit->Attach(d, ID_AFTER));
        EXPECT_FALSE(s_edit->Attach(d, ID_AFTER));
        CWindow control = d.GetDlgItem(ID_AFTER);
        control.SetWindowText("");
        for (char ch : {'1', 'a', '2', 'Z'}) {
            control.SendMessage(WM_CHAR, WPARAM(ch), 1);
        }
        EXPECT_EQ(ItemText(d, ID_AFTER), "12");
        EXPECT_EQ(s_edit->m_chars, 4);
        // Other messages reach the edit control unchanged.
        EXPECT_EQ(control.SendMessage(WM_GETTEXTLENGTH), 2);
        return 1;
    };
    EXPECT_EQ(dlg.DoModal(), 1);
    // The control went with the dialog and let go of the object.
    EXPECT_EQ(edit.Handle(), nullptr);
}

CDialogTemplate PageTemplate(const char* caption) {
    CDialogTemplate t(WS_CHILD | WS_CAPTION | DS_CONTROL, caption, 150, 60);
    t.Add(CDialogTemplate::EDIT, ID_FLOAT, WS_BORDER | WS_TABSTOP, 5, 5, 60, 12);
    return t;
}

class CFloatPage : public CPropertyPage {
public:
    explicit CFloatPage(const CDialogTemplate& t) : CPropertyPage(t.Data(), t.Size()) {}
    float m_float = 7;
    int m_applies = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override { dx.Text(ID_FLOAT, m_float); }
    bool OnApply() override { return ++m_applies, true; }
};

// Drives the open sheet from a thread timer: each step types into the first page and
// presses a button once the previous step's message boxes have been answered.
struct CSheetScript {
    struct Step {
        const char* text;
        int button;
        size_t boxesBefore;
    };
    static inline const Step* s_steps = nullptr;
    static inline size_t s_count = 0, s_next = 0;
    static inline CFloatPage* s_page = nullptr;
    static inline CMessageBoxAnswerer* s_answerer = nullptr;

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        HWND page = s_page->Handle();
        if (!page || s_next >= s_count ||
            s_answerer->m_texts.size() < s_steps[s_next].boxesBefore) {
            return;
        }
        const Step& step = s_steps[s_next++];
        SetDlgItemTextA(page, ID_FLOAT, step.text);
        PostMessageA(GetParent(page), PSM_PRESSBUTTON, WPARAM(step.button), 0);
    }
};

TEST(FrameworkPropertySheet, PagesReadOnLeavingAndOnlyOkCounts) {
    const CDialogTemplate first = PageTemplate("First"), second = PageTemplate("Second");
    const struct {
        std::vector<CSheetScript::Step> steps;
        INT_PTR result;
        float firstValue;
        std::vector<std::string> boxes;
    } cases[] = {
        {{{"abc", PSBTN_OK, 0}, {"4.5", PSBTN_OK, 1}}, IDOK, 4.5f, {"Please enter a number."}},
        {{{"9", PSBTN_CANCEL, 0}}, IDCANCEL, 7.0f, {}},
    };
    for (const auto& c : cases) {
        CFloatPage one(first), two(second);
        CPropertySheet sheet("Sheet Test");
        sheet.AddPage(one);
        sheet.AddPage(two);
        CMessageBoxAnswerer answerer;
        CSheetScript::s_steps = c.steps.data();
        CSheetScript::s_count = c.steps.size();
        CSheetScript::s_next = 0;
        CSheetScript::s_page = &one;
        CSheetScript::s_answerer = &answerer;
        const UINT_PTR timer = SetTimer(nullptr, 0, 40, &CSheetScript::OnTimer);
        EXPECT_EQ(sheet.DoModal(), c.result);
        KillTimer(nullptr, timer);
        EXPECT_EQ(one.m_float, c.firstValue);
        EXPECT_EQ(answerer.m_texts, c.boxes);
        EXPECT_TRUE(one.WasShown());
        // The second page never opened: it kept its value and applied nothing.
        EXPECT_FALSE(two.WasShown());
        EXPECT_EQ(two.m_float, 7.0f);
        EXPECT_EQ(two.m_applies, 0);
        EXPECT_EQ(one.m_applies, c.result == IDOK ? 1 : 0);
    }
}

// The application object: its name captions message boxes, and its main window owns
// the sheets and dialogs run without an explicit parent.
class CTestApp : public CApplication {
public:
    CTestApp() : CApplication("Framework Test") {}
    static inline bool s_mainEnabledInSheet = true;
    static inline int s_mainModalCountInSheet = -1;
    INT_PTR m_result = 0;

    bool InitInstance() override {
        const CDialogTemplate t = FieldsTemplate(0);
        CFieldsDlg dlg(t);
        dlg.m_showOnStart = 0;
        m_mainWnd = &dlg;
        dlg.m_onFirstTick = [](CFieldsDlg& d) -> INT_PTR {
            d.MessageBox("Hello");
            const CDialogTemplate page = PageTemplate("Page");
            struct CProbePage : CFloatPage {
                using CFloatPage::CFloatPage;
                bool OnSetActive() override {
                    CWnd* main = CApplication::Current()->m_mainWnd;
                    s_mainEnabledInSheet = main->IsWindowEnabled();
                    s_mainModalCountInSheet = main->OpenModalCount();
                    return CFloatPage::OnSetActive();
                }
            } probe(page);
            CPropertySheet sheet("Owned");
            sheet.AddPage(probe);
            static const CSheetScript::Step cancel[] = {{"1", PSBTN_CANCEL, 0}};
            CSheetScript::s_steps = cancel;
            CSheetScript::s_count = 1;
            CSheetScript::s_next = 0;
            CSheetScript::s_page = &probe;
            const UINT_PTR timer = SetTimer(nullptr, 0, 40, &CSheetScript::OnTimer);
            const INT_PTR result = sheet.DoModal();
            KillTimer(nullptr, timer);
            return result == IDCANCEL ? 21 : 22;
        };
        m_result = dlg.DoModal();
        return false;
    }
};

TEST(FrameworkApplication, MainWindowOwnsUnparentedModalRuns) {
    CMessageBoxAnswerer answerer;
    CSheetScript::s_answerer = &answerer;
    CTestApp app;
    EXPECT_EQ(RunApplication(app), 0);
    EXPECT_EQ(app.m_result, 21);
    EXPECT_EQ(answerer.m_captions, std::vector<std::string>{"Framework Test"});
    EXPECT_FALSE(CTestApp::s_mainEnabledInSheet);
    EXPECT_EQ(CTestApp::s_mainModalCountInSheet, 1);
    EXPECT_EQ(CApplication::Current(), nullptr);
}

} // namespace
} // namespace mereth
