#pragma once

#include "core/control_id.h"
#include "controller/dialog_request.h"
#include "report/details.h"
#include "io/json_writer.h"
#include "report/details_layout.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldronix::web {

// A result field of the dialog that no longer belongs to the calculation the
// controller holds, and the note that says why.
struct StaleResult {
    ControlId control = ControlId::IDC_STATIC;
    std::string note;
};

// The details as the page shows them: one JSON object with the sections of
// their layout (headings, lines, forms, tables with their marks, the plot's
// place, the buttons with their labels, states and menus, and what choosing a
// row asks of the dialog), the notes, the copy formats, the file types a save
// offers, and the stale results. The plot itself is asked for separately, at
// the size of its area (plotSvg).
std::string detailsJson(const report::DetailsLayout& layout, const report::Details& details,
                        const std::vector<StaleResult>& stale);

// The dialog's Enter keys (report::dialogEnterKeys) as the page binds them:
// [{"field":1000,"button":1004}, ...].
std::string enterKeysJson();

// One thing done to the dialog as the page plays it back: {"op":op,"control":…,"text":…,"index":…},
// each member where it has one; a command's operations and the details' requests alike.
void writeDialogOperation(io::JsonWriter& json, std::string_view op, std::optional<ControlId> control,
                          std::optional<std::string_view> text, std::optional<int> index);

// Dialog requests as the page plays them back, in order: written as a value, or as one text.
void writeRequests(io::JsonWriter& json, const std::vector<DialogRequest>& requests);
std::string requestsJson(const std::vector<DialogRequest>& requests);

// The plot of the details as inline SVG for an area of width x height CSS
// pixels (frame PlotOnly), or the document a save writes; empty where there is no plot.
std::string plotSvg(const report::Details& details, double width, double height);
std::string documentSvg(const report::Details& details);

} // namespace veldronix::web
