#pragma once

// CSubclassedWindow: takes over an existing control (for instance one from a dialog
// template) through the common controls' subclassing (SetWindowSubclass); the object
// then sees every message of the control first, through the usual message tables, and
// what it does not handle goes on down the chain to the control's own procedure. The
// control's GWLP_USERDATA stays its owner's, and other subclasses may stack on it. The
// object lets go when the control is destroyed or the object goes, whichever comes
// first.
//
//     m_minimum.Attach(*this, IDC_MINIMUM); // in OnInitDialog
//
// CSubclassedEdit: an edit control whose typed characters pass OnChar first.

#include "framework/Wnd.h"

namespace mereth {

class CSubclassedWindow : public CWnd {
public:
    ~CSubclassedWindow() override;

    // False if the control does not exist, cannot be subclassed or this object already
    // holds one.
    bool Attach(HWND control);
    bool Attach(const CWindow& parent, int id) { return Attach(::GetDlgItem(parent.Handle(), id)); }
    // Gives the control its own procedure back.
    void Detach();

protected:
    LRESULT DefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The subclass id is the object itself, so two objects may stack on one control.
    static LRESULT CALLBACK StaticSubclassProc(HWND hWnd, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR id,
                                               DWORD_PTR object) noexcept;
};

class CSubclassedEdit : public CSubclassedWindow {
protected:
    // A typed character (WM_CHAR: code, repeat count, key flags). Return true to let the
    // edit control insert or carry it out, false to drop it.
    virtual bool OnChar(UINT ch, UINT repeat, UINT flags) = 0;

    bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

} // namespace mereth
