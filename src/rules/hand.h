// Seats, hands and the ranks of the cards in them.
//
// A hand (or a foot) is 21 slots of card codes, 0 for an empty slot; drawing and picking up fill
// the lowest empty slot of 0..19. Seats 1 and 3 are team 1, seats 2 and 4 team 2; the turn goes
// 1, 2, 3, 4 (1, 2 in a two-player game).
#pragma once

#include "cards/cards.h"

#include <array>
#include <cstdint>
#include <utility>

namespace quornet::rules {

constexpr int Seats = 4;
constexpr int HandSlots = 21;  // slots 0..20
constexpr int DrawSlots = 20;  // drawing, picking up and dealing fill slots 0..19
constexpr int DealtCards = 11; // a hand and a foot are dealt 11 cards each
constexpr int FootCards = DealtCards;
constexpr int Ranks = 13;
constexpr int WildRank = 2;
constexpr int ThreeRank = 3;

using Hand = std::array<int, HandSlots>;
using RankCounts = std::array<int, Ranks>;

constexpr int teamOf(int seat) { return seat % 2 == 1 ? 1 : 2; }
constexpr int partnerOf(int seat) { return seat <= 2 ? seat + 2 : seat - 2; }
constexpr int nextSeat(int seat, bool twoPlayer) { return seat >= (twoPlayer ? 2 : Seats) ? 1 : seat + 1; }

// Rank value of every card code 0..54 (code mod 13), looked up rather than divided.
inline constexpr std::array<std::uint8_t, 55> RankOfCode = [] {
    std::array<std::uint8_t, 55> t{};
    for (int c = 0; c < 55; ++c) t[std::size_t(c)] = std::uint8_t(c % 13);
    return t;
}();
inline int rankOf(int code) { return RankOfCode[std::size_t(code)]; }

// The tests of an entry of a hand or the pile (a code 0..54) by its rank looked up: the same as
// cards::isNatural(), isWild() and isThree() for a card, false for an empty entry.
inline bool isWildRank(int code) { return rankOf(code) == WildRank; }
inline bool isThreeRank(int code) { return rankOf(code) == ThreeRank; }
inline bool isNaturalCard(int c) { return c != 0 && !isWildRank(c) && !isThreeRank(c); }
inline bool isWildCard(int c) { return c != 0 && isWildRank(c); }
inline bool isThreeCard(int c) { return c != 0 && isThreeRank(c); }

// How many of each rank the 216-card deck holds: 16 of every natural rank and of the threes,
// 24 wilds (16 twos and 8 jokers).
constexpr int cardsOfRank(int rank) { return rank == WildRank ? 24 : 16; }
// A card code standing for its rank (suits never matter to a rule).
constexpr int codeOfRank(int rank) { return rank == 0 ? 13 : rank == 1 ? 14 : rank; }

// f(card) for every entry of a hand in slot order, written out as straight code rather than a
// loop: the computer players' scans of a hand, a few times a decision, are much of a game's work.
template <typename F> inline void forEachEntry(const Hand& hand, F f)
{
    [&]<std::size_t... Slot>(std::index_sequence<Slot...>) {
        (f(hand[Slot]), ...);
    }(std::make_index_sequence<HandSlots>{});
}

// Cards of each rank in a hand (empty slots are not kings).
RankCounts rankCounts(const Hand& hand);
// Written out in the header: the computer players count a hand's cards several times a move.
inline int cardsIn(const Hand& hand)
{
    int n = 0;
    forEachEntry(hand, [&](int c) { n += c != 0; });
    return n;
}
inline bool handEmpty(const Hand& hand)
{
    for (int c : hand)
        if (c != 0) return false;
    return true;
}
// The slot a drawn or picked-up card goes to, -1 when slots 0..19 are all taken.
int lowestEmptyDrawSlot(const Hand& hand);
// What a hand's cards would cost if the round ended now (negative).
int penalty(const Hand& hand);

// The natural and wild counts the players' strategies weigh a hand by.
struct HandProfile {
    int wilds = 0;
    int singles = 0; // non-wild cards without another card of their rank; every three is one
    int pairs = 0;   // pairs of entries of one natural rank: a rank held n times gives n(n-1)/2
};
HandProfile handProfile(const RankCounts& counts);
inline HandProfile handProfile(const Hand& hand) { return handProfile(rankCounts(hand)); }
// At most one card of the hand is not wild (empty entries ignored).
bool nearlyAllWild(const Hand& hand);

} // namespace quornet::rules
