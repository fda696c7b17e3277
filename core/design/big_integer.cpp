#include "core/design/big_integer.h"

#include <algorithm>
#include <cmath>

namespace veldronix::design {

BigInteger::BigInteger(std::int64_t value)
{
    negative_ = value < 0;
    // Through the unsigned type: the magnitude of the most negative value has no signed form.
    std::uint64_t magnitude = negative_ ? 0u - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    while (magnitude != 0) {
        magnitude_.push_back(static_cast<std::uint32_t>(magnitude));
        magnitude >>= 32;
    }
}

BigInteger BigInteger::fromUnsigned(std::uint64_t value)
{
    BigInteger result;
    while (value != 0) {
        result.magnitude_.push_back(static_cast<std::uint32_t>(value));
        value >>= 32;
    }
    return result;
}

void BigInteger::trim()
{
    while (!magnitude_.empty() && magnitude_.back() == 0) {
        magnitude_.pop_back();
    }
    if (magnitude_.empty()) {
        negative_ = false;
    }
}

int BigInteger::compareMagnitudes(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b)
{
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    for (std::size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i]) {
            return a[i] < b[i] ? -1 : 1;
        }
    }
    return 0;
}

std::vector<std::uint32_t> BigInteger::addMagnitudes(const std::vector<std::uint32_t>& a,
                                                     const std::vector<std::uint32_t>& b)
{
    std::vector<std::uint32_t> sum(std::max(a.size(), b.size()) + 1, 0);
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < sum.size(); ++i) {
        const std::uint64_t total = carry + (i < a.size() ? a[i] : 0u) + (i < b.size() ? b[i] : 0u);
        sum[i] = static_cast<std::uint32_t>(total);
        carry = total >> 32;
    }
    return sum;
}

std::vector<std::uint32_t> BigInteger::subtractMagnitudes(const std::vector<std::uint32_t>& a,
                                                          const std::vector<std::uint32_t>& b)
{
    std::vector<std::uint32_t> difference(a.size(), 0);
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::int64_t part = static_cast<std::int64_t>(a[i]) - (i < b.size() ? b[i] : 0u) - borrow;
        borrow = part < 0 ? 1 : 0;
        difference[i] = static_cast<std::uint32_t>(part + (borrow << 32));
    }
    return difference;
}

BigInteger BigInteger::operator-() const
{
    BigInteger result = *this;
    result.negative_ = !result.magnitude_.empty() && !negative_;
    return result;
}

BigInteger operator+(const BigInteger& a, const BigInteger& b)
{
    BigInteger result;
    if (a.negative_ == b.negative_) {
        result.magnitude_ = BigInteger::addMagnitudes(a.magnitude_, b.magnitude_);
        result.negative_ = a.negative_;
    } else if (BigInteger::compareMagnitudes(a.magnitude_, b.magnitude_) >= 0) {
        result.magnitude_ = BigInteger::subtractMagnitudes(a.magnitude_, b.magnitude_);
        result.negative_ = a.negative_;
    } else {
        result.magnitude_ = BigInteger::subtractMagnitudes(b.magnitude_, a.magnitude_);
        result.negative_ = b.negative_;
    }
    result.trim();
    return result;
}

BigInteger operator-(const BigInteger& a, const BigInteger& b)
{
    return a + (-b);
}

BigInteger operator*(const BigInteger& a, const BigInteger& b)
{
    BigInteger result;
    if (a.magnitude_.empty() || b.magnitude_.empty()) {
        return result;
    }
    result.magnitude_.assign(a.magnitude_.size() + b.magnitude_.size(), 0);
    for (std::size_t i = 0; i < a.magnitude_.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.magnitude_.size(); ++j) {
            const std::uint64_t total =
                static_cast<std::uint64_t>(a.magnitude_[i]) * b.magnitude_[j] + result.magnitude_[i + j] + carry;
            result.magnitude_[i + j] = static_cast<std::uint32_t>(total);
            carry = total >> 32;
        }
        result.magnitude_[i + b.magnitude_.size()] = static_cast<std::uint32_t>(carry);
    }
    result.negative_ = a.negative_ != b.negative_;
    result.trim();
    return result;
}

BigInteger BigInteger::shiftedLeft(unsigned bits) const
{
    if (magnitude_.empty()) {
        return *this;
    }
    BigInteger result;
    result.negative_ = negative_;
    const unsigned limbs = bits / 32;
    const unsigned rest = bits % 32;
    result.magnitude_.assign(limbs, 0);
    std::uint32_t carry = 0;
    for (const std::uint32_t limb : magnitude_) {
        result.magnitude_.push_back(rest == 0 ? limb : (limb << rest) | carry);
        carry = rest == 0 ? 0 : limb >> (32 - rest);
    }
    result.magnitude_.push_back(carry);
    result.trim();
    return result;
}

ExactDouble exactly(double value)
{
    // value = fraction x 2^exponent with 0.5 <= |fraction| < 1; 53 bits of it are the mantissa.
    int exponent = 0;
    const double fraction = std::frexp(value, &exponent);
    const auto mantissa = static_cast<std::int64_t>(std::ldexp(fraction, 53));
    return {BigInteger(mantissa), exponent - 53};
}

} // namespace veldronix::design
