// A picture or caption of the table window that reports mouse presses (cards, books, the
// create-book places, the discard pile, seat names).
#pragma once

#include <QLabel>

namespace quornet::table {

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void pressed(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace quornet::table
