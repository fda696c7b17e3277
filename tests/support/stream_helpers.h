// Anonymous files standing in for the streams a reader reads and a writer writes.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace veldronix::testing_support {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// A new empty anonymous file; a test cannot go on without one.
inline File emptyFile()
{
    File file(std::tmpfile());
    if (!file) {
        std::fputs("cannot make an anonymous temporary file\n", stderr);
        std::abort();
    }
    return file;
}

// An anonymous file holding text, positioned at its start.
inline File fileWith(std::string_view text)
{
    File file = emptyFile();
    std::fwrite(text.data(), 1, text.size(), file.get());
    std::rewind(file.get());
    return file;
}

// Everything written to file so far.
inline std::string contentsOf(std::FILE* file)
{
    std::fflush(file);
    std::rewind(file);
    std::string out;
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        out.append(chunk, n);
    }
    return out;
}

} // namespace veldronix::testing_support
