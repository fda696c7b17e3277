// Any numbers into both move-design questions: every design called met stays
// within every limit and register range by the controller's model, never ends
// after the target time, and gives its own integers through its field texts;
// an unusable number is a stated reason, never a crash or a false success.
#include "core/design/design_fields.h"
#include "core/design/move_design.h"
#include "core/design/move_model.h"
#include "fuzz/byte_reader.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace veldronix;
using namespace veldronix::design;
using veldronix::fuzz::ByteReader;

// The model's doubles are exact integers or correctly rounded: a limit broken
// by more than this share is a fault, not a rounding.
constexpr double slack = 1e-12;

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "move design: %s\n", what);
        std::abort();
    }
}

bool within(double value, double limit)
{
    return value <= limit * (1.0 + slack);
}

// A number of the kind a user types (mode 0 to 2) or any bit pattern (NaN, infinities, 1e300, subnormals).
double takeNumber(ByteReader& in)
{
    const auto mode = in.take<std::uint8_t>() % 4;
    switch (mode) {
    case 0: return static_cast<double>(in.take<std::uint16_t>());
    case 1: return static_cast<double>(in.take<std::uint32_t>() % 5000000u);
    case 2: return static_cast<double>(in.take<std::uint16_t>()) / 1000.0;
    default: return in.take<double>();
    }
}

bool isMetOutcome(DesignOutcome o)
{
    return o == DesignOutcome::DriveSpeedLimit || o == DesignOutcome::DriveRegisterLimit ||
           o == DesignOutcome::MoveTooShort || o == DesignOutcome::EndsOnTime;
}

// The registers of a design within their ranges, and its field texts giving them back.
MoveCandidate checkSettings(const MoveSettings& s, DriveType type, double pulses)
{
    using enum SettingRegister;
    const auto m = static_cast<std::int64_t>(s.multiplier);
    require(s.multiplier == static_cast<double>(m) && s.at(R) == 8000000 / m, "multiplier and R");
    const bool sCurve = isSCurve(type);
    const auto in8000 = [](std::optional<std::int64_t> r) { return r && *r >= 1 && *r <= 8000; };
    require(in8000(s.at(SV)) && in8000(s.at(V)) && in8000(s.at(A)) && *s.at(V) > *s.at(SV), "SV, V and A");
    require(in8000(s.at(D)) == isAsymmetric(type), "D");
    require(!sCurve || (s.at(A) == 8000 && s.at(K) >= 1 && s.at(AO) == 0), "the S-curve's A, K and AO");
    require((type == DriveType::AsymmetricSCurve) == (s.at(L).has_value() && s.at(D) == 8000 && *s.at(L) >= 1), "L");
    require((type == DriveType::AsymmetricSCurve) == s.decelPoint.has_value(), "the deceleration point");
    const std::int64_t accel = *s.at(sCurve ? K : A);
    const auto decel = s.at(sCurve ? L : D);
    const MoveCandidate c{{type, m, *s.at(SV), *s.at(V), accel, decel ? *decel : accel}, static_cast<std::int64_t>(pulses)};
    require(rampsFit(c), "the ramps fit the pulses");
    require(s.real.constantPulses >= 0.0 && std::isfinite(s.real.moveTime) && s.real.moveTime > 0.0, "the real move");
    const auto back = reproduce(s.fields, type);
    require(back && back->multiplier == s.multiplier && back->registers == s.registers, "the field texts give the integers");
    return c;
}

void checkFastest(const FastestMoveRequest& request)
{
    const MoveDesign d = designFastestMove(request);
    require(d.met == isMetOutcome(d.outcome) && d.met == d.settings.has_value(), "met, outcome and settings agree");
    require((d.outcome == DesignOutcome::InvalidInput) == d.invalidInput.has_value(), "the invalid input named");
    if (!d.met) {
        return;
    }
    const MoveSettings& s = *d.settings;
    checkSettings(s, request.type, request.pulses);
    const MotorLimits& l = request.limits;
    const RealMove& r = s.real;
    require(r.initialSpeed <= l.initialSpeed && r.driveSpeed <= l.driveSpeed, "the speeds within their limits");
    if (isSCurve(request.type)) {
        const double decelJerk = request.type == DriveType::AsymmetricSCurve ? l.decelJerk : l.jerk;
        require(within(*r.accelJerk, l.jerk) && within(*r.decelJerk, decelJerk), "the jerks within their limits");
        const double modelPeak = 1000000.0 * s.multiplier; // 8000 x 125 x M
        const double peak = l.peakAccel ? std::fmin(*l.peakAccel, modelPeak) : modelPeak;
        require(within(*r.peakAccel, peak) && within(*r.peakDecel, peak), "the peak accelerations within their limits");
    } else {
        const double decel = request.type == DriveType::AsymmetricTrapezoid ? l.decel : l.accel;
        require(*r.accelRate <= l.accel && *r.decelRate <= decel, "the rates within their limits");
    }
}

void checkOnTime(const OnTimeMoveRequest& request)
{
    const MoveDesign d = designOnTimeMove(request);
    require(d.met == (d.outcome == DesignOutcome::EndsOnTime), "met only on time");
    require(d.met <= d.settings.has_value() && d.settings.has_value() == d.timeMargin.has_value(), "settings and margin");
    if (!d.settings) {
        return;
    }
    const MoveCandidate c = checkSettings(*d.settings, request.type, request.pulses);
    const RealMove& r = d.settings->real;
    require(r.initialSpeed <= request.initialSpeed, "the initial speed within its limit");
    const double decelTime = isAsymmetric(request.type) ? request.decelTime : request.accelTime;
    const auto near = [](double real, double wanted) { return within(std::fabs(real - wanted), 0.01 * wanted); };
    require(near(r.accelTime, request.accelTime) && near(r.decelTime, decelTime), "the ramps within 1 %");
    require(d.met == (compareMoveTime(c, request.targetTime) <= 0), "met exactly when the move ends by the target");
    require(d.met == (*d.timeMargin >= 0.0) || std::fabs(*d.timeMargin) < 1e-12 * request.targetTime, "the margin's sign");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ByteReader in(data, size);
    const auto type = static_cast<DriveType>(static_cast<int>(in.take<std::uint8_t>() % 5) - 1);
    const double initial = takeNumber(in);
    const double pulses = takeNumber(in);
    FastestMoveRequest fastest{type, {}, pulses};
    MotorLimits& l = fastest.limits;
    l.initialSpeed = initial;
    l.driveSpeed = takeNumber(in);
    l.accel = takeNumber(in);
    l.decel = takeNumber(in);
    l.jerk = takeNumber(in) * 100.0;
    l.decelJerk = takeNumber(in) * 100.0;
    if (in.take<std::uint8_t>() % 2 == 1) {
        l.peakAccel = takeNumber(in);
    }
    checkFastest(fastest);
    const OnTimeMoveRequest onTime{type, initial, takeNumber(in) / 10.0, takeNumber(in) / 10.0, pulses, takeNumber(in) / 10.0};
    checkOnTime(onTime);
    return 0;
}
