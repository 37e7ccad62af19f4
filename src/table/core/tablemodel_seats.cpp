// The own seat's key, seats the host keeps for players who dropped, and the host's farewells.
#include "protocol/colortext.h"
#include "protocol/messages.h"
#include "table/core/tablemodel.h"
#include "table/core/tablemodel_p.h"

namespace quornet::table {

using namespace protocol;
using detail::Args;
using detail::dropped;

void TableModel::seatKey(const QByteArray& args)
{
    Args a(args);
    const int seat = a.number("seat", 1, SeatCount);
    const QByteArray key = a.requiredText("key");
    if (!a.ok()) return dropped(cmd::SeatKey, args, a.problem());
    if (seat != m_s.own) return dropped(cmd::SeatKey, args, "not the own seat");
    m_s.seatKey = key;
    touch();
}

QString TableModel::heldNotice(const QString& name, int seconds) const
{
    const QString time = seconds % 60 == 0 && seconds >= 120 ? tr("%1 minutes").arg(seconds / 60)
                         : seconds == 60                      ? tr("1 minute")
                                                              : tr("%1 seconds").arg(seconds);
    return tr("%1 lost the connection; the seat is kept for %1 for %2.").arg(name, time);

}

// CMD_seatheld: the seat's player dropped and the host keeps the seat (seconds > 0), or keeps it
// no longer (0: the computer's name again).
void TableModel::seatHeld(const QByteArray& args)
{
    Args a(args);
    const int seat = a.number("seat", 1, SeatCount);
    const int seconds = a.number("seconds", 0, 86400);
    const QString name = a.restText();
    if (!a.ok()) return dropped(cmd::SeatHeld, args, a.problem());
    SeatView& s = m_s.seats[std::size_t(seat)];
    if (seconds > 0 && !name.isEmpty()) {
        // Said when the player drops; a late joiner's catch-up only marks the seat.
        if (s.name == name) notice(heldNotice(name, seconds));
        s.name = name;
        s.held = true;
    } else if (s.held) {
        s.held = false;
        s.name = s.hint;
    }
    touch();
    emit playersChanged();
}

void TableModel::seatLost(const QByteArray& args)
{
    Args a(args);
    m_seatLost = a.text();
    m_s.seatKey.clear();
    touch();
}

void TableModel::removedFromGame()
{
    m_s.removed = true;
    touch();
}

void TableModel::startAfresh()
{
    Changes c(*this);
    TableState fresh;
    fresh.status = m_s.status;
    fresh.manualSort = m_s.manualSort;
    fresh.turnSound = m_s.turnSound;
    fresh.chatterSounds = m_s.chatterSounds;
    m_s = fresh;
    m_pile = PileTracker{};
    m_scores.clear();
    m_log.clear();
    m_rejoinPending = false;
    m_quietCatchUp = false;
    m_seatLost.clear();
    m_ownPickUpPending = false;
    m_ownPickUp.clear();
    touch();
}

void TableModel::tableClosed()
{
    m_s.tableClosed = true;
    touch();
}

} // namespace quornet::table
