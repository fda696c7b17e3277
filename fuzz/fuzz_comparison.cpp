// Any doubles (NaN, infinities, subnormals, -0), any drive type, any
// multiplier and any selector indices through the comparison of the
// multipliers and the registers as code: the comparison keeps the promises of
// its header, the row in use is the rounded drive of the calculation to the
// bit, and every text made of them is well formed (the C snippet's values are
// integers, a value that is not one only a comment).
#include "report/comparison_report.h"
#include "report/comparison_table.h"
#include "report/details.h"
#include "report/multiplier_comparison.h"
#include "report/register_code.h"
#include "report/texts_en.h"
#include "report/texts_ja.h"
#include "core/rounded_drive.h"
#include "core/setting_values.h"
#include "core/speed_multiplier.h"
#include "fuzz/byte_reader.h"
#include "fuzz/markup_check.h"
#include "fuzz/same_bits.h"
#include "io/json_writer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using namespace veldronix;
using veldronix::fuzz::ByteReader;
using veldronix::fuzz::sameBits;
using veldronix::fuzz::sameDrive;

struct Case {
    Calculation calculation;
};

[[noreturn]] void report(const Case& c, const char* what, std::string_view detail)
{
    const DriveInput& in = c.calculation.input;
    std::fprintf(stderr,
                 "broken: %s\n  type %d initial %a drive %a accel %a decel %a multiplier %a index %d automatic %d\n"
                 "  %.*s\n",
                 what, static_cast<int>(in.driveType), in.initialSpeed, in.driveSpeed, in.accelTime, in.decelTime,
                 c.calculation.multiplier, c.calculation.multiplierIndex, c.calculation.automaticIndex.value_or(-99),
                 static_cast<int>(std::min<std::size_t>(detail.size(), 4000)), detail.data());
    std::abort();
}

void check(const Case& c, bool condition, const char* what, std::string_view detail = {})
{
    if (!condition) {
        report(c, what, detail);
    }
}

// Mostly a short decimal such as a user types, sometimes any bit pattern.
double takeNumber(ByteReader& reader, bool raw)
{
    if (raw) {
        return reader.take<double>();
    }
    const auto mantissa = reader.take<std::int32_t>();
    const int scale = reader.take<std::uint8_t>() % 8;
    return static_cast<double>(mantissa) / std::pow(10.0, scale);
}

void checkComparison(const Case& c, const report::MultiplierComparison& comparison)
{
    const Calculation& calculation = c.calculation;
    int previous = -1;
    int inUse = 0;
    int recommended = 0;
    for (const report::ComparisonRow& row : comparison.rows) {
        check(c, row.index > previous && row.index < multiplierCount, "rows out of the selector's order");
        previous = row.index;
        const bool accepted = comparison.automaticIndex && row.index >= *comparison.automaticIndex;
        check(c, accepted || row.inUse, "a row that Recalculate does not accept and is not in use");
        check(c, row.inUse == (row.index == calculation.multiplierIndex), "the mark of the row in use");
        if (row.inUse) {
            ++inUse;
            // The invariant: the row in use is the drive the details show, bit for bit.
            check(c, sameDrive(row.drive, computeRoundedDrive(calculation.input, calculation.multiplier)),
                  "the row in use is not the details' real drive");
        } else {
            check(c, sameBits(row.multiplier, *multiplierAt(row.index)), "a row's multiplier is not its item's");
        }
        std::optional<double> largest;
        bool known = true;
        for (const RealQuantity* q : report::driveQuantities(row.drive)) {
            known = known && q->deviationPercent.has_value();
            if (q->deviationPercent) {
                largest = std::max(largest.value_or(0.0), std::fabs(*q->deviationPercent));
            }
        }
        check(c, sameBits(largest, row.largestDeviation) && known == row.deviationsKnown, "the largest deviation");
        check(c, !row.largestDeviation || (std::isfinite(*row.largestDeviation) && *row.largestDeviation >= 0.0),
              "a largest deviation that is not a finite magnitude");
        if (row.recommended) {
            ++recommended;
            check(c, row.drive.findings.empty() && row.deviationsKnown && row.largestDeviation &&
                         comparison.recommendedIndex == row.index,
                  "a recommended row that does not qualify");
        }
    }
    const bool inTable = calculation.multiplierIndex >= 0 && calculation.multiplierIndex < multiplierCount;
    check(c, inUse == (inTable ? 1 : 0), "not exactly one row in use");
    check(c, recommended == (comparison.recommendedIndex ? 1 : 0), "not one recommended row");
    if (!comparison.recommendedIndex) {
        for (const report::ComparisonRow& row : comparison.rows) {
            check(c, !row.drive.findings.empty() || !row.deviationsKnown, "a qualifying row but no recommendation");
        }
    }
}

bool hasNonFiniteWord(std::string_view text)
{
    return text.find("nan") != std::string_view::npos || text.find("inf") != std::string_view::npos;
}

