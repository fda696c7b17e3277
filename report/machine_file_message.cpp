#include "report/machine_file_message.h"

#include "io/utf8.h"
#include "report/details.h"

#include <fmt/format.h>

namespace veldronix::report {
namespace {

using P = io::MachineFileProblem;

std::string_view mechanicsFault(AxisMechanicsProblem problem, const MachineFileTexts& texts)
{
    switch (problem) {
    case AxisMechanicsProblem::NotANumber:
        return texts.notANumber;
    case AxisMechanicsProblem::NotPositive:
        return texts.notPositive;
    case AxisMechanicsProblem::TooLong:
        return texts.textTooLong;
    case AxisMechanicsProblem::RotaryNot360:
        break;
    }
    return texts.rotaryNot360;
}

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
                  std::string_view (*writeReason)(io::FileWriteError))
{
    // The detail comes from the file; a format name or value shown is kept to valid UTF-8.
    const std::string detail = io::validUtf8(error.detail);
    switch (error.problem) {
    case P::CannotRead:
        return fmt::format(fmt::runtime(texts.cannotRead), detail);
    case P::TooLarge:
        return std::string(texts.tooLarge);
    case P::NotJson:
        return std::string(texts.notJson);
    case P::NotUtf8:
        return std::string(texts.notUtf8);
    case P::TooDeep:
        return std::string(texts.tooDeep);
    case P::DuplicateMember:
        return fmt::format(fmt::runtime(texts.duplicateMember), detail);
    case P::NotMachineFile:
        return detail.empty() ? std::string(texts.notMachineFile) : fmt::format(fmt::runtime(texts.otherFormat), detail);
    case P::NewerVersion:
        return fmt::format(fmt::runtime(texts.newerVersion), detail);
    case P::MissingMember:
        return std::string(texts.missingMember);
    case P::UnknownMember:
        return std::string(texts.unknownMember);
    case P::WrongType:
        return fmt::format(fmt::runtime(texts.wrongType), detail);
    case P::NumberOutOfRange:
        return fmt::format(fmt::runtime(texts.numberOutOfRange), detail);
    case P::TextTooLong:
        return std::string(texts.textTooLong);
    case P::NulCharacter:
        return std::string(texts.nulCharacter);
    case P::BadValue:
        return fmt::format(fmt::runtime(texts.badValue), detail);
    case P::BadMechanics:
        return std::string(mechanicsFault(error.mechanicsProblem.value_or(AxisMechanicsProblem::NotANumber), texts));
    case P::BadName:
        return std::string(nameFault(error.nameProblem.value_or(AxisNameProblem::Empty), texts));
    case P::DuplicateAxis:
        return fmt::format(fmt::runtime(texts.duplicateAxis), detail);
    case P::NoAxes:
        return std::string(texts.noAxes);
    case P::CannotWrite:
        break;
    }
    const io::FileWriteError why = error.writeError.value_or(io::FileWriteError::CannotReplace);
    return fmt::format(fmt::runtime(texts.cannotWrite), writeReason ? writeReason(why) : saveFailureReason(why));
}

} // namespace

std::string machineFileMessage(std::string_view fileName, const io::MachineFileError& error,
                               const MachineFileTexts& texts, std::string_view (*writeReason)(io::FileWriteError))
{
    const std::string where = error.line > 0 ? fmt::format(fmt::runtime(texts.atLine), error.line) : std::string();
    std::string what = fault(error, texts, writeReason);
    if (!error.member.empty()) {
        what = fmt::format(fmt::runtime(texts.inMember), error.member, what);
    }
    return fmt::format(fmt::runtime(texts.message), io::validUtf8(fileName), where, what);
}

} // namespace veldronix::report
