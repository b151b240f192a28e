#pragma once

// CDialog: a dialog from a template (a resource id, or a DLGTEMPLATE in memory), run
// modally by our own loop:
//
//     CAboutDlg about(this);            // owner; null = the application's main window
//     INT_PTR result = about.DoModal(); // the EndDialog code, or -1 if it could not run
//
// DoModal disables the owner, creates the dialog hidden, runs the loop (IsDialogMessage,
// then dispatch, so every window of the thread keeps its timers), shows the dialog the
// first time the queue is empty if ShowOnIdle() says so, and at EndDialog hides and
// destroys it, re-enables the owner and returns the code. The run counts in the
// owner's OpenModalCount.
//
// Built-in handling, after the message tables: WM_INITDIALOG -> OnInitDialog,
// IDOK -> OnOK, IDCANCEL -> OnCancel. OnInitDialog moves the members to the controls
// (UpdateData(false)); OnOK reads them back (UpdateData(true)) and ends with IDOK only
// if that worked. DoDataExchange lists the fields (see DataExchange.h).
//
// CStartHiddenDialog: a main window that may start invisible. Its loop shows it at the
// first idle moment only while m_showOnStart is true; otherwise it exists, gets its
// timers, and stays hidden until something shows it.

#include "framework/Wnd.h"

#include <vector>

namespace mereth {

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : m_templateId(templateId), m_parent(parent) {}
    // A template in memory (DLGTEMPLATE or DLGTEMPLATEEX with its items, size bytes); it
    // must outlive the dialog's window.
    CDialog(const void* templateData, size_t size, CWnd* parent = nullptr)
        : m_template(templateData), m_templateSize(size), m_parent(parent) {}
    ~CDialog() override;

    virtual INT_PTR DoModal();
    // Creates the dialog modeless and hidden, owned by owner; null when it could not.
    HWND CreateModeless(HWND owner);
    // Ends the modal run with result as DoModal's value; does nothing outside one.
    void EndDialog(INT_PTR result);
    bool IsModalRunning() const { return m_modalRunning; }

    // Moves the members to the controls (save false) or back (save true). False when a
    // field could not be read: its message has been shown and the focus put on it.
    bool UpdateData(bool save);

protected:
    virtual void DoDataExchange(CDataExchange&) {}
    // Return true to let the system focus the first control.
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Whether the modal loop shows the dialog when it first becomes idle.
    virtual bool ShowOnIdle() const { return true; }

    bool ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // The dialog procedure's body once the object is known; shared with property pages.
    static INT_PTR RunDialogMessage(CDialog* dialog, HWND hWnd, UINT message, WPARAM wParam,
                                    LPARAM lParam);
    static void AttachDialog(CDialog* dialog, HWND hWnd);

    // The template: a copy of the resource or of the memory template, without WS_VISIBLE.
    bool CopyTemplate(std::vector<DWORD>& copy) const;
    UINT TemplateId() const { return m_templateId; }
    const void* MemoryTemplate() const { return m_template; }

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND hWnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) noexcept;

    UINT m_templateId = 0;
    const void* m_template = nullptr;
    size_t m_templateSize = 0;
    CWnd* m_parent;
    INT_PTR m_result = -1;
    bool m_modalRunning = false;
    bool m_endRequested = false;
};

class CStartHiddenDialog : public CDialog {
public:
    using CDialog::CDialog;

    // Show at the first idle moment, or stay hidden until shown.
    bool m_showOnStart = true;

protected:
    bool ShowOnIdle() const override { return m_showOnStart; }
};

} // namespace mereth
