#pragma once

#include "core/axis.h"

#include <string>
#include <string_view>
#include <variant>

namespace veldronix::cli {

// What refuses an axis's mechanics: the row of the figure at fault (its option
// or its batch column names it), the figure as the texts hold it, and what is
// wrong with it in English.
struct MechanicsRefusal {
    InputField row;
    std::string figure;
    std::string_view fault;
};

// The mechanics of figures given as options, batch cells or a machine file's
// members, checked, or what refuses them.
std::variant<AxisMechanics, MechanicsRefusal> mechanicsOf(const AxisMechanicsTexts& texts);

} // namespace veldronix::cli
