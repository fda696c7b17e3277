// Any bytes as a batch's CSV file through runBatch: the output is RFC 4180
// that the project's own reader takes back record for record, one output
// record per input row with every column, the rows' own cells unchanged, a
// row's results those of the same drive alone (its figures in the axis's units
// only where it has mechanics), and the exit status agreeing with the errors
// column.
#include "cli/batch.h"
#include "io/csv_reader.h"
#include "cli/drive_request.h"
#include "fuzz/memory_sink.h"
#include "report/input_findings.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

using veldronix::fuzz::MemorySink;

using veldronix::io::CsvReader;
using veldronix::io::CsvRecord;

// summary, R, A, SV, V, K, AO, D, L, multiplierShown, decelPoint, errors, inputFindings,
// then with a mechanics column pulsesPerUnit and five more figures in units
constexpr std::size_t errorsColumn = 11;
constexpr std::size_t findingsColumn = 12;
constexpr std::size_t firstAxisColumn = 13;

std::string_view input; // of the current run, for the report

[[noreturn]] void fail(const char* what, std::string_view detail = {})
{
    std::fprintf(stderr, "batch contract broken: %s\n  %.*s\n", what, static_cast<int>(detail.size()), detail.data());
    std::abort();
}

void check(bool condition, const char* what, std::string_view detail = {})
{
    if (!condition) {
        fail(what, detail);
    }
}

// A stream over bytes in memory (fmemopen takes no empty buffer everywhere).
std::FILE* readStream(std::string_view bytes)
{
    static char none = 0;
    if (bytes.empty()) {
        std::FILE* stream = fmemopen(&none, 1, "rb");
        if (stream) {
            std::fgetc(stream); // at the end from the start
        }
        return stream;
    }
    return fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
}

