// Classic: the computer player as it has always played. Each step scans hand entries and book
// slots in ascending order on a snapshot of the hand taken when the step begins, crossing out
// every card it has made a request for; a few rules read the current hand. Its chances come
// from the game's own generator, drawn exactly where and as often as they always were.
#pragma once

#include "bots/chance.h"
#include "bots/moves.h"
#include "bots/observation.h"

namespace quornet::bots {

using rules::HandProfile;
using rules::handProfile;
using rules::nearlyAllWild;

namespace classic {

// All Classic reads of the table: the seat's own hand and its team's books, both following
// every request made through `Requests` as it is handled, and the pile's top card.
struct View {
    const Hand& hand;
    const TeamBooks& own;
    int top = 0;
};

// The draw decision: 2 to take the discard pile, 1 to draw two.
int drawMode(const View& v, Chance& chance);
// The meld pass and the discard.
void play(const View& v, Requests& out, Chance& chance);

} // namespace classic
} // namespace quornet::bots
