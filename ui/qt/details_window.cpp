#include "ui/qt/details_window.h"

#include "io/file_replace.h"
#include "report/details_texts.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/plot_painter.h"
#include "ui/qt/window_texts.h"

#include <QBuffer>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QScrollArea>
#include <QTableWidget>

#include <algorithm>
#include <string>

namespace veldronix::qt {
namespace {

namespace t = report::detailsTexts;

// A finding's ink and background: red, so that it cannot be missed beside the
// mark; the saved or copied line in green, a failure in the finding's red.
const QColor findingInk(0xb9, 0x1c, 0x1c);
const QColor findingBackground(0xfe, 0xe2, 0xe2);
const QColor doneInk(0x16, 0x65, 0x34);

QString text(std::string_view utf8)
{
    return fromUtf8(utf8);
}

// A marked text: the mark before it.
QString marked(const std::string& content)
{
    return text(t::findingMark) + QLatin1Char(' ') + fromUtf8(content);
}

QColor colourOf(std::string_view hex)
{
    return QColor(QString::fromLatin1(hex.data(), static_cast<qsizetype>(hex.size())));
}

// A read-only table of the given columns, as tall as its rows, never scrolled.
QTableWidget* makeTable(const QString& name, std::initializer_list<std::string_view> columns)
{
    auto* table = new QTableWidget;
    table->setObjectName(name);
    table->setColumnCount(static_cast<int>(columns.size()));
    QStringList headers;
    for (const std::string_view column : columns) {
        headers << text(column);
    }
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setWordWrap(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return table;
}

// Sets a row's cells; figures are right-aligned.
void setRow(QTableWidget& table, int row, const QStringList& cells, int firstFigure)
{
    for (int column = 0; column < cells.size(); ++column) {
        auto* item = new QTableWidgetItem(cells[column]);
        item->setTextAlignment(Qt::AlignVCenter | (column >= firstFigure ? Qt::AlignRight : Qt::AlignLeft));
        table.setItem(row, column, item);
    }
}

void markRow(QTableWidget& table, int row)
{
    for (int column = 0; column < table.columnCount(); ++column) {
        QTableWidgetItem* item = table.item(row, column);
        item->setForeground(findingInk);
        item->setBackground(findingBackground);
        QFont bold = table.font();
        bold.setBold(true);
        item->setFont(bold);
    }
}

// Sizes the table to show every row and every text whole: each column as wide
// as its widest text, the table as tall as its header and rows.
void fitTable(QTableWidget& table)
{
    // A cell's text has the style's margin on each side.
    const int padding = 2 * (table.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &table) + 1) + 8;
    int width = 2 * table.frameWidth();
    for (int column = 0; column < table.columnCount(); ++column) {
        int widest = table.horizontalHeader()->sectionSizeHint(column);
        for (int row = 0; row < table.rowCount(); ++row) {
            if (const QTableWidgetItem* item = table.item(row, column)) {
                const QFont font = item->data(Qt::FontRole).isValid() ? item->font() : table.font();
                widest = std::max(widest, QFontMetrics(font).horizontalAdvance(item->text()) + padding);
            }
        }
        table.setColumnWidth(column, widest);
        width += widest;
    }
    table.resizeRowsToContents();
    int height = table.horizontalHeader()->sizeHint().height() + 2 * table.frameWidth();
    for (int row = 0; row < table.rowCount(); ++row) {
        height += table.rowHeight(row);
    }
    table.setFixedHeight(height);
    table.setMinimumWidth(width);
}

QLabel* makeLabel(const QString& name)
{
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QPushButton* makeButton(const QString& name, std::string_view caption)
{
    auto* button = new QPushButton(text(caption));
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CDetailsWindow::CDetailsWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("detailsWindow"));
    setWindowTitle(text(t::windowCaption));
    setModal(false);
    setSizeGripEnabled(true);
    setFont(dialogFont());

    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    heading_ = makeLabel(QStringLiteral("heading"));
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    column->addWidget(heading_);

    // Part 1 and 2 side by side: the integers, and the drive they give with its findings.
    auto* top = new QHBoxLayout;
    registersGroup_ = new QGroupBox;
    auto* registersColumn = new QVBoxLayout(registersGroup_);
    registers_ = makeTable(QStringLiteral("registers"), {t::columnRegister, t::columnInteger, t::columnSettingValue});
    registersColumn->addWidget(registers_);
    copyButton_ = makeButton(QStringLiteral("copyButton"), t::copyButton);
    connect(copyButton_, &QPushButton::clicked, this, &CDetailsWindow::copyRegisters);
    auto* copyRow = new QHBoxLayout;
    copyRow->addWidget(copyButton_);
    copyRow->addStretch();
    registersColumn->addLayout(copyRow);
    registersColumn->addStretch();
    top->addWidget(registersGroup_, 2);

    realDriveGroup_ = new QGroupBox;
    auto* realColumn = new QVBoxLayout(realDriveGroup_);
    realDrive_ = makeTable(QStringLiteral("realDrive"),
                           {t::columnQuantity, t::columnRequested, t::columnReal, t::columnDeviation});
    realColumn->addWidget(realDrive_);
    findingsHeading_ = makeLabel(QStringLiteral("findingsHeading"));
    findingsHeading_->setFont(bold);
    realColumn->addWidget(findingsHeading_);
    findings_ = new QVBoxLayout;
    realColumn->addLayout(findings_);
    realColumn->addStretch();
    top->addWidget(realDriveGroup_, 5);
    column->addLayout(top);

    // Part 3: the velocity profile, its figures and its note.
    plotGroup_ = new QGroupBox;
    auto* plotColumn = new QVBoxLayout(plotGroup_);
    plot_ = new PlotWidget;
    plot_->setObjectName(QStringLiteral("plot"));
    plotColumn->addWidget(plot_);
    phases_ = makeTable(QStringLiteral("phases"), {t::columnPhase, t::columnTime, t::columnPulses, t::columnDetail});
    plotColumn->addWidget(phases_);
    plotNote_ = makeLabel(QStringLiteral("plotNote"));
    plotColumn->addWidget(plotNote_);
    saveButton_ = makeButton(QStringLiteral("saveButton"), t::saveButton);
    connect(saveButton_, &QPushButton::clicked, this, &CDetailsWindow::savePlot);
    auto* saveRow = new QHBoxLayout;
    saveRow->addWidget(saveButton_);
    saveRow->addStretch();
    plotColumn->addLayout(saveRow);
    column->addWidget(plotGroup_);

    note_ = makeLabel(QStringLiteral("note"));
    column->addWidget(note_);
    column->addStretch();

    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    auto* buttons = new QDialogButtonBox;
    QPushButton* closeButton = makeButton(QStringLiteral("closeButton"), t::closeButton);
    buttons->addButton(closeButton, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(scroll);
    outer->addWidget(buttons);

    showDetails(report::makeDetails(std::nullopt, std::nullopt));
    // Wide enough for the plot, as tall as the content where the screen allows.
    const QSize wanted = content->sizeHint() + QSize(40, buttons->sizeHint().height() + 40);
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen != nullptr ? screen->availableSize() - QSize(40, 80) : wanted;
    // Never narrower than the content, which the layout would not allow anyway.
    resize(std::max(std::min(std::max(wanted.width(), 900), room.width()), minimumSizeHint().width()),
           std::min(std::max(wanted.height(), 860), room.height()));
}

void CDetailsWindow::showDetails(report::Details details)
{
    details_ = std::move(details);
    heading_->setText(fromUtf8(details_.heading));
    registersGroup_->setVisible(details_.calculated);
    realDriveGroup_->setVisible(details_.calculated);
    plotGroup_->setVisible(details_.calculated);
    showRegisters();
    showRealDrive();
    showFindings();
    showPlot();
    // A line about an earlier copy or save does not belong to these details.
    note_->clear();
    note_->hide();
}

void CDetailsWindow::showRegisters()
{
    registersGroup_->setTitle(fromUtf8(details_.registersHeading));
    registers_->setRowCount(static_cast<int>(details_.registers.size()));
    int row = 0;
    for (const report::DetailsRegister& line : details_.registers) {
        setRow(*registers_, row,
               {fromUtf8(line.name), line.hasFinding ? marked(line.integer) : fromUtf8(line.integer),
                fromUtf8(line.settingValue)},
               1);
        if (line.hasFinding) {
            markRow(*registers_, row);
        }
        ++row;
    }
    fitTable(*registers_);
    copyButton_->setEnabled(!details_.clipboardText.empty());
}

void CDetailsWindow::showRealDrive()
{
    realDriveGroup_->setTitle(fromUtf8(details_.realDriveHeading));
    realDrive_->setRowCount(static_cast<int>(details_.realDrive.size()));
    int row = 0;
    for (const report::DetailsQuantity& line : details_.realDrive) {
        setRow(*realDrive_, row,
               {line.marked ? marked(line.label) : fromUtf8(line.label), fromUtf8(line.requested), fromUtf8(line.real),
                fromUtf8(line.deviation)},
               1);
        if (line.marked) {
            markRow(*realDrive_, row);
        }
        ++row;
    }
    fitTable(*realDrive_);
}

void CDetailsWindow::showFindings()
{
    findingsHeading_->setText(fromUtf8(details_.findingsHeading));
    while (QLayoutItem* item = findings_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const report::DetailsFinding& finding : details_.findings) {
        QLabel* label = makeLabel(QStringLiteral("finding"));
        label->setText(marked(finding.text));
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, findingInk);
        palette.setColor(QPalette::Window, findingBackground);
        label->setPalette(palette);
        label->setMargin(4);
        findings_->addWidget(label);
        label->show(); // at once: a layout would show it only on the event loop's next turn

    }
    if (!details_.findingsNote.empty()) {
        QLabel* label = makeLabel(QStringLiteral("findingsNote"));
        label->setText(fromUtf8(details_.findingsNote));
        findings_->addWidget(label);
        label->show();
    }
}

void CDetailsWindow::showPlot()
{
    plotGroup_->setTitle(fromUtf8(details_.plotHeading));
    plot_->setPlot(details_.plot);
    const auto rows = details_.plot ? details_.plot->rows : std::vector<report::FigureRow>{};
    phases_->setRowCount(static_cast<int>(rows.size()));
    int row = 0;
    for (const report::FigureRow& figures : rows) {
        setRow(*phases_, row, {fromUtf8(figures.name), fromUtf8(figures.time), fromUtf8(figures.pulses),
                               fromUtf8(figures.detail)},
               1);
        phases_->item(row, 3)->setTextAlignment(Qt::AlignVCenter | Qt::AlignLeft);
        if (figures.phase) {
            phases_->item(row, 0)->setBackground(colourOf(report::plotColours.fillOf(*figures.phase)));
            phases_->item(row, 0)->setForeground(colourOf(report::plotColours.inkOf(*figures.phase)));
        } else {
            phases_->item(row, 3)->setForeground(colourOf(report::plotColours.mark));
        }
        ++row;
    }
    fitTable(*phases_);
    phases_->setVisible(!rows.empty());
    plotNote_->setText(fromUtf8(details_.plotNote));
    plotNote_->setVisible(!details_.plotNote.empty());
    // A move too short is told in the note's own words, as a finding is.
    QPalette palette = plotNote_->palette();
    palette.setColor(QPalette::WindowText, details_.plotState == report::DetailsPlotState::NoMotion
                                               ? findingInk
                                               : QGuiApplication::palette().color(QPalette::WindowText));
    plotNote_->setPalette(palette);
    saveButton_->setEnabled(details_.plot.has_value());
}

void CDetailsWindow::showNote(const QString& note, bool failed)
{
    note_->setText(note);
    QPalette palette = note_->palette();
    palette.setColor(QPalette::WindowText, failed ? findingInk : doneInk);
    note_->setPalette(palette);
    note_->show();
}

void CDetailsWindow::copyRegisters()
{
    if (details_.clipboardText.empty()) {
        return;
    }
    QGuiApplication::clipboard()->setText(fromUtf8(details_.clipboardText));
    showNote(text(t::copied), false);
}

void CDetailsWindow::savePlot()
{
    if (!details_.plot) {
        return;
    }
    QFileDialog chooser(this, text(t::saveTitle));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setFileMode(QFileDialog::AnyFile);
    // Qt's own chooser, the same on every desktop, whose name filter always comes back.
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setNameFilters({text(t::saveFilterSvg), text(t::saveFilterPng)});
    chooser.selectFile(QStringLiteral("velocity-profile.svg"));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) {
        return;
    }
    saveTo(chooser.selectedFiles().constFirst(), chooser.selectedNameFilter());
}

QString CDetailsWindow::saveTo(const QString& chosen, const QString& filter)
{
    QString path = chosen;
    const QString suffix = QFileInfo(path).suffix().toLower();
    bool png = suffix == QLatin1String("png");
    if (suffix != QLatin1String("png") && suffix != QLatin1String("svg")) {
        png = filter == text(t::saveFilterPng);
        path += png ? QStringLiteral(".png") : QStringLiteral(".svg");
    }
    const QString shownName = QDir::toNativeSeparators(path);
    const std::string utf8Path = path.toStdString();
    if (!details_.plot) {
        showNote(text(t::saveNoPlot), true);
        return path;
    }
    std::string contents;
    if (png) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        plotImage(*details_.plot, font()).save(&buffer, "PNG");
        contents.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    } else {
        contents = report::detailsPlotSvg(details_).value_or(std::string());
    }
    const auto error = io::replaceFile(utf8Path, contents);
    showNote(fromUtf8(report::detailsSaveNote(shownName.toStdString(), error)), error.has_value());
    return path;
}

} // namespace veldronix::qt
