#include "ui/win32/modal_dialog.h"

namespace veldronix::win32 {

INT_PTR ModalDialog::runModal(HINSTANCE instance, int templateId, HWND owner)
{
    failure_ = nullptr;
    const INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, &ModalDialog::dialogProc,
                                           reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    if (failure_) {
        std::rethrow_exception(failure_);
    }
    return result;
}

INT_PTR CALLBACK ModalDialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ModalDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<ModalDialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    } else {
        self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    // WM_SETFONT and a few others come before WM_INITDIALOG: nothing to do yet.
    if (self == nullptr || self->failure_) {
        return FALSE;
    }
    try {
        return self->handleMessage(message, wParam, lParam);
    } catch (...) {
        self->failure_ = std::current_exception();
        EndDialog(window, -1);
        return TRUE;
    }
}

} // namespace veldronix::win32
