#pragma once

#include "controller/calculation.h"
#include "core/rounded_drive.h"
#include "core/rounded_profile.h"
#include "io/json_writer.h"
#include "report/text_sets.h"

#include <optional>
#include <string>
#include <string_view>

namespace veldronix::report {

// Decimals of the rounded drive's figures in every report of it: a thousandth
// of a pulse per second is below anything a drive shows, times to the
// microsecond, deviations to 1/10000 %.
inline constexpr int roundedSpeedDecimals = 3;
inline constexpr int roundedTimeDecimals = 6;
inline constexpr int roundedJerkDecimals = 3;
inline constexpr int roundedDeviationDecimals = 4;

// A deviation in percent with its decimals, and a plus sign above 0 so that the
// direction is never guessed: "+0.2084", "-0.1041", "0.0000".
std::string deviationText(double percent);

// Why a finding's register cannot take its rounded value, in the given texts.
std::string findingReason(const RoundingFinding& finding, const FindingReasons& reasons);

// How the drive of the integers ends when it decelerates from the requested
// drive's deceleration point, in the given texts (the notes for a real drive
// without motion); empty where the profile gives no end to compare.
std::string realEndNote(const RoundedProfile& profile, const RealEndTexts& texts, const ProfileNoteTexts& notes);

// The --rounded section of the plain output: the rounded registers of the
// values the fields show, the drive they really give and the findings.
std::string roundedPlainSection(const std::optional<Calculation>& calculation, std::optional<double> pulseCount);

// The same as the value of the JSON member "rounded" (null when no values are shown).
void writeRoundedJson(io::JsonWriter& json, const std::optional<Calculation>& calculation, std::optional<double> pulseCount);

// The members "settings", "real" and "findings" of a rounded drive, as "rounded" has them.
void writeRoundedDriveMembers(io::JsonWriter& json, const RoundedDrive& drive);

} // namespace veldronix::report
