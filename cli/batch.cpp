#include "cli/batch.h"

#include "cli/cli_texts.h"
#include "io/csv_writer.h"
#include "cli/options.h"
#include "io/wide_text.h"
#include "report/input_findings.h"

#include <fmt/format.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#endif

namespace veldronix::cli {
namespace {

constexpr std::array<std::string_view, 7> inputColumns = {
    "type", "initial", "drive", "accel", "decel", "multiplier", "pulses"};
constexpr std::size_t requiredColumns = 5;
// The output columns after the input columns: the summary, one per register, then these.
// Every output column's name differs from every input column's, so that readers
// that key a row by its header (csv.DictReader, pandas) keep all of them: the
// multiplier the selector shows is multiplierShown, the input cell multiplier.
// inputFindings comes last, so that the columns before it keep their places.
constexpr std::array<std::string_view, 4> closingColumns = {"multiplierShown", "decelPoint", "errors",
                                                            "inputFindings"};
constexpr std::size_t outputColumnCount = 1 + settingRegisters.size() + closingColumns.size();

void writeText(std::FILE* stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

void usageMessage(std::FILE* diagnostics, std::string_view message)
{
    writeText(diagnostics, "pulsecalc: " + std::string(message) + "\n" + std::string(texts::usageHint) + "\n");
}

std::string linePrefix(std::size_t line)
{
    return "line " + std::to_string(line) + ": ";
}

std::string joinLines(const std::vector<std::string>& messages)
{
    std::string out;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        out += i == 0 ? "" : "\n";
        out += messages[i];
    }
    return out;
}

std::string recordText(const io::CsvRecord& record)
{
    std::string out;
    for (std::size_t i = 0; i < record.fields.size(); ++i) {
        out += i == 0 ? "" : ",";
        out += io::csvField(record.fields[i]);
    }
    return out;
}

void writeInputColumns(io::CsvWriter& writer, const io::CsvRecord& row, std::size_t columns)
{
    for (std::size_t i = 0; i < columns; ++i) {
        writer.field(i < row.fields.size() ? std::string_view(row.fields[i]) : std::string_view());
    }
}

// Opens a file named in UTF-8, as every argument is.
std::FILE* openForReading(std::string_view path)
{
#ifdef _WIN32
    const auto wide = io::widePath(path);
    if (!wide) {
        errno = EINVAL; // no file has a name that is not UTF-8
        return nullptr;
    }
    return _wfopen(wide->c_str(), L"rb");
#else
    return std::fopen(std::string(path).c_str(), "rb");
#endif
}

} // namespace

std::size_t batchHeaderColumns(const io::CsvRecord& header)
{
    const std::size_t count = header.fields.size();
    if (!header.problem.empty() || count < requiredColumns || count > inputColumns.size()) {
        return 0;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (header.fields[i] != inputColumns[i]) {
            return 0;
        }
    }
    return count;
}

namespace {

// The drive of a row, its texts viewed in the row, or the messages that say why
// the row is no drive: the checks of batchRequest, without a copy of any text,
// for the millions of rows of a batch.
std::variant<DriveFields, std::vector<std::string>> rowFields(const io::CsvRecord& row, std::size_t columns)
{
    std::vector<std::string> problems;
    // Built only for a bad row: the prefix is no cost to the millions of good ones.
    auto problem = [&](std::string_view text) {
        problems.push_back(linePrefix(row.line));
        problems.back() += text;
    };
    if (!row.problem.empty()) {
        problem(row.problem);
    }
    const std::size_t count = row.fields.size();
    if (count < requiredColumns || count > columns) {
        std::string expected = std::to_string(requiredColumns);
        if (columns > requiredColumns) {
            expected += " to " + std::to_string(columns);
        }
        problem(std::to_string(count) + (count == 1 ? " field" : " fields") + ", expected " + expected);
        return problems;
    }

    DriveFields request;
    if (const auto type = parseDriveType(row.fields[0])) {
        request.driveType = *type;
    } else {
        problem("unknown type '" + row.fields[0] + "'" + std::string(texts::typeHint));
    }
    request.initialSpeed = row.fields[1];
    request.driveSpeed = row.fields[2];
    request.accelTime = row.fields[3];
    request.decelTime = row.fields[4];
    if (count > 5 && !row.fields[5].empty()) {
        if (const auto index = parseMultiplierIndex(row.fields[5])) {
            request.multiplierIndex = *index;
        } else {
            problem("bad multiplier '" + row.fields[5] + "'" + std::string(texts::multiplierHint));
        }
    }
    // An empty pulse-count cell is no pulse count, as an empty multiplier cell is
    // no multiplier: a spreadsheet writes every column of every row.
    if (count > 6 && !row.fields[6].empty()) {
        request.pulses = row.fields[6];
    }
    if (!problems.empty()) {
        return problems;
    }
    return request;
}

} // namespace

std::variant<DriveRequest, std::vector<std::string>> batchRequest(const io::CsvRecord& row, std::size_t columns)
{
    auto fields = rowFields(row, columns);
    if (auto* problems = std::get_if<std::vector<std::string>>(&fields)) {
        return std::move(*problems);
    }
    const DriveFields& view = std::get<DriveFields>(fields);
    DriveRequest request;
    request.driveType = view.driveType;
    request.initialSpeed = view.initialSpeed;
    request.driveSpeed = view.driveSpeed;
    request.accelTime = view.accelTime;
    request.decelTime = view.decelTime;
    request.multiplierIndex = view.multiplierIndex;
    if (view.pulses) {
        request.pulses = std::string(*view.pulses);
    }
    return request;
}

int runBatch(std::FILE* input, std::FILE* output, std::FILE* diagnostics)
{
    io::CsvReader reader(input);
    io::CsvWriter writer(output);
    io::CsvRecord record;
    if (!reader.next(record)) {
        usageMessage(diagnostics, reader.readFailed() ? std::string(texts::csvReadFailed) + ": " +
                                                            std::strerror(reader.readError())
                                                      : std::string(texts::csvNoHeader));
        return 2;
    }
    const std::size_t columns = batchHeaderColumns(record);
    if (columns == 0) {
        usageMessage(diagnostics, "bad CSV header '" + recordText(record) + "': " + std::string(texts::csvHeaderHint));
        return 2;
    }
    for (std::size_t i = 0; i < columns; ++i) {
        writer.field(inputColumns[i]);
    }
    writer.field("summary");
    for (const RegisterDescription& entry : settingRegisters) {
        writer.field(entry.name);
    }
    for (const auto name : closingColumns) {
        writer.field(name);
    }
    writer.endRecord();

    DriveSession session;
    std::size_t rows = 0;
    std::size_t rowsWithMessage = 0;
    std::size_t firstLineWithMessage = 0;
    auto noteMessage = [&] {
        firstLineWithMessage = rowsWithMessage == 0 ? record.line : firstLineWithMessage;
        ++rowsWithMessage;
    };
    while (reader.next(record)) {
        ++rows;
        writeInputColumns(writer, record, columns);
        const auto request = rowFields(record, columns);
        if (const auto* problems = std::get_if<std::vector<std::string>>(&request)) {
            noteMessage();
            // A row that is no drive was not read by the controller: no findings.
            for (std::size_t i = 0; i + 2 < outputColumnCount; ++i) {
                writer.field({});
            }
            writer.field(joinLines(*problems));
            writer.field({});
            writer.endRecord();
            continue;
        }
        const FieldView& view = session.run(std::get<DriveFields>(request));
        if (!view.errors().empty()) {
            noteMessage();
        }
        writer.field(view.text(ControlId::IDC_SUMMARY));
        for (const RegisterDescription& entry : settingRegisters) {
            writer.field(view.text(valueField(entry.id)));
        }
        writer.field(view.selectorText(ControlId::IDC_MULTIPLIER));
        writer.field(view.text(ControlId::IDC_DECEL_POINT));
        writer.field(joinLines(view.errors()));
        const auto& reading = session.controller().lastReading();
        writer.field(reading ? report::inputFindingLines(report::findInputProblems(*reading)) : std::string());
        writer.endRecord();
    }
    // A stream that stops part way must not pass for a finished batch.
    if (reader.readFailed()) {
        writer.flush();
        usageMessage(diagnostics, std::string(texts::csvReadFailed) + ": " + std::strerror(reader.readError()));
        return 2;
    }
    if (!writer.flush()) {
        writeText(diagnostics, "pulsecalc: " + std::string(texts::csvWriteFailed) + "\n");
        return 2;
    }
    if (rowsWithMessage == 0) {
        return 0;
    }
    writeText(diagnostics, fmt::format(texts::batchSummary, rowsWithMessage, rows, firstLineWithMessage));
    return 1;
}

int runBatchFile(std::string_view path, std::FILE* output, std::FILE* diagnostics)
{
    if (path == "-") {
#ifdef _WIN32
        // Text mode would drop the CRs and stop at the first Ctrl-Z.
        _setmode(_fileno(stdin), _O_BINARY);
#endif
        return runBatch(stdin, output, diagnostics);
    }
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(openForReading(path));
    if (!file) {
        const int error = errno != 0 ? errno : ENOENT;
        usageMessage(diagnostics, fmt::format(texts::csvCannotOpen, path, std::strerror(error)));
        return 2;
    }
    return runBatch(file.get(), output, diagnostics);
}

} // namespace veldronix::cli
