#pragma once

#include <QLayout>

#include <vector>

namespace veldronix::qt {

// A section's buttons: in their order on as few right-aligned lines as the
// width allows, a line broken before the button that would not fit. Never
// wider than its widest button, so that a section with many buttons (or long
// labels, as in German) keeps to a narrow window and grows in height instead.
class ButtonFlowLayout : public QLayout {
public:
    explicit ButtonFlowLayout(QWidget* parent = nullptr);
    ~ButtonFlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;

    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Places the items within rect (or only measures, when place is false); the height they take.
    int arrange(const QRect& rect, bool place) const;

    std::vector<QLayoutItem*> items_;
};

} // namespace veldronix::qt
