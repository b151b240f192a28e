#pragma once

// CSubclassedWindow: takes over an existing control (for instance one from a dialog
// template) by replacing its window procedure; the object then sees every message of
// the control first, through the usual message tables, and what it does not handle goes
// on to the control's own procedure. The control's own procedure is put back when the
// control is destroyed or the object goes, whichever comes first.
//
//     m_minimum.Attach(*this, IDC_MINIMUM); // in OnInitDialog
//
// CSubclassedEdit: an edit control whose typed characters pass OnChar first.

#include "framework/Wnd.h"

namespace mereth {

class CSubclassedWindow : public CWnd {
public:
    ~CSubclassedWindow() override;

    // False if the control does not exist or this object already holds one.
    bool Attach(HWND control);
    bool Attach(const CWindow& parent, int id) { return Attach(::GetDlgItem(parent.Handle(), id)); }
    // Gives the control its own procedure back.
    void Detach();

protected:
    LRESULT DefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static LRESULT CALLBACK StaticSubclassProc(HWND hWnd, UINT message, WPARAM wParam,
                                               LPARAM lParam) noexcept;
    WNDPROC m_previousProc = nullptr;
};

class CSubclassedEdit : public CSubclassedWindow {
protected:
    // A typed character (WM_CHAR: code, repeat count, key flags). Return true to let the
    // edit control insert or carry it out, false to drop it.
    virtual bool OnChar(UINT ch, UINT repeat, UINT flags) = 0;

    bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

} // namespace mereth
