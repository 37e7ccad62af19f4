#include "bots/strong.h"

#include "bots/classic.h"
#include "rules/books.h"

#include <algorithm>

namespace quornet::bots::strong {

using cards::rankValue;

namespace {

int opponentCards(const Observation& obs, bool* bothOnFoot)
{
    const int o1 = obs.nextSeat(obs.seat);
    int cardsHeld = obs.handCount[std::size_t(o1)];
    bool foot = obs.onFoot[std::size_t(o1)];
    if (!obs.twoPlayer) {
        const int o2 = Observation::partnerOf(o1);
        cardsHeld += obs.handCount[std::size_t(o2)];
        foot = foot && obs.onFoot[std::size_t(o2)];
    }
    *bothOnFoot = foot;
    return cardsHeld;
}

bool partnerOnFoot(const Observation& obs)
{
    return obs.twoPlayer || obs.onFoot[std::size_t(obs.partner())];
}

// Slots of the hand's cards of one rank, ascending.
int slotsOf(const Hand& hand, int rank, int* out, int max)
{
    int n = 0;
    for (int s = 0; s < HandSlots && n < max; ++s)
        if (hand[std::size_t(s)] != 0 && rankValue(hand[std::size_t(s)]) == rank) out[n++] = s;
    return n;
}

int firstWild(const Hand& hand)
{
    for (int s = 0; s < HandSlots; ++s)
        if (isWildCard(hand[std::size_t(s)])) return s;
    return -1;
}

class Planner {
public:
    // `keepTwo`: no meld leaves the hand with fewer than two cards, so that one stays after the
    // discard (the seat does not go out).
    Planner(const Observation& obs, const Style& style, Hand& hand, TeamBooks& own, bool keepTwo = false)
        : m_obs(obs), m_style(style), m_hand(hand), m_own(own), m_keepTwo(keepTwo)
    {
        // The wilds wait for the round's end, also on the way out: a wild laid early is a
        // closer lost, and a team that melds more goes out first anyway.
        m_danger = roundEndNear(obs);
        m_reserve = style.wildReserve >= 0 ? style.wildReserve : (m_danger ? 0 : -1);
        m_dump = style.dumpWilds || m_danger;
        refresh();
    }

    Plan run()
    {
        for (int guard = 0; guard < 64 && m_cards > 0; ++guard) {
            if (addNaturals()) continue;
            if (createNatural()) continue;
            if (createWithWild()) continue;
            if (completeWithWilds()) continue;
            if (addToCompleted()) continue;
            if (dumpWilds()) continue;
            break;
        }
        return m_plan;
    }

    // The points the plan's melds earn.
    int points() const { return m_points; }

private:
    bool play(Move m)
    {
        if (m_keepTwo) {
            Hand hand = m_hand;
            TeamBooks own = m_own;
            if (rules::apply(m, hand, own) < 0 || cardsIn(hand) < 2) return false;
        }
        // What the move takes from the hand, and the rank of the working book it changes (a
        // book that completes leaves its working slot).
        const auto cardAt = [&](int slot) { return slot >= 0 && slot < HandSlots ? m_hand[std::size_t(slot)] : 0; };
        const int cards[3] = {cardAt(m.a), m.kind == Move::CreateBook ? cardAt(m.b) : 0, m.kind == Move::CreateBook ? cardAt(m.c) : 0};
        int bookRank = -1;
        if (m.kind == Move::AddToBook && m.b >= 1 && m.b <= rules::BookSlots)
            bookRank = rankOf(m_own.working[std::size_t(m.b)].naming);
        const int points = rules::apply(m, m_hand, m_own);
        if (points < 0) return false;
        for (int c : cards) {
            if (c == 0) continue;
            --m_counts[std::size_t(rankOf(c))];
            --m_cards;
            if (m.kind == Move::CreateBook && !isWildCard(c)) bookRank = rankOf(c);
        }
        // After a meld only the counts of its cards and the working book of its rank change: the
        // scans run after every meld, so they are kept up to date rather than made again.
        if (bookRank >= 0) m_bookOf[std::size_t(bookRank)] = rules::workingBookOf(m_own, bookRank);
        m_points += points;
        m_plan.add(m);
        return true;
    }

