#include "bots/classic.h"

namespace quornet::bots::classic {

namespace {

// The lowest working-book slot of every rank, 0 for none, and the lowest slot of a wild book
// and of any book: what the scans over slots 1..13 find first.
struct BookIndex {
    std::array<int, Ranks> ofRank{};
    unsigned ranks = 0; // the ranks with a working book, as bits
    int wild = 0;
    int any = 0;

    // Slots 13 down to 1, so that the lowest of each is what stays; written out as straight code
    // (it is built several times a decision).
    explicit BookIndex(const TeamBooks& tb)
    {
        [&]<std::size_t... Down>(std::index_sequence<Down...>) {
            (take(tb, BookSlots - int(Down)), ...);
        }(std::make_index_sequence<BookSlots>{});
    }
    void take(const TeamBooks& tb, int k)
    {
        const Book& b = tb.working[std::size_t(k)];
        if (b.count <= 0) return;
        ofRank[std::size_t(rankOf(b.naming))] = k;
        ranks |= 1u << rankOf(b.naming);
        any = k;
        if (b.kind == int(cards::BookKind::Wild)) wild = k;
    }
    bool has(int rank) const { return ofRank[std::size_t(rank)] != 0; }
};

// The scan of the two add steps over a snapshot of the hand: a wild (only while the current
// hand is nearly all wild) or a natural gets the slot its rule finds, and a request for it.
template <typename WildSlot, typename NaturalSlot, typename Request>
void addEach(const View& v, WildSlot wildSlot, NaturalSlot naturalSlot, Request request)
{
    const Hand snap = v.hand;
    for (int k = 0; k < HandSlots; ++k) {
        const int c = snap[std::size_t(k)];
        if (c == 0) continue;
        int slot = 0;
        if (rules::isWildRank(c)) {
            if (!nearlyAllWild(v.hand)) continue;
            slot = wildSlot();
        } else if (!rules::isThreeRank(c)) {
            slot = naturalSlot(rankOf(c));
        }
        if (slot != 0) request(k, slot);
    }
}

// The bit of every card code's rank, looked up rather than shifted (an empty entry, code 0, sets
// the bit of rank 0 as rankOf() has it).
constexpr std::array<std::uint16_t, 55> RankBitOfCode = [] {
    std::array<std::uint16_t, 55> t{};
    for (int c = 0; c < 55; ++c) t[std::size_t(c)] = std::uint16_t(1u << (c % 13));
    return t;
}();

// Ranks as bits, for a quick look at whether a scan can find anything at all.
unsigned rankBits(const Hand& hand)
{
    unsigned bits = 0;
    rules::forEachEntry(hand, [&](int c) { bits |= RankBitOfCode[std::size_t(c)]; });
    return bits;
}

void addToBooks(const View& v, Requests& out)
{
    BookIndex books(v.own);
    if (books.any == 0) return; // no book to scan for: nothing to request
    const unsigned bookRanks = books.ranks;
    // Nothing to lay: no natural of a book's rank, and no wild (or more than one other card).
    const unsigned held = rankBits(v.hand);
    if ((held & bookRanks & ~(1u << WildRank)) == 0 && (!(held & (1u << WildRank)) || !nearlyAllWild(v.hand)))
        return;
    addEach(
        // Wilds go preferably onto a wild book, so that normal books stay normal.
        v, [&] { return books.wild != 0 ? books.wild : books.any; },
        [&](int rank) { return books.ofRank[std::size_t(rank)]; },
        [&](int k, int slot) {
            const Book before = v.own.working[std::size_t(slot)];
            out.addToBook(k, slot);
            // Only a book that completed or turned wild changes what the scans find.
            const Book& after = v.own.working[std::size_t(slot)];
            if (after.count == 0 || after.kind != before.kind) books = BookIndex(v.own);
        });
}

void addToCompleted(const View& v, Requests& out)
{
    const TeamBooks& tb = v.own;
    if (tb.completedCount == 0) return; // no slot to scan: nothing to request
    const auto first = [&](auto fits) {
        for (int b = 1; b <= tb.completedCount; ++b)
            if (fits(tb.completed[std::size_t(b)])) return b;
        return 0;
    };
    addEach(
        // A wild is never offered to a completed normal book.
        v, [&] { return first([](const Book& book) { return book.kind == int(cards::BookKind::Wild); }); },
        [&](int rank) { return first([rank](const Book& book) { return book.naming != 0 && rankOf(book.naming) == rank; }); },
        [&](int k, int slot) { out.addToComp(k, slot); });
}

void createBooks(const View& v, Requests& out)
{
    Hand snap = v.hand;
    RankCounts n = rankCounts(snap);
    bool created = false;
    BookIndex books(v.own);
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
        books = BookIndex(v.own);
        snap[std::size_t(i)] = snap[std::size_t(first)] = snap[std::size_t(second)] = 0;
        n[std::size_t(rank)] -= 3;
        created = true;
    }
    if (created) addToBooks(v, out);
}

// One phase of the creation of books with wilds: each wild of the snapshot, while it is still
// there, makes a book with the first natural pair of a rank without a working book, when the
// phase's condition holds at that moment.
// The conditions only ever turn false as wilds are spent, and a wild that finds no pair leaves
// none for the wilds after it, so the phase ends at the first of either.
template <typename Condition, typename After>
void createWithWildsPhase(const View& v, Requests& out, Hand& snap, Condition condition, After after)
{
    BookIndex books(v.own);
    RankCounts n = rankCounts(snap);
    for (int k = 0; k < HandSlots; ++k) {
        if (!isWildCard(snap[std::size_t(k)])) continue;
        bool spent = false;
        for (int i = 0; i < HandSlots && !spent; ++i) {
            const int c = snap[std::size_t(i)];
            if (!isNaturalCard(c)) continue;
            const int rank = rankOf(c);
            // The first other card of the rank in the snapshot completes the pair.
            if (books.has(rank) || n[std::size_t(rank)] < 2) continue;
            if (!condition()) return;
            int j = 0;
            while (j == i || snap[std::size_t(j)] == 0 || rankOf(snap[std::size_t(j)]) != rank) ++j;
            out.createBook(k, i, j);
            books = BookIndex(v.own);
            snap[std::size_t(k)] = snap[std::size_t(i)] = snap[std::size_t(j)] = 0;
            n[std::size_t(rank)] -= 2;
            after();
            spent = true;
        }
        if (!spent) return;
    }
}

void createBooksWithWilds(const View& v, Requests& out, Chance& chance)
{
    Hand snap = v.hand;
    const HandProfile p = handProfile(snap);
    int w = p.wilds;
    int pairs = p.pairs;
    const int singles = p.singles; // not updated by the phases
    const auto spendWildAndPair = [&] { --w; --pairs; };

    // Phase 1: one single and wilds to spare; keep at least one wild back.
    if (w >= pairs && singles == 1 && pairs > 0)
        createWithWildsPhase(v, out, snap, [&] { return w > 1; }, spendWildAndPair);
    // Phase 2: by chance, likelier the fewer singles the hand holds; may spend the last wild.
    if (w >= pairs) {
        const int roll = chance.below(6);
        if (roll > singles && pairs > 0)
            createWithWildsPhase(v, out, snap, [] { return true; }, spendWildAndPair);
    }
    // Phase 3: more wilds than pairs; keep at least two wilds back.
    if (w > pairs && pairs > 0)
        createWithWildsPhase(v, out, snap, [&] { return w > 2; }, [&] { --w; });
}

void discard(const View& v, Requests& out)
{
    const Hand& hand = v.hand;
    const RankCounts n = rankCounts(hand);
    int three = -1, single = -1, natural = -1, any = -1;
    for (int i = 0; i < HandSlots; ++i) {
        const int c = hand[std::size_t(i)];
        if (c == 0) continue;
        if (any < 0) any = i;
        if (rules::isWildRank(c)) continue;
        if (natural < 0) natural = i;
        if (rules::isThreeRank(c)) {
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

int drawMode(const View& v, Chance& chance)
{
    const Hand& hand = v.hand;
    const int top = v.top;
    if (top == 0 || rules::isThreeRank(top)) return 1;
    const int rank = rankOf(top);
    // Entry 0 is never examined by these scans.
    int matching = 0;
    for (int i = 1; i < HandSlots; ++i) {
        const int c = hand[std::size_t(i)];
        matching += c != 0 && rankOf(c) == rank;
    }
    // The hand's profile, worked out only when a rule asks for it.
    HandProfile p;
    bool profiled = false;
    const auto profile = [&]() -> const HandProfile& {
        if (!profiled) p = handProfile(hand);
        profiled = true;
        return p;
    };
    // A matching card is usable with many singles and wilds to spare, or with another card of
    // its rank among entries 1 on; one chance is drawn for every matching entry examined.
    if (matching > 0) {
        const bool usable = matching >= 2 || (profile().singles > 3 && p.wilds >= p.pairs);
        for (int m = 0; m < matching; ++m)
            if (chance.below(10) > 5 && usable) return 2;
    }
    const auto fewSingles = [&] { return profile().singles == 1 && p.pairs <= p.wilds; };
    const TeamBooks& tb = v.own;
    for (int k = 1; k <= BookSlots; ++k) {
        const Book& b = tb.working[std::size_t(k)];
        if (b.count > 0 && rankOf(b.naming) == rank && (b.count > 4 || fewSingles())) return 2;
    }
    for (int k = 1; k <= tb.completedCount; ++k) {
        const Book& b = tb.completed[std::size_t(k)];
        if (b.naming != 0 && rankOf(b.naming) == rank) return fewSingles() ? 2 : 1;
    }
    return 1;
}

void play(const View& v, Requests& out, Chance& chance)
{
    addToBooks(v, out);
    addToCompleted(v, out);
    createBooks(v, out);
    createBooksWithWilds(v, out, chance);
    addToBooks(v, out);
    discard(v, out);
}

} // namespace quornet::bots::classic
