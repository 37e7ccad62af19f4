// Participants, seats, logins, relays, departures and the message dispatcher of the host.
#include "host/engine.h"

#include "host/computerplayer.h"
#include "host/log.h"
#include "protocol/fields.h"
#include "protocol/messages.h"

Q_LOGGING_CATEGORY(lcHost, "quornet.host")

namespace quornet::host {

using namespace protocol;

namespace {
const QByteArray DefaultNames[] = {"", "", "Klot", "Klick", "Kling"};
}

HostEngine::HostEngine(Outbox& outbox, Random& random, EngineOptions options)
    : m_out(outbox), m_random(random), m_options(options),
      m_bots(std::make_unique<ComputerPlayer>(*this))
{
    for (int s = 1; s <= Seats; ++s) {
        m_t.seat(s).partner = s <= 2 ? s + 2 : s - 2;
        m_t.seat(s).name = DefaultNames[s];
        m_t.seat(s).defaultName = DefaultNames[s];
    }
}

HostEngine::~HostEngine() = default;

// ---- Sending --------------------------------------------------------------------------------

void HostEngine::sendTo(int participant, const QByteArray& message)
{
    if (participant >= 1 && participant <= ConnectionRecords && m_t.rec[std::size_t(participant)].connected)
        m_out.send(participant, message);
}

bool HostEngine::anyConnected() const
{
    for (int k = 1; k <= m_t.highWater; ++k)
        if (m_t.rec[std::size_t(k)].connected) return true;
    return false;
}

// ---- Connections ----------------------------------------------------------------------------

HostEngine::AcceptResult HostEngine::accept()
{
    int n = 0;
    if (m_t.highWater == 0) {
        m_t.highWater = 1;
        n = 1;
    } else {
        int k = 1;
        while (m_t.rec[std::size_t(k)].connected && k != m_t.highWater) ++k;
        const bool taken = m_t.rec[std::size_t(k)].connected;
        if (!taken && k < 10) {
            n = k; // a freed number is reused, the lowest first
        } else if (taken && k >= MaxParticipants) {
            qCInfo(lcHost) << "table full: refused a connection";
            return {k + 1, true};
        } else {
            n = ++m_t.highWater;
        }
    }
    const auto i = std::size_t(n);
    m_t.rec[i].connected = true;
    m_connection[i] = m_nextConnection++;
    m_loggedIn[i] = false;
    m_queuedFrom[i] = 0;
    m_framing[i].clear();
    qCInfo(lcHost) << "connection accepted as participant" << n;
    return {n, false};
}

void HostEngine::welcome(int participant) { sendTo(participant, msg::sendLoginInfo(participant)); }

bool HostEngine::receive(int participant, const QByteArray& bytes)
{
    if (participant < 1 || participant > ConnectionRecords || m_connection[std::size_t(participant)] == 0)
        return false;
    auto& framing = m_framing[std::size_t(participant)];
    const QList<QByteArray> messages = framing.feed(bytes);
    if (framing.overflowed()) {
        qCWarning(lcHost) << "participant" << participant
                          << "sent more than 64 KiB without a terminator; closing its connection";
        m_out.disconnect(participant);
        return false;
    }
    for (const QByteArray& m : messages)
        if (!enqueue(participant, m)) return false;
    return true;
}

bool HostEngine::enqueue(int participant, const QByteArray& text)
{
    if (participant < 1 || participant > ConnectionRecords) return false;
    const auto i = std::size_t(participant);
    if (m_connection[i] == 0) return false;
    if (m_queuedFrom[i] >= m_options.maxQueuedPerConnection) {
        qCWarning(lcHost) << "participant" << participant << "floods the queue; closing its connection";
        m_out.disconnect(participant);
        return false;
    }
    m_queue.push_back({participant, m_connection[i], text});
    ++m_queuedFrom[i];
    return true;
}

void HostEngine::connectionClosed(int participant)
{
    if (participant < 1 || participant > ConnectionRecords) return;
    const auto i = std::size_t(participant);
    // The socket layer may report one close twice; only the first report is a departure.
    if (m_connection[i] == 0) return;
    m_connection[i] = 0;
    m_loggedIn[i] = false;
    m_queuedFrom[i] = 0;
    m_framing[i].clear();
    departure(participant);
    afterEvent();
}

void HostEngine::departure(int n)
{
    Record& r = m_t.rec[std::size_t(n)];
    qCInfo(lcHost).noquote() << "participant" << n << QString::fromUtf8(r.name) << "left";
    if (r.connected) {
        const QByteArray name = r.name;
        for (int k = 1; k <= m_t.highWater; ++k)
            if (k != n) sendTo(k, msg::playerDisconnected(n, name));
    }
    r.connected = false;
    r.name = r.defaultName;
    if (!(m_t.twoPlayer && (n == 3 || n == 4))) r.justWatching = false;
    if (m_t.running && n == m_t.turnSeat && (n != 1 || m_options.takeOverSeatOne)) takeOver(n);
}

void HostEngine::takeOver(int seat)
{
    if (m_t.phase == Phase::Draw)
        m_bots->draw(seat);
    else if (m_t.phase == Phase::Play)
        m_bots->play(seat);
}

// ---- Dispatch -------------------------------------------------------------------------------

bool HostEngine::dispatchOne()
{
    if (m_queue.empty()) return false;
    const Queued q = std::move(m_queue.front());
    m_queue.pop_front();
    const auto i = std::size_t(q.participant);
    if (m_connection[i] == q.connection && m_queuedFrom[i] > 0) --m_queuedFrom[i];
    handle(q);
    afterEvent();
    return true;
}

bool HostEngine::senderConnected(const Queued& q) const
{
    return m_connection[std::size_t(q.participant)] == q.connection;
}

void HostEngine::dropped(const Queued& q, const char* why)
{
    ++m_stats.messagesDropped;
    qCWarning(lcHost).noquote() << "dropped a message from participant" << q.participant << "(" << why
                                << "):" << QString::fromUtf8(q.text.left(80));
}

void HostEngine::handle(const Queued& q)
{
    const Command c = splitCommand(q.text);
    if (c.word.isEmpty()) return;
    // Messages still queued from a connection that has since closed speak for nobody.
    if (!senderConnected(q)) return;
    ++m_stats.messagesHandled;

    if (c.word == cmd::LoginInfo) return login(q, c.args);
    if (!m_loggedIn[std::size_t(q.participant)]) {
        if (c.word == cmd::KickHim || c.word == cmd::Chat || c.word == cmd::Action ||
            c.word == cmd::PlayASound || c.word == cmd::StartGame || c.word == cmd::JustWatch ||
            c.word == cmd::CreateBook || c.word == cmd::AddToBook || c.word == cmd::Discard ||
            c.word == cmd::AddToComp || c.word == cmd::Drawing)
            dropped(q, "sender has not logged in");
        return;
    }
    if (c.word == cmd::KickHim) return kickHim(q, c.args);
    if (c.word == cmd::Chat) return relay(q, c.args, cmd::Chat);
    if (c.word == cmd::Action) return relay(q, c.args, cmd::Action);
    if (c.word == cmd::PlayASound) return relay(q, c.args, cmd::PlayASound);
    if (c.word == cmd::StartGame) return startGameRequest(q, c.args);
    if (c.word == cmd::JustWatch) return justWatch(q, c.args);
    if (c.word == cmd::CreateBook || c.word == cmd::AddToBook || c.word == cmd::Discard ||
        c.word == cmd::AddToComp || c.word == cmd::Drawing)
        return gameRequest(q, c.word.constData(), c.args);
    // Unknown command words are ignored without a message.
}

// ---- Login and catch-up ---------------------------------------------------------------------

void HostEngine::login(const Queued& q, const QByteArray& args)
{
    FieldReader r(args);
    const int n = r.integer();
    const QByteArray version = r.text();
    const QByteArray name = r.rest();
    if (!r.ok()) return dropped(q, "malformed participant number");
    if (n != q.participant) return dropped(q, "participant number is not the sender's");

    Record& rec = m_t.rec[std::size_t(n)];
    rec.name = name;
    rec.connected = true;
    m_loggedIn[std::size_t(n)] = true;
    qCInfo(lcHost).noquote() << "participant" << n << "logged in as" << QString::fromUtf8(name)
                             << "version" << QString::fromUtf8(version);

    for (int k = 1; k <= m_t.highWater; ++k) sendTo(k, msg::newPlayerInfo(n, name));
    for (int k = 1; k <= m_t.highWater; ++k)
        if (k != n) sendTo(n, msg::existingPlayers(k, m_t.rec[std::size_t(k)].name));

    if (version != VersionText) {
        sendTo(1, msg::haveWrongVersion(name));
        sendTo(n, msg::wrongVersion());
    }
    if (m_t.running) catchUp(n);
}

void HostEngine::catchUp(int n)
{
    sendTo(n, msg::loadStats(m_t.lengthCode, m_t.pickUpCount));
    const int lastPlayingSeat = m_t.twoPlayer ? 2 : Seats;
    if (n <= lastPlayingSeat) {
        const Hand& hand = m_t.seat(n).hand;
        for (int slot = 0; slot < HandSlots; ++slot)
            if (hand[std::size_t(slot)] != 0) sendTo(n, msg::newCard(n, slot, hand[std::size_t(slot)]));
    }
    for (int team = 1; team <= 2; ++team) {
        const TeamBooks& tb = m_t.books(team);
        QList<BookEntry> working;
        for (int k = 1; k <= BookSlots; ++k) {
            const Book& b = tb.working[std::size_t(k)];
            if (b.count > 0) working.append({k, b.naming, b.kind, b.count});
        }
        if (!working.isEmpty()) sendTo(n, msg::loadBooks(team, working));
        QList<BookEntry> completed;
        for (int k = 1; k <= tb.completedCount; ++k) {
            const Book& b = tb.completed[std::size_t(k)];
            completed.append({k, b.naming, b.kind, b.count});
        }
        if (!completed.isEmpty()) sendTo(n, msg::loadComp(team, completed));
    }
    for (int s = 1; s <= Seats; ++s)
        if (m_t.seat(s).onFoot) sendTo(n, msg::useFoot(s));
    sendTo(n, msg::nextPlayer(1, 0, m_t.pickUp, m_t.turnSeat));
    sendTo(n, msg::postScores(m_t.seat(1).score, 0, 1, 3));
    sendTo(n, msg::postScores(m_t.seat(2).score, 0, 2, 4));
    for (int s = 1; s <= Seats; ++s)
        if (m_t.seat(s).justWatching) sendTo(n, msg::justWatching(s, 1));
    if (m_t.twoPlayer) sendTo(n, msg::noBotsCatchUp());
}

// ---- Kick, relays, just watch ---------------------------------------------------------------

void HostEngine::kickHim(const Queued& q, const QByteArray& args)
{
    FieldReader r(args);
    const int sender = r.integer();
    const int target = r.integer();
    if (!r.ok()) return dropped(q, "malformed participant number");
    // Only the host user's own table window (participant 1) may remove participants.
    if (q.participant != 1 || sender != 1) return dropped(q, "only participant 1 may remove participants");
    if (target < 1 || target > ConnectionRecords) return dropped(q, "participant out of range");
    if (!m_t.rec[std::size_t(target)].connected) return;
    qCInfo(lcHost) << "participant" << target << "removed by the host";
    m_out.disconnect(target);
}

void HostEngine::relay(const Queued& q, const QByteArray& args, const char* word)
{
    FieldReader r(args);
    const int p = r.integer();
    const QByteArray rest = r.rest();
    if (!r.ok()) return dropped(q, "malformed participant number");
    if (p != q.participant) return dropped(q, "participant number is not the sender's");
    const QByteArray& name = m_t.rec[std::size_t(p)].name;
    QByteArray out;
    if (word == cmd::Chat)
        out = msg::chatRelay(p, name + " chats: " + rest);
    else if (word == cmd::Action)
        out = msg::actionRelay(p, name + ' ' + rest);
    else
        out = msg::playASoundRelay(p, rest);
    for (int k = 1; k <= m_t.highWater; ++k) sendTo(k, out);
}

void HostEngine::justWatch(const Queued& q, const QByteArray& args)
{
    FieldReader r(args);
    const int s = r.integer();
    const QByteArray state = r.text();
    if (!r.ok()) return dropped(q, "malformed seat");
    if (s < 1 || s > ConnectionRecords) return dropped(q, "seat out of range");
    // A participant switches only its own seat; the host's user may switch any seat.
    if (s != q.participant && q.participant != 1) return dropped(q, "seat is not the sender's");
    Record& rec = m_t.rec[std::size_t(s)];
    if (!rec.connected) return;
    if (state == "2") {
        if (m_t.twoPlayer && (s == 3 || s == 4)) return;
        rec.justWatching = false;
        for (int k = 1; k <= m_t.highWater; ++k) sendTo(k, msg::justWatching(s, 2));
    } else if (state == "1") {
        rec.justWatching = true;
        for (int k = 1; k <= m_t.highWater; ++k) sendTo(k, msg::justWatching(s, 1));
        if (s == m_t.turnSeat) takeOver(s);
    }
}

// ---- Game requests from connections ---------------------------------------------------------

void HostEngine::gameRequest(const Queued& q, const char* word, const QByteArray& args)
{
    FieldReader r(args);
    const int seat = r.integer();
    const QByteArray w(word);
    int a = 0, b = 0, c = 0;
    if (w == cmd::CreateBook) {
        a = r.integer(); b = r.integer(); c = r.integer();
    } else if (w == cmd::Discard || w == cmd::Drawing) {
        a = r.integer(); // the hand slot, or the draw mode
    } else {
        a = r.integer(); b = r.integer();
    }
    if (!r.ok()) return dropped(q, "malformed number");
    if (seat != q.participant) return dropped(q, "seat is not the sender's");
    if (seat < 1 || seat > Seats) return dropped(q, "seat out of range");
    // Requests outside the seat's turn are ignored without an answer, as the handlers do.
    if (seat != m_t.turnSeat) return;
    // While the seat only watches, the computer player acts for it.
    if (m_t.computerPlayed(seat)) return dropped(q, "seat is played by the computer");

    const auto handSlotOk = [](int s) { return s >= 0 && s < HandSlots; };
    if (w == cmd::Drawing) {
        if (m_t.phase != Phase::Draw) return dropped(q, "the seat has already drawn");
        return drawing(seat, a);
    }
    if (m_t.phase != Phase::Play) return dropped(q, "the seat has not drawn yet");
    if (w == cmd::CreateBook) {
        if (!handSlotOk(a) || !handSlotOk(b) || !handSlotOk(c)) return dropped(q, "hand slot out of range");
        if (a == b || b == c || a == c) return dropped(q, "the same hand slot twice");
        return createBook(seat, a, b, c);
    }
    if (!handSlotOk(a)) return dropped(q, "hand slot out of range");
    if (w == cmd::Discard) return discard(seat, a);
    if (w == cmd::AddToBook) {
        if (b == -1) return; // no book chosen
        if (b < 1 || b > UsableBookSlots) return dropped(q, "book slot out of range");
        return addToBook(seat, a, b);
    }
    if (!m_t.books(m_t.seat(seat).team).hasCompleted(b)) return dropped(q, "no completed book in that slot");
    addToComp(seat, a, b);
}

// ---- Host's own requests --------------------------------------------------------------------
// The host's own draws are not held to the phases. A computer player's turn, though, runs to
// its end in one go: when it goes out on the way, the round is over (phase None) before its
// remaining steps, and those are refused as a participant's would be, so that its discard
// cannot end the round a second time and count the penalties again.

void HostEngine::requestDraw(int seat, int mode) { drawing(seat, mode); }

void HostEngine::requestCreateBook(int seat, int a, int b, int c)
{
    if (m_t.phase != Phase::Play) return;
    if (a < 0 || a >= HandSlots || b < 0 || b >= HandSlots || c < 0 || c >= HandSlots) return;
    createBook(seat, a, b, c);
}

void HostEngine::requestAddToBook(int seat, int handSlot, int bookSlot)
{
    if (m_t.phase != Phase::Play) return;
    if (handSlot < 0 || handSlot >= HandSlots || bookSlot < 1 || bookSlot > BookSlots) return;
    addToBook(seat, handSlot, bookSlot);
}

void HostEngine::requestAddToComp(int seat, int handSlot, int compSlot)
{
    if (m_t.phase != Phase::Play) return;
    if (handSlot < 0 || handSlot >= HandSlots || compSlot < 1 || compSlot > MaxCompletedBooks) return;
    addToComp(seat, handSlot, compSlot);
}

void HostEngine::requestDiscard(int seat, int handSlot)
{
    if (m_t.phase != Phase::Play) return;
    if (handSlot < 0 || handSlot >= HandSlots) return;
    discard(seat, handSlot);
}

} // namespace quornet::host
