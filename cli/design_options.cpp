#include "cli/design_options.h"

#include "cli/mechanics_of.h"
#include "cli/texts_en.h"
#include "core/axis.h"
#include "core/input_field.h"

#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <string>

namespace veldronix::cli {
namespace {

// The numbers a design takes, one row each.
enum class DesignValue { Initial, Pulses, MaxSpeed, MaxAccel, MaxDecel, MaxJerk, MaxDecelJerk, Accel, Decel, Time };

// Whether a drive type's question needs a value, may take it, or has no use for it.
enum class DesignUse { Needed, Optional, NotTaken };

struct DesignOptionRow {
    std::string_view name;
    DesignValue value;
    std::optional<DesignQuestion> question; // none: both questions take it
};

constexpr std::array<DesignOptionRow, 10> designOptionRows = {{
    {"--initial", DesignValue::Initial, std::nullopt},
    {"--pulses", DesignValue::Pulses, std::nullopt},
    {"--max-speed", DesignValue::MaxSpeed, DesignQuestion::Fastest},
    {"--max-accel", DesignValue::MaxAccel, DesignQuestion::Fastest},
    {"--max-decel", DesignValue::MaxDecel, DesignQuestion::Fastest},
    {"--max-jerk", DesignValue::MaxJerk, DesignQuestion::Fastest},
    {"--max-decel-jerk", DesignValue::MaxDecelJerk, DesignQuestion::Fastest},
    {"--accel", DesignValue::Accel, DesignQuestion::OnTime},
    {"--decel", DesignValue::Decel, DesignQuestion::OnTime},
    {"--time", DesignValue::Time, DesignQuestion::OnTime},
}};

// The row of a mechanics option (pulses per rev, gear, travel per rev, unit);
// none for any other name, the axis's name included, which a design does not take.
const InputFieldDescription* mechanicsRow(std::string_view name)
{
    for (const InputFieldDescription& row : axisRows) {
        if (row.option == name && row.id != InputField::AxisName) {
            return &row;
        }
    }
    return nullptr;
}

// What a value measures in the axis's units with --in-units: pulses (the
// pulse count) or a rate of them (speeds, accelerations, jerks); times stay seconds.
enum class InUnits { Count, Rate, Seconds };

InUnits inUnitsOf(DesignValue value)
{
    switch (value) {
    case DesignValue::Pulses: return InUnits::Count;
    case DesignValue::Accel:
    case DesignValue::Decel:
    case DesignValue::Time: return InUnits::Seconds;
    default: return InUnits::Rate;
    }
}

// The S-curves' highest acceleration is optional; every other limit belongs to its types alone.
DesignUse useOf(DesignValue value, DriveType type)
{
    const auto neededIf = [](bool needed) { return needed ? DesignUse::Needed : DesignUse::NotTaken; };
    switch (value) {
    case DesignValue::MaxAccel: return isSCurve(type) ? DesignUse::Optional : DesignUse::Needed;
    case DesignValue::MaxDecel: return neededIf(type == DriveType::AsymmetricTrapezoid);
    case DesignValue::MaxJerk: return neededIf(isSCurve(type));
    case DesignValue::MaxDecelJerk: return neededIf(type == DriveType::AsymmetricSCurve);
    case DesignValue::Decel: return neededIf(isAsymmetric(type));
    default: return DesignUse::Needed;
    }
}

// The whole text as one number; "nan", "inf" and "1e300" are numbers, which the design answers.
std::optional<double> strictNumber(std::string_view text)
{
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto result = fast_float::from_chars(text.data(), end, value);
    if (text.empty() || result.ptr != end || (result.ec != std::errc{} && result.ec != std::errc::result_out_of_range)) {
        return std::nullopt;
    }
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond the doubles: as large or as small as a double goes, for the design to judge.
        const bool tiny = text.find("e-") != std::string_view::npos || text.find("E-") != std::string_view::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        if (text.starts_with('-')) {
            value = -value;
        }
    }
    return value;
}

UsageError usage(std::string message)
{
    return UsageError{std::move(message)};
}

std::string_view questionName(DesignQuestion question)
{
    return question == DesignQuestion::Fastest ? texts::en::designFastestName : texts::en::designTimeName;
}

double& field(DesignOptions& options, DesignValue value)
{
    design::MotorLimits& limits = options.fastest.limits;
    design::OnTimeMoveRequest& onTime = options.onTime;
    const bool fastest = options.question == DesignQuestion::Fastest;
    switch (value) {
    case DesignValue::Initial: return fastest ? limits.initialSpeed : onTime.initialSpeed;
    case DesignValue::Pulses: return fastest ? options.fastest.pulses : onTime.pulses;
    case DesignValue::MaxSpeed: return limits.driveSpeed;
    case DesignValue::MaxAccel: return limits.accel;
    case DesignValue::MaxDecel: return limits.decel;
    case DesignValue::MaxJerk: return limits.jerk;
    case DesignValue::MaxDecelJerk: return limits.decelJerk;
    case DesignValue::Accel: return onTime.accelTime;
    case DesignValue::Decel: return onTime.decelTime;
    case DesignValue::Time: return onTime.targetTime;
    }
    return onTime.targetTime;
}

bool isDesignOption(std::string_view argument)
{
    return argument == "--design" || argument.starts_with("--design=");
}

} // namespace

