#include "resource.h"

#include "MerethVersion.h"
#include "app/AboutDlg.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace mereth {
namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// A dialog made from a template of this module, destroyed at the end of the scope.
class CTemplateDialog {
public:
    CTemplateDialog(int id, HWND parent = nullptr)
        : m_hwnd(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), parent,
                                    QuietDialogProc, 0)) {}
    ~CTemplateDialog() {
        if (m_hwnd)
            DestroyWindow(m_hwnd);
    }
    CTemplateDialog(const CTemplateDialog&) = delete;
    CTemplateDialog& operator=(const CTemplateDialog&) = delete;
    HWND Handle() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string TextOf(HWND hwnd) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// Where the dialog manager puts a control: origin and size are converted separately.
RECT DialogUnits(HWND dialog, int x, int y, int cx, int cy) {
    RECT units{x, y, cx, cy};
    MapDialogRect(dialog, &units);
    return {units.left, units.top, units.left + units.right, units.top + units.bottom};
}

RECT ClientRectOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// A combo box hands WS_VSCROLL on to its list, so that bit is not looked at.
constexpr DWORD STYLE_BITS = 0xFFFF | WS_GROUP | WS_TABSTOP | WS_VISIBLE | WS_DISABLED;
constexpr DWORD SHOWN = WS_VISIBLE;

struct ControlRow {
    int id;
    const char* className;
    DWORD style; // the control's own low style bits and the window bits above
    const char* text;
    int x, y, cx, cy;
};

