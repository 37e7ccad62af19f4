#include "host/computerplayer.h"

#include "host/engine.h"

namespace quornet::host {

using cards::isThree;
using cards::isWild;
using cards::rankValue;

namespace {
bool natural(int c) { return c != 0 && !isWild(c) && !isThree(c); }
bool wild(int c) { return c != 0 && isWild(c); }
} // namespace

HandProfile handProfile(const Hand& hand)
{
    HandProfile p;
    for (int i = 0; i < HandSlots; ++i) {
        const int c = hand[std::size_t(i)];
        if (c == 0) continue;
        if (isWild(c)) {
            ++p.wilds;
            continue;
        }
        bool partner = false;
        if (!isThree(c)) {
            for (int j = 0; j < HandSlots && !partner; ++j) {
                const int d = hand[std::size_t(j)];
                partner = j != i && d != 0 && rankValue(d) == rankValue(c);
            }
        }
        if (!partner) ++p.singles;
        for (int j = i + 1; j < HandSlots; ++j) {
            const int d = hand[std::size_t(j)];
            if (natural(c) && natural(d) && rankValue(c) == rankValue(d)) ++p.pairs;
        }
    }
    return p;
}

bool nearlyAllWild(const Hand& hand)
{
    int others = 0;
    for (int c : hand) {
        if (c != 0 && !isWild(c) && ++others > 1) return false;
    }
    return true;
}

const Table& ComputerPlayer::table() const { return m_engine.table(); }

const TeamBooks& ComputerPlayer::teamBooks(int seat) const { return table().books(table().seat(seat).team); }

bool ComputerPlayer::teamHasWorkingBook(int seat, int rank) const
{
    const TeamBooks& tb = teamBooks(seat);
    for (int k = 1; k <= BookSlots; ++k) {
        const Book& b = tb.working[std::size_t(k)];
        if (b.count > 0 && rankValue(b.naming) == rank) return true;
    }
    return false;
}

void ComputerPlayer::draw(int seat)
{
    const Hand& hand = table().seat(seat).hand;
    const HandProfile p = handProfile(hand);
    const int top = table().topOfPile();
    bool pick = false;
    if (top != 0 && !isThree(top)) {
        const int rank = rankValue(top);
        // Entry 0 is never examined by these scans.
        for (int i = 1; i < HandSlots && !pick; ++i) {
            const int c = hand[std::size_t(i)];
            if (c == 0 || rankValue(c) != rank) continue;
            bool usable = p.singles > 3 && p.wilds >= p.pairs;
            for (int j = 1; j < HandSlots && !usable; ++j) {
                const int d = hand[std::size_t(j)];
                usable = j != i && d != 0 && rankValue(d) == rankValue(c);
            }
            if (m_engine.random().below(10) > 5 && usable) pick = true;
        }
        const TeamBooks& tb = teamBooks(seat);
        for (int k = 1; k <= BookSlots && !pick; ++k) {
            const Book& b = tb.working[std::size_t(k)];
            if (b.count > 0 && rankValue(b.naming) == rank &&
                (b.count > 4 || (p.singles == 1 && p.pairs <= p.wilds)))
                pick = true;
        }
        for (int k = 1; k <= tb.completedCount && !pick; ++k) {
            const Book& b = tb.completed[std::size_t(k)];
            if (b.naming != 0 && rankValue(b.naming) == rank && p.singles == 1 && p.pairs <= p.wilds)
                pick = true;
        }
    }
    m_engine.requestDraw(seat, pick ? 2 : 1);
}

void ComputerPlayer::play(int seat)
{
    if (seat != table().turnSeat) return;
    addToBooks(seat);
    addToCompleted(seat);
    createBooks(seat);
    createBooksWithWilds(seat);
    addToBooks(seat);
    discard(seat);
}

void ComputerPlayer::addToBooks(int seat)
{
    Hand snap = table().seat(seat).hand;
    const TeamBooks& tb = teamBooks(seat);
    for (int k = 0; k < HandSlots; ++k) {
        const int c = snap[std::size_t(k)];
        if (c == 0) continue;
        int slot = 0;
        if (isWild(c) && nearlyAllWild(table().seat(seat).hand)) {
            // Wilds go preferably onto a wild book, so that normal books stay normal.
            for (int b = 1; b <= BookSlots && slot == 0; ++b)
                if (tb.working[std::size_t(b)].count > 0 && tb.working[std::size_t(b)].kind == int(cards::BookKind::Wild)) slot = b;
            for (int b = 1; b <= BookSlots && slot == 0; ++b)
                if (tb.working[std::size_t(b)].count > 0) slot = b;
        } else if (natural(c)) {
            for (int b = 1; b <= BookSlots && slot == 0; ++b) {
                const Book& book = tb.working[std::size_t(b)];
                if (book.count > 0 && rankValue(book.naming) == rankValue(c)) slot = b;
            }
        }
        if (slot != 0) {
            m_engine.requestAddToBook(seat, k, slot);
            snap[std::size_t(k)] = 0;
        }
    }
}

void ComputerPlayer::addToCompleted(int seat)
{
    Hand snap = table().seat(seat).hand;
    const TeamBooks& tb = teamBooks(seat);
    for (int k = 0; k < HandSlots; ++k) {
        const int c = snap[std::size_t(k)];
        if (c == 0) continue;
        int slot = 0;
        if (isWild(c) && nearlyAllWild(table().seat(seat).hand)) {
            // A wild is never offered to a completed normal book.
            for (int b = 1; b <= tb.completedCount && slot == 0; ++b)
                if (tb.completed[std::size_t(b)].kind == int(cards::BookKind::Wild)) slot = b;
        } else if (natural(c)) {
            for (int b = 1; b <= tb.completedCount && slot == 0; ++b) {
                const Book& book = tb.completed[std::size_t(b)];
                if (book.naming != 0 && rankValue(book.naming) == rankValue(c)) slot = b;
            }
        }
        if (slot != 0) {
            m_engine.requestAddToComp(seat, k, slot);
            snap[std::size_t(k)] = 0;
        }
    }
}

void ComputerPlayer::createBooks(int seat)
{
    Hand snap = table().seat(seat).hand;
    bool created = false;
    for (int i = 0; i < HandSlots; ++i) {
        const int c = snap[std::size_t(i)];
        if (!natural(c)) continue;
        const int rank = rankValue(c);
        if (teamHasWorkingBook(seat, rank)) continue;
        int first = -1, second = -1;
        for (int j = 0; j < HandSlots; ++j) {
            const int d = snap[std::size_t(j)];
            if (j == i || d == 0 || rankValue(d) != rank) continue;
            (first < 0 ? first : second) = j; // every later match overwrites the second
        }
        if (first >= 0 && second >= 0) {
            m_engine.requestCreateBook(seat, i, first, second);
            snap[std::size_t(i)] = snap[std::size_t(first)] = snap[std::size_t(second)] = 0;
            created = true;
        }
    }
    if (created) addToBooks(seat);
}

template <typename Condition, typename After>
void ComputerPlayer::createWithWildsPhase(int seat, Hand& snap, Condition condition, After after)
{
    for (int k = 0; k < HandSlots; ++k) {
        if (!wild(snap[std::size_t(k)])) continue;
        for (int i = 0; i < HandSlots && snap[std::size_t(k)] != 0; ++i) {
            const int c = snap[std::size_t(i)];
            if (!natural(c)) continue;
            const int rank = rankValue(c);
            if (teamHasWorkingBook(seat, rank)) continue;
            for (int j = 0; j < HandSlots && snap[std::size_t(k)] != 0; ++j) {
                const int d = snap[std::size_t(j)];
                if (j == i || d == 0 || rankValue(d) != rank || !condition()) continue;
                m_engine.requestCreateBook(seat, k, i, j);
                snap[std::size_t(k)] = snap[std::size_t(i)] = snap[std::size_t(j)] = 0;
                after();
            }
        }
    }
}

void ComputerPlayer::createBooksWithWilds(int seat)
{
    Hand snap = table().seat(seat).hand;
    const HandProfile p = handProfile(snap);
    int w = p.wilds;
    int pairs = p.pairs;
    const int singles = p.singles; // not updated by the phases
    const auto spendWildAndPair = [&] { --w; --pairs; };

    // Phase 1: one single and wilds to spare; keep at least one wild back.
    if (w >= pairs && singles == 1 && pairs > 0)
        createWithWildsPhase(seat, snap, [&] { return w > 1; }, spendWildAndPair);
    // Phase 2: by chance, likelier the fewer singles the hand holds; may spend the last wild.
    if (w >= pairs) {
        const int roll = m_engine.random().below(6);
        if (roll > singles && pairs > 0)
            createWithWildsPhase(seat, snap, [] { return true; }, spendWildAndPair);
    }
    // Phase 3: more wilds than pairs; keep at least two wilds back.
    if (w > pairs && pairs > 0)
        createWithWildsPhase(seat, snap, [&] { return w > 2; }, [&] { --w; });
}

void ComputerPlayer::discard(int seat)
{
    const Hand& hand = table().seat(seat).hand;
    int slot = -1;
    for (int i = 0; i < HandSlots && slot < 0; ++i)
        if (hand[std::size_t(i)] != 0 && isThree(hand[std::size_t(i)])) slot = i;
    for (int i = 0; i < HandSlots && slot < 0; ++i) {
        const int c = hand[std::size_t(i)];
        if (!natural(c)) continue;
        bool alone = true;
        for (int j = 0; j < HandSlots && alone; ++j)
            alone = !(j != i && hand[std::size_t(j)] != 0 && rankValue(hand[std::size_t(j)]) == rankValue(c));
        if (alone) slot = i;
    }
    for (int i = 0; i < HandSlots && slot < 0; ++i)
        if (hand[std::size_t(i)] != 0 && !isWild(hand[std::size_t(i)])) slot = i;
    for (int i = 0; i < HandSlots && slot < 0; ++i)
        if (hand[std::size_t(i)] != 0) slot = i;
    // With no card left the request for the empty slot 0 still ends the turn: the engine passes
    // it on for a computer player rather than wait for a discard that cannot come.
    m_engine.requestDiscard(seat, slot >= 0 ? slot : 0);
}

} // namespace quornet::host
