// Start-up of Veldronix.exe: the one application object runs the main dialog.
#include "ui/win32/calc_app.h"

#include <exception>

namespace {

veldronix::win32::CCalcApp theApp;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    try {
        return theApp.initInstance(instance);
    } catch (const std::exception&) {
        // Out of memory inside a command: end with a failure status rather than abort.
        return 3;
    }
}
