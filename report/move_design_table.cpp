#include "report/move_design_table.h"

#include "core/number_format.h"
#include "core/setting_register.h"
#include "core/texts_ja.h"
#include "report/design_texts.h"
#include "report/details_units.h"
#include "report/details_style.h"
#include "report/texts_ja.h"
#include "report/rounded_report.h"

#include <fmt/format.h>

namespace veldronix::report {
namespace {

namespace t = designTexts;
using design::DesignOutcome;
using enum DesignField;

std::string speedText(double pps)
{
    return fmt::format(t::speed, formatFixedUnsignedZero(pps, roundedSpeedDecimals));
}

std::string rateText(double ppsPerSecond)
{
    return fmt::format(t::rate, formatFixedUnsignedZero(ppsPerSecond, roundedSpeedDecimals));
}

std::string jerkText(double ppsPerSecondSquared)
{
    return fmt::format(t::jerk, formatFixedUnsignedZero(ppsPerSecondSquared, roundedJerkDecimals));
}

std::string secondsText(double seconds)
{
    return formatFixedUnsignedZero(seconds, roundedTimeDecimals);
}

std::string timeText(double seconds)
{
    return fmt::format(t::time, secondsText(seconds));
}

using Format = std::string (*)(double);

// A row's figures in the axis's units, in the columns after the design's and the limit's.
struct InUnits {
    std::string design;
    std::string limit;
};

class TableBuilder {
public:
    TableBuilder(const DesignReading& reading, DetailsTable& table, const AxisMechanics* mechanics)
        : reading_(reading), table_(table), mechanics_(mechanics)
    {
    }

    const AxisMechanics* mechanics() const { return mechanics_; }

    void add(std::string_view label, std::string design, std::string limit = {}, std::string comparison = {},
             bool warning = false, InUnits units = {})
    {
        DetailsRow row;
        const std::string name = warning ? fmt::format("{} {}", texts::ja::findingMark, label) : std::string(label);
        row.cells = {{name, warning}, {std::move(design), false}};
        if (mechanics_ != nullptr) {
            row.cells.push_back({std::move(units.design), false});
        }
        row.cells.push_back({std::move(limit), false});
        if (mechanics_ != nullptr) {
            row.cells.push_back({std::move(units.limit), false});
        }
        row.cells.push_back({std::move(comparison), false});
        if (warning) {
            row.ink = detailsColours.warning;
        }
        table_.rows.push_back(std::move(row));
    }

    // A quantity of the real move beside the field's limit, where the question has
    // one: its share of the limit; with the axis's mechanics both also in its units.
    void addLimited(std::string_view label, double real, DesignField limitField, Format format, AxisQuantity kind)
    {
        const std::optional<double>& limit = reading_[limitField].value;
        const bool limited = limit && isUsed(limitField, reading_.question, reading_.type);
        InUnits units;
        if (mechanics_ != nullptr) {
            units.design = inAxisUnits(real, kind, *mechanics_);
            if (limited) {
                units.limit = fmt::format(t::limit, inAxisUnits(*limit, kind, *mechanics_));
            }
        }
        if (!limited) {
            add(label, format(real), {}, {}, false, std::move(units));
            return;
        }
        add(label, format(real), fmt::format(t::limit, format(*limit)),
            fmt::format(t::shareOfLimit, formatFixedUnsignedZero(real / *limit * 100.0, 2)), false, std::move(units));
    }

    // A count of pulses; with the axis's mechanics also as its distance.
    void addPulses(std::string_view label, std::string design, double pulses)
    {
        InUnits units;
        if (mechanics_ != nullptr) {
            units.design = inAxisUnits(pulses, AxisQuantity::Distance, *mechanics_);
        }
        add(label, std::move(design), {}, {}, false, std::move(units));
    }

