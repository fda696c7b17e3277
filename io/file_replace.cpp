#include "io/file_replace.h"

#include "core/utf8.h"
#include "io/wide_text.h"

#include <cerrno>
#include <cstring>
#include <cstdio>
#include <string>
#include <variant>

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

// Bytes of the target's name that the temporary name beside it keeps: with the
// suffix ".part-PID-N" it stays within the 255 bytes every file system allows.
constexpr std::size_t keptNameBytes = 200;
// Symbolic links followed before the chain counts as a circle, as the kernel counts.
constexpr int maxLinks = 40;

// The permission bits, owner and group of the regular file being replaced.
struct ExistingFile {
#ifndef _WIN32
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
#endif
};

// The file that will really be replaced: the end of any symbolic links, and
// what it is now if it exists.
struct Target {
    std::string path;
    std::optional<ExistingFile> existing;
};

// Where the last part of a path begins.
std::size_t nameStart(const std::string& path)
{
#ifdef _WIN32
    const std::size_t separator = path.find_last_of("/\\:");
#else
    const std::size_t separator = path.rfind('/');
#endif
    return separator == std::string::npos ? 0 : separator + 1;
}

// A name beside the target for the new file: the target's name, cut at a
// character boundary when it is long, and a suffix unique to this process and attempt.
std::string temporaryPath(const std::string& target, int processNumber, int attempt)
{
    const std::size_t start = nameStart(target);
    const std::string_view name = std::string_view(target).substr(start);
    std::size_t kept = name.size();
    if (kept > keptNameBytes) {
        // Whole characters only, so that the name stays UTF-8 where it was.
        kept = 0;
        while (kept < keptNameBytes) {
            const std::size_t length = decodeUtf8(name.substr(kept)).length;
            if (kept + length > keptNameBytes) {
                break;
            }
            kept += length;
        }
    }
    return target.substr(0, start + kept) + ".part-" + std::to_string(processNumber) + "-" + std::to_string(attempt);
}

#ifdef _WIN32
// Closes a handle when it goes.
class HandleCloser {
public:
    explicit HandleCloser(HANDLE handle) : handle_(handle) {}
    ~HandleCloser() { CloseHandle(handle_); }
    HandleCloser(const HandleCloser&) = delete;
    HandleCloser& operator=(const HandleCloser&) = delete;

private:
    HANDLE handle_;
};

// The path a handle finally names, without the "\\?\" prefix; none where
// Windows cannot tell (GetFinalPathNameByHandleW came with Windows Vista).
std::optional<std::string> finalPath(HANDLE file)
{
    using Function = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const FARPROC found = kernel ? GetProcAddress(kernel, "GetFinalPathNameByHandleW") : nullptr;
    if (!found) {
        return std::nullopt;
    }
    const auto function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
    std::wstring path(MAX_PATH, L'\0');
    for (int tries = 0; tries < 3; ++tries) {
        const DWORD length = function(file, path.data(), static_cast<DWORD>(path.size()), 0);
        if (length == 0) {
            return std::nullopt;
        }
        if (length < path.size()) {
            path.resize(length);
            if (path.starts_with(L"\\\\?\\UNC\\")) {
                return toUtf8(L"\\\\" + path.substr(8));
            }
            return toUtf8(path.starts_with(L"\\\\?\\") ? std::wstring_view(path).substr(4) : std::wstring_view(path));
        }
        path.assign(length, L'\0');
    }
    return std::nullopt;
}

std::variant<Target, FileWriteError> examine(const std::string& path)
{
    const auto wide = widePath(path);
    if (!wide) {
        return FileWriteError::CannotCreate;
    }
    // Opened for no access at all, following links: only to learn what is there.
    const HANDLE file = CreateFileW(wide->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return Target{path, std::nullopt}; // nothing there: making the new file tells what is wrong, if anything
    }
    const HandleCloser closer{file};
    switch (GetFileType(file)) {
    case FILE_TYPE_DISK:
        break;
    case FILE_TYPE_CHAR:
        return FileWriteError::IsDevice;
    case FILE_TYPE_PIPE:
        return FileWriteError::IsFifo;
    default:
        return FileWriteError::NotAFile;
    }
    BY_HANDLE_FILE_INFORMATION information;
    if (GetFileInformationByHandle(file, &information) &&
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return FileWriteError::IsDirectory;
    }
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        if (auto followed = finalPath(file)) {
            return Target{std::move(*followed), ExistingFile{}};
        }
    }
    return Target{path, ExistingFile{}};
}

int createNew(const std::string& path, const std::optional<ExistingFile>&)
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

