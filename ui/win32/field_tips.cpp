#include "ui/win32/field_tips.h"

#include "controller/result_fields.h"
#include "io/wide_text.h"
#include "report/result_field_text.h"
#include "ui/win32/gdi_handles.h"
#include "ui/win32/result_field.h"
#include "ui/win32/text_metrics.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace veldronix::win32 {
namespace {

// A note's lines as a tooltip breaks them.
std::wstring tipLines(std::string_view note)
{
    std::wstring lines;
    for (const wchar_t c : io::toWide(note)) {
        if (c == L'\n') {
            lines += L"\r\n";
        } else {
            lines += c;
        }
    }
    return lines;
}

bool isResultField(ControlId field)
{
    return std::find(resultFields.begin(), resultFields.end(), field) != resultFields.end();
}

} // namespace

FieldTips::~FieldTips()
{
    if (tips_ != nullptr && IsWindow(tips_)) {
        DestroyWindow(tips_);
    }
}

bool FieldTips::attach(HWND dialog, HINSTANCE instance, std::span<const ControlId> fields, Note note)
{
    dialog_ = dialog;
    note_ = std::move(note);
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
        std::array<wchar_t, 16> kind{};
        GetClassNameW(control, kind.data(), static_cast<int>(kind.size()));
        if (std::wstring_view(kind.data()) == L"Static") {
            // A static tells the mouse's moves only with SS_NOTIFY.
            SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) | SS_NOTIFY);
        }
        addTool(control);
        // The mouse over a drop-down's text is over its edit part, a window of its own.
        if (const HWND edit = FindWindowExW(control, nullptr, L"Edit", nullptr); edit != nullptr) {
            addTool(edit);
        }
    }
    return true;
}

void FieldTips::addTool(HWND control)
{
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool FieldTips::onGetDispInfo(NMTTDISPINFOW& info)
{
    if (info.hdr.hwndFrom != tips_ || (info.uFlags & TTF_IDISHWND) == 0) {
        return false;
    }
    const auto tool = reinterpret_cast<HWND>(info.hdr.idFrom);
    // A drop-down's edit part has a number of its own (1001): the field is the drop-down.
    const HWND field = GetParent(tool) == dialog_ ? tool : GetParent(tool);
    const auto id = static_cast<ControlId>(GetDlgCtrlID(field));
    shown_ = note_ ? tipLines(note_(id)) : std::wstring();
    if (isResultField(id)) {
        const bool cut = report::showsOneFigure(id) ? fittedText(field).cut : clipsText(field);
        if (cut) {
            shown_ += (shown_.empty() ? L"" : L"\r\n") + wideText(field);
        }
    }
    info.lpszText = shown_.data(); // empty: no tooltip
    info.szText[0] = L'\0';
    info.hinst = nullptr;
    return true;
}

bool clipsText(HWND field)
{
    const std::wstring text = wideText(field);
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
