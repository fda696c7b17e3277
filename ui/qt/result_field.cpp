#include "ui/qt/result_field.h"

#include "report/details_style.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>

namespace veldronix::qt {

ResultLabel::ResultLabel(const QString& text, bool showsOneFigure, QWidget* parent)
    : QLabel(text, parent), showsOneFigure_(showsOneFigure)
{
}

QRect ResultLabel::textRoom() const
{
    QRect room = contentsRect().marginsRemoved(QMargins(margin(), margin(), margin(), margin()));
    // As a label indents its text from a frame: half an "x" unless set.
    const int shift = indent() >= 0 ? indent() : (frameWidth() > 0 ? fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 : 0);
    return room.adjusted(0, 0, -shift, 0);
}

report::ResultFieldText ResultLabel::fitted() const
{
    const QFont base = font();
    const double points = QFontInfo(base).pointSizeF();
    const auto width = [&base](std::string_view text, double size) {
        QFont scaled = base;
        scaled.setPointSizeF(size);
        return QFontMetricsF(scaled).horizontalAdvance(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    };
    return report::resultFieldText(text().toStdString(), textRoom().width(), points, width);
}

bool ResultLabel::cutsText() const
{
    return showsOneFigure_ ? fitted().cut : !showsWholeText(*this);
}

void ResultLabel::paintEvent(QPaintEvent* event)
{
    if (!showsOneFigure_ || text().isEmpty()) {
        QLabel::paintEvent(event);
        return;
    }
    QFrame::paintEvent(event); // the sunken frame
    const report::ResultFieldText shown = fitted();
    QFont scaled = font();
    scaled.setPointSizeF(QFontInfo(font()).pointSizeF() * shown.scale);
    QPainter painter(this);
    painter.setFont(scaled);
    style()->drawItemText(&painter, textRoom(), static_cast<int>(alignment()) | Qt::TextSingleLine, palette(),
                          isEnabled(), QString::fromStdString(shown.shown), foregroundRole());
}

void markInputField(QWidget& field, const QString& note)
{
    // A selector's text is its line edit's: the colours go there, the tooltip to both.
    auto* combo = qobject_cast<QComboBox*>(&field);
    QWidget& edit = combo != nullptr && combo->lineEdit() != nullptr ? *combo->lineEdit() : field;
    QPalette palette = QApplication::palette(&edit);
    if (!note.isEmpty()) {
        const auto colour = [](std::string_view hex) {
            return QColor(QString::fromLatin1(hex.data(), static_cast<qsizetype>(hex.size())));
        };
        palette.setColor(QPalette::Text, colour(report::detailsColours.warning));
        palette.setColor(QPalette::Base, colour(report::detailsColours.misread));
    }
    edit.setPalette(palette);
    edit.setToolTip(note);
    field.setToolTip(note);
}

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
    const auto* result = qobject_cast<const ResultLabel*>(&field);
    const bool cut = result != nullptr ? result->cutsText() : !showsWholeText(field);
    if (!field.text().isEmpty() && cut) {
        tip << field.text();
    }
    field.setToolTip(tip.join(QStringLiteral("\n\n")));
}

} // namespace veldronix::qt
