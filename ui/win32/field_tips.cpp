#include "ui/win32/field_tips.h"

#include "io/wide_text.h"
#include "ui/win32/gdi_handles.h"

#include <algorithm>

namespace veldronix::win32 {
namespace {

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(std::max(0, GetWindowTextLengthW(window))) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextW(window, text.data(), static_cast<int>(text.size())))));
    return text;
}

} // namespace

FieldTips::~FieldTips()
{
    if (tips_ != nullptr && IsWindow(tips_)) {
        DestroyWindow(tips_);
    }
}

bool FieldTips::attach(HWND dialog, HINSTANCE instance, std::span<const ControlId> fields, StaleNote staleNote)
{
    dialog_ = dialog;
    staleNote_ = std::move(staleNote);
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, instance,
                            nullptr);
    if (tips_ == nullptr) {
        return false;
    }
    // Long texts wrap at a readable width rather than run across the screen.
    SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 480);
    // Long enough to read a sentence.
    SendMessageW(tips_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);
    for (const ControlId field : fields) {
        const HWND control = GetDlgItem(dialog, toInt(field));
        if (control == nullptr) {
            continue;
        }
        // A static tells the mouse's moves only with SS_NOTIFY.
        SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) | SS_NOTIFY);
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return true;
}

bool FieldTips::onGetDispInfo(NMTTDISPINFOW& info)
{
    if (info.hdr.hwndFrom != tips_ || (info.uFlags & TTF_IDISHWND) == 0) {
        return false;
    }
    const HWND field = reinterpret_cast<HWND>(info.hdr.idFrom);
    shown_.clear();
    const std::string note = staleNote_ ? staleNote_(static_cast<ControlId>(GetDlgCtrlID(field))) : std::string();
    if (!note.empty()) {
        shown_ = io::toWide(note);
    }
    if (clipsText(field)) {
        shown_ += (shown_.empty() ? L"" : L"\r\n") + windowText(field);
    }
    info.lpszText = shown_.data(); // empty: no tooltip
    info.szText[0] = L'\0';
    info.hinst = nullptr;
    return true;
}

bool clipsText(HWND field)
{
    const std::wstring text = windowText(field);
    if (text.empty()) {
        return false;
    }
    RECT client{};
    GetClientRect(field, &client);
    const WindowContext context(field);
    const Selection use(context.dc(), reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0)));
    // As a static draws its text: words wrap where the control has room for more than one line.
    RECT needed{0, 0, client.right, 0};
    DrawTextW(context.dc(), text.c_str(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    RECT oneLine{0, 0, 0, 0};
    DrawTextW(context.dc(), text.c_str(), static_cast<int>(text.size()), &oneLine,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const bool multiLine = text.find(L'\n') != std::wstring::npos || needed.bottom > oneLine.bottom;
    return multiLine ? needed.bottom > client.bottom || needed.right > client.right : oneLine.right > client.right;
}

} // namespace veldronix::win32
