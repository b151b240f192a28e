#pragma once

#include <windows.h>

#include <commctrl.h> // NM_CLICK and the other click codes

namespace mereth {

// What the indicators and the tray icon send their parent with WM_NOTIFY: the header,
// then the pointer position in screen coordinates.
struct ClickNotify {
    NMHDR hdr;
    POINT pt;
};

} // namespace mereth
