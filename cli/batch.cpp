#include "cli/batch.h"

#include "cli/texts_en.h"
#include "io/csv_writer.h"
#include "io/file_read.h"
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

// One column per input field, in the table's order; the leading fields that
// Calculate reads are required, the others may be left out.
constexpr std::size_t requiredColumns = [] {
    std::size_t count = 0;
    while (count < inputFields.size() && inputFields[count].step == FieldStep::Calculate) {
        ++count;
    }
    return count;
}();
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
    writeText(diagnostics, "pulsecalc: " + std::string(message) + "\n" + std::string(texts::en::usageHint) + "\n");
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

// Why a selector's cell names no item.
std::string badCellMessage(InputField field, std::string_view cell)
{
    if (field == InputField::DriveType) {
        return "unknown type '" + std::string(cell) + "'" + std::string(texts::en::typeHint);
    }
    return "bad " + std::string(describe(field).column) + " '" + std::string(cell) + "'" + std::string(texts::en::multiplierHint);
}

} // namespace

std::size_t batchHeaderColumns(const io::CsvRecord& header)
{
    const std::size_t count = header.fields.size();
    if (!header.problem.empty() || count < requiredColumns || count > inputFields.size()) {
        return 0;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (header.fields[i] != inputFields[i].column) {
            return 0;
        }
    }
    return count;
}

namespace {

// Reads a data row into request, whose texts keep their memory from the row
// before, so that the millions of rows of a batch copy each cell without a new
// allocation; returns the messages that say, with the row's line number, why
// the row is no drive.
std::vector<std::string> readRow(const io::CsvRecord& row, std::size_t columns, DriveRequest& request)
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
    for (std::size_t i = 0; i < inputFields.size(); ++i) {
        const InputFieldDescription& field = inputFields[i];
        std::optional<std::string>& text = request.texts[field.id];
        std::optional<int>& item = request.items[field.id];
        item.reset();
        // A missing cell, or an empty one of a later step, is no input, as an
        // omitted option is: a spreadsheet writes every column of every row.
        if (i >= count || (row.fields[i].empty() && field.step != FieldStep::Calculate)) {
            text.reset();
            continue;
        }
        const std::string& cell = row.fields[i];
        if (field.kind == FieldKind::Number) {
            text ? text->assign(cell) : text.emplace(cell);
        } else if (const auto index = parseItem(field.id, cell)) {
            item = *index;
        } else {
            problem(badCellMessage(field.id, cell));
        }
    }
    return problems;
}

} // namespace

std::variant<DriveRequest, std::vector<std::string>> batchRequest(const io::CsvRecord& row, std::size_t columns)
{
    DriveRequest request;
    std::vector<std::string> problems = readRow(row, columns, request);
    if (!problems.empty()) {
        return problems;
    }
    return request;
}

int runBatch(std::FILE* input, std::FILE* output, std::FILE* diagnostics)
{
    io::CsvReader reader(input);
    io::CsvWriter writer(output);
    io::CsvRecord record;
    if (!reader.next(record)) {
        usageMessage(diagnostics, reader.readFailed() ? std::string(texts::en::csvReadFailed) + ": " +
                                                            std::strerror(reader.readError())
                                                      : std::string(texts::en::csvNoHeader));
        return 2;
    }
    const std::size_t columns = batchHeaderColumns(record);
    if (columns == 0) {
        usageMessage(diagnostics, "bad CSV header '" + recordText(record) + "': " + std::string(texts::en::csvHeaderHint));
        return 2;
    }
    for (std::size_t i = 0; i < columns; ++i) {
        writer.field(inputFields[i].column);
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
    DriveRequest request;
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
        if (const std::vector<std::string> problems = readRow(record, columns, request); !problems.empty()) {
            noteMessage();
            // A row that is no drive was not read by the controller: no findings.
            for (std::size_t i = 0; i + 2 < outputColumnCount; ++i) {
                writer.field({});
            }
            writer.field(joinLines(problems));
            writer.field({});
            writer.endRecord();
            continue;
        }
        const FieldView& view = session.run(request);
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
        // A row with a pulse count reads it as the same drive alone does, also
        // where no step took it (a failed calculation), so that its findings
        // are the row's too.
        if (request.texts[InputField::PulseCount]) {
            session.pulseCount();
        }
        const auto& reading = session.controller().lastReading();
        writer.field(reading ? report::inputFindingLines(report::findInputProblems(*reading)) : std::string());
        writer.endRecord();
    }
    // A stream that stops part way must not pass for a finished batch.
    if (reader.readFailed()) {
        writer.flush();
        usageMessage(diagnostics, std::string(texts::en::csvReadFailed) + ": " + std::strerror(reader.readError()));
        return 2;
    }
    if (!writer.flush()) {
        writeText(diagnostics, "pulsecalc: " + std::string(texts::en::csvWriteFailed) + "\n");
        return 2;
    }
    if (rowsWithMessage == 0) {
        return 0;
    }
    writeText(diagnostics, fmt::format(texts::en::batchSummary, rowsWithMessage, rows, firstLineWithMessage));
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
    const std::unique_ptr<std::FILE, FileCloser> file(io::openForReading(path));
    if (!file) {
        const int error = errno != 0 ? errno : ENOENT;
        usageMessage(diagnostics, fmt::format(texts::en::csvCannotOpen, path, std::strerror(error)));
        return 2;
    }
    return runBatch(file.get(), output, diagnostics);
}

} // namespace veldronix::cli
