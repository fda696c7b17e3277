#pragma once

#include "core/design/move_design.h"
#include "report/form_controller.h"
#include "report/machine_session.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

// What the limits and the pulse count are typed in, as the unit choice's items
// (offered where the axis has mechanics): pulses (PPS, PPS/s, PPS/s², pulses),
// the axis's units (mm/s, mm/s², mm/s³, mm; ° on a rotary axis), or those with
// the speeds in motor rpm. The times are seconds in each.
enum class DesignUnit { Pulses, Units, Rpm };

// What the form holds: the question, the drive type, the unit and each field's text.
struct DesignEntries {
    DesignQuestion question = DesignQuestion::Fastest;
    DriveType type = DriveType::SymmetricTrapezoid;
    DesignUnit unit = DesignUnit::Pulses;
    std::array<std::string, designFieldCount> texts{};

    std::string& operator[](DesignField f) { return texts[static_cast<std::size_t>(f)]; }
    const std::string& operator[](DesignField f) const { return texts[static_cast<std::size_t>(f)]; }
};

// The entries the form starts from: the calculation the details are of (its
// speeds, ramp times, their rates or jerks as the limits, the pulse count), an
// example drive's for what it does not give (the target time, the other type's limits).
DesignEntries entriesFrom(const Details& details);

// The entries as the machine file keeps them among an axis's design values
// ("question", "driveType", "unit", then each field's key), and back: a key
// that is missing or holds no value the form knows takes fallback's (a file
// without "unit" reads as PPS).
using DesignValues = std::vector<std::pair<std::string, std::string>>;
DesignValues designValues(const DesignEntries& entries);
DesignEntries entriesFromValues(const DesignValues& values, DesignEntries fallback);

// The texts of the limits and the pulse count typed in one unit as typed in
// another, through PPS (the axis's exact conversions into it); a text that is
// no number stays as it is, and so do the times.
DesignEntries convertEntries(DesignEntries entries, DesignUnit unit, const AxisMechanics& mechanics);

// The form 移動の設計: the question (the fastest move within the motor's limits,
// or the drive speed that ends a move on time), its inputs, the design as a
// table of its settings and real move, and a button that writes its field texts
// into the dialog; shown with a calculation, as the details' own sections. It
// follows the dialog's calculation until the user edits it, and keeps the
// user's entries from then on, so that an applied design stays the one shown.
// With a machine session the entries are the current axis's design values, so
// that each axis keeps its own and the machine file saves them; where the axis
// has mechanics the limits and the pulse count may be typed in its units.
class MoveDesignForm final : public FormController {
public:
    static constexpr std::string_view formName = "moveDesign";
    static constexpr std::string_view applyCommand = "apply";

    MoveDesignForm() = default;
    explicit MoveDesignForm(MachineSession& session) : session_(&session) {}

    std::string_view name() const override { return formName; }
    std::optional<DetailsSection> section(const Details& details) const override;
    void onEdit(FormView& view) override;
    std::vector<DialogRequest> onCommand(std::string_view command, FormView& view) override;

private:
    // What the form holds; none: it follows the details.
    std::optional<DesignEntries> held() const;
    DesignEntries entriesFor(const Details& details) const;
    // The current axis's mechanics; none without a session.
    const AxisMechanics* mechanics() const;

    MachineSession* session_ = nullptr;    // none: the form keeps its entries itself
    std::optional<DesignEntries> entries_; // without a session; none: the form follows the details
};

} // namespace veldronix::report
