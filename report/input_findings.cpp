#include "report/input_findings.h"

#include "core/number_format.h"
#include "core/number_forms.h"
#include "core/utf8.h"
#include "report/texts_en.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>

namespace veldronix::report {
namespace {

constexpr bool isBlank(char c)
{
    // The blanks the number reader skips before a number; the same are fine after it.
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool onlyBlanks(std::string_view text)
{
    // An ideographic space is a blank to the number reader as well.
    for (const char c : asciiNumberForms(text)) {
        if (!isBlank(c)) {
            return false;
        }
    }
    return true;
}

void findNumberProblems(std::vector<InputFinding>& findings, InputField field, const FieldReading& reading)
{
    const auto add = [&](InputProblem problem) {
        findings.push_back({field, problem, reading.text, reading.number});
    };
    if (reading.number < 0.0) {
        add(InputProblem::Negative);
    }
    if (reading.numberEnd == 0 && !onlyBlanks(reading.text)) {
        add(InputProblem::NotANumber);
    }
    if (reading.numberEnd > 0 && !onlyBlanks(std::string_view(reading.text).substr(reading.numberEnd))) {
        add(InputProblem::TrailingText);
    }
    if (reading.cut) {
        add(InputProblem::Cut);
    }
    if (reading.wideForms) {
        add(InputProblem::WideForms);
    }
}

std::string_view jsonProblemName(InputProblem problem)
{
    static constexpr std::array<std::string_view, 6> names = {"negative", "notANumber", "trailingText",
                                                              "cut",      "noItem",     "wideForms"};
    return names[static_cast<std::size_t>(problem)];
}

} // namespace

std::string shownFieldText(std::string_view text)
{
    std::string out;
    for (const char c : validUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += fmt::format("\\x{:02X}", byte);
        }
    }
    return out;
}

std::vector<InputFinding> findInputProblems(const InputReading& reading)
{
    std::vector<InputFinding> findings;
    for (const FieldKind kind : {FieldKind::Number, FieldKind::Selector}) {
        for (const InputFieldDescription& field : inputFields) {
            const std::optional<FieldReading>& read = reading.fields[field.id];
            if (field.kind != kind || !read || !usesField(reading.driveType, field.id)) {
                continue;
            }
            if (kind == FieldKind::Number) {
                findNumberProblems(findings, field.id, *read);
                continue;
            }
            // Only the drive type's selector is read as text; its item is the drive type.
            if (field.id == InputField::DriveType && !isKnownDriveType(reading.driveType)) {
                findings.push_back({field.id, InputProblem::NoItem, read->text, std::nullopt});
            }
            if (read->cut) {
                findings.push_back({field.id, InputProblem::Cut, read->text, std::nullopt});
            }
        }
    }
    return findings;
}

std::string inputFindingSentence(const InputFinding& finding, const InputFindingTexts& texts)
{
    const std::string_view name = texts.fieldNames[finding.field];
    const Format3* sentence = &texts.noItem;
    switch (finding.problem) {
    case InputProblem::Negative:
        sentence = &texts.negative;
        break;
    case InputProblem::NotANumber:
        sentence = &texts.notANumber;
        break;
    case InputProblem::TrailingText:
        sentence = &texts.trailingText;
        break;
    case InputProblem::Cut:
        sentence = &texts.cut;
        break;
    case InputProblem::NoItem:
        sentence = finding.text.empty() ? &texts.noItemEmpty : &texts.noItem;
        break;
    case InputProblem::WideForms:
        sentence = &texts.wideForms;
        break;
    }
    return (*sentence)(name, shownFieldText(finding.text), finding.read ? formatShortest(*finding.read) : std::string());
}

std::vector<FieldFinding> fieldFindings(const std::vector<InputFinding>& findings, const InputFindingTexts& texts)
{
    std::vector<FieldFinding> marked;
    for (const InputFinding& finding : findings) {
        if (finding.problem == InputProblem::WideForms) {
            continue;
        }
        const ControlId control = describe(finding.field).control;
        if (std::any_of(marked.begin(), marked.end(), [control](const FieldFinding& f) { return f.control == control; })) {
            continue;
        }
        FieldFinding field{control, {}};
        for (const InputFinding& other : findings) {
            if (other.field == finding.field) {
                field.note += field.note.empty() ? "" : "\n";
                field.note += inputFindingSentence(other, texts);
            }
        }
        marked.push_back(std::move(field));
    }
    return marked;
}

std::vector<FieldFinding> fieldFindings(const CalculatorController& controller, const InputFindingTexts& texts)
{
    const auto& reading = controller.lastReading();
    return reading ? fieldFindings(findInputProblems(*reading), texts) : std::vector<FieldFinding>{};
}

void writeInputFindingsJson(io::JsonWriter& json, const std::vector<InputFinding>& findings)
{
    json.beginArray();
    for (const InputFinding& finding : findings) {
        json.beginObject();
        json.member("field", describe(finding.field).member);
        json.member("text", validUtf8(finding.text));
        json.key("read");
        if (finding.read) {
            json.number(*finding.read);
        } else {
            json.null();
        }
        json.member("problem", jsonProblemName(finding.problem));
        json.endObject();
    }
    json.endArray();
}

std::string inputFindingLines(const std::vector<InputFinding>& findings)
{
    std::string out;
    for (const InputFinding& finding : findings) {
        out += out.empty() ? "" : "\n";
        out += inputFindingSentence(finding, texts::en::inputFindings);
    }
    return out;
}

std::string inputFindingsPlain(const std::vector<InputFinding>& findings)
{
    if (findings.empty()) {
        return {};
    }
    std::string out = "\n";
    out += texts::en::inputFindingsHeading;
    out += '\n';
    for (const InputFinding& finding : findings) {
        out += "  " + inputFindingSentence(finding, texts::en::inputFindings) + '\n';
    }
    return out;
}

} // namespace veldronix::report
