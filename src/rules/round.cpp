#include "rules/round.h"

namespace quornet::rules {

int discard(Hand& hand, int slot, PileCards& pile, int& count)
{
    if (slot < 0 || slot >= HandSlots) return 0;
    const int card = hand[std::size_t(slot)];
    if (card == 0 || count >= cards::DeckSize) return 0;
    pile[std::size_t(++count)] = card;
    hand[std::size_t(slot)] = 0;
    return card;
}

bool takeUpFoot(Hand& hand, Hand& foot, bool& onFoot)
{
    if (onFoot || !handEmpty(hand)) return false;
    onFoot = true;
    hand = foot;
    foot.fill(0);
    return true;
}

int roundPenalty(int seat, const Hand& hand, const Hand& foot, bool twoPlayer)
{
    if (twoPlayer && seat > 2) return 0;
    return penalty(hand) + penalty(foot);
}

} // namespace quornet::rules
