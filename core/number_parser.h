#pragma once

#include <cstddef>
#include <string_view>

namespace veldronix {

// The decimal number at the start of a text, read as the C library's atof reads
// it in the C locale: leading white space, an optional sign, digits with an
// optional point and fraction, an optional exponent; the rest is ignored. A text
// that does not begin with a number gives 0.0; inf, nan and hexadecimal forms
// are not numbers. The full-width forms of core/number_forms.h are read as their
// ASCII characters first (１００ is 100). The value is the correctly rounded double; an exponent
// overflow gives plus or minus infinity. Independent of the process locale.
double parseNumber(std::string_view text);

// The number at the start of a text as parseNumber reads it, and where it ends.
struct NumberPrefix {
    double value = 0.0;
    std::size_t length = 0; // bytes from the text's start to the number's end; 0 when there is no number
    bool wideForms = false; // a full-width form before the number's end was read as its ASCII form
};
NumberPrefix parseNumberPrefix(std::string_view text);

} // namespace veldronix
