#include "ui/qt/details_widgets.h"

#include "report/details_style.h"
#include "ui/qt/window_texts.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>

namespace veldronix::qt {
namespace {

QColor colourOf(std::string_view hex)
{
    return QColor(QString::fromLatin1(hex.data(), static_cast<qsizetype>(hex.size())));
}

const QColor warningInk = colourOf(report::detailsColours.warning);

// Whether text wraps into width without a line wider than it.
bool wrapsInto(const QString& text, const QFont& font, int width)
{
    for (const QString& paragraph : text.split(u'\n')) {
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            if (line.naturalTextWidth() > width) {
                layout.endLayout();
                return false;
            }
        }
        layout.endLayout();
    }
    return true;
}

// The widest a column or a line asks the window to be: the window's size
// follows what it shows, never how long a figure is.
int widestWanted(const QFontMetrics& metrics)
{
    return 12 * metrics.height();
}

} // namespace

DetailsLineLabel::DetailsLineLabel(const report::DetailsLine& line, QWidget* parent)
    : QLabel(fromUtf8(line.text), parent)
{
    setObjectName(QStringLiteral("line"));
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    // As wide as the window gives, so that a long text wraps instead of widening it.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    if (line.warning) {
        QPalette ink = palette();
        ink.setColor(QPalette::WindowText, warningInk);
        setPalette(ink);
    }
}

QSize DetailsLineLabel::sizeHint() const
{
    const int width = std::min(QLabel::sizeHint().width(), 3 * widestWanted(fontMetrics()));
    return {width, heightForWidth(width)};
}

QSize DetailsLineLabel::minimumSizeHint() const
{
    return {0, QLabel::minimumSizeHint().height()};
}

void DetailsLineLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    updateToolTip();
}

void DetailsLineLabel::updateToolTip()
{
    const int room = contentsRect().width() - 2 * margin();
    setToolTip(room > 0 && !wrapsInto(text(), font(), room) ? text() : QString());
}

DetailsTableWidget::DetailsTableWidget(QWidget* parent) : QTableWidget(parent)
{
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setWordWrap(false);
    // No cell is ever cut: every column is as wide as its widest text, and the
    // table scrolls sideways where the window is narrower.
    setTextElideMode(Qt::ElideNone);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // No column stretched to the viewport: a stretched last column would be narrowed
    // with it, below its widest text.
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void DetailsTableWidget::showTable(const report::DetailsTable& table)
{
    clear();
    setColumnCount(static_cast<int>(table.columns.size()));
    setRowCount(static_cast<int>(table.rows.size()));
    QStringList headings;
    for (const report::DetailsColumn& column : table.columns) {
        headings << fromUtf8(column.heading);
    }
    setHorizontalHeaderLabels(headings);
    for (int row = 0; row < rowCount(); ++row) {
        const report::DetailsRow& cells = table.rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < columnCount(); ++column) {
            const auto index = static_cast<std::size_t>(column);
            const report::DetailsLine line = index < cells.cells.size() ? cells.cells[index] : report::DetailsLine{};
            auto* item = new QTableWidgetItem(fromUtf8(line.text));
            const bool right = table.columns[index].align == report::CellAlign::Right;
            item->setTextAlignment(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
            if (cells.background) {
                item->setBackground(colourOf(*cells.background));
            }
            if (line.warning) {
                item->setForeground(warningInk);
            } else if (cells.ink) {
                item->setForeground(colourOf(*cells.ink));
            }
            setItem(row, column, item);
        }
    }
    resizeColumnsToContents();
    resizeRowsToContents();
    // Every row's text measured, also those a hidden or short view would not have.
    const int margins = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 4;
    for (int column = 0; column < columnCount(); ++column) {
        int width = columnWidth(column);
        for (int row = 0; row < rowCount(); ++row) {
            width = std::max(width, fontMetrics().horizontalAdvance(item(row, column)->text()) + margins);
        }
        setColumnWidth(column, width);
    }
    widths_ = report::tableWidths(table, columnWidths(), widestWanted(fontMetrics()));
    setVisible(columnCount() > 0);
    updateGeometry();
}

int DetailsTableWidget::heightForRows() const
{
    int height = horizontalHeader()->height() > 0 ? horizontalHeader()->height() : horizontalHeader()->sizeHint().height();
    for (int row = 0; row < rowCount(); ++row) {
        height += rowHeight(row);
    }
    // A table wider than its room scrolls sideways under its last row.
    if (horizontalHeader()->length() > viewport()->width()) {
        height += horizontalScrollBar()->sizeHint().height();
    }
    return height + 2 * frameWidth();
}

std::vector<int> DetailsTableWidget::columnWidths() const
{
    std::vector<int> widths;
    for (int column = 0; column < columnCount(); ++column) {
        widths.push_back(columnWidth(column));
    }
    return widths;
}

int DetailsTableWidget::keyColumnsWidth() const
{
    return columnCount() > 0 ? widths_.keys + 2 * frameWidth() : 0;
}

QSize DetailsTableWidget::sizeHint() const
{
    return {widths_.wanted + 2 * frameWidth(), heightForRows()};
}

QSize DetailsTableWidget::minimumSizeHint() const
{
    // Never wider than the window gives: it scrolls sideways instead.
    return {4 * fontMetrics().height(), heightForRows()};
}

void DetailsTableWidget::resizeEvent(QResizeEvent* event)
{
    const int before = heightForRows();
    QTableWidget::resizeEvent(event);
    if (heightForRows() != before) {
        updateGeometry();
    }
}

} // namespace veldronix::qt
