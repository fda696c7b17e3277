#include "ui/win32/details_fonts.h"

namespace veldronix::win32 {
namespace {

FontHandle boldOf(HFONT base)
{
    LOGFONTW font{};
    if (base == nullptr || GetObjectW(base, sizeof font, &font) == 0) {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    font.lfWeight = FW_BOLD;
    return FontHandle(CreateFontIndirectW(&font));
}

std::wstring faceOf(HFONT font)
{
    LOGFONTW face{};
    if (font == nullptr || GetObjectW(font, sizeof face, &face) == 0) {
        return L"MS PGothic";
    }
    return face.lfFaceName;
}

} // namespace

DetailsFonts DetailsFonts::of(HWND owner)
{
    DetailsFonts fonts;
    fonts.font = owner != nullptr ? reinterpret_cast<HFONT>(SendMessageW(owner, WM_GETFONT, 0, 0)) : nullptr;
    if (fonts.font == nullptr) {
        fonts.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    fonts.bold = boldOf(fonts.font);
    fonts.face = faceOf(fonts.font);
    return fonts;
}

} // namespace veldronix::win32
