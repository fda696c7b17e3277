#include "cli/batch.h"

#include "cli/mechanics_of.h"
#include "cli/options.h"
#include "cli/texts_en.h"
#include "core/number_format.h"
#include "core/rounded_drive.h"
#include "io/csv_writer.h"
#include "io/file_read.h"
#include "io/wide_text.h"
#include "report/input_findings.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
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
// inputFindings comes after them, and the axis's figures after it, so that
// every column before keeps its place.
constexpr std::array<std::string_view, 4> closingColumns = {"multiplierShown", "decelPoint", "errors",
                                                            "inputFindings"};
constexpr std::size_t outputColumnCount = 1 + settingRegisters.size() + closingColumns.size();
// After inputFindings, where the header has a column of the axis's mechanics:
// the row's figures in the axis's units, as JSON's axis and inUnits give them.
// Each is empty where the row has no mechanics or the figure is unknown.
constexpr std::array<std::string_view, 6> axisFigureColumns = {
    "pulsesPerUnit", "initialSpeedReal", "initialSpeedRpm", "driveSpeedReal", "driveSpeedRpm", "distance"};
// Speeds in units/s, rpm and distances: three decimals, as JSON's inUnits has them.
constexpr int unitDecimals = 3;

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

const InputFieldDescription* axisRowOfColumn(std::string_view name)
{
    const auto row = std::find_if(axisRows.begin(), axisRows.end(),
                                  [name](const InputFieldDescription& r) { return r.column == name; });
    return row == axisRows.end() ? nullptr : &*row;
}

std::string unitsFigure(double value)
{
    return std::isfinite(value) ? formatFixedUnsignedZero(value, unitDecimals) : std::string();
}

// The row's figures in the axis's units: the drive the rounded registers really
// give, and the pulse count as a distance.
void writeAxisFigures(io::CsvWriter& writer, const AxisMechanics& mechanics,
                      const std::optional<Calculation>& calculation, const double* pulseCount)
{
    writer.field(mechanics.pulsesPerUnitText());
    const std::optional<RoundedDrive> drive =
        calculation ? std::optional<RoundedDrive>(computeRoundedDrive(calculation->input, calculation->multiplier))
                    : std::nullopt;
    for (const bool initial : {true, false}) {
        const RealQuantity* speed = drive ? (initial ? &drive->initialSpeed : &drive->driveSpeed) : nullptr;
        const bool known = speed != nullptr && speed->real.has_value();
        writer.field(known ? unitsFigure(mechanics.toUnits(*speed->real)) : std::string());
        writer.field(known ? unitsFigure(mechanics.motorRpm(*speed->real)) : std::string());
    }
    writer.field(pulseCount != nullptr ? unitsFigure(mechanics.toUnits(*pulseCount)) : std::string());
}

} // namespace

bool BatchHeader::mechanics() const
{
    for (const InputFieldDescription& row : axisRows) {
        if (row.id != InputField::AxisName && axisColumn[row.id]) {
            return true;
        }
    }
    return false;
}

std::size_t BatchHeader::outputColumns() const
{
    return outputColumnCount + (mechanics() ? axisFigureColumns.size() : 0);
}

std::optional<BatchHeader> batchHeader(const io::CsvRecord& header)
{
    const std::size_t count = header.fields.size();
    if (!header.problem.empty()) {
        return std::nullopt;
    }
    BatchHeader result;
    while (result.driveColumns < std::min(count, inputFields.size()) &&
           header.fields[result.driveColumns] == inputFields[result.driveColumns].column) {
        ++result.driveColumns;
    }
    if (result.driveColumns < requiredColumns) {
        return std::nullopt;
    }
    for (std::size_t i = result.driveColumns; i < count; ++i) {
        const InputFieldDescription* row = axisRowOfColumn(header.fields[i]);
        if (row == nullptr || result.axisColumn[row->id]) {
            return std::nullopt;
        }
        result.axisColumn[row->id] = i;
    }
    result.columns = count;
    return result;
}

