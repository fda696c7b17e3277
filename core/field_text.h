#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace veldronix {

// A field's text is read into a buffer of 79 bytes: at most 78 bytes and the terminator.
inline constexpr std::size_t fieldTextLimit = 78;

// The longest prefix of a UTF-8 text that fits the field limit without splitting
// a character. Malformed bytes count as one character each.
std::string truncateFieldText(std::string_view text);
// The same prefix as a view into text, for a reader that only parses it.
std::string_view fieldTextPrefix(std::string_view text);

} // namespace veldronix
