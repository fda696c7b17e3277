#pragma once

#include "core/design/move_design.h"
#include "report/form_controller.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace veldronix::report {

// The fields of the form 移動の設計, in the order shown.
enum class DesignField {
    InitialSpeed, // PPS, the highest the motor starts at; both questions
    Pulses,       // the move's length; both questions
    MaxSpeed,     // PPS; fastest
    MaxAccel,     // PPS/s; fastest: the trapezoids' limit, the S-curves' optional one
    MaxDecel,     // PPS/s; fastest, asymmetric trapezoid
    MaxJerk,      // PPS/s^2; fastest, S-curves
    MaxDecelJerk, // PPS/s^2; fastest, asymmetric S-curve
    AccelTime,    // s wanted; on time
    DecelTime,    // s wanted; on time, asymmetric types
    TargetTime,   // s; on time
};
inline constexpr std::size_t designFieldCount = 10;

// The question the form asks, as its choice's items.
enum class DesignQuestion { Fastest, OnTime };

// What the form holds: the question, the drive type and each field's text.
struct DesignEntries {
    DesignQuestion question = DesignQuestion::Fastest;
    DriveType type = DriveType::SymmetricTrapezoid;
    std::array<std::string, designFieldCount> texts{};

    std::string& operator[](DesignField f) { return texts[static_cast<std::size_t>(f)]; }
    const std::string& operator[](DesignField f) const { return texts[static_cast<std::size_t>(f)]; }
};

// The entries the form starts from: the calculation the details are of (its
// speeds, ramp times, their rates or jerks as the limits, the pulse count), an
// example drive's for what it does not give (the target time, the other type's limits).
DesignEntries entriesFrom(const Details& details);

// The form 移動の設計: the question (the fastest move within the motor's limits,
// or the drive speed that ends a move on time), its inputs, the design as a
// table of its settings and real move, and a button that writes its field texts
// into the dialog; shown with a calculation, as the details' own sections. It
// follows the dialog's calculation until the user edits it, and keeps the
// user's entries from then on, so that an applied design stays the one shown.
class MoveDesignForm final : public FormController {
public:
    static constexpr std::string_view formName = "moveDesign";
    static constexpr std::string_view applyCommand = "apply";

    std::string_view name() const override { return formName; }
    std::optional<DetailsSection> section(const Details& details) const override;
    void onEdit(FormView& view) override;
    std::vector<DialogRequest> onCommand(std::string_view command, FormView& view) override;

private:
    DesignEntries entriesFor(const Details& details) const { return entries_ ? *entries_ : entriesFrom(details); }

    std::optional<DesignEntries> entries_; // none: the form follows the details
};

} // namespace veldronix::report
