// Connections: numbering, framing and fair queues, the pace limits, the dispatcher's turn over
// the connections, and what falls due with time: logins not made, hung turns, held seats.
#include "host/computerplayer.h"
#include "host/engine.h"
#include "host/hosttext.h"
#include "host/log.h"
#include "protocol/fields.h"
#include "protocol/messages.h"

namespace quornet::host {

using namespace protocol;

// ---- Numbering --------------------------------------------------------------------------------

HostEngine::AcceptResult HostEngine::accept(bool hostUser)
{
    int n = 0;
    for (int k = 1; k <= MaxParticipants && n == 0; ++k) {
        if (taken(k) || !m_holds[std::size_t(k <= Seats ? k : 0)].name.isEmpty()) continue;
        if (k == 1 && !hostUser) continue; // host rights stay with the host user
        n = k;
    }
    if (n == 0) {
        qCInfo(lcHost) << "table full: refused a connection";
        return {MaxParticipants + 1, true};
    }
    m_t.highWater = qMax(m_t.highWater, n);
    clearLink(n);
    Link& l = link(n);
    l.serial = m_nextConnection++;
    l.hostUser = hostUser;
    l.since = l.lastHeard = m_now;
    qCInfo(lcHost) << "connection accepted as participant" << n;
    return {n, false};
}

void HostEngine::welcome(int participant)
{
    if (participant >= 1 && participant <= ConnectionRecords && taken(participant))
        m_out.send(participant, msg::sendLoginInfo(participant));
}

void HostEngine::clearLink(int n)
{
    Link& l = link(n);
    m_queued -= int(l.queue.size());
    l = Link{};
}

// ---- Receiving --------------------------------------------------------------------------------

bool HostEngine::receive(int participant, const QByteArray& bytes)
{
    if (participant < 1 || participant > ConnectionRecords || !taken(participant)) return false;
    if (link(participant).closing) return false;
    Link& l = link(participant);
    const QList<QByteArray> messages = l.framing.feed(bytes);
    if (l.framing.overflowed()) {
        closeFlooder(participant, "sent more than 64 KiB without a terminator");
        return false;
    }
    for (const QByteArray& m : messages)
        if (!enqueue(participant, m)) return false;
    return true;
}

bool HostEngine::enqueue(int participant, const QByteArray& text)
{
    if (participant < 1 || participant > ConnectionRecords || !taken(participant)) return false;
    Link& l = link(participant);
    if (l.closing) return false;
    if (int(l.queue.size()) >= m_options.maxWaitingPerConnection) {
        closeFlooder(participant, "has too many messages waiting");
        return false;
    }
    // The arrival times of its latest messages: one more than the window allows, all within
    // the window, is more than a person sends.
    l.recent.push_back(m_now);
    if (int(l.recent.size()) > m_options.maxPerRateWindow) {
        if (m_now - l.recent.front() < m_options.rateWindowMs) {
            closeFlooder(participant, "sends faster than a person can");
            return false;
        }
        l.recent.pop_front();
    }
    l.queue.push_back(text);
    ++m_queued;
    l.lastHeard = m_now;
    return true;
}

void HostEngine::closeFlooder(int participant, const char* why)
{
    qCWarning(lcHost).noquote() << "participant" << participant << why + QByteArray("; closing its connection");
    Link& l = link(participant);
    // Nothing it still had queued is handled: it goes at once, not one message per tick.
    m_queued -= int(l.queue.size());
    l.queue.clear();
    l.recent.clear();
    requestClose(participant);
}

// The number stays taken until the adapter reports the connection closed, so it cannot be
// handed to a newcomer while the old connection is still going down.
void HostEngine::requestClose(int participant)
{
    Link& l = link(participant);
    if (l.closing) return;
    l.closing = true;
    m_out.disconnect(participant);
}

void HostEngine::connectionClosed(int participant)
{
    if (participant < 1 || participant > ConnectionRecords) return;
    // The socket layer may report one close twice; only the first report is a departure.
    if (!taken(participant)) return;
    const bool wasLoggedIn = loggedIn(participant);
    const bool removed = link(participant).removed;
    clearLink(participant);
    if (participant <= Seats) m_hungTurn[std::size_t(participant)] = 0;
    departure(participant, wasLoggedIn, removed);
    afterEvent();
}

// ---- Dispatch -----------------------------------------------------------------------------------

bool HostEngine::dispatchOne()
{
    if (m_queued == 0) return false;
    // The connections in turn, starting after the one served last.
    int n = m_lastServed;
    for (int i = 0; i < ConnectionRecords; ++i) {
        n = n % ConnectionRecords + 1;
        if (!link(n).queue.empty()) break;
    }
    Link& l = link(n);
    if (l.queue.empty()) return false;
    const Queued q{n, std::move(l.queue.front())};
    l.queue.pop_front();
    --m_queued;
    m_lastServed = n;
    handle(q);
    afterEvent();
    return true;
}

void HostEngine::dropped(const Queued& q, const char* why)
{
    ++m_stats.messagesDropped;
    Link& l = link(q.participant);
    // A connection cannot flood the log: one line a second at most, with a count of the rest.
    if (l.refusalEverLogged && m_now - l.refusalLoggedAt < RefusalLogIntervalMs) {
        ++l.refusalsUnlogged;
        return;
    }
    const int left = l.refusalsUnlogged;
    l.refusalEverLogged = true;
    l.refusalLoggedAt = m_now;
    l.refusalsUnlogged = 0;
    const QString more = left > 0 ? QStringLiteral(" (and %1 more refused since the last line)").arg(left) : QString();
    qCWarning(lcHost).noquote() << QStringLiteral("dropped a message from participant %1 (%2): %3%4")
                                       .arg(q.participant)
                                       .arg(QLatin1String(why), logText(q.text), more);
}

// ---- Time ----------------------------------------------------------------------------------------

void HostEngine::advanceTo(qint64 nowMs)
{
    if (nowMs > m_now) m_now = nowMs;
    expireLogins();
    for (int s = 1; s <= Seats; ++s) {
        const Hold& h = m_holds[std::size_t(s)];
        if (!h.name.isEmpty() && m_now >= h.until) releaseHold(s, "lapsed");
    }
    checkTurnTimeout();
    afterEvent();
}

qint64 HostEngine::nextDeadline() const
{
    qint64 next = -1;
    const auto consider = [&next](qint64 t) {
        if (next < 0 || t < next) next = t;
    };
    if (m_options.loginDeadlineMs > 0)
        for (int n = 1; n <= ConnectionRecords; ++n)
            if (taken(n) && !loggedIn(n) && !link(n).closing)
                consider(link(n).since + m_options.loginDeadlineMs);
    for (int s = 1; s <= Seats; ++s)
        if (!m_holds[std::size_t(s)].name.isEmpty()) consider(m_holds[std::size_t(s)].until);
    const qint64 turn = turnDeadline();
    if (turn >= 0) consider(turn);
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

// The turn seat's deadline: its turn, or its connection's last message, plus the timeout. Only
// while another participant is there to be kept waiting (a solo player may take all the time in
// the world).
qint64 HostEngine::turnDeadline() const
{
    const int s = m_t.turnSeat;
    if (m_options.turnTimeoutMs <= 0 || !m_t.running || m_t.phase == Phase::None) return -1;
    if (s < 1 || s > Seats || m_t.computerPlayed(s)) return -1;
    bool others = false;
    for (int k = 1; k <= m_t.highWater && !others; ++k) others = k != s && loggedIn(k);
    if (!others) return -1;
    return qMax(m_turnSince, link(s).lastHeard) + m_options.turnTimeoutMs;
}

void HostEngine::checkTurnTimeout()
{
    const qint64 deadline = turnDeadline();
    if (deadline < 0 || m_now < deadline) return;
    const int s = m_t.turnSeat;
    Record& rec = m_t.seat(s);
    const int seconds = m_options.turnTimeoutMs / 1000;
    qCInfo(lcHost).noquote() << "participant" << s << logText(rec.name) << "made no move for"
                             << seconds << "s; the computer plays the turn";
    const QByteArray notice = rec.name + " has made no move for " + QByteArray::number(seconds) +
                              " seconds and is set to just watching; the computer plays this turn.";
    broadcast([&] { return msg::chatRelay(0, notice + "|clBlue"); });
    m_hungTurn[std::size_t(s)] = m_turnSerial;
    // As if the host user had chosen Set to Just Watch.
    rec.justWatching = true;
    broadcast([&] { return msg::justWatching(s, 1); });
    takeOver(s);
}

// A seat set to just watching for a hung turn plays again once its connection speaks after that
// turn (a player whose program hung for good keeps watching instead of holding up every turn).
void HostEngine::heardFrom(int participant, bool restore)
{
    if (participant < 1 || participant > Seats) return;
    const auto i = std::size_t(participant);
    if (m_hungTurn[i] == 0) return;
    if (m_t.turnSeat == participant && m_turnSerial == m_hungTurn[i]) return;
    m_hungTurn[i] = 0;
    if (!restore) return; // the message itself switches the seat (CMD_justwatch)
    Record& rec = m_t.seat(participant);
    if (!rec.justWatching || (m_t.twoPlayer && participant >= 3)) return;
    rec.justWatching = false;
    broadcast([&] { return msg::justWatching(participant, 2); });
}

// ---- Held seats -----------------------------------------------------------------------------------

QByteArray HostEngine::heldFor(int seat) const
{
    return seat >= 1 && seat <= Seats ? m_holds[std::size_t(seat)].name : QByteArray();
}

void HostEngine::holdSeat(int seat, const QByteArray& name)
{
    if (m_options.seatHoldMs <= 0 || name.isEmpty()) return;
    Hold& h = m_holds[std::size_t(seat)];
    h.name = name;
    h.until = m_now + m_options.seatHoldMs;
    qCInfo(lcHost).noquote() << "seat" << seat << "held for" << logText(name) << "for"
                             << m_options.seatHoldMs / 1000 << "s";
}

void HostEngine::releaseHold(int seat, const char* why)
{
    Hold& h = m_holds[std::size_t(seat)];
    if (h.name.isEmpty()) return;
    qCInfo(lcHost).noquote() << "hold of seat" << seat << "for" << logText(h.name) << why;
    h = Hold{};
}

void HostEngine::releaseAllHolds(const char* why)
{
    for (int s = 1; s <= Seats; ++s) releaseHold(s, why);
}

// A connection logging in under the name a seat is held for takes that seat back: it is given
// the seat's number (CMD_sendlogininfo, which a table window answers by logging in under it)
// and is caught up like any late joiner on that seat. Its first number was never announced.
bool HostEngine::returnToHeldSeat(int n, const QByteArray& name)
{
    for (int s = 1; s <= Seats; ++s) {
        Hold& h = m_holds[std::size_t(s)];
        if (h.name.isEmpty() || h.name != name || s == n || taken(s)) continue;
        if (s == 1 && !link(n).hostUser) continue; // number 1 only for the host user
        qCInfo(lcHost).noquote() << logText(name) << "returns to seat" << s << "(was participant"
                                 << n << ")";
        h = Hold{};
        Link moved = std::move(link(n));
        link(n) = Link{};
        moved.since = m_now;
        moved.loggedIn = false;
        link(s) = std::move(moved);
        if (m_lastServed == n) m_lastServed = s;
        m_out.renumber(n, s);
        welcome(s);
        return true;
    }
    return false;
}

} // namespace quornet::host
