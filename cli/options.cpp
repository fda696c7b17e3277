#include "cli/options.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "cli/cli_texts.h"
#include "core/speed_multiplier.h"

#include <fmt/format.h>

namespace veldronix::cli {
namespace {

std::optional<int> parseIntegerIn(std::string_view text, int lowest, int highest)
{
    int value = 0;
    const auto* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc{} || result.ptr != end || value < lowest || value > highest) {
        return std::nullopt;
    }
    return value;
}

UsageError usageError(std::string message)
{
    return UsageError{std::move(message)};
}

} // namespace

std::optional<int> parseDriveType(std::string_view text)
{
    static constexpr std::array<std::string_view, 4> names = {
        "symmetric-trapezoid", "symmetric-s-curve", "asymmetric-trapezoid", "asymmetric-s-curve"};
    for (std::size_t index = 0; index < names.size(); ++index) {
        if (text == names[index]) {
            return static_cast<int>(index);
        }
    }
    return parseIntegerIn(text, -1, 3);
}

std::optional<int> parseMultiplierIndex(std::string_view text)
{
    if (text.starts_with('x') || text.starts_with('X')) {
        const auto multiplier = parseIntegerIn(text.substr(1), 1, 500);
        const int index = multiplier ? multiplierIndex(*multiplier) : -1;
        return index >= 0 ? std::optional<int>(index) : std::nullopt;
    }
    return parseIntegerIn(text, -1, 8);
}

std::optional<report::CopyFormatKind> parseRegistersFormat(std::string_view text)
{
    if (text == "lines") {
        return report::CopyFormatKind::Lines;
    }
    if (text == "c") {
        return report::CopyFormatKind::C;
    }
    if (text == "json") {
        return report::CopyFormatKind::Json;
    }
    return std::nullopt;
}

std::variant<Options, UsageError> parseOptions(std::span<const std::string_view> arguments)
{
    Options options;
    bool driveOption = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view name = arguments[i];
        std::optional<std::string_view> inlineValue;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string_view::npos) {
            inlineValue = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        if (name == "--json" || name == "--rounded" || name == "--compare" || name == "--help" || name == "-h" ||
            name == "--version" || name == "--in-units") {
            if (inlineValue) {
                return usageError("option " + std::string(name) + " takes no value");
            }
            (name == "--json"      ? options.json
             : name == "--in-units" ? options.axis.inUnits
             : name == "--rounded" ? options.rounded
             : name == "--compare" ? options.compare
             : name == "--version" ? options.version
                                   : options.help) = true;
            driveOption = driveOption || name == "--json" || name == "--rounded" || name == "--compare";
            continue;
        }
        static constexpr std::array<std::string_view, 17> valued = {
            "--type",   "--initial", "--drive", "--accel", "--decel",
            "--multiplier", "--pulses", "--csv", "--svg", "--registers",
            "--axis", "--pulses-per-rev", "--gear", "--travel-per-rev", "--unit", "--machine", "--save-machine"};
        if (std::find(valued.begin(), valued.end(), name) == valued.end()) {
            return usageError("unknown option '" + std::string(arguments[i]) + "'");
        }
        std::string_view value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return usageError("option " + std::string(name) + " needs a value");
        }

        DriveRequest& request = options.request;
        driveOption = driveOption || name != "--csv";
        AxisOptions& axis = options.axis;
        if (name == "--type" || name == "--initial" || name == "--drive" || name == "--accel" || name == "--decel" ||
            name == "--multiplier" || name == "--pulses") {
            axis.givenDriveOptions.emplace_back(name);
        }
        if (name == "--unit") {
            if (value != "mm" && value != "deg") {
                return usageError(fmt::format(texts::unitBadValue, value));
            }
            axis.unit = value == "mm" ? AxisUnit::Millimetre : AxisUnit::Degree;
        } else if (name == "--axis" || name == "--pulses-per-rev" || name == "--gear" || name == "--travel-per-rev" ||
                   name == "--machine" || name == "--save-machine") {
            std::optional<std::string>& target = name == "--axis"             ? axis.name
                                                 : name == "--pulses-per-rev" ? axis.pulsesPerRev
                                                 : name == "--gear"           ? axis.gear
                                                 : name == "--travel-per-rev" ? axis.travelPerRev
                                                 : name == "--machine"        ? axis.machinePath
                                                                              : axis.saveMachinePath;
            if (target) {
                return usageError(fmt::format(texts::optionTwice, name));
            }
            target = std::string(value);
        } else if (name == "--csv") {
            if (options.csvPath) {
                return usageError("option --csv given twice");
            }
            options.csvPath = std::string(value);
        } else if (name == "--svg") {
            if (options.svgPath) {
                return usageError(std::string(texts::svgTwice));
            }
            if (value.empty()) {
                return usageError(std::string(texts::svgNeedsFile));
            }
            options.svgPath = std::string(value);
        } else if (name == "--registers") {
            if (options.registers) {
                return usageError(std::string(texts::registersTwice));
            }
            options.registers = parseRegistersFormat(value);
            if (!options.registers) {
                return usageError(fmt::format(texts::registersBadFormat, value));
            }
        } else if (name == "--type") {
            const auto type = parseDriveType(value);
            if (!type) {
                return usageError("bad --type '" + std::string(value) +
                                  "': give 0 to 3, -1, symmetric-trapezoid, symmetric-s-curve, "
                                  "asymmetric-trapezoid or asymmetric-s-curve");
            }
            request.driveType = *type;
        } else if (name == "--multiplier") {
            const auto index = parseMultiplierIndex(value);
            if (!index) {
                return usageError("bad --multiplier '" + std::string(value) + std::string(texts::multiplierOptionHint));
            }
            request.multiplierIndex = *index;
        } else if (name == "--initial") {
            request.initialSpeed = std::string(value);
        } else if (name == "--drive") {
            request.driveSpeed = std::string(value);
        } else if (name == "--accel") {
            request.accelTime = std::string(value);
        } else if (name == "--decel") {
            request.decelTime = std::string(value);
        } else {
            request.pulses = std::string(value);
        }
    }
    if (options.csvPath && driveOption) {
        return usageError(std::string(texts::csvWithDriveOption));
    }
    if (options.axis.any() && options.svgPath) {
        return usageError(std::string(texts::svgWithAxis));
    }
    if (options.svgPath && !options.request.pulses) {
        return usageError(std::string(texts::svgNeedsPulses));
    }
    if (options.svgPath == "-" && (options.json || options.rounded || options.compare || options.registers)) {
        return usageError(std::string(texts::svgStdoutAlone));
    }
    if (options.registers && (options.json || options.rounded || options.compare)) {
        return usageError(std::string(texts::registersAlone));
    }
    return options;
}

} // namespace veldronix::cli
