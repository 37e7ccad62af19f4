#include "rules/hand.h"

namespace quornet::rules {

RankCounts rankCounts(const Hand& hand)
{
    // Empty entries (code 0) count as rank 0 and are taken off the kings at the end.
    RankCounts n{};
    int empty = 0;
    for (int c : hand) {
        ++n[RankOfCode[std::size_t(c)]];
        empty += c == 0;
    }
    n[0] -= empty;
    return n;
}

int cardsIn(const Hand& hand)
{
    int n = 0;
    for (int c : hand) n += c != 0;
    return n;
}

int lowestEmptyDrawSlot(const Hand& hand)
{
    for (int s = 0; s < DrawSlots; ++s)
        if (hand[std::size_t(s)] == 0) return s;
    return -1;
}

int penalty(const Hand& hand)
{
    int p = 0;
    for (int c : hand) p += cards::cardPenalty(c);
    return p;
}

HandProfile handProfile(const RankCounts& n)
{
    HandProfile p;
    p.wilds = n[WildRank];
    p.singles = n[ThreeRank]; // a three never has a partner
    for (int r = 0; r < Ranks; ++r) {
        if (r == WildRank || r == ThreeRank) continue;
        const int k = n[std::size_t(r)];
        p.singles += k == 1;
        p.pairs += k * (k - 1) / 2;
    }
    return p;
}

bool nearlyAllWild(const Hand& hand)
{
    int others = 0;
    for (int c : hand)
        if (c != 0 && !cards::isWild(c) && ++others > 1) return false;
    return true;
}

} // namespace quornet::rules
