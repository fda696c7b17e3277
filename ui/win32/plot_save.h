#pragma once

#include "report/details.h"

#include <windows.h>

#include <optional>
#include <string>

namespace veldronix::win32 {

// Saves the details' plot where the user chooses in the common Save As dialog
// over owner, proposed as report::plotFileStem + ".svg", written to the file
// report::plotSaveTarget makes of the name and type chosen: SVG (the report's
// document), or PNG (the same scene drawn as the window draws it); whole or not
// at all, through io::replaceFile. The line to show (saved, or not and why); none when the user cancelled.
std::optional<std::string> savePlotAs(HWND owner, const report::Details& shown, const std::wstring& faceName);

} // namespace veldronix::win32
