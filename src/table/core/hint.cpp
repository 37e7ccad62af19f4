#include "table/core/hint.h"

#include "bots/expert.h"
#include "bots/strong.h"
#include "cards/cards.h"

#include <QCoreApplication>

namespace quornet::table {

namespace {

int number(const QString& text, int fallback)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? v : fallback;
}

// "7", "jack", "ace", "2" (a wild): the word of a rank.
QString rankWord(int code)
{
    switch (cards::rankValue(code)) {
    case 0: return QCoreApplication::translate("Hint", "king");
    case 1: return QCoreApplication::translate("Hint", "ace");
    case 11: return QCoreApplication::translate("Hint", "jack");
    case 12: return QCoreApplication::translate("Hint", "queen");
    default: break;
    }
    return QString::number(cards::rankValue(code));
}

// "the 7", "the 7s", "the wild", "the 7s and the wild".
QString cardsWords(const QList<int>& codes)
{
    int naturals = 0, wilds = 0, code = 0;
    for (int c : codes) {
        if (cards::isWild(c)) {
            ++wilds;
        } else {
            ++naturals;
            code = c;
        }
    }
    QStringList parts;
    if (naturals > 1) parts << QCoreApplication::translate("Hint", "the %1s").arg(rankWord(code));
    else if (naturals == 1) parts << QCoreApplication::translate("Hint", "the %1").arg(rankWord(code));
    if (wilds > 1) parts << QCoreApplication::translate("Hint", "the wilds");
    else if (wilds == 1) parts << QCoreApplication::translate("Hint", "the wild");
    if (parts.size() == 2) return QCoreApplication::translate("Hint", "%1 and %2").arg(parts[0], parts[1]);
    return parts.value(0);
}

QString bookWords(int naming)
{
    return QString::fromLatin1(cards::bookName(naming).data(), qsizetype(cards::bookName(naming).size())).toLower();
}

// The window's books as the rules core holds them (the window keeps them by slot for drawing).
rules::TeamBooks booksOf(const TeamBoard& from)
{
    rules::TeamBooks to;
    for (const WorkingBook& b : from.working)
        if (b.slot >= 1 && b.slot <= bots::BookSlots) to.working[std::size_t(b.slot)] = {b.count, b.naming, b.kind};
    for (const CompletedBook& b : from.completed) {
        if (b.slot < 1 || b.slot > bots::MaxCompletedBooks) continue;
        to.completed[std::size_t(b.slot)] = {cards::BookCompleteCards, b.naming, b.kind};
        to.completedCount = qMax(to.completedCount, b.slot);
    }
    return to;
}

} // namespace

QString cardTitle(int code)
{
    if (code == cards::Joker || code == cards::BlackJoker) return QCoreApplication::translate("Hint", "joker");
    static const char* suits[] = {QT_TRANSLATE_NOOP("Hint", "clubs"), QT_TRANSLATE_NOOP("Hint", "diamonds"),
                                  QT_TRANSLATE_NOOP("Hint", "spades"), QT_TRANSLATE_NOOP("Hint", "hearts")};
    const int suit = qBound(0, (code - 2) / 13, 3);
    const int r = cards::rankValue(code);
    const QString rank = r == 2 || (r >= 3 && r <= 10) ? QString::number(r) : rankWord(code);
    return QCoreApplication::translate("Hint", "%1 of %2").arg(rank, QCoreApplication::translate("Hint", suits[suit]));
}

QString cardName(int code)
{
    if (code == cards::Joker || code == cards::BlackJoker) return QCoreApplication::translate("Hint", "the joker");
    return QCoreApplication::translate("Hint", "the %1").arg(cardTitle(code));
}

bool hintAvailable(const TableState& s)
{
    for (int team = 1; team <= 2; ++team)
        if (s.team(team).winnerVisible || s.team(team).roundWinnerVisible) return false;
    // The host's start button is back once a game has ended (a tie marks no winner).
    return s.ownTurn() && !s.isSpectator() && !s.cards.isEmpty() && !s.startVisible;
}

