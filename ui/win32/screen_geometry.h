#pragma once

#include "report/window_placement.h"

#include <windows.h>

namespace veldronix::win32 {

// A window rectangle in screen pixels as report/'s rules take it.
report::ScreenRect screenRectOf(const RECT& rect);

// The work area of the monitor the window is on (or nearest to).
report::ScreenRect workAreaOf(HWND window);

// Moves the window inside its monitor's work area, its title bar on the screen
// however large it is (report::keptOnScreen); a window inside it stays where it is.
void keepOnScreen(HWND window);

} // namespace veldronix::win32
