#pragma once

#include <string>
#include <string_view>

// Strict checkers for the texts pulsecalc writes, hand-made so that the fuzz
// loop needs no library: each returns "" for a sound text, else what is wrong
// and where.
namespace veldronix::fuzz {

// UTF-8 as RFC 3629 has it: no overlong forms, no surrogates, nothing above U+10FFFF.
std::string utf8Problem(std::string_view text);

// One JSON value (RFC 8259) with optional white space around it, in valid UTF-8;
// numbers by the JSON grammar (so no "inf", "nan", "+1", "01" or "1.").
std::string jsonProblem(std::string_view text);

// An XML document as the SVG writer makes it: an optional declaration, then one
// root element; tags balanced and properly nested, attribute values quoted, every
// '&' the start of a known entity or a character reference, no '<' in data, no
// character XML forbids, valid UTF-8; and no attribute value holding "nan" or
// "inf", which no SVG reader takes as a number.
std::string svgProblem(std::string_view text);

} // namespace veldronix::fuzz
