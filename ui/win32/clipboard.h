#pragma once

#include <windows.h>

#include <string_view>

namespace veldronix::win32 {

// Puts text (UTF-8, lines ended by "\n") on the clipboard as Unicode text with
// Windows' CRLF line ends, in place of whatever it held; `owner` is the window
// that puts it there. False when the clipboard could not take it (another
// program holding it open, no memory).
bool putOnClipboard(HWND owner, std::string_view text);

} // namespace veldronix::win32
