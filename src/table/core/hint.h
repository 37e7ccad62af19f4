// The hint (Play > Hint): what Strong or Expert would do now in the own seat, worked out on the
// table window's own knowledge, which is just what that seat's observation holds. It sends
// nothing and plays nothing; the window shows the words in the status line and marks the cards.
#pragma once

#include "bots/level.h"
#include "bots/observation.h"
#include "table/core/piletracker.h"
#include "table/core/tablestate.h"

#include <QList>
#include <QString>

namespace quornet::table {

struct Hint {
    QString text;     // "Hint: take the pile", "Hint: discard the 4 of clubs", ...
    QList<int> handSlots; // host hand slots of the cards it names
};

// A hint can be had: the own turn of a round still being played.
bool hintAvailable(const TableState& s);
// The own seat's observation as the window sees the table.
bots::Observation observationOf(const TableState& s, const PileTracker& pile);
// The level's advice for the own turn (Strong or Expert; Classic asks Strong). Empty text when
// it is not the own turn.
Hint adviseTurn(const TableState& s, const PileTracker& pile, bots::Level level);
// "the 4 of clubs", "the jack of hearts", "the joker".
QString cardName(int code);
// "4 of clubs", "jack of hearts", "joker": a card's name in a list.
QString cardTitle(int code);

} // namespace quornet::table
