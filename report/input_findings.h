#pragma once

#include "controller/input_reading.h"
#include "io/json_writer.h"
#include "report/text_sets.h"

#include <optional>
#include <string>
#include <vector>

namespace veldronix::report {

// What may not be as meant, in the order listed within a field.
enum class InputProblem {
    Negative,     // a speed, time or pulse count below 0
    NotANumber,   // a text that begins with no number: read as 0
    TrailingText, // a number followed by other text ("1,000", "12abc"); trailing blanks are fine
    Cut,          // a text longer than the field's 78 bytes: only they are read
    NoItem,       // a drive type text that names no item
};

struct InputFinding {
    InputField field = InputField::InitialSpeed;
    InputProblem problem = InputProblem::Negative;
    std::string text;           // the field's text as read
    std::optional<double> read; // the number read; none for the drive type

    friend bool operator==(const InputFinding&, const InputFinding&) = default;
};

// The findings of what the controller read: one per field and problem, the
// number fields first, in the order of inputFields, then the selectors. A field
// counts only for the drive types that use it (the deceleration time for the
// asymmetric ones); an empty field or one of blanks only is no finding (it reads
// as 0, and the checks say so where it matters).
std::vector<InputFinding> findInputProblems(const InputReading& reading);

// One finding as a sentence in the given texts.
std::string inputFindingSentence(const InputFinding& finding, const InputFindingTexts& texts);

// The findings as a JSON array of {"field", "text", "read", "problem"}.
void writeInputFindingsJson(io::JsonWriter& json, const std::vector<InputFinding>& findings);

// The findings for pulsecalc's plain --rounded output: a heading and one line
// each; empty without findings.
std::string inputFindingsPlain(const std::vector<InputFinding>& findings);

} // namespace veldronix::report
