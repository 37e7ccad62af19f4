// Who holds which seat: seat keys and the way back to a seat, held seats, removals that keep a
// participant out for the rest of the game, and the password of a private table.
//
// A seat belongs to a key, never to a name (names are public and not unique). When a connection
// takes a seat (1 to 4) it alone is told the seat's key (CMD_seatkey); the key is made when a
// player first takes the seat and kept for that player while it holds the seat or the seat is
// held for it. A window that connects again sends CMD_rejoin with the key before its login and
// gets that seat back, with its hand, whether the seat is held (the host saw the drop) or still
// bound to an old connection that only the window knows is dead (a Wi-Fi drop, a laptop waking
// up): that old connection is then closed without a word and the new one takes its place. A
// login without the right key is a newcomer's, whatever its name.
#include "host/computerplayer.h"
#include "host/engine.h"
#include "host/hosttext.h"
#include "host/log.h"
#include "protocol/fields.h"
#include "protocol/messages.h"

#include <QRandomGenerator>

namespace quornet::host {

using namespace protocol;

namespace {
constexpr char KeyAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
// Keys of earlier players are remembered this many at most, to tell a stale key from a foreign one.
constexpr int IssuedKeysKept = 256;

bool wellFormedKey(const QByteArray& key)
{
    if (key.size() != SeatKeyLength) return false;
    for (char c : key)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
    return true;
}
} // namespace

QByteArray HostEngine::newKey()
{
    QByteArray key;
    if (m_keySource) key = m_keySource();
    if (!wellFormedKey(key)) {
        key.resize(SeatKeyLength);
        QRandomGenerator* system = QRandomGenerator::system();
        for (char& c : key) c = KeyAlphabet[system->bounded(int(sizeof KeyAlphabet - 1))];
    }
    if (m_issuedKeys.size() >= IssuedKeysKept) m_issuedKeys.clear();
    m_issuedKeys.insert(key);
    return key;
}

int HostEngine::seatOfKey(const QByteArray& key) const
{
    if (!wellFormedKey(key)) return 0;
    for (int s = 1; s <= Seats; ++s)
        if (m_keys[std::size_t(s)] == key) return s;
    return 0;
}

int HostEngine::seatsTaken() const
{
    int n = 0;
    for (int s = 1; s <= Seats; ++s) n += loggedIn(s) ? 1 : 0;
    return n;
}

// The seat's key to the connection on it (a new player gets a new key; a returning one its own).
void HostEngine::giveSeatKey(int seat)
{
    QByteArray& key = m_keys[std::size_t(seat)];
    if (key.isEmpty()) {
        key = newKey();
        changed();
    }
    deliver(seat, msg::seatKey(seat, key));
}

void HostEngine::forgetSeatKey(int seat)
{
    if (seat >= 1 && seat <= Seats) m_keys[std::size_t(seat)].clear();
}

// ---- Before the login --------------------------------------------------------------------------

void HostEngine::rejoinRequest(const Queued& q, const QByteArray& args)
{
    Link& l = link(q.participant);
    if (l.loggedIn) return dropped(q, "a rejoin after the login");
    l.presentedKey = FieldReader(args).text();
}

void HostEngine::passwordRequest(const Queued& q, const QByteArray& args)
{
    Link& l = link(q.participant);
    if (!needsPassword() || l.passwordGiven) return dropped(q, "a password nobody asked for");
    const QByteArray given = FieldReader(args).rest();
    if (given.isEmpty()) return refuse(q.participant, msg::passwordNeeded(), "gave no password");
    if (given != m_password) return refuse(q.participant, msg::wrongPassword(), "gave a wrong password");
    l.passwordGiven = true;
    deliver(q.participant, msg::sendLoginInfo(q.participant));
}

// A refusal before the login: the reason to the connection alone, then it is closed.
void HostEngine::refuse(int participant, const QByteArray& message, const char* why)
{
    qCInfo(lcHost).noquote() << "participant" << participant << "from" << logText(link(participant).address)
                             << why + QByteArray("; closing its connection");
    deliver(participant, message);
    requestClose(participant);
}

// ---- Taking a seat back ------------------------------------------------------------------------

void HostEngine::moveToKeySeat(int n, int seat)
{
    const bool bound = taken(seat);
    if (bound) {
        // The player's old connection, dead on the window's side: closed without a departure,
        // so the seat keeps its hand, turn and just-watch state for the new one.
        qCInfo(lcHost).noquote() << "seat" << seat << logText(m_t.seat(seat).name)
                                 << "is back on a new connection; closing its old one";
        releaseAllSteps();
        m_out.forget(seat);
        clearLink(seat);
    } else {
        // The hold stays until the login under the seat's number.
        qCInfo(lcHost).noquote() << logText(m_holds[std::size_t(seat)].name) << "returns to seat" << seat;
    }
    Link moved = std::move(link(n));
    link(n) = Link{};
    moved.since = m_now;
    moved.standsIn = bound;
    link(seat) = std::move(moved);
    if (m_lastServed == n) m_lastServed = seat;
    m_t.highWater = qMax(m_t.highWater, seat);
    releaseAllSteps();
    m_out.renumber(n, seat);
    // Its first number was never announced; the login under the seat's number follows.
    welcome(seat);
}

// ---- Held seats --------------------------------------------------------------------------------

QByteArray HostEngine::heldFor(int seat) const
{
    return seat >= 1 && seat <= Seats ? m_holds[std::size_t(seat)].name : QByteArray();
}

void HostEngine::holdSeat(int seat, const QByteArray& name)
{
    if (m_options.seatHoldMs <= 0 || name.isEmpty() || m_keys[std::size_t(seat)].isEmpty()) {
        forgetSeatKey(seat);
        return;
    }
    Hold& h = m_holds[std::size_t(seat)];
    h.name = name;
    h.until = m_now + m_options.seatHoldMs;
    changed();
    qCInfo(lcHost).noquote() << "seat" << seat << "held for" << logText(name) << "for"
                             << m_options.seatHoldMs / 1000 << "s";
}

void HostEngine::releaseHold(int seat, const char* why, bool tell)
{
    Hold& h = m_holds[std::size_t(seat)];
    if (h.name.isEmpty()) return;
    qCInfo(lcHost).noquote() << "hold of seat" << seat << "for" << logText(h.name) << why;
    h = Hold{};
    forgetSeatKey(seat);
    changed();
    // A connection given the seat's number for a return that has not logged in yet is too late.
    if (taken(seat) && !loggedIn(seat)) requestClose(seat);
    // The windows show the computer's name on the seat again.
    if (tell) broadcast([&] { return msg::seatHeld(seat, 0, {}); });
}

void HostEngine::releaseAllHolds(const char* why)
{
    for (int s = 1; s <= Seats; ++s) releaseHold(s, why);
}

void HostEngine::endGameBans()
{
    if (!m_removedAddresses.isEmpty()) qCInfo(lcHost) << "removed participants may come back";
    m_removedAddresses.clear();
}

} // namespace quornet::host
