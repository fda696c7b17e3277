#include "core/decimal_number.h"

#include "core/number_parser.h"

#include <algorithm>
#include <charconv>

namespace veldronix {
namespace {

// Natural numbers in base 10^9, least significant limb first, no leading zero limbs.
using Limbs = std::vector<std::uint32_t>;
constexpr std::uint32_t limbBase = 1'000'000'000;
constexpr int limbDigits = 9;
// How far a text's decimal point may move; beyond it a number is neither a
// speed nor a length of any machine, and the working stays small.
constexpr int exponentLimit = 400;

void trim(Limbs& limbs)
{
    while (!limbs.empty() && limbs.back() == 0) {
        limbs.pop_back();
    }
}

Limbs multiply(const Limbs& left, const Limbs& right)
{
    if (left.empty() || right.empty()) {
        return {};
    }
    std::vector<std::uint64_t> sums(left.size() + right.size(), 0);
    for (std::size_t i = 0; i < left.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < right.size(); ++j) {
            const std::uint64_t cell = sums[i + j] + std::uint64_t{left[i]} * right[j] + carry;
            sums[i + j] = cell % limbBase;
            carry = cell / limbBase;
        }
        sums[i + right.size()] += carry;
    }
    Limbs product(sums.begin(), sums.end());
    trim(product);
    return product;
}

void multiplySmall(Limbs& limbs, std::uint32_t factor, std::uint32_t addend)
{
    std::uint64_t carry = addend;
    for (std::uint32_t& limb : limbs) {
        const std::uint64_t cell = std::uint64_t{limb} * factor + carry;
        limb = static_cast<std::uint32_t>(cell % limbBase);
        carry = cell / limbBase;
    }
    if (carry != 0) {
        limbs.push_back(static_cast<std::uint32_t>(carry));
    }
}

Limbs timesPowerOfTen(Limbs limbs, int power)
{
    if (limbs.empty()) {
        return limbs;
    }
    limbs.insert(limbs.begin(), static_cast<std::size_t>(power / limbDigits), 0u);
    std::uint32_t factor = 1;
    for (int i = 0; i < power % limbDigits; ++i) {
        factor *= 10;
    }
    multiplySmall(limbs, factor, 0);
    return limbs;
}

int compare(const Limbs& left, const Limbs& right)
{
    if (left.size() != right.size()) {
        return left.size() < right.size() ? -1 : 1;
    }
    for (std::size_t i = left.size(); i-- > 0;) {
        if (left[i] != right[i]) {
            return left[i] < right[i] ? -1 : 1;
        }
    }
    return 0;
}

// left - right, where left >= right.
void subtract(Limbs& left, const Limbs& right)
{
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < left.size(); ++i) {
        std::int64_t cell = std::int64_t{left[i]} - borrow - (i < right.size() ? std::int64_t{right[i]} : 0);
        borrow = cell < 0 ? 1 : 0;
        if (cell < 0) {
            cell += limbBase;
        }
        left[i] = static_cast<std::uint32_t>(cell);
    }
    trim(left);
}

std::string decimalDigits(const Limbs& limbs)
{
    if (limbs.empty()) {
        return "0";
    }
    std::string digits = std::to_string(limbs.back());
    for (std::size_t i = limbs.size() - 1; i-- > 0;) {
        const std::string limb = std::to_string(limbs[i]);
        digits.append(static_cast<std::size_t>(limbDigits) - limb.size(), '0');
        digits += limb;
    }
    return digits;
}

struct Division {
    std::string quotient; // decimal digits, possibly with leading zeros
    Limbs remainder;
};

// Long division one decimal digit at a time: each step needs at most nine
// subtractions, and no limb of the divisor is ever guessed.
Division divide(const Limbs& dividend, const Limbs& divisor)
{
    Division result;
    for (const char digit : decimalDigits(dividend)) {
        multiplySmall(result.remainder, 10, static_cast<std::uint32_t>(digit - '0'));
        trim(result.remainder);
        char next = '0';
        while (compare(result.remainder, divisor) >= 0) {
            subtract(result.remainder, divisor);
            ++next;
        }
        result.quotient += next;
    }
    return result;
}

void incrementDigits(std::string& digits)
{
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

} // namespace

