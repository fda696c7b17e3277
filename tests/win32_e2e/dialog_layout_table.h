#pragma once

// The controls of both dialog templates as res/dialog_layout.def describes
// them, for the checks that compare what Windows made of that description.
#include "core/control_id.h"

namespace e2e::layout {

enum class Kind { Combo, EditExRight, EditRight, Label, LabelNoPrefix, Result, Button, Group, Icon, DefaultOk };

struct Control {
    int id; // -1 for a control without one
    Kind kind;
    const char* text;
    short x, y, cx, cy; // dialog units
};

#define VX_FONT(face, points)
#define VX_DIALOG(name, number, kind, caption, width, height)
#define VX_STRING(name, number, text)
#define VX_VERSION(key, text)
#define VX_ABOUT(kind, text, x, y, width, height)
#define VX_MAIN(id, kind, text, x, y, width, height) \
    {static_cast<int>(veldronix::ControlId::id), Kind::kind, text, x, y, width, height},
inline constexpr Control mainControls[] = {
#include "res/dialog_layout.def"
};
#undef VX_MAIN
#undef VX_ABOUT
#define VX_MAIN(id, kind, text, x, y, width, height)
#define VX_ABOUT(kind, text, x, y, width, height) {-1, Kind::kind, text, x, y, width, height},
inline constexpr Control aboutControls[] = {
#include "res/dialog_layout.def"
};
#undef VX_MAIN
#undef VX_ABOUT
#undef VX_FONT
#undef VX_DIALOG
#undef VX_STRING
#undef VX_VERSION

} // namespace e2e::layout
