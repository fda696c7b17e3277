#pragma once

#include "controller/dialog_request.h"
#include "report/details.h"
#include "report/details_form.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldronix::report {

// The details as a window shows them: a column of sections, each a heading
// with lines, a table or the plot, in the order shown. Made once from Details,
// so that every front end draws the same sections with its own toolkit's
// widgets (a list view, a QTableWidget, an HTML table) and nothing else decides
// what goes where, how it is marked or in which colour.

// How a cell's text is aligned: figures to the right, names to the left.
enum class CellAlign { Left, Right };

// A line of text under a heading or in a table's cell.
struct DetailsLine {
    std::string text;
    bool warning = false; // drawn in detailsColours.warning; the text holds its own mark (the
                          // findingMark before the details' findings and marked cells)
};

// How every window lays a table's columns out: each column as wide as its
// widest text, its heading's included, never wrapped and never cut, so that no
// figure is ever shown in part; a table wider than the room it is given scrolls
// sideways. The key columns (the row's name and the figures an engineer copies)
// come first, and the window opens wide enough to show them whole without
// scrolling; the others may lie past its edge.
struct DetailsColumn {
    std::string heading;
    CellAlign align = CellAlign::Left;
    bool keepWhole = false; // a key column
};

struct DetailsRow {
    std::vector<DetailsLine> cells; // one per column
    // A row's mark: the multiplier in use, the recommended one, a phase's swatch.
    std::optional<std::string_view> background; // "#rrggbb", none: the toolkit's own
    std::optional<std::string_view> ink;        // "#rrggbb" for the row's text, none: the toolkit's own
};

struct DetailsTable {
    std::vector<DetailsColumn> columns;
    std::vector<DetailsRow> rows;
};

// The table with its key columns first, the others after them, each group in
// its order; every row's cells move with their columns.
void keyColumnsFirst(DetailsTable& table);

// The widths a window lays table out with, from the width its toolkit measured
// for each column's widest text (one per column, its margins included): each
// column whole.
struct TableWidths {
    int keys = 0;   // the key columns together: the least room that shows them all
    int all = 0;    // every column: past the room given, the table scrolls sideways
    int wanted = 0; // what the table asks of the window's width: the key columns
                    // whole, any other no wider than widestAsked (a figure of 300
                    // digits scrolls instead of widening the window)
};

TableWidths tableWidths(const DetailsTable& table, const std::vector<int>& columnWidths, int widestAsked);

// What a section holds besides its heading and lines.
enum class SectionKind {
    Lines,    // only lines
    Table,    // a table, then the lines under it
    Plot,     // the velocity profile (Details::plot) drawn from a scene of the window's size,
              // then the table of its phases, then the lines
};

// What a button under a section does.
enum class SectionAction {
    Copy,      // copy the integers: a click the first of its menu, the menu the other formats
    SavePlot,  // save the plot as SVG, or PNG where the platform writes one
    ChooseRow, // choose the selected row of the table (the multiplier comparison)
    Command,   // run a command of the section's form (its controller answers what the dialog does)
    SaveMachine, // save the machine file: the system's save dialog (report::machineFileDialog), then report::saveMachine
    OpenMachine, // open a machine file: the system's open dialog, then report::openMachine
};

// One item of a button's menu: its label and what it stands for (a copy format's text).
struct ButtonChoice {
    std::string label;
    std::string text;

    friend bool operator==(const ButtonChoice&, const ButtonChoice&) = default;
};

// A button under a section, as every window shows it: its label, whether it
// can be pressed, its menu. A window decides none of these itself.
struct SectionButton {
    SectionAction action = SectionAction::Copy;
    std::string label;             // with its access key after "&": "コピー(&C)"
    bool enabled = true;           // false: greyed (nothing to copy, no plot to save)
    bool needsSelectedRow = false; // and enabled only while a row of the section's table is selected
    std::string command;           // Command: the form's command it runs
    std::vector<ButtonChoice> menu; // the choices it offers, the first what a plain click does
    // The label of a button of its own that opens the menu, where a toolkit has no button with a menu.
    std::string menuLabel;

    friend bool operator==(const SectionButton&, const SectionButton&) = default;
};

// A button of that action and label, enabled, without a menu.
inline SectionButton sectionButton(SectionAction action, std::string_view label)
{
    SectionButton button;
    button.action = action;
    button.label = std::string(label);
    return button;
}

// Whether a window shows button enabled, a row of its section's table being
// selected or not: a button that would do nothing is greyed, not silent.
constexpr bool isEnabled(const SectionButton& button, bool rowSelected)
{
    return button.enabled && (!button.needsSelectedRow || rowSelected);
}

struct DetailsSection {
    std::string heading;
    SectionKind kind = SectionKind::Lines;
    bool plotted = false;             // Plot: the details have a plot to draw (else the lines say why not)
    std::optional<DetailsForm> form;  // drawn first, under the heading
    DetailsTable table;               // Table and Plot (the phases)
    std::vector<DetailsLine> lines;   // shown under the table or plot
    std::vector<SectionButton> buttons;
    // ChooseRow: the multiplier selector index (倍率) of each row of the table, in row order.
    std::vector<int> rowIndices;
};

// What choosing row of section asks of the dialog: its multiplier selected in
// 倍率, then 再計算, as a user would do it; nothing for a row it does not have.
std::vector<DialogRequest> chooseRowRequests(const DetailsSection& section, int row);

struct DetailsLayout {
    std::string heading;                 // what the details are of, or that nothing is calculated
    std::vector<DetailsLine> status;     // lines of their own under the heading: why the last
                                         // command failed, results that no longer belong
    std::vector<DetailsSection> sections;
};

// The sections of details, in the order every window shows them.
DetailsLayout detailsLayout(const Details& details);

} // namespace veldronix::report
