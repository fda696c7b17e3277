#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace veldronix {

// The full-width forms a Japanese input method types for a number's characters,
// read as their ASCII forms: the digits ０ to ９, the full stop ．, the signs ＋
// and － (and the minus sign U+2212), and the ideographic space as a blank. Every
// other byte stays as it is; a number's exponent is written in ASCII only.

// text with each of those forms replaced by its ASCII character.
std::string asciiNumberForms(std::string_view text);

// Whether text holds any of those forms.
bool hasWideNumberForms(std::string_view text);

// The bytes of text that its first asciiLength bytes in asciiNumberForms(text)
// stand for: a replaced form counts as all of its bytes.
std::size_t typedLength(std::string_view text, std::size_t asciiLength);

} // namespace veldronix
