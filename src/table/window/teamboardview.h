// One team's board (panel_board1 green, on the left; panel_board2 blue, on the right): the
// header band, the team's working and completed books, the round and game winner pictures, the
// completion badge and the keyboard's book cursor. A click on a book is the model's book click.
#pragma once

#include <QHash>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;

namespace quornet::table {

class ClickLabel;
class TableModel;
class TableZoom;
struct TableArt;

class TeamBoardView : public QWidget {
    Q_OBJECT
public:
    TeamBoardView(int team, TableModel& model, const TableZoom& zoom, QWidget* parent);

    // The pictures to draw with (again after the deck, the screen or the zoom changed).
    void setArt(const TableArt& art);
    // The book cursor shows while the single keys play.
    void setKeysShown(bool shown);

public slots:
    void sync();

private:
    void build();
    // Places a book's picture, redrawing it only when what it shows changed.
    ClickLabel* placeBook(const QString& name, QRect geometry, const QString& look, const std::function<QPixmap()>& draw,
                          const std::function<void()>& onClick);
    void syncBooks();
    void markJustHappened(QLabel* book, bool completed, int slot) const;
    void syncPictures();
    void syncCursor();
    // Shows or hides the rosette or the trophy; shown, it fades after a while.
    void showFading(QLabel* picture, bool shown);

    const int m_team;
    TableModel& m_model;
    const TableZoom& m_zoom;
    const TableArt* m_art = nullptr;
    bool m_keysShown = true;
    QLabel* m_header = nullptr;
    QLabel* m_corner = nullptr;
    QLabel* m_roundWinner = nullptr;
    QLabel* m_winner = nullptr;
    QLabel* m_badge = nullptr;
    QLabel* m_badgeLabel = nullptr;
    QWidget* m_bookCursor = nullptr;
    QHash<QString, ClickLabel*> m_books; // "book11", "comp23"
};

} // namespace quornet::table
