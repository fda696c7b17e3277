#pragma once

#include "report/result_field_text.h"

#include <QLabel>
#include <QString>

namespace veldronix::qt {

// A result field of the dialog (a sunken, right-aligned static). One that shows
// one figure draws it by report::resultFieldText: shrunk to fit, down to the
// readable size, else its start with the cut mark, so that no part of a number
// reads as another; text() stays the whole text. Other result fields (the
// summary) draw as a label does.
class ResultLabel : public QLabel {
    Q_OBJECT

public:
    ResultLabel(const QString& text, bool showsOneFigure, QWidget* parent);

    // How the text is drawn in the field as it stands now.
    report::ResultFieldText fitted() const;
    // Whether the field draws less than its whole text: the tooltip then holds it.
    bool cutsText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The room the text is drawn in, inside the frame, the margin and the indent.
    QRect textRoom() const;

    bool showsOneFigure_;
};

// Whether a label shows its whole text within its frame, wrapped as it wraps.
bool showsWholeText(const QLabel& label);

// Shows whether a result field still belongs to the calculation the controller
// holds: a stale one is drawn grey with staleNote as its tooltip; its text is
// never changed. A text that does not fit is whole in the tooltip as well.
void markResultField(QLabel& field, bool stale, const QString& staleNote);

// Marks an input field (an edit, or a selector's edit part) whose text was read
// otherwise than typed: its text in the warning colour on a pale red, note as
// its tooltip; an empty note takes the mark away.
void markInputField(QWidget& field, const QString& note);

} // namespace veldronix::qt
