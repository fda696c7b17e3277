#include "cli/program.h"

#include "cli/batch.h"
#include "cli/design_options.h"
#include "cli/design_program.h"
#include "cli/machine_design.h"
#include "cli/machine_run.h"
#include "cli/texts_en.h"
#include "cli/usage.h"
#include "cli/message_meaning.h"
#include "cli/outcome_output.h"
#include "cli/plot_file.h"
#include "report/comparison_report.h"
#include "report/details.h"
#include "report/input_findings.h"
#include "report/rounded_report.h"
#include "veldronix/version.h"

#include <fmt/format.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

namespace veldronix::cli {
namespace {

void write(std::FILE* stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

// Standard output, every write checked: a full disk or a closed stream is
// noticed at the latest when the last bytes are flushed.
class CheckedOutput {
public:
    explicit CheckedOutput(std::FILE* stream) : stream_(stream) {}

    void write(std::string_view text)
    {
        if (error_ == 0 && std::fwrite(text.data(), 1, text.size(), stream_) != text.size()) {
            failed();
        }
    }

    // Flushes what is buffered; on failure says so with the system's reason on
    // diagnostics and returns false.
    bool finish(std::FILE* diagnostics)
    {
        if (error_ == 0 && (std::fflush(stream_) != 0 || std::ferror(stream_) != 0)) {
            failed();
        }
        if (error_ != 0) {
            cli::write(diagnostics, fmt::format(texts::en::outputFailed, std::strerror(error_)));
        }
        return error_ == 0;
    }

private:
    void failed() { error_ = errno != 0 ? errno : EIO; }

    std::FILE* stream_;
    int error_ = 0;
};

int finishOutput(CheckedOutput& output, std::FILE* err, int status)
{
    return output.finish(err) ? status : 2;
}

} // namespace

int outputFailure(std::FILE* err, int error)
{
    write(err, fmt::format(texts::en::outputFailed, std::strerror(error)));
    return 2;
}

int runOptions(const Options& options, std::FILE* out, std::FILE* err)
{
    CheckedOutput output(out);
    if (options.help) {
        output.write(usage());
        return finishOutput(output, err, 0);
    }
    if (options.version) {
        output.write(fmt::format(texts::en::versionLine, version::text));
        return finishOutput(output, err, 0);
    }
    if (options.csvPath) {
        return runBatchFile(*options.csvPath, out, err, options.axis.inUnits);
    }
    if (options.axis.any()) {
        return runAxes(options, out, err);
    }

    DriveRequest request = options.request;
    request.profile = true;
    const DriveOutcome outcome = runDrive(request);
    for (std::size_t i = 0; i < outcome.errors.size(); ++i) {
        write(err, fmt::format(texts::en::messageLine, texts::en::labelError,
                               stepLabel(outcome.errorSteps[i], request.items[InputField::Multiplier]), outcome.errors[i],
                               outcome.errorMeanings[i]));
    }
    bool plotted = true;
    if (options.svgPath == "-") {
        // The plot alone on standard output, so that it can be piped on.
        auto plot = profilePlot(texts::en::svgStandardOutput, outcome);
        if (const auto* problem = std::get_if<PlotProblem>(&plot)) {
            write(err, "pulsecalc: " + problem->message + "\n");
            plotted = false;
        } else {
            output.write(std::get<std::string>(plot));
        }
        return finishOutput(output, err, outcome.errors.empty() && plotted ? 0 : 1);
    }
    bool registersShown = true;
    if (options.registers) {
        // The registers alone on standard output, so that they can be pasted or piped on.
        if (const auto code = registersCode(outcome, *options.registers)) {
            output.write(*code);
        } else {
            write(err, texts::en::registersNotCalculated);
            registersShown = false;
        }
    } else {
        // Findings of --rounded and --compare warn about the drive; they are no message and leave the exit status alone.
        output.write(options.json ? jsonOutput(outcome, options.rounded, options.compare)
                                  : plainOutput(outcome) +
                                        (options.rounded
                                             ? report::inputFindingsPlain(outcome.inputFindings) +
                                                   report::roundedPlainSection(outcome.calculation, outcome.pulseCount)
                                             : "") +
                                        (options.compare ? report::comparisonPlainSection(outcome.calculation, outcome.inputFindings) : ""));
    }
    if (!output.finish(err)) {
        return 2;
    }
    if (options.svgPath) {
        if (const auto failure = writeProfilePlot(*options.svgPath, outcome)) {
            write(err, "pulsecalc: " + *failure + "\n");
            plotted = false;
        }
    }
    return outcome.errors.empty() && plotted && registersShown ? 0 : 1;
}

int runCommandLine(std::span<const std::string_view> arguments, std::FILE* out, std::FILE* err)
{
    if (arguments.empty()) {
        // No drive at all: how to give one, where a result would be taken for output.
        write(err, usage());
        return 2;
    }
    if (isDesignCommand(arguments)) {
        return isMachineDesign(arguments) ? runMachineDesign(arguments, out, err) : runDesign(arguments, out, err);
    }
    const auto parsed = parseOptions(arguments);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        write(err, "pulsecalc: " + error->message + "\n" + std::string(texts::en::usageHint) + "\n");
        return 2;
    }
    return runOptions(std::get<Options>(parsed), out, err);
}

} // namespace veldronix::cli
