#pragma once

#include "report/details.h"

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

struct DetailsColumn {
    std::string heading;
    CellAlign align = CellAlign::Left;
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

// What a section holds besides its heading and lines.
enum class SectionKind {
    Lines,    // only lines
    Table,    // a table, then the lines under it
    Plot,     // the velocity profile (Details::plot) drawn from a scene of the window's size,
              // then the table of its phases, then the lines
};

// The actions a section offers as buttons under it.
enum class SectionAction {
    Copy,          // copy the integers (the chooser offers Details' copy formats)
    SavePlot,      // save the plot as SVG, or PNG where the platform writes one
    ChooseRow,     // choose the selected row of the table (the multiplier comparison)
};

struct DetailsSection {
    std::string heading;
    SectionKind kind = SectionKind::Lines;
    DetailsTable table;               // Table and Plot (the phases)
    std::vector<DetailsLine> lines;   // shown under the table or plot
    std::vector<SectionAction> actions;
    // ChooseRow: the multiplier selector index (倍率) of each row of the table, in row order.
    std::vector<int> rowIndices;
};

struct DetailsLayout {
    std::string heading;                 // what the details are of, or that nothing is calculated
    std::vector<DetailsLine> status;     // lines of their own under the heading: why the last
                                         // command failed, results that no longer belong
    std::vector<DetailsSection> sections;
};

// The sections of details, in the order every window shows them.
DetailsLayout detailsLayout(const Details& details);

} // namespace veldronix::report
