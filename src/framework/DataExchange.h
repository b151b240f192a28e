#pragma once

// CDataExchange: moves a dialog's member values to its controls (save false) or reads
// them back (save true). A dialog or page lists its fields once:
//
//     void DoDataExchange(CDataExchange& dx) override {
//         dx.Text(IDC_MINIMUM, m_minimum);     // float, shown "%.*g" at precision 6
//         dx.Radio(IDC_BY_SECOND, m_method);   // index in the radio group
//         dx.Check(IDC_HAS_MINIMUM, m_hasMinimum);
//     }
//
// Reading stops at the first field that cannot be read: the message "Please enter a
// number." or "Please enter an integer." is shown (MB_OK), the focus goes to the field
// with all its text selected, Failed() becomes true, and every later call does nothing,
// so that field and the ones after it keep their values. A disabled number field whose
// text cannot be read is passed over and keeps its value: nobody could correct it.

#include <windows.h>

#include <cstdint>

namespace mereth {

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd& dialog, bool save) : m_dialog(dialog), m_save(save) {}

    bool Saving() const { return m_save; }
    bool Failed() const { return m_failed; }

    // Text of an edit: a float, or a 32-bit integer shown with "%d". Only the first 31
    // characters are read.
    void Text(int id, float& value);
    void Text(int id, int32_t& value);
    // index: the checked button of the group that starts at firstId, counting the
    // radio buttons up to the next WS_GROUP; -1 when none is checked.
    void Radio(int firstId, int32_t& index);
    // 0 unchecked, 1 checked, 2 indeterminate; any other non-zero value shows checked.
    void Check(int id, int32_t& value);
    // The combo box selection; CB_ERR (-1) for none.
    void ComboIndex(int id, int32_t& index);

    // A value the page itself found wrong (out of range, say): fails as an unreadable
    // field does, with message. Nothing once failed or while showing.
    void FailField(int id, const char* message);

    static constexpr int TEXT_LIMIT = 31;

private:
    HWND Control(int id) const;
    void Fail(HWND control, const char* message);
    template <typename T> void NumberText(int id, T& value);

    CWnd& m_dialog;
    bool m_save;
    bool m_failed = false;
};

} // namespace mereth
