#pragma once

#include <windows.h>

namespace veldronix::win32 {

// The identifiers of the details window's parts, as a user's tools (and the
// end-to-end test) see them. Parts of one kind share their identifier: they are
// told apart by their order, which is that of the layout.
enum class DetailsId : int {
    Heading = 2000,        // what the details are of
    StatusLine = 2001,     // a line under the heading: why the last command failed, stale results
    SectionHeading = 2002, // a section's heading
    Line = 2003,           // a line of a section, under its table or plot
    Table = 2005,          // a section's table (a report-style list view)
    Page = 2006,           // the scrolling area that holds the sections
    Copy = 2040,
    CopyAs = 2041,         // the copy formats, in a menu
    Plot = 2301,           // the velocity profile, drawn from a scene of its size
    Save = 2400,
    Status = 2401,         // what became of the last copy or save
    SaveMachine = 2402,    // the machine file's save, through the common Save As dialog
    OpenMachine = 2403,    // the machine file's open, through the common Open dialog
    ChooseRow = 2500,      // choose the selected row of a table
    FormField = 2600,      // a form's number field (an edit)
    FormChoice = 2601,     // a form's choice (a drop-down list)
    FormLabel = 2602,      // a form's label or unit
    Command = 2603,        // a button that runs a command of its section's form
    Close = IDCANCEL,      // also Esc
};

constexpr int toInt(DetailsId id)
{
    return static_cast<int>(id);
}

} // namespace veldronix::win32
