#pragma once

#include <windows.h>

#include <exception>

namespace veldronix::win32 {

// A modal dialog built from a dialog template. A derived class handles the
// messages it cares about; everything else gets the dialog manager's default.
class ModalDialog {
public:
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;
    virtual ~ModalDialog() = default;

    // Creates the dialog from template `templateId` of `instance` and runs it until
    // it ends; the value given to end(), or -1 when the dialog could not be created.
    // An exception thrown by a handler ends the dialog and is thrown again here,
    // never through the system's own frames.
    INT_PTR runModal(HINSTANCE instance, int templateId, HWND owner);

protected:
    ModalDialog() = default;

    HWND window() const { return window_; }
    HWND item(int identifier) const { return GetDlgItem(window_, identifier); }
    void end(INT_PTR result) { EndDialog(window_, result); }

    // One message of the dialog: a nonzero result when handled, FALSE for the
    // default handling (the usual dialog procedure contract; WM_INITDIALOG
    // returns TRUE to let the system set the focus).
    virtual INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::exception_ptr failure_;
};

} // namespace veldronix::win32
