#include "fuzz/text_shape.h"

#include <cstddef>

namespace veldronix::fuzz {

bool isNumberText(std::string_view text, int decimals, bool withMargin)
{
    if (withMargin) {
        if (!text.ends_with(' ')) {
            return false;
        }
        text.remove_suffix(1);
    }
    if (text == "inf" || text == "-inf" || text == "nan") {
        return true;
    }
    std::size_t pos = 0;
    if (pos < text.size() && text[pos] == '-') {
        ++pos;
    }
    const std::size_t integerBegin = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        ++pos;
    }
    if (pos == integerBegin) {
        return false;
    }
    if (decimals > 0) {
        if (pos >= text.size() || text[pos] != '.') {
            return false;
        }
        ++pos;
        for (int i = 0; i < decimals; ++i, ++pos) {
            if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') {
                return false;
            }
        }
    }
    return pos == text.size();
}

} // namespace veldronix::fuzz
