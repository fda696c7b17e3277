#include "io/file_replace.h"

#include "io/wide_text.h"

#include <cerrno>
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace veldronix::io {
namespace {

#ifdef _WIN32
int createNew(const std::string& path)
{
    const auto wide = widePath(path);
    if (!wide) {
        errno = EINVAL;
        return -1;
    }
    return _wopen(wide->c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}

int processNumber()
{
    return _getpid();
}

bool writeAll(int fd, std::string_view contents)
{
    while (!contents.empty()) {
        const unsigned chunk = contents.size() > 1u << 20 ? 1u << 20 : static_cast<unsigned>(contents.size());
        const int written = _write(fd, contents.data(), chunk);
        if (written <= 0) {
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return _commit(fd) == 0;
}

bool closeFile(int fd)
{
    return _close(fd) == 0;
}

void removeFile(const std::string& path)
{
    if (const auto wide = widePath(path)) {
        _wunlink(wide->c_str());
    }
}

bool moveInPlace(const std::string& from, const std::string& to)
{
    const auto wideFrom = widePath(from);
    const auto wideTo = widePath(to);
    return wideFrom && wideTo &&
           MoveFileExW(wideFrom->c_str(), wideTo->c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
#else
int createNew(const std::string& path)
{
    int fd = -1;
    do {
        fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int processNumber()
{
    return static_cast<int>(getpid());
}

bool writeAll(int fd, std::string_view contents)
{
    while (!contents.empty()) {
        const ssize_t written = write(fd, contents.data(), contents.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    // On the disk before it takes the target's name, so that a crash leaves the old file or the whole new one.
    return fsync(fd) == 0;
}

bool closeFile(int fd)
{
    return close(fd) == 0;
}

void removeFile(const std::string& path)
{
    unlink(path.c_str());
}

bool moveInPlace(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}
#endif

} // namespace

std::optional<FileWriteError> replaceFile(std::string_view path, std::string_view contents)
{
    const std::string target(path);
    if (target.empty() || target.find('\0') != std::string::npos) {
        return FileWriteError::CannotCreate;
    }
    // Beside the target, so that the rename stays within one file system; a
    // name taken by another file (or another run) is skipped, never overwritten.
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = target + ".part-" + std::to_string(processNumber()) + "-" + std::to_string(attempt);
        fd = createNew(temporary);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return FileWriteError::CannotCreate;
    }
    const bool written = writeAll(fd, contents);
    const bool closed = closeFile(fd);
    if (!written || !closed) {
        removeFile(temporary);
        return FileWriteError::WriteFailed;
    }
    if (!moveInPlace(temporary, target)) {
        removeFile(temporary);
        return FileWriteError::CannotReplace;
    }
    return std::nullopt;
}

} // namespace veldronix::io
