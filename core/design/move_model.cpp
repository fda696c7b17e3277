#include "core/design/move_model.h"

#include "core/design/big_integer.h"
#include "core/design/radical_sign.h"
#include "core/double_bits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <cmath>
#include <vector>

namespace veldronix::design {
namespace {

// Every double here is a sum and product of a dozen correctly rounded
// operations on positive numbers: its relative error is below 2e-15, so a
// difference of more than this share is a decision, and anything nearer is
// settled with integers.
constexpr double decisiveShare = 1e-13;

int decided(double a, double b)
{
    if (a < b * (1.0 - decisiveShare)) {
        return -1;
    }
    if (a > b * (1.0 + decisiveShare)) {
        return 1;
    }
    return 0;
}

} // namespace

bool decidedByDoubles(double a, double b)
{
    return decided(a, b) != 0;
}

namespace {

BigInteger big(std::int64_t value)
{
    return BigInteger(value);
}

// A move time as exactly (numerator + sum of terms) / denominator.
struct ExactTime {
    BigInteger numerator;
    std::vector<RadicalTerm> terms;
    BigInteger denominator;
};

ExactTime exactMoveTime(const MoveCandidate& c)
{
    const MoveRegisters& r = c.registers;
    const std::int64_t change = r.drive - r.initial;
    const BigInteger m = big(r.multiplier);
    ExactTime t;
    if (isSCurve(r.type)) {
        // T = N / (V M) + change (ta + td) / (2 V), ta = sqrt(10 change K) / 12500.
        t.numerator = big(25000) * big(c.pulses);
        t.denominator = big(25000) * big(r.drive) * m;
        if (r.accel == r.decel) {
            t.terms.push_back({big(2) * m * big(change), big(10 * change * r.accel)});
        } else {
            t.terms.push_back({m * big(change), big(10 * change * r.accel)});
            t.terms.push_back({m * big(change), big(10 * change * r.decel)});
        }
        return t;
    }
    // ta = change / (125 A): T = (250 A D N + M change^2 (A + D)) / (250 A D V M).
    const BigInteger ad = big(r.accel) * big(r.decel);
    t.numerator = big(250) * ad * big(c.pulses) + m * big(change) * big(change) * big(r.accel + r.decel);
    t.denominator = big(250) * ad * big(r.drive) * m;
    return t;
}

BigInteger scaled(const BigInteger& value, int exponent)
{
    return exponent > 0 ? value.shiftedLeft(static_cast<unsigned>(exponent)) : value;
}

// Whether both make the same real move: the same speeds, rates or jerks, and
// pulses. Designs of different multipliers often do, and their times are then
// equal without the integers of the exact comparison.
bool sameRealMove(const MoveCandidate& a, const MoveCandidate& b)
{
    const MoveRegisters& x = a.registers;
    const MoveRegisters& y = b.registers;
    if (x.type != y.type || a.pulses != b.pulses || x.initial * x.multiplier != y.initial * y.multiplier ||
        x.drive * x.multiplier != y.drive * y.multiplier) {
        return false;
    }
    if (isSCurve(x.type)) {
        // The jerk 62,500,000 M / K: equal when M K' = M' K.
        return x.multiplier * y.accel == y.multiplier * x.accel && x.multiplier * y.decel == y.multiplier * x.decel;
    }
    return x.accel * x.multiplier == y.accel * y.multiplier && x.decel * x.multiplier == y.decel * y.multiplier;
}

// The exact sign of lhs - x^power x factor in 128 bits, where they hold it:
// limits typed as whole numbers or short decimals meet their registers'
// products exactly, and these ties need no big integers. A compiler without
// 128-bit integers (the 32-bit Windows one) leaves every tie to the big
// integers, which give the same sign.
#if defined(__SIZEOF_INT128__)
__extension__ typedef unsigned __int128 Wide;

std::optional<int> narrowSign(std::uint64_t lhs, double x, int power, std::uint64_t factor)
{
    // x = mantissa x 2^exponent from its bits: a subnormal's exponent is the least.
    const auto bits = doubleBits(x);
    const auto biased = static_cast<int>((bits >> 52) & 0x7ff);
    auto mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = -1074;
    if (biased != 0) {
        mantissa |= std::uint64_t{1} << 52;
        exponent = biased - 1075;
    }
    if (mantissa == 0) {
        return std::nullopt;
    }
    const int zeros = std::countr_zero(mantissa);
    mantissa >>= zeros;
    exponent += zeros;
    Wide rhs = mantissa;
    if (power == 2) {
        if (mantissa >> 32 != 0) {
            return std::nullopt;
        }
        rhs *= mantissa;
        exponent *= 2;
    }
    rhs *= factor; // both below 2^64
    Wide left = lhs;
    if (exponent >= 0) {
        if (exponent >= 64 || rhs >> (127 - exponent) != 0) {
            return rhs == 0 ? std::optional<int>(left > 0) : std::optional<int>(-1);
        }
        rhs <<= exponent;
    } else {
        if (exponent <= -64) {
            return std::nullopt;
        }
        left <<= -exponent;
    }
    return left < rhs ? -1 : left > rhs ? 1 : 0;
}

// A trapezoid's move time as the fraction numerator / denominator (s), both
// within 128 bits: 250 A D N + M change^2 (A + D) < 2^85 and 250 A D V M < 2^56.
struct WideTime {
    Wide numerator;
    Wide denominator;
};

WideTime wideTrapezoidTime(const MoveCandidate& c)
{
    const MoveRegisters& r = c.registers;
    const auto change = static_cast<Wide>(r.drive - r.initial);
    const Wide ad = static_cast<Wide>(250 * r.accel) * static_cast<Wide>(r.decel);
    return {ad * static_cast<Wide>(c.pulses) + static_cast<Wide>(r.multiplier) * change * change * static_cast<Wide>(r.accel + r.decel),
            ad * static_cast<Wide>(r.drive * r.multiplier)};
}

// The sign of a trapezoid's time minus seconds = mantissa 2^exponent, in 128 bits.
std::optional<int> narrowTimeSign(const MoveCandidate& c, double seconds)
{
    if (isSCurve(c.registers.type)) {
        return std::nullopt;
    }
    int exponent = 0;
    const double fraction = std::frexp(seconds, &exponent);
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    if (mantissa == 0) {
        return std::nullopt;
    }
    exponent -= 53;
    const int zeros = std::countr_zero(mantissa);
    mantissa >>= zeros;
    exponent += zeros;
    const WideTime t = wideTrapezoidTime(c);
    Wide rhs = t.denominator * mantissa; // below 2^109
    if (exponent >= 0) {
        // numerator against rhs 2^exponent; the numerator is below 2^85, so a
        // product of 2^127 or more is larger.
        if (exponent >= 127 || rhs >> (127 - exponent) != 0) {
            return -1;
        }
        rhs <<= exponent;
        return t.numerator < rhs ? -1 : t.numerator > rhs ? 1 : 0;
    }
    // numerator 2^-exponent against rhs: the numerator against rhs's whole part after the shift and its rest.
    const int shift = -exponent;
    if (shift >= 128) {
        return std::nullopt;
    }
    const Wide whole = rhs >> shift;
    const Wide rest = rhs - (whole << shift);
    if (t.numerator != whole) {
        return t.numerator < whole ? -1 : 1;
    }
    return rest == 0 ? 0 : -1;
}

// The sign of two trapezoids' time difference in 128 bits: the whole parts of
// the fractions, then their rests cross-multiplied (each below 2^56).
std::optional<int> narrowTimesSign(const MoveCandidate& a, const MoveCandidate& b)
{
    if (isSCurve(a.registers.type) || isSCurve(b.registers.type)) {
        return std::nullopt;
    }
    const WideTime x = wideTrapezoidTime(a);
    const WideTime y = wideTrapezoidTime(b);
    const Wide wholeX = x.numerator / x.denominator;
    const Wide wholeY = y.numerator / y.denominator;
    if (wholeX != wholeY) {
        return wholeX < wholeY ? -1 : 1;
    }
    const Wide left = (x.numerator - wholeX * x.denominator) * y.denominator;
    const Wide right = (y.numerator - wholeY * y.denominator) * x.denominator;
    return left < right ? -1 : left > right ? 1 : 0;
}
#else
std::optional<int> narrowSign(std::uint64_t, double, int, std::uint64_t)
{
    return std::nullopt;
}

std::optional<int> narrowTimeSign(const MoveCandidate&, double)
{
    return std::nullopt;
}

std::optional<int> narrowTimesSign(const MoveCandidate&, const MoveCandidate&)
{
    return std::nullopt;
}
#endif

// Whether both ramps of a take exactly as long as b's: a trapezoid's ramp
// change / (125 A), an S-curve's sqrt(10 change K) / 12500.
bool sameRampTimes(const MoveRegisters& a, const MoveRegisters& b)
{
    if (a.type != b.type) {
        return false;
    }
    const std::int64_t ca = a.drive - a.initial;
    const std::int64_t cb = b.drive - b.initial;
    if (isSCurve(a.type)) {
        return ca * a.accel == cb * b.accel && ca * a.decel == cb * b.decel;
    }
    return ca * b.accel == cb * a.accel && ca * b.decel == cb * a.decel;
}

// x x y exactly as high + low, high the rounded product: Dekker's product,
// whose halves of x and y (26 bits or fewer each, by Veltkamp's split) multiply
// without rounding. For finite positive x and y below 2^900 whose product is
// at least 2^-900, so that nothing overflows or underflows.
struct ExactProduct {
    double high = 0.0;
    double low = 0.0;
};

ExactProduct exactProduct(double x, double y)
{
    constexpr double splitter = 134217729.0; // 2^27 + 1
    const auto split = [](double v) {
        const double scaled = splitter * v;
        const double high = scaled - (scaled - v);
        return ExactProduct{high, v - high};
    };
    const ExactProduct a = split(x);
    const ExactProduct b = split(y);
    const double high = x * y;
    const double low = ((a.high * b.high - high) + a.high * b.low + a.low * b.high) + a.low * b.low;
    return {high, low};
}

// The exact sign of lhs - x x factor where the doubles came within 1e-13 of
// each other: lhs and factor below 2^53 are exact doubles, the product's
// high part is within a factor of two of lhs, so lhs - high is exact too.
std::optional<int> productSign(std::uint64_t lhs, double x, std::uint64_t factor)
{
    constexpr std::uint64_t exactWhole = std::uint64_t{1} << 53;
    if (lhs < 1 || lhs >= exactWhole || factor < 1 || factor >= exactWhole) {
        return std::nullopt;
    }
    const ExactProduct p = exactProduct(x, static_cast<double>(factor));
    const double rest = static_cast<double>(lhs) - p.high;
    return rest > p.low ? 1 : rest < p.low ? -1 : 0;
}

// A ramp's time as exactly sqrt(radicand) / denominator (s): a trapezoid's
// change / (125 A) is sqrt(change^2) / (125 A), an S-curve's sqrt(10 change K) / 12500.
struct ExactRamp {
    std::int64_t radicand = 0;
    std::int64_t denominator = 1;
    double wanted = 1.0; // s
};

ExactRamp exactRamp(DriveType type, std::int64_t change, std::int64_t ramp, double wanted)
{
    if (isSCurve(type)) {
        return {10 * change * ramp, 12500, wanted};
    }
    return {change * change, 125 * ramp, wanted};
}

double deviationOf(const ExactRamp& r)
{
    return std::fabs(std::sqrt(static_cast<double>(r.radicand)) / static_cast<double>(r.denominator) - r.wanted) / r.wanted;
}

// The exact sign of sqrt(r.radicand) - wanted x r.denominator, which is the sign of the ramp's deviation.
int deviationSign(const ExactRamp& r)
{
    const ExactDouble w = exactly(r.wanted);
    const unsigned up = w.exponent < 0 ? static_cast<unsigned>(-w.exponent) : 0u;
    const std::array<RadicalTerm, 1> root = {{{BigInteger(1).shiftedLeft(up), big(r.radicand)}}};
    const BigInteger scaledWanted = (w.mantissa * big(r.denominator)).shiftedLeft(static_cast<unsigned>(w.exponent + static_cast<int>(up)));
    return signOfRadicalSum(-scaledWanted, root);
}

// The exact sign of x's deviation share minus y's: with x = sqrt(rx) / dx wanted
// wx, |sqrt(rx) - wx dx| / (wx dx) against y's, both sides multiplied by
// wx dx wy dy and by a power of two that leaves every product whole.
int compareDeviations(const ExactRamp& x, const ExactRamp& y)
{
    const double dx = deviationOf(x);
    const double dy = deviationOf(y);
    // Each share is within a few units of 1e-16 of its value.
    if (dx < dy - 1e-13) {
        return -1;
    }
    if (dx > dy + 1e-13) {
        return 1;
    }
    const int sx = deviationSign(x);
    const int sy = deviationSign(y);
    const ExactDouble wx = exactly(x.wanted);
    const ExactDouble wy = exactly(y.wanted);
    // sx wy dy sqrt(rx) - sy wx dx sqrt(ry) + wx wy dx dy (sy - sx), times 2^shift.
    const int shift = -std::min({wx.exponent + wy.exponent, wx.exponent, wy.exponent, 0});
    const auto pow2 = [&](int exponent) { return static_cast<unsigned>(exponent + shift); };
    const BigInteger rational =
        (wx.mantissa * wy.mantissa * big(x.denominator) * big(y.denominator) * big(sy - sx)).shiftedLeft(pow2(wx.exponent + wy.exponent));
    const std::array<RadicalTerm, 2> terms = {{
        {(wy.mantissa * big(y.denominator) * big(sx)).shiftedLeft(pow2(wy.exponent)), big(x.radicand)},
        {-(wx.mantissa * big(x.denominator) * big(sy)).shiftedLeft(pow2(wx.exponent)), big(y.radicand)},
    }};
    return signOfRadicalSum(rational, terms);
}

// The ramp of r that deviates most from its wish; the acceleration's where both deviate alike.
ExactRamp largestDeviation(const MoveRegisters& r, double accelTime, double decelTime)
{
    const std::int64_t change = r.drive - r.initial;
    const ExactRamp accel = exactRamp(r.type, change, r.accel, accelTime);
    if (!isAsymmetric(r.type)) {
        return accel;
    }
    const ExactRamp decel = exactRamp(r.type, change, r.decel, decelTime);
    return compareDeviations(decel, accel) > 0 ? decel : accel;
}

} // namespace

double accelTimeOf(const MoveRegisters& r)
{
    const auto change = static_cast<double>(r.drive - r.initial);
    if (isSCurve(r.type)) {
        return std::sqrt(10.0 * change * static_cast<double>(r.accel)) / 12500.0;
    }
    return change / (125.0 * static_cast<double>(r.accel));
}

double decelTimeOf(const MoveRegisters& r)
{
    MoveRegisters decelerating = r;
    decelerating.accel = r.decel;
    return accelTimeOf(decelerating);
}

double moveTimeOf(const MoveCandidate& c)
{
    const MoveRegisters& r = c.registers;
    const auto drive = static_cast<double>(r.drive);
    const double ramps = accelTimeOf(r) + decelTimeOf(r);
    return static_cast<double>(c.pulses) / (drive * static_cast<double>(r.multiplier)) +
           static_cast<double>(r.drive - r.initial) * ramps / (2.0 * drive);
}

bool rampsFit(const MoveCandidate& c)
{
    const MoveRegisters& r = c.registers;
    const std::int64_t change = r.drive - r.initial;
    const std::int64_t speedSum = r.drive + r.initial;
    if (!isSCurve(r.type)) {
        // M (V + SV) change (A + D) <= 250 A D N, by whole division: both sides stay in 64 bits.
        const auto lhs = static_cast<std::uint64_t>(r.multiplier * speedSum * change * (r.accel + r.decel));
        const auto unit = static_cast<std::uint64_t>(250 * r.accel * r.decel);
        const auto pulses = static_cast<std::uint64_t>(c.pulses);
        const std::uint64_t whole = lhs / unit;
        return whole < pulses || (whole == pulses && lhs % unit == 0);
    }
    // M (V + SV) (sqrt(10 change K) + sqrt(10 change L)) <= 25000 N.
    const double x = 10.0 * static_cast<double>(change) * static_cast<double>(r.accel);
    const double y = 10.0 * static_cast<double>(change) * static_cast<double>(r.decel);
    const double rampPulses = static_cast<double>(r.multiplier * speedSum) * (std::sqrt(x) + std::sqrt(y));
    if (const int d = decided(rampPulses, 25000.0 * static_cast<double>(c.pulses)); d != 0) {
        return d < 0;
    }
    const BigInteger coefficient = -(big(r.multiplier) * big(speedSum));
    const std::array<RadicalTerm, 2> terms = {{{coefficient, big(10 * change * r.accel)},
                                               {coefficient, big(10 * change * r.decel)}}};
    return signOfRadicalSum(big(25000) * big(c.pulses), terms) >= 0;
}

int compareMoveTimes(const MoveCandidate& a, const MoveCandidate& b)
{
    if (a == b || sameRealMove(a, b)) {
        return 0;
    }
    if (const int d = decided(moveTimeOf(a), moveTimeOf(b)); d != 0) {
        return d;
    }
    if (const auto sign = narrowTimesSign(a, b)) {
        return *sign;
    }
    // a - b = (na db - nb da + db sum(a) - da sum(b)) / (da db), the denominators positive.
    const ExactTime ta = exactMoveTime(a);
    const ExactTime tb = exactMoveTime(b);
    std::vector<RadicalTerm> terms;
    for (const RadicalTerm& term : ta.terms) {
        terms.push_back({term.coefficient * tb.denominator, term.radicand});
    }
    for (const RadicalTerm& term : tb.terms) {
        terms.push_back({-(term.coefficient * ta.denominator), term.radicand});
    }
    return signOfRadicalSum(ta.numerator * tb.denominator - tb.numerator * ta.denominator, terms);
}

int compareMoveTime(const MoveCandidate& c, double seconds)
{
    if (const int d = decided(moveTimeOf(c), seconds); d != 0) {
        return d;
    }
    if (const auto sign = narrowTimeSign(c, seconds)) {
        return *sign;
    }
    // seconds = mantissa 2^exponent: compare (n + sum) 2^-exponent with mantissa d.
    const ExactTime t = exactMoveTime(c);
    const ExactDouble s = exactly(seconds);
    const int up = s.exponent < 0 ? -s.exponent : 0;
    std::vector<RadicalTerm> terms;
    for (const RadicalTerm& term : t.terms) {
        terms.push_back({scaled(term.coefficient, up), term.radicand});
    }
    const BigInteger rational = scaled(t.numerator, up) - scaled(s.mantissa * t.denominator, s.exponent);
    return signOfRadicalSum(rational, terms);
}

int compareRampDeviations(const MoveRegisters& a, const MoveRegisters& b, double accelTime, double decelTime)
{
    if (sameRampTimes(a, b)) {
        return 0;
    }
    return compareDeviations(largestDeviation(a, accelTime, decelTime), largestDeviation(b, accelTime, decelTime));
}

int compareWithScaledDouble(std::uint64_t lhs, double x, int power, std::uint64_t factor)
{
    const double product = (power == 2 ? x * x : x) * static_cast<double>(factor);
    if (const int d = decided(static_cast<double>(lhs), product); d != 0) {
        return d;
    }
    if (const auto sign = power == 1 ? productSign(lhs, x, factor) : std::nullopt) {
        return *sign;
    }
    if (const auto sign = narrowSign(lhs, x, power, factor)) {
        return *sign;
    }
    const ExactDouble e = exactly(x);
    BigInteger rhs = BigInteger::fromUnsigned(factor) * e.mantissa;
    int exponent = e.exponent;
    if (power == 2) {
        rhs = rhs * e.mantissa;
        exponent *= 2;
    }
    const BigInteger left = BigInteger::fromUnsigned(lhs);
    const BigInteger difference =
        exponent >= 0 ? left - rhs.shiftedLeft(static_cast<unsigned>(exponent))
                      : left.shiftedLeft(static_cast<unsigned>(-exponent)) - rhs;
    return difference.sign();
}

} // namespace veldronix::design
