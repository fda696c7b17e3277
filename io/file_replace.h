#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veldronix::io {

// What stopped a file from being written.
enum class FileWriteError {
    CannotCreate,  // no new file can be made beside the target
    WriteFailed,   // the data did not all reach the disk
    CannotReplace, // the finished file cannot take the target's name
};

// Writes contents to the file at path (UTF-8) as a whole or not at all: into a
// new file beside it, which then takes the target's name. On failure the new
// file is removed and the target is as it was.
std::optional<FileWriteError> replaceFile(std::string_view path, std::string_view contents);

} // namespace veldronix::io
