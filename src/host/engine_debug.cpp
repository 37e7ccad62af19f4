// Invariants and a compact text dump of the host's table.
#include "host/engine.h"
#include "host/log.h"

#include <QStringList>

namespace quornet::host {

namespace {
QString handText(const Hand& h)
{
    QStringList cards;
    for (int c : h)
        if (c != 0) cards << QString::number(c);
    return cards.join(',');
}
const char* phaseText(Phase p) { return p == Phase::Draw ? "draw" : p == Phase::Play ? "play" : "-"; }
} // namespace

QString HostEngine::checkInvariants() const
{
    int total = 0;
    for (int i = 1; i <= cards::DeckSize; ++i) {
        if (m_t.deck[std::size_t(i)] != 0) ++total;
        const int p = m_t.pile[std::size_t(i)];
        if (p == 1) return QStringLiteral("card code 1 on the discard pile");
        if ((p != 0) != (i <= m_t.discardCount)) return QStringLiteral("discard pile not packed at %1").arg(i);
        if (p != 0) ++total;
    }
    for (int s = 1; s <= Seats; ++s) {
        const Record& r = m_t.seat(s);
        for (const Hand* h : {&r.hand, &r.foot}) {
            for (int c : *h) {
                if (c < 0 || c == 1 || c > cards::CodesPerPack)
                    return QStringLiteral("seat %1 holds card code %2").arg(s).arg(c);
                if (c != 0) ++total;
            }
        }
    }
    for (int team = 1; team <= 2; ++team) {
        const TeamBooks& tb = m_t.books(team);
        for (int k = 1; k <= BookSlots; ++k) {
            total += tb.working[std::size_t(k)].count;
            if (k > UsableBookSlots && tb.working[std::size_t(k)].count != 0)
                return QStringLiteral("team %1 uses working-book slot %2").arg(team).arg(k);
        }
        for (int k = 1; k <= tb.completedCount; ++k) total += tb.completed[std::size_t(k)].count;
    }
    if (total != (m_everDealt ? cards::DeckSize : 0))
        return QStringLiteral("%1 cards on the table instead of %2").arg(total).arg(cards::DeckSize);
    if (m_t.seat(1).score != m_t.seat(3).score || m_t.seat(2).score != m_t.seat(4).score)
        return QStringLiteral("partners hold different scores");
    if (m_t.turnSeat < 0 || m_t.turnSeat > Seats) return QStringLiteral("turn seat %1").arg(m_t.turnSeat);
    return {};
}

void HostEngine::afterEvent()
{
    endStepEvent();
    if (m_gameChanges != m_reportedChanges) {
        m_reportedChanges = m_gameChanges;
        m_out.gameChanged();
    }
    if (!m_options.checkInvariants) return;
    const QString broken = checkInvariants();
    if (!broken.isEmpty()) {
        qCCritical(lcHost).noquote() << "invariant broken:" << broken << "\n" << dump();
        qFatal("host invariant broken");
    }
}

QString HostEngine::dump() const
{
    QStringList lines;
    lines << QStringLiteral("turn %1 %2 running %3 pickup %4x%5 two-player %6 length %7")
                 .arg(m_t.turnSeat).arg(phaseText(m_t.phase)).arg(m_t.running).arg(m_t.pickUp)
                 .arg(m_t.pickUpCount).arg(m_t.twoPlayer).arg(QString::fromUtf8(m_t.lengthCode));
    lines << QStringLiteral("deck position %1 pile %2 top %3 exhausted %4")
                 .arg(m_t.deckPos).arg(m_t.discardCount).arg(m_t.topOfPile()).arg(m_t.deckExhausted);
    for (int s = 1; s <= Seats; ++s) {
        const Record& r = m_t.seat(s);
        lines << QStringLiteral("seat %1 %2%3%4 score %5 hand [%6] foot [%7]%8")
                     .arg(s).arg(QString::fromUtf8(r.name)).arg(r.connected ? " connected" : "")
                     .arg(r.justWatching ? " watching" : "").arg(r.score).arg(handText(r.hand))
                     .arg(handText(r.foot)).arg(r.onFoot ? " on foot" : "");
    }
    for (int team = 1; team <= 2; ++team) {
        const TeamBooks& tb = m_t.books(team);
        QStringList books;
        for (int k = 1; k <= BookSlots; ++k) {
            const Book& b = tb.working[std::size_t(k)];
            if (b.count > 0) books << QStringLiteral("%1:%2x%3k%4").arg(k).arg(b.naming).arg(b.count).arg(b.kind);
        }
        QStringList done;
        for (int k = 1; k <= tb.completedCount; ++k) {
            const Book& b = tb.completed[std::size_t(k)];
            done << QStringLiteral("%1:%2x%3k%4").arg(k).arg(b.naming).arg(b.count).arg(b.kind);
        }
        lines << QStringLiteral("team %1 working [%2] completed [%3]").arg(team).arg(books.join(' '), done.join(' '));
    }
    return lines.join('\n');
}

} // namespace quornet::host
