#pragma once

// Drives the Set Charges sheet while it runs modally: a script of steps taken one per
// tick of a thread timer, which the sheet's own loop serves. Whatever may open a message
// box is posted, so that no step waits inside one (answer boxes with
// CMessageBoxAnswerer). Every wait is a step that polls; past the deadline the sheet is
// cancelled and the script counts as unfinished.
//
//     const bool finished = CChargesSheetDriver::Drive(
//         {GoTo(1), SetText(1031, "0.5"), Press(PSBTN_OK)}, [&] { RunTheCommand(); });

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace mereth::test::sheet_script {

inline BOOL CALLBACK FindSheetWindow(HWND hWnd, LPARAM out) {
    char caption[128] = {};
    GetWindowTextA(hWnd, caption, sizeof caption);
    if (IsWindowVisible(hWnd) && std::string(caption).rfind("Set Telephone Charges for ", 0) == 0) {
        *reinterpret_cast<HWND*>(out) = hWnd;
        return FALSE;
    }
    return TRUE;
}
inline HWND Page(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}
inline HWND Item(HWND sheet, int id) {
    return GetDlgItem(Page(sheet), id);
}
inline int PageIndex(HWND sheet) {
    return int(SendMessageA(sheet, PSM_HWNDTOINDEX, WPARAM(Page(sheet)), 0));
}
inline std::string Text(HWND control) {
    char text[64] = {};
    GetWindowTextA(control, text, sizeof text);
    return text;
}

// One step of a script that drives the open sheet; true once it is done.
using Step = std::function<bool(HWND sheet)>;

inline Step Do(std::function<void(HWND)> action) {
    return [action](HWND sheet) { return action(sheet), true; };
}
inline Step SetText(int id, const char* text) {
    return Do([id, text](HWND sheet) { SetWindowTextA(Item(sheet, id), text); });
}
// Posted, like everything that may open a message box, so that no step waits in one.
inline Step Press(int button) {
    return Do([button](HWND sheet) { PostMessageA(sheet, PSM_PRESSBUTTON, button, 0); });
}
inline Step GoTo(int index) {
    return [index, posted = false](HWND sheet) mutable {
        if (!posted) {
            posted = PostMessageA(sheet, PSM_SETCURSEL, index, 0);
        }
        return PageIndex(sheet) == index;
    };
}
// Lets the sheet's loop run a few more ticks, so that a second message would show.
inline Step Idle(int ticks) {
    return [ticks](HWND) mutable { return --ticks <= 0; };
}
// One step of an up-down as the control reports it: the new position, then the end.
inline Step StepUpDown(int id, int position) {
    return Do([id, position](HWND sheet) {
        HWND upDown = Item(sheet, id);
        SendMessageA(upDown, UDM_SETPOS, 0, MAKELPARAM(position, 0));
        for (int code : {SB_THUMBPOSITION, SB_ENDSCROLL}) {
            PostMessageA(Page(sheet), WM_VSCROLL, MAKEWPARAM(code, position), LPARAM(upDown));
        }
    });
}

class CChargesSheetDriver {
public:
    // Runs runSheet (which opens the sheet and returns when it closes) under the script;
    // true when every step was taken.
    static bool Drive(std::vector<Step> steps, const std::function<void()>& runSheet) {
        s_steps = &steps;
        s_next = 0;
        s_deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        const UINT_PTR timer = SetTimer(nullptr, 0, 25, &OnTimer);
        runSheet();
        KillTimer(nullptr, timer);
        s_steps = nullptr;
        return s_next == steps.size();
    }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        HWND sheet = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FindSheetWindow, LPARAM(&sheet));
        if (!sheet || s_busy || !s_steps) {
            return;
        }
        if (std::chrono::steady_clock::now() > s_deadline) {
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        } else if (s_next < s_steps->size()) {
            s_busy = true;
            s_next += (*s_steps)[s_next](sheet) ? 1 : 0;
            s_busy = false;
        }
    }
    static inline const std::vector<Step>* s_steps = nullptr;
    static inline size_t s_next = 0;
    static inline bool s_busy = false;
    static inline std::chrono::steady_clock::time_point s_deadline;
};

} // namespace mereth::test::sheet_script
