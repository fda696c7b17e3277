#pragma once

#include <string>
#include <string_view>

namespace veldronix::report {

// How much room a text takes when drawn, estimated without a font: the plot's
// scene lays its texts out with these figures, so that every front end (with
// whatever font it has) draws them where they fit. The estimate errs wide: a
// Latin letter or a sign counts 0.6 of the font size, a digit or capital 0.66,
// a kana, kanji or full-width form 1.0.

// The width of text drawn at size px, in px. A byte that is not UTF-8 counts
// as the U+FFFD drawn for it.
double textWidth(std::string_view text, double size);

// How far a text's glyphs reach above and below its baseline, as parts of its size.
inline constexpr double textAscent = 0.92;
inline constexpr double textDescent = 0.26;

// The mark that ends a shortened text.
inline constexpr std::string_view ellipsis = "\u2026";

// text as it stands where it takes no more than maxWidth px at size px;
// otherwise its longest start (whole characters) that fits with the ellipsis
// after it; "" where not even the ellipsis fits.
std::string elideText(std::string_view text, double size, double maxWidth);

} // namespace veldronix::report
