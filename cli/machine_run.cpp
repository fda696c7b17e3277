#include "cli/machine_run.h"

#include "cli/mechanics_of.h"
#include "cli/texts_en.h"
#include "cli/message_meaning.h"
#include "cli/outcome_output.h"
#include "cli/plot_file.h"
#include "cli/program.h"
#include "core/utf8.h"
#include "io/json_writer.h"
#include "io/machine_file.h"
#include "report/axis_report.h"
#include "report/comparison_report.h"
#include "report/details.h"
#include "report/input_findings.h"
#include "report/machine_file_message.h"
#include "report/texts_en.h"
#include "report/rounded_report.h"

#include <fmt/format.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace veldronix::cli {

namespace {

void write(std::FILE* stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

std::string machineMessage(std::string_view path, const io::MachineFileError& error)
{
    return report::machineFileMessage(fmt::format(texts::en::machineFileName, path), error, report::texts::en::machineFile,
                                      report::texts::en::fileWrite);
}

bool given(const Options& options, std::string_view name)
{
    const auto& names = options.axis.givenDriveOptions;
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The run's axis: the file's (or a new one), with every option given on the command line in place of its value.
std::variant<io::MachineAxis, std::string> runAxis(const Options& options, io::MachineAxis axis)
{
    const AxisOptions& o = options.axis;
    const DriveRequest& r = options.request;
    if (given(options, "--type")) {
        axis.driveType = r.items[InputField::DriveType].value_or(0);
    }
    for (const auto& [field, text] : {std::pair{InputField::InitialSpeed, &axis.initialSpeed},
                                      std::pair{InputField::DriveSpeed, &axis.driveSpeed},
                                      std::pair{InputField::AccelTime, &axis.accelTime},
                                      std::pair{InputField::DecelTime, &axis.decelTime}}) {
        if (given(options, describe(field).option)) {
            *text = r.texts[field].value_or("");
        }
    }
    if (given(options, "--multiplier")) {
        axis.multiplierIndex = r.items[InputField::Multiplier];
    }
    if (given(options, "--pulses")) {
        axis.pulseCount = r.texts[InputField::PulseCount];
    }
    AxisMechanicsTexts mechanics = axis.mechanics ? axis.mechanics->texts() : AxisMechanicsTexts{};
    const bool anyMechanics = axis.mechanics || o.anyMechanics();
    for (const InputFieldDescription& row : axisRows) {
        if (o.values[row.id]) {
            setMechanicsValue(mechanics, row.id, *o.values[row.id]); // the unit was checked with the options
        }
    }
    if (anyMechanics) {
        auto made = mechanicsOf(mechanics);
        if (const auto* refused = std::get_if<MechanicsRefusal>(&made)) {
            return fmt::format(texts::en::axisOptionBad, describe(refused->row).option, refused->figure, refused->fault);
        }
        axis.mechanics = std::get<AxisMechanics>(std::move(made));
    }
    if (o.inUnits) {
        if (!axis.mechanics) {
            return std::string(texts::en::inUnitsNeedsMechanics);
        }
        // Only what the command line gives is in units; a file's fields are in PPS.
        for (const auto& [name, text] : {std::pair{"--initial", &axis.initialSpeed}, std::pair{"--drive", &axis.driveSpeed}}) {
            if (given(options, name) && !text->empty()) {
                const auto pps = axis.mechanics->pulseRateText(*text);
                if (!pps) {
                    return fmt::format(texts::en::inUnitsNotANumber, name, *text);
                }
                *text = *pps;
            }
        }
        if (given(options, "--pulses") && axis.pulseCount && !axis.pulseCount->empty()) {
            const auto pulses = axis.mechanics->pulseCountText(*axis.pulseCount);
            if (!pulses) {
                return fmt::format(texts::en::inUnitsNotANumber, "--pulses", *axis.pulseCount);
            }
            axis.pulseCount = *pulses;
        }
    }
    return axis;
}

DriveRequest requestOf(const io::MachineAxis& axis)
{
    DriveRequest request;
    request.items[InputField::DriveType] = axis.driveType;
    request.texts[InputField::InitialSpeed] = axis.initialSpeed;
    request.texts[InputField::DriveSpeed] = axis.driveSpeed;
    request.texts[InputField::AccelTime] = axis.accelTime;
    request.texts[InputField::DecelTime] = axis.decelTime;
    request.items[InputField::Multiplier] = axis.multiplierIndex;
    request.texts[InputField::PulseCount] = axis.pulseCount;
    request.profile = true;
    return request;
}

// The C macros of one axis of a machine, named after it: X_R, X_A, ...
std::string prefixedMacros(std::string code, std::string_view axisName)
{
    constexpr std::string_view plain = "#define DRIVE_";
    const std::string named = "#define " + axisMacroPrefix(axisName) + "_";
    for (std::size_t at = code.find(plain); at != std::string::npos; at = code.find(plain, at + named.size())) {
        code.replace(at, plain.size(), named);
    }
    return code;
}

std::string axisOutput(const Options& options, const io::MachineAxis& run, const DriveOutcome& outcome,
                       bool& registersShown)
{
    const Axis axis{run.name, run.mechanics};
    const AxisMechanics* mechanics = axis.mechanics ? &*axis.mechanics : nullptr;
    if (options.registers) {
        const auto code = registersCode(outcome, *options.registers);
        if (!code) {
            registersShown = false;
            return {};
        }
        return options.axis.machinePath && *options.registers == report::CopyFormatKind::C
                   ? prefixedMacros(*code, run.name)
                   : *code;
    }
    if (options.json) {
        return jsonOutput(outcome, options.rounded, options.compare, [&](io::JsonWriter& json) {
            // The texts as typed, each malformed byte shown as U+FFFD: JSON is UTF-8.
            json.key("fields");
            json.beginObject();
            json.member("initialSpeed", validUtf8(run.initialSpeed));
            json.member("driveSpeed", validUtf8(run.driveSpeed));
            json.member("accelTime", validUtf8(run.accelTime));
            json.member("decelTime", validUtf8(run.decelTime));
            json.key("pulses");
            run.pulseCount ? json.string(validUtf8(*run.pulseCount)) : json.null();
            json.endObject();
            json.key("axis");
            report::writeAxisJson(json, axis);
            json.key("inUnits");
            if (axis.mechanics) {
                report::writeInUnitsJson(json, *axis.mechanics, outcome.calculation, outcome.pulseCount);
            } else {
                json.null();
            }
        }, mechanics);
    }
    return plainOutput(outcome) +
           (options.rounded ? report::inputFindingsPlain(outcome.inputFindings) +
                                  report::roundedPlainSection(outcome.calculation, outcome.pulseCount)
                            : "") +
           (options.compare ? report::comparisonPlainSection(outcome.calculation, outcome.inputFindings, mechanics) : "") +
           report::axisPlainSection(axis, outcome.calculation, outcome.pulseCount);
}

int fail(std::FILE* err, std::string_view message)
{
    write(err, "pulsecalc: " + std::string(message) + "\n");
    return 2;
}

} // namespace

int runAxes(const Options& options, std::FILE* out, std::FILE* err)
{
    const AxisOptions& o = options.axis;
    std::vector<io::MachineAxis> axes;
    if (o.machinePath) {
        auto machine = io::loadMachineFile(*o.machinePath);
        if (const auto* error = std::get_if<io::MachineFileError>(&machine)) {
            return fail(err, machineMessage(*o.machinePath, *error));
        }
        for (io::MachineAxis& axis : std::get<io::Machine>(machine).axes) {
            if (!o.name() || axis.name == *o.name()) {
                axes.push_back(std::move(axis));
            }
        }
        if (axes.empty()) {
            return fail(err, fmt::format(texts::en::machineNoAxis, *o.machinePath, o.name().value_or("")));
        }
    } else {
        io::MachineAxis axis;
        axis.name = o.name().value_or("");
        axes.push_back(std::move(axis));
    }
    for (io::MachineAxis& axis : axes) {
        auto run = runAxis(options, std::move(axis));
        if (const auto* problem = std::get_if<std::string>(&run)) {
            return fail(err, *problem);
        }
        axis = std::get<io::MachineAxis>(std::move(run));
    }

    if (o.saveMachinePath) {
        if (!o.name() && !o.machinePath) {
            return fail(err, texts::en::saveMachineNeedsName);
        }
        // The other axes of an existing file are kept; a file that is there but
        // cannot be read is not replaced.
        io::Machine machine;
        auto existing = io::loadMachineFile(*o.saveMachinePath);
        if (auto* kept = std::get_if<io::Machine>(&existing)) {
            machine = std::move(*kept);
        } else if (const auto& error = std::get<io::MachineFileError>(existing);
                   error.problem != io::MachineFileProblem::CannotRead || error.detail != std::strerror(ENOENT)) {
            return fail(err, machineMessage(*o.saveMachinePath, error));
        }
        for (const io::MachineAxis& axis : axes) {
            machine.replaceOrAdd(axis);
        }
        if (const auto error = io::saveMachineFile(*o.saveMachinePath, machine)) {
            return fail(err, machineMessage(*o.saveMachinePath, *error));
        }
    }

    const bool several = o.machinePath && !o.name();
    std::string output = several && options.json && !options.registers ? "[" : "";
    bool messages = false;
    bool registersShown = true;
    bool plotted = true;
    for (std::size_t i = 0; i < axes.size(); ++i) {
        const DriveRequest request = requestOf(axes[i]);
        const DriveOutcome outcome = runDrive(request);
        if (options.svgPath && !request.texts[InputField::PulseCount]) {
            return fail(err, texts::en::svgNeedsPulses);
        }
        for (std::size_t m = 0; m < outcome.errors.size(); ++m) {
            write(err, fmt::format(texts::en::messageLine, texts::en::labelError,
                                   stepLabel(outcome.errorSteps[m], request.items[InputField::Multiplier]), outcome.errors[m],
                                   outcome.errorMeanings[m]));
        }
        messages = messages || !outcome.errors.empty();
        // The plot is of the drive's pulses, in PPS, as without an axis.
        if (options.svgPath == "-") {
            auto plot = profilePlot(texts::en::svgStandardOutput, outcome);
            if (const auto* problem = std::get_if<PlotProblem>(&plot)) {
                write(err, "pulsecalc: " + problem->message + "\n");
                plotted = false;
            } else {
                output += std::get<std::string>(plot);
            }
            continue;
        }
        if (options.svgPath) {
            if (const auto failure = writeProfilePlot(*options.svgPath, outcome)) {
                write(err, "pulsecalc: " + *failure + "\n");
                plotted = false;
            }
        }
        std::string text = axisOutput(options, axes[i], outcome, registersShown);
        if (several && options.json && !options.registers) {
            text.pop_back(); // the line break: the objects are items of one array
            output += (i > 0 ? "," : "") + text;
        } else {
            output += (i > 0 && !options.registers ? "\n" : "") + text;
        }
    }
    if (several && options.json && !options.registers) {
        output += "]\n";
    }
    if (!registersShown) {
        write(err, texts::en::registersNotCalculated);
    }
    if (std::fwrite(output.data(), 1, output.size(), out) != output.size() || std::fflush(out) != 0) {
        return outputFailure(err, errno != 0 ? errno : EIO);
    }
    return messages || !registersShown || !plotted ? 1 : 0;
}

} // namespace veldronix::cli
