#include "ui/qt/dialog_builder.h"

#include "ui/qt/app_icon.h"
#include "ui/qt/dialog_units.h"
#include "ui/qt/result_field.h"
#include "ui/qt/window_texts.h"

#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace veldronix::qt {
namespace {

using layout::ControlKind;

// The edge of the system's icon metrics: SS_ICON sizes its control to the icon.
constexpr int iconSize = 32;

QLabel* createLabel(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* createControl(QDialog& dialog, const layout::ControlTemplate& control, DialogBaseUnits units)
{
    const QRect rect = toPixels(control.rect, units);
    switch (control.kind) {
    case ControlKind::Combo: {
        auto* combo = new QComboBox(&dialog);
        combo->setEditable(true);
        // What the user types is read as it stands: never completed, never added as an item.
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        // The template's height is that of the open list; the closed box is as high as its font needs.
        const int boxHeight = combo->sizeHint().height();
        combo->setGeometry(rect.x(), rect.y(), rect.width(), boxHeight);
        const int itemHeight = QFontMetrics(dialog.font()).height() + 2;
        combo->setMaxVisibleItems(std::max(1, (rect.height() - boxHeight) / itemHeight));
        return combo;
    }
    case ControlKind::EditExRight:
    case ControlKind::EditRight: {
        auto* edit = new QLineEdit(fromUtf8(control.text), &dialog);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edit->setGeometry(rect);
        return edit;
    }
    case ControlKind::Label: {
        QLabel* label = createLabel(&dialog, withoutMnemonicMarks(control.text));
        label->setGeometry(rect);
        return label;
    }
    case ControlKind::LabelNoPrefix: {
        QLabel* label = createLabel(&dialog, fromUtf8(control.text));
        label->setGeometry(rect);
        return label;
    }
    case ControlKind::Result: {
        auto* label = new ResultLabel(fromUtf8(control.text), report::showsOneFigure(control.id), &dialog);
        label->setTextFormat(Qt::PlainText);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(rect);
        return label;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(fromUtf8(control.text), &dialog);
        button->setGeometry(rect);
        return button;
    }
    case ControlKind::DefaultOk: {
        auto* button = new QPushButton(fromUtf8(control.text), &dialog);
        button->setDefault(true);
        button->setGeometry(rect);
        QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::accept);
        return button;
    }
    case ControlKind::Group: {
        auto* group = new QGroupBox(fromUtf8(control.text), &dialog);
        group->setGeometry(rect);
        // A group box is only a frame: the controls it encloses, created before
        // it, take the clicks and are drawn over it.
        group->setAttribute(Qt::WA_TransparentForMouseEvents);
        group->setFocusPolicy(Qt::NoFocus);
        return group;
    }
    case ControlKind::Icon: {
        auto* label = new QLabel(&dialog);
        label->setPixmap(appIcon().pixmap(iconSize, iconSize));
        label->setGeometry(rect.x(), rect.y(), iconSize, iconSize);
        return label;
    }
    }
    return new QWidget(&dialog); // not reached: every kind is handled above
}

} // namespace

std::vector<QWidget*> buildDialog(QDialog& dialog, const layout::DialogTemplate& dialogTemplate,
                                  std::span<const layout::ControlTemplate> controls)
{
    dialog.setWindowTitle(fromUtf8(dialogTemplate.caption));
    // A caption with the close box, no minimise or maximise box and no help button.
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint);
    dialog.setFont(dialogFont());
    const DialogBaseUnits units = baseUnitsOf(dialog.font());
    dialog.setFixedSize(mulDiv(dialogTemplate.width, units.x, 4), mulDiv(dialogTemplate.height, units.y, 8));

    std::vector<QWidget*> widgets;
    widgets.reserve(controls.size());
    for (const layout::ControlTemplate& control : controls) {
        QWidget* widget = createControl(dialog, control, units);
        widget->setObjectName(control.kind == ControlKind::DefaultOk ? QStringLiteral("IDOK") : fromUtf8(control.name));
        widgets.push_back(widget);
    }
    // Stacked as Windows stacks a template's controls, the first on top, so that
    // where the template lets two overlap (出力パルス数 reaches into the pulse
    // count's edit) the earlier one is seen and clicked. Group boxes, only
    // frames, go beneath everything.
    for (QWidget* widget : widgets) {
        widget->lower();
    }
    for (QWidget* widget : widgets) {
        if (qobject_cast<QGroupBox*>(widget) != nullptr) {
            widget->lower();
        }
    }
    return widgets;
}

} // namespace veldronix::qt
