// The fuzzers' checkers must reject what is wrong, or a fuzzer passes anything:
// each bad text here is a fault the front end could make.
#include "fuzz/markup_check.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using veldronix::fuzz::jsonProblem;
using veldronix::fuzz::svgProblem;
using veldronix::fuzz::utf8Problem;

struct TextCase {
    std::string_view text;
    std::string_view problem; // "" for a sound text, else the start of the checker's words
};

const TextCase jsonCases[] = {
    {R"({"a":1,"b":[true,false,null],"c":{"d":"x\n\u00e9"}})", ""},
    {"{\"s\":\"初速度\"}\n", ""},
    {R"({"n":-0.000,"m":1e-7,"k":123456789012345678901234567890.5})", ""},
    {R"([])", ""},
    {R"({"K":inf})", "no value"},
    {R"({"K":nan})", "a bad literal"},
    {R"({"K":-inf})", "no value"},
    {R"({"x":+1})", "no value"},
    {R"({"x":01})", "a number running into letters"},
    {R"({"x":1.})", "a number without digits after its point"},
    {R"({"x":1e})", "a number without exponent digits"},
    {R"({"x":1,})", "an object member without a string name"},
    {R"({"x":1}{"y":2})", "text after the JSON value"},
    {R"({"x":"a\qb"})", "a bad escape"},
    {R"({"x":"\u12g4"})", "a bad \\u escape"},
    {"{\"x\":\"a\tb\"}", "a control character in a string"},
    {"{\"x\":\"\xff\"}", "a string that is not UTF-8"},
    {"{\"x\":\"\xc0\xaf\"}", "a string that is not UTF-8"}, // overlong '/'
    {R"({"x":"open)", "a string without its closing quote"},
    {R"({"x" 1})", "no ':' after a member name"},
    {"", "the text ends where a value belongs"},
};

const TextCase svgCases[] = {
    {"<?xml version=\"1.0\"?>\n<svg a=\"1\"><g><text x=\"1.5\">a &amp; b &#x2192; &#8594;</text></g><rect/></svg>\n",
     ""},
    {"<svg><title>初速度 &lt;&gt;</title></svg>", ""},
    {"<svg><text>a & b</text></svg>", "a raw '&' in data"},
    {"<svg><text>&nbsp;</text></svg>", "a raw '&' in data"},
    {"<svg><text a=\"x<y\">t</text></svg>", "a raw '<' in data"},
    {"<svg><text>t</svg>", "a closing tag that closes no open element"},
    {"<svg><text>t</text>", "element <svg> is never closed"},
    {"<svg></svg><svg></svg>", "a second root element"},
    {"<svg x=1></svg>", "an attribute without a quoted value"},
    {"<svg x=\"1\"y=\"2\"></svg>", "a malformed attribute"},
    {"<svg><rect x=\"nan\"/></svg>", "an attribute value that is no number"},
    {"<svg><path d=\"M0,0 L-inf,3\"/></svg>", "an attribute value that is no number"},
    {"<svg><text>\xed\xa0\x80</text></svg>", "data that is not UTF-8"}, // a surrogate
    {"<svg><text>\x01</text></svg>", "a character XML forbids"},
    {"<svg><text>\xef\xbf\xbf</text></svg>", "a character XML forbids"}, // U+FFFF
    {"text<svg></svg>", "text outside the root element"},
    {"<?xml version=\"1.0\"", "an XML declaration without its end"},
    {"", "no root element"},
};

const TextCase utf8Cases[] = {
    {"ascii, 倍率, \xf0\x9f\x98\x80", ""},
    {"\xf4\x90\x80\x80", "not UTF-8"}, // above U+10FFFF
    {"\xe3\x81", "not UTF-8"},         // cut short
    {"\x80", "not UTF-8"},
};

void expectVerdict(const TextCase& c, const std::string& problem)
{
    if (c.problem.empty()) {
        EXPECT_EQ(problem, "") << c.text;
    } else {
        EXPECT_TRUE(problem.starts_with(c.problem)) << c.text << "\n  got: " << problem;
    }
}

TEST(MarkupCheck, jsonTakesJsonAndNothingElse)
{
    for (const TextCase& c : jsonCases) {
        expectVerdict(c, jsonProblem(c.text));
    }
}

TEST(MarkupCheck, svgTakesWellFormedPlotsAndNothingElse)
{
    for (const TextCase& c : svgCases) {
        expectVerdict(c, svgProblem(c.text));
    }
}

TEST(MarkupCheck, utf8IsStrict)
{
    for (const TextCase& c : utf8Cases) {
        expectVerdict(c, utf8Problem(c.text));
    }
}

TEST(MarkupCheck, nestingDepthIsBounded)
{
    // A checker that recursed without end would itself crash the fuzzer.
    EXPECT_EQ(jsonProblem(std::string(60, '[') + std::string(60, ']')), "");
    EXPECT_TRUE(jsonProblem(std::string(100000, '[')).starts_with("nesting too deep"));
}

} // namespace
