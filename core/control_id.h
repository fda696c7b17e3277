#pragma once

namespace veldronix {

// The dialog's control identifiers; the numbers are those of the dialog template.
enum class ControlId : int {
    IDC_STATIC = -1, // every control without an identifier
    IDC_DRIVE_TYPE = 1000,
    IDC_INITIAL_SPEED = 1001,
    IDC_DRIVE_SPEED = 1002,
    IDC_ACCEL_TIME = 1003,
    IDC_CALCULATE = 1004,
    IDC_OUT_R = 1005,
    IDC_OUT_SV = 1006,
    IDC_OUT_A = 1007,
    IDC_OUT_V = 1008,
    IDC_SUMMARY = 1009,
    IDC_OUT_K = 1010,
    IDC_OUT_AO = 1011,
    IDC_DECEL_TIME = 1012,
    IDC_OUT_D = 1013,
    IDC_OUT_L = 1014,
    IDC_RECALCULATE = 1016,
    IDC_MULTIPLIER = 1017,
    IDC_PULSE_COUNT = 1018,
    IDC_COMPUTE_DECEL_POINT = 1019,
    IDC_DECEL_POINT = 1020,
};

constexpr int toInt(ControlId id)
{
    return static_cast<int>(id);
}

} // namespace veldronix
