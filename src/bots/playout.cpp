#include "bots/playout.h"

#include "rules/books.h"
#include "bots/strong.h"

#include <algorithm>

namespace quornet::bots {

using cards::rankValue;

namespace {

int lowestEmptyDrawSlot(const Hand& hand)
{
    for (int s = 0; s < DrawSlots; ++s)
        if (hand[std::size_t(s)] == 0) return s;
    return -1;
}

template <typename T, std::size_t N> void shuffle(std::array<T, N>& a, int n, Rng& rng)
{
    for (int i = n - 1; i > 0; --i) std::swap(a[std::size_t(i)], a[std::size_t(rng.below(i + 1))]);
}

// One time in so many a hidden hand gets a three or a card of a rank its seat let go of (see
// World::sample); never a card of a rank its team has a book of or a third card of a rank, unless
// nothing else is left to deal.
constexpr int Never = 0;
constexpr int BookedOdds = Never;
constexpr int ThirdOdds = Never;
constexpr int ThreeOdds = 8;
constexpr int LetGoOdds = 16;
// Deals of a hidden hand tried until one fits the seat's last discard and melds (see World::sample).
constexpr int DiscardTries = 4;

void forget(RankCounts& known, int card)
{
    int& k = known[std::size_t(rankValue(card))];
    if (k > 0) --k;
}

} // namespace

namespace {

// discardFits() on `then`, the view of the seat it is about to judge with the hand guessed for it
// (its seat and hand set); `then` is as it was afterwards. A guess judges several deals of a hand
// on one copy of the observation.
bool discardFitsIn(Observation& then)
{
    const int seat = then.seat;
    const int last = then.lastDiscard[std::size_t(seat)];
    if (last == 0) return true;
    // The hand as it was before that discard: what the seat holds now and the card.
    const auto free = std::find(then.hand.begin(), then.hand.end(), 0);
    if (free == then.hand.end()) return true;
    const Hand held = then.hand;
    const int pileCount = then.pileCount;
    *free = last;
    ++then.handCount[std::size_t(seat)];
    if (then.top() == last) --then.pileCount;
    TeamBooks own = then.ownBooks();
    int slot = -1;
    const bool fits = strong::discardOrder(then, then.hand, own, &slot, 1) == 1 && rankValue(then.hand[std::size_t(slot)]) == rankValue(last);
    then.hand = held;
    --then.handCount[std::size_t(seat)];
    then.pileCount = pileCount;
    return fits;
}

// Whether Strong, holding the hand of `then` (as above), would lay nothing more: at the end of its
// turn a seat has laid what its books take and started what it could.
bool meldsDone(const Observation& then)
{
    Hand h = then.hand;
    TeamBooks own = then.ownBooks();
    return strong::melds(then, {}, h, own).size == 0;
}

} // namespace

bool discardFits(const Observation& obs, int seat, const Hand& hand)
{
    Observation then = obs;
    then.seat = seat;
    then.hand = hand;
    return discardFitsIn(then);
}

World World::sample(const Observation& obs, Rng& rng)
{
    World w;
    w.m_view = obs;
    w.m_rng = Rng(rng.next());
    const int me = obs.seat;

    // The unseen cards, shuffled; a shortfall (a table window that missed some history) is made
    // up with fours, an excess left out.
    std::array<int, cards::DeckSize> pool{};
    int size = 0;
    const RankCounts unseen = obs.unseen();
    for (int r = 0; r < Ranks; ++r)
        for (int k = 0; k < unseen[std::size_t(r)] && size < cards::DeckSize; ++k) pool[std::size_t(size++)] = codeOfRank(r);
    shuffle(pool, size, rng);
    int next = 0;
    const auto take = [&] { return next < size ? pool[std::size_t(next++)] : codeOfRank(4); };
    // How a seat plays shows in its hand. At the end of its turn it has laid every natural its
    // team's books take and started a book with any three naturals of a rank, it has discarded
    // its threes first, and it lets go of the natural ranks it holds no pair of (discarded, or
    // passed over on the pile). So a card goes to its hand only one time in `odds` of its rank
    // (1 for a card nothing speaks against, never for a natural its books take or a third card of
    // a rank); one passed over is left for the feet and the deck.
    // The hand's cards are looked for from `cursor` on, so a card passed over is not offered to
    // the same hand again.
    RankCounts odds{};
    RankCounts held{};
    int cursor = 0;
    const auto takeFor = [&] {
        for (; cursor < size; ++cursor) {
            const auto r = std::size_t(rankValue(pool[std::size_t(cursor)]));
            const int n = held[r] >= 2 && r != WildRank && r != ThreeRank ? ThirdOdds : odds[r];
            if (n == Never || (n > 1 && rng.below(n) != 0)) continue;
            std::swap(pool[std::size_t(next)], pool[std::size_t(cursor++)]);
            break;
        }
        const int c = take();
        ++held[std::size_t(rankValue(c))];
        return c;
    };

    for (int s = 1; s <= Seats; ++s) {
        Hand& hand = w.m_hands[std::size_t(s)];
        if (s == me) {
            hand = obs.hand;
        } else {
            const int count = std::min(obs.handCount[std::size_t(s)], HandSlots);
            int slot = 0;
            for (int r = 0; r < Ranks; ++r)
                for (int k = 0; k < obs.known[std::size_t(s)][std::size_t(r)] && slot < count; ++k)
                    hand[std::size_t(slot++)] = codeOfRank(r);
            const TeamBooks& books = obs.books[std::size_t(Observation::teamOf(s))];
            const auto bookOf = rules::workingBooksByRank(books);
            for (int r = 0; r < Ranks; ++r) {
                const auto i = std::size_t(r);
                if (r == WildRank || r == ThreeRank) {
                    odds[i] = r == ThreeRank ? ThreeOdds : 1;
                    continue;
                }
                const bool booked = bookOf[i] != 0 || rules::completedBookOf(books, r) != 0;
                const bool letGo = obs.discarded[std::size_t(s)][i] + obs.passed[std::size_t(s)][i] != 0;
                odds[i] = booked ? BookedOdds : letGo ? LetGoOdds : 1;
            }
            // A deal that does not fit the seat's last discard, or in which Strong would still lay
            // a book (the seat would have laid it in its turn), is dealt again from the same cards,
            // a few times at most.
            Observation then = obs;
            then.seat = s;
            const int dealt = slot;
            const int nextBefore = next;
            const auto poolBefore = pool;
            for (int tries = 1;; ++tries) {
                held = rankCounts(hand);
                cursor = next;
                while (slot < count) hand[std::size_t(slot++)] = takeFor();
                then.hand = hand;
                if (tries == DiscardTries || (discardFitsIn(then) && meldsDone(then))) break;
                pool = poolBefore;
                next = nextBefore;
                for (slot = dealt; slot < count; ++slot) hand[std::size_t(slot)] = 0;
                slot = dealt;
            }
        }
        if (!obs.onFoot[std::size_t(s)])
            for (int k = 0; k < FootCards; ++k) w.m_feet[std::size_t(s)][std::size_t(k)] = take();
    }
    w.m_deckCount = std::min(obs.deckCount, cards::DeckSize);
    for (int k = 0; k < w.m_deckCount; ++k) w.m_deck[std::size_t(k)] = take();
    w.syncView(me);
    return w;
}

World World::reveal(const Observation& obs, const Truth& truth, Rng& rng)
{
    World w;
    w.m_view = obs;
    w.m_rng = Rng(rng.next());
    w.m_hands = truth.hands;
    w.m_hands[std::size_t(obs.seat)] = obs.hand;
    w.m_feet = truth.feet;
    // The world deals from the back of its deck.
    w.m_deckCount = std::clamp(truth.deckCount, 0, cards::DeckSize);
    for (int k = 0; k < w.m_deckCount; ++k) w.m_deck[std::size_t(w.m_deckCount - 1 - k)] = truth.deck[std::size_t(k)];
    w.syncView(obs.seat);
    return w;
}

void World::syncView(int seat)
{
    m_view.seat = seat;
    m_view.hand = handOf(seat);
    for (int s = 1; s <= Seats; ++s) m_view.handCount[std::size_t(s)] = cardsIn(handOf(s));
    m_view.deckCount = m_deckCount;
}

bool World::reshuffle()
{
    if (m_view.pileCount < 3) {
        m_exhausted = true;
        return false;
    }
    m_deckCount = m_view.pileCount;
    for (int p = 1; p <= m_view.pileCount; ++p) m_deck[std::size_t(p - 1)] = m_view.pile[std::size_t(p)];
    shuffle(m_deck, m_deckCount, m_rng);
    m_view.pileCount = 0;
    return true;
}

void World::dealOne(int seat)
{
    Hand& hand = handOf(seat);
    const int slot = lowestEmptyDrawSlot(hand);
    if (slot < 0) return;
    if (m_deckCount == 0 && !reshuffle()) return;
    hand[std::size_t(slot)] = m_deck[std::size_t(--m_deckCount)];
}

void World::takeFoot(int seat)
{
    m_view.onFoot[std::size_t(seat)] = true;
    handOf(seat) = m_feet[std::size_t(seat)];
    m_feet[std::size_t(seat)] = {};
    m_view.known[std::size_t(seat)] = {};
    m_view.discarded[std::size_t(seat)] = {};
    m_view.passed[std::size_t(seat)] = {};
    m_view.lastDiscard[std::size_t(seat)] = 0;
}

void World::draw(int mode)
{
    const int seat = m_view.seat;
    m_turnOver = false;
    Hand& hand = handOf(seat);
    if (mode == 2 && m_view.pickUp) {
        for (int i = 0; i < m_view.pickUpCount; ++i) {
            const int top = m_view.top();
            const int slot = lowestEmptyDrawSlot(hand);
            if (top == 0 || slot < 0) break;
            hand[std::size_t(slot)] = top;
            --m_view.pileCount;
            ++m_view.known[std::size_t(seat)][std::size_t(rankValue(top))];
        }
    } else {
        if (m_view.pickUp && m_view.top() != 0) ++m_view.passed[std::size_t(seat)][std::size_t(rankValue(m_view.top()))];
        dealOne(seat);
        dealOne(seat);
    }
    if (cardsIn(hand) == 0) {
        if (!m_view.onFoot[std::size_t(seat)])
            takeFoot(seat);
        else
            endTurn();
    }
    if (!m_turnOver) syncView(seat);
}

void World::apply(int seat, const Move& m)
{
    Hand& hand = handOf(seat);
    const int team = Observation::teamOf(seat);
    if (m.kind == Move::Discard) {
        const int card = m.a >= 0 && m.a < HandSlots ? hand[std::size_t(m.a)] : 0;
        if (card != 0) {
            hand[std::size_t(m.a)] = 0;
            m_view.pile[std::size_t(++m_view.pileCount)] = card;
            forget(m_view.known[std::size_t(seat)], card);
            ++m_view.discarded[std::size_t(seat)][std::size_t(rankValue(card))];
            m_view.lastDiscard[std::size_t(seat)] = card;
            if (cardsIn(hand) == 0 && !m_view.onFoot[std::size_t(seat)]) takeFoot(seat);
        }
        endTurn();
        return;
    }
    const int x = m.a >= 0 && m.a < HandSlots ? hand[std::size_t(m.a)] : 0;
    const int y = m.kind == Move::CreateBook && m.b >= 0 && m.b < HandSlots ? hand[std::size_t(m.b)] : 0;
    const int z = m.kind == Move::CreateBook && m.c >= 0 && m.c < HandSlots ? hand[std::size_t(m.c)] : 0;
    const int points = rules::apply(m, hand, m_view.books[std::size_t(team)]);
    if (points < 0) return;
    m_view.score[std::size_t(team)] += points;
    for (int card : {x, y, z}) {
        if (card == 0) continue;
        ++m_view.played[std::size_t(rankValue(card))];
        forget(m_view.known[std::size_t(seat)], card);
    }
    if (cardsIn(hand) == 0) {
        if (!m_view.onFoot[std::size_t(seat)])
            takeFoot(seat);
        else
            endTurn();
    }
}

void World::playTurn(const Plan& plan)
{
    const int seat = m_view.seat;
    m_turnOver = false;
    for (const Move& m : plan) {
        if (m_turnOver) break;
        apply(seat, m);
    }
    // The plan ran out before the turn did: the foot came up, so Strong plays it.
    for (int guard = 0; guard < 4 && !m_turnOver; ++guard) {
        syncView(seat);
        const Plan more = strong::play(m_view);
        if (more.size == 0) break;
        for (const Move& m : more) {
            if (m_turnOver) break;
            apply(seat, m);
        }
    }
    if (!m_turnOver) endTurn();
}

void World::endTurn()
{
    m_turnOver = true;
    ++m_turns;
    if (m_over) return;
    const int seat = m_view.seat;
    const auto done = [&](int s) { return m_view.onFoot[std::size_t(s)] && cardsIn(handOf(s)) == 0; };
    bool out = false;
    if (m_exhausted) {
        out = true;
    } else if (done(seat) && (m_view.twoPlayer || done(Observation::partnerOf(seat)))) {
        m_view.score[std::size_t(Observation::teamOf(seat))] += cards::GoingOutBonus;
        out = true;
    }
    if (out) {
        for (int s = 1; s <= Seats; ++s) {
            if (m_view.twoPlayer && s > 2) continue;
            int penalty = 0;
            for (int c : handOf(s)) penalty += cards::cardPenalty(c);
            for (int c : m_feet[std::size_t(s)]) penalty += cards::cardPenalty(c);
            m_view.score[std::size_t(Observation::teamOf(s))] += penalty;
        }
        m_over = true;
        return;
    }
    syncView(m_view.nextSeat(seat));
}

void World::playOn(int turns)
{
    for (int t = 0; t < turns && !m_over; ++t) {
        draw(strong::drawMode(m_view));
        if (!m_turnOver) playTurn(strong::play(m_view));
    }
}

int World::lead(int team) const
{
    std::array<int, 3> score = m_view.score;
    if (!m_over) {
        for (int s = 1; s <= Seats; ++s) {
            if (m_view.twoPlayer && s > 2) continue;
            int penalty = 0;
            for (int c : m_hands[std::size_t(s)]) penalty += cards::cardPenalty(c);
            for (int c : m_feet[std::size_t(s)]) penalty += cards::cardPenalty(c);
            score[std::size_t(Observation::teamOf(s))] += penalty;
        }
    }
    return score[std::size_t(team)] - score[std::size_t(3 - team)];
}

} // namespace quornet::bots
