// Creating books, adding to working and completed books, completing books and scoring cards.
#include "host/computerplayer.h"
#include "host/engine.h"
#include "protocol/messages.h"

namespace quornet::host {

using namespace protocol;
using cards::isThree;
using cards::isWild;
using cards::rankValue;

void HostEngine::createBook(int seat, int a, int b, int c)
{
    if (seat < 1 || seat > Seats || seat != m_t.turnSeat) return;
    // One card named twice would be played as three cards.
    if (a == b || b == c || a == c) return;
    Record& rec = m_t.seat(seat);
    const int x = rec.hand[std::size_t(a)];
    const int y = rec.hand[std::size_t(b)];
    const int z = rec.hand[std::size_t(c)];
    if (x <= 0 || y <= 0 || z <= 0) return;

    if (isThree(x) || isThree(y) || isThree(z)) return sendToSeat(seat, [] { return msg::noThree(); });
    if (isWild(x) && isWild(y) && isWild(z)) return sendToSeat(seat, [] { return msg::noTwo(); });
    const bool makesBook = (rankValue(x) == rankValue(y) && rankValue(y) == rankValue(z)) ||
                           (isWild(x) && rankValue(y) == rankValue(z)) ||
                           (isWild(y) && rankValue(x) == rankValue(z)) ||
                           (isWild(z) && rankValue(x) == rankValue(y));
    if (!makesBook) return sendToSeat(seat, [] { return msg::noBook(); });

    TeamBooks& tb = m_t.books(rec.team);
    int slot = 0;
    for (int k = 1; k <= UsableBookSlots && slot == 0; ++k)
        if (tb.working[std::size_t(k)].count == 0) slot = k;
    if (slot == 0) return sendToSeat(seat, [] { return msg::tooMany(); });

    for (int s : {a, b, c}) {
        rec.hand[std::size_t(s)] = 0;
        sendToSeat(seat, [&] { return msg::freeCard(s); });
    }
    Book& book = tb.working[std::size_t(slot)];
    book.count = cards::BookStartCards;
    book.kind = (isWild(x) || isWild(y) || isWild(z)) ? int(cards::BookKind::Wild) : int(cards::BookKind::Normal);
    book.naming = !isWild(x) ? x : !isWild(y) ? y : z;
    broadcast([&] { return msg::newBook(seat, rec.team, slot, book.naming, book.kind); });
    addScore(seat, x);
    addScore(seat, y);
    addScore(seat, z);
    checkForFoot(seat, false);
}

void HostEngine::addToBook(int seat, int slot, int bookSlot)
{
    if (seat < 1 || seat > Seats || seat != m_t.turnSeat) return;
    Record& rec = m_t.seat(seat);
    const int x = rec.hand[std::size_t(slot)];
    if (bookSlot == -1 || x == 0) return;
    Book& book = m_t.books(rec.team).working[std::size_t(bookSlot)];
    const bool fits = book.count > 0 && (rankValue(x) == rankValue(book.naming) || isWild(x));
    if (!fits) return sendToSeat(seat, [&] { return msg::noBookMatch(slot); });

    if (isWild(x)) book.kind = int(cards::BookKind::Wild);
    ++book.count;
    broadcast([&] { return msg::addToBookAnnounce(seat, rec.team, slot, bookSlot, book.count, x, book.kind); });
    addScore(seat, x);
    rec.hand[std::size_t(slot)] = 0;
    sendToSeat(seat, [&] { return msg::freeCard(slot); });
    if (book.count == cards::BookCompleteCards) createComplete(seat, bookSlot, book.naming);
    checkForFoot(seat, false);
}

void HostEngine::createComplete(int seat, int bookSlot, int naming)
{
    Record& rec = m_t.seat(seat);
    TeamBooks& tb = m_t.books(rec.team);
    Book& book = tb.working[std::size_t(bookSlot)];
    // The table holds every book a round can produce, so a completion is never lost.
    if (tb.completedCount >= MaxCompletedBooks) return;
    const int n = ++tb.completedCount;
    tb.completed[std::size_t(n)] = {book.count, naming, book.kind};
    const int kind = book.kind;
    const int bonus = cards::bookBonus(kind);
    book.count = 0;
    broadcast([&] { return msg::complete(seat, rec.team, bookSlot, n, naming, kind); });
    setTeamScore(seat, rec.score + bonus, ScoreKind::Bonus);
    broadcast([&] { return msg::postScores(rec.score, bonus, seat, rec.partner); });
}

void HostEngine::addToComp(int seat, int slot, int compSlot)
{
    if (seat < 1 || seat > Seats || seat != m_t.turnSeat) return;
    Record& rec = m_t.seat(seat);
    const int x = rec.hand[std::size_t(slot)];
    if (x == 0) return;
    TeamBooks& tb = m_t.books(rec.team);
    // A slot without a completed book takes nothing (a free slot would pass for a king book).
    if (!tb.hasCompleted(compSlot)) return sendToSeat(seat, [&] { return msg::noBookMatch(slot); });
    Book& book = tb.completed[std::size_t(compSlot)];
    const bool fits = rankValue(book.naming) == rankValue(x) ||
                      (isWild(x) && book.kind == int(cards::BookKind::Wild));
    if (!fits) return sendToSeat(seat, [&] { return msg::noBookMatch(slot); });
    ++book.count;
    addScore(seat, x);
    rec.hand[std::size_t(slot)] = 0;
    sendToSeat(seat, [&] { return msg::freeCard(slot); });
    broadcast([&] { return msg::addToCompAnnounce(seat, book.kind, book.naming); });
    checkForFoot(seat, false);
}

void HostEngine::addScore(int seat, int card)
{
    changed();
    const int points = cards::cardPoints(card);
    m_bots->playedToBook(seat, card);
    Record& rec = m_t.seat(seat);
    setTeamScore(seat, rec.score + points);
    broadcast([&] { return msg::postScores(m_t.seat(rec.team).score, points, seat, rec.partner); });
}

} // namespace quornet::host
