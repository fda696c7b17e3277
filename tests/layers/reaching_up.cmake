# Writes a tree whose files include across the layers, runs the checker on it and
# compares every line it prints and its status.
file(REMOVE_RECURSE ${SCRATCH})
foreach(entry IN ITEMS
        # Allowed: the layer itself and those below, generated and library headers.
        "core/a.cpp:core/utf8.h,fmt/format.h,veldronix/version.h"
        "report/a.h:controller/calculation.h,io/json_writer.h,core/utf8.h"
        "ui/qt/a.h:res/dialog_layout.def,report/details.h,QWidget"
        # Reaching up, one per pair of layers that must not meet.
        "core/b.cpp:report/details.h"
        "controller/a.cpp:io/csv_writer.h,report/details.h,cli/options.h"
        "io/a.cpp:controller/calculation.h,report/text_sets.h"
        "report/b.cpp:ui/qt/plot_widget.h,cli/program.h,tests/support/sample_form.h"
        "cli/a.cpp:ui/web/page_view.h"
        "ui/win32/a.cpp:ui/qt/calc_dialog.h,res/dialog_layout.def"
        "ui/web/a.cpp:fuzz/markup_check.h,bench/x.h")
    string(REPLACE ":" ";" entry "${entry}")
    list(GET entry 0 file)
    list(GET entry 1 headers)
    string(REPLACE "," ";" headers "${headers}")
    set(text "// a scratch file\n")
    foreach(header IN LISTS headers)
        string(APPEND text "#include \"${header}\"\n")
    endforeach()
    file(WRITE ${SCRATCH}/${file} "${text}")
endforeach()
# One include written with angle brackets and spaces, as it may be.
file(APPEND ${SCRATCH}/core/b.cpp "  #  include <controller/control_id.h>\n")

execute_process(COMMAND ${PYTHON} ${CHECKER} ${SCRATCH} OUTPUT_VARIABLE output RESULT_VARIABLE status)
set(expected [[
core/b.cpp:2: includes report/details.h: core may include only core
core/b.cpp:3: includes controller/control_id.h: core may include only core
controller/a.cpp:2: includes io/csv_writer.h: controller may include only core, controller
controller/a.cpp:3: includes report/details.h: controller may include only core, controller
controller/a.cpp:4: includes cli/options.h: controller may include only core, controller
io/a.cpp:2: includes controller/calculation.h: io may include only core, io
io/a.cpp:3: includes report/text_sets.h: io may include only core, io
report/b.cpp:2: includes ui/qt/plot_widget.h: report may include only core, controller, io, report
report/b.cpp:3: includes cli/program.h: report may include only core, controller, io, report
report/b.cpp:4: includes tests/support/sample_form.h: report may include only core, controller, io, report
cli/a.cpp:2: includes ui/web/page_view.h: cli may include only core, controller, io, report, cli
ui/win32/a.cpp:2: includes ui/qt/calc_dialog.h: ui/win32 may include only core, controller, io, report, ui/win32
ui/win32/a.cpp:3: includes res/dialog_layout.def: ui/win32 may include only core, controller, io, report, ui/win32
ui/web/a.cpp:2: includes fuzz/markup_check.h: ui/web may include only core, controller, io, report, ui/web
ui/web/a.cpp:3: includes bench/x.h: ui/web may include only core, controller, io, report, ui/web
15 includes reach up
]])
if(NOT status EQUAL 1 OR NOT output STREQUAL expected)
    message(FATAL_ERROR "status ${status}, printed:\n${output}\nexpected status 1 and:\n${expected}")
endif()
