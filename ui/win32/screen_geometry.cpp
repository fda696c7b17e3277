#include "ui/win32/screen_geometry.h"

namespace veldronix::win32 {

report::ScreenRect screenRectOf(const RECT& rect)
{
    return {static_cast<int>(rect.left), static_cast<int>(rect.top), static_cast<int>(rect.right - rect.left),
            static_cast<int>(rect.bottom - rect.top)};
}

report::ScreenRect workAreaOf(HWND window)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return screenRectOf(monitor.rcWork);
}

void keepOnScreen(HWND window)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    const report::ScreenRect now = screenRectOf(frame);
    const report::ScreenRect kept = report::keptOnScreen(workAreaOf(window), now);
    if (kept != now) {
        SetWindowPos(window, nullptr, kept.x, kept.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace veldronix::win32