void checkTable(const Case& c, const report::MultiplierComparison& comparison)
{
    // In pulses, and with an axis whose units add columns (the worked lead screw, 640 pulses/mm).
    static const AxisMechanics screw =
        std::get<AxisMechanics>(AxisMechanics::make({"3200", "", "5", AxisUnit::Millimetre}));
    for (const report::ComparisonTexts* texts : {&report::texts::ja::comparison, &report::texts::en::comparison}) {
        for (const AxisMechanics* mechanics : {static_cast<const AxisMechanics*>(nullptr), &screw}) {
            const report::ComparisonTable table = report::comparisonTable(comparison, *texts, mechanics);
            check(c, table.rowIndices.size() == table.table.rows.size() && table.rowIndices.size() == comparison.rows.size(),
                  "a row index for each row");
            for (const report::DetailsRow& row : table.table.rows) {
                check(c, row.cells.size() == table.table.columns.size(), "a row without a cell for each column");
                for (const report::DetailsLine& cell : row.cells) {
                    check(c, fuzz::utf8Problem(cell.text).empty(), "a cell that is not UTF-8", cell.text);
                    check(c, !hasNonFiniteWord(cell.text), "a cell shows a figure that is not finite", cell.text);
                }
            }
        }
    }
    const std::string plain = report::comparisonPlainSection(c.calculation);
    check(c, fuzz::utf8Problem(plain).empty() && plain.ends_with('\n'), "plain comparison text", plain);
    io::JsonWriter json;
    report::writeComparisonJson(json, c.calculation);
    const std::string fault = fuzz::jsonProblem(json.text());
    check(c, fault.empty(), "comparison JSON", fault + "\n  " + json.text());
}

bool isInteger(std::string_view text)
{
    if (text.starts_with("(-") && text.ends_with(')')) {
        text = text.substr(2, text.size() - 3);
    }
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos &&
           (text == "0" || text.front() != '0');
}

// Each line a comment, or "#define DRIVE_X INTEGER" with an optional comment after it.
void checkCSnippet(const Case& c, const std::string& snippet)
{
    check(c, snippet.ends_with('\n'), "C snippet without its last line feed", snippet);
    for (const char byte : snippet) {
        check(c, static_cast<unsigned char>(byte) < 0x80, "C snippet not ASCII", snippet);
    }
    std::size_t start = 0;
    while (start < snippet.size()) {
        const std::size_t end = snippet.find('\n', start);
        std::string_view line(snippet.data() + start, end - start);
        start = end + 1;
        const std::size_t comment = line.find("/*");
        if (comment != std::string_view::npos) {
            const std::string_view body = line.substr(comment + 2);
            check(c, body.ends_with("*/") && body.find("*/") == body.size() - 2, "a comment that does not end the line",
                  snippet);
            line = line.substr(0, comment);
            while (line.ends_with(' ')) {
                line.remove_suffix(1);
            }
            if (line.empty()) {
                continue;
            }
        }
        check(c, line.starts_with("#define DRIVE_"), "a line that is no #define or comment", snippet);
        const std::size_t value = line.rfind(' ');
        check(c, isInteger(line.substr(value + 1)), "a #define whose value is no integer", snippet);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ByteReader reader(data, size);
    const auto typeByte = reader.take<std::uint8_t>();
    const auto rawBits = reader.take<std::uint8_t>();
    Case c{};
    DriveInput& input = c.calculation.input;
    // Mostly one of the five selector states, sometimes any index at all.
    input.driveType =
        typeByte < 0xF0 ? static_cast<DriveType>(typeByte % 5 - 1) : static_cast<DriveType>(reader.take<std::int32_t>());
    input.initialSpeed = takeNumber(reader, rawBits & 0x01);
    input.driveSpeed = takeNumber(reader, rawBits & 0x02);
    input.accelTime = takeNumber(reader, rawBits & 0x04);
    input.decelTime = takeNumber(reader, rawBits & 0x08);
    // The selector indices: mostly in the table, sometimes past it on either side.
    const auto indexByte = reader.take<std::uint8_t>();
    const auto automaticByte = reader.take<std::uint8_t>();
    c.calculation.multiplierIndex = indexByte % 13 - 2;
    const auto fromTable = multiplierAt(c.calculation.multiplierIndex);
    c.calculation.multiplier = (rawBits & 0x10) || !fromTable ? takeNumber(reader, rawBits & 0x20) : *fromTable;
    if (automaticByte < 0xC0) {
        c.calculation.automaticIndex = automaticByte % 13 - 2;
    }
    c.calculation.values = computeSettingValues(input, c.calculation.multiplier);

    const report::MultiplierComparison comparison = report::compareMultipliers(c.calculation);
    checkComparison(c, comparison);
    checkTable(c, comparison);

    const RoundedDrive drive = computeRoundedDrive(input, c.calculation.multiplier);
    checkCSnippet(c, report::registersAsC(c.calculation, drive));
    const std::string json = report::registersAsJson(c.calculation, drive);
    const std::string fault = fuzz::jsonProblem(json);
    check(c, fault.empty(), "registers JSON", fault + "\n  " + json);

    // The details carry both, and the windows' section is made of them.
    const report::Details details = report::makeDetails(c.calculation, std::nullopt);
    check(c, details.copyFormats.size() == 3 && details.copyFormats[0].text == details.clipboardText,
          "the copy formats of the details");
    const auto section = report::comparisonSection(details);
    check(c, section && section->rowIndices.size() == comparison.rows.size(), "the details' comparison section");
    return 0;
}
