#pragma once

#include "ui/win32/gdi_handles.h"

#include <windows.h>

#include <string>

namespace veldronix::win32 {

// The fonts of the details window: the main dialog's, which outlives it, its
// bold for the headings, and its face for the plot's texts.
struct DetailsFonts {
    HFONT font = nullptr;
    FontHandle bold;
    std::wstring face;

    // The fonts of the dialog owner; the system's dialog font where it has none.
    static DetailsFonts of(HWND owner);
};

} // namespace veldronix::win32