TEST(Resources, MainWindowTemplateHasEveryControlInOrder) {
    const ControlRow rows[] = {
        {IDC_ENTRY_COMBO, "ComboBox", CBS_DROPDOWNLIST | WS_TABSTOP | SHOWN, "", 10, 14, 189, 68},
        {IDC_TIMES, "Button", BS_AUTORADIOBUTTON | WS_GROUP | SHOWN, "Times", 10, 31, 35, 10},
        {IDC_COSTS, "Button", BS_AUTORADIOBUTTON | SHOWN, "Costs", 88, 31, 33, 10},
        {IDC_LOGINS, "Button", BS_AUTORADIOBUTTON | SHOWN, "Logins", 164, 31, 35, 10},
        {IDC_SET_CHARGES, "Button", BS_PUSHBUTTON | WS_TABSTOP | SHOWN, "&Set Charges", 4, 164, 50,
         14},
        {IDC_HIDE, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP | SHOWN, "&Hide", 155, 164, 50, 14},
        {IDC_TOTAL_GROUP, "Button", BS_GROUPBOX | WS_GROUP | SHOWN, "Total since", 4, 48, 201, 46},
        {IDC_TOTAL_TIME, "Static", SS_BLACKFRAME, "", 10, 60, 189, 28},
        {IDC_MONTH_TIME, "Static", SS_BLACKFRAME, "", 113, 109, 86, 14},
        {IDC_MONTH_GROUP, "Button", BS_GROUPBOX | SHOWN, "This month", 107, 97, 98, 31},
        {IDC_STATIC, "Button", BS_GROUPBOX | SHOWN, "Show details for", 4, 2, 201, 43},
        {IDC_YEAR_TIME, "Static", SS_BLACKFRAME, "", 10, 109, 86, 14},
        {IDC_YEAR_GROUP, "Button", BS_GROUPBOX | SHOWN, "This year", 4, 97, 98, 31},
        {IDC_TODAY_TIME, "Static", SS_BLACKFRAME, "", 10, 141, 86, 14},
        {IDC_TODAY_GROUP, "Button", BS_GROUPBOX | SHOWN, "Today", 4, 129, 98, 31},
        {IDC_CONN_TIME, "Static", SS_BLACKFRAME, "", 113, 141, 86, 14},
        {IDC_CONN_GROUP, "Button", BS_GROUPBOX | SHOWN, "This connection", 107, 129, 98, 31},
        {IDC_VIEW_LOG, "Button", BS_PUSHBUTTON | WS_TABSTOP | SHOWN, "&View Log", 59, 164, 50, 14},
        {IDC_REPORT, "Button", BS_PUSHBUTTON | WS_TABSTOP | SHOWN, "&Report", 114, 164, 36, 14},
        {IDC_START, "Button", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, "Start", 117, 164, 26, 14},
    };
    CTemplateDialog dialog(IDD_MONITOR);
    const HWND dlg = dialog.Handle();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(TextOf(dlg), "Mereth");
    const DWORD style = GetWindowLongA(dlg, GWL_STYLE);
    const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(style & frame, frame);
    EXPECT_EQ(style & WS_MINIMIZEBOX, 0u);
    EXPECT_NE(GetWindowLongA(dlg, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    RECT client{};
    GetClientRect(dlg, &client);
    const RECT size = DialogUnits(dlg, 0, 0, 209, 183);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    HWND child = GetWindow(dlg, GW_CHILD);
    for (const ControlRow& row : rows) {
        SCOPED_TRACE(row.text[0] ? row.text : std::to_string(row.id));
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child) & 0xFFFF, row.id & 0xFFFF);
        EXPECT_EQ(ClassOf(child), row.className);
        EXPECT_EQ(GetWindowLongA(child, GWL_STYLE) & STYLE_BITS, row.style);
        EXPECT_EQ(TextOf(child), row.text);
        const RECT expected = DialogUnits(dlg, row.x, row.y, row.cx, row.cy);
        const RECT actual = ClientRectOf(child);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_EQ(actual.right, expected.right);
        if (row.id != IDC_ENTRY_COMBO) { // a drop-down list is as high as its closed field
            EXPECT_EQ(actual.bottom, expected.bottom);
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr);
}

TEST(Resources, AboutBoxAndSystemMenuString) {
    char text[64] = {};
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUTBOX, text, sizeof text), 16);
    EXPECT_STREQ(text, "&About Mereth...");

    CTemplateDialog about(IDD_ABOUTBOX);
    ASSERT_NE(about.Handle(), nullptr);
    EXPECT_EQ(TextOf(about.Handle()), "About Mereth");
    EXPECT_NE(GetDlgItem(about.Handle(), IDOK), nullptr);
    int icons = 0;
    for (HWND c = GetWindow(about.Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (ClassOf(c) == "Static" && (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            SendMessageA(c, STM_GETICON, 0, 0) != 0)
            ++icons;
    }
    EXPECT_EQ(icons, 2);
}

// The About box as the program runs it: the version comes from the module's own record.
TEST(Resources, AboutBoxShowsTheBuildsVersion) {
    struct CAboutProbe : CAboutDlg {
        std::string m_shown = std::string(64, '\0');
        bool OnInitDialog() override {
            const bool result = CAboutDlg::OnInitDialog();
            m_shown.resize(GetDlgItemTextA(m_hWnd, IDC_ABOUT_VERSION, m_shown.data(), 64));
            EndDialog(IDOK);
            return result;
        }
    } about;
    about.DoModal();
    EXPECT_EQ(about.m_shown, std::string("Mereth Version ") + MERETH_VERSION_TEXT);
}

// The program and rassim's DLL, built beside the tests, as their file properties show them.
TEST(Resources, BuiltFilesCarryTheBuildsVersion) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string folder = self;
    folder.resize(folder.rfind('\\') + 1);
    for (const char* file : {"Mereth.exe", "rasapi32.dll"}) {
        SCOPED_TRACE(file);
        const std::string path = folder + file;
        std::vector<BYTE> record(GetFileVersionInfoSizeA(path.c_str(), nullptr));
        ASSERT_FALSE(record.empty());
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, DWORD(record.size()), record.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwProductVersionMS,
                  DWORD(MAKELONG(MERETH_VERSION_MINOR, MERETH_VERSION_MAJOR)));
        EXPECT_EQ(fixed->dwProductVersionLS, DWORD(MAKELONG(0, MERETH_VERSION_PATCH)));
        EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
        EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
        // English (United Kingdom), code page 1252: the language of the resource scripts.
        const std::pair<const char*, std::string> texts[] = {
            {"ProductVersion", MERETH_VERSION_TEXT},
            {"FileVersion", MERETH_VERSION_TEXT},
            {"ProductName", "Mereth"},
            {"CompanyName", "Brambleway"},
            {"OriginalFilename", file}};
        for (const auto& [name, expected] : texts) {
            char* text = nullptr;
            const std::string query = std::string("\\StringFileInfo\\080904E4\\") + name;
            VerQueryValueA(record.data(), query.c_str(), reinterpret_cast<void**>(&text), &length);
            EXPECT_EQ(std::string(text ? text : "-"), expected) << name;
        }
    }
}

// One line per item: "text|id", "-" for a separator, "text>" then the sub-menu's lines
// and "<" for a sub-menu.
void DumpMenu(HMENU menu, std::vector<std::string>& lines) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            lines.push_back("-");
        } else if (info.hSubMenu) {
            lines.push_back(std::string(text) + ">");
            DumpMenu(info.hSubMenu, lines);
            lines.push_back("<");
        } else {
            lines.push_back(std::string(text) + "|" + std::to_string(info.wID));
        }
    }
}

