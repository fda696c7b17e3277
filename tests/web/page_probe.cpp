// Runs the web page's application object on the host, for the browser test to
// compare the page with: each argument is one thing a user does.
//   text:ID:TEXT     the field with control number ID now holds TEXT
//   select:ID:INDEX  the selector ID now shows item INDEX (-1: none)
//   press:ID         the button ID is pressed: prints its operations as one JSON line
//   details          prints the details as one JSON line
//   document         prints the SVG document a save of the details' plot writes, as one JSON string
//   sampleform       the details show the tests' sample form (tests/support/sample_form.h)
//   formfield:KEY:TEXT, formchoice:KEY:INDEX   what the form holds, handed in
//   formedit         the form edited: its controller reads what was handed in
//   formcommand:NAME prints the requests of the form's command as one JSON line
#include "io/json_writer.h"
#include "support/sample_form.h"
#include "ui/web/page_application.h"

#include <charconv>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace {

bool toNumber(std::string_view text, int& value)
{
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc{} && result.ptr == text.data() + text.size();
}

void printLine(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

} // namespace

int main(int argc, char** argv)
{
    veldronix::web::PageApplication application;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const auto first = argument.find(':');
        const std::string_view action = argument.substr(0, first);
        const std::string_view rest = first == std::string_view::npos ? "" : argument.substr(first + 1);
        const auto second = rest.find(':');
        int id = 0;
        if (action == "sampleform") {
            application.forms().add(std::make_unique<veldronix::testing_support::SampleForm>());
        } else if (action == "formedit") {
            application.editForm(veldronix::testing_support::SampleForm::formName);
        } else if (action == "formcommand") {
            printLine(application.formCommand(veldronix::testing_support::SampleForm::formName, rest));
        } else if (action == "formfield" && second != std::string_view::npos) {
            application.formView().setFieldText(rest.substr(0, second), rest.substr(second + 1));
        } else if (action == "formchoice" && second != std::string_view::npos &&
                   toNumber(rest.substr(second + 1), id)) {
            application.formView().setSelection(rest.substr(0, second), id);
        } else if (action == "details") {
            printLine(application.details());
        } else if (action == "document") {
            printLine(veldronix::io::jsonString(application.documentSvg()));
        } else if (action == "press" && toNumber(rest, id)) {
            printLine(application.press(static_cast<veldronix::ControlId>(id)));
        } else if (second != std::string_view::npos && toNumber(rest.substr(0, second), id)) {
            const std::string_view value = rest.substr(second + 1);
            int index = 0;
            if (action == "text") {
                application.setFieldText(static_cast<veldronix::ControlId>(id), value);
            } else if (action == "select" && toNumber(value, index)) {
                application.setSelection(static_cast<veldronix::ControlId>(id), index);
            } else {
                std::fprintf(stderr, "page_probe: cannot read '%s'\n", argv[i]);
                return 2;
            }
        } else {
            std::fprintf(stderr, "page_probe: cannot read '%s'\n", argv[i]);
            return 2;
        }
    }
    return 0;
}
