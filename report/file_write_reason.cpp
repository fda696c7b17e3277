#include "report/file_write_reason.h"

#include <cstring>

namespace veldronix::report {

std::string_view fileWriteReason(io::FileWriteError error, const FileWriteTexts& texts)
{
    switch (error) {
    case io::FileWriteError::CannotCreate:
        return texts.cannotCreate;
    case io::FileWriteError::WriteFailed:
        return texts.writeFailed;
    case io::FileWriteError::CannotReplace:
        return texts.cannotReplace;
    case io::FileWriteError::IsDirectory:
        return texts.isFolder;
    case io::FileWriteError::IsDevice:
        return texts.isDevice;
    case io::FileWriteError::IsFifo:
        return texts.isFifo;
    case io::FileWriteError::IsSocket:
        return texts.isSocket;
    case io::FileWriteError::NotAFile:
        return texts.notAFile;
    case io::FileWriteError::TooManyLinks:
        return texts.tooManyLinks;
    }
    return texts.otherwise;
}

std::string fileWriteReason(const io::FileWriteFailure& failure, const FileWriteTexts& texts)
{
    std::string text(fileWriteReason(failure.error, texts));
    if (failure.systemError != 0) {
        text += ": ";
        text += std::strerror(failure.systemError);
    }
    return text;
}

} // namespace veldronix::report
