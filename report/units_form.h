#pragma once

#include "report/form_controller.h"
#include "report/machine_session.h"

#include <string>

namespace veldronix::report {

// The form 単位で入力: the speeds in mm/s (°/s) or motor rpm and a distance in
// mm (°) of the current axis, turned into the dialog's PPS field texts and
// pulse count exactly (50 mm/s at 640 pulses/mm is "32000"), then 決定. A
// field left empty leaves its dialog field as it is; the dialog's own fields
// stay in PPS.
class UnitsForm final : public FormController {
public:
    static constexpr std::string_view formName = "units";

    explicit UnitsForm(const MachineSession& session) : session_(session) {}

    std::string_view name() const override { return formName; }
    std::optional<DetailsSection> section(const Details& details) const override;
    void onEdit(FormView& view) override;
    std::vector<DialogRequest> onCommand(std::string_view command, FormView& view) override;

private:
    struct Conversion {
        std::optional<std::string> initialSpeed; // none: left empty, or no number (see finding)
        std::optional<std::string> driveSpeed;
        std::optional<std::string> pulseCount;
        bool complete = true; // every text typed is a number
    };
    Conversion convert(const AxisMechanics& mechanics) const;

    const MachineSession& session_;
    int speedUnit_ = 0; // 0: mm/s (°/s), 1: rpm
    std::string initialSpeed_;
    std::string driveSpeed_;
    std::string distance_;
};

} // namespace veldronix::report
