#include "cli/batch.h"
#include "cli/cli_texts.h"
#include "cli/options.h"
#include "cli/outcome_output.h"
#include "cli/plot_file.h"
#include "cli/rounded_output.h"
#include "cli/utf8_console.h"

#include <cstdio>
#include <string_view>
#include <vector>

namespace {

void write(std::FILE* stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

} // namespace

int main(int argc, char** argv)
{
    using namespace veldronix::cli;
    useUtf8Output();
    const std::vector<std::string> arguments = utf8Arguments(argc, argv);
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());

    const auto parsed = parseOptions(views);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        write(stderr, "pulsecalc: " + error->message + "\n" + std::string(texts::usageHint) + "\n");
        return 2;
    }
    const auto& options = std::get<Options>(parsed);
    if (options.help) {
        write(stdout, texts::usage);
        return 0;
    }

    if (options.csvPath) {
        return runBatchFile(*options.csvPath, stdout, stderr);
    }

    DriveRequest request = options.request;
    request.profile = true;
    const DriveOutcome outcome = runDrive(request);
    for (const auto& message : outcome.errors) {
        write(stderr, std::string(texts::labelError) + ": " + message + "\n");
    }
    std::string output = options.json ? jsonOutput(outcome) : plainOutput(outcome);
    if (options.rounded) {
        // Findings warn about the drive; they are no message and leave the exit status alone.
        output = options.json ? withJsonMember(std::move(output), roundedJsonMember(options.request, outcome))
                              : output + roundedPlainSection(options.request, outcome);
    }
    write(stdout, output);
    std::fflush(stdout);
    bool plotted = true;
    if (options.svgPath) {
        if (const auto failure = writeProfilePlot(*options.svgPath, outcome)) {
            write(stderr, "pulsecalc: " + *failure + "\n");
            plotted = false;
        }
    }
    return outcome.errors.empty() && plotted ? 0 : 1;
}
