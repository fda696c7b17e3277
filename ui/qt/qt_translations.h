#pragma once

class QCoreApplication;

namespace veldronix::qt {

// Qt's own texts (its message boxes' standard buttons, the file dialog, a text
// field's context menu) in Japanese, as every text of the program is: Qt's
// Japanese catalogue from the folder where Qt keeps its translations, installed
// into the application, which owns it. False where the catalogue is not there;
// Qt then keeps its English texts and nothing else changes.
bool installJapaneseQtTexts(QCoreApplication& application);

} // namespace veldronix::qt
