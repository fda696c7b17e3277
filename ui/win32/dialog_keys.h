#pragma once

#include "ui/win32/gdi_handles.h"

#include <windows.h>

namespace veldronix::win32 {

// The dialog keys (Tab, Esc, Enter on a button) for a modeless window whose
// messages pass through another dialog's modal loop. That loop, and those of
// the About box and the message boxes, offers every message to the thread's
// message filter first; the window's own messages go through the dialog
// manager's keyboard handling there, as in a dialog. The window finds its
// handler through a property of its own, so that nothing is global.
class DialogKeys {
public:
    DialogKeys() = default;
    DialogKeys(const DialogKeys&) = delete;
    DialogKeys& operator=(const DialogKeys&) = delete;
    ~DialogKeys() { detach(); }

    // From now on window's keys (its children's included) work as in a dialog.
    void attach(HWND window);
    // The window goes (WM_NCDESTROY): its keys are its own again.
    void detach();

private:
    static LRESULT CALLBACK messageFilter(int code, WPARAM wParam, LPARAM lParam);
    bool handle(MSG& message);

    HWND window_ = nullptr;
    HookHandle hook_;
    bool filtering_ = false;
};

} // namespace veldronix::win32