void syncFolderOf(const std::string&) {}
#else
// The text of a symbolic link; none when it cannot be read.
std::optional<std::string> linkText(const std::string& path)
{
    std::string text(256, '\0');
    for (;;) {
        const ssize_t length = readlink(path.c_str(), text.data(), text.size());
        if (length < 0) {
            return std::nullopt;
        }
        if (static_cast<std::size_t>(length) < text.size()) {
            text.resize(static_cast<std::size_t>(length));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

std::variant<Target, FileWriteError> examine(const std::string& path)
{
    std::string current = path;
    for (int links = 0; links <= maxLinks; ++links) {
        struct stat status;
        if (lstat(current.c_str(), &status) != 0) {
            return Target{current, std::nullopt}; // nothing there: making the new file tells what is wrong, if anything
        }
        if (S_ISLNK(status.st_mode)) {
            const auto text = linkText(current);
            if (!text) {
                return FileWriteError::CannotReplace;
            }
            // A relative link names a path from the link's own folder.
            current = text->starts_with('/') ? *text : current.substr(0, nameStart(current)) + *text;
            continue;
        }
        if (S_ISDIR(status.st_mode)) {
            return FileWriteError::IsDirectory;
        }
        if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) {
            return FileWriteError::IsDevice;
        }
        if (S_ISFIFO(status.st_mode)) {
            return FileWriteError::IsFifo;
        }
        if (S_ISSOCK(status.st_mode)) {
            return FileWriteError::IsSocket;
        }
        if (!S_ISREG(status.st_mode)) {
            return FileWriteError::NotAFile;
        }
        return Target{current, ExistingFile{static_cast<mode_t>(status.st_mode & 07777), status.st_uid, status.st_gid}};
    }
    return FileWriteError::TooManyLinks;
}

// A new file that no one else can read until it has the old file's owner, group and permissions.
int createNew(const std::string& path, const std::optional<ExistingFile>& existing)
{
    int fd = -1;
    do {
        fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, existing ? 0600 : 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0 || !existing) {
        return fd;
    }
    // Owner first: changing it clears the set-user-ID and set-group-ID bits that
    // the mode then puts back. Only the superuser may give a file away; anyone
    // may give it one of their own groups.
    if (fchown(fd, existing->owner, existing->group) != 0) {
        [[maybe_unused]] const int ignored = fchown(fd, static_cast<uid_t>(-1), existing->group);
    }
    if (fchmod(fd, existing->mode) != 0) {
        const int error = errno;
        close(fd);
        unlink(path.c_str());
        errno = error;
        return -1;
    }
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

// The new name on the disk too; a folder that cannot be synchronised still has it.
void syncFolderOf(const std::string& path)
{
    const std::size_t start = nameStart(path);
    const std::string folder = start == 0 ? "." : path.substr(0, start);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}
#endif

} // namespace

std::optional<FileWriteError> replaceFile(std::string_view path, std::string_view contents)
{
    if (const auto failure = replaceFileWithReason(path, contents)) {
        return failure->error;
    }
    return std::nullopt;
}

std::optional<FileWriteFailure> replaceFileWithReason(std::string_view path, std::string_view contents)
{
    if (path.empty() || path.find('\0') != std::string_view::npos) {
        return FileWriteFailure{FileWriteError::CannotCreate, 0};
    }
    auto examined = examine(std::string(path));
    if (const auto* refused = std::get_if<FileWriteError>(&examined)) {
        return FileWriteFailure{*refused, 0};
    }
    const Target& target = std::get<Target>(examined);
    // Beside the target, so that the rename stays within one file system; a
    // name taken by another file (or another run) is skipped, never overwritten.
    std::string temporary;
    int fd = -1;
    // Each failing step leaves its reason in errno; read before anything else can change it.
    errno = 0;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = temporaryPath(target.path, processNumber(), attempt);
        fd = createNew(temporary, target.existing);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return FileWriteFailure{FileWriteError::CannotCreate, errno};
    }
    errno = 0;
    const bool written = writeAll(fd, contents);
    const int writeError = errno;
    const bool closed = closeFile(fd);
    if (!written || !closed) {
        const int error = !written ? writeError : errno;
        removeFile(temporary);
        return FileWriteFailure{FileWriteError::WriteFailed, error};
    }
    errno = 0; // the Windows move tells its reason elsewhere: none is given then
    if (!moveInPlace(temporary, target.path)) {
        const int error = errno;
        removeFile(temporary);
        return FileWriteFailure{FileWriteError::CannotReplace, error};
    }
    syncFolderOf(target.path);
    return std::nullopt;
}

} // namespace veldronix::io
