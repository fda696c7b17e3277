#include "report/result_field_text.h"

#include "core/utf8.h"
#include "report/text_measure.h"

namespace veldronix::report {

ResultFieldText resultFieldText(std::string_view text, double room, double fontSize, const TextWidth& width)
{
    const double whole = width(text, fontSize);
    if (whole <= room || text.empty()) {
        return {std::string(text), 1.0, false};
    }
    // Widths grow with the size, so the size that fits follows from the ratio;
    // measured again at it, since a font's widths are not quite proportional.
    for (double scale = room / whole; scale >= smallestResultScale; scale -= 0.01) {
        if (width(text, fontSize * scale) <= room) {
            return {std::string(text), scale, false};
        }
    }
    // The longest start, whole characters, that fits with the mark after it.
    const double size = fontSize * smallestResultScale;
    std::string kept;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t length = decodeUtf8(text.substr(at)).length;
        const std::string longer = kept + std::string(text.substr(at, length));
        if (width(longer + std::string(ellipsis), size) > room) {
            break;
        }
        kept = longer;
        at += length;
    }
    return {kept + std::string(ellipsis), smallestResultScale, true};
}

ResultFieldText resultFieldText(std::string_view text, double room, double fontSize)
{
    return resultFieldText(text, room, fontSize, [](std::string_view t, double size) { return textWidth(t, size); });
}

} // namespace veldronix::report
