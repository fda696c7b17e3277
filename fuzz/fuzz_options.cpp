// Any command line through the option parser and the whole of pulsecalc. The
// files of --csv and --svg are put into a temporary folder of the fuzzer's own
// (the value picks one of a few prepared cases there: an old plot, a link to
// it, a folder, a FIFO, a circle of links), so nothing else on disk is touched;
// "--svg -" stays standard output. The bytes before the first "\xff\xff" are the arguments, split at
// NUL bytes; the bytes after it are the CSV file.
#include "cli/design_options.h"
#include "cli/machine_design.h"
#include "cli/options.h"
#include "cli/program.h"
#include "cli/texts_en.h"
#include "cli/usage.h"
#include "io/csv_reader.h"
#include "fuzz/markup_check.h"
#include "fuzz/memory_sink.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <sys/stat.h>

namespace {

using veldronix::fuzz::MemorySink;

namespace fs = std::filesystem;
using namespace veldronix::cli;

constexpr std::size_t maxArguments = 24;
constexpr std::string_view oldPlot = "the old plot\n";

std::string_view currentInput;

[[noreturn]] void fail(const char* what, std::string_view detail = {})
{
    std::fprintf(stderr, "pulsecalc contract broken: %s\n  %.*s\n", what, static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

void check(bool condition, const char* what, std::string_view detail = {})
{
    if (!condition) {
        fail(what, detail);
    }
}

const fs::path& folder()
{
    static const fs::path path = [] {
        std::string pattern = (fs::temp_directory_path() / "veldronix-fuzz-options-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        // The folder goes with the fuzzer.
        static const struct Remover {
            fs::path path;
            ~Remover()
            {
                std::error_code ignored;
                fs::remove_all(path, ignored);
            }
        } remover{pattern};
        return fs::path(pattern);
    }();
    return path;
}

// The prepared files: the CSV input, an old plot and a link to it, a folder and
// a FIFO in the way, two links naming each other; nothing else.
void prepare(std::string_view csv)
{
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder(), ignored)) {
        fs::remove_all(entry.path(), ignored);
    }
    std::ofstream(folder() / "in.csv", std::ios::binary).write(csv.data(), static_cast<std::streamsize>(csv.size()));
    std::ofstream(folder() / "plot.svg", std::ios::binary)
        .write(oldPlot.data(), static_cast<std::streamsize>(oldPlot.size()));
    fs::create_directory(folder() / "adir");
    fs::create_symlink("plot.svg", folder() / "link.svg", ignored);
    fs::create_symlink("loop-b", folder() / "loop-a", ignored);
    fs::create_symlink("loop-a", folder() / "loop-b", ignored);
    mkfifo((folder() / "fifo").c_str(), 0600);
}

std::string readFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The case a path stands for, chosen by its first byte.
fs::path csvTarget(std::string_view value)
{
    static const char* const names[] = {"in.csv", "missing.csv", "adir"};
    return folder() / names[(value.empty() ? 0 : static_cast<unsigned char>(value[0])) % 3];
}

// The machine files of a run, in the folder too: one missing, one that is no
// machine file (the prepared CSV), a folder; a file saved is saved.veldronix.json.
fs::path machineTarget(std::string_view value)
{
    static const char* const names[] = {"saved.veldronix.json", "in.csv", "adir"};
    return folder() / names[(value.empty() ? 0 : static_cast<unsigned char>(value[0])) % 3];
}

// A run with an axis or a machine's axes: mechanics or a file it cannot use
// are exit 2 with only their message; otherwise messages go with exit 1 as a
// drive's do.
void checkAxisRun(int status, std::string_view out, std::string_view err)
{
    if (status == 2) {
        check(out.empty() && err.starts_with("pulsecalc: "), "an axis or machine file refused", err);
        return;
    }
    check(status == (err.empty() ? 0 : 1), "an axis run's exit status disagrees with its messages", err);
}

fs::path svgTarget(std::string_view value)
{
    if (value == "-") {
        return "-";
    }
    static const char* const names[] = {"plot.svg", "fresh.svg", "missing/plot.svg", "adir", "link.svg", "fifo", "loop-a"};
    return folder() / names[(value.empty() ? 0 : static_cast<unsigned char>(value[0])) % 7];
}


void checkUsageError(int status, std::string_view out, std::string_view err)
{
    check(status == 2, "a usage error is not exit 2");
    check(out.empty(), "output beside a usage error", out);
    check(err.starts_with("pulsecalc: ") && err.ends_with(std::string(texts::en::usageHint) + "\n"),
          "a usage error's message", err);
}

// The real entry point refuses what a reader refused, in that reader's own words.
void checkRefusal(const UsageError& error, int status, std::string_view out, std::string_view err)
{
    check(!error.message.empty(), "a usage error without words");
    checkUsageError(status, out, err);
    check(err.find(error.message) != std::string_view::npos, "the usage error's own words", err);
}

void checkBatch(int status, std::string_view out, std::string_view err, const fs::path& csv)
{
    if (csv.filename() == "missing.csv") {
        check(status == 2 && out.empty() && err.starts_with("pulsecalc: cannot open CSV file '"),
              "a missing CSV file", err);
        return;
    }
    if (status == 2) {
        check(err.starts_with("pulsecalc: ") && out.empty(), "a failed batch's message", err);
        return;
    }
    // A batch that ran says only how many rows showed a message, when some did.
    check(status == 1 ? err.starts_with("pulsecalc: ") && err.find(" rows showed a message; the first is on line ") !=
                                                            std::string_view::npos
                      : err.empty(),
          "diagnostics of a batch that ran", err);
    std::FILE* stream = fmemopen(const_cast<char*>(out.data()), out.size(), "rb");
    check(stream != nullptr, "no stream over the output");
    {
        veldronix::io::CsvReader reader(stream);
        veldronix::io::CsvRecord record;
        std::size_t width = 0;
        std::size_t errors = 0; // the errors column, which inputFindings and the axis's figures follow
        bool anyError = false;
        bool header = true;
        while (reader.next(record)) {
            check(record.problem.empty(), "a malformed output record", record.problem);
            if (header) {
                width = record.fields.size();
                // The last one: the input's own columns come first, whatever their names.
                const auto last = std::find(record.fields.rbegin(), record.fields.rend(), "errors");
                check(last != record.fields.rend(), "a batch's header without its errors column");
                errors = static_cast<std::size_t>(record.fields.rend() - last) - 1;
            }
            check(record.fields.size() == width, "output records of different widths");
            anyError = anyError || (!header && !record.fields[errors].empty());
            header = false;
        }
        check(!header, "a batch that ran wrote no header");
        check(status == (anyError ? 1 : 0), "batch exit status disagrees with its errors column");
    }
    std::fclose(stream);
}

void checkDrive(const Options& options, int status, std::string_view out, std::string_view err,
                const fs::path& svg)
{
    const bool plotToOutput = options.svgPath && svg == "-";
    if (plotToOutput) {
        // Only the plot: a whole SVG, or nothing when there is none.
        check(out.empty() || veldronix::fuzz::svgProblem(out).empty(), "the plot on standard output", out);
    } else if (options.registers) {
        // Only the registers: a JSON object, or lines of text; nothing when none were calculated.
        const bool json = *options.registers == veldronix::report::CopyFormatKind::Json;
        check(out.empty() || (json ? veldronix::fuzz::jsonProblem(out).empty() : veldronix::fuzz::utf8Problem(out).empty()),
              "the registers on standard output", out);
        check(out.empty() || out.ends_with('\n'), "registers without their last line end", out);
    } else if (options.json) {
        const std::string problem = veldronix::fuzz::jsonProblem(out);
        check(problem.empty() && out.ends_with("}\n"), "the JSON output", problem + "\n  " + std::string(out));
        check(!options.rounded || out.find("\"rounded\":") != std::string_view::npos, "JSON without its rounded part");
        check(out.find(",\"inputFindings\":[") != std::string_view::npos, "JSON without its input findings");
        check(!options.compare || out.find("\"comparison\":") != std::string_view::npos,
              "JSON without its comparison");
    } else {
        check(veldronix::fuzz::utf8Problem(out).empty(), "plain output that is not UTF-8", out);
    }
    check(status == (err.empty() ? 0 : 1), "exit status disagrees with the messages", err);
    // Every message is an error of the dialog or the plot's failure, one a line.
    const std::string errorLead = std::string(texts::en::labelError) + ": ";
    bool plotFailed = false;
    bool noRegisters = false;
    for (std::size_t pos = 0; pos < err.size();) {
        const std::size_t end = err.find('\n', pos);
        check(end != std::string_view::npos, "a message without its line end", err);
        const std::string_view line = err.substr(pos, end - pos);
        if (err.substr(pos, end + 1 - pos) == texts::en::registersNotCalculated) {
            noRegisters = true;
            pos = end + 1;
            continue;
        }
        const bool plotLine = line.starts_with("pulsecalc: ");
        check(line.starts_with(errorLead) || plotLine, "a message of neither kind", line);
        plotFailed = plotFailed || plotLine;
        pos = end + 1;
    }
    check(!plotFailed || options.svgPath, "a plot message without --svg", err);
    check(noRegisters == (options.registers && out.empty()), "registers missing without their line, or both", err);

    check(!plotToOutput || plotFailed == out.empty(), "a plot on standard output and its message disagree", err);
    if (options.svgPath && !plotToOutput) {
        const std::string name = svg.filename().string();
        const bool noFile = name == "adir" || name == "fifo" || name == "loop-a";
        if (plotFailed || noFile || svg.parent_path().filename() == "missing") {
            check(plotFailed, "a plot written where no file can be", err);
            // The target as it was.
            if (name == "plot.svg" && svg.parent_path() == folder()) {
                check(readFile(svg) == oldPlot, "a failed plot changed the old file");
            } else if (name == "adir") {
                check(fs::is_directory(svg), "a failed plot replaced a folder");
            } else if (name == "fifo") {
                check(fs::is_fifo(svg), "a failed plot replaced a FIFO");
            } else if (name == "loop-a") {
                check(fs::is_symlink(svg), "a failed plot replaced a link");
            } else if (name == "link.svg") {
                check(readFile(folder() / "plot.svg") == oldPlot, "a failed plot changed the linked file");
            } else {
                check(!fs::exists(svg), "a failed plot left a file");
            }
        } else {
            const std::string plot = readFile(svg);
            const std::string problem = veldronix::fuzz::svgProblem(plot);
            check(problem.empty(), "the plot written", problem);
            // Through the link into the file it names; the link stays a link.
            check(name != "link.svg" || (fs::is_symlink(svg) && readFile(folder() / "plot.svg") == plot),
                  "a plot through a link");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    currentInput = std::string_view(reinterpret_cast<const char*>(data), size);
    const std::size_t marker = currentInput.find("\xff\xff");
    const std::string_view argumentBytes = currentInput.substr(0, marker);
    const std::string_view csv = marker == std::string_view::npos ? std::string_view() : currentInput.substr(marker + 2);

    std::vector<std::string_view> arguments;
    for (std::size_t pos = 0; pos <= argumentBytes.size() && arguments.size() < maxArguments;) {
        const std::size_t end = std::min(argumentBytes.find('\0', pos), argumentBytes.size());
        arguments.push_back(argumentBytes.substr(pos, end - pos));
        pos = end + 1;
    }
    if (argumentBytes.empty()) {
        arguments.clear();
    }

    MemorySink out;
    MemorySink err;
    if (arguments.empty()) {
        // No arguments: the usage on the error stream, nothing done.
        const int status = runCommandLine(arguments, out.stream(), err.stream());
        const std::string_view outText = out.close();
        check(status == 2 && outText.empty() && err.close() == usage(), "no arguments is the usage");
        return 0;
    }
    if (isDesignCommand(arguments)) {
        // A move design reads its own options: their usage errors are its words, and a design
        // that parses ends met (0) or not met (1), never with a usage error.
        const auto design = parseDesignOptions(arguments);
        const int status = runCommandLine(arguments, out.stream(), err.stream());
        const std::string_view outText = out.close();
        const std::string_view errText = err.close();
        if (isMachineDesign(arguments)) {
            // The machine's own reader takes the file first (it only reads it): every
            // axis designed, or the file or an axis's design refused.
            check(status >= 0 && status <= 2, "exit status outside 0..2");
            checkAxisRun(status, outText, errText);
        } else if (const auto* error = std::get_if<UsageError>(&design)) {
            checkRefusal(*error, status, outText, errText);
        } else {
            check((status == 0 || status == 1) && !outText.empty(), "a parsed design ends met or not met", errText);
        }
        return 0;
    }
    auto parsed = parseOptions(arguments);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        const int status = runCommandLine(arguments, out.stream(), err.stream());
        const std::string_view outText = out.close();
        checkRefusal(*error, status, outText, err.close());
        return 0;
    }
    Options options = std::get<Options>(parsed);
    check(!(options.csvPath && (options.json || options.rounded || options.svgPath)),
          "--csv accepted with a drive option");
    check(!options.svgPath || options.request.texts[veldronix::InputField::PulseCount].has_value(), "--svg accepted without --pulses");

    prepare(csv);
    fs::path csvPath;
    fs::path svgPath;
    if (options.csvPath) {
        csvPath = csvTarget(*options.csvPath);
        options.csvPath = csvPath.string();
    }
    if (options.svgPath) {
        svgPath = svgTarget(*options.svgPath);
        options.svgPath = svgPath.string();
    }
    if (options.axis.machinePath) {
        options.axis.machinePath = machineTarget(*options.axis.machinePath).string();
    }
    if (options.axis.saveMachinePath) {
        options.axis.saveMachinePath = machineTarget(*options.axis.saveMachinePath).string();
    }
    const int status = runOptions(options, out.stream(), err.stream());
    const std::string_view outText = out.close();
    const std::string_view errText = err.close();

    check(status >= 0 && status <= 2, "exit status outside 0..2");
    if (options.help) {
        check(status == 0 && outText == usage() && errText.empty(), "--help");
    } else if (options.version) {
        check(status == 0 && outText.starts_with("pulsecalc (Veldronix) ") && outText.ends_with("\n") &&
                  errText.empty(),
              "--version", outText);
    } else if (options.csvPath) {
        checkBatch(status, outText, errText, csvPath);
    } else if (options.axis.any() && status == 2) {
        // Refused mechanics or a machine file; any other axis run is judged as a drive.
        checkAxisRun(status, outText, errText);
    } else {
        checkDrive(options, status, outText, errText, svgPath);
    }

    // Nothing left in the folder but the prepared files and a plot written.
    const std::set<std::string> known = {"in.csv",   "plot.svg", "fresh.svg", "adir",  "link.svg",
                                         "fifo",     "loop-a",   "loop-b",    "saved.veldronix.json"};
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder(), ignored)) {
        check(known.count(entry.path().filename().string()) == 1, "a file left behind",
              entry.path().filename().string());
    }
    check(fs::is_empty(folder() / "adir", ignored), "a file left in the folder in the way");
    return 0;
}
