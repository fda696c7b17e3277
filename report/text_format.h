#pragma once

#include <fmt/format.h>

#include <string>
#include <string_view>

namespace veldronix::report {

// A sentence of a text set with places for its figures: a {fmt} format string
// checked when the program is compiled against the texts it is filled with, so
// that a "{3}" of a sentence with three places does not build.
//   TextFormat<std::string_view, std::string_view> failure = "{0}:{1}";
//   failure(command, reason)
template <typename... Args>
class TextFormat {
public:
    template <typename S>
    consteval TextFormat(const S& text) : format_(text)
    {
    }

    std::string operator()(const Args&... args) const
    {
        return fmt::vformat(fmt::string_view(format_), fmt::make_format_args(args...));
    }

private:
    fmt::format_string<Args...> format_;
};

// The sentences with one, two, three or four texts to fill in.
using Format1 = TextFormat<std::string_view>;
using Format2 = TextFormat<std::string_view, std::string_view>;
using Format3 = TextFormat<std::string_view, std::string_view, std::string_view>;
using Format4 = TextFormat<std::string_view, std::string_view, std::string_view, std::string_view>;

} // namespace veldronix::report
