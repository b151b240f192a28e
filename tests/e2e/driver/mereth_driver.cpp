// mereth_driver: works a running Mereth from another process, the way a user would, so that
// the end-to-end scenarios can tell their stories from a shell. Every verb that waits polls
// until its deadline (--timeout SECONDS, default 10) and fails with the last thing it saw.
//
//   wait-main | wait-gone | count-main          the main window (a dialog with the entry list)
//   title | wait-title PATTERN                  its title; * and ? match as in file names
//   text ID | wait-text ID PATTERN              a control's text (WM_GETTEXT)
//   wait-visible | wait-hidden
//   click ID | command ID | close               BM_CLICK / WM_COMMAND / WM_CLOSE, all posted
//   answer CAPTION yes|no|ok                    presses a button of the message box CAPTION
//   no-box CAPTION                              fails if a window CAPTION is open
//   end-session                                 WM_QUERYENDSESSION, then WM_ENDSESSION
//   tray-icons | tray-click double|right        the icons in the shell's notification area
//   tray-picture                                a fingerprint of the tray icon's picture
//   context-menu ID                             right-clicks control ID of the main window
//   menu-pick CHAR                              chooses an item of the open pop-up menu
//   rect menu|tray|main|CAPTION                 where that window is: x y width height
//   kill                                        ends the program without a word, like a crash
//   reg-tree KEY                                prints the tree under HKCU\KEY, one value a line
//   window-click CAPTION ID                     BM_CLICK to control ID of the window CAPTION
//   window-choose CAPTION ID INDEX              picks item INDEX of that window's list ID
//   wait-window-text CAPTION ID PATTERN         the text of control ID of the window CAPTION
//   save-as PATH TYPE                           fills in the open Save As dialog: the file
//                                               name, the type by its number (1..), Save
//   open-file PATH                              the same for the open Open dialog
//   wait-colour ID RRGGBB                       the screen shows that colour just inside the
//                                               left end of control ID
//
// An ID is its name in resource.h (IDC_CONN_GROUP), so that no story carries a number.
#include "resource.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr DWORD POLL_MS = 100;

// The ids a story may name: the main window's controls and commands.
// clang-format off
#define NAMED_ID(id) {#id, id}
// clang-format on
constexpr struct {
    const char* name;
    int id;
} NAMED_IDS[] = {
    NAMED_ID(IDC_HIDE),
    NAMED_ID(IDC_SET_CHARGES),
    NAMED_ID(IDC_ENTRY_COMBO),
    NAMED_ID(IDC_TIMES),
    NAMED_ID(IDC_COSTS),
    NAMED_ID(IDC_LOGINS),
    NAMED_ID(IDC_VIEW_LOG),
    NAMED_ID(IDC_TOTAL_GROUP),
    NAMED_ID(IDC_YEAR_GROUP),
    NAMED_ID(IDC_MONTH_GROUP),
    NAMED_ID(IDC_TODAY_GROUP),
    NAMED_ID(IDC_CONN_GROUP),
    NAMED_ID(IDC_TOTAL_TIME),
    NAMED_ID(IDC_YEAR_TIME),
    NAMED_ID(IDC_MONTH_TIME),
    NAMED_ID(IDC_TODAY_TIME),
    NAMED_ID(IDC_CONN_TIME),
    NAMED_ID(IDC_TOTAL_COST),
    NAMED_ID(IDC_YEAR_COST),
    NAMED_ID(IDC_MONTH_COST),
    NAMED_ID(IDC_TODAY_COST),
    NAMED_ID(IDC_CONN_COST),
    NAMED_ID(IDC_TOTAL_LOGINS),
    NAMED_ID(IDC_YEAR_LOGINS),
    NAMED_ID(IDC_MONTH_LOGINS),
    NAMED_ID(IDC_TODAY_LOGINS),
    NAMED_ID(IDC_CONN_LOGINS),
    NAMED_ID(ID_TRAY_SHOW),
    NAMED_ID(ID_TRAY_EXIT),
    NAMED_ID(IDC_PROJECTION_BAR),
    NAMED_ID(IDC_REPORT),
    NAMED_ID(ID_TRAY_REPORT),
    NAMED_ID(ID_TRAY_BACKUP),
    NAMED_ID(ID_TRAY_RESTORE),
    NAMED_ID(ID_TRAY_START_WITH_WINDOWS),
    NAMED_ID(IDC_REPORT_EXPORT),
    NAMED_ID(IDC_REPORT_GROUPING),
    NAMED_ID(IDC_REPORT_MEASURE),
    NAMED_ID(IDC_REPORT_REFRESH),
    NAMED_ID(IDC_REPORT_STATUS),
    NAMED_ID(IDCANCEL),
};
#undef NAMED_ID

