#pragma once

#include "core/control_id.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <span>
#include <string>

namespace veldronix::win32 {

// Tooltips over the dialog's fields: over a result field, why it no longer
// belongs to the calculation shown and the whole text of a field that does not
// show all of it (a long summary, a figure cut with the mark); over an input
// field, what its text was read as. A field with nothing to say has no tooltip.
class FieldTips {
public:
    // What the tooltip of a field says besides a text the field cuts; empty for nothing.
    using Note = std::function<std::string(ControlId field)>;

    FieldTips() = default;
    FieldTips(const FieldTips&) = delete;
    FieldTips& operator=(const FieldTips&) = delete;
    ~FieldTips();

    // One tool per field of the dialog (a drop-down's edit part besides the drop-down);
    // false when the tooltip control could not be made.
    bool attach(HWND dialog, HINSTANCE instance, std::span<const ControlId> fields, Note note);
    // The text of the tooltip the control asks for (TTN_GETDISPINFOW to the dialog); true when it was one of ours.
    bool onGetDispInfo(NMTTDISPINFOW& info);

private:
    void addTool(HWND control);

    HWND dialog_ = nullptr;
    HWND tips_ = nullptr;
    Note note_;
    std::wstring shown_; // the text handed to the tooltip, alive until it asks again
};

// Whether a static control shows less than its whole text: a line wider than it,
// or more lines than its height holds.
bool clipsText(HWND field);

} // namespace veldronix::win32
