// Keyboard play: a cursor over the hand row that Left and Right move and Space picks or lowers
// at, so a whole turn can be played without the mouse. The other keys (draw, pick up, places,
// create, discard) are the mouse actions under other names.
#include "table/core/tablemodel.h"
#include "table/core/tablemodel_p.h"

namespace quornet::table {

namespace {
// The host slots of the hand row in position order.
QList<int> rowSlots(const TableState& s)
{
    QList<int> row;
    for (const HandCard& c : s.handRow()) row.append(c.slot);
    return row;
}
} // namespace

void TableModel::moveKeyCursor(int step)
{
    if (step == 0) return;
    const QList<int> row = rowSlots(m_s);
    if (row.isEmpty()) return;
    Changes c(*this);
    touch();
    const bool wasShown = m_s.keyCursorShown;
    m_s.keyCursorShown = true;
    const int picked = m_s.picked.isPicked() ? int(row.indexOf(m_s.picked.slot)) : -1;
    if (picked >= 0) {
        const int target = picked + (step > 0 ? 1 : -1);
        if (target < 0 || target >= row.size()) return;
        if (m_s.manualSort) {
            // The picked card itself moves one place along the row and stays picked.
            swapPositions(positionOf(row[picked]), positionOf(row[target]));
        } else {
            // The hand keeps its order: the pick moves to the neighbour.
            m_s.cards[row[picked]].top = geometry::CardTopRest;
            m_s.cards[row[target]].top = geometry::CardTopRaised;
            m_s.picked = PickedCard{row[target], m_s.cards[row[target]].code};
        }
        setKeySlot(m_s.picked.slot);
        return;
    }
    const int at = int(row.indexOf(keyCursorSlot()));
    if (at < 0 || !wasShown) {
        // The first key press shows the cursor at the end it points from.
        setKeySlot(step > 0 ? row.constFirst() : row.constLast());
        return;
    }
    setKeySlot(row[qBound(0, at + (step > 0 ? 1 : -1), int(row.size()) - 1)]);
}

void TableModel::setKeySlot(int slot)
{
    m_s.keySlot = slot;
    const int at = int(rowSlots(m_s).indexOf(slot));
    if (at >= 0) m_keyIndex = at;
}

void TableModel::keyPick()
{
    const QList<int> row = rowSlots(m_s);
    if (row.isEmpty()) return;
    Changes c(*this);
    if (!m_s.keyCursorShown || !row.contains(m_s.keySlot)) {
        // After a card left the row the cursor stays where it was, on the card now there.
        const int at = m_s.keyCursorShown ? keyCursorSlot() : -1;
        m_s.keyCursorShown = true;
        setKeySlot(m_s.picked.isPicked() && row.contains(m_s.picked.slot) ? m_s.picked.slot
                   : at >= 0                                              ? at
                                                                          : row.constFirst());
        touch();
    }
    clickCard(m_s.keySlot, Qt::LeftButton);
}

namespace {
// The own team's books as the book cursor visits them: working books by slot, then completed
// books by number; each a (completed, slot) pair.
QList<QPair<bool, int>> ownBooks(const TableState& s)
{
    QList<QPair<bool, int>> books;
    if (s.ownTeam < 1 || s.ownTeam > 2) return books;
    const TeamBoard& board = s.team(s.ownTeam);
    for (const WorkingBook& b : board.working) books.append({false, b.slot});
    for (const CompletedBook& b : board.completed) books.append({true, b.slot});
    return books;
}
} // namespace

void TableModel::moveBookCursor(int step)
{
    const QList<QPair<bool, int>> books = ownBooks(m_s);
    if (books.isEmpty() || step == 0) return;
    Changes c(*this);
    const int at = int(books.indexOf(QPair<bool, int>{m_s.keyBookCompleted, m_s.keyBook}));
    const int n = int(books.size());
    const int next = at < 0 ? (step > 0 ? 0 : n - 1) : ((at + (step > 0 ? 1 : -1)) % n + n) % n;
    m_s.keyBookCompleted = books[next].first;
    m_s.keyBook = books[next].second;
    touch();
}

void TableModel::keyAddToBook()
{
    const QList<QPair<bool, int>> books = ownBooks(m_s);
    if (!books.contains(QPair<bool, int>{m_s.keyBookCompleted, m_s.keyBook})) return moveBookCursor(+1);
    if (m_s.keyBookCompleted)
        clickCompleted(m_s.ownTeam, m_s.keyBook);
    else
        clickBook(m_s.ownTeam, m_s.keyBook);
}

QString TableModel::keyBookName() const
{
    if (!ownBooks(m_s).contains(QPair<bool, int>{m_s.keyBookCompleted, m_s.keyBook})) return {};
    return QStringLiteral("%1%2%3").arg(m_s.keyBookCompleted ? "comp" : "book").arg(m_s.ownTeam).arg(m_s.keyBook);
}

// A card laid on a place or a book leaves the row: the cursor stays at its place in the row,
// on the nearest card.
int TableModel::keyCursorSlot() const
{
    if (!m_s.keyCursorShown) return -1;
    const QList<int> row = rowSlots(m_s);
    if (row.isEmpty()) return -1;
    return row.contains(m_s.keySlot) ? m_s.keySlot : row[qBound(0, m_keyIndex, int(row.size()) - 1)];
}

} // namespace quornet::table
