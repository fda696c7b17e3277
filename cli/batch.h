#pragma once

#include "io/csv_reader.h"
#include "cli/drive_request.h"

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace veldronix::cli {

// The number of input columns a header names (5 to 7), or 0 for a header that
// is not type,initial,drive,accel,decel[,multiplier[,pulses]].
std::size_t batchHeaderColumns(const io::CsvRecord& header);

// The drive of one data row under a header of `columns` columns, or the
// messages that say, with the row's line number, why the row is no drive.
std::variant<DriveRequest, std::vector<std::string>> batchRequest(const io::CsvRecord& row, std::size_t columns);

// Runs every row of input as one plain run on a fresh controller and writes the
// rows with their results to output, one by one. Returns the exit status: 0 when
// no row shows a message, 1 when one does, 2 for a bad header or a failed stream
// (with the message on diagnostics).
int runBatch(std::FILE* input, std::FILE* output, std::FILE* diagnostics);

// runBatch on the named file, "-" being standard input.
int runBatchFile(std::string_view path, std::FILE* output, std::FILE* diagnostics);

} // namespace veldronix::cli