    // Naturals onto the team's working book of their rank, the fullest first.
    bool addNaturals()
    {
        // Most scans find nothing: the counts say so without the walk through the slots.
        bool some = false;
        for (int r = 0; r < Ranks; ++r) some |= m_counts[std::size_t(r)] != 0 && m_bookOf[std::size_t(r)] != 0 && r != WildRank && r != ThreeRank;
        if (!some) return false;
        bool any = false;
        for (int s = 0; s < HandSlots; ++s) {
            const int c = m_hand[std::size_t(s)];
            if (!isNaturalCard(c)) continue;
            const int k = bookOf(rankValue(c));
            if (k != 0) any |= play({Move::AddToBook, s, k, 0});
        }
        return any;
    }

    // Three or more naturals of a rank without a working book start one.
    bool createNatural()
    {
        if (rules::freeBookSlot(m_own) == 0) return false;
        const RankCounts& n = m_counts;
        for (int r = 0; r < Ranks; ++r) {
            if (r == WildRank || r == ThreeRank || n[std::size_t(r)] < 3) continue;
            if (bookOf(r) != 0) continue;
            int s[3];
            slotsOf(m_hand, r, s, 3);
            if (play({Move::CreateBook, s[0], s[1], s[2]})) return true;
        }
        return false;
    }

    // Wilds complete a book only when the round may end (or the style lays them all): until
    // then a wild starts a book with a natural pair, which is worth more than the bonus it
    // hastens, and a book of six waits for its natural seventh.
    bool completeWithWilds()
    {
        const int wilds = m_counts[WildRank];
        if (wilds == 0 || !(m_danger || m_style.dumpWilds)) return false;
        int best = 0, need = 99;
        for (int k = 1; k <= BookSlots; ++k) {
            const Book& b = m_own.working[std::size_t(k)];
            if (b.count <= 0) continue;
            const int short_ = cards::BookCompleteCards - b.count;
            if (short_ <= wilds && short_ < need) {
                best = k;
                need = short_;
            }
        }
        if (best == 0) return false;
        int laid = 0;
        for (; laid < need; ++laid) {
            const int w = firstWild(m_hand);
            if (w < 0 || !play({Move::AddToBook, w, best, 0})) break;
        }
        return laid > 0;
    }

    // A natural pair and a wild start a book while the wilds are enough for the pairs: the
    // rest wait for a natural third (a normal book is worth 200 more). With fewer than three
    // wilds in hand they wait unless the hand holds two singles at most: wilds spent early are
    // missing when the round's end calls for closers (a hand of few singles is near its foot
    // anyway). Against Classic this took 67.8 % of the games, keeping one wild back 65.6 %.
    bool createWithWild()
    {
        if (rules::freeBookSlot(m_own) == 0) return false;
        const RankCounts& n = m_counts;
        const HandProfile p = handProfile(n);
        const int wilds = n[WildRank];
        if (wilds == 0 || wilds <= m_reserve) return false;
        const bool spend = m_reserve >= 0 ? true : (p.wilds >= p.pairs && (p.wilds >= 3 || p.singles <= 2));
        if (!spend) return false;
        // The pair of the highest value first: it costs most when it stays in hand.
        int bestRank = -1;
        for (int r = 0; r < Ranks; ++r) {
            if (r == WildRank || r == ThreeRank || n[std::size_t(r)] != 2) continue;
            if (bookOf(r) != 0) continue;
            if (bestRank < 0 || cards::cardPoints(codeOfRank(r)) > cards::cardPoints(codeOfRank(bestRank))) bestRank = r;
        }
        if (bestRank < 0) return false;
        int s[2];
        slotsOf(m_hand, bestRank, s, 2);
        return play({Move::CreateBook, firstWild(m_hand), s[0], s[1]});
    }

