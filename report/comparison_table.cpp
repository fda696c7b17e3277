#include "report/comparison_table.h"

#include "report/details_style.h"
#include "report/details_units.h"
#include "report/rounded_report.h"
#include "core/number_format.h"
#include "core/setting_register.h"
#include "core/texts_ja.h"
#include "report/texts_ja.h"

#include <fmt/format.h>

#include <cmath>

namespace veldronix::report {
namespace {

// A real quantity's column: which one of the rounded drive, and how it is
// written; a speed's or a jerk's also its name and kind for the columns in the
// axis's units.
struct QuantityColumn {
    std::string_view heading;
    int decimals;
    const RealQuantity& (*of)(const RoundedDrive&);
    std::string_view name = {};
    std::optional<AxisQuantity> kind = std::nullopt;
};

// What a column in the axis's units shows of the real value in pulses.
enum class UnitsFigure { Units, Rpm };

struct UnitsColumn {
    std::string heading;
    const RealQuantity& (*of)(const RoundedDrive&);
    UnitsFigure figure;
};

const RealQuantity& initialSpeedOf(const RoundedDrive& drive) { return drive.initialSpeed; }
const RealQuantity& driveSpeedOf(const RoundedDrive& drive) { return drive.driveSpeed; }
const RealQuantity& accelTimeOf(const RoundedDrive& drive) { return *drive.accelTime; }
const RealQuantity& decelTimeOf(const RoundedDrive& drive) { return *drive.decelTime; }
const RealQuantity& accelJerkOf(const RoundedDrive& drive) { return *drive.accelJerk; }
const RealQuantity& decelJerkOf(const RoundedDrive& drive) { return *drive.decelJerk; }

// The columns of the quantities a drive has; every row of a comparison has the same.
std::vector<QuantityColumn> quantityColumns(const RoundedDrive& drive, DriveType type, const ComparisonTexts& texts)
{
    const bool asymmetric = isAsymmetric(type);
    std::vector<QuantityColumn> columns{
        {texts.columnInitialSpeed, roundedSpeedDecimals, initialSpeedOf, texts.nameInitialSpeed, AxisQuantity::Speed},
        {texts.columnDriveSpeed, roundedSpeedDecimals, driveSpeedOf, texts.nameDriveSpeed, AxisQuantity::Speed},
    };
    if (drive.accelTime) {
        columns.push_back({asymmetric ? texts.columnAccelTime : texts.columnRampTime, roundedTimeDecimals, accelTimeOf});
    }
    if (drive.decelTime) {
        columns.push_back({texts.columnDecelTime, roundedTimeDecimals, decelTimeOf});
    }
    if (drive.accelJerk) {
        columns.push_back({asymmetric ? texts.columnAccelJerk : texts.columnJerk, roundedJerkDecimals, accelJerkOf,
                           asymmetric ? texts.nameAccelJerk : texts.nameJerk, AxisQuantity::Jerk});
    }
    if (drive.decelJerk) {
        columns.push_back({texts.columnDecelJerk, roundedJerkDecimals, decelJerkOf, texts.nameDecelJerk,
                           AxisQuantity::Jerk});
    }
    return columns;
}

// The columns in the axis's units after a quantity's column: a speed in units
// per second and in rpm, a jerk in units per second cubed; none for a time.
std::vector<UnitsColumn> unitsColumns(const QuantityColumn& column, const AxisMechanics& mechanics,
                                      const ComparisonTexts& texts)
{
    if (!column.kind) {
        return {};
    }
    std::vector<UnitsColumn> columns{
        {texts.columnInUnits(column.name, axisQuantityUnit(*column.kind, mechanics.unit())), column.of, UnitsFigure::Units}};
    if (*column.kind == AxisQuantity::Speed) {
        columns.push_back({texts.columnInUnits(column.name, texts::ja::unitRpm), column.of, UnitsFigure::Rpm});
    }
    return columns;
}

// A real value in the axis's units; none (a warning) where the drive has no real value.
DetailsLine unitsCell(const UnitsColumn& column, const RoundedDrive& drive, const AxisMechanics& mechanics,
                      const ComparisonTexts& texts)
{
    const std::optional<double>& real = column.of(drive).real;
    if (!real) {
        return {std::string(texts.none), true};
    }
    return {column.figure == UnitsFigure::Rpm ? motorRpmFigure(*real, mechanics) : axisUnitsFigure(*real, mechanics),
            false};
}

// The registers shown: those of the drive type that are rounded (AO is always 0).
std::vector<SettingRegister> registerColumns(DriveType type)
{
    std::vector<SettingRegister> registers;
    for (const RegisterDescription& entry : settingRegisters) {
        if (entry.rounded && usesRegister(type, entry.id)) {
            registers.push_back(entry.id);
        }
    }
    return registers;
}

std::string integerText(double rounded, const ComparisonTexts& texts)
{
    return std::isfinite(rounded) ? formatFixedUnsignedZero(rounded, 0) : std::string(texts.none);
}

bool hasFinding(const RoundedDrive& drive, SettingRegister setting)
{
    for (const RoundingFinding& finding : drive.findings) {
        if (finding.setting == setting) {
            return true;
        }
    }
    return false;
}

DetailsLine quantityCell(const RealQuantity& quantity, int decimals, const ComparisonTexts& texts)
{
    if (!quantity.real) {
        return {std::string(texts.none), true};
    }
    const std::string real = formatReadable(*quantity.real, decimals);
    if (!quantity.deviationPercent) {
        return {texts.realNoDeviation(real), true};
    }
    return {texts.realWithDeviation(real, deviationText(*quantity.deviationPercent)), false};
}

std::string findingText(const RoundingFinding& finding, const ComparisonTexts& texts)
{
    const std::string_view name = describe(finding.setting).name;
    switch (finding.problem) {
    case RoundingProblem::Zero:
        return texts.findingZero(name);
    case RoundingProblem::Negative:
        return texts.findingNegative(name);
    case RoundingProblem::AboveMaximum:
        return texts.findingAboveMaximum(name,
                           formatFixedUnsignedZero(describe(finding.setting).maximum.value_or(0.0), 0));
    case RoundingProblem::NotFinite:
        break;
    }
    return texts.findingNotFinite(name);
}

DetailsLine findingsCell(const RoundedDrive& drive, const ComparisonTexts& texts)
{
    if (drive.findings.empty()) {
        return {std::string(texts.findingsNone), false};
    }
    std::string text;
    for (const RoundingFinding& finding : drive.findings) {
        if (!text.empty()) {
            text += texts.findingSeparator;
        }
        text += findingText(finding, texts);
    }
    return {std::move(text), true};
}

std::string multiplierItem(int index)
{
    return std::string(veldronix::texts::ja::multiplierItems[static_cast<std::size_t>(index)]);
}

std::string_view markOf(const ComparisonRow& row, const ComparisonTexts& texts)
{
    if (row.inUse && row.recommended) {
        return texts.markInUseRecommended;
    }
    if (row.inUse) {
        return texts.markInUse;
    }
    return row.recommended ? texts.markRecommended : std::string_view{};
}

DetailsRow tableRow(const ComparisonRow& row, const std::vector<SettingRegister>& registers,
                    const std::vector<QuantityColumn>& quantities, const AxisMechanics* mechanics,
                    const ComparisonTexts& texts)
{
    DetailsRow out;
    out.cells.push_back({std::string(markOf(row, texts)), false});
    out.cells.push_back({multiplierItem(row.index), false});
    // Only a calculation made without the controller has a multiplier that is no number.
    out.cells.push_back(std::isfinite(row.multiplier)
                            ? DetailsLine{texts.speedStep(formatFixedUnsignedZero(row.multiplier, 0)),
                                          false}
                            : DetailsLine{std::string(texts.none), true});
    for (const SettingRegister setting : registers) {
        const auto value = row.drive.rounded[setting];
        out.cells.push_back({value ? integerText(*value, texts) : std::string(texts.none), hasFinding(row.drive, setting)});
    }
    for (const QuantityColumn& column : quantities) {
        out.cells.push_back(quantityCell(column.of(row.drive), column.decimals, texts));
        if (mechanics != nullptr) {
            for (const UnitsColumn& units : unitsColumns(column, *mechanics, texts)) {
                out.cells.push_back(unitsCell(units, row.drive, *mechanics, texts));
            }
        }
    }
    if (row.largestDeviation) {
        out.cells.push_back({texts.largestDeviation(formatFixedUnsignedZero(*row.largestDeviation, roundedDeviationDecimals)),
                             !row.deviationsKnown});
    } else {
        out.cells.push_back({std::string(texts.none), true});
    }
    out.cells.push_back(findingsCell(row.drive, texts));
    if (row.recommended) {
        out.background = detailsColours.recommended;
    } else if (row.inUse) {
        out.background = detailsColours.inUse;
    }
    return out;
}

} // namespace

ComparisonTable comparisonTable(const MultiplierComparison& comparison, const ComparisonTexts& texts,
                                const AxisMechanics* mechanics)
{
    ComparisonTable out;
    const auto registers = registerColumns(comparison.driveType);
    const auto quantities = comparison.rows.empty()
                                ? std::vector<QuantityColumn>{}
                                : quantityColumns(comparison.rows.front().drive, comparison.driveType, texts);
    auto& columns = out.table.columns;
    // The key columns, which a window shows first and whole: the mark, the
    // multiplier, the largest deviation and the findings.
    columns.push_back({std::string(texts.columnMark), CellAlign::Left, true});
    columns.push_back({std::string(texts.columnMultiplier), CellAlign::Left, true});
    columns.push_back({std::string(texts.columnSpeedStep), CellAlign::Right});
    for (const SettingRegister setting : registers) {
        columns.push_back({std::string(describe(setting).name), CellAlign::Right});
    }
    for (const QuantityColumn& column : quantities) {
        columns.push_back({std::string(column.heading), CellAlign::Right});
        if (mechanics != nullptr) {
            for (UnitsColumn& units : unitsColumns(column, *mechanics, texts)) {
                columns.push_back({std::move(units.heading), CellAlign::Right});
            }
        }
    }
    columns.push_back({std::string(texts.columnLargestDeviation), CellAlign::Right, true});
    columns.push_back({std::string(texts.columnFindings), CellAlign::Left, true});

    for (const ComparisonRow& row : comparison.rows) {
        out.table.rows.push_back(tableRow(row, registers, quantities, mechanics, texts));
        out.rowIndices.push_back(row.index);
    }
    out.notes.push_back({std::string(texts.rule), false});
    if (comparison.recommendationWithheldBy) {
        out.notes.push_back(
            {texts.recommendationWithheld(inputFindingSentence(*comparison.recommendationWithheldBy, texts.inputFindings)),
             true});
    } else if (comparison.recommendedIndex) {
        out.notes.push_back(
            {texts.recommendation(multiplierItem(*comparison.recommendedIndex)), false});
    } else {
        out.notes.push_back({std::string(texts.noRecommendation), true});
    }
    if (!texts.chooseHint.empty()) {
        out.notes.push_back({std::string(texts.chooseHint), false});
    }
    return out;
}

std::optional<DetailsSection> comparisonSection(const Details& details)
{
    if (!details.comparison) {
        return std::nullopt;
    }
    ComparisonTable made = comparisonTable(*details.comparison, texts::ja::comparison,
                                           details.mechanics ? &*details.mechanics : nullptr);
    DetailsSection section;
    section.heading = std::string(texts::ja::comparison.heading);
    section.kind = SectionKind::Table;
    section.table = std::move(made.table);
    keyColumnsFirst(section.table);
    section.lines = std::move(made.notes);
    // Greyed until a row is selected: a click with none would do nothing.
    SectionButton choose = sectionButton(SectionAction::ChooseRow, texts::ja::comparison.chooseButton);
    choose.enabled = !made.rowIndices.empty();
    choose.needsSelectedRow = true;
    section.buttons.push_back(std::move(choose));
    section.rowIndices = std::move(made.rowIndices);
    return section;
}

} // namespace veldronix::report