    // A ramp time beside the one wished for, on time: its deviation.
    void addRampTime(std::string_view label, double real, DesignField wishField)
    {
        const std::optional<double>& wish = reading_[wishField].value;
        if (!wish || !isUsed(wishField, reading_.question, reading_.type)) {
            add(label, timeText(real));
            return;
        }
        add(label, timeText(real), fmt::format(t::wish, timeText(*wish)),
            fmt::format(t::deviation, deviationText((real - *wish) / *wish * 100.0)));
    }

private:
    const DesignReading& reading_;
    DetailsTable& table_;
    const AxisMechanics* mechanics_;
};

void addSettings(TableBuilder& rows, const design::MoveSettings& s)
{
    const auto item = static_cast<std::size_t>(s.fields.multiplierIndex);
    rows.add(t::rowMultiplier, item < veldronix::texts::ja::multiplierItems.size() ? std::string(veldronix::texts::ja::multiplierItems[item])
                                                                    : formatFixedUnsignedZero(s.multiplier, 0));
    for (const RegisterDescription& d : settingRegisters) {
        if (const std::optional<std::int64_t> value = s.at(d.id)) {
            rows.add(d.name, fmt::format("{}", *value));
        }
    }
    if (s.decelPoint && s.decelPointExact) {
        rows.add(t::rowDecelPoint,
                 fmt::format(t::decelPoint, *s.decelPoint, formatFixedUnsignedZero(*s.decelPointExact, 3)));
    }
}

void addRealMove(TableBuilder& rows, const DesignReading& r, const design::MoveSettings& s)
{
    const design::RealMove& m = s.real;
    const bool asymmetric = isAsymmetric(r.type);
    using enum AxisQuantity;
    rows.addLimited(t::rowInitialSpeed, m.initialSpeed, InitialSpeed, speedText, Speed);
    rows.addLimited(t::rowDriveSpeed, m.driveSpeed, MaxSpeed, speedText, Speed);
    rows.addRampTime(asymmetric ? t::rowAccelTime : t::rowRampTime, m.accelTime, AccelTime);
    if (asymmetric) {
        rows.addRampTime(t::rowDecelTime, m.decelTime, DecelTime);
    }
    if (m.accelRate && m.decelRate) {
        rows.addLimited(asymmetric ? t::rowAccelRate : t::rowRampRate, *m.accelRate, MaxAccel, rateText, Rate);
        if (asymmetric) {
            rows.addLimited(t::rowDecelRate, *m.decelRate, MaxDecel, rateText, Rate);
        }
    }
    if (m.accelJerk && m.decelJerk && m.peakAccel && m.peakDecel) {
        rows.addLimited(asymmetric ? t::rowAccelJerk : t::rowJerk, *m.accelJerk, MaxJerk, jerkText, Jerk);
        if (asymmetric) {
            rows.addLimited(t::rowDecelJerk, *m.decelJerk, MaxDecelJerk, jerkText, Jerk);
        }
        rows.addLimited(asymmetric ? t::rowPeakAccel : t::rowPeakRamp, *m.peakAccel, MaxAccel, rateText, Rate);
        if (asymmetric) {
            rows.addLimited(t::rowPeakDecel, *m.peakDecel, MaxAccel, rateText, Rate);
        }
    }
    const auto phase = [](double seconds, double pulses) {
        return fmt::format(t::phase, secondsText(seconds), formatFixedUnsignedZero(pulses, 3));
    };
    rows.addPulses(t::rowAccelPhase, phase(m.accelTime, m.accelPulses), m.accelPulses);
    rows.addPulses(t::rowConstantPhase, phase(m.constantTime, m.constantPulses), m.constantPulses);
    rows.addPulses(t::rowDecelPhase, phase(m.decelTime, m.decelPulses), m.decelPulses);
    // The whole move as the axis's distance; without mechanics the phases say it in pulses.
    if (rows.mechanics() != nullptr) {
        if (const std::optional<double>& pulses = r[Pulses].value) {
            rows.addPulses(t::rowPulses, fmt::format(t::pulses, formatFixedUnsignedZero(*pulses, 0)), *pulses);
        }
    }
}

// The move's time, beside the target on time: how much earlier or later it ends.
void addMoveTime(TableBuilder& rows, const DesignReading& r, const design::MoveDesign& d)
{
    const double moveTime = d.settings->real.moveTime;
    const std::optional<double>& target = r[TargetTime].value;
    if (r.question != DesignQuestion::OnTime || !target || !d.timeMargin) {
        rows.add(t::rowMoveTime, timeText(moveTime), {}, {}, !d.met);
        return;
    }
    const double margin = *d.timeMargin;
    std::string comparison = margin > 0.0   ? fmt::format(t::endsEarly, secondsText(margin))
                             : margin < 0.0 ? fmt::format(t::endsLate, secondsText(-margin))
                                            : std::string(t::endsOnTarget);
    rows.add(t::rowMoveTime, timeText(moveTime), fmt::format(t::target, timeText(*target)), std::move(comparison),
             !d.met);
}

std::string_view inputLabel(design::DesignInput input)
{
    using design::DesignInput;
    switch (input) {
    case DesignInput::InitialSpeed: return t::labelInitialSpeed;
    case DesignInput::DriveSpeed: return t::labelMaxSpeed;
    case DesignInput::Accel:
    case DesignInput::PeakAccel: return t::labelMaxAccel;
    case DesignInput::Decel: return t::labelMaxDecel;
    case DesignInput::Jerk: return t::labelMaxJerk;
    case DesignInput::DecelJerk: return t::labelMaxDecelJerk;
    case DesignInput::AccelTime: return t::labelAccelTime;
    case DesignInput::DecelTime: return t::labelDecelTime;
    case DesignInput::Pulses: return t::labelPulses;
    case DesignInput::TargetTime: return t::labelTargetTime;
    case DesignInput::DriveType: return t::driveTypeLabel;
    }
    return t::driveTypeLabel;
}

// What decides a met design.
std::string_view decidedBy(DesignOutcome outcome)
{
    switch (outcome) {
    case DesignOutcome::DriveRegisterLimit: return t::outcomeDriveRegisterLimit;
    case DesignOutcome::MoveTooShort: return t::outcomeMoveTooShort;
    default: return t::outcomeDriveSpeedLimit;
    }
}

// Why no design meets the question.
std::string whyNotMet(const design::MoveDesign& d)
{
    switch (d.outcome) {
    case DesignOutcome::InvalidInput:
        return fmt::format(t::reasonInvalidInput, inputLabel(d.invalidInput.value_or(design::DesignInput::DriveType)));
    case DesignOutcome::InitialSpeedTooLow: return std::string(t::reasonInitialSpeedTooLow);
    case DesignOutcome::DriveSpeedTooLow: return std::string(t::reasonDriveSpeedTooLow);
    case DesignOutcome::AccelTooLow: return std::string(t::reasonAccelTooLow);
    case DesignOutcome::JerkTooLow: return std::string(t::reasonJerkTooLow);
    case DesignOutcome::NoRampWithinTolerance: return std::string(t::reasonNoRampWithinTolerance);
    case DesignOutcome::TargetTooShort: return std::string(t::reasonTargetTooShort);
    case DesignOutcome::SpeedAboveRange: return std::string(t::reasonSpeedAboveRange);
    case DesignOutcome::PulsesTooFew:
    default: return std::string(t::reasonPulsesTooFew);
    }
}

DetailsLine warningLine(std::string text)
{
    return {fmt::format("{} {}", texts::ja::findingMark, text), true};
}

DetailsLine outcomeLine(const DesignReading& r)
{
    const bool fastest = r.question == DesignQuestion::Fastest;
    if (!r.design) {
        return warningLine(fastest ? fmt::format(t::fastestNotMet, t::reasonFixFields)
                                   : fmt::format(t::onTimeNone, t::reasonFixFields));
    }
    const design::MoveDesign& d = *r.design;
    if (d.met) {
        return fastest ? DetailsLine{fmt::format(t::fastestMet, decidedBy(d.outcome)), false}
                       : DetailsLine{fmt::format(t::onTimeMet, secondsText(d.timeMargin.value_or(0.0))), false};
    }
    if (fastest) {
        return warningLine(fmt::format(t::fastestNotMet, whyNotMet(d)));
    }
    if (d.settings && d.timeMargin) {
        return warningLine(fmt::format(t::onTimeNotMet, whyNotMet(d), secondsText(-*d.timeMargin)));
    }
    return warningLine(fmt::format(t::onTimeNone, whyNotMet(d)));
}

} // namespace

std::string searchCutNote(const design::MoveDesign& design, const DesignSearchTexts& texts)
{
    if (!design.searchCut) {
        return {};
    }
    const std::string tried = formatFixedUnsignedZero(static_cast<double>(design.candidatesTried), 0);
    return design.met ? texts.cutLatest(tried) : texts.cutNone(tried);
}

DesignResult designResult(const DesignReading& reading, const AxisMechanics* mechanics)
{
    DesignResult result;
    result.lines.push_back(outcomeLine(reading));
    if (!reading.design || !reading.design->settings) {
        return result;
    }
    auto& columns = result.table.columns;
    // The key columns: the item and the design's value, which apply writes.
    columns = {{std::string(t::columnItem), CellAlign::Left, true}, {std::string(t::columnDesign), CellAlign::Right, true}};
    if (mechanics != nullptr) {
        columns.push_back({fmt::format(t::columnDesignInUnits, axisUnitSymbol(mechanics->unit())), CellAlign::Right});
    }
    columns.push_back({std::string(t::columnLimit), CellAlign::Right});
    if (mechanics != nullptr) {
        columns.push_back({fmt::format(t::columnLimitInUnits, axisUnitSymbol(mechanics->unit())), CellAlign::Right});
    }
    columns.push_back({std::string(t::columnComparison), CellAlign::Right});
    const design::MoveDesign& d = *reading.design;
    if (const std::string note = searchCutNote(d, texts::ja::designSearch); !note.empty()) {
        result.lines.push_back(d.met ? DetailsLine{note, false} : warningLine(note));
    }
    TableBuilder rows(reading, result.table, mechanics);
    addSettings(rows, *d.settings);
    addRealMove(rows, reading, *d.settings);
    addMoveTime(rows, reading, d);
    const design::DesignFields& fields = d.settings->fields;
    const auto item = static_cast<std::size_t>(fields.multiplierIndex);
    if (fields.needsRecalculate && item < veldronix::texts::ja::multiplierItems.size()) {
        result.lines.push_back({fmt::format(t::applyNoteRecalculate, veldronix::texts::ja::multiplierItems[item]), false});
    } else {
        result.lines.push_back({std::string(t::applyNote), false});
    }
    return result;
}

} // namespace veldronix::report
