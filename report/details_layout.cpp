#include "report/details_layout.h"

#include "report/comparison_table.h"
#include "report/details_style.h"
#include "report/texts_ja.h"

#include <algorithm>

namespace veldronix::report {
namespace {

namespace t = texts::ja;

DetailsLine plainLine(std::string text)
{
    return {std::move(text), false};
}

// A line that must not be missed: the mark, then the text, in the warning colour.
DetailsLine warningLine(std::string_view text)
{
    return {std::string(t::findingMark) + " " + std::string(text), true};
}

DetailsSection sectionOf(std::string heading, SectionKind kind)
{
    DetailsSection section;
    section.heading = std::move(heading);
    section.kind = kind;
    return section;
}

// The copy button: a click copies the plain lines, its menu offers every format.
SectionButton copyButton(const Details& details)
{
    SectionButton button = sectionButton(SectionAction::Copy, t::copyButton);
    button.enabled = !details.clipboardText.empty();
    for (const CopyFormat& format : details.copyFormats) {
        button.menu.push_back({format.label, format.text});
    }
    button.menuLabel = std::string(t::copyAsButton);
    return button;
}

DetailsColumn column(std::string_view heading, CellAlign align)
{
    return {std::string(heading), align};
}

// A key column: the row's name or a figure an engineer copies from the table.
DetailsColumn keyColumn(std::string_view heading, CellAlign align)
{
    return {std::string(heading), align, true};
}

// The integers to write: a register with a finding has its row in the warning
// colour and its integer marked.
DetailsSection registersSection(const Details& details)
{
    DetailsSection section = sectionOf(details.registersHeading, SectionKind::Table);
    section.buttons.push_back(copyButton(details));
    section.table.columns = {keyColumn(t::columnRegister, CellAlign::Left), keyColumn(t::columnInteger, CellAlign::Right),
                             column(t::columnSettingValue, CellAlign::Right)};
    for (const DetailsRegister& line : details.registers) {
        DetailsRow row;
        row.cells = {plainLine(line.name), line.hasFinding ? warningLine(line.integer) : plainLine(line.integer),
                     plainLine(line.settingValue)};
        if (line.hasFinding) {
            row.ink = detailsColours.warning;
        }
        section.table.rows.push_back(std::move(row));
    }
    return section;
}

// The drive the integers really give; a quantity with no real value or no finite
// deviation has its row in the warning colour and its name marked.
DetailsSection realDriveSection(const Details& details)
{
    DetailsSection section = sectionOf(details.realDriveHeading, SectionKind::Table);
    section.table.columns = {keyColumn(t::columnQuantity, CellAlign::Left),
                             keyColumn(t::columnRequested, CellAlign::Right), keyColumn(t::columnReal, CellAlign::Right),
                             keyColumn(t::columnDeviation, CellAlign::Right)};
    for (const DetailsQuantity& quantity : details.realDrive) {
        DetailsRow row;
        row.cells = {quantity.marked ? warningLine(quantity.label) : plainLine(quantity.label),
                     plainLine(quantity.requested), plainLine(quantity.real), plainLine(quantity.deviation)};
        if (quantity.marked) {
            row.ink = detailsColours.warning;
        }
        section.table.rows.push_back(std::move(row));
    }
    return section;
}

// What may not be as meant: the fields' readings first, then the integers that
// cannot be written as they stand, or the note that there are none.
DetailsSection findingsSection(const Details& details)
{
    DetailsSection section = sectionOf(std::string(t::findingsHeading), SectionKind::Lines);
    for (const std::string& finding : details.inputFindings) {
        section.lines.push_back(warningLine(finding));
    }
    for (const DetailsFinding& finding : details.findings) {
        section.lines.push_back(warningLine(finding.text));
    }
    if (details.findings.empty() && !details.findingsNote.empty()) {
        section.lines.push_back(plainLine(details.findingsNote));
    }
    return section;
}

// The velocity profile: the plot and its phases' figures, each phase's row in
// its band's colours and the totals in the deceleration mark's; the note under
// it, a warning where the pulse count gives no motion.
DetailsSection plotSection(const Details& details)
{
    DetailsSection section = sectionOf(details.plotHeading, SectionKind::Plot);
    if (details.plot) {
        section.table.columns = {keyColumn(t::columnPhase, CellAlign::Left), keyColumn(t::columnTime, CellAlign::Right),
                                 keyColumn(t::columnPulses, CellAlign::Right), column(t::columnDetail, CellAlign::Left)};
        for (const FigureRow& figures : details.plot->rows) {
            DetailsRow row;
            row.cells = {plainLine(figures.name), plainLine(figures.time), plainLine(figures.pulses),
                         plainLine(figures.detail)};
            if (figures.phase) {
                row.background = plotColours.fillOf(*figures.phase);
                row.ink = plotColours.inkOf(*figures.phase);
            } else {
                row.ink = plotColours.mark;
            }
            section.table.rows.push_back(std::move(row));
        }
        section.plotted = true;
        section.buttons.push_back(sectionButton(SectionAction::SavePlot, t::saveButton));
    }
    if (!details.plotNote.empty()) {
        section.lines.push_back(details.plotState == DetailsPlotState::NoMotion ? warningLine(details.plotNote)
                                                                                : plainLine(details.plotNote));
    }
    if (!details.plotDistance.empty()) {
        section.lines.push_back(plainLine(details.plotDistance));
    }
    return section;
}

} // namespace

void keyColumnsFirst(DetailsTable& table)
{
    std::vector<std::size_t> order(table.columns.size());
    for (std::size_t column = 0; column < order.size(); ++column) {
        order[column] = column;
    }
    std::stable_partition(order.begin(), order.end(),
                          [&table](std::size_t column) { return table.columns[column].keepWhole; });
    std::vector<DetailsColumn> columns;
    columns.reserve(order.size());
    for (const std::size_t column : order) {
        columns.push_back(std::move(table.columns[column]));
    }
    table.columns = std::move(columns);
    for (DetailsRow& row : table.rows) {
        std::vector<DetailsLine> cells;
        cells.reserve(order.size());
        for (const std::size_t column : order) {
            cells.push_back(column < row.cells.size() ? std::move(row.cells[column]) : DetailsLine{});
        }
        row.cells = std::move(cells);
    }
}

TableWidths tableWidths(const DetailsTable& table, const std::vector<int>& columnWidths, int widestAsked)
{
    TableWidths widths;
    const std::size_t count = std::min(table.columns.size(), columnWidths.size());
    for (std::size_t column = 0; column < count; ++column) {
        const int width = std::max(0, columnWidths[column]);
        widths.all += width;
        if (table.columns[column].keepWhole) {
            // A key column after one that is not takes the room of those before it too.
            widths.keys = widths.all;
        }
        widths.wanted += table.columns[column].keepWhole ? width : std::min(width, widestAsked);
    }
    return widths;
}

std::vector<DialogRequest> chooseRowRequests(const DetailsSection& section, int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= section.rowIndices.size()) {
        return {};
    }
    return {DialogRequest::select(ControlId::IDC_MULTIPLIER, section.rowIndices[static_cast<std::size_t>(row)]),
            DialogRequest::press(ControlId::IDC_RECALCULATE)};
}

DetailsLayout detailsLayout(const Details& details)
{
    DetailsLayout layout;
    layout.heading = details.heading;
    for (const std::string& line : details.status) {
        layout.status.push_back(warningLine(line));
    }
    if (!details.calculated) {
        // Nothing to show but why the fields were not read as meant, where that is known.
        if (!details.inputFindings.empty()) {
            layout.sections.push_back(findingsSection(details));
        }
        return layout;
    }
    layout.sections.push_back(registersSection(details));
    layout.sections.push_back(realDriveSection(details));
    layout.sections.push_back(findingsSection(details));
    layout.sections.push_back(plotSection(details));
    // Last, which multiplier to choose: the other multipliers' real drives beside this one's.
    if (std::optional<DetailsSection> comparison = comparisonSection(details)) {
        layout.sections.push_back(std::move(*comparison));
    }
    for (DetailsSection& section : layout.sections) {
        keyColumnsFirst(section.table); // whichever columns a section's maker gives
    }
    return layout;
}

} // namespace veldronix::report
