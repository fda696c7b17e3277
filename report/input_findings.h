#pragma once

#include "controller/calculator_controller.h"
#include "controller/input_reading.h"
#include "core/control_id.h"
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
    WideForms,    // full-width digits, signs, stop or spaces read as their ASCII forms ("１００" is 100)
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

// A field's text for a sentence: valid UTF-8, its control characters written
// as escapes so that the text stays on its line.
std::string shownFieldText(std::string_view text);

// One finding as a sentence in the given texts.
std::string inputFindingSentence(const InputFinding& finding, const InputFindingTexts& texts);

// An input field whose text was read otherwise than typed, as the dialog marks
// it at the field itself: its colour, and note as its tooltip.
struct FieldFinding {
    ControlId control = ControlId::IDC_STATIC;
    std::string note; // the field's findings' sentences, one per line

    friend bool operator==(const FieldFinding&, const FieldFinding&) = default;
};

// The fields to mark, in the order of the findings, from what the controller last
// read. A field is marked for a negative number, no number, text after the
// number, a cut text or a drive type that names no item; full-width digits alone
// are read as the number they show ("１００" is 100), so they mark no field, but
// their sentence joins the note of a field marked for another finding.
std::vector<FieldFinding> fieldFindings(const std::vector<InputFinding>& findings, const InputFindingTexts& texts);
// The same of the controller's last reading; none before its first command.
std::vector<FieldFinding> fieldFindings(const CalculatorController& controller, const InputFindingTexts& texts);

// The findings as a JSON array of {"field", "text", "read", "problem"}.
void writeInputFindingsJson(io::JsonWriter& json, const std::vector<InputFinding>& findings);

// The findings' sentences in pulsecalc's texts, one per line without a final
// line break: the inputFindings cell of a batch row.
std::string inputFindingLines(const std::vector<InputFinding>& findings);

// The findings for pulsecalc's plain --rounded output: a heading and one line
// each; empty without findings.
std::string inputFindingsPlain(const std::vector<InputFinding>& findings);

} // namespace veldronix::report
