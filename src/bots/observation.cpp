#include "bots/observation.h"

namespace quornet::bots {

RankCounts Observation::unseen() const
{
    RankCounts n{};
    const RankCounts own = rankCounts(hand);
    RankCounts onPile{};
    for (int p = 1; p <= pileCount; ++p) ++onPile[std::size_t(rankOf(pile[std::size_t(p)]))];
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
