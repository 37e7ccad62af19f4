// Creating books, adding to working and completed books, completing books and scoring cards:
// the rules core decides and changes the books; the host answers and announces.
#include "host/computerplayer.h"
#include "host/engine.h"
#include "protocol/messages.h"

namespace quornet::host {

using namespace protocol;
using rules::Verdict;

void HostEngine::createBook(int seat, int a, int b, int c)
{
    if (seat < 1 || seat > Seats || seat != m_t.turnSeat) return;
    Record& rec = m_t.seat(seat);
    const rules::NewBook r = rules::createBook(rec.hand, m_t.books(rec.team), a, b, c);
    switch (r.verdict) {
    case Verdict::Done: break;
    case Verdict::NoThree: return sendToSeat(seat, [] { return msg::noThree(); });
    case Verdict::NoTwo: return sendToSeat(seat, [] { return msg::noTwo(); });
    case Verdict::NoBook: return sendToSeat(seat, [] { return msg::noBook(); });
    case Verdict::TooMany: return sendToSeat(seat, [] { return msg::tooMany(); });
    case Verdict::Ignored:
    case Verdict::NoMatch: return;
    }
    for (int s : {a, b, c}) sendToSeat(seat, [&] { return msg::freeCard(s); });
    const Book& book = m_t.books(rec.team).working[std::size_t(r.slot)];
    broadcast([&] { return msg::newBook(seat, rec.team, r.slot, book.naming, book.kind); });
    for (int card : r.cards) addScore(seat, card);
    checkForFoot(seat, false);
}

void HostEngine::addToBook(int seat, int slot, int bookSlot)
{
    if (seat < 1 || seat > Seats || seat != m_t.turnSeat) return;
    Record& rec = m_t.seat(seat);
    const rules::Added r = rules::addToBook(rec.hand, m_t.books(rec.team), slot, bookSlot);
    if (r.verdict == Verdict::NoMatch) return sendToSeat(seat, [&] { return msg::noBookMatch(slot); });
    if (r.verdict != Verdict::Done) return;
    broadcast([&] { return msg::addToBookAnnounce(seat, rec.team, slot, bookSlot, r.count, r.card, r.kind); });
    addScore(seat, r.card);
    sendToSeat(seat, [&] { return msg::freeCard(slot); });
    if (r.completedSlot != 0) {
        m_bots->completedBook(seat, r.naming, r.kind);
        const int bonus = cards::bookBonus(r.kind);
        broadcast([&] { return msg::complete(seat, rec.team, bookSlot, r.completedSlot, r.naming, r.kind); });
        setTeamScore(seat, rec.score + bonus, ScoreKind::Bonus);
        broadcast([&] { return msg::postScores(rec.score, bonus, seat, rec.partner); });
    }
    checkForFoot(seat, false);
}

void HostEngine::addToComp(int seat, int slot, int compSlot)
{
    if (seat < 1 || seat > Seats || seat != m_t.turnSeat) return;
    Record& rec = m_t.seat(seat);
    const rules::Added r = rules::addToCompleted(rec.hand, m_t.books(rec.team), slot, compSlot);
    if (r.verdict == Verdict::NoMatch) return sendToSeat(seat, [&] { return msg::noBookMatch(slot); });
    if (r.verdict != Verdict::Done) return;
    addScore(seat, r.card);
    sendToSeat(seat, [&] { return msg::freeCard(slot); });
    broadcast([&] { return msg::addToCompAnnounce(seat, r.kind, r.naming); });
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
