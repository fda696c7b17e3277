#include "ui/qt/window_texts.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace veldronix::qt {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString withoutMnemonicMarks(std::string_view text)
{
    const QString marked = fromUtf8(text);
    QString displayed;
    displayed.reserve(marked.size());
    for (qsizetype i = 0; i < marked.size(); ++i) {
        if (marked[i] == u'&') {
            ++i; // the character after the mark is shown, even another '&'
            if (i == marked.size()) {
                break;
            }
        }
        displayed.append(marked[i]);
    }
    return displayed;
}

QString titleOfExecutable(const QString& path)
{
    return QFileInfo(path).completeBaseName();
}

QString applicationTitle()
{
    const QString title = titleOfExecutable(QCoreApplication::applicationFilePath());
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

} // namespace veldronix::qt