std::vector<std::string> PopupLines(int id) {
    std::vector<std::string> lines;
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    if (!menu)
        return lines;
    if (GetMenuItemCount(menu) == 1 && GetSubMenu(menu, 0))
        DumpMenu(GetSubMenu(menu, 0), lines);
    else
        lines.push_back("not one pop-up");
    DestroyMenu(menu);
    return lines;
}

TEST(Resources, MenusHoldTheirItemsInOrder) {
    const std::vector<std::string> colour = {
        "Colour>",   "Black|32795",   "Grey|32796",   "Blue|32797", "Green|32798",
        "Red|32799", "Magenta|32800", "Yellow|32801", "Cyan|32802", "White|32803",
        "<"};
    const std::string cancel = std::string("Cancel") + std::string(13, ' ') + "\tEsc|32784";
    std::vector<std::string> duration = {"Show &Days|32777", "Show &Seconds|32782", "-"};
    duration.insert(duration.end(), colour.begin(), colour.end());
    duration.insert(duration.end(), {"-", "Reset|32793", "-", cancel});
    std::vector<std::string> costOrLogins = colour;
    costOrLogins.insert(costOrLogins.end(), {"-", "Reset|32793", "-", cancel});

    const struct {
        int id;
        std::vector<std::string> lines;
    } menus[] = {
        {IDR_TRAYMENU,
         {"&Show Mereth|32771", "E&xit Mereth|32772", "-", "Usage Report...|32805",
          "Start with Windows|32806", "Back up settings\x85|32807", "Restore settings\x85|32808",
          "-", "&Cancel|32783"}},
        {IDR_DURATION_MENU, duration},
        {IDR_COST_MENU, costOrLogins},
        {IDR_LOGIN_MENU, costOrLogins},
    };
    for (const auto& menu : menus) {
        SCOPED_TRACE(menu.id);
        EXPECT_EQ(PopupLines(menu.id), menu.lines);
    }
}

// Draws the icon over magenta: which corners show through, and the lit status lights.
struct IconPixels {
    int transparentCorners = 0;
    int brightGreen = 0;
    int brightRed = 0;
};

IconPixels Render(HICON icon) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = -32;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const DWORD MAGENTA = 0xFF00FF;
    auto* px = static_cast<DWORD*>(bits);
    std::fill(px, px + 32 * 32, MAGENTA);
    DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    GdiFlush();
    IconPixels result;
    for (int i : {0, 31, 32 * 31, 32 * 32 - 1})
        result.transparentCorners += (px[i] & 0xFFFFFF) == MAGENTA;
    for (int i = 32 * 20; i < 32 * 32; ++i) { // the modem's front, below the clock
        result.brightGreen += (px[i] & 0xFFFFFF) == 0x00FF00;
        result.brightRed += (px[i] & 0xFFFFFF) == 0xFF0000;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return result;
}

TEST(Resources, IconsAre32PixelsWithTransparentCornersAndTheirLights) {
    const struct {
        int id;
        bool lit;
    } icons[] = {
        {IDR_MAINFRAME, false}, {IDI_ABOUT_CLOCK, false}, {IDI_ONLINE, true}, {IDI_IDLE, false}};
    for (const auto& row : icons) {
        SCOPED_TRACE(row.id);
        HICON icon = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(row.id), IMAGE_ICON, 0, 0, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, 32);
        EXPECT_EQ(colour.bmHeight, 32);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);

        const IconPixels pixels = Render(icon);
        EXPECT_EQ(pixels.transparentCorners, 4);
        if (row.id == IDI_ONLINE || row.id == IDI_IDLE) {
            EXPECT_EQ(pixels.brightGreen > 0, row.lit);
            EXPECT_EQ(pixels.brightRed > 0, row.lit);
        }
        DestroyIcon(icon);
    }
}