// The id of a name above, 0 for none.
int IdOf(const std::string& name) {
    for (const auto& named : NAMED_IDS) {
        if (name == named.name) {
            return named.id;
        }
    }
    return 0;
}

DWORD g_timeoutMs = 10000;

std::string ClassOf(HWND hwnd) {
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string TextOf(HWND hwnd) {
    char text[512] = "";
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    return text;
}

bool Matches(const char* pattern, const char* text) {
    if (*pattern == '\0') {
        return *text == '\0';
    }
    if (*pattern == '*') {
        return Matches(pattern + 1, text) || (*text != '\0' && Matches(pattern, text + 1));
    }
    return *text != '\0' && (*pattern == '?' || *pattern == *text) &&
           Matches(pattern + 1, text + 1);
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    for (HWND hwnd = GetWindow(GetDesktopWindow(), GW_CHILD); hwnd;
         hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
        windows.push_back(hwnd);
    }
    return windows;
}

// The main window is the top-level window that holds the entry list and View Log.
std::vector<HWND> MainWindows() {
    std::vector<HWND> found;
    for (HWND hwnd : TopLevelWindows()) {
        if (GetDlgItem(hwnd, IDC_ENTRY_COMBO) && GetDlgItem(hwnd, IDC_VIEW_LOG)) {
            found.push_back(hwnd);
        }
    }
    return found;
}

HWND MainWindow() {
    const std::vector<HWND> windows = MainWindows();
    return windows.empty() ? nullptr : windows.front();
}

// A shown top-level window of the class, with the caption unless that is null.
HWND TopLevel(const char* className, const char* caption) {
    for (HWND hwnd : TopLevelWindows()) {
        if (IsWindowVisible(hwnd) && ClassOf(hwnd) == className &&
            (caption == nullptr || TextOf(hwnd) == caption)) {
            return hwnd;
        }
    }
    return nullptr;
}

// The icon windows that the shell shows in its notification area: explorer's taskbar, or the
// stand-alone tray of Wine's X11 driver when there is no taskbar.
std::vector<HWND> TrayIcons() {
    std::vector<HWND> icons;
    for (const char* trayClass : {"Shell_TrayWnd", "__winex11_standalone_tray"}) {
        HWND tray = FindWindowA(trayClass, nullptr);
        for (HWND child = tray ? GetWindow(tray, GW_CHILD) : nullptr; child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            const std::string name = ClassOf(child);
            if ((name == "__wine_tray_icon" || name == "__winex11_tray_icon") &&
                IsWindowVisible(child)) {
                icons.push_back(child);
            }
        }
    }
    return icons;
}

// Polls `done` until it holds or the deadline passes.
template <typename Done> bool Poll(Done done) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) {
            return true;
        }
        if (GetTickCount() - start >= g_timeoutMs) {
            return false;
        }
        Sleep(POLL_MS);
    }
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "mereth_driver: %s\n", message.c_str());
    return 1;
}

HWND WaitMain() {
    HWND main = nullptr;
    Poll([&] { return (main = MainWindow()) != nullptr; });
    return main;
}

int WaitMainText(int id, const char* pattern) {
    HWND main = WaitMain();
    if (!main) {
        return Fail("no main window");
    }
    std::string seen;
    if (Poll([&] {
            seen = TextOf(id == 0 ? main : GetDlgItem(main, id));
            return Matches(pattern, seen.c_str());
        })) {
        return 0;
    }
    return Fail("text is \"" + seen + "\", not \"" + pattern + "\"");
}

int Post(UINT message, WPARAM wParam, int controlId = 0) {
    HWND main = WaitMain();
    if (!main) {
        return Fail("no main window");
    }
    HWND target = controlId ? GetDlgItem(main, controlId) : main;
    return target && PostMessageA(target, message, wParam, 0) ? 0 : Fail("cannot post");
}

int Answer(const char* caption, const char* button) {
    HWND box = nullptr;
    if (!Poll([&] { return (box = TopLevel("#32770", caption)) != nullptr; })) {
        return Fail(std::string("no message box \"") + caption + "\"");
    }
    const int id = std::strcmp(button, "yes") == 0  ? IDYES
                   : std::strcmp(button, "ok") == 0 ? IDOK
                                                    : IDNO;
    return PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(box, id)))
               ? 0
               : Fail("cannot press the button");
}

