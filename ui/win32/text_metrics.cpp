#include "ui/win32/text_metrics.h"

#include "io/wide_text.h"
#include "ui/win32/gdi_handles.h"

#include <algorithm>
#include <string>

namespace veldronix::win32 {

SIZE measured(HWND control, HFONT font, std::string_view text, int width)
{
    const WindowContext context(control);
    const Selection use(context.dc(), font);
    const std::wstring wide = io::toWide(text);
    RECT bounds{0, 0, std::max(1, width), 0};
    DrawTextW(context.dc(), wide.empty() ? L" " : wide.c_str(), wide.empty() ? 1 : static_cast<int>(wide.size()),
              &bounds, DT_CALCRECT | wrapFormat);
    return SIZE{bounds.right, bounds.bottom};
}

std::wstring wideText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(std::max(0, GetWindowTextLengthW(window))) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextW(window, text.data(), static_cast<int>(text.size())))));
    return text;
}

int lineHeightOf(HWND window, HFONT font)
{
    const WindowContext context(window);
    const Selection use(context.dc(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context.dc(), &metrics);
    return metrics.tmHeight + metrics.tmExternalLeading;
}

} // namespace veldronix::win32
