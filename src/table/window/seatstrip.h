// The seat strip at the top of the table's middle: each seat's name, card count, score, foot and
// just-watching marks, the turn marker, the own team's strip, and the game's texts (length,
// whose turn, round, pick-up count). A right click on a name asks for the seat's popup menu.
#pragma once

#include <QWidget>

#include <array>

class QLabel;

namespace quornet::table {

class ClickLabel;
class TableModel;
class TableZoom;
struct TableArt;

class SeatStrip : public QWidget {
    Q_OBJECT
public:
    SeatStrip(TableModel& model, const TableZoom& zoom, QWidget* parent);

    void setArt(const TableArt& art);

public slots:
    void sync();

signals:
    void seatMenuRequested(int seat);

private:
    void buildSeat(int seat);

    TableModel& m_model;
    const TableZoom& m_zoom;
    QLabel* m_green = nullptr;
    QLabel* m_blue = nullptr;
    std::array<QLabel*, 5> m_foot{}, m_eyes{}, m_cardsLeft{}, m_score{};
    std::array<ClickLabel*, 5> m_name{};
    QLabel* m_turnMarker = nullptr;
    QLabel* m_full = nullptr;
    QLabel* m_turn = nullptr;
    QLabel* m_pickup = nullptr;
    QLabel* m_round = nullptr; // the round in play, beside the game length
};

} // namespace quornet::table
