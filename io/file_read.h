#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <variant>

namespace veldronix::io {

// Opens a file named in UTF-8, as every path the program is given is, for
// reading bytes; null with errno set when it cannot.
std::FILE* openForReading(std::string_view path);

// Why a whole file could not be read.
struct FileReadFailure {
    int error = 0;         // the system's error number; 0 when the file is only too large
    bool tooLarge = false; // longer than the limit
};

// The whole file at path, if it holds at most limit bytes.
std::variant<std::string, FileReadFailure> readWholeFile(std::string_view path, std::size_t limit);

} // namespace veldronix::io
