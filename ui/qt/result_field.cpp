#include "ui/qt/result_field.h"

#include "report/details_style.h"

#include <QApplication>
#include <QLabel>

namespace veldronix::qt {

bool showsWholeText(const QLabel& label)
{
    const QRect room = label.contentsRect().marginsRemoved(QMargins(label.margin(), label.margin(), label.margin(),
                                                                    label.margin()));
    const int flags = static_cast<int>(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed = label.fontMetrics().boundingRect(room, flags, label.text());
    return needed.width() <= room.width() && needed.height() <= room.height();
}

void markResultField(QLabel& field, bool stale, const QString& staleNote)
{
    QPalette palette = QApplication::palette(&field);
    if (stale) {
        const std::string_view grey = report::detailsColours.stale;
        palette.setColor(QPalette::WindowText,
                         QColor(QString::fromLatin1(grey.data(), static_cast<qsizetype>(grey.size()))));
    }
    field.setPalette(palette);
    QStringList tip;
    if (stale && !staleNote.isEmpty()) {
        tip << staleNote;
    }
    if (!field.text().isEmpty() && !showsWholeText(field)) {
        tip << field.text();
    }
    field.setToolTip(tip.join(QStringLiteral("\n\n")));
}

} // namespace veldronix::qt
