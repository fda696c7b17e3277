#pragma once

#include "core/design/move_design.h"
#include "core/design/move_model.h"

#include <array>
#include <optional>

namespace veldronix::design {

// The field texts that give a design's integers through 決定 (and 再計算).
DesignFields fieldsFor(const MoveCandidate& c);

// The multiplier and the rounded registers (by SettingRegister) that typing the
// fields, pressing 決定 and, where asked, selecting the item and pressing 再計算
// give, as the details round them; none when the dialog would refuse them or a
// register cannot take its rounded value.
struct ReproducedSettings {
    double multiplier = 0.0;
    std::array<std::optional<std::int64_t>, settingRegisters.size()> registers{};
};
std::optional<ReproducedSettings> reproduce(const DesignFields& fields, DriveType type);

} // namespace veldronix::design
