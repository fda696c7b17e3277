#include "ui/win32/dialog_keys.h"

namespace veldronix::win32 {
namespace {

constexpr const wchar_t* handlerProperty = L"VeldronixDialogKeys";

} // namespace

void DialogKeys::attach(HWND window)
{
    detach();
    window_ = window;
    SetPropW(window_, handlerProperty, this);
    hook_ = HookHandle(SetWindowsHookExW(WH_MSGFILTER, &DialogKeys::messageFilter, nullptr, GetCurrentThreadId()));
}

void DialogKeys::detach()
{
    if (window_ != nullptr) {
        RemovePropW(window_, handlerProperty);
        window_ = nullptr;
    }
    hook_ = HookHandle();
}

LRESULT CALLBACK DialogKeys::messageFilter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_DIALOGBOX && lParam != 0) {
        MSG& message = *reinterpret_cast<MSG*>(lParam);
        const HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        auto* self = root != nullptr ? static_cast<DialogKeys*>(GetPropW(root, handlerProperty)) : nullptr;
        if (self != nullptr && self->handle(message)) {
            return TRUE;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool DialogKeys::handle(MSG& message)
{
    // IsDialogMessage offers the message to the filter again: that second offer is left alone.
    if (filtering_ || window_ == nullptr) {
        return false;
    }
    filtering_ = true;
    const bool handled = IsDialogMessageW(window_, &message) != FALSE;
    filtering_ = false;
    return handled;
}

} // namespace veldronix::win32
