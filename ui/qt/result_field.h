#pragma once

#include <QString>

class QLabel;

namespace veldronix::qt {

// Whether a label shows its whole text within its frame, wrapped as it wraps.
bool showsWholeText(const QLabel& label);

// Shows whether a result field still belongs to the calculation the controller
// holds: a stale one is drawn grey with staleNote as its tooltip; its text is
// never changed. A text that does not fit is whole in the tooltip as well.
void markResultField(QLabel& field, bool stale, const QString& staleNote);

} // namespace veldronix::qt
