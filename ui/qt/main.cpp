// Veldronix: the dialog starts with the program and the program ends with it.
#include "ui/qt/app_icon.h"
#include "ui/qt/calc_dialog.h"
#include "ui/qt/qt_translations.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    veldronix::qt::installJapaneseQtTexts(application);
    QApplication::setWindowIcon(veldronix::qt::appIcon());
    veldronix::qt::CCalcDialog dialog;
    dialog.exec(); // OK or Cancel alike: either ends the program
    return 0;
}
