#include "ui/win32/details_fonts.h"

namespace veldronix::win32 {

DetailsFonts DetailsFonts::of(HWND owner, Dpi dpi)
{
    const HFONT base = owner != nullptr ? reinterpret_cast<HFONT>(SendMessageW(owner, WM_GETFONT, 0, 0)) : nullptr;
    LOGFONTW font{};
    Dpi baseDpi = dpiOf(owner);
    if (base == nullptr || GetObjectW(base, sizeof font, &font) == 0) {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
        baseDpi = dpiOf(nullptr); // the stock font is made for the screen's DPI
    }
    // The same points at the window's DPI: the height, given in pixels, scales.
    font.lfHeight = MulDiv(font.lfHeight, dpi.value(), baseDpi.value());
    font.lfWidth = MulDiv(font.lfWidth, dpi.value(), baseDpi.value());
    DetailsFonts fonts;
    fonts.font = FontHandle(CreateFontIndirectW(&font));
    fonts.face = font.lfFaceName[0] != L'\0' ? font.lfFaceName : L"MS PGothic";
    font.lfWeight = FW_BOLD;
    fonts.bold = FontHandle(CreateFontIndirectW(&font));
    return fonts;
}

} // namespace veldronix::win32
