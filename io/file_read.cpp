#include "io/file_read.h"

#include "io/wide_text.h"

#include <array>
#include <cerrno>
#include <memory>

namespace veldronix::io {

std::FILE* openForReading(std::string_view path)
{
#ifdef _WIN32
    const auto wide = widePath(path);
    if (!wide) {
        errno = EINVAL; // no file has a name that is not UTF-8
        return nullptr;
    }
    return _wfopen(wide->c_str(), L"rb");
#else
    return std::fopen(std::string(path).c_str(), "rb");
#endif
}

std::variant<std::string, FileReadFailure> readWholeFile(std::string_view path, std::size_t limit)
{
    errno = 0;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(openForReading(path), &std::fclose);
    if (!file) {
        return FileReadFailure{errno != 0 ? errno : EIO};
    }
    std::string contents;
    std::array<char, 65536> buffer;
    // Read in pieces, never trusting a size the file claims: a device or a
    // pipe has none, and /dev/zero never ends.
    while (true) {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file.get());
        if (contents.size() + got > limit) {
            return FileReadFailure{0, true};
        }
        contents.append(buffer.data(), got);
        if (got < buffer.size()) {
            break;
        }
    }
    if (std::ferror(file.get()) != 0) {
        return FileReadFailure{errno != 0 ? errno : EIO};
    }
    return contents;
}

} // namespace veldronix::io
