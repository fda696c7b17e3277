#pragma once

#include <array>
#include <cstddef>

namespace veldronix {

// One item per row of a table whose rows an enum numbers (the registers, the
// input fields): the sets that hold a value per row grow with the table, never
// by a member of their own.
template <typename Row, typename Item, std::size_t count>
struct ByRow {
    std::array<Item, count> items{};

    constexpr Item& operator[](Row row) { return items[static_cast<std::size_t>(row)]; }
    constexpr const Item& operator[](Row row) const { return items[static_cast<std::size_t>(row)]; }

    friend bool operator==(const ByRow&, const ByRow&) = default;
};

} // namespace veldronix
