#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace veldronix::win32 {

// What the user chose in the common Save As (save) or Open dialog over owner,
// as report::machineFileDialog describes it: the path in UTF-8, and whether
// UTF-8 carries it (a lone surrogate does not, and would name another file).
struct ChosenMachineFile {
    std::string path;
    bool faithful = true;
};
// suggested: the name a save proposes. None: cancelled.
std::optional<ChosenMachineFile> chooseMachineFile(HWND owner, bool save, std::string_view suggested);

} // namespace veldronix::win32
