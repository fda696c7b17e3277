#pragma once

#include "io/json_writer.h"
#include "core/velocity_profile.h"
#include "report/text_sets.h"

#include <string>
#include <string_view>

namespace veldronix::report {

// A figure for a sentence: three decimals with the trailing zeros and point
// dropped ("2525", "0.5"), "-0" never; "inf", "-inf", "nan" as the core writes them.
std::string figureText(double value);

// Why a profile shows no motion, in one sentence of the given texts; empty for
// a Complete profile.
std::string profileNote(const VelocityProfile& profile, const ProfileNoteTexts& texts);
// The same in English.
std::string profileNote(const VelocityProfile& profile);

// The profile's lines for a terminal: a heading and the table of the phases, or
// one line saying why there is no motion.
std::string profilePlain(const VelocityProfile& profile);

// The profile as a JSON object: figures as numbers, a status, and the note of a
// profile without motion.
std::string profileJson(const VelocityProfile& profile);
// The same object, as the next value of json.
void writeProfileJson(io::JsonWriter& json, const VelocityProfile& profile);

} // namespace veldronix::report
