#pragma once

#include "io/file_replace.h"

#include <string>
#include <string_view>

namespace veldronix::report {

// Why a file was not written, one sentence per io::FileWriteError, without the
// path; in every case the file or thing at the path is as it was.
struct FileWriteTexts {
    std::string_view cannotCreate;
    std::string_view writeFailed;
    std::string_view cannotReplace;
    std::string_view isFolder;
    std::string_view isDevice;
    std::string_view isFifo;
    std::string_view isSocket;
    std::string_view notAFile;
    std::string_view tooManyLinks;
    std::string_view otherwise; // an error of no kind above
};

std::string_view fileWriteReason(io::FileWriteError error, const FileWriteTexts& texts);

// The error's sentence followed by the system's reason where it gave one: "cannot
// create a file in its folder: No such file or directory".
std::string fileWriteReason(const io::FileWriteFailure& failure, const FileWriteTexts& texts);

} // namespace veldronix::report
