#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace veldronix::win32 {

// A static's flags and the same for measuring it: words wrap, and a word longer
// than the line (a long figure, Japanese without spaces) breaks where it must.
inline constexpr UINT wrapFormat = DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS;
inline constexpr DWORD wrapStyle = SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL;

// The size text takes in control's font when wrapped at width pixels.
SIZE measured(HWND control, HFONT font, std::string_view text, int width);

// A window's whole text.
std::wstring wideText(HWND window);

// The height of one line of font in window, leading included, in pixels.
int lineHeightOf(HWND window, HFONT font);

} // namespace veldronix::win32
