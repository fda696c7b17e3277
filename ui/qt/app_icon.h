#pragma once

#include <QIcon>

namespace veldronix::qt {

// The program's icon (IDR_MAINFRAME) in its two sizes, 32 x 32 and 16 x 16 pixels.
QIcon appIcon();

} // namespace veldronix::qt
