// Classic: the computer player as it has always played. Each step scans hand entries and book
// slots in ascending order on a snapshot of the hand taken when the step begins, crossing out
// every card it has made a request for; a few rules read the current hand, which the driver
// keeps current in the observation after each request. Its chances come from the game's own
// generator, drawn exactly where and as often as they always were.
#pragma once

#include "bots/chance.h"
#include "bots/moves.h"
#include "bots/observation.h"

namespace quornet::bots {

struct HandProfile {
    int wilds = 0;
    int singles = 0; // non-wild cards without another card of their rank; every three is one
    int pairs = 0;   // pairs of entries of one natural rank: a rank held n times gives n(n-1)/2
};

HandProfile handProfile(const Hand& hand);
// At most one card of the hand is not wild (empty entries ignored).
bool nearlyAllWild(const Hand& hand);

namespace classic {

// The draw decision: 2 to take the discard pile, 1 to draw two.
int drawMode(const Observation& obs, Chance& chance);
// The meld pass and the discard. `obs` must follow every request made through `out`.
void play(const Observation& obs, Requests& out, Chance& chance);

} // namespace classic
} // namespace quornet::bots
