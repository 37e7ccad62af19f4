#include "bots/observation.h"

namespace quornet::bots {

RankCounts rankCounts(const Hand& hand)
{
    RankCounts n{};
    int empty = 0;
    for (int c : hand) {
        ++n[std::size_t(rankOf(c))];
        empty += c == 0;
    }
    n[0] -= empty; // empty entries (code 0) are not kings
    return n;
}

int cardsIn(const Hand& hand)
{
    int n = 0;
    for (int c : hand) n += c != 0;
    return n;
}

RankCounts Observation::unseen() const
{
    RankCounts n{};
    const RankCounts own = rankCounts(hand);
    RankCounts onPile{};
    for (int p = 1; p <= pileCount; ++p) ++onPile[std::size_t(cards::rankValue(pile[std::size_t(p)]))];
    for (int r = 0; r < Ranks; ++r) {
        const auto i = std::size_t(r);
        int left = cardsOfRank(r) - own[i] - onPile[i] - played[i];
        for (int s = 1; s <= Seats; ++s)
            if (s != seat) left -= known[std::size_t(s)][i];
        n[i] = left > 0 ? left : 0;
    }
    return n;
}

} // namespace quornet::bots