std::optional<DecimalNumber> DecimalNumber::parse(std::string_view text)
{
    std::size_t at = 0;
    DecimalNumber number;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        number.negative_ = text[at] == '-';
        ++at;
    }
    std::string digits;
    int fractionDigits = 0;
    bool point = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c >= '0' && c <= '9') {
            digits += c;
            fractionDigits += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    long exponent = 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        bool negativeExponent = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            negativeExponent = text[at] == '-';
            ++at;
        }
        const std::size_t first = at;
        for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
            exponent = std::min(exponent * 10 + (text[at] - '0'), 100'000L); // saturates far beyond the limit
        }
        if (at == first) {
            return std::nullopt;
        }
        exponent = negativeExponent ? -exponent : exponent;
    }
    if (at != text.size()) {
        return std::nullopt;
    }
    // Leading zeros carry nothing; trailing ones move into the exponent.
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    exponent -= fractionDigits;
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    if (digits.empty()) {
        number.exponent_ = 0;
        number.negative_ = false;
        return number;
    }
    const long pointMoves = exponent + static_cast<long>(digits.size());
    if (digits.size() > static_cast<std::size_t>(exponentLimit) || pointMoves > exponentLimit ||
        pointMoves < -exponentLimit) {
        return std::nullopt;
    }
    for (std::size_t end = digits.size(); end > 0;) {
        const std::size_t begin = end >= limbDigits ? end - limbDigits : 0;
        std::uint32_t limb = 0;
        std::from_chars(digits.data() + begin, digits.data() + end, limb);
        number.limbs_.push_back(limb);
        end = begin;
    }
    number.exponent_ = static_cast<int>(exponent);
    return number;
}

DecimalNumber DecimalNumber::integer(std::uint32_t value)
{
    DecimalNumber number;
    if (value >= limbBase) {
        number.limbs_ = {value % limbBase, value / limbBase};
    } else if (value != 0) {
        number.limbs_ = {value};
    }
    return number;
}

double DecimalNumber::toDouble() const
{
    const double magnitude = parseNumber(decimalDigits(limbs_) + "e" + std::to_string(exponent_));
    return negative_ ? -magnitude : magnitude;
}

DecimalNumber operator*(const DecimalNumber& left, const DecimalNumber& right)
{
    DecimalNumber product;
    product.limbs_ = multiply(left.limbs_, right.limbs_);
    if (!product.limbs_.empty()) {
        product.exponent_ = left.exponent_ + right.exponent_;
        product.negative_ = left.negative_ != right.negative_;
    }
    return product;
}

bool operator==(const DecimalNumber& left, const DecimalNumber& right)
{
    // parse and * keep the digits without trailing zeros, so that equal values
    // have equal members.
    const DecimalNumber& shorter = left.exponent_ >= right.exponent_ ? left : right;
    const DecimalNumber& longer = &shorter == &left ? right : left;
    return left.negative_ == right.negative_ &&
           compare(timesPowerOfTen(shorter.limbs_, shorter.exponent_ - longer.exponent_), longer.limbs_) == 0;
}

std::string quotientText(const DecimalNumber& dividend, const DecimalNumber& divisor, int decimals)
{
    // round(dividend × 10^decimals / divisor) as a whole number, both sides scaled to integers.
    const int scale = dividend.exponent() - divisor.exponent() + decimals;
    const Limbs numerator = timesPowerOfTen(dividend.limbs(), std::max(scale, 0));
    const Limbs denominator = timesPowerOfTen(divisor.limbs(), std::max(-scale, 0));
    Division division = divide(numerator, denominator);
    Limbs twiceRemainder = division.remainder;
    multiplySmall(twiceRemainder, 2, 0);
    if (compare(twiceRemainder, denominator) >= 0) {
        incrementDigits(division.quotient);
    }
    std::string digits = std::move(division.quotient);
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty()) {
        return "0";
    }
    const auto places = static_cast<std::size_t>(decimals);
    if (digits.size() <= places) {
        digits.insert(0, places + 1 - digits.size(), '0');
    }
    std::string text = digits.substr(0, digits.size() - places);
    std::string fraction = digits.substr(digits.size() - places);
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    if (!fraction.empty()) {
        text += '.' + fraction;
    }
    const bool negative = dividend.isNegative() != divisor.isNegative();
    return negative ? '-' + text : text;
}

} // namespace veldronix
