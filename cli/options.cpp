#include "cli/options.h"

#include "core/utf8.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "cli/texts_en.h"
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

std::optional<int> parseItem(InputField field, std::string_view text)
{
    if (field == InputField::DriveType) {
        return parseDriveType(text);
    }
    if (field == InputField::Multiplier) {
        return parseMultiplierIndex(text);
    }
    return std::nullopt;
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
                return usageError(fmt::format(texts::en::optionTakesNoValue, name));
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
        static constexpr std::array<std::string_view, 5> valued = {"--csv", "--svg", "--registers", "--machine",
                                                                   "--save-machine"};
        const auto field = std::find_if(inputRows.begin(), inputRows.end(),
                                         [name](const InputFieldDescription& f) { return f.option == name; });
        if (field == inputRows.end() && std::find(valued.begin(), valued.end(), name) == valued.end()) {
            return usageError(fmt::format(texts::en::optionUnknown, arguments[i]));
        }
        std::string_view value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return usageError(fmt::format(texts::en::optionNeedsValue, name));
        }

        DriveRequest& request = options.request;
        driveOption = driveOption || name != "--csv";
        AxisOptions& axis = options.axis;
        const bool axisValue = field != inputRows.end() && field->step == FieldStep::Axis;
        if (field != inputRows.end() && !axisValue) {
            axis.givenDriveOptions.emplace_back(name);
        }
        if (axisValue || name == "--machine" || name == "--save-machine") {
            std::optional<std::string>& target = axisValue           ? axis.values[field->id]
                                                 : name == "--machine" ? axis.machinePath
                                                                       : axis.saveMachinePath;
            if (target) {
                return usageError(fmt::format(texts::en::optionTwice, name));
            }
            if (axisValue && field->kind == FieldKind::Selector && !parseAxisUnit(value)) {
                return usageError(fmt::format(texts::en::unitBadValue, value));
            }
            // The name is written into every output and the machine file, all UTF-8.
            if (axisValue && field->kind == FieldKind::Text && validUtf8(value) != value) {
                return usageError(std::string(texts::en::axisNameNotUtf8));
            }
            target = std::string(value);
        } else if (name == "--csv") {
            if (options.csvPath) {
                return usageError(std::string(texts::en::csvTwice));
            }
            options.csvPath = std::string(value);
        } else if (name == "--svg") {
            if (options.svgPath) {
                return usageError(std::string(texts::en::svgTwice));
            }
            if (value.empty()) {
                return usageError(std::string(texts::en::svgNeedsFile));
            }
            options.svgPath = std::string(value);
        } else if (name == "--registers") {
            if (options.registers) {
                return usageError(std::string(texts::en::registersTwice));
            }
            options.registers = parseRegistersFormat(value);
            if (!options.registers) {
                return usageError(fmt::format(texts::en::registersBadFormat, value));
            }
        } else if (field->kind == FieldKind::Number) {
            request.texts[field->id] = std::string(value);
        } else if (const auto item = parseItem(field->id, value)) {
            request.items[field->id] = *item;
        } else if (field->id == InputField::DriveType) {
            return usageError(fmt::format(texts::en::typeBadOption, value, texts::en::typeHint));
        } else {
            return usageError(fmt::format(texts::en::multiplierBadOption, value, texts::en::multiplierOptionHint));
        }
    }
    if (options.csvPath && driveOption) {
        return usageError(std::string(texts::en::csvWithDriveOption));
    }
    // One plot, of one axis: a machine file's several axes are one too many.
    if (options.svgPath && options.axis.machinePath && !options.axis.name()) {
        return usageError(std::string(texts::en::svgWithAxis));
    }
    // A machine file's axis may hold the pulse count.
    if (options.svgPath && !options.axis.machinePath && !options.request.texts[InputField::PulseCount]) {
        return usageError(std::string(texts::en::svgNeedsPulses));
    }
    if (options.svgPath == "-" && (options.json || options.rounded || options.compare || options.registers)) {
        return usageError(std::string(texts::en::svgStdoutAlone));
    }
    if (options.registers && (options.json || options.rounded || options.compare)) {
        return usageError(std::string(texts::en::registersAlone));
    }
    return options;
}

} // namespace veldronix::cli
