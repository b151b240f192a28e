// Back up and restore the settings store as a .reg file.
#include "app/MonitorDlg.h"

#include "store/win32/StoreBackup.h"
#include "ui/MenuState.h"
#include "ui/UserTexts.h"

#include <commdlg.h>

#include <cstdio>

namespace mereth {

namespace {

// The common file dialog over the window, counted as one of its modal runs; false
// when the user cancels. path holds the suggested name on entry.
bool AskForFile(CWnd* owner, bool save, wchar_t (&path)[MAX_PATH]) {
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner->Handle();
    ofn.lpstrFilter = BACKUP_FILTER;
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = L"reg";
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const CModalScope scope(owner);
    return save ? GetSaveFileNameW(&ofn) != FALSE : GetOpenFileNameW(&ofn) != FALSE;
}

} // namespace

void CMonitorDlg::OnBackup() {
    if (!MayOpenOrEnd(OpenModalCount())) {
        return;
    }
    // The file holds the figures as they are now, not as the last save left them.
    m_store.SaveToRegistry();
    wchar_t path[MAX_PATH] = {};
    wcscpy(path, BACKUP_FILE_NAME);
    if (!AskForFile(this, true, path)) {
        return;
    }
    CStoreBackup backup;
    const LONG status = backup.BackUp(path);
    if (status != ERROR_SUCCESS) {
        char text[128];
        if (status == ERROR_INVALID_DATA) {
            std::snprintf(text, sizeof text, "%s", BACKUP_NOT_RESTORABLE);
        } else {
            std::snprintf(text, sizeof text, BACKUP_FAILED, static_cast<long>(status));
        }
        MessageBox(text, nullptr, MB_OK | MB_ICONEXCLAMATION);
    }
}

void CMonitorDlg::OnRestore() {
    // The menu greys the item meanwhile, but a call may have begun since it opened.
    if (!MayOpenOrEnd(OpenModalCount())) {
        return;
    }
    if (IsConnected()) {
        MessageBox(RESTORE_DURING_CALL, RESTORE_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    wchar_t path[MAX_PATH] = {};
    if (!AskForFile(this, false, path)) {
        return;
    }
    char text[512];
    RegTree tree;
    RegFileProblem problem;
    if (!ReadStoreBackup(path, tree, problem)) {
        if (problem.line > 0) {
            std::snprintf(text, sizeof text, RESTORE_REFUSED_AT_LINE, problem.reason, problem.line);
        } else {
            std::snprintf(text, sizeof text, RESTORE_REFUSED, problem.reason);
        }
        MessageBox(text, RESTORE_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    wchar_t question[MAX_PATH + 160];
    std::swprintf(question, std::size(question), RESTORE_QUESTION, path);
    int answer = IDNO;
    {
        const CModalScope scope(this);
        answer = MessageBoxW(m_hWnd, question, RESTORE_CAPTION_W, MB_YESNO | MB_ICONQUESTION);
    }
    if (answer != IDYES) {
        return;
    }
    if (IsConnected()) {
        MessageBox(RESTORE_DURING_CALL, RESTORE_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return;
    }

    CStoreBackup backup;
    bool unchanged = true;
    const LONG status = backup.Import(tree, unchanged);
    if (status != ERROR_SUCCESS) {
        std::snprintf(text, sizeof text, unchanged ? RESTORE_FAILED : RESTORE_FAILED_PARTLY,
                      static_cast<long>(status));
        MessageBox(text, RESTORE_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        if (!unchanged) {
            // The window still holds the figures as they were: they go back in.
            m_store.SaveToRegistry();
        }
        return;
    }

    // As at start-up, but from nothing: what the file lacks takes its default, not
    // what was shown before.
    for (int i = 0; i < RECORD_COUNT; ++i) {
        ConnectionStats& r = m_model.m_entries[i];
        const EntryName name = r.name;
        r = ConnectionStats{};
        r.name = name;
    }
    m_model.m_holidays = CHolidays{};
    m_display = DisplaySettings{};
    m_store.LoadFromRegistry();
    ApplyDisplaySettings();
    m_watcher.FillEntryList();
    FillEntryCombo();
    m_accounting.CheckDateRollover();
    // No call runs: this also drops a call the backup was made during.
    m_store.SaveToRegistry();
    RefreshIndicators();
    RefreshLabels();
    RefreshBudget();
    UpdateData(false);
}

} // namespace mereth
