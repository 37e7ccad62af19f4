// The own hand: a row of cards (a click picks, lowers or swaps a card in the model), the Draw,
// Pick Up and Start buttons that lie over it, the keyboard's cursor on a card and the hint's
// marks under the cards it names. The row is spread as wide as the table allows, and with a deck
// whose rank is not in a card's left corner each card's rank and suit are written in the strip
// of it that shows.
#pragma once

#include <QHash>
#include <QList>
#include <QWidget>

class QPushButton;

namespace quornet::table {

class ClickLabel;
class TableModel;
class TableZoom;
struct HandCard;
struct TableArt;
struct TableState;

class HandView : public QWidget {
    Q_OBJECT
public:
    HandView(TableModel& model, const TableZoom& zoom, QWidget* parent);

    // Where a card of the hand row is shown (at 100 %, in the table's geometry): the host's row
    // step of 20 pixels widened (at most twice) or narrowed (down to 16) so the row ends at the
    // table's right edge.
    static int shownLeft(const TableState& s, const HandCard& c);

    // The pictures to draw with (again after the deck, the screen or the zoom changed).
    void setArt(const TableArt& art);
    // The keyboard's cursor shows while the single keys play.
    void setKeysShown(bool shown);

public slots:
    void sync();

private:
    void syncCards();
    void syncRankLabel(ClickLabel* card, const HandCard& c, int strip, bool underButton);
    void syncButtons();
    void syncCursor();
    void syncHintMarks();

    TableModel& m_model;
    const TableZoom& m_zoom;
    const TableArt* m_art = nullptr;
    bool m_keysShown = true;
    QPushButton* m_pickup = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_draw = nullptr;
    QWidget* m_keyCursor = nullptr;
    QHash<int, ClickLabel*> m_cards; // by host slot
    QList<QWidget*> m_hintMarks;
};

} // namespace quornet::table