namespace {

// Reads a data row into drive, whose texts keep their memory from the row
// before, so that the millions of rows of a batch copy each cell without a new
// allocation; returns the messages that say, with the row's line number, why
// the row is no drive.
std::vector<std::string> readRow(const io::CsvRecord& row, const BatchHeader& header, bool inUnits, BatchDrive& drive)
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
    if (count < requiredColumns || count > header.columns) {
        std::string expected = std::to_string(requiredColumns);
        if (header.columns > requiredColumns) {
            expected += " to " + std::to_string(header.columns);
        }
        problem(std::to_string(count) + (count == 1 ? " field" : " fields") + ", expected " + expected);
        return problems;
    }
    DriveRequest& request = drive.request;
    const std::size_t driveCells = std::min(count, header.driveColumns);
    for (std::size_t i = 0; i < inputFields.size(); ++i) {
        const InputFieldDescription& field = inputFields[i];
        std::optional<std::string>& text = request.texts[field.id];
        std::optional<int>& item = request.items[field.id];
        item.reset();
        // A missing cell, or an empty one of a later step, is no input, as an
        // omitted option is: a spreadsheet writes every column of every row.
        if (i >= driveCells || (row.fields[i].empty() && field.step != FieldStep::Calculate)) {
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

    // The axis's values: an empty cell is none given, as for the later steps;
    // a row has mechanics when it gives any of their figures.
    drive.mechanics.reset();
    AxisMechanicsTexts mechanics;
    bool anyFigure = false;
    bool unitKnown = true;
    for (const InputFieldDescription& value : axisRows) {
        const auto column = header.axisColumn[value.id];
        if (!column || *column >= count || row.fields[*column].empty()) {
            continue;
        }
        const std::string& cell = row.fields[*column];
        if (!setMechanicsValue(mechanics, value.id, cell)) {
            unitKnown = false;
            problem(fmt::format(texts::en::batchBadUnit, value.column, cell));
        }
        anyFigure = anyFigure || mechanicsFigure(mechanics, value.id) != nullptr;
    }
    if (anyFigure && unitKnown) {
        auto made = mechanicsOf(mechanics);
        if (const auto* refused = std::get_if<MechanicsRefusal>(&made)) {
            problem(fmt::format(texts::en::batchBadMechanics, describe(refused->row).column, refused->figure, refused->fault));
        } else {
            drive.mechanics = std::get<AxisMechanics>(std::move(made));
        }
    }
    if (!inUnits || !problems.empty()) {
        return problems;
    }
    if (!drive.mechanics) {
        problem(texts::en::batchInUnitsNeedsMechanics);
        return problems;
    }
    // The speeds in units per second become the PPS texts, the distance the pulse count.
    for (const InputField field : {InputField::InitialSpeed, InputField::DriveSpeed, InputField::PulseCount}) {
        std::optional<std::string>& text = request.texts[field];
        if (!text || text->empty()) {
            continue;
        }
        const auto pulses = field == InputField::PulseCount ? drive.mechanics->pulseCountText(*text)
                                                            : drive.mechanics->pulseRateText(*text);
        if (!pulses) {
            problem(fmt::format(texts::en::batchInUnitsNotANumber, describe(field).column, *text));
        } else {
            *text = *pulses;
        }
    }
    return problems;
}

} // namespace

std::variant<BatchDrive, std::vector<std::string>> batchRequest(const io::CsvRecord& row, const BatchHeader& header,
                                                                bool inUnits)
{
    BatchDrive drive;
    std::vector<std::string> problems = readRow(row, header, inUnits, drive);
    if (!problems.empty()) {
        return problems;
    }
    return drive;
}

int runBatch(std::FILE* input, std::FILE* output, std::FILE* diagnostics, bool inUnits)
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
    const std::optional<BatchHeader> header = batchHeader(record);
    if (!header) {
        // A header that names an axis column is told of them too.
        const bool axisNamed = std::any_of(record.fields.begin(), record.fields.end(),
                                           [](const std::string& name) { return axisRowOfColumn(name) != nullptr; });
        usageMessage(diagnostics, "bad CSV header '" + recordText(record) + "': " +
                                      std::string(axisNamed ? texts::en::csvHeaderAxisHint : texts::en::csvHeaderHint));
        return 2;
    }
    if (inUnits && !header->mechanics()) {
        usageMessage(diagnostics, texts::en::batchInUnitsNeedsColumns);
        return 2;
    }
    for (std::size_t i = 0; i < header->columns; ++i) {
        writer.field(record.fields[i]);
    }
    writer.field("summary");
    for (const RegisterDescription& entry : settingRegisters) {
        writer.field(entry.name);
    }
    for (const auto name : closingColumns) {
        writer.field(name);
    }
    if (header->mechanics()) {
        for (const auto name : axisFigureColumns) {
            writer.field(name);
        }
    }
    writer.endRecord();

    DriveSession session;
    BatchDrive drive;
    const DriveRequest& request = drive.request;
    const std::size_t axisFigures = header->mechanics() ? axisFigureColumns.size() : 0;
    std::size_t rows = 0;
    std::size_t rowsWithMessage = 0;
    std::size_t firstLineWithMessage = 0;
    auto noteMessage = [&] {
        firstLineWithMessage = rowsWithMessage == 0 ? record.line : firstLineWithMessage;
        ++rowsWithMessage;
    };
    while (reader.next(record)) {
        ++rows;
        writeInputColumns(writer, record, header->columns);
        if (const std::vector<std::string> problems = readRow(record, *header, inUnits, drive); !problems.empty()) {
            noteMessage();
            // A row that is no drive was not read by the controller: no findings.
            for (std::size_t i = 0; i + 2 < outputColumnCount; ++i) {
                writer.field({});
            }
            writer.field(joinLines(problems));
            for (std::size_t i = 0; i <= axisFigures; ++i) { // inputFindings, then the figures
                writer.field({});
            }
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
        const bool counted = request.texts[InputField::PulseCount].has_value();
        const double pulseCount = counted ? session.pulseCount() : 0.0;
        const auto& reading = session.controller().lastReading();
        writer.field(reading ? report::inputFindingLines(report::findInputProblems(*reading)) : std::string());
        if (drive.mechanics) {
            writeAxisFigures(writer, *drive.mechanics, session.calculation(), counted ? &pulseCount : nullptr);
        } else {
            for (std::size_t i = 0; i < axisFigures; ++i) {
                writer.field({});
            }
        }
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

int runBatchFile(std::string_view path, std::FILE* output, std::FILE* diagnostics, bool inUnits)
{
    if (path == "-") {
#ifdef _WIN32
        // Text mode would drop the CRs and stop at the first Ctrl-Z.
        _setmode(_fileno(stdin), _O_BINARY);
#endif
        return runBatch(stdin, output, diagnostics, inUnits);
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
    return runBatch(file.get(), output, diagnostics, inUnits);
}

} // namespace veldronix::cli
