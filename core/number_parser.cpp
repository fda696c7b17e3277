#include "core/number_parser.h"

#include "core/number_forms.h"

#include <system_error>

#include <fast_float/fast_float.h>

namespace veldronix {
namespace {

constexpr bool isBlank(char c)
{
    // The C locale's white space; no locale is consulted.
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const char* skipDigits(const char* at, const char* end)
{
    while (at != end && *at >= '0' && *at <= '9') {
        ++at;
    }
    return at;
}

NumberPrefix parseAsciiNumber(std::string_view text);

} // namespace

double parseNumber(std::string_view text)
{
    return parseNumberPrefix(text).value;
}

NumberPrefix parseNumberPrefix(std::string_view text)
{
    if (!hasWideNumberForms(text)) {
        return parseAsciiNumber(text);
    }
    // Read in the ASCII forms; the length counts the bytes as typed.
    NumberPrefix number = parseAsciiNumber(asciiNumberForms(text));
    number.length = typedLength(text, number.length);
    number.wideForms = hasWideNumberForms(text.substr(0, number.length));
    return number;
}

namespace {

NumberPrefix parseAsciiNumber(std::string_view text)
{
    // The grammar is atof's, read here: fast_float's own differs from it (no
    // plus sign, but inf and nan), so it is handed only the unsigned decimal
    // number found, and it converts that exactly.
    const char* at = text.data();
    const char* const end = at + text.size();
    while (at != end && isBlank(*at)) {
        ++at;
    }
    bool negative = false;
    if (at != end && (*at == '+' || *at == '-')) {
        negative = *at == '-';
        ++at;
    }
    const char* const first = at;
    at = skipDigits(at, end);
    bool anyDigit = at != first;
    if (at != end && *at == '.') {
        const char* const fraction = at + 1;
        at = skipDigits(fraction, end);
        anyDigit = anyDigit || at != fraction;
    }
    if (!anyDigit) {
        return {}; // no number: a lone sign or point, a word, an empty text
    }
    // The exponent counts only when at least one digit follows e and its sign.
    if (at != end && (*at == 'e' || *at == 'E')) {
        const char* exponent = at + 1;
        if (exponent != end && (*exponent == '+' || *exponent == '-')) {
            ++exponent;
        }
        if (const char* const exponentEnd = skipDigits(exponent, end); exponentEnd != exponent) {
            at = exponentEnd;
        }
    }

    // An overflow gives infinity and an underflow the correctly rounded value,
    // zero or subnormal; newer fast_float versions also report them as out of range.
    double value = 0.0;
    const auto result = fast_float::from_chars(first, at, value, fast_float::chars_format::general);
    if (result.ec != std::errc{} && result.ec != std::errc::result_out_of_range) {
        return {}; // cannot happen: the span is a decimal number by construction
    }
    return {negative ? -value : value, static_cast<std::size_t>(at - text.data())};
}

} // namespace

} // namespace veldronix
