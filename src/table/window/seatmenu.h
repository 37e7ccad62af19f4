// The popup menu of a seat's name (popup_kick): the host user removes a participant or sets and
// unsets Just Watch for the seat; everyone can mute another participant's chat in this window.
#pragma once

#include <QMenu>

namespace quornet::table {

class TableModel;

class SeatMenu : public QMenu {
    Q_OBJECT
public:
    SeatMenu(TableModel& model, QWidget* parent);

public slots:
    // Opens at the mouse for the seat, with the items that apply to it.
    void popupFor(int seat);

private:
    TableModel& m_model;
    int m_seat = 0;
    QAction* m_remove = nullptr;
    QAction* m_setWatch = nullptr;
    QAction* m_unsetWatch = nullptr;
    QAction* m_mute = nullptr;
};

} // namespace quornet::table
