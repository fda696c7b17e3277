#include "cli/program.h"

#include "cli/batch.h"
#include "cli/cli_texts.h"
#include "cli/outcome_output.h"
#include "cli/plot_file.h"
#include "report/rounded_report.h"

#include <string>

namespace veldronix::cli {
namespace {

void write(std::FILE* stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

} // namespace

int runOptions(const Options& options, std::FILE* out, std::FILE* err)
{
    if (options.help) {
        write(out, texts::usage);
        return 0;
    }
    if (options.csvPath) {
        return runBatchFile(*options.csvPath, out, err);
    }

    DriveRequest request = options.request;
    request.profile = true;
    const DriveOutcome outcome = runDrive(request);
    for (const auto& message : outcome.errors) {
        write(err, std::string(texts::labelError) + ": " + message + "\n");
    }
    // Findings of --rounded warn about the drive; they are no message and leave the exit status alone.
    std::string output = options.json ? jsonOutput(outcome, options.rounded)
                                      : plainOutput(outcome) + (options.rounded ? report::roundedPlainSection(outcome.calculation, outcome.pulseCount) : "");
    write(out, output);
    std::fflush(out);
    bool plotted = true;
    if (options.svgPath) {
        if (const auto failure = writeProfilePlot(*options.svgPath, outcome)) {
            write(err, "pulsecalc: " + *failure + "\n");
            plotted = false;
        }
    }
    return outcome.errors.empty() && plotted ? 0 : 1;
}

int runCommandLine(std::span<const std::string_view> arguments, std::FILE* out, std::FILE* err)
{
    const auto parsed = parseOptions(arguments);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        write(err, "pulsecalc: " + error->message + "\n" + std::string(texts::usageHint) + "\n");
        return 2;
    }
    return runOptions(std::get<Options>(parsed), out, err);
}

} // namespace veldronix::cli
