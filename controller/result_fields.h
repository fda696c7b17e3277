#pragma once

#include "controller/command_failure.h"
#include "core/control_id.h"
#include "core/setting_register.h"

#include <algorithm>
#include <array>

namespace veldronix {

// The fields that show what a command computed, in the dialog's order: the
// summary, each register's value field, マニュアル減速点. Every front end marks
// these, and only these, when they are stale.
inline constexpr std::array<ControlId, settingRegisters.size() + 2> resultFields = [] {
    std::array<ControlId, settingRegisters.size() + 2> fields{};
    fields.front() = ControlId::IDC_SUMMARY;
    for (std::size_t i = 0; i < settingRegisters.size(); ++i) {
        fields[i + 1] = settingRegisters[i].field;
    }
    fields.back() = ControlId::IDC_DECEL_POINT;
    return fields;
}();

// Whether a field shows a result that no longer belongs to the calculation the
// controller holds; false for every control that shows no result.
constexpr bool isStale(ControlId field, const ResultFreshness& freshness)
{
    if (field == ControlId::IDC_DECEL_POINT) {
        return freshness.decelPointStale;
    }
    return freshness.valuesStale && std::find(resultFields.begin(), resultFields.end(), field) != resultFields.end();
}

} // namespace veldronix