std::vector<veldronix::io::CsvRecord> readAll(std::string_view bytes)
{
    std::vector<veldronix::io::CsvRecord> records;
    std::FILE* stream = readStream(bytes);
    if (!stream) {
        std::abort();
    }
    {
        veldronix::io::CsvReader reader(stream);
        veldronix::io::CsvRecord record;
        while (reader.next(record)) {
            records.push_back(record);
        }
        check(!reader.readFailed(), "a memory stream failed to read");
    }
    std::fclose(stream);
    return records;
}


} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    input = std::string_view(reinterpret_cast<const char*>(data), size);
    const std::vector<veldronix::io::CsvRecord> rows = readAll(input);

    std::FILE* in = readStream(input);
    if (!in) {
        std::abort();
    }
    MemorySink out;
    MemorySink diagnostics;
    const int status = veldronix::cli::runBatch(in, out.stream(), diagnostics.stream());
    std::fclose(in);
    const std::string_view output = out.close();
    const std::string_view messages = diagnostics.close();

    check(status >= 0 && status <= 2, "exit status outside 0..2");
    const auto header = rows.empty() ? std::nullopt : veldronix::cli::batchHeader(rows.front());
    if (!header) {
        // No header, or a bad one: a usage error with its message, and no output at all.
        check(status == 2, "a missing or bad header is no usage error");
        check(output.empty(), "output for a batch without a header");
        check(messages.starts_with(rows.empty() ? "pulsecalc: the CSV input has no header row"
                                                : "pulsecalc: bad CSV header '"),
              "the header's message", messages);
        check(messages.ends_with("try 'pulsecalc --help' for the options\n"), "usage hint after the message", messages);
        return 0;
    }
    check(status != 2, "a usage error for a sound header", messages);
    const std::size_t columns = header->columns;
    const std::size_t resultColumns = header->outputColumns();
    // A batch that ran says on standard error only how many rows showed a message, in one line.
    if (status == 0) {
        check(messages.empty(), "diagnostics for a batch without a message", messages);
    } else {
        check(messages.starts_with("pulsecalc: ") && messages.ends_with("\n") &&
                  messages.find('\n') == messages.size() - 1 &&
                  messages.find(" rows showed a message; the first is on line ") != std::string_view::npos,
              "the batch's summary line", messages);
    }
    check(output.ends_with("\r\n"), "output does not end its last record in CRLF", output);

    const std::vector<veldronix::io::CsvRecord> records = readAll(output);
    check(records.size() == rows.size(), "output records are not one per input row plus the header", output);
    bool anyError = false;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const veldronix::io::CsvRecord& record = records[i];
        check(record.problem.empty(), "a malformed output record", record.problem);
        check(record.fields.size() == columns + resultColumns, "an output record with the wrong column count", output);
        if (i == 0) {
            check(record.fields[columns] == "summary" && record.fields[columns + errorsColumn] == "errors" &&
                      record.fields[columns + findingsColumn] == "inputFindings" &&
                      (resultColumns == firstAxisColumn || record.fields[columns + firstAxisColumn] == "pulsesPerUnit"),
                  "the output header", output);
            continue;
        }
        const veldronix::io::CsvRecord& row = rows[i];
        // The row's own cells come back unchanged (an absent cell as an empty one).
        for (std::size_t k = 0; k < columns; ++k) {
            const std::string_view cell = k < row.fields.size() ? std::string_view(row.fields[k]) : std::string_view();
            check(record.fields[k] == cell, "a row's cell changed on its way through", record.fields[k]);
        }
        const std::string& errors = record.fields[columns + errorsColumn];
        anyError = anyError || !errors.empty();
        const bool malformed = !row.problem.empty() || row.fields.size() < 5 || row.fields.size() > columns;
        const auto request = veldronix::cli::batchRequest(row, *header);
        if (const auto* drive = std::get_if<veldronix::cli::BatchDrive>(&request)) {
            // Each row runs as if it were the only one: nothing carries over from the rows before.
            const veldronix::cli::DriveOutcome alone = veldronix::cli::runDrive(drive->request);
            std::vector<const std::string*> expected = {&alone.fields.summary};
            for (const veldronix::RegisterDescription& entry : veldronix::settingRegisters) {
                expected.push_back(&alone.fields.registers[entry.id]);
            }
            expected.push_back(&alone.multiplier);
            expected.push_back(&alone.decelPoint);
            for (std::size_t k = 0; k < expected.size(); ++k) {
                check(record.fields[columns + k] == *expected[k], "a row's result differs from the same drive alone",
                      record.fields[columns + k]);
            }
            std::string messages;
            for (const std::string& message : alone.errors) {
                messages += (messages.empty() ? "" : "\n") + message;
            }
            check(errors == messages, "a row's messages differ from the same drive alone", errors);
            check(record.fields[columns + findingsColumn] == veldronix::report::inputFindingLines(alone.inputFindings),
                  "a row's input findings differ from the same drive alone", record.fields[columns + findingsColumn]);
            // The figures in units: the mechanics' pulses per unit, the distance where a pulse count is given.
            for (std::size_t k = columns + firstAxisColumn; k < record.fields.size(); ++k) {
                check(drive->mechanics || record.fields[k].empty(), "figures in units for a row without mechanics",
                      record.fields[k]);
            }
            if (drive->mechanics) {
                check(record.fields[columns + firstAxisColumn] == drive->mechanics->pulsesPerUnitText(),
                      "the row's pulses per unit", record.fields[columns + firstAxisColumn]);
                check(drive->request.texts[veldronix::InputField::PulseCount] || record.fields.back().empty(),
                      "a distance without a pulse count", record.fields.back());
            }
        } else {
            // A row that is no drive: its messages, each naming its line, and no results.
            const auto& problems = std::get<std::vector<std::string>>(request);
            std::string joined;
            for (const std::string& problem : problems) {
                check(problem.starts_with("line " + std::to_string(row.line) + ": "), "a row's message without its line",
                      problem);
                joined += (joined.empty() ? "" : "\n") + problem;
            }
            check(errors == joined, "a bad row's messages", errors);
            for (std::size_t k = columns; k < record.fields.size(); ++k) {
                check(k == columns + errorsColumn || record.fields[k].empty(), "results for a bad row", record.fields[k]);
            }
        }
        if (malformed) {
            const std::string prefix = "line " + std::to_string(row.line) + ": ";
            check(errors.starts_with(prefix), "a malformed row's message without its line", errors);
            check(std::holds_alternative<std::vector<std::string>>(request), "a malformed row ran", errors);
        }
    }
    check(status == (anyError ? 1 : 0), "exit status disagrees with the errors column");
    return 0;
}
