#include "ui/win32/calc_app.h"

#include "ui/win32/calc_dialog.h"
#include "ui/win32/gdiplus_session.h"

namespace veldronix::win32 {

int CCalcApp::initInstance(HINSTANCE instance)
{
    // For the details' plot, drawn with GDI+ for as long as the dialog runs.
    const GdiplusSession gdiplus;
    CCalcDialog dialog(instance, title());
    return dialog.run() == -1 ? 1 : 0;
}

std::wstring CCalcApp::title()
{
    // A path can be longer than MAX_PATH; the buffer grows until the name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return L"Veldronix";
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) {
        name.resize(dot);
    }
    return name;
}

} // namespace veldronix::win32
