#include "cli/mechanics_of.h"

#include "report/machine_file_message.h"
#include "report/texts_en.h"

namespace veldronix::cli {

std::variant<AxisMechanics, MechanicsRefusal> mechanicsOf(const AxisMechanicsTexts& texts)
{
    auto made = AxisMechanics::make(texts);
    if (const auto* error = std::get_if<AxisMechanicsError>(&made)) {
        const InputField row = fieldOf(error->member);
        return MechanicsRefusal{row, *mechanicsFigure(texts, row), report::mechanicsFault(error->problem, report::texts::en::machineFile)};
    }
    return std::get<AxisMechanics>(std::move(made));
}

} // namespace veldronix::cli
