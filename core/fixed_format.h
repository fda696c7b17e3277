#pragma once

// For the core's own sources only: its headers do not include {fmt}.
#include "core/number_format.h"

#include <fmt/format.h>

#include <algorithm>

namespace veldronix {

// A double for the texts' {fmt} sentences, whose "{:.Nf}" it fills through
// formatFixed. The sentences stay checked against their arguments when they compile.
struct Fixed {
    double value;
};

} // namespace veldronix

template <>
struct fmt::formatter<veldronix::Fixed> {
    int decimals = 3;

    // Takes exactly ".Nf" with one digit N, the only conversion the texts use.
    constexpr auto parse(format_parse_context& context) -> decltype(context.begin())
    {
        auto it = context.begin();
        const auto end = context.end();
        if (it == end || *it != '.' || ++it == end || *it < '0' || *it > '9') {
            throw format_error("a Fixed takes {:.Nf}");
        }
        decimals = *it - '0';
        if (++it == end || *it != 'f' || ++it == end || *it != '}') {
            throw format_error("a Fixed takes {:.Nf}");
        }
        return it;
    }

    template <typename Context>
    auto format(veldronix::Fixed number, Context& context) const -> decltype(context.out())
    {
        const std::string text = veldronix::formatFixed(number.value, decimals);
        return std::copy(text.begin(), text.end(), context.out());
    }
};
