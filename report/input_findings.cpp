#include "report/input_findings.h"

#include "core/number_format.h"
#include "core/number_forms.h"
#include "io/utf8.h"
#include "report/report_texts.h"

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

} // namespace

std::string_view fieldName(InputField field, const InputFindingTexts& texts)
{
    switch (field) {
    case InputField::InitialSpeed:
        return texts.initialSpeed;
    case InputField::DriveSpeed:
        return texts.driveSpeed;
    case InputField::AccelTime:
        return texts.accelTime;
    case InputField::DecelTime:
        return texts.decelTime;
    case InputField::PulseCount:
        return texts.pulseCount;
    case InputField::DriveType:
        break;
    }
    return texts.driveType;
}

namespace {

std::string_view jsonFieldName(InputField field)
{
    static constexpr std::array<std::string_view, 6> names = {"initialSpeed", "driveSpeed", "accelTime",
                                                              "decelTime",    "pulseCount", "driveType"};
    return names[static_cast<std::size_t>(field)];
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
    for (const char c : io::validUtf8(text)) {
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
    findNumberProblems(findings, InputField::InitialSpeed, reading.initialSpeed);
    findNumberProblems(findings, InputField::DriveSpeed, reading.driveSpeed);
    findNumberProblems(findings, InputField::AccelTime, reading.accelTime);
    if (isAsymmetric(reading.driveType.type)) {
        findNumberProblems(findings, InputField::DecelTime, reading.decelTime);
    }
    if (reading.pulseCount) {
        findNumberProblems(findings, InputField::PulseCount, *reading.pulseCount);
    }
    const DriveTypeReading& type = reading.driveType;
    if (!isKnownDriveType(type.type)) {
        findings.push_back({InputField::DriveType, InputProblem::NoItem, type.text, std::nullopt});
    }
    if (type.cut) {
        findings.push_back({InputField::DriveType, InputProblem::Cut, type.text, std::nullopt});
    }
    return findings;
}

std::string inputFindingSentence(const InputFinding& finding, const InputFindingTexts& texts)
{
    const std::string_view name = fieldName(finding.field, texts);
    std::string_view sentence = texts.noItem;
    switch (finding.problem) {
    case InputProblem::Negative:
        sentence = texts.negative;
        break;
    case InputProblem::NotANumber:
        sentence = texts.notANumber;
        break;
    case InputProblem::TrailingText:
        sentence = texts.trailingText;
        break;
    case InputProblem::Cut:
        sentence = texts.cut;
        break;
    case InputProblem::NoItem:
        sentence = finding.text.empty() ? texts.noItemEmpty : texts.noItem;
        break;
    case InputProblem::WideForms:
        sentence = texts.wideForms;
        break;
    }
    return fmt::format(fmt::runtime(sentence), name, shownFieldText(finding.text),
                       finding.read ? formatShortest(*finding.read) : std::string());
}

void writeInputFindingsJson(io::JsonWriter& json, const std::vector<InputFinding>& findings)
{
    json.beginArray();
    for (const InputFinding& finding : findings) {
        json.beginObject();
        json.member("field", jsonFieldName(finding.field));
        json.member("text", io::validUtf8(finding.text));
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
        out += inputFindingSentence(finding, texts::inputFindings);
    }
    return out;
}

std::string inputFindingsPlain(const std::vector<InputFinding>& findings)
{
    if (findings.empty()) {
        return {};
    }
    std::string out = "\n";
    out += texts::inputFindingsHeading;
    out += '\n';
    for (const InputFinding& finding : findings) {
        out += "  " + inputFindingSentence(finding, texts::inputFindings) + '\n';
    }
    return out;
}

} // namespace veldronix::report
