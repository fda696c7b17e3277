#include "report/machine_session.h"

#include "report/texts_ja.h"
#include "report/machine_file_message.h"

#include <fmt/format.h>

namespace veldronix::report {
namespace {

namespace t = texts::ja;

std::optional<AxisEditProblem> nameProblem(std::string_view name)
{
    const std::optional<AxisNameProblem> problem = checkAxisName(name);
    if (!problem) {
        return std::nullopt;
    }
    switch (*problem) {
    case AxisNameProblem::Empty:
        return AxisEditProblem::NameEmpty;
    case AxisNameProblem::TooLong:
        return AxisEditProblem::NameTooLong;
    case AxisNameProblem::NotUtf8:
        return AxisEditProblem::NameNotUtf8;
    case AxisNameProblem::ControlCharacter:
        break;
    }
    return AxisEditProblem::NameControlCharacter;
}

io::MachineAxis newAxis(std::string_view name)
{
    io::MachineAxis axis;
    axis.name = std::string(name);
    return axis;
}

} // namespace

DialogState readDialogState(CalculatorView& dialog)
{
    DialogState state;
    state.driveType = dialog.selectedIndex(ControlId::IDC_DRIVE_TYPE);
    state.initialSpeed = dialog.readText(ControlId::IDC_INITIAL_SPEED);
    state.driveSpeed = dialog.readText(ControlId::IDC_DRIVE_SPEED);
    state.accelTime = dialog.readText(ControlId::IDC_ACCEL_TIME);
    state.decelTime = dialog.readText(ControlId::IDC_DECEL_TIME);
    state.pulseCount = dialog.readText(ControlId::IDC_PULSE_COUNT);
    return state;
}

MachineSession::MachineSession()
{
    machine_.axes.push_back(newAxis(defaultAxisName));
}

const AxisMechanics* MachineSession::mechanics() const
{
    const auto& mechanics = current().mechanics;
    return mechanics ? &*mechanics : nullptr;
}

void MachineSession::capture(const DialogState& dialog, const std::optional<Calculation>& calculation)
{
    io::MachineAxis& axis = machine_.axes[current_];
    axis.driveType = dialog.driveType;
    axis.initialSpeed = dialog.initialSpeed;
    axis.driveSpeed = dialog.driveSpeed;
    axis.accelTime = dialog.accelTime;
    axis.decelTime = dialog.decelTime;
    // An empty field is no pulse count, unless the axis was given an empty one.
    if (!dialog.pulseCount.empty() || axis.pulseCount) {
        axis.pulseCount = dialog.pulseCount;
    }
    // The item 再計算 chose is the axis's; the automatic one only where the axis
    // already names it, so that an opened file saves back as it was. Without a
    // calculation (a failed 決定) the axis keeps its item.
    if (calculation) {
        const bool automatic = calculation->automaticIndex && *calculation->automaticIndex == calculation->multiplierIndex;
        if (!automatic || axis.multiplierIndex != calculation->multiplierIndex) {
            axis.multiplierIndex = automatic ? std::nullopt : std::optional<int>(calculation->multiplierIndex);
        }
    }
}

void MachineSession::setDesign(std::vector<std::pair<std::string, std::string>> values)
{
    machine_.axes[current_].design = std::move(values);
}

std::vector<DialogRequest> MachineSession::restoreRequests() const
{
    const io::MachineAxis& axis = current();
    std::vector<DialogRequest> requests = {
        DialogRequest::select(ControlId::IDC_DRIVE_TYPE, axis.driveType),
        DialogRequest::write(ControlId::IDC_INITIAL_SPEED, axis.initialSpeed),
        DialogRequest::write(ControlId::IDC_DRIVE_SPEED, axis.driveSpeed),
        DialogRequest::write(ControlId::IDC_ACCEL_TIME, axis.accelTime),
        DialogRequest::write(ControlId::IDC_DECEL_TIME, axis.decelTime),
        DialogRequest::write(ControlId::IDC_PULSE_COUNT, axis.pulseCount.value_or("")),
        DialogRequest::press(ControlId::IDC_CALCULATE),
    };
    if (axis.multiplierIndex) {
        requests.push_back(DialogRequest::select(ControlId::IDC_MULTIPLIER, *axis.multiplierIndex));
        requests.push_back(DialogRequest::press(ControlId::IDC_RECALCULATE));
    }
    return requests;
}

std::optional<AxisEditProblem> MachineSession::add(std::string_view name)
{
    if (const auto problem = nameProblem(name)) {
        return problem;
    }
    if (machine_.find(name) != nullptr) {
        return AxisEditProblem::NameTaken;
    }
    io::MachineAxis axis = current();
    axis.name = std::string(name);
    machine_.axes.push_back(std::move(axis));
    current_ = machine_.axes.size() - 1;
    ++revision_;
    return std::nullopt;
}

std::optional<AxisEditProblem> MachineSession::rename(std::string_view name)
{
    if (const auto problem = nameProblem(name)) {
        return problem;
    }
    const io::MachineAxis* named = machine_.find(name);
    if (named != nullptr && named != &current()) {
        return AxisEditProblem::NameTaken;
    }
    machine_.axes[current_].name = std::string(name);
    ++revision_;
    return std::nullopt;
}

std::optional<AxisEditProblem> MachineSession::remove()
{
    if (machine_.axes.size() <= 1) {
        return AxisEditProblem::LastAxis;
    }
    machine_.axes.erase(machine_.axes.begin() + static_cast<std::ptrdiff_t>(current_));
    current_ = std::min(current_, machine_.axes.size() - 1);
    ++revision_;
    return std::nullopt;
}

void MachineSession::choose(std::size_t index)
{
    if (index < machine_.axes.size()) {
        current_ = index;
        ++revision_;
    }
}

void MachineSession::setMechanics(std::optional<AxisMechanics> mechanics)
{
    machine_.axes[current_].mechanics = std::move(mechanics);
    ++revision_;
}

std::variant<std::string, io::MachineFileError> MachineSession::fileText() const
{
    if (std::optional<io::MachineFileError> error = io::checkMachine(machine_)) {
        return std::move(*error);
    }
    return io::writeMachine(machine_);
}

std::optional<io::MachineFileError> MachineSession::save(std::string_view path)
{
    if (std::optional<io::MachineFileError> error = io::saveMachineFile(path, machine_)) {
        return error;
    }
    fileName_ = baseName(path);
    ++revision_;
    return std::nullopt;
}

void MachineSession::opened(io::Machine machine, std::string_view path)
{
    machine_ = std::move(machine);
    current_ = 0;
    fileName_ = baseName(path);
    ++revision_;
}

std::optional<io::MachineFileError> MachineSession::open(std::string_view fileName, std::string_view text)
{
    auto read = io::readMachine(text);
    if (auto* error = std::get_if<io::MachineFileError>(&read)) {
        return std::move(*error);
    }
    opened(std::get<io::Machine>(std::move(read)), fileName);
    return std::nullopt;
}

std::optional<io::MachineFileError> MachineSession::load(std::string_view path)
{
    auto read = io::loadMachineFile(path);
    if (auto* error = std::get_if<io::MachineFileError>(&read)) {
        return std::move(*error);
    }
    opened(std::get<io::Machine>(std::move(read)), path);
    return std::nullopt;
}

std::string MachineSession::baseName(std::string_view path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

MachineFileOutcome saveMachine(MachineSession& session, std::string_view chosenPath, CalculatorView& dialog,
                               const std::optional<Calculation>& calculation)
{
    const std::string path = machineSavePath(chosenPath);
    const std::string name = MachineSession::baseName(path);
    session.capture(readDialogState(dialog), calculation);
    if (const std::optional<io::MachineFileError> error = session.save(path)) {
        return {machineFileMessage(name, *error), true, {}};
    }
    return {fmt::format(t::machineSaved, name), false, {}};
}

MachineFileOutcome openMachine(MachineSession& session, std::string_view path)
{
    const std::string name = MachineSession::baseName(path);
    if (const std::optional<io::MachineFileError> error = session.load(path)) {
        return {machineFileMessage(name, *error), true, {}};
    }
    return {fmt::format(t::machineOpened, name), false, session.restoreRequests()};
}

MachineFileOutcome openMachineText(MachineSession& session, std::string_view fileName, std::string_view text)
{
    const std::string name = MachineSession::baseName(fileName);
    if (const std::optional<io::MachineFileError> error = session.open(name, text)) {
        return {machineFileMessage(name, *error), true, {}};
    }
    return {fmt::format(t::machineOpened, name), false, session.restoreRequests()};
}

std::string machineWindowTitle(std::string_view title, std::string_view fileName)
{
    return fileName.empty() ? std::string(title) : fmt::format(t::titleWithFile, fileName, title);
}

std::string axisEditMessage(AxisEditProblem problem, std::string_view name)
{
    switch (problem) {
    case AxisEditProblem::NameEmpty:
        return std::string(t::axisNameEmpty);
    case AxisEditProblem::NameTooLong:
        return fmt::format(t::axisNameTooLong, name);
    case AxisEditProblem::NameNotUtf8:
        return std::string(t::axisNameNotUtf8);
    case AxisEditProblem::NameControlCharacter:
        return std::string(t::axisNameControl);
    case AxisEditProblem::NameTaken:
        return fmt::format(t::axisNameTaken, name);
    case AxisEditProblem::LastAxis:
        break;
    }
    return std::string(t::lastAxis);
}

MachineFileDialog machineFileDialog()
{
    return {t::machineSaveTitle, t::machineOpenTitle,   t::machineFilter,
            t::machineFilePattern, io::machineFileSuffix, t::machineDefaultName};
}

std::string suggestedMachineFileName(const MachineSession& session)
{
    return session.fileName().empty() ? std::string(t::machineDefaultName) : session.fileName();
}

std::string machineSavePath(std::string_view chosen)
{
    const std::string_view suffix = io::machineFileSuffix;
    const bool hasSuffix = chosen.size() >= suffix.size() && chosen.substr(chosen.size() - suffix.size()) == suffix;
    return hasSuffix ? std::string(chosen) : std::string(chosen) + std::string(suffix);
}

} // namespace veldronix::report
