#pragma once

#include <string_view>

// Hand-made matchers for the shapes of the output texts (no regex in the fuzz loop).
namespace veldronix::fuzz {

// "-?[0-9]+", then "." and exactly `decimals` digits when decimals > 0; or "inf",
// "-inf", "nan"; then one blank when withMargin.
bool isNumberText(std::string_view text, int decimals, bool withMargin);

} // namespace veldronix::fuzz
