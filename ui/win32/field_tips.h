#pragma once

#include "core/control_id.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <span>
#include <string>

namespace veldronix::win32 {

// Tooltips over the dialog's result fields: the whole text of a field too small
// for it (a long summary, a deceleration point of many digits), and why a field
// no longer belongs to the calculation shown. A field that shows all of its text
// and belongs to the calculation has no tooltip.
class FieldTips {
public:
    // Why the field's value no longer belongs to the calculation held; empty when it does.
    using StaleNote = std::function<std::string(ControlId field)>;

    FieldTips() = default;
    FieldTips(const FieldTips&) = delete;
    FieldTips& operator=(const FieldTips&) = delete;
    ~FieldTips();

    // One tool per field of the dialog; false when the tooltip control could not be made.
    bool attach(HWND dialog, HINSTANCE instance, std::span<const ControlId> fields, StaleNote staleNote);
    // The text of the tooltip the control asks for (TTN_GETDISPINFOW to the dialog); true when it was one of ours.
    bool onGetDispInfo(NMTTDISPINFOW& info);

private:
    HWND dialog_ = nullptr;
    HWND tips_ = nullptr;
    StaleNote staleNote_;
    std::wstring shown_; // the text handed to the tooltip, alive until it asks again
};

// Whether a static control shows less than its whole text: a line wider than it,
// or more lines than its height holds.
bool clipsText(HWND field);

} // namespace veldronix::win32