bots::Observation observationOf(const TableState& s, const PileTracker& pile)
{
    bots::Observation o;
    o.seat = s.own;
    for (const HandCard& c : s.cards)
        if (c.slot >= 0 && c.slot < bots::HandSlots) o.hand[std::size_t(c.slot)] = c.code;
    for (int team = 1; team <= 2; ++team) o.books[std::size_t(team)] = booksOf(s.team(team));
    // The followed pile, unless it lost track of the top (a window that joined late).
    QList<int> cardsOnPile = pile.pile();
    if (pile.top() != s.discardCard) cardsOnPile = s.discardCard ? QList<int>{s.discardCard} : QList<int>{};
    o.pileCount = int(qMin<qsizetype>(cardsOnPile.size(), cards::DeckSize));
    for (int p = 1; p <= o.pileCount; ++p) o.pile[std::size_t(p)] = cardsOnPile[p - 1];
    o.deckCount = pile.deckCount();
    for (int seat = 1; seat <= bots::Seats; ++seat) {
        o.handCount[std::size_t(seat)] = seat == s.own ? bots::cardsIn(o.hand) : number(s.seat(seat).cardsLeft, bots::FootCards);
        o.onFoot[std::size_t(seat)] = pile.onFoot(seat) || !s.seat(seat).footVisible;
        o.known[std::size_t(seat)] = pile.known(seat);
        o.discarded[std::size_t(seat)] = pile.discarded(seat);
        o.passed[std::size_t(seat)] = pile.passed(seat);
        o.lastDiscard[std::size_t(seat)] = pile.lastDiscard(seat);
    }
    o.played = pile.played();
    o.score = {0, number(s.seat(1).score, 0), number(s.seat(2).score, 0)};
    o.pickUp = s.pickUpOption;
    o.pickUpCount = pile.pickUpCount();
    o.twoPlayer = s.seat(3).eyesTag == 1 && s.seat(4).eyesTag == 1;
    return o;
}

Hint adviseTurn(const TableState& s, const PileTracker& pile, bots::Level level)
{
    Hint h;
    if (!hintAvailable(s)) return h;
    const bots::Observation o = observationOf(s, pile);
    // The same position always gets the same advice.
    std::uint64_t seed = std::uint64_t(o.pileCount) * 1000003u + std::uint64_t(o.deckCount);
    for (int c : o.hand) seed = seed * 131u + std::uint64_t(c);
    bots::Rng chance(seed);
    const bool expert = level == bots::Level::Expert;
    if (!s.drawn()) {
        const int mode = expert ? bots::expert::drawMode(o, chance) : bots::strong::drawMode(o);
        h.text = mode == 2 ? QCoreApplication::translate("Hint", "Hint: take the pile")
                           : QCoreApplication::translate("Hint", "Hint: draw two cards");
        return h;
    }
    const bots::Plan plan = expert ? bots::expert::play(o, chance) : bots::strong::play(o);
    if (plan.size == 0) {
        h.text = QCoreApplication::translate("Hint", "Hint: nothing to play");
        return h;
    }
    const bots::Move first = plan.moves[0];
    const auto code = [&](int slot) { return slot >= 0 && slot < bots::HandSlots ? o.hand[std::size_t(slot)] : 0; };
    switch (first.kind) {
    case bots::Move::CreateBook: {
        h.handSlots = {first.a, first.b, first.c};
        int natural = 0;
        bool wild = false;
        for (int slot : h.handSlots) {
            if (cards::isWild(code(slot)))
                wild = true;
            else
                natural = code(slot);
        }
        h.text = (wild ? QCoreApplication::translate("Hint", "Hint: make a book of %1s with a wild")
                       : QCoreApplication::translate("Hint", "Hint: make a book of %1s"))
                     .arg(rankWord(natural));
        break;
    }
    case bots::Move::AddToBook:
    case bots::Move::AddToComp: {
        QList<int> codes;
        for (const bots::Move& m : plan) {
            if (m.kind != first.kind || m.b != first.b) break;
            h.handSlots << m.a;
            codes << code(m.a);
        }
        const bots::TeamBooks& own = o.ownBooks();
        const int naming = first.kind == bots::Move::AddToBook ? own.working[std::size_t(first.b)].naming
                                                               : own.completed[std::size_t(first.b)].naming;
        h.text = (first.kind == bots::Move::AddToComp
                      ? QCoreApplication::translate("Hint", "Hint: lay %1 on your completed %2")
                      : QCoreApplication::translate("Hint", "Hint: lay %1 on your %2"))
                     .arg(cardsWords(codes), bookWords(naming));
        break;
    }
    case bots::Move::Discard:
        h.handSlots = {first.a};
        h.text = QCoreApplication::translate("Hint", "Hint: discard %1").arg(cardName(code(first.a)));
        break;
    }
    return h;
}

} // namespace quornet::table
