#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veldronix::report {

// A form a section of the details may carry: labelled number fields with their
// units and a choice of one of several items, over the section's table and
// lines; its buttons are the section's (SectionAction::Command). The form's
// controller (report/form_controller.h) makes it, reads it back through a
// FormView at every edit and runs its commands; a window only draws it with its
// toolkit's own edits and lists, and hands every edit and command on.

// A number field: "最高速度 [20000] PPS".
struct FormField {
    std::string key;   // names the field to the form's controller, and its widget to a user's tools
    std::string label; // before the field
    std::string unit;  // after it: "PPS", "秒"; empty: none
    std::string text;  // what the field holds
    bool used = true;  // false: greyed, for the question or the drive type asked does not use it
    std::string finding;          // what the text was read as where that may not be what was meant; empty: none
    bool findingWarning = false;  // the finding is a warning (its text holds the finding mark)
    std::string enterCommand;     // the command Enter in the field runs; empty: none

    friend bool operator==(const FormField&, const FormField&) = default;
};

// One of several items: "問い (最短時間 / 時間指定)". A change reaches the controller as an edit.
struct FormChoice {
    std::string key;
    std::string label;
    std::vector<std::string> items;
    int selected = -1; // -1: none

    friend bool operator==(const FormChoice&, const FormChoice&) = default;
};

struct DetailsForm {
    std::string name; // the form's controller among a window's (DetailsForms)
    std::vector<FormChoice> choices; // first, in order
    std::vector<FormField> fields;   // then, in order

    friend bool operator==(const DetailsForm&, const DetailsForm&) = default;
};

} // namespace veldronix::report
