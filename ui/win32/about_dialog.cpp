#include "ui/win32/about_dialog.h"

#include "resource.h"

namespace veldronix::win32 {

void CAboutDialog::run(HINSTANCE instance, HWND owner)
{
    runModal(instance, IDD_ABOUTBOX, owner);
}

INT_PTR CAboutDialog::handleMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            end(LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace veldronix::win32
