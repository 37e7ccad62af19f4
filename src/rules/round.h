// The pile, the foot and the end of a round.
//
// A seat draws two cards from the deck or, with the pick-up option, takes the top `pickUpCount`
// cards of the discard pile (as many as there are). Its turn ends with a discard onto the pile.
// A hand that empties brings up the foot; a seat on its foot with an empty hand is done, and
// its team goes out when its partner is done too (in a two-player game, the seat alone): the
// round ends with the going-out bonus for that team, and every card still in a hand or a foot
// costs its penalty. The round also ends, without a bonus, when the deck runs out and the pile
// holds too few cards to be shuffled into a new one.
#pragma once

#include "rules/hand.h"

namespace quornet::rules {

// The discard pile: cards 1..count, the top at count.
using PileCards = std::array<int, cards::DeckSize + 1>;
// A pile of fewer cards is not shuffled into a new deck: the round ends instead.
constexpr int MinReshuffle = 3;

inline int topOf(const PileCards& pile, int count) { return count > 0 ? pile[std::size_t(count)] : 0; }

// Takes up to `pickUpCount` cards off the top of the pile into the lowest empty draw slots, the
// top first, and calls taken(slot, card) for each; stops when the pile or the slots run out.
// Returns how many it took.
template <typename Taken>
int pickUp(Hand& hand, PileCards& pile, int& count, int pickUpCount, Taken taken)
{
    int n = 0;
    for (; n < pickUpCount; ++n) {
        const int top = topOf(pile, count);
        const int slot = lowestEmptyDrawSlot(hand);
        if (top == 0 || slot < 0) break; // nothing more to take
        hand[std::size_t(slot)] = top;
        pile[std::size_t(count--)] = 0;
        taken(slot, top);
    }
    return n;
}

// Puts the card of a hand slot on the pile; returns it, or 0 when the slot is empty (or the
// pile full), which discards nothing.
int discard(Hand& hand, int slot, PileCards& pile, int& count);

// The foot comes up when the hand is empty and the seat is not on it yet; returns whether it
// did.
bool takeUpFoot(Hand& hand, Hand& foot, bool& onFoot);

// On the foot with nothing left in hand.
inline bool done(const Hand& hand, bool onFoot) { return onFoot && handEmpty(hand); }
// The team of a done seat goes out when the partner is done too (a two-player seat alone).
inline bool goesOut(bool seatDone, bool partnerDone, bool twoPlayer) { return seatDone && (twoPlayer || partnerDone); }

// What a seat's cards cost at the round's end: its hand and the foot it has not taken up. The
// vacant seats of a two-player game (3 and 4) cost nothing.
int roundPenalty(int seat, const Hand& hand, const Hand& foot, bool twoPlayer);

} // namespace quornet::rules
