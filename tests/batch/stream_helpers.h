#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace veldronix::cli::testing {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// An anonymous file holding text, positioned at its start.
inline File fileWith(std::string_view text)
{
    File file(std::tmpfile());
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

} // namespace veldronix::cli::testing
