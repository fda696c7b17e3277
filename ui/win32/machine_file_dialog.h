#pragma once

#include "ui/win32/file_dialog.h"

#include <windows.h>

#include <optional>
#include <string_view>

namespace veldronix::win32 {

// The machine file the user chose in the common Save As (save) or Open dialog
// over owner, as report::machineFileDialog describes it. suggested: the name a
// save proposes. None: cancelled.
std::optional<ChosenFile> chooseMachineFile(HWND owner, bool save, std::string_view suggested);

} // namespace veldronix::win32