// A control of the visible top-level dialog CAPTION, waited for.
HWND ControlOf(const char* caption, int id) {
    HWND control = nullptr;
    Poll([&] {
        HWND window = TopLevel("#32770", caption);
        return (control = window ? GetDlgItem(window, id) : nullptr) != nullptr;
    });
    return control;
}

BOOL CALLBACK FirstShownEdit(HWND child, LPARAM found) {
    const bool edit = ClassOf(child) == "Edit" && IsWindowVisible(child);
    if (edit) {
        *reinterpret_cast<HWND*>(found) = child;
    }
    return !edit;
}

// The common Save or Open dialog: the type list is cmb1 (type 0 leaves it); the name
// field is an edit whose id differs between its layouts, the only one shown.
int FileDialog(const char* caption, const char* path, int type) {
    HWND dialog = nullptr;
    if (!Poll([&] { return (dialog = TopLevel("#32770", caption)) != nullptr; })) {
        return Fail(std::string("no \"") + caption + "\" dialog");
    }
    HWND types = GetDlgItem(dialog, 0x470);
    if (type > 0) {
        if (!types || SendMessageA(types, CB_SETCURSEL, type - 1, 0) == CB_ERR) {
            return Fail("no such file type");
        }
        // As a pick from the list ends: some layouts act on the one, some on the other.
        for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x470, code), LPARAM(types));
        }
    }
    HWND name = nullptr;
    EnumChildWindows(dialog, FirstShownEdit, LPARAM(&name));
    if (!name || !SendMessageA(name, WM_SETTEXT, 0, LPARAM(path))) {
        return Fail("no file name field");
    }
    return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                        LPARAM(GetDlgItem(dialog, IDOK)))
               ? 0
               : Fail("cannot press the dialog's OK button");
}

int EndSession() {
    HWND main = WaitMain();
    if (!main) {
        return Fail("no main window");
    }
    DWORD_PTR agreed = 0;
    if (!SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                             g_timeoutMs, &agreed)) {
        return Fail("no answer to the end of the session");
    }
    if (!agreed) {
        return Fail("the program refused to end the session");
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, g_timeoutMs,
                        &ignored);
    return 0;
}

// The colour the screen shows just inside the left end of a control of the main window,
// as RRGGBB; empty while the control is hidden.
std::string ColourAtLeftOf(int id) {
    HWND main = MainWindow();
    HWND control = main ? GetDlgItem(main, id) : nullptr;
    if (!control || !IsWindowVisible(control)) {
        return "";
    }
    RECT rect;
    GetWindowRect(control, &rect);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, rect.left + 3, (rect.top + rect.bottom) / 2);
    ReleaseDC(nullptr, screen);
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

int TrayClick(const char* how) {
    std::vector<HWND> icons;
    if (!Poll([&] { return (icons = TrayIcons()).size() == 1; })) {
        return Fail("not exactly one icon in the notification area");
    }
    // What the shell sees of a double click, or of a right click.
    static constexpr UINT DOUBLE[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    static constexpr UINT RIGHT[] = {WM_RBUTTONDOWN, WM_RBUTTONUP};
    const bool right = std::strcmp(how, "right") == 0;
    const UINT* sequence = right ? RIGHT : DOUBLE;
    const int count = right ? 2 : 4;
    for (int i = 0; i < count; ++i) {
        PostMessageA(icons.front(), sequence[i], 0, MAKELPARAM(8, 8));
    }
    return 0;
}

// A fingerprint of the tray icon's pixels as the screen shows them. Two looks 150 ms apart
// must agree, so that a short flash of the other picture is not taken for the picture.
unsigned long PictureOf(HWND icon) {
    RECT rect;
    GetWindowRect(icon, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    unsigned long hash = 5381;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        const auto* pixel = static_cast<const DWORD*>(bits);
        for (int i = 0; i < width * height; ++i) {
            hash = hash * 33 ^ (pixel[i] & 0xFFFFFF);
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return hash;
}

int TrayPicture() {
    std::vector<HWND> icons;
    if (!Poll([&] { return (icons = TrayIcons()).size() == 1; })) {
        return Fail("not exactly one icon in the notification area");
    }
    // Other windows on the same screen must not hide it.
    SetWindowPos(GetAncestor(icons.front(), GA_ROOT), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    unsigned long last = PictureOf(icons.front()), now = 0;
    if (!Poll([&] {
            Sleep(150);
            now = PictureOf(icons.front());
            return std::exchange(last, now) == now;
        })) {
        return Fail("the tray icon does not keep still");
    }
    std::printf("%08lx\n", now);
    return 0;
}

int MenuPick(char key) {
    HWND menu = nullptr;
    if (!Poll([&] { return (menu = TopLevel("#32768", nullptr)) != nullptr; })) {
        return Fail("no pop-up menu");
    }
    return PostMessageA(menu, WM_CHAR, static_cast<unsigned char>(key), 0) ? 0
                                                                           : Fail("cannot post");
}

// The shown child of the window with the id: an indicator takes the id of the hidden
// placeholder it stands over.
HWND ShownControl(HWND parent, int id) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id && IsWindowVisible(child)) {
            return child;
        }
    }
    return nullptr;
}

// Right-clicks a control of the main window, as the control reports it to the window.
int ContextMenu(int id) {
    HWND main = WaitMain();
    HWND control = main ? ShownControl(main, id) : nullptr;
    RECT rect;
    if (!control || !GetWindowRect(control, &rect)) {
        return Fail("no such control");
    }
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return PostMessageA(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), at)
               ? 0
               : Fail("cannot post");
}