bool isDesignCommand(std::span<const std::string_view> arguments)
{
    for (const std::string_view argument : arguments) {
        if (isDesignOption(argument)) {
            return true;
        }
    }
    return false;
}

bool designTakes(std::string_view option, DesignQuestion question, DriveType type)
{
    for (const DesignOptionRow& r : designOptionRows) {
        if (r.name == option) {
            return (!r.question || *r.question == question) && useOf(r.value, type) != DesignUse::NotTaken;
        }
    }
    return false;
}

std::variant<DesignOptions, UsageError> parseDesignOptions(std::span<const std::string_view> arguments)
{
    DesignOptions options;
    std::optional<std::string_view> question;
    std::optional<std::string_view> type;
    std::array<std::optional<double>, designOptionRows.size()> values{};
    // With --in-units anywhere, the values in the axis's units wait for its mechanics.
    const bool inUnits = std::find(arguments.begin(), arguments.end(), std::string_view("--in-units")) != arguments.end();
    std::array<std::optional<std::string_view>, designOptionRows.size()> inUnitsTexts{};
    ByInputRow<std::optional<std::string_view>> mechanicsTexts{};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view name = arguments[i];
        std::optional<std::string_view> inlineValue;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string_view::npos) {
            inlineValue = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        if (name == "--json" || name == "--in-units") {
            if (inlineValue) {
                return usage(fmt::format(texts::en::designTakesNoValue, name));
            }
            (name == "--json" ? options.json : options.inUnits) = true;
            continue;
        }
        const InputFieldDescription* const mechanicsOption = mechanicsRow(name);
        std::size_t row = 0;
        while (row < designOptionRows.size() && designOptionRows[row].name != name) {
            ++row;
        }
        if (row == designOptionRows.size() && name != "--design" && name != "--type" && !mechanicsOption) {
            return usage(fmt::format(texts::en::designUnknownOption, arguments[i]));
        }
        std::string_view value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return usage(fmt::format(texts::en::designNeedsValue, name));
        }
        if (name == "--design" || name == "--type") {
            auto& slot = name == "--design" ? question : type;
            if (slot) {
                return usage(fmt::format(texts::en::designGivenTwice, name));
            }
            slot = value;
            continue;
        }
        if (mechanicsOption) {
            auto& slot = mechanicsTexts[mechanicsOption->id];
            if (slot) {
                return usage(fmt::format(texts::en::designGivenTwice, name));
            }
            if (mechanicsOption->id == InputField::Unit && !parseAxisUnit(value)) {
                return usage(fmt::format(texts::en::unitBadValue, value));
            }
            slot = value;
            continue;
        }
        if (values[row] || inUnitsTexts[row]) {
            return usage(fmt::format(texts::en::designGivenTwice, name));
        }
        if (inUnits && inUnitsOf(designOptionRows[row].value) != InUnits::Seconds) {
            inUnitsTexts[row] = value;
            continue;
        }
        values[row] = strictNumber(value);
        if (!values[row]) {
            return usage(fmt::format(texts::en::designBadNumber, name, value));
        }
    }
    if (std::any_of(axisRows.begin(), axisRows.end(), [&](const auto& row) { return mechanicsTexts[row.id].has_value(); })) {
        AxisMechanicsTexts given;
        for (const InputFieldDescription& row : axisRows) {
            if (mechanicsTexts[row.id]) {
                setMechanicsValue(given, row.id, *mechanicsTexts[row.id]); // the unit was checked above
            }
        }
        auto made = mechanicsOf(given);
        if (const auto* refused = std::get_if<MechanicsRefusal>(&made)) {
            return usage(fmt::format(texts::en::axisOptionBad, describe(refused->row).option, refused->figure, refused->fault));
        }
        options.mechanics = std::get<AxisMechanics>(std::move(made));
    }
    if (options.inUnits && !options.mechanics) {
        return usage(std::string(texts::en::inUnitsNeedsMechanics));
    }
    for (std::size_t row = 0; row < designOptionRows.size(); ++row) {
        if (!inUnitsTexts[row]) {
            continue;
        }
        const std::string_view text = *inUnitsTexts[row];
        const auto pulses = inUnitsOf(designOptionRows[row].value) == InUnits::Count
                                ? options.mechanics->pulseCountText(text)
                                : options.mechanics->pulseRateText(text);
        values[row] = pulses ? strictNumber(*pulses) : std::nullopt;
        if (!values[row]) {
            return usage(fmt::format(texts::en::inUnitsNotANumber, designOptionRows[row].name, text));
        }
    }
    if (question && (*question == texts::en::designFastestName || *question == texts::en::designTimeName)) {
        options.question = *question == texts::en::designFastestName ? DesignQuestion::Fastest : DesignQuestion::OnTime;
    } else {
        return usage(fmt::format(texts::en::designBadQuestion, question.value_or("")));
    }
    const auto typeIndex = type ? parseDriveType(*type) : std::nullopt;
    if (!typeIndex || *typeIndex < 0) {
        return usage(type ? fmt::format(texts::en::designBadType, *type) : std::string(texts::en::designNeedsType));
    }
    const auto driveType = static_cast<DriveType>(*typeIndex);
    options.fastest.type = driveType;
    options.onTime.type = driveType;
    const std::string_view own = questionName(options.question);
    // An option of the other question first: it says more than what this one misses.
    for (std::size_t row = 0; row < designOptionRows.size(); ++row) {
        const DesignOptionRow& r = designOptionRows[row];
        if (r.question && *r.question != options.question && values[row]) {
            return usage(fmt::format(texts::en::designOtherQuestion, r.name, questionName(*r.question), own));
        }
    }
    for (std::size_t row = 0; row < designOptionRows.size(); ++row) {
        const DesignOptionRow& r = designOptionRows[row];
        if (r.question && *r.question != options.question) {
            continue;
        }
        const DesignUse use = useOf(r.value, driveType);
        if (use == DesignUse::NotTaken && values[row]) {
            return usage(fmt::format(texts::en::designNotForType, r.name, *typeIndex));
        }
        if (use == DesignUse::Needed && !values[row]) {
            return usage(fmt::format(texts::en::designMissing, own, *typeIndex, r.name));
        }
        if (values[row]) {
            if (r.value == DesignValue::MaxAccel && use == DesignUse::Optional) {
                options.fastest.limits.peakAccel = *values[row];
            } else {
                field(options, r.value) = *values[row];
            }
        }
    }
    return options;
}

} // namespace veldronix::cli
