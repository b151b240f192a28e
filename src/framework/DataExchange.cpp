#include "framework/DataExchange.h"

#include "framework/Wnd.h"
#include "core/NumberFields.h"

namespace mereth {

// One reader for every number field: the length the number fields read.
static_assert(CDataExchange::TEXT_LIMIT == FIELD_READ_LENGTH);

HWND CDataExchange::Control(int id) const {
    return GetDlgItem(m_dialog.Handle(), id);
}

void CDataExchange::Fail(HWND control, const char* message) {
    m_failed = true;
    m_dialog.MessageBox(message, nullptr, MB_OK);
    if (control) {
        SendMessageA(m_dialog.Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
}

void CDataExchange::FailField(int id, const char* message) {
    if (m_save && !m_failed) {
        Fail(Control(id), message);
    }
}

namespace {

// How one kind of number field reads, shows and complains.
template <typename T> struct NumberField;
template <> struct NumberField<float> {
    static bool Read(std::string_view text, float& v) { return ReadDecimalField(text, v); }
    static void Show(float v, char (&out)[FIELD_TEXT_CAPACITY]) { FormatDecimalField(v, out); }
    static constexpr const char* MESSAGE = DECIMAL_FIELD_MESSAGE;
};
template <> struct NumberField<int32_t> {
    static bool Read(std::string_view text, int32_t& v) { return ReadIntegerField(text, v); }
    static void Show(int32_t v, char (&out)[FIELD_TEXT_CAPACITY]) { FormatIntegerField(v, out); }
    static constexpr const char* MESSAGE = INTEGER_FIELD_MESSAGE;
};

} // namespace

template <typename T> void CDataExchange::NumberText(int id, T& value) {
    HWND control = Control(id);
    if (m_failed || !control) {
        return;
    }
    if (m_save) {
        char text[TEXT_LIMIT + 1] = {};
        const int length = GetWindowTextA(control, text, sizeof text);
        // The user could not correct a disabled field, so it never holds the page.
        if (!NumberField<T>::Read(std::string_view(text, size_t(length > 0 ? length : 0)), value) &&
            IsWindowEnabled(control)) {
            Fail(control, NumberField<T>::MESSAGE);
        }
    } else {
        char shown[FIELD_TEXT_CAPACITY];
        NumberField<T>::Show(value, shown);
        SetWindowTextA(control, shown);
    }
}

void CDataExchange::Text(int id, float& value) {
    NumberText(id, value);
}

void CDataExchange::Text(int id, int32_t& value) {
    NumberText(id, value);
}

void CDataExchange::Radio(int firstId, int32_t& index) {
    HWND button = Control(firstId);
    if (m_failed || !button) {
        return;
    }
    int32_t position = 0;
    if (m_save) {
        index = -1;
    }
    do {
        if (SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (m_save) {
                if (SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                    index = position;
                }
            } else {
                SendMessageA(button, BM_SETCHECK, position == index ? BST_CHECKED : BST_UNCHECKED,
                             0);
            }
            ++position;
        }
        button = GetWindow(button, GW_HWNDNEXT);
    } while (button && !(GetWindowLongPtrA(button, GWL_STYLE) & WS_GROUP));
}

void CDataExchange::Check(int id, int32_t& value) {
    HWND button = Control(id);
    if (m_failed || !button) {
        return;
    }
    if (m_save) {
        value = int32_t(SendMessageA(button, BM_GETCHECK, 0, 0));
    } else {
        // Any other non-zero flag still means "on", as the rest of the program reads it.
        const WPARAM state = value == 0                   ? BST_UNCHECKED
                             : value == BST_INDETERMINATE ? BST_INDETERMINATE
                                                          : BST_CHECKED;
        SendMessageA(button, BM_SETCHECK, state, 0);
    }
}

void CDataExchange::ComboIndex(int id, int32_t& index) {
    HWND combo = Control(id);
    if (m_failed || !combo) {
        return;
    }
    if (m_save) {
        index = int32_t(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    } else {
        SendMessageA(combo, CB_SETCURSEL, WPARAM(index), 0);
    }
}

} // namespace mereth
