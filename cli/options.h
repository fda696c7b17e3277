#pragma once

#include "cli/drive_request.h"
#include "core/axis.h"
#include "report/register_code.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace veldronix::cli {

// The axis and the machine file of a run.
struct AxisOptions {
    // The axis's values given (--axis, --pulses-per-rev, --gear,
    // --travel-per-rev, --unit), by their rows of axisRows; a unit is mm or deg.
    ByInputRow<std::optional<std::string>> values;
    bool inUnits = false;                     // --in-units: --initial, --drive and --pulses in the axis's units
    std::optional<std::string> machinePath;   // --machine
    std::optional<std::string> saveMachinePath; // --save-machine
    std::vector<std::string> givenDriveOptions; // the drive's options given, by name, to override a file's

    const std::optional<std::string>& name() const { return values[InputField::AxisName]; }
    // Whether any of the mechanics' values is given.
    bool anyMechanics() const
    {
        for (const InputFieldDescription& row : axisRows) {
            if (row.id != InputField::AxisName && values[row.id]) {
                return true;
            }
        }
        return false;
    }
    bool any() const { return name() || anyMechanics() || inUnits || machinePath || saveMachinePath; }
};

struct Options {
    DriveRequest request;
    AxisOptions axis;
    bool json = false;
    bool rounded = false; // --rounded: also the drive that the rounded setting values give
    bool compare = false; // --compare: also the multipliers side by side after rounding
    // --registers: only the rounded registers, as the details' copy button gives them
    std::optional<report::CopyFormatKind> registers;
    std::optional<std::string> csvPath; // --csv: one drive per row of this file, "-" for standard input
    std::optional<std::string> svgPath; // --svg: plot the velocity profile into this file (needs --pulses), "-" for standard output
    bool help = false;
    bool version = false; // --version: print the program's version
};

// What is wrong with a command line, in words for its user.
struct UsageError {
    std::string message;
};

// Reads the command line (without the program name).
std::variant<Options, UsageError> parseOptions(std::span<const std::string_view> arguments);

// The drive-type index of a --type value: 0..3, -1, or one of the four names.
std::optional<int> parseDriveType(std::string_view text);

// The multiplier selector index of a --multiplier value: an index -1..8, or the
// multiplier itself written x1, x2, x5, ... x500 (x50 is item 5).
std::optional<int> parseMultiplierIndex(std::string_view text);

// The item index of a selector's value: parseDriveType or parseMultiplierIndex
// by the field; none for a value that names no item, or a field that is no selector.
std::optional<int> parseItem(InputField field, std::string_view text);

// The format of a --registers value: lines, c or json.
std::optional<report::CopyFormatKind> parseRegistersFormat(std::string_view text);

} // namespace veldronix::cli
