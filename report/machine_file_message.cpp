#include "report/machine_file_message.h"

#include "core/utf8.h"
#include "report/file_write_reason.h"

#include <fmt/format.h>

namespace veldronix::report {
namespace {

using P = io::MachineFileProblem;

std::string_view nameFault(AxisNameProblem problem, const MachineFileTexts& texts)
{
    switch (problem) {
    case AxisNameProblem::Empty:
        return texts.nameEmpty;
    case AxisNameProblem::TooLong:
        return texts.textTooLong;
    case AxisNameProblem::NotUtf8:
        return texts.nameNotUtf8;
    case AxisNameProblem::ControlCharacter:
        break;
    }
    return texts.nameControlCharacter;
}

std::string fault(const io::MachineFileError& error, const MachineFileTexts& texts,
                  const FileWriteTexts& writeTexts)
{
    // The detail comes from the file; a format name or value shown is kept to valid UTF-8.
    const std::string detail = validUtf8(error.detail);
    switch (error.problem) {
    case P::CannotRead:
        return texts.cannotRead(detail);
    case P::TooLarge:
        return std::string(texts.tooLarge);
    case P::NotJson:
        return std::string(texts.notJson);
    case P::NotUtf8:
        return std::string(texts.notUtf8);
    case P::TooDeep:
        return std::string(texts.tooDeep);
    case P::DuplicateMember:
        return texts.duplicateMember(detail);
    case P::NotMachineFile:
        return detail.empty() ? std::string(texts.notMachineFile) : texts.otherFormat(detail);
    case P::NewerVersion:
        return texts.newerVersion(detail);
    case P::MissingMember:
        return std::string(texts.missingMember);
    case P::UnknownMember:
        return std::string(texts.unknownMember);
    case P::WrongType:
        return texts.wrongType(detail);
    case P::NumberOutOfRange:
        return texts.numberOutOfRange(detail);
    case P::TextTooLong:
        return std::string(texts.textTooLong);
    case P::NulCharacter:
        return std::string(texts.nulCharacter);
    case P::BadValue:
        return texts.badValue(detail);
    case P::BadMechanics:
        return std::string(mechanicsFault(error.mechanicsProblem.value_or(AxisMechanicsProblem::NotANumber), texts));
    case P::BadName:
        return std::string(nameFault(error.nameProblem.value_or(AxisNameProblem::Empty), texts));
    case P::DuplicateAxis:
        return texts.duplicateAxis(detail);
    case P::NoAxes:
        return std::string(texts.noAxes);
    case P::CannotWrite:
        break;
    }
    const io::FileWriteError why = error.writeError.value_or(io::FileWriteError::CannotReplace);
    return texts.cannotWrite(fileWriteReason(why, writeTexts));
}

} // namespace

std::string_view mechanicsFault(AxisMechanicsProblem problem, const MachineFileTexts& texts)
{
    switch (problem) {
    case AxisMechanicsProblem::NotANumber:
        return texts.notANumber;
    case AxisMechanicsProblem::NotPositive:
        return texts.notPositive;
    case AxisMechanicsProblem::OutOfRange:
        return texts.outOfRange;
    case AxisMechanicsProblem::TooLong:
        return texts.textTooLong;
    case AxisMechanicsProblem::RotaryNot360:
        break;
    }
    return texts.rotaryNot360;
}

std::string machineFileMessage(std::string_view fileName, const io::MachineFileError& error,
                               const MachineFileTexts& texts, const FileWriteTexts& writeTexts)
{
    const std::string where = error.line > 0 ? texts.atLine(std::to_string(error.line)) : std::string();
    std::string what = fault(error, texts, writeTexts);
    if (!error.member.empty()) {
        what = texts.inMember(error.member, what);
    }
    return texts.message(validUtf8(fileName), where, what);
}

} // namespace veldronix::report
