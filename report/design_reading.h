#pragma once

#include "core/axis.h"
#include "core/design/move_design.h"
#include "report/details_units.h"
#include "report/move_design_form.h"

#include <array>
#include <optional>
#include <string>

namespace veldronix::report {

// Whether the question and the drive type use the field.
bool isUsed(DesignField field, DesignQuestion question, DriveType type);

// One field of the form as read for a design.
struct DesignFieldReading {
    std::optional<double> value; // none: unused, empty, or no usable number
    std::string finding;         // why it cannot be used (with the mark), or how an empty optional one is read
    bool findingWarning = false;
};

// The form's entries read, and the design they ask for.
struct DesignReading {
    DesignQuestion question = DesignQuestion::Fastest;
    DriveType type = DriveType::SymmetricTrapezoid;
    std::array<DesignFieldReading, designFieldCount> fields{};
    // None while a used field holds no usable number (its finding says why).
    std::optional<design::MoveDesign> design;

    const DesignFieldReading& operator[](DesignField f) const { return fields[static_cast<std::size_t>(f)]; }
};

// What a field measures in the axis's units; none for a time.
std::optional<AxisQuantity> designFieldQuantity(DesignField field);

// A field's text typed in unit as the PPS (pulse) text the form reads: the axis's
// exact conversion (pulseRateText, pulseRateTextFromRpm for a speed in rpm,
// pulseCountText for the distance); the text itself for pulses and times. None
// where it is no number in the unit.
std::optional<std::string> designPulsesText(std::string_view text, DesignField field, DesignUnit unit,
                                            const AxisMechanics& mechanics);

// Reads every used field strictly (the whole text one number, blanks around it
// allowed; above 0; the pulse count whole) and designs the move. With the axis's
// mechanics, a text typed in its units is first turned into PPS, and the
// field's finding says what it became.
DesignReading readDesign(const DesignEntries& entries, const AxisMechanics* mechanics = nullptr);

} // namespace veldronix::report
