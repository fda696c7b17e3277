#include "core/number_forms.h"

#include <array>
#include <optional>

namespace veldronix {
namespace {

struct WideForm {
    std::string_view utf8;
    char ascii;
};

constexpr std::array<WideForm, 15> wideForms{{
    {"\xEF\xBC\x90", '0'}, {"\xEF\xBC\x91", '1'}, {"\xEF\xBC\x92", '2'}, {"\xEF\xBC\x93", '3'},
    {"\xEF\xBC\x94", '4'}, {"\xEF\xBC\x95", '5'}, {"\xEF\xBC\x96", '6'}, {"\xEF\xBC\x97", '7'},
    {"\xEF\xBC\x98", '8'}, {"\xEF\xBC\x99", '9'}, {"\xEF\xBC\x8E", '.'}, {"\xEF\xBC\x8B", '+'},
    {"\xEF\xBC\x8D", '-'}, {"\xE2\x88\x92", '-'}, {"\xE3\x80\x80", ' '},
}};

// Every form is three bytes long.
constexpr std::size_t formLength = 3;

std::optional<char> wideFormAt(std::string_view text, std::size_t at)
{
    // Each form begins with a byte of 0xE2 or above; ASCII text is passed over at once.
    if (static_cast<unsigned char>(text[at]) < 0xE2 || text.size() - at < formLength) {
        return std::nullopt;
    }
    const std::string_view candidate = text.substr(at, formLength);
    for (const WideForm& form : wideForms) {
        if (candidate == form.utf8) {
            return form.ascii;
        }
    }
    return std::nullopt;
}

} // namespace

std::string asciiNumberForms(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        if (const auto ascii = wideFormAt(text, at)) {
            out += *ascii;
            at += formLength;
        } else {
            out += text[at];
            ++at;
        }
    }
    return out;
}

bool hasWideNumberForms(std::string_view text)
{
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (wideFormAt(text, at)) {
            return true;
        }
    }
    return false;
}

std::size_t typedLength(std::string_view text, std::size_t asciiLength)
{
    std::size_t at = 0;
    for (std::size_t read = 0; read < asciiLength && at < text.size(); ++read) {
        at += wideFormAt(text, at) ? formLength : 1;
    }
    return at;
}

} // namespace veldronix
