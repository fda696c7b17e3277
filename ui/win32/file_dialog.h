#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veldronix::win32 {

// One common Open or Save As dialog, as a window asks for it.
struct FileDialogRequest {
    bool save = false;
    std::vector<std::pair<std::string_view, std::string_view>> filters; // each type's label and pattern, in UTF-8
    std::string_view title;
    std::string_view suggested;        // the name a save proposes; "" for none
    const wchar_t* defaultExtension = nullptr; // appended to a name typed without one; none: nothing
};

// What the user chose: the path in UTF-8, whether UTF-8 carries it (a lone
// surrogate does not, and would name another file), and the filter chosen, 0-based.
struct ChosenFile {
    std::string path;
    bool faithful = true;
    std::size_t filterIndex = 0;
};

// Runs the dialog over owner. None: cancelled.
std::optional<ChosenFile> runFileDialog(HWND owner, const FileDialogRequest& request);

} // namespace veldronix::win32
