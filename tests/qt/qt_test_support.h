#pragma once

// What the Qt suites share: finding the dialog's controls, driving the
// selectors as a user does, and reading and closing the message boxes that a
// command shows modally.

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace veldronix::testing {

template <typename T>
T* control(const QWidget& dialog, const char* name)
{
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

// A message box as it was shown, and what the dialog showed meanwhile.
struct MessageBoxRecord {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString decelPointMeanwhile; // IDC_DECEL_POINT while the box was open
};

// Reads every message box that opens while it runs and closes it with OK, so
// that no command can block a test.
class MessageCollector {
public:
    explicit MessageCollector(const QWidget& dialog) : dialog_(dialog)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(10);
    }

    QList<MessageBoxRecord> take() { return std::exchange(boxes_, {}); }

private:
    void poll()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        const auto* decelPoint = control<QLabel>(dialog_, "IDC_DECEL_POINT");
        boxes_.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                       decelPoint != nullptr ? decelPoint->text() : QString()});
        QPushButton* ok = qobject_cast<QPushButton*>(box->button(QMessageBox::Ok));
        if (ok != nullptr) {
            QTest::mouseClick(ok, Qt::LeftButton);
        } else {
            box->done(0);
        }
    }

    const QWidget& dialog_;
    QTimer timer_;
    QList<MessageBoxRecord> boxes_;
};

// Runs act on the first visible modal window or pop-up of type T, from inside
// the event loop that shows it; gives up after five seconds. The flag tells
// whether act ran.
template <typename T>
std::shared_ptr<bool> whenShown(std::function<void(T&)> act)
{
    auto ran = std::make_shared<bool>(false);
    auto* timer = new QTimer;
    const QDeadlineTimer deadline(5000);
    QObject::connect(timer, &QTimer::timeout, [timer, ran, act, deadline] {
        T* window = qobject_cast<T*>(QApplication::activePopupWidget());
        if (window == nullptr) {
            window = qobject_cast<T*>(QApplication::activeModalWidget());
        }
        if (window != nullptr && window->isVisible()) {
            timer->stop();
            timer->deleteLater();
            *ran = true;
            act(*window);
        } else if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
    return ran;
}

// Opens the selector's list and clicks the item, as a user picks it.
inline bool chooseItem(QComboBox& combo, int index)
{
    combo.showPopup();
    QAbstractItemView* view = combo.view();
    if (!QTest::qWaitForWindowExposed(view->window())) {
        return false;
    }
    const QModelIndex item = view->model()->index(index, 0);
    view->scrollTo(item);
    const QRect rect = view->visualRect(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    return combo.currentIndex() == index && !view->isVisible();
}

// Replaces a field's text by typing, as a user does after selecting all of it.
inline void typeInto(QWidget& field, const QString& text)
{
    QLineEdit* edit = qobject_cast<QLineEdit*>(&field);
    if (edit == nullptr) {
        if (auto* combo = qobject_cast<QComboBox*>(&field)) {
            edit = combo->lineEdit();
        }
    }
    if (edit == nullptr) {
        return;
    }
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    // Printable ASCII characters come as key presses; the others as an input method
    // commits them, the way Japanese text reaches a field.
    qsizetype begin = 0;
    while (begin < text.size()) {
        const auto typable = [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; };
        const bool latin1 = typable(text[begin]);
        qsizetype end = begin;
        while (end < text.size() && typable(text[end]) == latin1) {
            ++end;
        }
        const QString run = text.mid(begin, end - begin);
        if (latin1) {
            QTest::keyClicks(edit, run);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(run);
            QApplication::sendEvent(edit, &commit);
        }
        begin = end;
    }
}

} // namespace veldronix::testing
