#include "io/machine_file.h"

#include "core/drive_type_names.h"
#include "core/field_text.h"
#include "core/speed_multiplier.h"
#include "io/file_read.h"
#include "io/file_replace.h"
#include "io/json_writer.h"
#include "core/utf8.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace veldronix::io {
namespace {

// Writes the file's text: two spaces a level, one member a line, so that a
// file is read and compared line by line, and its lines name its faults.
class PrettyWriter {
public:
    // name: the member's, or none for an element of an array (the file's
    // object and each axis); a member may be named by the empty text.
    void open(std::optional<std::string_view> name, char bracket)
    {
        start(name);
        out_ += bracket;
        ++depth_;
        first_ = true;
    }
    void close(char bracket)
    {
        --depth_;
        if (!first_) {
            newLine();
        }
        out_ += bracket;
        first_ = false;
    }
    void text(std::string_view name, std::string_view value)
    {
        start(name);
        out_ += jsonString(value);
    }
    void literal(std::string_view name, std::string_view value)
    {
        start(name);
        out_ += value;
    }
    void optionalText(std::string_view name, const std::optional<std::string>& value)
    {
        if (value) {
            text(name, *value);
        } else {
            literal(name, "null");
        }
    }
    std::string finish() { return std::move(out_) + "\n"; }

private:
    void start(std::optional<std::string_view> name)
    {
        if (depth_ > 0) {
            if (!first_) {
                out_ += ',';
            }
            newLine();
        }
        first_ = false;
        if (name) {
            out_ += jsonString(*name);
            out_ += ": ";
        }
    }
    void newLine()
    {
        out_ += '\n';
        out_.append(static_cast<std::size_t>(depth_) * 2, ' ');
    }

    std::string out_;
    int depth_ = 0;
    bool first_ = true;
};

void writeAxis(PrettyWriter& out, const MachineAxis& axis)
{
    out.open({}, '{');
    out.text("name", axis.name);
    if (axis.mechanics) {
        const AxisMechanicsTexts& texts = axis.mechanics->texts();
        out.open("mechanics", '{');
        for (const InputFieldDescription& row : axisRows) {
            if (const std::string* figure = mechanicsFigure(texts, row.id)) {
                out.text(row.member, *figure);
            } else if (row.id == InputField::Unit) {
                out.text(row.member, axisUnitName(texts.unit));
            }
        }
        out.close('}');
    } else {
        out.literal("mechanics", "null");
    }
    const auto type = static_cast<std::size_t>(axis.driveType);
    out.optionalText("driveType", type < driveTypeNames.size() ? std::optional<std::string>(driveTypeNames[type])
                                                               : std::nullopt);
    out.open("fields", '{');
    for (const MachineFieldRow& row : machineFieldRows) {
        out.text(row.name, axis.*row.text);
    }
    out.optionalText("pulseCount", axis.pulseCount);
    out.close('}');
    const auto multiplier = axis.multiplierIndex ? multiplierAt(*axis.multiplierIndex) : std::nullopt;
    out.literal("multiplier", multiplier ? std::to_string(static_cast<int>(*multiplier)) : "null");
    out.open("design", '{');
    for (const auto& [key, text] : axis.design) {
        out.text(key, text);
    }
    out.close('}');
    out.close('}');
}

MachineFileError problemAt(MachineFileProblem problem, std::string member)
{
    MachineFileError error;
    error.problem = problem;
    error.member = std::move(member);
    return error;
}

// A text the reader takes back as it is: valid UTF-8 (JSON has no other), no
// NUL, as long as a field takes.
std::optional<MachineFileProblem> textProblem(std::string_view text)
{
    if (text.size() > fieldTextLimit) {
        return MachineFileProblem::TextTooLong;
    }
    if (text.find('\0') != std::string_view::npos) {
        return MachineFileProblem::NulCharacter;
    }
    if (validUtf8(text) != text) {
        return MachineFileProblem::NotUtf8;
    }
    return std::nullopt;
}

std::optional<MachineFileError> checkAxis(const MachineAxis& axis, const std::string& path)
{
    if (const auto problem = checkAxisName(axis.name)) {
        MachineFileError error = problemAt(MachineFileProblem::BadName, path + ".name");
        error.nameProblem = problem;
        return error;
    }
    if (axis.mechanics) {
        // Mechanics made by AxisMechanics::make are sound but for their encoding.
        const AxisMechanicsTexts& texts = axis.mechanics->texts();
        for (const InputFieldDescription& row : axisRows) {
            const std::string* figure = mechanicsFigure(texts, row.id);
            if (const auto problem = figure != nullptr ? textProblem(*figure) : std::nullopt) {
                return problemAt(*problem, path + ".mechanics." + std::string(row.member));
            }
        }
    }
    if (axis.driveType < -1 || axis.driveType > 3) {
        return problemAt(MachineFileProblem::BadValue, path + ".driveType");
    }
    for (const MachineFieldRow& row : machineFieldRows) {
        if (const auto problem = textProblem(axis.*row.text)) {
            return problemAt(*problem, path + ".fields." + std::string(row.name));
        }
    }
    if (axis.pulseCount) {
        if (const auto problem = textProblem(*axis.pulseCount)) {
            return problemAt(*problem, path + ".fields.pulseCount");
        }
    }
    if (axis.multiplierIndex && !multiplierAt(*axis.multiplierIndex)) {
        return problemAt(MachineFileProblem::BadValue, path + ".multiplier");
    }
    std::unordered_set<std::string_view> keys;
    for (const auto& [key, text] : axis.design) {
        const std::string keyPath = path + ".design." + key;
        if (const auto problem = textProblem(key)) {
            return problemAt(*problem, keyPath);
        }
        if (const auto problem = textProblem(text)) {
            return problemAt(*problem, keyPath);
        }
        if (!keys.insert(key).second) {
            MachineFileError error = problemAt(MachineFileProblem::DuplicateMember, path + ".design");
            error.detail = key;
            return error;
        }
    }
    return std::nullopt;
}

} // namespace

