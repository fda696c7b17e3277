#include "core/field_text.h"

namespace veldronix {
namespace {

// Length of the UTF-8 sequence that starts with this byte; 1 for a stray byte.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead <= 0xEF ? 3 : 1;
    }
    if (lead >= 0xC2) {
        return 2;
    }
    return 1;
}

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::string truncateFieldText(std::string_view text)
{
    return std::string(fieldTextPrefix(text));
}

std::string_view fieldTextPrefix(std::string_view text)
{
    if (text.size() <= fieldTextLimit) {
        return text;
    }
    std::size_t kept = 0;
    while (kept < fieldTextLimit) {
        std::size_t length = sequenceLength(static_cast<unsigned char>(text[kept]));
        // A sequence cut short by a byte that does not continue it is a stray byte.
        for (std::size_t i = 1; i < length; ++i) {
            if (kept + i >= text.size() || !isContinuation(static_cast<unsigned char>(text[kept + i]))) {
                length = 1;
                break;
            }
        }
        if (kept + length > fieldTextLimit) {
            break;
        }
        kept += length;
    }
    return text.substr(0, kept);
}

} // namespace veldronix
