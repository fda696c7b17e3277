#pragma once

#include "controller/calculator_controller.h"
#include "report/details.h"
#include "report/form_controller.h"
#include "report/machine_session.h"
#include "io/machine_file.h"
#include "report/result_field_text.h"
#include "ui/web/details_json.h"
#include "ui/web/page_form_view.h"
#include "ui/web/page_view.h"

#include <string>
#include <string_view>

namespace veldronix::web {

// The application object of the page: the dialog's view and its controller,
// and what the page's script asks of them. Every answer is one JSON text.
class PageApplication {
public:
    // The dialog initialised: the first drive type selected, no multiplier, the controller reset.
    PageApplication();

    PageApplication(const PageApplication&) = delete;
    PageApplication& operator=(const PageApplication&) = delete;

    // What the page's field or selector holds now; handed in before each command.
    void setFieldText(ControlId field, std::string_view text) { view_.setFieldText(field, text); }
    void setSelection(ControlId selector, int index) { view_.setSelection(selector, index); }

    // Runs the command of a button and answers what it did, in order:
    // [{"op":"write","control":1009,"text":"..."}, {"op":"select","control":1017,"index":1},
    //  {"op":"message","text":"..."}]. A control that is no button did nothing: [].
    std::string press(ControlId button);

    // The input fields read otherwise than typed at the last command, as the page
    // marks them: [{"control":1002,"note":"..."}]; [] for none.
    std::string fieldFindings() const;
    // How a result field room CSS pixels wide shows text at the dialog's font of
    // fontSize pixels, measured by width: {"shown":"...","scale":0.8,"cut":true};
    // null for a field that shows no single figure (the summary), which wraps.
    static std::string resultFieldText(ControlId field, std::string_view text, double room, double fontSize,
                                       const report::TextWidth& width);

    // The items of a selector as a JSON array of texts, in selector order.
    static std::string selectorItems(ControlId selector);
    // The dialog's Enter keys as a JSON array (see enterKeysJson).
    static std::string enterKeys();

    // What a form of the details holds now, handed in before each edit or command:
    // cleared first, then each field's text and each choice's item.
    PageFormView& formView() { return formView_; }
    // An edit of the form of that name: its controller reads what was handed in.
    // The page asks for the details again after it.
    void editForm(std::string_view form) { forms_.edit(form, formView_); }
    // A command of the form: what it asks of the dialog, as a JSON array the page
    // plays back in order (see requestsJson).
    std::string formCommand(std::string_view form, std::string_view command);
    // The forms the details show (the axis and 単位で入力; a test adds its own).
    report::DetailsForms& forms() { return forms_; }

    // The machine file a save downloads, the dialog's fields (handed in
    // before) taken into the current axis first: {"name":"...","text":"..."},
    // or {"note":"...","failed":true} when it cannot be saved.
    std::string machineFile();
    // The download of machineFile made under name: the machine's file is now
    // that one. {"note":"...","failed":false,"requests":[]}.
    std::string machineSaved(std::string_view name);
    // A machine file chosen or dropped onto the page, handed in in pieces
    // (the script's stack holds no whole file): begun, its bytes in order,
    // each answering whether more are wanted (a file longer than any machine
    // file's is kept only as far as shows it too large), then opened under
    // the name the user knows it by: {"note":"...","failed":...,"requests":
    // [...]}, the requests putting its first axis into the dialog; a bad file
    // changes nothing.
    void beginMachineText() { machineText_.clear(); }
    bool addMachineBytes(std::string_view bytes);
    // readable: false where the file could not be read, which says so.
    std::string openMachine(std::string_view name, bool readable);
    // The page's title: title after the machine file's name when there is one.
    std::string machineTitle(std::string_view title) const;

    // The details of the calculation the fields show, for the pulse count the
    // page's 出力パルス数 holds (handed in as a field's text), as one JSON
    // object with every text the page shows of them (see detailsJson). They
    // are kept for the plot's drawings below until the next call.
    std::string details();

    // The plot of the details last made, as inline SVG for an area of width x
    // height CSS pixels, or as the document a save writes; empty without a plot.
    std::string plotSvg(double width, double height) const;
    std::string documentSvg() const;

private:
    // The result fields that no longer belong to the calculation held, with their notes.
    std::vector<StaleResult> staleResults() const;

    PageView view_;
    CalculatorController controller_{view_};
    report::MachineSession machine_;
    report::DetailsForms forms_;
    PageFormView formView_;
    report::Details details_;
    std::string machineText_; // the machine file being handed in
};

// The operations as the JSON text press answers.
std::string operationsJson(const std::vector<ViewOperation>& operations);

} // namespace veldronix::web