const MachineAxis* Machine::find(std::string_view name) const
{
    const auto found = std::find_if(axes.begin(), axes.end(), [name](const MachineAxis& axis) { return axis.name == name; });
    return found == axes.end() ? nullptr : &*found;
}

void Machine::replaceOrAdd(MachineAxis axis)
{
    const auto found =
        std::find_if(axes.begin(), axes.end(), [&axis](const MachineAxis& kept) { return kept.name == axis.name; });
    if (found != axes.end()) {
        *found = std::move(axis);
    } else {
        axes.push_back(std::move(axis));
    }
}

std::string writeMachine(const Machine& machine)
{
    PrettyWriter out;
    out.open({}, '{');
    out.text("format", machineFormatName);
    out.literal("version", std::to_string(machineFormatVersion));
    out.open("axes", '[');
    for (const MachineAxis& axis : machine.axes) {
        writeAxis(out, axis);
    }
    out.close(']');
    out.close('}');
    return out.finish();
}

std::optional<MachineFileError> checkMachine(const Machine& machine)
{
    if (machine.axes.empty()) {
        return problemAt(MachineFileProblem::NoAxes, "axes");
    }
    std::unordered_set<std::string_view> names;
    for (std::size_t i = 0; i < machine.axes.size(); ++i) {
        const std::string path = "axes[" + std::to_string(i) + "]";
        if (auto error = checkAxis(machine.axes[i], path)) {
            return error;
        }
        if (!names.insert(machine.axes[i].name).second) {
            MachineFileError error = problemAt(MachineFileProblem::DuplicateAxis, path + ".name");
            error.detail = machine.axes[i].name;
            return error;
        }
    }
    return std::nullopt;
}

std::variant<Machine, MachineFileError> loadMachineFile(std::string_view path)
{
    auto contents = readWholeFile(path, machineFileSizeLimit);
    if (const auto* failure = std::get_if<FileReadFailure>(&contents)) {
        MachineFileError error = problemAt(failure->tooLarge ? MachineFileProblem::TooLarge : MachineFileProblem::CannotRead, {});
        if (!failure->tooLarge) {
            error.detail = std::strerror(failure->error);
        }
        return error;
    }
    return readMachine(std::get<std::string>(contents));
}

std::optional<MachineFileError> saveMachineFile(std::string_view path, const Machine& machine)
{
    if (auto error = checkMachine(machine)) {
        return error;
    }
    if (const auto failure = replaceFile(path, writeMachine(machine))) {
        MachineFileError error = problemAt(MachineFileProblem::CannotWrite, {});
        error.writeError = failure;
        return error;
    }
    return std::nullopt;
}

} // namespace veldronix::io
