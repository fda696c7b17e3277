#pragma once

#include <string>
#include <string_view>

namespace veldronix::win32 {

// UTF-8, as the core speaks it, to the UTF-16 of the wide Windows API.
// Malformed bytes become U+FFFD.
std::wstring toWide(std::string_view utf8);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string toUtf8(std::wstring_view wide);

} // namespace veldronix::win32
