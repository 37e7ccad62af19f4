#include "table/core/tablestate.h"

namespace quornet::table {

const HandCard* TableState::card(int slot) const
{
    const auto it = cards.constFind(slot);
    return it == cards.constEnd() ? nullptr : &it.value();
}

QList<HandCard> TableState::handRow() const
{
    QList<HandCard> row;
    for (int p = 1; p <= HandPositions; ++p) {
        const int slot = positions[std::size_t(p)];
        if (slot < 0) continue;
        if (const HandCard* c = card(slot)) row.append(*c);
    }
    return row;
}

int TableState::handCount() const
{
    int n = 0;
    for (int p = 1; p <= HandPositions; ++p)
        if (positions[std::size_t(p)] >= 0) ++n;
    return n;
}

} // namespace quornet::table
