#pragma once

#include "core/design/big_integer.h"

#include <span>

namespace veldronix::design {

// coefficient x the square root of radicand (radicand >= 0).
struct RadicalTerm {
    BigInteger coefficient;
    BigInteger radicand;
};

// The exact sign (-1, 0 or 1) of rational + the sum of the terms, at most four
// of them: the move times of the S-curves are sums of square roots, and two
// designs that end at the same instant must compare equal, not by a rounding.
int signOfRadicalSum(const BigInteger& rational, std::span<const RadicalTerm> terms);

} // namespace veldronix::design