// Where a window is on the screen, as "x y width height": the open pop-up menu, the one
// tray icon, the main window or the dialog of that caption.
int Rect(const std::string& what) {
    HWND hwnd = nullptr;
    Poll([&] {
        if (what == "menu") {
            hwnd = TopLevel("#32768", nullptr);
        } else if (what == "tray") {
            const std::vector<HWND> icons = TrayIcons();
            hwnd = icons.size() == 1 ? icons.front() : nullptr;
        } else if (what == "main") {
            hwnd = MainWindow();
        } else {
            hwnd = TopLevel("#32770", what.c_str());
        }
        return hwnd != nullptr;
    });
    RECT rect;
    if (!hwnd || !GetWindowRect(hwnd, &rect)) {
        return Fail("no " + what);
    }
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
    return 0;
}

int Kill() {
    HWND main = WaitMain();
    DWORD pid = 0;
    if (!main || !GetWindowThreadProcessId(main, &pid)) {
        return Fail("no main window");
    }
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process) {
        return Fail("cannot open the program's process");
    }
    const bool ended =
        TerminateProcess(process, 1) && WaitForSingleObject(process, g_timeoutMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended ? 0 : Fail("the program did not end");
}

void PrintValue(const std::string& path, const char* name, DWORD type, const BYTE* data,
                DWORD size) {
    std::printf("%s|%s|", path.c_str(), name);
    if (type == REG_DWORD && size == 4) {
        DWORD value;
        std::memcpy(&value, data, 4);
        std::printf("dword|%lu\n", static_cast<unsigned long>(value));
    } else if (type == REG_SZ) {
        std::printf("sz|%.*s\n",
                    static_cast<int>(strnlen(reinterpret_cast<const char*>(data), size)),
                    reinterpret_cast<const char*>(data));
    } else {
        std::printf("type%lu|%lu bytes\n", static_cast<unsigned long>(type),
                    static_cast<unsigned long>(size));
    }
}

// Keys are opened relative to their parent: full paths past 260 characters fail in Wine.
void PrintTree(HKEY key, const std::string& path) {
    char name[256];
    BYTE data[1024];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS) {
            break;
        }
        PrintValue(path, name, type, data, dataSize);
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        HKEY child;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
            std::printf("%s\\%s\n", path.c_str(), name);
            PrintTree(child, path + "\\" + name);
            RegCloseKey(child);
        }
    }
}

