#pragma once

// Dialog templates built in memory for tests of dialogs and property pages, and a
// helper that answers message boxes from inside their own modal loop.

#include <windows.h>

#include <string>
#include <vector>

namespace mereth::test {

class CDialogTemplate {
public:
    static constexpr WORD BUTTON = 0x0080, EDIT = 0x0081, STATIC = 0x0082, COMBOBOX = 0x0085;

    CDialogTemplate(DWORD style, const char* title, short cx, short cy) {
        Dword(style | DS_SETFONT);
        Dword(0);
        m_words.push_back(0); // item count, counted by Add
        for (short v : {short(0), short(0), cx, cy}) {
            m_words.push_back(WORD(v));
        }
        m_words.push_back(0); // no menu
        m_words.push_back(0); // the dialog class
        Text(title);
        m_words.push_back(8);
        Text("MS Shell Dlg");
    }

    CDialogTemplate& Add(WORD atom, WORD id, DWORD style, short x, short y, short cx, short cy,
                         const char* text = "") {
        if (m_words.size() % 2) {
            m_words.push_back(0); // items start on a DWORD boundary
        }
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        for (short v : {x, y, cx, cy}) {
            m_words.push_back(WORD(v));
        }
        m_words.push_back(id);
        m_words.push_back(0xFFFF);
        m_words.push_back(atom);
        Text(text);
        m_words.push_back(0); // no creation data
        ++m_words[4];
        return *this;
    }

    const void* Data() const { return m_words.data(); }
    size_t Size() const { return m_words.size() * sizeof(WORD); }

private:
    void Dword(DWORD value) {
        m_words.push_back(LOWORD(value));
        m_words.push_back(HIWORD(value));
    }
    void Text(const char* text) {
        for (; *text; ++text) {
            m_words.push_back(WORD(static_cast<unsigned char>(*text)));
        }
        m_words.push_back(0);
    }
    std::vector<WORD> m_words;
};

// While it lives, answers every message box of this thread with OK from a thread timer
// (which runs inside the box's own loop) and keeps the texts it saw.
class CMessageBoxAnswerer {
public:
    CMessageBoxAnswerer() {
        s_current = this;
        m_timer = SetTimer(nullptr, 0, 30, &CMessageBoxAnswerer::OnTimer);
    }
    ~CMessageBoxAnswerer() {
        KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    CMessageBoxAnswerer(const CMessageBoxAnswerer&) = delete;
    CMessageBoxAnswerer& operator=(const CMessageBoxAnswerer&) = delete;

    std::vector<std::string> m_texts;
    std::vector<std::string> m_captions;
    // Called once per timer tick before answering; return false to leave the box open.
    bool (*m_answerNow)() = nullptr;
    // The button pressed: IDOK, or IDYES / IDNO for a question.
    WPARAM m_answer = IDOK;

private:
    static BOOL CALLBACK OnThreadWindow(HWND hWnd, LPARAM) {
        char className[32] = {};
        GetClassNameA(hWnd, className, sizeof className);
        // Message boxes are the dialogs with the text control 0xFFFF (100 in older Wine)
        // and no object of ours behind them.
        HWND text = GetDlgItem(hWnd, 0xFFFF);
        if (!text) {
            text = GetDlgItem(hWnd, 100);
        }
        if (std::string(className) == "#32770" && IsWindowVisible(hWnd) && text &&
            GetWindowLongPtrA(hWnd, DWLP_USER) == 0) {
            char message[256] = {};
            GetWindowTextA(text, message, sizeof message);
            s_current->m_texts.push_back(message);
            GetWindowTextA(hWnd, message, sizeof message);
            s_current->m_captions.push_back(message);
            PostMessageA(hWnd, WM_COMMAND, s_current->m_answer, 0);
        }
        return TRUE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (s_current && (!s_current->m_answerNow || s_current->m_answerNow())) {
            EnumThreadWindows(GetCurrentThreadId(), &OnThreadWindow, 0);
        }
    }
    UINT_PTR m_timer = 0;
    static inline CMessageBoxAnswerer* s_current = nullptr;
};

} // namespace mereth::test
