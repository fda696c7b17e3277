#pragma once

#include "controller/calculation.h"
#include "core/rounded_drive.h"
#include "report/input_findings.h"

#include <optional>
#include <vector>

namespace veldronix::report {

// Which multiplier to choose: the drive the fields show, rounded with the
// automatic multiplier and with each larger one (those that 再計算 accepts),
// side by side. A larger multiplier is a coarser speed step (SV and V count in
// steps of it) but smaller A, D, K and L, so their rounding costs more or less
// accuracy, and A or D may only fit under their maximum with a larger one.

// One multiplier: its rounded registers and the drive they really give.
struct ComparisonRow {
    int index = 0;          // selector index of the multiplier (倍率)
    double multiplier = 1.0; // also the speed step in PPS
    RoundedDrive drive;      // rounded as the details round the drive in use
    // The largest absolute deviation (percent) among the drive type's
    // quantities that have a finite one; none when none has.
    std::optional<double> largestDeviation;
    // Every quantity of the drive type has a finite deviation, so that
    // largestDeviation is the largest of all of them.
    bool deviationsKnown = false;
    bool inUse = false;       // the multiplier of the values the fields show
    bool recommended = false;
};

struct MultiplierComparison {
    DriveType driveType = DriveType::None;
    // The automatic multiplier's index: the one 決定 chose (Calculation::
    // automaticIndex), for a calculation made without the controller the one
    // the automatic choice gives for its drive speed; none for a speed that no
    // multiplier takes.
    std::optional<int> automaticIndex;
    // In the order of the selector: the automatic multiplier and each larger
    // one (exactly those that 再計算 accepts), and the one in use should it be
    // outside them (only in a calculation made without the controller).
    std::vector<ComparisonRow> rows;
    // The recommended row's selector index: among the rows without findings
    // whose deviations are all known, the one with the smallest largest
    // deviation as it is printed (rounded to roundedDeviationDecimals), the
    // smaller multiplier when equal; none when no row qualifies.
    std::optional<int> recommendedIndex;
    // The input finding that makes every row's deviations meaningless (a
    // negative speed or time, a cut text): while there is one, no row is
    // recommended, and this says why.
    std::optional<InputFinding> recommendationWithheldBy;
};

// The comparison for the calculation whose values the fields show; inputFindings
// are the findings of what the fields were read as (findInputProblems).
MultiplierComparison compareMultipliers(const Calculation& calculation,
                                        const std::vector<InputFinding>& inputFindings = {});

// Whether a finding makes the deviations of the drive meaningless: a speed or a
// time below 0 (its registers are those of the positive figure), or any text of
// the drive cut at the field's limit (what was read is not what was typed).
bool makesDeviationsMeaningless(const InputFinding& finding);

// The quantities the drive type has, in the order the real drive shows them:
// the speeds, the times, the jerks.
std::vector<const RealQuantity*> driveQuantities(const RoundedDrive& drive);

} // namespace veldronix::report
