// parseNumber against the C library's strtod in the C locale, restricted to the
// decimal grammar parseNumber accepts, on the text with its full-width forms
// written in ASCII: both must give the same bits.
#include "core/number_forms.h"
#include "core/number_parser.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t maxInput = 78; // a dialog field holds no more

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The length of the decimal number at the start of text (after blanks and a
// sign), found independently of the parser; 0 when there is none.
std::size_t decimalPrefix(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos])) {
        ++pos;
    }
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    std::size_t digits = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        ++pos;
        ++digits;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && isDigit(text[pos])) {
            ++pos;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exp = pos + 1;
        if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) {
            ++exp;
        }
        if (exp < text.size() && isDigit(text[exp])) {
            while (exp < text.size() && isDigit(text[exp])) {
                ++exp;
            }
            pos = exp;
        }
    }
    return pos;
}

double reference(std::string_view text)
{
    const std::size_t length = decimalPrefix(text);
    if (length == 0) {
        return 0.0;
    }
    const std::string prefix(text.substr(0, length)); // NUL-terminated copy
    return std::strtod(prefix.c_str(), nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size < maxInput ? size : maxInput);
    const double expected = reference(veldronix::asciiNumberForms(text));
    const double actual = veldronix::parseNumber(text);
    std::uint64_t expectedBits = 0;
    std::uint64_t actualBits = 0;
    std::memcpy(&expectedBits, &expected, sizeof expected);
    std::memcpy(&actualBits, &actual, sizeof actual);
    if (expectedBits != actualBits) {
        std::fprintf(stderr, "parseNumber(\"%.*s\") = %a (0x%016llx), strtod gives %a (0x%016llx)\n",
                     static_cast<int>(text.size()), text.data(), actual, static_cast<unsigned long long>(actualBits),
                     expected, static_cast<unsigned long long>(expectedBits));
        std::abort();
    }
    return 0;
}
