#pragma once

// The dialogs' templates as C++ tables, read from the one layout description
// that the Windows resource script is generated from as well.

#include "core/control_id.h"

#include <string_view>

namespace veldronix::qt::layout {

// The kinds of control the layout description names; the enumerators are its own words.
enum class ControlKind {
    Combo,         // editable drop-down; the height is that of its list
    EditExRight,   // right-aligned edit
    EditRight,     // right-aligned edit
    Label,         // left-aligned static text, & marks a mnemonic
    Result,        // sunken, right-aligned static text
    Button,        // push button
    Group,         // group box
    Icon,          // the program's icon
    LabelNoPrefix, // left-aligned static text shown exactly as written
    DefaultOk,     // the default OK button
};

enum class TemplateKind { Extended, Plain };

// A rectangle in dialog units: x and y of the top left corner, width and height.
struct DialogUnitRect {
    int x;
    int y;
    int width;
    int height;
};

struct ControlTemplate {
    ControlId id;          // IDC_STATIC for every control that is not addressed
    std::string_view name; // the identifier's name, "IDC_STATIC" for those
    ControlKind kind;
    std::string_view text; // UTF-8
    DialogUnitRect rect;
};

struct DialogTemplate {
    int number;
    TemplateKind kind;
    std::string_view caption; // UTF-8
    int width;                // dialog units
    int height;               // dialog units
};

struct FontTemplate {
    std::string_view face; // UTF-8
    int points;
};

struct StringResource {
    int number;
    std::string_view text; // UTF-8
};

// The font, the two dialogs (IDD_MAIN, IDD_ABOUTBOX) and the strings (IDS_ABOUTBOX, IDS_DETAILS)
// as named constants.
#define VX_FONT(face, points) inline constexpr FontTemplate dialogFont{face, points};
#define VX_DIALOG(name, number, kind, caption, width, height) \
    inline constexpr DialogTemplate name{number, TemplateKind::kind, caption, width, height};
#define VX_MAIN(identifier, kind, text, x, y, width, height)
#define VX_ABOUT(kind, text, x, y, width, height)
#define VX_STRING(name, number, text) inline constexpr StringResource name{number, text};
#define VX_VERSION(key, text)
#include "res/dialog_layout.def"
#undef VX_FONT
#undef VX_DIALOG
#undef VX_MAIN
#undef VX_ABOUT
#undef VX_STRING
#undef VX_VERSION

#define VX_FONT(face, points)
#define VX_DIALOG(name, number, kind, caption, width, height)
#define VX_STRING(name, number, text)

// The controls of IDD_MAIN in template order, which is also the tab order.
#define VX_MAIN(identifier, kind, text, x, y, width, height) \
    ControlTemplate{ControlId::identifier, #identifier, ControlKind::kind, text, {x, y, width, height}},
#define VX_ABOUT(kind, text, x, y, width, height)
#define VX_VERSION(key, text)
inline constexpr ControlTemplate mainControls[] = {
#include "res/dialog_layout.def"
};
#undef VX_MAIN
#undef VX_ABOUT

// The controls of IDD_ABOUTBOX in template order.
#define VX_MAIN(identifier, kind, text, x, y, width, height)
#define VX_ABOUT(kind, text, x, y, width, height) \
    ControlTemplate{ControlId::IDC_STATIC, "IDC_STATIC", ControlKind::kind, text, {x, y, width, height}},
inline constexpr ControlTemplate aboutControls[] = {
#include "res/dialog_layout.def"
};
#undef VX_FONT
#undef VX_DIALOG
#undef VX_MAIN
#undef VX_ABOUT
#undef VX_STRING
#undef VX_VERSION

} // namespace veldronix::qt::layout
