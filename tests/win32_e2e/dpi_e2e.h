#pragma once

#include <string>

// Veldronix.exe at the DPI of the screen it runs on, worked through window messages.
namespace e2e {

// The dialog's layout in dialog units at `dpi` (the screen's, which the caller
// set), its title bar on the screen, the details window's texts and rows at
// that DPI; screenshots of both into the folder.
void dpiSuite(const std::wstring& path, const std::wstring& screenshots, int dpi);

} // namespace e2e
