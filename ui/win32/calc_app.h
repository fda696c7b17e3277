#pragma once

#include <windows.h>

#include <string>

namespace veldronix::win32 {

// The application: starts the main dialog and ends when it ends.
class CCalcApp {
public:
    CCalcApp() = default;
    CCalcApp(const CCalcApp&) = delete;
    CCalcApp& operator=(const CCalcApp&) = delete;

    // Runs the main dialog modally; the process exit status: 0 once the dialog
    // has ended, 1 when it could not be shown.
    int initInstance(HINSTANCE instance);

    // The executable's file name without its extension; it captions every message box.
    static std::wstring title();
};

} // namespace veldronix::win32
