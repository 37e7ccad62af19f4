// Following every seat's turn step by step: the status line and the game log say each draw,
// pick-up, discard, foot and going out as it arrives, and the board marks what just happened.
//
// The host tells the other seats a turn's draw only by what follows it, and a pick-up and a
// discard alike by the pile's new top (CMD_discard). So the first top of a turn that may be a
// pick-up waits for the next message of the turn: a book, an addition, the foot or another top
// say it was a pick-up; the next turn or the round's end say the seat drew and discarded. A top
// that a pick-up could not have left is a discard at once. The own turn is known as it happens.
#include "protocol/messages.h"
#include "rules/hand.h"
#include "table/core/hint.h"
#include "table/core/tablemodel.h"
#include "table/core/tablemodel_p.h"

namespace quornet::table {

using namespace protocol;
using detail::Args;

namespace {
constexpr int DrawnCards = 2;
constexpr int FootCards = 11;
} // namespace

bool TableModel::ownSeat(int seat) const { return seat != 0 && seat == m_s.own; }

void TableModel::markJustHappened()
{
    m_s.justHappened.ticksLeft = JustHappenedTicks;
    touch();
}

void TableModel::changeCount(int seat, int by, bool absolute)
{
    if (seat < 1 || seat > SeatCount || ownSeat(seat)) return;
    QString& count = m_s.seats[std::size_t(seat)].cardsLeft;
    bool ok = false;
    const int now = count.toInt(&ok);
    if (!ok) return;
    count = QString::number(absolute ? by : qMax(0, now + by));
    m_s.justHappened.countSeat = seat;
    markJustHappened();
}

void TableModel::saidDraw(int seat)
{
    m_seen.drawn = true;
    status(ownSeat(seat) ? tr("You drew two cards.") : tr("%1 drew two cards.").arg(seatName(seat)));
    changeCount(seat, DrawnCards);
}

void TableModel::saidPickUp(int seat, int top, int taken)
{
    m_seen.drawn = true;
    const QString card = cardTitle(top);
    const QString more = QString::number(taken - 1);
    if (ownSeat(seat))
        status(taken > 1 ? tr("You took the pile: %1 and %2 more.").arg(card, more) : tr("You took the pile: %1.").arg(card));
    else
        status(taken > 1 ? tr("%1 took the pile: %2 and %3 more.").arg(seatName(seat), card, more)
                         : tr("%1 took the pile: %2.").arg(seatName(seat), card));
    changeCount(seat, taken);
    m_discarders = m_discarders.mid(0, qMax(0, int(m_discarders.size()) - taken));
    m_s.discardedBy = m_discarders.isEmpty() ? 0 : m_discarders.last();
}

void TableModel::saidDiscard(int seat, int card)
{
    status(ownSeat(seat) ? tr("You discarded %1.").arg(cardName(card))
                         : tr("%1 discarded %2.").arg(seatName(seat), cardName(card)));
    changeCount(seat, -1);
    m_discarders.append(seat);
    m_s.discardedBy = seat;
}

// The first top of the turn was a pick-up (its cards are what the pile held before it).
void TableModel::settlePending(bool pickedUp)
{
    if (m_seen.pendingTop < 0) return;
    const int top = m_seen.pendingTop;
    m_seen.pendingTop = -1;
    if (pickedUp) return saidPickUp(m_seen.seat, m_seen.pileTop, m_seen.pileTaken);
    saidDraw(m_seen.seat);
    saidDiscard(m_seen.seat, top);
}

// What a turn's book, addition or foot says of its start: the seat has drawn or picked up.
void TableModel::turnWentOn(int seat)
{
    if (seat != m_seen.seat) return;
    settlePending(true);
    if (!m_seen.drawn && !ownSeat(seat)) saidDraw(seat);
    m_seen.drawn = true;
}

void TableModel::followTurn(const QByteArray& w, const QByteArray& args)
{
    const int seat = m_seen.seat;
    if (w == cmd::StartRound || w == cmd::StartGame) {
        m_seen = {};
        m_discarders.clear();
        m_s.discardedBy = 0;
        m_s.justHappened = {};
    } else if (w == cmd::NextPlayer || w == cmd::RWinner || w == cmd::Winner) {
        settlePending(false);
        if (w != cmd::NextPlayer) wentOut(w, args);
        m_seen = {};
        Args a(args);
        a.number("previous seat", 0, SeatCount);
        a.number("cards left", 0, 999);
        a.requiredText("pick-up flag");
        const int next = a.number("turn seat", 0, SeatCount);
        if (w == cmd::NextPlayer && a.ok()) m_seen.seat = next;
    } else if (w == cmd::NewBook || w == cmd::AddToBook || w == cmd::Complete || w == cmd::AddToComp ||
               w == cmd::UseFoot) {
        Args a(args);
        turnWentOn(a.number("seat", 1, SeatCount));
    } else if (w == cmd::NewCard && ownSeat(seat) && !m_seen.drawn && !m_ownPickUpPending) {
        saidDraw(seat);
    } else if (w == cmd::Discard && seat >= 1) {
        Args a(args);
        const int top = a.number("card", 0, 54);
        if (!a.ok()) return;
        m_s.justHappened.pileTop = true;
        markJustHappened();
        if (ownSeat(seat) && m_ownPickUpPending) {
            const int taken = int(m_ownPickUp.size());
            if (taken > 0) saidPickUp(seat, m_ownPickUp.first(), taken);
            else m_seen.drawn = true;
            return;
        }
        if (m_seen.drawn) return saidDiscard(seat, top);
        if (m_seen.pendingTop >= 0) {
            settlePending(true);
            return saidDiscard(seat, top);
        }
        // A pick-up leaves the card under the ones it takes (or nothing).
        const QList<int>& pile = m_pile.pile();
        const int taken = m_pile.complete() ? qMin(m_pile.pickUpCount(), int(pile.size())) : m_pile.pickUpCount();
        const int left = m_pile.complete() && pile.size() > taken ? pile[pile.size() - taken - 1] : 0;
        const bool couldBePickUp = m_s.pickUpOption && !pile.isEmpty() && (top == left || !m_pile.complete());
        if (!couldBePickUp) {
            saidDraw(seat);
            return saidDiscard(seat, top);
        }
        m_seen.pendingTop = top;
        m_seen.pileTop = pile.last();
        m_seen.pileTaken = qMax(1, taken);
    }
}

void TableModel::wentOut(const QByteArray& w, const QByteArray& args)
{
    Args a(args);
    const int team = a.number("team", 0, 2);
    const int seat = m_seen.seat;
    if (!a.ok() || seat < 1 || seat > SeatCount) return;
    // A round won by a team was ended by the turn seat going out; a game's end says the
    // game's winner, so the turn seat's own cards tell.
    const SeatView& v = m_s.seats[std::size_t(seat)];
    const bool out = w == cmd::RWinner ? team != 0
                                       : !v.footVisible && (ownSeat(seat) ? m_s.cards.isEmpty() : v.cardsLeft == QLatin1String("0"));
    if (out) status(ownSeat(seat) ? tr("You went out.") : tr("%1 went out.").arg(seatName(seat)));
}

// After the turn passed: a seat that played its last card while its partner still held cards.
void TableModel::followTurnPassed(int previous, int left)
{
    if (previous < 1 || previous > SeatCount || left != 0 || m_s.seats[std::size_t(previous)].footVisible) return;
    const QString partner = seatName(rules::partnerOf(previous));
    status(ownSeat(previous)
               ? tr("You have no cards left, but %1 still holds cards: a team goes out only when both "
                    "partners have played all their cards, so the turn passes on.").arg(partner)
               : tr("%1 has no cards left, but %2 still holds cards: a team goes out only when both "
                    "partners have played all their cards, so the turn passes on.").arg(seatName(previous), partner));
}

void TableModel::footTaken(int seat)
{
    status(ownSeat(seat) ? tr("You picked up your foot.") : tr("%1 picked up the foot.").arg(seatName(seat)));
    changeCount(seat, FootCards, true);
}

void TableModel::bookChanged(int seat, int team, int slot, bool completed, int cardsPlayed)
{
    JustHappened& j = m_s.justHappened;
    j.bookTeam = team;
    j.bookSlot = slot;
    j.bookCompleted = completed;
    changeCount(seat, -cardsPlayed);
    markJustHappened();
}

void TableModel::fadeJustHappened()
{
    if (m_s.justHappened.ticksLeft == 0 || --m_s.justHappened.ticksLeft > 0) return;
    m_s.justHappened = {};
    touch();
}

} // namespace quornet::table
