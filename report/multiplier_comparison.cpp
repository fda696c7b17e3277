#include "report/multiplier_comparison.h"

#include "report/rounded_report.h"
#include "core/number_format.h"
#include "core/speed_multiplier.h"

#include <cmath>
#include <string>

namespace veldronix::report {
namespace {

ComparisonRow rowFor(const DriveInput& input, int index, double multiplier)
{
    ComparisonRow row;
    row.index = index;
    row.multiplier = multiplier;
    row.drive = computeRoundedDrive(input, multiplier);
    row.deviationsKnown = true;
    for (const RealQuantity* quantity : driveQuantities(row.drive)) {
        if (!quantity->deviationPercent) {
            row.deviationsKnown = false;
            continue;
        }
        const double magnitude = std::fabs(*quantity->deviationPercent);
        if (!row.largestDeviation || magnitude > *row.largestDeviation) {
            row.largestDeviation = magnitude;
        }
    }
    return row;
}

// The largest deviation as printed: two rows whose figures read the same are
// equal, whatever their last binary places say.
std::string printedDeviation(double magnitude)
{
    return formatFixedUnsignedZero(magnitude, roundedDeviationDecimals);
}

// Whether the printed non-negative figure a is below b: same decimals and no
// leading zeros, so a shorter text is a smaller number.
bool printedBelow(const std::string& a, const std::string& b)
{
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

} // namespace

std::vector<const RealQuantity*> driveQuantities(const RoundedDrive& drive)
{
    std::vector<const RealQuantity*> quantities{&drive.initialSpeed, &drive.driveSpeed};
    for (const auto* quantity : {&drive.accelTime, &drive.decelTime, &drive.accelJerk, &drive.decelJerk}) {
        if (*quantity) {
            quantities.push_back(&**quantity);
        }
    }
    return quantities;
}

bool makesDeviationsMeaningless(const InputFinding& finding)
{
    if (finding.field == InputField::PulseCount) {
        return false; // the pulse count moves no register
    }
    return finding.problem == InputProblem::Cut ||
           (finding.problem == InputProblem::Negative && finding.field != InputField::DriveType);
}

MultiplierComparison compareMultipliers(const Calculation& calculation, const std::vector<InputFinding>& inputFindings)
{
    MultiplierComparison comparison;
    comparison.driveType = calculation.input.driveType;
    comparison.automaticIndex = calculation.automaticIndex;
    if (!comparison.automaticIndex) {
        if (const auto automatic = selectMultiplier(calculation.input.driveSpeed)) {
            comparison.automaticIndex = multiplierIndex(*automatic);
        }
    }
    const int inUse = calculation.multiplierIndex;
    for (int index = 0; index < multiplierCount; ++index) {
        const bool accepted = comparison.automaticIndex && index >= *comparison.automaticIndex;
        if (!accepted && index != inUse) {
            continue;
        }
        // The row in use with the calculation's own multiplier, so that it is the
        // details' real drive to the bit.
        const double multiplier = index == inUse ? calculation.multiplier : *multiplierAt(index);
        ComparisonRow row = rowFor(calculation.input, index, multiplier);
        row.inUse = index == inUse;
        comparison.rows.push_back(std::move(row));
    }

    for (const InputFinding& finding : inputFindings) {
        if (makesDeviationsMeaningless(finding)) {
            comparison.recommendationWithheldBy = finding;
            return comparison;
        }
    }
    ComparisonRow* best = nullptr;
    std::string bestPrinted;
    for (ComparisonRow& row : comparison.rows) {
        if (!row.drive.findings.empty() || !row.deviationsKnown || !row.largestDeviation) {
            continue;
        }
        // In the selector's order, so that only a smaller figure displaces the
        // best so far: equal ones go to the smaller multiplier.
        std::string printed = printedDeviation(*row.largestDeviation);
        if (!best || printedBelow(printed, bestPrinted)) {
            best = &row;
            bestPrinted = std::move(printed);
        }
    }
    if (best) {
        best->recommended = true;
        comparison.recommendedIndex = best->index;
    }
    return comparison;
}

} // namespace veldronix::report
