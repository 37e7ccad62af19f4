#include "rules/hand.h"

namespace quornet::rules {

namespace {
// The counting bucket of every card code: its rank, and a bucket of its own (13) for an empty
// entry, so the count needs no test per card.
constexpr std::array<std::uint8_t, 55> BucketOfCode = [] {
    std::array<std::uint8_t, 55> t{};
    for (int c = 0; c < 55; ++c) t[std::size_t(c)] = std::uint8_t(c == 0 ? Ranks : c % 13);
    return t;
}();
} // namespace

RankCounts rankCounts(const Hand& hand)
{
    std::array<int, Ranks + 1> buckets{};
    forEachEntry(hand, [&](int c) { ++buckets[BucketOfCode[std::size_t(c)]]; });
    RankCounts n;
    for (int r = 0; r < Ranks; ++r) n[std::size_t(r)] = buckets[std::size_t(r)];
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
    // Every other rank: kings and aces, then fours on, with no test of the rank inside a loop.
    // (A count's pairs k(k-1)/2 in unsigned arithmetic: the same for any count, no sign fix-up.)
    static_assert(WildRank == 2 && ThreeRank == 3);
    unsigned singles = 0, pairs = 0;
    const auto add = [&](int count) {
        const unsigned k = unsigned(count);
        singles += k == 1;
        pairs += k * (k - 1) / 2;
    };
    add(n[0]);
    add(n[1]);
    for (std::size_t r = ThreeRank + 1; r < std::size_t(Ranks); ++r) add(n[r]);
    p.singles += int(singles);
    p.pairs = int(pairs);
    return p;
}

bool nearlyAllWild(const Hand& hand)
{
    int others = 0;
    for (int c : hand)
        if (c != 0 && !isWildRank(c) && ++others > 1) return false;
    return true;
}

} // namespace quornet::rules
