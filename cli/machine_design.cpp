#include "cli/machine_design.h"

#include "cli/design_options.h"
#include "cli/design_output.h"
#include "cli/program.h"
#include "cli/texts_en.h"
#include "io/json_writer.h"
#include "io/machine_file.h"
#include "report/machine_file_message.h"
#include "report/texts_en.h"
#include "core/number_format.h"

#include <fmt/format.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace veldronix::cli {
namespace {

void write(std::FILE* stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

// An option's name and its value, whether written --name VALUE or --name=VALUE.
struct Taken {
    std::optional<std::string_view> machine;
    std::optional<std::string_view> axis;
    std::vector<std::string_view> rest; // the design's own options
    std::optional<std::string> problem;
};

Taken takeMachineOptions(std::span<const std::string_view> arguments)
{
    Taken taken;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view name = arguments[i];
        std::optional<std::string_view> value;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string_view::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        if (name != "--machine" && name != "--axis") {
            taken.rest.push_back(arguments[i]);
            continue;
        }
        if (!value) {
            if (i + 1 == arguments.size()) {
                taken.problem = fmt::format(texts::en::designNeedsValue, name);
                return taken;
            }
            value = arguments[++i];
        }
        auto& slot = name == "--machine" ? taken.machine : taken.axis;
        if (slot) {
            taken.problem = fmt::format(texts::en::designGivenTwice, name);
            return taken;
        }
        slot = *value;
    }
    return taken;
}

// The value of a design option the command line gives, none when it gives none.
std::optional<std::string_view> givenValue(std::span<const std::string_view> arguments, std::string_view option)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view a = arguments[i];
        if (a == option) {
            return i + 1 < arguments.size() ? std::optional(arguments[i + 1]) : std::nullopt;
        }
        if (a.starts_with(option) && a.size() > option.size() && a[option.size()] == '=') {
            return a.substr(option.size() + 1);
        }
    }
    return std::nullopt;
}

// The axis's own values of the design's options, as the dialog holds them.
std::vector<std::pair<std::string_view, std::string>> axisValues(const io::MachineAxis& axis)
{
    return {
        {"--type", std::to_string(axis.driveType)},
        {"--initial", axis.initialSpeed},
        {"--pulses", axis.pulseCount.value_or("")},
        {"--accel", axis.accelTime},
        {"--decel", axis.decelTime},
    };
}

// The design's command line of one axis: the command line's options, then the
// axis's values of those it leaves out and the question takes.
std::vector<std::string> axisArguments(std::span<const std::string_view> rest, const io::MachineAxis& axis)
{
    std::vector<std::string> arguments(rest.begin(), rest.end());
    const std::optional<std::string_view> question = givenValue(rest, "--design");
    const std::optional<std::string_view> typeText = givenValue(rest, "--type");
    const std::optional<int> typeIndex = typeText ? parseDriveType(*typeText) : std::optional<int>(axis.driveType);
    if (!question || !typeIndex || *typeIndex < 0 || *typeIndex > 3) {
        return arguments; // the design's own reading says what is wrong
    }
    const DesignQuestion asked = *question == texts::en::designFastestName ? DesignQuestion::Fastest : DesignQuestion::OnTime;
    const auto type = static_cast<DriveType>(*typeIndex);
    // The axis's speeds and pulse count are PPS: with --in-units the command line gives them in its units.
    const bool inUnits = std::find(rest.begin(), rest.end(), std::string_view("--in-units")) != rest.end();
    for (const auto& [option, text] : axisValues(axis)) {
        const bool taken = option == "--type" || designTakes(option, asked, type);
        const bool inPulses = option == "--initial" || option == "--pulses";
        if (taken && !text.empty() && !givenValue(rest, option) && !(inUnits && inPulses)) {
            arguments.emplace_back(option);
            arguments.push_back(text);
        }
    }
    // The axis's mechanics, unless the command line gives its own.
    const auto mentions = [&rest](std::string_view option) {
        return std::any_of(rest.begin(), rest.end(), [option](std::string_view a) {
            return a == option || (a.starts_with(option) && a.size() > option.size() && a[option.size()] == '=');
        });
    };
    const bool ownMechanics =
        mentions("--pulses-per-rev") || mentions("--gear") || mentions("--travel-per-rev") || mentions("--unit");
    if (axis.mechanics && !ownMechanics) {
        const AxisMechanicsTexts& m = axis.mechanics->texts();
        for (const auto& [option, text] : {std::pair{"--pulses-per-rev", m.pulsesPerRev}, std::pair{"--gear", m.gear},
                                           std::pair{"--travel-per-rev", m.travelPerRev}}) {
            if (!text.empty()) {
                arguments.emplace_back(option);
                arguments.push_back(text);
            }
        }
        arguments.emplace_back("--unit");
        arguments.emplace_back(m.unit == AxisUnit::Millimetre ? "mm" : "deg");
    }
    return arguments;
}

std::string fail(std::string_view message)
{
    return "pulsecalc: " + std::string(message) + "\n";
}

struct AxisDesign {
    std::string name;
    DesignOptions options;
    design::MoveDesign design;
};

