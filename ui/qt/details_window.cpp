#include "ui/qt/details_window.h"

#include "io/file_replace.h"
#include "report/details_style.h"
#include "report/details_texts.h"
#include "report/plot_scene.h"
#include "report/window_placement.h"
#include "ui/qt/details_section.h"
#include "ui/qt/details_widgets.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/scene_painter.h"
#include "ui/qt/window_texts.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace veldronix::qt {
namespace {

namespace t = report::detailsTexts;

report::ScreenRect screenRectOf(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QColor colourOf(std::string_view hex)
{
    return QColor(QString::fromLatin1(hex.data(), static_cast<qsizetype>(hex.size())));
}

// The saved or copied line in green, a failure in the warning's red.
const QColor doneInk(0x16, 0x65, 0x34);

// The window manager's frame around a window; before the window was first
// shown it is not known, and room is kept for a common one.
QMargins frameOf(const QWidget& window)
{
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    return frame.isNull() && !window.testAttribute(Qt::WA_WState_Created) ? QMargins(8, 32, 8, 8) : frame;
}

QRect workAreaOf(const QWidget& widget)
{
    const QScreen* screen = widget.screen() != nullptr ? widget.screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1280, 720);
}

int widthOf(const QMargins& margins)
{
    return margins.left() + margins.right();
}

int heightOf(const QMargins& margins)
{
    return margins.top() + margins.bottom();
}

// What a window shows, apart from its texts: its sections' kinds and whether
// there is a plot. The window grows for a new shape, never for longer texts.
std::vector<int> shapeOf(const report::DetailsLayout& layout, const report::Details& details)
{
    std::vector<int> shape{details.plot.has_value() ? 1 : 0};
    for (const report::DetailsSection& section : layout.sections) {
        shape.push_back(static_cast<int>(section.kind));
    }
    return shape;
}

} // namespace

CDetailsWindow::CDetailsWindow(QWidget* parent) : QDialog(parent)
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
    // One repaint for the whole change: no half-updated window is ever seen.
    setUpdatesEnabled(false);
    const std::vector<int> shapeBefore = shapeOf(layout_, details_);
    details_ = std::move(details);
    layout_ = report::detailsLayout(details_);
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
    // A line about an earlier copy or save does not belong to these details.
    note_->clear();
    note_->hide();
    setUpdatesEnabled(true);
    // The first calculation shown in a window opened without one needs room for
    // its sections, and a plot for itself; a longer figure scrolls or is elided.
    if (isVisible() && shapeOf(layout_, details_) != shapeBefore) {
        growToContent();
    }
}

void CDetailsWindow::showSections()
{
    while (sections_.size() > layout_.sections.size()) {
        delete sections_.back();
        sections_.pop_back();
    }
    while (sections_.size() < layout_.sections.size()) {
        auto* view = new DetailsSectionView;
        connect(view, &DetailsSectionView::actionTriggered, this, &CDetailsWindow::onAction);
        connect(view, &DetailsSectionView::rowChosen, this, &CDetailsWindow::rowChosen);
        // Before the stretch that keeps the sections at the top.
        column_->insertWidget(column_->count() - 1, view);
        view->show(); // at once: a layout would show it only on the event loop's next turn
        sections_.push_back(view);
    }
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        sections_[i]->showSection(layout_.sections[i], details_.plot);
        offerCopyFormats(*sections_[i]);
        // A section with a plot takes the height the window has to spare.
        column_->setStretchFactor(sections_[i], layout_.sections[i].kind == report::SectionKind::Plot ? 1 : 0);
    }
}