int RegTree(const char* path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return Fail(std::string("no key HKCU\\") + path);
    }
    PrintTree(key, "");
    RegCloseKey(key);
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: mereth_driver [--timeout SECONDS] VERB [ARGS] (see the source)\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 2 && args[0] == "--timeout") {
        g_timeoutMs = static_cast<DWORD>(std::atof(args[1].c_str()) * 1000);
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) {
        return Usage();
    }
    const std::string& verb = args[0];
    const size_t n = args.size() - 1;
    const char* a1 = n >= 1 ? args[1].c_str() : "";
    const char* a2 = n >= 2 ? args[2].c_str() : "";
    const int id = n >= 1 ? IdOf(args[1]) : 0;
    const bool takesId = verb == "text" || verb == "wait-text" || verb == "click" ||
                         verb == "command" || verb == "context-menu" || verb == "wait-colour";
    if (takesId && n >= 1 && id == 0) {
        return Fail("no such id: " + args[1]);
    }
    if ((verb == "window-click" || verb == "wait-window-text" || verb == "window-choose") &&
        n >= 2) {
        const int control = IdOf(args[2]);
        HWND target = control ? ControlOf(a1, control) : nullptr;
        if (!target) {
            return Fail("no control " + args[2] + " in \"" + args[1] + "\"");
        }
        if (verb == "window-click" && n == 2) {
            return PostMessageA(target, BM_CLICK, 0, 0) ? 0 : Fail("cannot post");
        }
        if (verb == "window-choose" && n == 3) {
            SendMessageA(target, CB_SETCURSEL, std::atoi(args[3].c_str()), 0);
            return PostMessageA(GetParent(target), WM_COMMAND,
                                MAKEWPARAM(GetDlgCtrlID(target), CBN_SELCHANGE), LPARAM(target))
                       ? 0
                       : Fail("cannot post");
        }
        std::string seen;
        if (n == 3 &&
            Poll([&] { return Matches(args[3].c_str(), (seen = TextOf(target)).c_str()); })) {
            return 0;
        }
        return Fail("text is \"" + seen + "\"");
    }
    if (verb == "save-as" && n == 2) {
        return FileDialog("Save As", a1, std::atoi(a2));
    }
    if (verb == "open-file" && n == 1) {
        return FileDialog("Open", a1, 0);
    }

    if (verb == "wait-colour" && n == 2) {
        std::string seen;
        return Poll([&] { return (seen = ColourAtLeftOf(id)) == a2; })
                   ? 0
                   : Fail(std::string("the colour is '") + seen + "', not " + a2);
    }
    if (verb == "wait-main" && n == 0) {
        return WaitMain() ? 0 : Fail("no main window");
    }
    if (verb == "wait-gone" && n == 0) {
        return Poll([] { return MainWindow() == nullptr; }) ? 0 : Fail("the program still runs");
    }
    if (verb == "count-main" && n == 0) {
        std::printf("%zu\n", MainWindows().size());
        return 0;
    }
    if (verb == "title" && n == 0) {
        HWND main = WaitMain();
        return main ? (std::printf("%s\n", TextOf(main).c_str()), 0) : Fail("no main window");
    }
    if (verb == "wait-title" && n == 1) {
        return WaitMainText(0, a1);
    }
    if (verb == "text" && n == 1) {
        HWND main = WaitMain();
        return main ? (std::printf("%s\n", TextOf(GetDlgItem(main, id)).c_str()), 0)
                    : Fail("no main window");
    }
    if (verb == "wait-text" && n == 2) {
        return WaitMainText(id, a2);
    }
    if ((verb == "wait-visible" || verb == "wait-hidden") && n == 0) {
        const bool wanted = verb == "wait-visible";
        HWND main = WaitMain();
        return main && Poll([&] { return (IsWindowVisible(main) != FALSE) == wanted; })
                   ? 0
                   : Fail(wanted ? "the window is not shown" : "the window is shown");
    }
    if (verb == "click" && n == 1) {
        return Post(BM_CLICK, 0, id);
    }
    if (verb == "command" && n == 1) {
        return Post(WM_COMMAND, MAKEWPARAM(id, 0));
    }
    if (verb == "close" && n == 0) {
        return Post(WM_CLOSE, 0);
    }
    if (verb == "answer" && n == 2 && (args[2] == "yes" || args[2] == "no" || args[2] == "ok")) {
        return Answer(a1, a2);
    }
    if (verb == "no-box" && n == 1) {
        return TopLevel("#32770", a1) ? Fail(std::string("\"") + a1 + "\" is open") : 0;
    }
    if (verb == "end-session" && n == 0) {
        return EndSession();
    }
    if (verb == "tray-icons" && n == 0) {
        std::printf("%zu\n", TrayIcons().size());
        return 0;
    }
    if (verb == "tray-picture" && n == 0) {
        return TrayPicture();
    }
    if (verb == "tray-click" && n == 1 && (args[1] == "double" || args[1] == "right")) {
        return TrayClick(a1);
    }
    if (verb == "menu-pick" && n == 1 && args[1].size() == 1) {
        return MenuPick(args[1][0]);
    }
    if (verb == "context-menu" && n == 1) {
        return ContextMenu(id);
    }
    if (verb == "rect" && n == 1) {
        return Rect(args[1]);
    }
    if (verb == "kill" && n == 0) {
        return Kill();
    }
    if (verb == "reg-tree" && n == 1) {
        return RegTree(a1);
    }
    return Usage();
}
