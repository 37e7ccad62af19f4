#include "bots/rules.h"

namespace quornet::bots::rules {

using cards::rankValue;

int freeBookSlot(const TeamBooks& tb)
{
    for (int k = 1; k <= UsableBookSlots; ++k)
        if (tb.working[std::size_t(k)].count == 0) return k;
    return 0;
}

int workingBookOf(const TeamBooks& tb, int rank)
{
    int best = 0;
    for (int k = 1; k <= BookSlots; ++k) {
        const Book& b = tb.working[std::size_t(k)];
        if (b.count > 0 && rankValue(b.naming) == rank && (best == 0 || b.count > tb.working[std::size_t(best)].count))
            best = k;
    }
    return best;
}

int completedBookOf(const TeamBooks& tb, int rank)
{
    for (int k = 1; k <= tb.completedCount; ++k)
        if (rankValue(tb.completed[std::size_t(k)].naming) == rank) return k;
    return 0;
}

int workingBooks(const TeamBooks& tb)
{
    int n = 0;
    for (int k = 1; k <= BookSlots; ++k) n += tb.working[std::size_t(k)].count > 0;
    return n;
}

namespace {

int complete(TeamBooks& tb, int k)
{
    Book& b = tb.working[std::size_t(k)];
    if (tb.completedCount >= MaxCompletedBooks) return 0;
    tb.completed[std::size_t(++tb.completedCount)] = b;
    b.count = 0;
    return cards::bookBonus(b.kind);
}

int createBook(Hand& hand, TeamBooks& tb, int a, int b, int c)
{
    if (a == b || b == c || a == c) return -1;
    if (a < 0 || b < 0 || c < 0 || a >= HandSlots || b >= HandSlots || c >= HandSlots) return -1;
    const int x = hand[std::size_t(a)], y = hand[std::size_t(b)], z = hand[std::size_t(c)];
    if (x <= 0 || y <= 0 || z <= 0) return -1;
    if (cards::isThree(x) || cards::isThree(y) || cards::isThree(z)) return -1;
    if (cards::isWild(x) && cards::isWild(y) && cards::isWild(z)) return -1;
    const bool makesBook = (rankValue(x) == rankValue(y) && rankValue(y) == rankValue(z)) ||
                           (cards::isWild(x) && rankValue(y) == rankValue(z)) ||
                           (cards::isWild(y) && rankValue(x) == rankValue(z)) ||
                           (cards::isWild(z) && rankValue(x) == rankValue(y));
    const int slot = freeBookSlot(tb);
    if (!makesBook || slot == 0) return -1;
    hand[std::size_t(a)] = hand[std::size_t(b)] = hand[std::size_t(c)] = 0;
    Book& book = tb.working[std::size_t(slot)];
    book.count = cards::BookStartCards;
    const bool wild = cards::isWild(x) || cards::isWild(y) || cards::isWild(z);
    book.kind = int(wild ? cards::BookKind::Wild : cards::BookKind::Normal);
    book.naming = !cards::isWild(x) ? x : !cards::isWild(y) ? y : z;
    return cards::cardPoints(x) + cards::cardPoints(y) + cards::cardPoints(z);
}

int addToBook(Hand& hand, TeamBooks& tb, int s, int k)
{
    if (s < 0 || s >= HandSlots || k < 1 || k > BookSlots) return -1;
    const int x = hand[std::size_t(s)];
    Book& book = tb.working[std::size_t(k)];
    if (x == 0 || book.count <= 0 || !(rankValue(x) == rankValue(book.naming) || cards::isWild(x))) return -1;
    if (cards::isWild(x)) book.kind = int(cards::BookKind::Wild);
    ++book.count;
    hand[std::size_t(s)] = 0;
    int points = cards::cardPoints(x);
    if (book.count == cards::BookCompleteCards) points += complete(tb, k);
    return points;
}

int addToComp(Hand& hand, TeamBooks& tb, int s, int n)
{
    if (s < 0 || s >= HandSlots || n < 1 || n > tb.completedCount) return -1;
    const int x = hand[std::size_t(s)];
    Book& book = tb.completed[std::size_t(n)];
    if (x == 0 || book.naming == 0) return -1;
    if (!(rankValue(book.naming) == rankValue(x) || (cards::isWild(x) && book.kind == int(cards::BookKind::Wild))))
        return -1;
    ++book.count;
    hand[std::size_t(s)] = 0;
    return cards::cardPoints(x);
}

} // namespace

int apply(const Move& m, Hand& hand, TeamBooks& tb)
{
    switch (m.kind) {
    case Move::CreateBook: return createBook(hand, tb, m.a, m.b, m.c);
    case Move::AddToBook: return addToBook(hand, tb, m.a, m.b);
    case Move::AddToComp: return addToComp(hand, tb, m.a, m.b);
    case Move::Discard: break;
    }
    if (m.a < 0 || m.a >= HandSlots || hand[std::size_t(m.a)] == 0) return -1;
    hand[std::size_t(m.a)] = 0;
    return 0;
}

} // namespace quornet::bots::rules