void CDetailsWindow::offerCopyFormats(DetailsSectionView& view)
{
    auto* button = qobject_cast<QToolButton*>(view.button(report::SectionAction::Copy));
    if (button == nullptr) {
        return;
    }
    QMenu* menu = button->menu();
    if (menu == nullptr) {
        menu = new QMenu(button);
        menu->setObjectName(QStringLiteral("copyFormats"));
        button->setMenu(menu);
    }
    menu->clear();
    for (const report::CopyFormat& format : details_.copyFormats) {
        const QString text = fromUtf8(format.text);
        connect(menu->addAction(fromUtf8(format.label)), &QAction::triggered, this, [this, text] { copy(text); });
    }
    button->setEnabled(!details_.clipboardText.empty());
}

void CDetailsWindow::onAction(report::SectionAction action)
{
    switch (action) {
    case report::SectionAction::Copy:
        copyRegisters();
        break;
    case report::SectionAction::SavePlot:
        savePlot();
        break;
    case report::SectionAction::ChooseRow:
        break; // a section chooses its own rows
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

void CDetailsWindow::placeBeside(const QWidget& dialog)
{
    const QMargins frame = frameOf(*this);
    // Narrower than this the plot and the tables' first columns would crowd;
    // it is as much as a 1280-pixel screen leaves beside the centred dialog.
    const int narrowest = 26 * fontMetrics().height() + widthOf(frame);
    // A window of a few lines is no narrower, so that the sections to come have room.
    QSize outerWanted = wantedSize().grownBy(frame);
    outerWanted.setWidth(std::max(outerWanted.width(), narrowest));
    const report::ScreenRect placed = report::placeBeside(screenRectOf(workAreaOf(dialog)),
                                                          screenRectOf(dialog.frameGeometry()), outerWanted.width(),
                                                          outerWanted.height(), narrowest);
    const QRect outer(placed.x, placed.y, placed.width, placed.height);
    resize(outer.size().shrunkBy(frame));
    move(outer.topLeft());
}

void CDetailsWindow::growToContent()
{
    const QRect room = workAreaOf(*this);
    const QMargins frame = frameOf(*this);
    const QSize grown =
        size().expandedTo(wantedSize()).boundedTo(room.size().shrunkBy(frame)).expandedTo(minimumSizeHint());
    if (grown == size()) {
        return;
    }
    resize(grown);
    // Still inside the work area when it grew past its bottom or right edge.
    const QSize outer = grown.grownBy(frame);
    move(std::clamp(x(), room.left(), std::max(room.left(), room.right() + 1 - outer.width())),
         std::clamp(y(), room.top(), std::max(room.top(), room.bottom() + 1 - outer.height())));
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

void CDetailsWindow::copyRegisters()
{
    if (!details_.clipboardText.empty()) {
        copy(fromUtf8(details_.clipboardText));
    }
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
    QFileDialog chooser(this, fromUtf8(t::saveTitle));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setFileMode(QFileDialog::AnyFile);
    // Qt's own chooser, the same on every desktop, whose name filter always comes back.
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setNameFilters({fromUtf8(t::saveFilterSvg), fromUtf8(t::saveFilterPng)});
    chooser.selectFile(fromUtf8(report::defaultPlotFileName(report::PlotFileFormat::Svg)));
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
        png = filter == fromUtf8(t::saveFilterPng);
        path += png ? QStringLiteral(".png") : QStringLiteral(".svg");
    }
    if (!details_.plot) {
        showNote(fromUtf8(t::saveNoPlot), true);
        return path;
    }
    std::string contents;
    if (png) {
        // The saved document's scene, larger so that its texts stay sharp when shown larger.
        const report::PlotScene scene = report::makePlotScene(*details_.plot, report::documentWidth,
                                                              report::documentHeight, report::SceneFrame::Document);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        sceneImage(scene, report::plotPngScale).save(&buffer, "PNG");
        contents.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    } else {
        contents = report::detailsPlotSvg(details_).value_or(std::string());
    }
    const auto error = io::replaceFile(path.toStdString(), contents);
    const QString shownName = QDir::toNativeSeparators(path);
    showNote(fromUtf8(report::detailsSaveNote(shownName.toStdString(), error)), error.has_value());
    return path;
}

} // namespace veldronix::qt
