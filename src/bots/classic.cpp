#include "bots/classic.h"

namespace quornet::bots {


namespace {

// The lowest working-book slot of every rank, 0 for none, and the lowest slot of a wild book
// and of any book: what the scans over slots 1..13 find first. Taken afresh after each request.
struct BookIndex {
    std::array<int, Ranks> ofRank{};
    int wild = 0;
    int any = 0;

    explicit BookIndex(const TeamBooks& tb)
    {
        for (int k = BookSlots; k >= 1; --k) {
            const Book& b = tb.working[std::size_t(k)];
            if (b.count <= 0) continue;
            ofRank[std::size_t(rankOf(b.naming))] = k;
            any = k;
            if (b.kind == int(cards::BookKind::Wild)) wild = k;
        }
    }
    bool has(int rank) const { return ofRank[std::size_t(rank)] != 0; }
};

} // namespace

HandProfile handProfile(const Hand& hand)
{
    const RankCounts n = rankCounts(hand);
    HandProfile p;
    p.wilds = n[WildRank];
    p.singles = n[ThreeRank]; // a three never has a partner
    for (int r = 0; r < Ranks; ++r) {
        if (r == WildRank || r == ThreeRank) continue;
        const int k = n[std::size_t(r)];
        if (k == 1) ++p.singles;
        p.pairs += k * (k - 1) / 2;
    }
    return p;
}

bool nearlyAllWild(const Hand& hand)
{
    int others = 0;
    for (int c : hand) {
        if (c != 0 && !cards::isWild(c) && ++others > 1) return false;
    }
    return true;
}

namespace classic {
namespace {

// The scan of the two add steps over a snapshot of the hand: a wild (only while the current
// hand is nearly all wild) or a natural gets the slot its rule finds, and a request for it.
template <typename WildSlot, typename NaturalSlot, typename Request>
void addEach(const Observation& obs, WildSlot wildSlot, NaturalSlot naturalSlot, Request request)
{
    Hand snap = obs.hand;
    for (int k = 0; k < HandSlots; ++k) {
        const int c = snap[std::size_t(k)];
        if (c == 0) continue;
        int slot = 0;
        if (cards::isWild(c)) {
            if (!nearlyAllWild(obs.hand)) continue;
            slot = wildSlot();
        } else if (!cards::isThree(c)) {
            slot = naturalSlot(rankOf(c));
        }
        if (slot != 0) {
            request(k, slot);
            snap[std::size_t(k)] = 0;
        }
    }
}

void addToBooks(const Observation& obs, Requests& out)
{
    const TeamBooks& tb = obs.ownBooks(); // follows every request
    BookIndex books(tb);
    addEach(
        // Wilds go preferably onto a wild book, so that normal books stay normal.
        obs, [&] { return books.wild != 0 ? books.wild : books.any; },
        [&](int rank) { return books.ofRank[std::size_t(rank)]; },
        [&](int k, int slot) {
            out.addToBook(k, slot);
            books = BookIndex(tb);
        });
}

void addToCompleted(const Observation& obs, Requests& out)
{
    const TeamBooks& tb = obs.ownBooks();
    if (tb.completedCount == 0) return; // no slot to scan: nothing to request
    const auto first = [&](auto fits) {
        for (int b = 1; b <= tb.completedCount; ++b)
            if (fits(tb.completed[std::size_t(b)])) return b;
        return 0;
    };
    addEach(
        // A wild is never offered to a completed normal book.
        obs, [&] { return first([](const Book& book) { return book.kind == int(cards::BookKind::Wild); }); },
        [&](int rank) { return first([rank](const Book& book) { return book.naming != 0 && rankOf(book.naming) == rank; }); },
        [&](int k, int slot) { out.addToComp(k, slot); });
}

void createBooks(const Observation& obs, Requests& out)
{
    Hand snap = obs.hand;
    RankCounts n = rankCounts(snap);
    bool created = false;
    BookIndex books(obs.ownBooks());
    for (int i = 0; i < HandSlots; ++i) {
        const int c = snap[std::size_t(i)];
        if (!isNaturalCard(c)) continue;
        const int rank = rankOf(c);
        // A book needs two more cards of the rank in the snapshot.
        if (books.has(rank) || n[std::size_t(rank)] < 3) continue;
        int first = -1, second = -1;
        for (int j = 0; j < HandSlots; ++j) {
            const int d = snap[std::size_t(j)];
            if (j == i || d == 0 || rankOf(d) != rank) continue;
            (first < 0 ? first : second) = j; // every later match overwrites the second
        }
        out.createBook(i, first, second);
        books = BookIndex(obs.ownBooks());
        snap[std::size_t(i)] = snap[std::size_t(first)] = snap[std::size_t(second)] = 0;
        n[std::size_t(rank)] -= 3;
        created = true;
    }
    if (created) addToBooks(obs, out);
}

// One phase of the creation of books with wilds: each wild of the snapshot, while it is still
// there, makes a book with the first natural pair of a rank without a working book, when the
// phase's condition holds at that moment.
template <typename Condition, typename After>
void createWithWildsPhase(const Observation& obs, Requests& out, Hand& snap, Condition condition, After after)
{
    BookIndex books(obs.ownBooks());
    RankCounts n = rankCounts(snap);
    for (int k = 0; k < HandSlots; ++k) {
        if (!isWildCard(snap[std::size_t(k)])) continue;
        for (int i = 0; i < HandSlots; ++i) {
            const int c = snap[std::size_t(i)];
            if (!isNaturalCard(c)) continue;
            const int rank = rankOf(c);
            // The first other card of the rank in the snapshot completes the pair.
            if (books.has(rank) || n[std::size_t(rank)] < 2 || !condition()) continue;
            int j = 0;
            while (j == i || snap[std::size_t(j)] == 0 || rankOf(snap[std::size_t(j)]) != rank) ++j;
            out.createBook(k, i, j);
            books = BookIndex(obs.ownBooks());
            snap[std::size_t(k)] = snap[std::size_t(i)] = snap[std::size_t(j)] = 0;
            n[std::size_t(rank)] -= 2;
            after();
            break; // the wild is spent
        }
    }
}

void createBooksWithWilds(const Observation& obs, Requests& out, Chance& chance)
{
    Hand snap = obs.hand;
    const HandProfile p = handProfile(snap);
    int w = p.wilds;
    int pairs = p.pairs;
    const int singles = p.singles; // not updated by the phases
    const auto spendWildAndPair = [&] { --w; --pairs; };

    // Phase 1: one single and wilds to spare; keep at least one wild back.
    if (w >= pairs && singles == 1 && pairs > 0)
        createWithWildsPhase(obs, out, snap, [&] { return w > 1; }, spendWildAndPair);
    // Phase 2: by chance, likelier the fewer singles the hand holds; may spend the last wild.
    if (w >= pairs) {
        const int roll = chance.below(6);
        if (roll > singles && pairs > 0)
            createWithWildsPhase(obs, out, snap, [] { return true; }, spendWildAndPair);
    }
    // Phase 3: more wilds than pairs; keep at least two wilds back.
    if (w > pairs && pairs > 0)
        createWithWildsPhase(obs, out, snap, [&] { return w > 2; }, [&] { --w; });
}

void discard(const Observation& obs, Requests& out)
{
    const Hand& hand = obs.hand;
    const RankCounts n = rankCounts(hand);
    int three = -1, single = -1, natural = -1, any = -1;
    for (int i = 0; i < HandSlots; ++i) {
        const int c = hand[std::size_t(i)];
        if (c == 0) continue;
        if (any < 0) any = i;
        if (cards::isWild(c)) continue;
        if (natural < 0) natural = i;
        if (cards::isThree(c)) {
            three = i;
            break; // a three decides at once
        }
        if (single < 0 && n[std::size_t(rankOf(c))] == 1) single = i;
    }
    const int slot = three >= 0 ? three : single >= 0 ? single : natural >= 0 ? natural : any;
    // With no card left the request for the empty slot 0 still ends the turn: the engine passes
    // it on for a computer player rather than wait for a discard that cannot come.
    out.discard(slot >= 0 ? slot : 0);
}

} // namespace

int drawMode(const Observation& obs, Chance& chance)
{
    const Hand& hand = obs.hand;
    const HandProfile p = handProfile(hand);
    const int top = obs.top();
    if (top == 0 || cards::isThree(top)) return 1;
    const int rank = rankOf(top);
    // Entry 0 is never examined by these scans.
    int matching = 0;
    for (int i = 1; i < HandSlots; ++i) {
        const int c = hand[std::size_t(i)];
        matching += c != 0 && rankOf(c) == rank;
    }
    // A matching card is usable with many singles and wilds to spare, or with another card of
    // its rank among entries 1 on; one chance is drawn for every matching entry examined.
    const bool usable = (p.singles > 3 && p.wilds >= p.pairs) || matching >= 2;
    for (int m = 0; m < matching; ++m)
        if (chance.below(10) > 5 && usable) return 2;
    const bool fewSingles = p.singles == 1 && p.pairs <= p.wilds;
    const TeamBooks& tb = obs.ownBooks();
    for (int k = 1; k <= BookSlots; ++k) {
        const Book& b = tb.working[std::size_t(k)];
        if (b.count > 0 && rankOf(b.naming) == rank && (b.count > 4 || fewSingles)) return 2;
    }
    if (!fewSingles) return 1;
    for (int k = 1; k <= tb.completedCount; ++k) {
        const Book& b = tb.completed[std::size_t(k)];
        if (b.naming != 0 && rankOf(b.naming) == rank) return 2;
    }
    return 1;
}

void play(const Observation& obs, Requests& out, Chance& chance)
{
    addToBooks(obs, out);
    addToCompleted(obs, out);
    createBooks(obs, out);
    createBooksWithWilds(obs, out, chance);
    addToBooks(obs, out);
    discard(obs, out);
}

} // namespace classic
} // namespace quornet::bots
