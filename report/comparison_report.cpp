#include "report/comparison_report.h"

#include "report/axis_report.h"
#include "report/comparison_table.h"
#include "report/comparison_texts.h"
#include "report/texts_en.h"
#include "report/multiplier_comparison.h"
#include "report/rounded_report.h"
#include "core/texts_ja.h"
#include "core/utf8.h"

#include <algorithm>

namespace veldronix::report {
namespace {

constexpr std::string_view columnGap = "  ";

} // namespace

std::size_t displayWidth(std::string_view text)
{
    std::size_t width = 0;
    while (!text.empty()) {
        text.remove_prefix(decodeUtf8(text).length);
        ++width;
    }
    return width;
}

std::string alignedTable(const DetailsTable& table)
{
    std::vector<std::size_t> widths(table.columns.size(), 0);
    for (std::size_t column = 0; column < table.columns.size(); ++column) {
        widths[column] = displayWidth(table.columns[column].heading);
        for (const DetailsRow& row : table.rows) {
            if (column < row.cells.size()) {
                widths[column] = std::max(widths[column], displayWidth(row.cells[column].text));
            }
        }
    }
    const auto lineOf = [&](auto textAt) {
        std::string line;
        for (std::size_t column = 0; column < table.columns.size(); ++column) {
            const std::string_view text = textAt(column);
            const std::size_t pad = widths[column] - displayWidth(text);
            if (column > 0) {
                line += columnGap;
            }
            if (table.columns[column].align == CellAlign::Right) {
                line.append(pad, ' ');
                line += text;
            } else {
                line += text;
                line.append(pad, ' ');
            }
        }
        line.erase(line.find_last_not_of(' ') + 1);
        return line + '\n';
    };
    std::string out = lineOf([&](std::size_t column) -> std::string_view { return table.columns[column].heading; });
    for (const DetailsRow& row : table.rows) {
        out += lineOf([&](std::size_t column) -> std::string_view {
            return column < row.cells.size() ? std::string_view(row.cells[column].text) : std::string_view();
        });
    }
    return out;
}

std::string comparisonPlainSection(const std::optional<Calculation>& calculation,
                                   const std::vector<InputFinding>& inputFindings, const AxisMechanics* mechanics)
{
    const ComparisonTexts& texts = texts::en::comparison;
    std::string out = "\n";
    out += texts.heading;
    if (!calculation) {
        out += texts.notCalculated;
        return out + '\n';
    }
    out += '\n';
    const ComparisonTable made = comparisonTable(compareMultipliers(*calculation, inputFindings), texts, mechanics);
    out += alignedTable(made.table);
    for (const DetailsLine& note : made.notes) {
        out += note.text;
        out += '\n';
    }
    return out;
}

void writeComparisonJson(io::JsonWriter& json, const std::optional<Calculation>& calculation,
                         const std::vector<InputFinding>& inputFindings, const AxisMechanics* mechanics)
{
    if (!calculation) {
        json.null();
        return;
    }
    const MultiplierComparison comparison = compareMultipliers(*calculation, inputFindings);
    json.beginObject();
    json.key("recommended");
    if (comparison.recommendedIndex) {
        json.number(*comparison.recommendedIndex, 0);
    } else {
        json.null();
    }
    json.key("rows");
    json.beginArray();
    for (const ComparisonRow& row : comparison.rows) {
        json.beginObject();
        json.member("index", static_cast<double>(row.index), 0);
        json.member("multiplier", row.multiplier, 0);
        json.member("item", veldronix::texts::ja::multiplierItems[static_cast<std::size_t>(row.index)]);
        json.member("speedStep", row.multiplier, 0);
        json.key("inUse");
        json.boolean(row.inUse);
        json.member("largestDeviation", row.largestDeviation, roundedDeviationDecimals);
        writeRoundedDriveMembers(json, row.drive);
        if (mechanics != nullptr) {
            json.key("inUnits");
            writeRoundedDriveInUnitsJson(json, *mechanics, row.drive);
        }
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

} // namespace veldronix::report
