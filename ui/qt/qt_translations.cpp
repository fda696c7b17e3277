#include "ui/qt/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace veldronix::qt {

bool installJapaneseQtTexts(QCoreApplication& application)
{
    // Japanese whatever the desktop's language: the program speaks nothing else.
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace veldronix::qt
