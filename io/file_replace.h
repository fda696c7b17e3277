#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veldronix::io {

// What stopped a file from being written. Whatever it is, the file or thing at
// the path is left exactly as it was.
enum class FileWriteError {
    CannotCreate,  // no new file can be made beside the target
    WriteFailed,   // the data did not all reach the disk
    CannotReplace, // the finished file cannot take the target's name
    IsDirectory,   // the path names a folder
    IsDevice,      // the path names a device (a character or block device, NUL or CON on Windows)
    IsFifo,        // the path names a FIFO (named pipe)
    IsSocket,      // the path names a socket
    NotAFile,      // the path names some other thing that is no regular file
    TooManyLinks,  // the symbolic links at the path go round in a circle or nest too deep
};

// A failed write with the system's error number (errno) behind it, 0 where the
// system gave none (a folder or device refused before anything was tried).
struct FileWriteFailure {
    FileWriteError error = FileWriteError::CannotCreate;
    int systemError = 0;

    friend bool operator==(const FileWriteFailure&, const FileWriteFailure&) = default;
};

// Writes contents to the file at path (UTF-8) as a whole or not at all: into a
// new file beside it, which then takes the target's name. A symbolic link is
// followed to the file it finally names, which is replaced in its own folder;
// a folder, device, FIFO or socket is refused. A replaced file keeps its
// permission bits, and its owner and group where the process may set them
// (other hard links to it keep the old contents). On failure the new file is
// removed and the target is as it was.
std::optional<FileWriteError> replaceFile(std::string_view path, std::string_view contents);
// The same, with the system's reason beside the error.
std::optional<FileWriteFailure> replaceFileWithReason(std::string_view path, std::string_view contents);

} // namespace veldronix::io
