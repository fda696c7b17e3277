#include "core/field_text.h"

#include "core/utf8.h"

namespace veldronix {

std::string truncateFieldText(std::string_view text)
{
    return std::string(fieldTextPrefix(text));
}

std::string_view fieldTextPrefix(std::string_view text)
{
    if (text.size() <= fieldTextLimit) {
        return text;
    }
    // Whole characters only; a malformed byte is a character of its own.
    std::size_t kept = 0;
    while (kept < fieldTextLimit) {
        const std::size_t length = decodeUtf8(text.substr(kept)).length;
        if (kept + length > fieldTextLimit) {
            break;
        }
        kept += length;
    }
    return text.substr(0, kept);
}

} // namespace veldronix