    // Naturals of a rank with a completed book but no working one: singles always, pairs only
    // on the way out (a pair may yet start a new book).
    bool addToCompleted()
    {
        if (m_own.completedCount == 0) return false;
        const RankCounts n = m_counts; // as the scan began
        bool any = false;
        for (int s = 0; s < HandSlots; ++s) {
            const int c = m_hand[std::size_t(s)];
            if (!isNaturalCard(c)) continue;
            const int r = rankValue(c);
            if (bookOf(r) != 0) continue;
            const int k = rules::completedBookOf(m_own, r);
            if (k == 0) continue;
            if (n[std::size_t(r)] >= 3 && rules::freeBookSlot(m_own) != 0) continue; // a new book instead
            any |= play({Move::AddToComp, s, k, 0});
        }
        return any;
    }

    // No wild stays in hand at the round's end while a book can take it; the same when the
    // hand holds nothing else worth keeping them for.
    bool dumpWilds()
    {
        const int w = firstWild(m_hand);
        if (w < 0) return false;
        const int others = m_cards - m_counts[WildRank];
        if (!m_dump && others > 1) return false;
        // A wild book first, the fullest; then a completed wild book; then the fullest book.
        int target = 0;
        for (int k = 1; k <= BookSlots; ++k) {
            const Book& b = m_own.working[std::size_t(k)];
            if (b.count > 0 && b.kind == int(cards::BookKind::Wild) &&
                (target == 0 || b.count > m_own.working[std::size_t(target)].count))
                target = k;
        }
        if (target != 0) return play({Move::AddToBook, w, target, 0});
        for (int k = 1; k <= m_own.completedCount; ++k)
            if (m_own.completed[std::size_t(k)].kind == int(cards::BookKind::Wild))
                return play({Move::AddToComp, w, k, 0});
        for (int k = 1; k <= BookSlots; ++k) {
            const Book& b = m_own.working[std::size_t(k)];
            if (b.count > 0 && (target == 0 || b.count > m_own.working[std::size_t(target)].count)) target = k;
        }
        return target != 0 && play({Move::AddToBook, w, target, 0});
    }

    // What the scans read of the hand and the books.
    void refresh()
    {
        m_bookOf = rules::workingBooksByRank(m_own);
        m_counts = rankCounts(m_hand);
        m_cards = cardsIn(m_hand);
    }
    // The team's working book of a rank (rules::workingBookOf).
    int bookOf(int rank) const { return m_bookOf[std::size_t(rank)]; }

