#pragma once

#include "ui/win32/modal_dialog.h"

namespace veldronix::win32 {

// The About box (template IDD_ABOUTBOX): icon, version line and legal notice; OK or Esc close it.
class CAboutDialog final : public ModalDialog {
public:
    CAboutDialog() = default;

    // Shows the box over `owner` until the user closes it.
    void run(HINSTANCE instance, HWND owner);

private:
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

} // namespace veldronix::win32
