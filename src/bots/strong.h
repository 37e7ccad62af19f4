// Strong: a rule-based level written from how good players play.
//
// - Wilds start books: a natural pair takes a wild to start a book while the wilds are enough
//   for the pairs and three are in hand (or the hand holds two singles at most); only when
//   the round may end before the seat plays again do wilds complete books, and then no wild
//   stays in hand that a book could take.
// - Discards keep what may still make books: a three first, then the card of a rank whose
//   cards are mostly out of play (on the pile, in books), its penalty counting only near the
//   round's end, never one the next opponent has been seen to pick up, pairs kept, wilds last;
//   and no gift: while a safer card is in hand, never
//   one that lets the next seat complete a book by taking the pile, nor one that makes the pile
//   (the pick-up count's cards) worth more to it than to us.
// - A pick-up is judged by all the cards it takes: what they add to books or make with the
//   hand, less what the threes among them cost; it must beat the two cards of a draw. A card
//   that completes a book is worth it only while no wild in hand would complete it anyway. And
//   a pick-up whose cards all go into this turn's melds and leave one card at most is taken
//   whatever they are worth: the discard empties the hand, a turn or more ahead in the race.
// - On the way out (its partner and it on the foot) its wilds still wait for the round's end:
//   a wild laid early is a closer lost. It keeps the nine-book limit in mind and does not go
//   out when that ends the game lost.
//
// It draws no chance: its decisions follow from the observation alone. Each takes a few
// microseconds, so Expert can use it to play rounds forward.
#pragma once

#include "bots/moves.h"
#include "bots/observation.h"

namespace quornet::bots::strong {

// The choices Expert varies when it searches around Strong's own plan.
struct Style {
    int wildReserve = -1;     // wilds kept back from new books; -1: Strong's own judgement
    bool dumpWilds = false;   // lay every wild a book can take, whatever the round's state
    int discardSlot = -1;     // the card to discard; -1: Strong's choice
    bool operator==(const Style&) const = default;
};

// 2 to take the discard pile, 1 to draw two.
int drawMode(const Observation& obs);
// The rest of the turn: books, then the discard.
Plan play(const Observation& obs, const Style& style = {});
// The melds alone, applied to `hand` and `own` (copies of the observation's).
Plan melds(const Observation& obs, const Style& style, Hand& hand, TeamBooks& own);
// What discarding the card of `slot` from `hand` (after the melds, `own` the team's books) hands
// the next seat, which may take the pile with it on top: nothing much, a pile worth more to
// it than to us (and worth taking), or a book it completes with it.
enum class Gift { None = 0, Pile = 1, Book = 2 };
Gift giftOf(const Observation& obs, const Hand& hand, const TeamBooks& own, int slot);
// The cards of `hand` in the order Strong would discard them, best first (at most `max`): the
// least gift first, then the cheapest to lose;
// returns how many it wrote.
int discardOrder(const Observation& obs, const Hand& hand, const TeamBooks& own, int* slots, int max);
// The round may end before this seat plays again.
bool roundEndNear(const Observation& obs);

} // namespace quornet::bots::strong
