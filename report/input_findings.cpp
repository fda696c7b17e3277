#include "report/input_findings.h"

#include "core/number_format.h"
#include "core/utf8.h"
#include "report/texts_en.h"

#include <fmt/format.h>

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
    for (const char c : text) {
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
}

std::string_view jsonProblemName(InputProblem problem)
{
    static constexpr std::array<std::string_view, 5> names = {"negative", "notANumber", "trailingText", "cut",
                                                              "noItem"};
    return names[static_cast<std::size_t>(problem)];
}

// A field's text for a sentence: valid UTF-8, and its control characters
// written as escapes so that the text stays on its line.
std::string shownText(std::string_view text)
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

} // namespace

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
    }
    return (*sentence)(name, shownText(finding.text), finding.read ? formatShortest(*finding.read) : std::string());
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
