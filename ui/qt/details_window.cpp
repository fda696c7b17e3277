#include "ui/qt/details_window.h"

#include "report/details_style.h"
#include "report/texts_ja.h"
#include "report/window_placement.h"
#include "ui/qt/details_form_view.h"
#include "ui/qt/details_section.h"
#include "ui/qt/details_widgets.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/plot_save.h"
#include "ui/qt/window_geometry.h"
#include "ui/qt/window_texts.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace veldronix::qt {
namespace {

namespace t = report::texts::ja;

QColor colourOf(std::string_view hex)
{
    return QColor(QString::fromLatin1(hex.data(), static_cast<qsizetype>(hex.size())));
}

// The saved or copied line in green, a failure in the warning's red.
const QColor doneInk(0x16, 0x65, 0x34);

int widthOf(const QMargins& margins)
{
    return margins.left() + margins.right();
}

int heightOf(const QMargins& margins)
{
    return margins.top() + margins.bottom();
}

} // namespace

CDetailsWindow::CDetailsWindow(report::DetailsForms& forms, QWidget* parent) : QDialog(parent), forms_(forms)
{
    setObjectName(QStringLiteral("detailsWindow"));
    setWindowTitle(fromUtf8(t::windowCaption));
    setModal(false);
    setSizeGripEnabled(true);
    setFont(dialogFont());

    auto* content = new QWidget;
    column_ = new QVBoxLayout(content);
    heading_ = new QLabel;
    heading_->setObjectName(QStringLiteral("heading"));
    heading_->setTextFormat(Qt::PlainText);
    heading_->setWordWrap(true);
    heading_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    heading_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    column_->addWidget(heading_);
    status_ = new QVBoxLayout;
    column_->addLayout(status_);
    column_->addStretch();

    scroll_ = new QScrollArea;
    scroll_->setObjectName(QStringLiteral("scrollArea"));
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidget(content);

    note_ = new QLabel;
    note_->setObjectName(QStringLiteral("note"));
    note_->setTextFormat(Qt::PlainText);
    note_->setWordWrap(true);
    note_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    note_->hide();
    auto* closeButton = new QPushButton(fromUtf8(t::closeButton));
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(note_, 1);
    bottom->addWidget(closeButton, 0, Qt::AlignRight | Qt::AlignBottom);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(scroll_, 1);
    outer->addLayout(bottom);

    showDetails(report::makeDetails(std::nullopt, std::nullopt));
}

void CDetailsWindow::showDetails(report::Details details)
{
    details_ = std::move(details);
    showLayout(forms_.layout(details_));
    // A line about an earlier copy or save does not belong to these details.
    note_->clear();
    note_->hide();
}

void CDetailsWindow::showLayout(report::DetailsLayout layout)
{
    // One repaint for the whole change: no half-updated window is ever seen.
    setUpdatesEnabled(false);
    const bool grows = report::growsToContent(layout_, layout, userSized_ || isMaximized());
    layout_ = std::move(layout);
    heading_->setText(fromUtf8(layout_.heading));
    while (QLayoutItem* item = status_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const report::DetailsLine& line : layout_.status) {
        auto* label = new DetailsLineLabel(line);
        label->setObjectName(QStringLiteral("status"));
        status_->addWidget(label);
        label->show();
    }
    showSections();
    setUpdatesEnabled(true);
    // The first calculation shown in a window opened without one needs room for
    // its sections, and a plot for itself; a longer figure scrolls sideways in its table.
    // Away from the dialog it stands beside, which it never grows over.
    if (isVisible() && grows && parentWidget() != nullptr) {
        growWindowTo(*this, *parentWidget(), wantedSize());
    }
}

DetailsSectionView* CDetailsWindow::addSectionView()
{
    auto* view = new DetailsSectionView;
    connect(view, &DetailsSectionView::copyRequested, this, &CDetailsWindow::copy);
    connect(view, &DetailsSectionView::saveRequested, this, &CDetailsWindow::savePlot);
    connect(view, &DetailsSectionView::dialogRequested, this, &CDetailsWindow::dialogRequested);
    connect(view, &DetailsSectionView::machineFileRequested, this, &CDetailsWindow::machineFileRequested);
    // A form's edit and command go to its controller, which reads the form through its view.
    connect(view, &DetailsSectionView::formEdited, this, [this, view] {
        forms_.edit(view->form()->formName(), *view->form());
        showLayout(forms_.layout(details_));
    });
    connect(view, &DetailsSectionView::formCommandRequested, this, [this, view](const QString& command) {
        const std::vector<DialogRequest> requests =
            forms_.command(view->form()->formName(), command.toStdString(), *view->form());
        showLayout(forms_.layout(details_));
        // Even none: what the command changed (an axis's mechanics) shows in the details made afresh.
        emit dialogRequested(requests);
    });
    // Before the stretch that keeps the sections at the top.
    column_->insertWidget(column_->count() - 1, view);
    view->show(); // at once: a layout would show it only on the event loop's next turn
    return view;
}

