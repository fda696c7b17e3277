#pragma once

#include <string>
#include <string_view>

namespace veldronix::cli {

// A JSON string literal of a UTF-8 text: quotes, backslashes and control
// characters escaped, every other byte kept as it is.
std::string jsonString(std::string_view text);

} // namespace veldronix::cli
