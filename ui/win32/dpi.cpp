#include "ui/win32/dpi.h"

namespace veldronix::win32 {
namespace {

// Functions of Windows 10 (1607) and later, looked up where the program runs,
// so that it still starts on the Windows versions that lack them.
struct DpiFunctions {
    UINT(WINAPI* dpiForWindow)(HWND) = nullptr;
    int(WINAPI* systemMetricsForDpi)(int, UINT) = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(LPRECT, DWORD, BOOL, DWORD, UINT) = nullptr;
};

template <typename Function>
void lookUp(HMODULE user32, const char* name, Function& function)
{
    // GetProcAddress hands out a generic function pointer for the named one.
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

DpiFunctions dpiFunctions()
{
    DpiFunctions functions;
    if (const HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
        lookUp(user32, "GetDpiForWindow", functions.dpiForWindow);
        lookUp(user32, "GetSystemMetricsForDpi", functions.systemMetricsForDpi);
        lookUp(user32, "AdjustWindowRectExForDpi", functions.adjustWindowRectExForDpi);
    }
    return functions;
}

// The screen's DPI, which every window has on Windows before 8.1 and which the
// system's own measures are given at.
Dpi screenDpi()
{
    const HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : Dpi::standard;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return Dpi(dpi);
}

} // namespace

Dpi dpiOf(HWND window)
{
    const DpiFunctions functions = dpiFunctions();
    if (functions.dpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = functions.dpiForWindow(window); dpi != 0) {
            return Dpi(static_cast<int>(dpi));
        }
    }
    return screenDpi();
}

int systemMetric(int index, Dpi dpi)
{
    const DpiFunctions functions = dpiFunctions();
    if (functions.systemMetricsForDpi != nullptr) {
        return functions.systemMetricsForDpi(index, static_cast<UINT>(dpi.value()));
    }
    return MulDiv(GetSystemMetrics(index), dpi.value(), screenDpi().value());
}

RECT frameAround(RECT client, HWND window, Dpi dpi)
{
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    const DpiFunctions functions = dpiFunctions();
    if (functions.adjustWindowRectExForDpi == nullptr ||
        !functions.adjustWindowRectExForDpi(&client, style, FALSE, exStyle, static_cast<UINT>(dpi.value()))) {
        AdjustWindowRectEx(&client, style, FALSE, exStyle);
    }
    return client;
}

} // namespace veldronix::win32
