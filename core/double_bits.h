#pragma once

#include <cstdint>
#include <cstring>

namespace veldronix {

// The IEEE 754 bits of a double. Through memcpy rather than std::bit_cast,
// which the web build's library (emscripten 3.1.6) does not have.
inline std::uint64_t doubleBits(double x)
{
    static_assert(sizeof(double) == sizeof(std::uint64_t));
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

} // namespace veldronix