// A time for a person: the difference of two move times without the last bits' noise.
std::string seconds(double value)
{
    return formatShortest(std::round(value * 1e9) / 1e9);
}

std::string summaryPlain(const std::vector<AxisDesign>& axes)
{
    const AxisDesign* latest = nullptr;
    const AxisDesign* earliest = nullptr;
    for (const AxisDesign& a : axes) {
        if (!a.design.settings) {
            continue;
        }
        const double end = a.design.settings->real.moveTime;
        if (latest == nullptr || end > latest->design.settings->real.moveTime) {
            latest = &a;
        }
        if (earliest == nullptr || end < earliest->design.settings->real.moveTime) {
            earliest = &a;
        }
    }
    if (latest == nullptr) {
        return std::string(texts::en::machineDesignNoEnd);
    }
    const double last = latest->design.settings->real.moveTime;
    const double first = earliest->design.settings->real.moveTime;
    return fmt::format(texts::en::machineDesignSummary, seconds(last), latest->name, seconds(last - first),
                       earliest->name);
}

std::string summaryJson(const std::vector<AxisDesign>& axes)
{
    io::JsonWriter json;
    std::optional<double> latest;
    std::optional<double> earliest;
    for (const AxisDesign& a : axes) {
        if (a.design.settings) {
            const double end = a.design.settings->real.moveTime;
            latest = std::max(latest.value_or(end), end);
            earliest = std::min(earliest.value_or(end), end);
        }
    }
    json.beginObject();
    json.key("latestEnd");
    latest ? json.number(*latest) : json.null();
    json.key("endSpread");
    latest ? json.number(*latest - *earliest) : json.null();
    json.endObject();
    return json.text();
}

std::string jsonName(std::string_view name)
{
    io::JsonWriter json;
    json.string(name);
    return json.text();
}

} // namespace

bool isMachineDesign(std::span<const std::string_view> arguments)
{
    return std::any_of(arguments.begin(), arguments.end(),
                       [](std::string_view a) { return a == "--machine" || a.starts_with("--machine="); });
}

int runMachineDesign(std::span<const std::string_view> arguments, std::FILE* out, std::FILE* err)
{
    const Taken taken = takeMachineOptions(arguments);
    if (taken.problem) {
        write(err, fail(*taken.problem) + std::string(texts::en::usageHint) + "\n");
        return 2;
    }
    if (!taken.machine) {
        // "--machine=…" was only the value of another option (--axis --machine=X).
        write(err, fail(fmt::format(texts::en::designNeedsValue, "--machine")) + std::string(texts::en::usageHint) + "\n");
        return 2;
    }
    const std::string path(*taken.machine);
    auto machine = io::loadMachineFile(path);
    if (const auto* error = std::get_if<io::MachineFileError>(&machine)) {
        write(err, fail(report::machineFileMessage(fmt::format(texts::en::machineFileName, path), *error,
                                                   report::texts::en::machineFile, report::texts::en::fileWrite)));
        return 2;
    }
    std::vector<AxisDesign> designs;
    for (const io::MachineAxis& axis : std::get<io::Machine>(machine).axes) {
        if (taken.axis && axis.name != *taken.axis) {
            continue;
        }
        const std::vector<std::string> own = axisArguments(taken.rest, axis);
        const std::vector<std::string_view> views(own.begin(), own.end());
        const auto parsed = parseDesignOptions(views);
        if (const auto* error = std::get_if<UsageError>(&parsed)) {
            write(err, fail(fmt::format(texts::en::machineDesignAxis, axis.name, error->message)) +
                           std::string(texts::en::usageHint) + "\n");
            return 2;
        }
        const DesignOptions& options = std::get<DesignOptions>(parsed);
        designs.push_back({axis.name, options,
                           options.question == DesignQuestion::Fastest ? design::designFastestMove(options.fastest)
                                                                       : design::designOnTimeMove(options.onTime)});
    }
    if (designs.empty()) {
        write(err, fail(fmt::format(texts::en::machineNoAxis, path, taken.axis.value_or(""))));
        return 2;
    }

    const bool json = designs.front().options.json;
    std::string text = json ? "{\"axes\":[" : "";
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const AxisDesign& a = designs[i];
        if (json) {
            // {"design":{...}}\n as one axis's object, its name first.
            const std::string one = designJson(a.options, a.design);
            text += (i > 0 ? "," : "") + std::string("{\"name\":") + jsonName(a.name) + "," +
                    one.substr(1, one.size() - 2);
        } else {
            text += fmt::format(texts::en::machineDesignHeading, i > 0 ? "\n" : "", a.name) +
                    designPlain(a.options, a.design);
        }
    }
    if (json) {
        const std::string summary = summaryJson(designs);
        text += "]," + summary.substr(1) + "\n";
    } else {
        text += summaryPlain(designs);
    }
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0) {
        return outputFailure(err, errno != 0 ? errno : EIO);
    }
    bool met = true;
    for (const AxisDesign& a : designs) {
        if (!a.design.met) {
            write(err, fmt::format(texts::en::machineDesignNotMet, a.name, designReason(a.design)));
            met = false;
        }
    }
    return met ? 0 : 1;
}

} // namespace veldronix::cli