void CDetailsWindow::showSections()
{
    while (sections_.size() > layout_.sections.size()) {
        delete sections_.back();
        sections_.pop_back();
    }
    while (sections_.size() < layout_.sections.size()) {
        sections_.push_back(addSectionView());
    }
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        sections_[i]->showSection(layout_.sections[i], details_.plot);
        // A section with a plot takes the height the window has to spare.
        column_->setStretchFactor(sections_[i], layout_.sections[i].kind == report::SectionKind::Plot ? 1 : 0);
    }
}

QSize CDetailsWindow::wantedSize() const
{
    const QSize content = scroll_->widget()->sizeHint();
    const QMargins margins = layout()->contentsMargins();
    const int bottom = std::max(note_->sizeHint().height(), findChild<QPushButton*>(QStringLiteral("closeButton"))->sizeHint().height());
    // Room for a vertical scroll bar, which a screen lower than the content needs.
    return {content.width() + widthOf(margins) + scroll_->verticalScrollBar()->sizeHint().width(),
            content.height() + heightOf(margins) + layout()->spacing() + bottom};
}

int CDetailsWindow::narrowestWidth() const
{
    // Narrower than this the plot and the tables' first columns would crowd;
    // it is as much as a 1280-pixel screen leaves beside the centred dialog.
    // A window of a few lines is no narrower, so that the sections to come have room.
    // Never so narrow that a table's key columns would not show whole beside
    // the margins around them and a vertical scroll bar.
    int keys = 0;
    for (const DetailsSectionView* section : sections_) {
        if (section->table()->columnCount() > 0) {
            keys = std::max(keys, section->table()->keyColumnsWidth() + widthOf(section->contentsMargins()) +
                                      widthOf(section->layout()->contentsMargins()));
        }
    }
    if (keys > 0) {
        keys += widthOf(column_->contentsMargins()) + 2 * scroll_->frameWidth() +
                scroll_->verticalScrollBar()->sizeHint().width() + widthOf(layout()->contentsMargins());
    }
    return std::max(26 * fontMetrics().height(), keys) + widthOf(frameOf(*this));
}

void CDetailsWindow::placeBeside(const QWidget& dialog)
{
    // Opened again, it is placed afresh, as on its first opening.
    userSized_ = false;
    // Its widgets polished first: the tables' frames and columns measured as they will be drawn.
    ensurePolished();
    placeWindowBeside(*this, dialog, wantedSize(), narrowestWidth());
}

void CDetailsWindow::resizeEvent(QResizeEvent* event)
{
    // Sized from outside the program (the window manager's frame, the size grip): the size stays.
    if (event->spontaneous() && isVisible() && event->oldSize().isValid() && event->size() != event->oldSize()) {
        userSized_ = true;
    }
    QDialog::resizeEvent(event);
}

void CDetailsWindow::showNote(const QString& note, bool failed)
{
    note_->setText(note);
    QPalette palette = note_->palette();
    palette.setColor(QPalette::WindowText, failed ? colourOf(report::detailsColours.warning) : doneInk);
    note_->setPalette(palette);
    note_->setToolTip(note);
    note_->show();
}

void CDetailsWindow::copy(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    showNote(fromUtf8(t::copied), false);
}

void CDetailsWindow::savePlot()
{
    if (!details_.plot) {
        return;
    }
    if (const std::optional<PlotFileChoice> chosen = choosePlotFile(this)) {
        saveTo(chosen->name, chosen->type);
    }
}

QString CDetailsWindow::saveTo(const QString& chosen, report::PlotFileFormat type)
{
    const PlotSaveResult saved = savePlotFile(details_, chosen, type);
    showNote(saved.note, saved.failed);
    return saved.path;
}

} // namespace veldronix::qt
