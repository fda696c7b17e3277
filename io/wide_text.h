#pragma once

// Windows only: the wide (UTF-16) API's texts, converted in one place for the
// dialog, the command line and the file names.
#ifdef _WIN32

#include <optional>
#include <string>
#include <string_view>

namespace veldronix::io {

// UTF-8, as the core speaks it, to UTF-16. Malformed bytes become U+FFFD.
std::wstring toWide(std::string_view utf8);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string toUtf8(std::wstring_view wide);

// A file name in UTF-8 as the wide API takes it; none for malformed UTF-8 or an
// embedded NUL, which would name another file than the one given.
std::optional<std::wstring> widePath(std::string_view utf8);

} // namespace veldronix::io

#endif
