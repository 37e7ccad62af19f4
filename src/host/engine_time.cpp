// What falls due with time: logins not made, heartbeats and silent links, quiet arrivals, held
// seats that lapse and hung turns; and the way back for a player whose hung turn the computer
// took over.
#include "host/computerplayer.h"
#include "host/engine.h"
#include "host/hosttext.h"
#include "host/log.h"
#include "protocol/messages.h"

#include <algorithm>

namespace quornet::host {

using namespace protocol;

void HostEngine::clockStalled(qint64 stalledMs)
{
    if (stalledMs <= 0) return;
    for (int n = 1; n <= ConnectionRecords; ++n) {
        Link& l = link(n);
        if (!taken(n)) continue;
        l.since += stalledMs;
        l.lastHeard += stalledMs;
        l.loggedInAt += stalledMs;
    }
    m_turnSince += stalledMs;
    if (m_returnGraceUntil != 0) m_returnGraceUntil += stalledMs;
}

void HostEngine::advanceTo(qint64 nowMs)
{
    if (nowMs > m_now) m_now = nowMs;
    expireLogins();
    checkLinks();
    announceQuietArrivals();
    for (int s = 1; s <= Seats; ++s) {
        const Hold& h = m_holds[std::size_t(s)];
        if (!h.name.isEmpty() && m_now >= h.until) releaseHold(s, "lapsed", true);
    }
    checkTurnTimeout();
    if (m_returnGraceUntil != 0 && m_now >= m_returnGraceUntil) {
        m_returnGraceUntil = 0;
        resumeTurn();
    }
    afterEvent();
}

qint64 HostEngine::nextDeadline() const
{
    qint64 next = -1;
    const auto consider = [&next](qint64 t) {
        if (next < 0 || t < next) next = t;
    };
    for (int n = 1; n <= ConnectionRecords; ++n) {
        if (!taken(n) || link(n).closing) continue;
        const Link& l = link(n);
        if (!l.loggedIn) {
            if (m_options.loginDeadlineMs > 0) consider(l.since + m_options.loginDeadlineMs);
            continue;
        }
        if (m_options.heartbeatIdleMs > 0) {
            consider(l.lastSent + m_options.heartbeatIdleMs);
            consider(std::max(l.lastHeard, l.lastPing) + m_options.heartbeatIdleMs);
        }
        if (m_options.linkSilenceMs > 0) consider(l.lastHeard + m_options.linkSilenceMs);
        if (!l.announced) consider(l.loggedInAt + m_options.quietArrivalMs);
    }
    for (int s = 1; s <= Seats; ++s)
        if (!m_holds[std::size_t(s)].name.isEmpty()) consider(m_holds[std::size_t(s)].until);
    const qint64 turn = turnDeadline();
    if (turn >= 0) consider(turn);
    if (m_returnGraceUntil != 0) consider(m_returnGraceUntil);
    return next;
}

void HostEngine::expireLogins()
{
    if (m_options.loginDeadlineMs <= 0) return;
    for (int n = 1; n <= ConnectionRecords; ++n) {
        const Link& l = link(n);
        if (!taken(n) || l.loggedIn || l.closing || m_now - l.since < m_options.loginDeadlineMs) continue;
        qCInfo(lcHost) << "participant" << n << "did not log in within"
                       << m_options.loginDeadlineMs / 1000 << "s; closing its connection";
        requestClose(n);
    }
}

// A logged-in connection that the host has not spoken to for a while hears a heartbeat; one
// that has said nothing for much longer (our windows answer every heartbeat) is gone without a
// word, and is closed: its departure holds its seat as for any drop.
void HostEngine::checkLinks()
{
    for (int n = 1; n <= ConnectionRecords; ++n) {
        Link& l = link(n);
        if (!taken(n) || !l.loggedIn || l.closing) continue;
        if (m_options.linkSilenceMs > 0 && m_now - l.lastHeard >= m_options.linkSilenceMs) {
            qCInfo(lcHost).noquote() << "participant" << n << logText(m_t.rec[std::size_t(n)].name)
                                     << "sent nothing for" << m_options.linkSilenceMs / 1000
                                     << "s; taking its connection for lost";
            requestClose(n);
            continue;
        }
        if (m_options.heartbeatIdleMs <= 0) continue;
        // Quiet either way: the host has said nothing, or the connection has said nothing and
        // was not asked since. The second matters to a window that only watches while its seat
        // is played for it: it hears its hand change all the time and would never be asked.
        const qint64 idle = m_options.heartbeatIdleMs;
        if (m_now - l.lastSent >= idle || (m_now - l.lastHeard >= idle && m_now - l.lastPing >= idle)) {
            l.lastPing = m_now;
            deliver(n, msg::ping());
        }
    }
}

void HostEngine::announceQuietArrivals()
{
    for (int n = 1; n <= ConnectionRecords; ++n) {
        const Link& l = link(n);
        if (taken(n) && l.loggedIn && !l.closing && !l.announced && m_now - l.loggedInAt >= m_options.quietArrivalMs)
            announceToOthers(n);
    }
}

// The turn seat's deadline: its turn's start or its last move, plus the timeout. Only while
// another participant is there to be kept waiting (a solo player may take all the time in the
// world). Chat, heartbeats and empty frames are no moves.
qint64 HostEngine::turnDeadline() const
{
    const int s = m_t.turnSeat;
    if (m_options.turnTimeoutMs <= 0 || !m_t.running || m_t.phase == Phase::None) return -1;
    if (s < 1 || s > Seats || m_t.computerPlayed(s)) return -1;
    bool others = false;
    for (int k = 1; k <= m_t.highWater && !others; ++k) others = k != s && loggedIn(k);
    if (!others) return -1;
    return m_turnSince + m_options.turnTimeoutMs;
}

void HostEngine::checkTurnTimeout()
{
    const qint64 deadline = turnDeadline();
    if (deadline < 0 || m_now < deadline) return;
    const int s = m_t.turnSeat;
    Record& rec = m_t.seat(s);
    const int seconds = m_options.turnTimeoutMs / 1000;
    qCInfo(lcHost).noquote() << "participant" << s << logText(rec.name) << "made no move for"
                             << seconds << "s; the computer plays for it";
    const QByteArray notice = fillIn(QT_TRANSLATE_NOOP("HostText", "%1 has made no move for %2 seconds and is set to just "
                                                           "watching; the computer plays until %1 is back."),
                                     {rec.name, QByteArray::number(seconds)});

    broadcast([&] { return msg::chatRelay(0, notice + "|clBlue"); });
    m_hungTurn[std::size_t(s)] = m_turnSerial;
    changed();
    // As if the host user had chosen Set to Just Watch.
    rec.justWatching = true;
    broadcast([&] { return msg::justWatching(s, 1); });
    takeOver(s);
}

// A move of a player whose hung turn the computer took over: the player is back, as if it had
// pressed I'm Back (CMD_justwatch with state 2).
void HostEngine::playerBack(int seat)
{
    m_hungTurn[std::size_t(seat)] = 0;
    const bool autoDrawDue = m_timerEnabled && m_timerTag == TimerTag::AutoDraw;
    if (m_t.running && m_t.turnSeat == seat && m_t.phase == Phase::Play && !autoDrawDue) {
        m_backAtNextTurn[std::size_t(seat)] = true;
        return;
    }
    restoreSeat(seat);
}

void HostEngine::restoreSeat(int seat)
{
    m_backAtNextTurn[std::size_t(seat)] = false;
    Record& rec = m_t.seat(seat);
    if (!rec.connected || !rec.justWatching || (m_t.twoPlayer && seat >= 3)) return;
    rec.justWatching = false;
    changed();
    broadcast([&] { return msg::justWatching(seat, 2); });
}

} // namespace quornet::host
