#pragma once

#include "core/axis.h"
#include "io/file_replace.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// The machine file (*.veldronix.json): the axes of one machine, each with its
// mechanics and the dialog's fields as typed, so that a machine is set up once.
namespace veldronix::io {

inline constexpr std::string_view machineFormatName = "veldronix-machine";
// The version this program writes; it reads every version up to it.
inline constexpr int machineFormatVersion = 1;
inline constexpr std::string_view machineFileSuffix = ".veldronix.json";

// One axis: what the dialog and the details hold for it.
struct MachineAxis {
    std::string name;
    std::optional<AxisMechanics> mechanics;
    int driveType = 0; // selector index, -1 for none
    // The dialog's input fields exactly as typed.
    std::string initialSpeed;
    std::string driveSpeed;
    std::string accelTime;
    std::string decelTime;
    std::optional<std::string> pulseCount; // none: no pulse count given
    std::optional<int> multiplierIndex;    // the multiplier item chosen for 再計算, 0..8
    // The move design form's field texts by key, in the form's order.
    std::vector<std::pair<std::string, std::string>> design;
};

// The input fields' texts, one row each, as the file names them.
struct MachineFieldRow {
    std::string_view name;
    std::string MachineAxis::*text;
};
inline constexpr std::array<MachineFieldRow, 4> machineFieldRows = {{
    {"initialSpeed", &MachineAxis::initialSpeed},
    {"driveSpeed", &MachineAxis::driveSpeed},
    {"accelTime", &MachineAxis::accelTime},
    {"decelTime", &MachineAxis::decelTime},
}};

struct Machine {
    std::vector<MachineAxis> axes; // at least one, each name once

    // The axis of that name, null when there is none.
    const MachineAxis* find(std::string_view name) const;
    // Puts the axis in place of the one of its name, or after the others.
    void replaceOrAdd(MachineAxis axis);
};

// What is wrong with a machine file, or with a machine about to be saved.
enum class MachineFileProblem {
    CannotRead,       // detail: the system's reason
    TooLarge,         // larger than machineFileSizeLimit
    NotJson,          // a syntax error at the line
    NotUtf8,          // a byte of no UTF-8 character, or a lone surrogate escape
    TooDeep,          // nested deeper than any machine file
    DuplicateMember,  // member: the object; detail: the name given twice
    NotMachineFile,   // no "format" naming this format; detail: the name found, if any
    NewerVersion,     // detail: the version
    MissingMember,    // member: the one missing
    UnknownMember,    // member: the one no version of the format has
    WrongType,        // member; detail: the JSON type it must have
    NumberOutOfRange, // member: a number beyond the doubles (1e999) or any file's; detail: as written
    TextTooLong,      // member: a text longer than its field takes
    NulCharacter,     // member: a text with U+0000, which no field can hold
    BadValue,         // member: a unit, drive type, multiplier or version that names none; detail: as written
    BadMechanics,     // member; mechanicsProblem says why
    BadName,          // member; nameProblem says why
    DuplicateAxis,    // member: the second axis's name; detail: the name
    NoAxes,           // member "axes": an empty list
    CannotWrite,      // writeError: what io::replaceFile reported
};

struct MachineFileError {
    MachineFileProblem problem;
    std::string member; // the member's path, e.g. axes[1].fields.driveSpeed; empty for the whole file
    std::size_t line = 0; // where the reader knows it, counting from 1; 0 otherwise
    std::string detail;
    std::optional<AxisMechanicsProblem> mechanicsProblem;
    std::optional<AxisNameProblem> nameProblem;
    std::optional<FileWriteError> writeError;
};

// Files are read whole; no machine's file comes near this.
inline constexpr std::size_t machineFileSizeLimit = 16 * 1024 * 1024;

// The machine in a file's text.
std::variant<Machine, MachineFileError> readMachine(std::string_view text);
// The file's text of a machine: the same machine always gives the same bytes,
// and reading them gives the machine back.
std::string writeMachine(const Machine& machine);
// What would stop a machine from being saved and read back (names, texts), none when it can.
std::optional<MachineFileError> checkMachine(const Machine& machine);

// The machine in the file at path.
std::variant<Machine, MachineFileError> loadMachineFile(std::string_view path);
// Writes the machine to path whole or not at all (io::replaceFile); a machine
// that checkMachine refuses is not written.
std::optional<MachineFileError> saveMachineFile(std::string_view path, const Machine& machine);

} // namespace veldronix::io
