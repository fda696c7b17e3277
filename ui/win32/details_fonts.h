#pragma once

#include "ui/win32/dpi.h"
#include "ui/win32/gdi_handles.h"

#include <windows.h>

#include <string>

namespace veldronix::win32 {

// The fonts of the details window: the main dialog's font at the window's own
// DPI, its bold for the headings, and its face for the plot's texts.
struct DetailsFonts {
    FontHandle font;
    FontHandle bold;
    std::wstring face;

    // The font of the dialog owner (at the owner's DPI) made again for `dpi`;
    // the system's dialog font where the owner has none.
    static DetailsFonts of(HWND owner, Dpi dpi);
};

} // namespace veldronix::win32
