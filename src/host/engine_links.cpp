// Connections: numbering, framing and fair queues, the pace and size limits, and the
// dispatcher's turn over the connections.
#include "host/computerplayer.h"
#include "host/engine.h"
#include "host/hosttext.h"
#include "host/log.h"
#include "protocol/fields.h"
#include "protocol/messages.h"

namespace quornet::host {

using namespace protocol;

// ---- Numbering --------------------------------------------------------------------------------

HostEngine::AcceptResult HostEngine::accept(bool hostUser, const QByteArray& address)
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
    l.address = address;
    l.framing = protocol::FrameSplitter(m_options.maxFrameBytes);
    l.since = l.lastHeard = l.lastSent = m_now;
    qCInfo(lcHost) << "connection accepted as participant" << n;
    return {n, false};
}

void HostEngine::welcome(int participant)
{
    if (participant < 1 || participant > ConnectionRecords || !taken(participant)) return;
    // A private table says nothing of itself, not even a number, before the password.
    const bool mustAsk = needsPassword() && !link(participant).passwordGiven;
    deliver(participant, mustAsk ? msg::passwordNeeded() : msg::sendLoginInfo(participant));
}

void HostEngine::deliver(int participant, const QByteArray& message)
{
    link(participant).lastSent = m_now;
    if (holdForStep(participant, message)) return;
    m_out.send(participant, message);
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
        closeFlooder(participant, "sent a frame longer than the limit");
        return false;
    }
    for (const QByteArray& m : messages) {
        if (m.size() > m_options.maxFrameBytes) {
            closeFlooder(participant, "sent a frame longer than the limit");
            return false;
        }
        if (!enqueue(participant, m)) return false;
    }
    return true;
}

bool HostEngine::enqueue(int participant, const QByteArray& text)
{
    if (participant < 1 || participant > ConnectionRecords || !taken(participant)) return false;
    Link& l = link(participant);
    if (l.closing) return false;
    if (int(l.queue.size()) >= m_options.maxWaitingPerConnection ||
        l.waitingBytes + text.size() > m_options.maxWaitingBytes) {
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
    l.lastHeard = m_now;
    // A heartbeat's answer only shows the link is alive: it waits in no queue, so a long queue
    // never makes a live connection look dead.
    if (text.startsWith(cmd::Pong) && (text.size() == qsizetype(sizeof cmd::Pong) - 1 || text.endsWith('+')) &&
        text.size() <= qsizetype(sizeof cmd::Pong))
        return true;
    l.queue.push_back(text);
    l.waitingBytes += int(text.size());
    ++m_queued;
    return true;
}

void HostEngine::closeFlooder(int participant, const char* why)
{
    qCWarning(lcHost).noquote() << "participant" << participant << why + QByteArray("; closing its connection");
    Link& l = link(participant);
    // Nothing it still had queued is handled: it goes at once, not one message per tick.
    m_queued -= int(l.queue.size());
    l.queue.clear();
    l.queue.shrink_to_fit();
    l.waitingBytes = 0;
    l.recent.clear();
    l.framing.clear();
    requestClose(participant);
}

// The number stays taken until the adapter reports the connection closed, so it cannot be
// handed to a newcomer while the old connection is still going down.
void HostEngine::requestClose(int participant)
{
    Link& l = link(participant);
    if (l.closing) return;
    l.closing = true;
    releaseAllSteps(); // its last words first
    m_out.disconnect(participant);
}

void HostEngine::connectionClosed(int participant)
{
    if (participant < 1 || participant > ConnectionRecords) return;
    // The socket layer may report one close twice; only the first report is a departure.
    if (!taken(participant)) return;
    dropHeldFor(participant);
    const bool wasLoggedIn = loggedIn(participant) || link(participant).standsIn;
    const bool removed = link(participant).removed;
    const bool announced = link(participant).announced || link(participant).standsIn;
    clearLink(participant);
    if (participant <= Seats) {
        m_hungTurn[std::size_t(participant)] = 0;
        m_backAtNextTurn[std::size_t(participant)] = false;
    }
    departure(participant, wasLoggedIn, removed, announced);
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
    l.waitingBytes -= int(q.text.size());
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
    // Seat keys and passwords never reach the log: of those only the command word is shown.
    const Command c = splitCommand(q.text);
    const bool secret = c.word == cmd::Rejoin || c.word == cmd::Password;
    qCWarning(lcHost).noquote() << QStringLiteral("dropped a message from participant %1 (%2): %3%4")
                                       .arg(q.participant)
                                       .arg(QLatin1String(why), logText(secret ? c.word : q.text), more);
}

} // namespace quornet::host
