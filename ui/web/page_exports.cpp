// The functions the page's script calls. Texts go in and out as UTF-8; a text
// handed out stays valid until the next call.

#include "ui/web/page_application.h"

#include <emscripten/emscripten.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace {

veldronix::web::PageApplication& application()
{
    // The one application object, made when the page first asks for it.
    static veldronix::web::PageApplication instance;
    return instance;
}

const char* handOut(std::string text)
{
    static std::string handedOut;
    handedOut = std::move(text);
    return handedOut.c_str();
}

veldronix::ControlId control(int id)
{
    return static_cast<veldronix::ControlId>(id);
}

// The width in CSS pixels of a text in the result fields' font at size pixels,
// as the page's own font draws it.
EM_JS(double, vx_result_text_width, (const char* text, double size), {
    if (!Module.vxMeasure) {
        Module.vxMeasure = document.createElement("canvas").getContext("2d");
    }
    var measure = Module.vxMeasure;
    var field = document.querySelector("#IDD_MAIN output.result") || document.body;
    measure.font = size + "px " + getComputedStyle(field).fontFamily;
    return measure.measureText(UTF8ToString(text)).width;
});

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* vx_selector_items(int selector)
{
    return handOut(veldronix::web::PageApplication::selectorItems(control(selector)));
}

EMSCRIPTEN_KEEPALIVE void vx_set_field_text(int field, const char* text)
{
    application().setFieldText(control(field), text == nullptr ? "" : text);
}

EMSCRIPTEN_KEEPALIVE void vx_set_selection(int selector, int index)
{
    application().setSelection(control(selector), index);
}

EMSCRIPTEN_KEEPALIVE const char* vx_press(int button)
{
    return handOut(application().press(control(button)));
}

EMSCRIPTEN_KEEPALIVE const char* vx_details()
{
    return handOut(application().details());
}

// The plot of the details last asked for, drawn for its area's size in CSS pixels.
EMSCRIPTEN_KEEPALIVE const char* vx_plot_svg(double width, double height)
{
    return handOut(application().plotSvg(width, height));
}

EMSCRIPTEN_KEEPALIVE const char* vx_field_findings()
{
    return handOut(application().fieldFindings());
}

// How a result field of room CSS pixels at a font of fontSize pixels shows text.
EMSCRIPTEN_KEEPALIVE const char* vx_result_field_text(int field, const char* text, double room, double fontSize)
{
    return handOut(veldronix::web::PageApplication::resultFieldText(
        control(field), text == nullptr ? "" : text, room, fontSize, [](std::string_view part, double size) {
            const std::string terminated(part);
            return vx_result_text_width(terminated.c_str(), size);
        }));
}

EMSCRIPTEN_KEEPALIVE const char* vx_enter_keys()
{
    return handOut(veldronix::web::PageApplication::enterKeys());
}

// A form of the details: what it holds handed in (cleared first), then an edit or a command.
EMSCRIPTEN_KEEPALIVE void vx_form_clear()
{
    application().formView().clear();
}

EMSCRIPTEN_KEEPALIVE void vx_set_form_field(const char* key, const char* text)
{
    application().formView().setFieldText(key == nullptr ? "" : key, text == nullptr ? "" : text);
}

EMSCRIPTEN_KEEPALIVE void vx_set_form_choice(const char* key, int index)
{
    application().formView().setSelection(key == nullptr ? "" : key, index);
}

EMSCRIPTEN_KEEPALIVE void vx_form_edit(const char* form)
{
    application().editForm(form == nullptr ? "" : form);
}

EMSCRIPTEN_KEEPALIVE const char* vx_form_command(const char* form, const char* command)
{
    return handOut(application().formCommand(form == nullptr ? "" : form, command == nullptr ? "" : command));
}

EMSCRIPTEN_KEEPALIVE const char* vx_document_svg()
{
    return handOut(application().documentSvg());
}

// The machine file: what a save downloads, the download made, a file chosen or
// dropped opened, and the page's title after them.
EMSCRIPTEN_KEEPALIVE const char* vx_machine_file()
{
    return handOut(application().machineFile());
}

EMSCRIPTEN_KEEPALIVE const char* vx_machine_saved(const char* name)
{
    return handOut(application().machineSaved(name == nullptr ? "" : name));
}

EMSCRIPTEN_KEEPALIVE void vx_begin_machine()
{
    application().beginMachineText();
}

// A piece of the file's bytes with its length (a file may hold a NUL, which the reader refuses): 1 while more are wanted.
EMSCRIPTEN_KEEPALIVE int vx_machine_bytes(const char* bytes, int length)
{
    const std::string_view piece = bytes == nullptr || length <= 0 ? std::string_view()
                                                                   : std::string_view(bytes, static_cast<std::size_t>(length));
    return application().addMachineBytes(piece) ? 1 : 0;
}

// readable: 0 where the script could not read the file.
EMSCRIPTEN_KEEPALIVE const char* vx_open_machine(const char* name, int readable)
{
    return handOut(application().openMachine(name == nullptr ? "" : name, readable != 0));
}

EMSCRIPTEN_KEEPALIVE const char* vx_machine_title(const char* title)
{
    return handOut(application().machineTitle(title == nullptr ? "" : title));
}

} // extern "C"