    const Observation& m_obs;
    const Style& m_style;
    Hand& m_hand;
    TeamBooks& m_own;
    std::array<int, Ranks> m_bookOf{};
    RankCounts m_counts{}; // the hand's cards of each rank
    int m_cards = 0;       // and in all
    Plan m_plan;
    bool m_keepTwo = false;
    int m_points = 0;
    bool m_danger = false;
    bool m_dump = false;
    int m_reserve = 1;
};

constexpr int PickUpThreshold = 50;

// What a card on the pile is worth to the seat that takes it, given what it holds.
int pickUpValue(int c, RankCounts& n, const TeamBooks& own, const std::array<int, Ranks>& bookOf)
{
    if (isThreeCard(c)) return -70;
    if (isWildCard(c)) {
        ++n[WildRank];
        return 45;
    }
    const int r = rankValue(c);
    int v = -12;
    const int k = bookOf[std::size_t(r)];
    if (k != 0 && own.working[std::size_t(k)].count == cards::BookCompleteCards - 1)
        v = n[WildRank] == 0 ? 150 : 40; // with a wild in hand the book completes anyway
    else if (k != 0)
        v = 35;
    else if (n[std::size_t(r)] >= 2)
        v = 55;
    else if (rules::completedBookOf(own, r) != 0)
        v = 12;
    else if (n[std::size_t(r)] == 1 && n[WildRank] >= 2)
        v = 60; // the pair it makes starts a book with a wild, and a wild stays back
    else if (n[std::size_t(r)] == 1 && n[WildRank] > 0)
        v = 20;
    ++n[std::size_t(r)];
    return v;
}

// The cards left in `hand` after Strong's melds.
int leftAfterMelds(const Observation& obs, Hand hand)
{
    TeamBooks own = obs.ownBooks();
    melds(obs, {}, hand, own);
    return cardsIn(hand);
}

// Whether the pile's `take` cards let this turn's melds leave one card at most, every one of them
// melded: the discard then empties the hand, and the foot comes up (or, on the foot, the seat is
// done) a turn or more before two cards from the deck would allow. Such a pick-up is the tempo
// that wins the race to go out, whatever the cards are worth.
// `n` counts the hand's cards and the pile's `take` top ones but their threes (as pickUpValue
// leaves it).
bool pileEmptiesHand(const Observation& obs, int take, const RankCounts& n, const std::array<int, Ranks>& bookOf)
{
    if (rules::handEmpty(obs.hand)) return false; // a seat that is done draws two
    // A cheap bound first: every three stays, and so does every natural single without a book of
    // its rank, and every such pair beyond the wilds that could start books with them.
    int stuck = n[ThreeRank], pairs = 0;
    for (int i = 0; i < take; ++i) stuck += isThreeCard(obs.pile[std::size_t(obs.pileCount - i)]);
    const TeamBooks& own = obs.ownBooks();
    for (int r = 0; r < Ranks && stuck <= 1; ++r) {
        const int k = n[std::size_t(r)];
        if (r == ThreeRank || r == WildRank || k == 0 || k > 2 || bookOf[std::size_t(r)] != 0 ||
            rules::completedBookOf(own, r) != 0)
            continue;
        if (k == 1) ++stuck;
        else if (++pairs > n[WildRank]) stuck += 2;
    }
    if (stuck > 1) return false;
    Hand with = obs.hand; // the pick-up's cards go where the host puts them
    for (int i = 0; i < take; ++i) {
        const int slot = rules::lowestEmptyDrawSlot(with);
        if (slot < 0) break;
        with[std::size_t(slot)] = obs.pile[std::size_t(obs.pileCount - i)];
    }
    const int left = leftAfterMelds(obs, with);
    return left <= 1 && left <= leftAfterMelds(obs, obs.hand);
}

} // namespace

bool roundEndNear(const Observation& obs)
{
    bool oppFoot = false;
    const int oppCards = opponentCards(obs, &oppFoot);
    const int me = obs.seat;
    // Our going out ends it only once the partner is done too: a partner with a few cards
    // left may yet play on for several turns.
    const bool weNear = obs.onFoot[std::size_t(me)] && partnerOnFoot(obs) &&
                        (obs.twoPlayer || obs.handCount[std::size_t(obs.partner())] == 0);
    const bool deckNear = obs.deckCount < 6 && obs.pileCount < 3;
    return (oppFoot && oppCards <= (obs.twoPlayer ? 3 : 5)) || weNear || deckNear;
}

int drawMode(const Observation& obs)
{
    if (!obs.pickUp || obs.pileCount == 0) return 1;
    RankCounts n = rankCounts(obs.hand);
    const auto bookOf = rules::workingBooksByRank(obs.ownBooks());
    int value = 0;
    const int take = std::min(obs.pickUpCount, obs.pileCount);
    for (int i = 0; i < take; ++i) value += pickUpValue(obs.pile[std::size_t(obs.pileCount - i)], n, obs.ownBooks(), bookOf);
    // Two cards from the deck are worth something too; a pick-up must beat them. A card for a
    // working book (35) or a wild (45) does not: the two from the deck bring more. A card that
    // starts a book, with a pair (55) or with a single and one of two wilds (60), or completes
    // one while no wild in hand can (150) does; so does one that empties the hand.
    return value > PickUpThreshold || pileEmptiesHand(obs, take, n, bookOf) ? 2 : 1;
}

Plan melds(const Observation& obs, const Style& style, Hand& hand, TeamBooks& own)
{
    return Planner(obs, style, hand, own).run();
}


// Discard costs. The card kept is the one most likely to go into a book: each unseen card of
// its rank may yet pair it or join it, so a rank that is mostly on the pile or in books goes
// first, whatever its points (a card kept for a book earns its points there). Only when the
// round may end does the card's penalty count. A card the next opponent's books can take is
// otherwise a small worry (its pick-up takes one card where a draw would bring two), but never
// one that completes a book or makes the pile worth more to it than to us while a safer card
// is in hand.
constexpr int UnseenWeight = 12;      // per unseen card of the rank
constexpr int KeepPair = 200;         // a pair or more waits for its book (plus 20 a card)
constexpr int KeepForOwnBook = 200;   // the team's working book of the rank takes it later
constexpr int FeedCompleted = 5;      // the next opponent's completed book takes it
constexpr int FeedWorking = 5;        // the next opponent's working book takes it
constexpr int FeedKnown = 150;        // per card of the rank the next opponent picked up
// Per step of Gift: any safer card goes first, even a wild.
constexpr int GiftCost = 10000;

namespace {

// What the next seat and its team hold, looked up once for all the discards a hand may make:
// its books, and which card laid on the pile lets it complete one of its working books by taking
// the pile, with the pick-up count's cards below and the cards it was seen to pick up.
struct NextSeat {
    explicit NextSeat(const Observation& obs)
        : seat(obs.nextOpponent()), books(obs.books[std::size_t(Observation::teamOf(seat))]),
          bookOf(rules::workingBooksByRank(books))
    {
        RankCounts got = obs.known[std::size_t(seat)];
        const int below = std::min(obs.pickUpCount - 1, obs.pileCount);
        for (int i = 0; i < below; ++i) ++got[std::size_t(rankOf(obs.pile[std::size_t(obs.pileCount - i)]))];
        for (int k = 1; k <= BookSlots; ++k) {
            const Book& b = books.working[std::size_t(k)];
            if (b.count == 0) continue;
            const int r = rankOf(b.naming);
            const int short_ = cards::BookCompleteCards - b.count - got[std::size_t(r)] - got[WildRank];
            if (short_ <= 0) completes = true;
            else if (short_ == 1) completingRanks |= 1u << r;
        }
    }
    int seat;
    const TeamBooks& books;
    std::array<int, Ranks> bookOf;
    bool completes = false;       // whatever is laid on the pile
    unsigned completingRanks = 0; // one more card of these ranks (or a wild) completes a book

