#pragma once

#include "controller/calculation.h"
#include "controller/calculator_controller.h"
#include "controller/calculator_view.h"
#include "controller/dialog_request.h"
#include "io/machine_file.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace veldronix::report {

// Why an edit of the machine's axes was not made.
enum class AxisEditProblem {
    NameEmpty,
    NameTooLong,
    NameNotUtf8,
    NameControlCharacter,
    NameTaken, // another axis has that name
    LastAxis,  // a machine keeps at least one axis
};

// What the dialog shows for the current axis, read through its view.
struct DialogState {
    int driveType = -1;
    std::string initialSpeed;
    std::string driveSpeed;
    std::string accelTime;
    std::string decelTime;
    std::string pulseCount;
};
DialogState readDialogState(CalculatorView& dialog);

// The machine being set up in a window: its axes, each with what the dialog
// holds for it, the one the dialog shows now, and the file it was opened from
// or saved to. Toolkit-free; each application owns one beside its controller.
// The dialog's fields hold the current axis's texts: every operation that
// leaves the current axis first takes them in (capture), and every one that
// shows another answers the requests that put its texts into the dialog.
class MachineSession {
public:
    // One axis, defaultAxisName, without mechanics: everything in PPS.
    MachineSession();

    static constexpr std::string_view defaultAxisName = "X";

    const std::vector<io::MachineAxis>& axes() const { return machine_.axes; }
    std::size_t currentIndex() const { return current_; }
    const io::MachineAxis& current() const { return machine_.axes[current_]; }
    // The current axis's mechanics; null without them.
    const AxisMechanics* mechanics() const;
    // The file's name without its folder; empty before the first open or save.
    const std::string& fileName() const { return fileName_; }
    // Counts the changes of the axes, their mechanics and the file, so that a
    // form showing the current axis knows when to show it afresh.
    std::size_t revision() const { return revision_; }

    // Takes what the dialog shows, and the multiplier item of the calculation
    // it holds, into the current axis.
    void capture(const DialogState& dialog, const std::optional<Calculation>& calculation);
    // What puts the current axis into the dialog: its drive type and field
    // texts, 決定, and 再計算 with its multiplier item where it holds one.
    std::vector<DialogRequest> restoreRequests() const;

    // A new axis of that name after the others, with the current one's fields
    // and mechanics; it becomes the current one (the dialog already shows it).
    std::optional<AxisEditProblem> add(std::string_view name);
    std::optional<AxisEditProblem> rename(std::string_view name);
    // Removes the current axis; the next one (or the last) becomes current.
    std::optional<AxisEditProblem> remove();
    // Makes the axis at index current (an index out of range changes nothing).
    void choose(std::size_t index);
    // The current axis's mechanics; none: everything in PPS.
    void setMechanics(std::optional<AxisMechanics> mechanics);
    // The current axis's values of the move design form (io::MachineAxis::design),
    // as the form keeps them; no revision, since no other form shows them.
    void setDesign(std::vector<std::pair<std::string, std::string>> values);

    // The machine as a file's text (io::writeMachine), or why it cannot be saved.
    std::variant<std::string, io::MachineFileError> fileText() const;
    // Writes the machine to path whole or not at all; on success it becomes the session's file.
    std::optional<io::MachineFileError> save(std::string_view path);
    // The machine in the file's text, which replaces the session's axes (the
    // first becomes current) and names its file; a bad text changes nothing.
    std::optional<io::MachineFileError> open(std::string_view fileName, std::string_view text);
    // The same for the file at path.
    std::optional<io::MachineFileError> load(std::string_view path);
    // A save that the page made as a download of fileText: the session's file is now fileName.
    void savedAs(std::string_view fileName) { fileName_ = baseName(fileName); }

    // The last component of a path, after its last '/' or '\'.
    static std::string baseName(std::string_view path);

private:
    void opened(io::Machine machine, std::string_view path);

    io::Machine machine_;
    std::size_t current_ = 0;
    std::string fileName_;
    std::size_t revision_ = 0;
};

// What a save or an open of the machine file did: the line the window shows
// (failed: in the warning colour) and, after an open, what puts the first
// axis into the dialog. A failed one changed nothing.
struct MachineFileOutcome {
    std::string note;
    bool failed = false;
    std::vector<DialogRequest> requests;
};
// Saves the session to the path chosen (machineSavePath), the dialog's fields
// taken into the current axis first.
MachineFileOutcome saveMachine(MachineSession& session, std::string_view chosenPath, CalculatorView& dialog,
                               const std::optional<Calculation>& calculation);
// Opens the machine file at path.
MachineFileOutcome openMachine(MachineSession& session, std::string_view path);
// Opens a machine file's text (the page's file chosen or dropped), its name as the user knows it.
MachineFileOutcome openMachineText(MachineSession& session, std::string_view fileName, std::string_view text);

// The main window's title: the program's title, after the machine file's name when there is one.
std::string machineWindowTitle(std::string_view title, std::string_view fileName);

// The sentence that says why an axis edit was not made; name: the name typed.
std::string axisEditMessage(AxisEditProblem problem, std::string_view name);

// The system's file dialog of the machine file, as every window asks for it.
struct MachineFileDialog {
    std::string_view saveTitle;
    std::string_view openTitle;
    std::string_view filter;      // the filter's description with its pattern
    std::string_view pattern;     // "*.veldronix.json"
    std::string_view suffix;      // what a chosen name without it gets: ".veldronix.json"
    std::string_view defaultName; // before the first save
};
MachineFileDialog machineFileDialog();
// The name a save offers: the session's file, or the default name.
std::string suggestedMachineFileName(const MachineSession& session);
// The path a save writes: the chosen one, with the machine file's suffix where it has none.
std::string machineSavePath(std::string_view chosen);

} // namespace veldronix::report
