#pragma once

#include "io/csv_reader.h"
#include "cli/drive_request.h"
#include "core/axis.h"

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace veldronix::cli {

// The input columns of a batch: the dialog's fields in their order
// (type,initial,drive,accel,decel[,multiplier[,pulses]]), then any of the
// axis's values (the batch columns of axisRows) in any order, each once.
struct BatchHeader {
    std::size_t columns = 0;      // all input columns
    std::size_t driveColumns = 0; // the leading ones, of the dialog's fields (5 to 7)
    ByInputRow<std::optional<std::size_t>> axisColumn; // the column of each axis value the header has
    // Whether a column of the mechanics (not only the name) is there: then
    // every row gets the columns of its figures in the axis's units.
    bool mechanics() const;
    // The columns written after the input columns.
    std::size_t outputColumns() const;
};

// The columns a header names, or none for a header that is no batch's.
std::optional<BatchHeader> batchHeader(const io::CsvRecord& header);

// What one data row asks for: its drive, and the axis's mechanics where the
// row gives any of their figures.
struct BatchDrive {
    DriveRequest request;
    std::optional<AxisMechanics> mechanics;
};

// The drive of one data row, or the messages that say, with the row's line
// number, why the row is no drive. inUnits: the initial and drive speed cells
// are in the axis's units per second and the pulses cell in its units.
std::variant<BatchDrive, std::vector<std::string>> batchRequest(const io::CsvRecord& row, const BatchHeader& header,
                                                                bool inUnits = false);

// Runs every row of input as one plain run on a fresh controller and writes the
// rows with their results to output, one by one. Returns the exit status: 0 when
// no row shows a message, 1 when one does, 2 for a bad header or a failed stream
// (with the message on diagnostics). inUnits as for batchRequest.
int runBatch(std::FILE* input, std::FILE* output, std::FILE* diagnostics, bool inUnits = false);

// runBatch on the named file, "-" being standard input.
int runBatchFile(std::string_view path, std::FILE* output, std::FILE* diagnostics, bool inUnits = false);

} // namespace veldronix::cli
