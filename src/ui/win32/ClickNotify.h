#pragma once
#include <windows.h>

#include <commctrl.h>

namespace mereth {

// What an indicator or the tray icon sends its parent as WM_NOTIFY's lParam: the
// header (NM_CLICK, NM_DBLCLK, NM_RCLICK or NM_RDBLCLK) and where the pointer was, in
// screen coordinates.
struct ClickNotify {
    NMHDR hdr;
    POINT pt;
};

} // namespace mereth
