#pragma once

#include "core/design/move_design.h"
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

// Reads every used field strictly (the whole text one number, blanks around it
// allowed; above 0; the pulse count whole) and designs the move.
DesignReading readDesign(const DesignEntries& entries);

} // namespace veldronix::report
