#pragma once

#include "cli/options.h"
#include "core/axis.h"
#include "core/design/move_design.h"

#include <span>
#include <string_view>
#include <variant>

namespace veldronix::cli {

// The two questions of --design.
enum class DesignQuestion { Fastest, OnTime };

// A --design command line: the question and its request.
struct DesignOptions {
    DesignQuestion question = DesignQuestion::Fastest;
    design::FastestMoveRequest fastest; // --design fastest
    design::OnTimeMoveRequest onTime;   // --design time
    bool json = false;
    // The axis's mechanics (--pulses-per-rev, --gear, --travel-per-rev, --unit):
    // the output also gives each speed, rate, jerk and the pulse count in its
    // units; none: in pulses only, as without an axis.
    std::optional<AxisMechanics> mechanics;
    // --in-units: the speeds' limits in mm/s (°/s), the rates' in mm/s², the
    // jerks' in mm/s³ and --pulses in mm (°), read through the axis's exact
    // conversions into pulses; the times stay seconds.
    bool inUnits = false;
};

// Whether a command line asks a --design question: its options are then read by parseDesignOptions.
bool isDesignCommand(std::span<const std::string_view> arguments);

// Whether a question of a drive type takes the option (--initial, --max-speed, ...), needed or optional.
bool designTakes(std::string_view option, DesignQuestion question, DriveType type);

// Reads a --design command line (without the program name).
std::variant<DesignOptions, UsageError> parseDesignOptions(std::span<const std::string_view> arguments);

} // namespace veldronix::cli
