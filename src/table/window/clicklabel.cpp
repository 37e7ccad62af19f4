#include "table/window/clicklabel.h"

#include <QMouseEvent>

namespace quornet::table {

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button());
    event->accept();
}

} // namespace quornet::table