// An edit made with WS_BORDER in a dialog trades it for the sunken client edge.
bool Bordered(HWND edit) {
    return (GetWindowLongA(edit, GWL_STYLE) & WS_BORDER) ||
           (GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

struct PageFields {
    int id;
    const char* caption;
    int height;
    std::vector<int> readOnly; // time fields
    std::vector<int> amounts;  // bordered, right-aligned, scrolling number fields
    std::vector<int> labels;   // texts replaced at run time
    std::vector<int> wrapped;  // buttons whose text runs over several lines
};

TEST(Resources, ChargesPagesHoldTheirFieldsAndEachUpDownFollowsItsToField) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
    ASSERT_TRUE(InitCommonControlsEx(&classes));
    const PageFields pages[] = {
        {IDD_CHARGES_GENERAL,
         "General",
         109,
         {},
         {IDC_MINIMUM_CHARGE},
         {IDC_CURRENCY_SYMBOL},
         {IDC_BY_SECOND, IDC_BY_UNIT, IDC_CHARGES_MINIMUM}},
        {IDD_CHARGES_WEEKDAY,
         "Monday - Friday Charges",
         110,
         {IDC_WD_FROM1, IDC_WD_FROM2, IDC_WD_FROM3, IDC_WD_FROM4, IDC_WD_FROM5, IDC_WD_TO1,
          IDC_WD_TO2, IDC_WD_TO3, IDC_WD_TO4, IDC_WD_TO5},
         {IDC_WD_FEE1, IDC_WD_FEE2, IDC_WD_FEE3, IDC_WD_FEE4, IDC_WD_FEE5, IDC_WD_COST1,
          IDC_WD_COST2, IDC_WD_COST3, IDC_WD_COST4, IDC_WD_COST5, IDC_WD_UNIT1, IDC_WD_UNIT2,
          IDC_WD_UNIT3, IDC_WD_UNIT4, IDC_WD_UNIT5},
         {IDC_WD_FEE_HEADING, IDC_WD_COST_HEADING},
         {}},
        {IDD_CHARGES_WEEKEND,
         "Saturday && Sunday Charges",
         109,
         {IDC_SAT_FROM, IDC_SAT_TO, IDC_SUN_FROM, IDC_SUN_TO},
         {IDC_SAT_FEE, IDC_SUN_FEE, IDC_SAT_COST, IDC_SUN_COST, IDC_SAT_UNIT, IDC_SUN_UNIT},
         {IDC_SAT_FEE_HEADING, IDC_SAT_COST_HEADING, IDC_SUN_FEE_HEADING, IDC_SUN_COST_HEADING},
         {}},
    };
    const int spinAfter[][2] = {{IDC_WD_SPIN1, IDC_WD_TO1},
                                {IDC_WD_SPIN2, IDC_WD_TO2},
                                {IDC_WD_SPIN3, IDC_WD_TO3},
                                {IDC_WD_SPIN4, IDC_WD_TO4}};

    HWND owner = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                 nullptr);
    ASSERT_NE(owner, nullptr);
    for (const PageFields& page : pages) {
        SCOPED_TRACE(page.caption);
        CTemplateDialog dialog(page.id, owner);
        const HWND dlg = dialog.Handle();
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(TextOf(dlg), page.caption);
        RECT client{};
        GetClientRect(dlg, &client);
        const RECT size = DialogUnits(dlg, 0, 0, 309, page.height);
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);
        auto styleOf = [&](int id, const char* className) -> DWORD {
            HWND control = GetDlgItem(dlg, id);
            EXPECT_TRUE(control && ClassOf(control) == className) << id;
            return GetWindowLongA(control, GWL_STYLE);
        };
        for (int id : page.readOnly)
            EXPECT_NE(styleOf(id, "Edit") & ES_READONLY, 0u) << id;
        const DWORD amount = ES_RIGHT | ES_AUTOHSCROLL | WS_TABSTOP;
        for (int id : page.amounts) {
            EXPECT_EQ(styleOf(id, "Edit") & (amount | ES_READONLY), amount) << id;
            EXPECT_TRUE(Bordered(GetDlgItem(dlg, id))) << id;
        }
        for (int id : page.labels)
            styleOf(id, "Static");
        for (int id : page.wrapped)
            EXPECT_NE(styleOf(id, "Button") & BS_MULTILINE, 0u) << id;
    }

    {
        CTemplateDialog weekday(IDD_CHARGES_WEEKDAY, owner);
        for (const auto& [spinId, toId] : spinAfter) {
            SCOPED_TRACE(spinId);
            HWND control = GetDlgItem(weekday.Handle(), spinId);
            const DWORD style = GetWindowLongA(control, GWL_STYLE);
            const DWORD spin = UDS_ARROWKEYS | WS_DISABLED;
            EXPECT_EQ(style & (spin | UDS_WRAP | UDS_AUTOBUDDY | UDS_SETBUDDYINT), spin);
            EXPECT_EQ(ClassOf(control), UPDOWN_CLASSA);
            EXPECT_EQ(SendMessageA(control, UDM_GETBUDDY, 0, 0), 0);
            EXPECT_EQ(GetDlgCtrlID(GetWindow(control, GW_HWNDPREV)), toId);
        }
    }
    DestroyWindow(owner);
}

} // namespace
} // namespace mereth