    // Whether taking the pile with `top` laid on it (0: a card its books cannot use) completes a
    // book of the next seat's.
    bool pileCompletesBook(int top) const
    {
        if (completes || top == 0) return completes;
        return isWildCard(top) ? completingRanks != 0 : ((completingRanks >> rankOf(top)) & 1u) != 0;
    }
};

// What the pick-up the next seat would make after this discard is worth to a holder of `n` with
// books `tb`: the card itself and the pick-up count's cards below it.
int pileValue(const Observation& obs, int top, RankCounts n, const TeamBooks& tb, const std::array<int, Ranks>& bookOf)
{
    int v = pickUpValue(top, n, tb, bookOf);
    const int below = std::min(obs.pickUpCount - 1, obs.pileCount);
    for (int i = 0; i < below; ++i) v += pickUpValue(obs.pile[std::size_t(obs.pileCount - i)], n, tb, bookOf);
    return v;
}

// giftOf() with what does not depend on the card looked up once: the next seat, our books by
// rank and the hand's rank counts.
Gift giftOf(const Observation& obs, const NextSeat& next, const Hand& hand, RankCounts ours,
            const TeamBooks& own, const std::array<int, Ranks>& ownBookOf, int slot)
{
    const int card = hand[std::size_t(slot)];
    if (!obs.pickUp || card == 0 || isThreeCard(card)) return Gift::None; // a three blocks the pile
    if (!next.completes && next.pileCompletesBook(card)) return Gift::Book;
    const int toThem = pileValue(obs, card, obs.known[std::size_t(next.seat)], next.books, next.bookOf);
    --ours[std::size_t(rankOf(card))];
    return toThem > PickUpThreshold && toThem > pileValue(obs, card, ours, own, ownBookOf) ? Gift::Pile : Gift::None;
}

} // namespace

Gift giftOf(const Observation& obs, const Hand& hand, const TeamBooks& own, int slot)
{
    const NextSeat next(obs);
    return giftOf(obs, next, hand, rankCounts(hand), own, rules::workingBooksByRank(own), slot);
}

int discardOrder(const Observation& obs, const Hand& hand, const TeamBooks& own, int* slots, int max)
{
    const RankCounts n = rankCounts(hand);
    const RankCounts unseen = obs.unseen();
    const NextSeat next(obs);
    const auto ownBookOf = rules::workingBooksByRank(own);
    const RankCounts& nextKnown = obs.known[std::size_t(next.seat)];
    struct Candidate {
        int cost;
        int slot;
    };
    std::array<Candidate, HandSlots> cand{};
    const bool endNear = roundEndNear(obs);
    int count = 0;
    unsigned seenRanks = 0;
    for (int s = 0; s < HandSlots; ++s) {
        const int c = hand[std::size_t(s)];
        if (c == 0) continue;
        const int r = rankValue(c);
        if ((seenRanks >> r) & 1u) continue; // one card of each rank is enough
        seenRanks |= 1u << r;
        int cost = 0;
        if (r == ThreeRank) {
            cost = -1000;
        } else if (r == WildRank) {
            cost = 1000;
        } else {
            cost = (endNear ? cards::cardPenalty(c) : 0) + UnseenWeight * unseen[std::size_t(r)];
            if (next.bookOf[std::size_t(r)] != 0) cost += FeedWorking;
            else if (rules::completedBookOf(next.books, r) != 0) cost += FeedCompleted;
            cost += FeedKnown * std::min(nextKnown[std::size_t(r)], 2);
            if (n[std::size_t(r)] >= 2) cost += KeepPair + 20 * n[std::size_t(r)];
            if (ownBookOf[std::size_t(r)] != 0) cost += KeepForOwnBook;
        }
        cost += GiftCost * int(giftOf(obs, next, hand, n, own, ownBookOf, s));
        cand[std::size_t(count++)] = {cost, s};
    }
    std::stable_sort(cand.begin(), cand.begin() + count, [](const Candidate& a, const Candidate& b) { return a.cost < b.cost; });
    const int written = std::min(count, max);
    for (int i = 0; i < written; ++i) slots[i] = cand[std::size_t(i)].slot;
    return written;
}

namespace {

// Penalty guessed for each card the other team still holds in its hands and feet.
constexpr int HiddenCardPenalty = 20;

// Whether this seat, on its foot with its partner done, would end the game lost by going out now
// with `points` more from its melds: the other team ahead after the going-out bonus and the
// penalties its cards are guessed to cost. (The round's end is the game's end in a one-round game,
// or when either team reaches the target.)
bool goingOutLoses(const Observation& obs, int points)
{
    const bool partnerDone = obs.twoPlayer || (obs.onFoot[std::size_t(obs.partner())] && obs.handCount[std::size_t(obs.partner())] == 0);
    if (!obs.onFoot[std::size_t(obs.seat)] || !partnerDone) return false;
    const int team = obs.team();
    const int ours = obs.score[std::size_t(team)] + points + cards::GoingOutBonus;
    int theirs = obs.score[std::size_t(3 - team)];
    for (int s = 1; s <= Seats; ++s)
        if (Observation::teamOf(s) != team && !(obs.twoPlayer && s > 2))
            theirs -= HiddenCardPenalty * (obs.handCount[std::size_t(s)] + obs.footCount(s));
    const bool gameEnds = !obs.toTarget || ours >= obs.target || theirs >= obs.target;
    return gameEnds && ours < theirs;
}

} // namespace

Plan play(const Observation& obs, const Style& style)
{
    Hand hand = obs.hand;
    TeamBooks own = obs.ownBooks();
    Planner planner(obs, style, hand, own);
    Plan plan = planner.run();
    // Going out would lose the game: a card stays in hand and the round goes on.
    if (cardsIn(hand) <= 1 && goingOutLoses(obs, planner.points())) {
        hand = obs.hand;
        own = obs.ownBooks();
        plan = Planner(obs, style, hand, own, true).run();
    }
    if (cardsIn(hand) == 0) return plan;
    int slot = style.discardSlot;
    if (slot < 0 || hand[std::size_t(slot)] == 0) discardOrder(obs, hand, own, &slot, 1);
    plan.add({Move::Discard, slot, 0, 0});
    return plan;
}

} // namespace quornet::bots::strong
