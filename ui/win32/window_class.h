#pragma once

#include <windows.h>

namespace veldronix::win32 {

// Registers the window class name of this program once, with the arrow cursor and the
// given background (none: the window paints every pixel itself); true when it is there.
bool registerWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HBRUSH background);

} // namespace veldronix::win32
