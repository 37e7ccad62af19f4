#include "rules/books.h"

namespace quornet::rules {

using cards::isThree;
using cards::isWild;

int freeBookSlot(const TeamBooks& tb)
{
    for (int k = 1; k <= UsableBookSlots; ++k)
        if (tb.working[std::size_t(k)].count == 0) return k;
    return 0;
}

std::array<int, Ranks> workingBooksByRank(const TeamBooks& tb)
{
    std::array<int, Ranks> best{}, most{};
    for (int k = 1; k <= BookSlots; ++k) {
        const Book& b = tb.working[std::size_t(k)];
        const auto r = std::size_t(rankOf(b.naming));
        if (b.count > most[r]) {
            best[r] = k;
            most[r] = b.count;
        }
    }
    return best;
}

int workingBookOf(const TeamBooks& tb, int rank)
{
    int best = 0, most = 0;
    for (int k = 1; k <= BookSlots; ++k) {
        const Book& b = tb.working[std::size_t(k)];
        if (b.count > most && rankOf(b.naming) == rank) {
            best = k;
            most = b.count;
        }
    }
    return best;
}

int completedBookOf(const TeamBooks& tb, int rank)
{
    for (int k = 1; k <= tb.completedCount; ++k)
        if (tb.completed[std::size_t(k)].naming != 0 && rankOf(tb.completed[std::size_t(k)].naming) == rank) return k;
    return 0;
}

int workingBooks(const TeamBooks& tb)
{
    int n = 0;
    for (int k = 1; k <= BookSlots; ++k) n += tb.working[std::size_t(k)].count > 0;
    return n;
}

int NewBook::points() const
{
    return cards::cardPoints(cards[0]) + cards::cardPoints(cards[1]) + cards::cardPoints(cards[2]);
}

int Added::points() const
{
    return cards::cardPoints(card) + (completedSlot != 0 ? cards::bookBonus(kind) : 0);
}

NewBook createBook(Hand& hand, TeamBooks& tb, int a, int b, int c)
{
    NewBook r;
    const auto inHand = [](int s) { return s >= 0 && s < HandSlots; };
    if (a == b || b == c || a == c || !inHand(a) || !inHand(b) || !inHand(c)) return r;
    const int x = hand[std::size_t(a)], y = hand[std::size_t(b)], z = hand[std::size_t(c)];
    if (x <= 0 || y <= 0 || z <= 0) return r;
    if (isThree(x) || isThree(y) || isThree(z)) {
        r.verdict = Verdict::NoThree;
        return r;
    }
    if (isWild(x) && isWild(y) && isWild(z)) {
        r.verdict = Verdict::NoTwo;
        return r;
    }
    const int rx = rankOf(x), ry = rankOf(y), rz = rankOf(z);
    const bool oneRank = (rx == ry && ry == rz) || (isWild(x) && ry == rz) || (isWild(y) && rx == rz) ||
                         (isWild(z) && rx == ry);
    if (!oneRank) {
        r.verdict = Verdict::NoBook;
        return r;
    }
    r.slot = freeBookSlot(tb);
    if (r.slot == 0) {
        r.verdict = Verdict::TooMany;
        return r;
    }
    r.verdict = Verdict::Done;
    r.cards = {x, y, z};
    hand[std::size_t(a)] = hand[std::size_t(b)] = hand[std::size_t(c)] = 0;
    Book& book = tb.working[std::size_t(r.slot)];
    book.count = cards::BookStartCards;
    book.kind = int(isWild(x) || isWild(y) || isWild(z) ? cards::BookKind::Wild : cards::BookKind::Normal);
    book.naming = !isWild(x) ? x : !isWild(y) ? y : z;
    return r;
}

Added addToBook(Hand& hand, TeamBooks& tb, int handSlot, int bookSlot)
{
    Added r;
    if (handSlot < 0 || handSlot >= HandSlots || bookSlot < 1 || bookSlot > BookSlots) return r;
    const int x = hand[std::size_t(handSlot)];
    if (x == 0) return r;
    Book& book = tb.working[std::size_t(bookSlot)];
    if (book.count <= 0 || !(rankOf(x) == rankOf(book.naming) || isWild(x))) {
        r.verdict = Verdict::NoMatch;
        return r;
    }
    if (isWild(x)) book.kind = int(cards::BookKind::Wild);
    ++book.count;
    hand[std::size_t(handSlot)] = 0;
    r = {Verdict::Done, x, book.count, book.kind, book.naming, 0};
    // The table holds every book a round can produce, so a completion is never lost.
    if (book.count == cards::BookCompleteCards && tb.completedCount < MaxCompletedBooks) {
        r.completedSlot = ++tb.completedCount;
        tb.completed[std::size_t(r.completedSlot)] = book;
        book.count = 0;
    }
    return r;
}

Added addToCompleted(Hand& hand, TeamBooks& tb, int handSlot, int compSlot)
{
    Added r;
    if (handSlot < 0 || handSlot >= HandSlots) return r;
    const int x = hand[std::size_t(handSlot)];
    if (x == 0) return r;
    // A slot without a completed book takes nothing (a free slot would pass for a king book).
    if (!tb.hasCompleted(compSlot)) {
        r.verdict = Verdict::NoMatch;
        return r;
    }
    Book& book = tb.completed[std::size_t(compSlot)];
    if (!(rankOf(book.naming) == rankOf(x) || (isWild(x) && book.kind == int(cards::BookKind::Wild)))) {
        r.verdict = Verdict::NoMatch;
        return r;
    }
    ++book.count;
    hand[std::size_t(handSlot)] = 0;
    return {Verdict::Done, x, book.count, book.kind, book.naming, 0};
}

int apply(const Move& m, Hand& hand, TeamBooks& tb)
{
    switch (m.kind) {
    case Move::CreateBook: {
        const NewBook r = createBook(hand, tb, m.a, m.b, m.c);
        return r.verdict == Verdict::Done ? r.points() : -1;
    }
    case Move::AddToBook:
    case Move::AddToComp: {
        const Added r = m.kind == Move::AddToBook ? addToBook(hand, tb, m.a, m.b) : addToCompleted(hand, tb, m.a, m.b);
        return r.verdict == Verdict::Done ? r.points() : -1;
    }
    case Move::Discard: break;
    }
    if (m.a < 0 || m.a >= HandSlots || hand[std::size_t(m.a)] == 0) return -1;
    hand[std::size_t(m.a)] = 0;
    return 0;
}

} // namespace quornet::rules
