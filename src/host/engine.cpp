// Participants, seats, logins, relays, departures and the message dispatcher of the host.
#include "host/engine.h"

#include "host/computerplayer.h"
#include "host/hosttext.h"
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
    if (participant < 1 || participant > ConnectionRecords || !m_t.rec[std::size_t(participant)].connected) return;
    if (!holdForStep(participant, message)) m_out.send(participant, message);
}

bool HostEngine::anyConnected() const
{
    for (int k = 1; k <= m_t.highWater; ++k)
        if (m_t.rec[std::size_t(k)].connected) return true;
    return false;
}

void HostEngine::departure(int n, bool wasLoggedIn, bool removed, bool announced)
{
    Record& r = m_t.rec[std::size_t(n)];
    // A connection that never logged in was never announced and never held a seat.
    if (!wasLoggedIn) return;
    qCInfo(lcHost).noquote() << "participant" << n << logText(r.name) << "left";
    const QByteArray name = r.name;
    // The seat is kept for its player (not the hosting copy's own window, which ends the table;
    // not a player the host user removed). The others hear that first, so their windows keep
    // the player's name on the seat.
    const bool seatOneIsTheHosts = n == 1 && !m_options.takeOverSeatOne;
    if (n <= Seats) {
        if (m_t.running && !seatOneIsTheHosts && !removed) holdSeat(n, name);
        else forgetSeatKey(n);
        const Hold& h = m_holds[std::size_t(n)];
        if (!h.name.isEmpty() && announced) {
            const QByteArray held = msg::seatHeld(n, int((h.until - m_now) / 1000), h.name);
            for (int k = 1; k <= m_t.highWater; ++k)
                if (k != n) sendTo(k, held);
        }
    }
    if (r.connected && announced) {
        for (int k = 1; k <= m_t.highWater; ++k)
            if (k != n) sendTo(k, msg::playerDisconnected(n, name));
    }
    r.connected = false;
    r.name = r.defaultName;
    if (!(m_t.twoPlayer && (n == 3 || n == 4))) r.justWatching = false;
    if (m_t.running && n == m_t.turnSeat && !seatOneIsTheHosts) takeOver(n);
}

void HostEngine::closeTable()
{
    for (int k = 1; k <= m_t.highWater; ++k)
        if (taken(k) && !link(k).closing) deliver(k, msg::tableClosed());
    releaseAllSteps();
}

void HostEngine::takeOver(int seat)
{
    if (m_t.phase == Phase::Draw)
        m_bots->draw(seat);
    else if (m_t.phase == Phase::Play)
        m_bots->play(seat);
}

// ---- Dispatch -------------------------------------------------------------------------------

void HostEngine::handle(const Queued& q)
{
    const Command c = splitCommand(q.text);
    if (c.word.isEmpty()) return;
    // A connection being closed (removed, or flooding) speaks for nobody any more.
    if (link(q.participant).closing) return;
    ++m_stats.messagesHandled;

    // A private table hears nothing but its password from a connection that has not given it.
    if (needsPassword() && !link(q.participant).passwordGiven) {
        if (c.word == cmd::Password) return passwordRequest(q, c.args);
        if (c.word == cmd::Pong) return;
        return refuse(q.participant, msg::passwordNeeded(), "did not give the table's password");
    }
    if (c.word == cmd::Pong || c.word == cmd::Password) return;
    if (c.word == cmd::Rejoin) return rejoinRequest(q, c.args);
    if (c.word == cmd::LoginInfo) return login(q, c.args);
    if (!loggedIn(q.participant)) {
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
    QByteArray name = cleanName(r.rest());
    if (!r.ok()) return dropped(q, "malformed participant number");
    if (n != q.participant) return dropped(q, "participant number is not the sender's");
    // A participant's name is its own from its first login on: a second one would rename it.
    if (loggedIn(n)) return dropped(q, "already logged in");
    Link& l = link(n);
    int keySeat = seatOfKey(l.presentedKey);
    if (keySeat == 1 && !l.hostUser) keySeat = 0; // number 1 only for the host user
    if (!l.presentedKey.isEmpty() && keySeat == 0) {
        const bool known = m_issuedKeys.contains(l.presentedKey);
        qCInfo(lcHost).noquote() << "participant" << n << "presented" << (known ? "a stale" : "an unknown")
                                 << "seat key; it joins as a newcomer";
        deliver(n, msg::seatLost(known ? "lapsed" : "unknown"));
        l.presentedKey.clear();
    }
    if (keySeat == 0 && m_removedAddresses.contains(l.address))
        return refuse(n, msg::removed(), "was removed from this game");
    if (keySeat != 0 && keySeat != n) return moveToKeySeat(n, keySeat);

    Record& rec = m_t.rec[std::size_t(n)];
    if (name.isEmpty()) name = !rec.defaultName.isEmpty() ? rec.defaultName : "Player " + QByteArray::number(n);
    // Back on its own seat: after a hold, or still bound to it (a one-sided drop: the others
    // saw nothing go).
    const bool returning = keySeat == n;
    const Arrival arrival = !returning ? Arrival::Newcomer : rec.connected ? Arrival::Reconnected : Arrival::Returning;
    if (returning) {
        m_holds[std::size_t(n)] = Hold{};
        l.standsIn = false;
        changed();
    }
    if (n <= Seats && !returning) forgetSeatKey(n); // a new player on the seat: a new key
    rec.name = name;
    rec.connected = true;
    l.loggedIn = true;
    l.loggedInAt = m_now;
    qCInfo(lcHost).noquote() << "participant" << n << (returning ? "is back as" : "logged in as") << logText(name)
                             << "version" << logText(version, 16);
    if (n <= Seats) giveSeatKey(n);
    announceArrival(n, version, arrival);
    if (m_t.running) catchUp(n);
}

// The arriving participant hears of itself and of everybody at the table at once. The others
// hear of a newcomer once it has stayed for the quiet time (churn is never announced), of a
// player back from a held seat at once, and of a player back on a new connection nothing (they
// never saw it go).
void HostEngine::announceArrival(int n, const QByteArray& version, Arrival arrival)
{
    Link& l = link(n);
    const QByteArray arrived = msg::newPlayerInfo(n, m_t.rec[std::size_t(n)].name);
    if (arrival == Arrival::Returning || (arrival == Arrival::Newcomer && m_options.quietArrivalMs <= 0)) {
        l.announced = true;
        for (int k = 1; k <= m_t.highWater; ++k) sendTo(k, arrived);
    } else {
        l.announced = arrival == Arrival::Reconnected;
        sendTo(n, arrived);
    }
    // Every seat (a seat without a participant, or whose newcomer is not announced yet, under its
    // computer player's name) and every announced spectator at the table.
    for (int k = 1; k <= m_t.highWater; ++k) {
        if (k == n) continue;
        const Record& rec = m_t.rec[std::size_t(k)];
        const bool hidden = loggedIn(k) && !link(k).announced;
        if (k <= Seats) sendTo(n, msg::existingPlayers(k, hidden ? rec.defaultName : rec.name));
        else if (loggedIn(k) && !hidden) sendTo(n, msg::existingPlayers(k, rec.name));
    }
    if (version != VersionText) {
        sendTo(1, msg::haveWrongVersion(m_t.rec[std::size_t(n)].name));
        sendTo(n, msg::wrongVersion());
    }
}

void HostEngine::announceToOthers(int n)
{
    link(n).announced = true;
    const QByteArray arrived = msg::newPlayerInfo(n, m_t.rec[std::size_t(n)].name);
    for (int k = 1; k <= m_t.highWater; ++k)
        if (k != n) sendTo(k, arrived);
}

void HostEngine::catchUp(int n)
{
    sendTo(n, msg::loadStats(m_t.lengthCode, m_t.pickUpCount));
    // The score sheet so far, a round a message.
    for (std::size_t r = 0; r < m_rounds.size(); ++r) {
        const auto points = [&](int team) {
            const TeamRoundPoints& p = m_rounds[r].teams[std::size_t(team)];
            return msg::TeamPoints{p.cards, p.bonuses, p.goingOut, p.penalties, p.total};
        };
        sendTo(n, msg::scoreSheetRound(int(r) + 1, m_rounds[r].finished, m_rounds[r].wentOut, points(1), points(2)));
    }
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
    sendTo(n, msg::postScores(m_t.seat(1).score, 0, 1, 3));
    sendTo(n, msg::postScores(m_t.seat(2).score, 0, 2, 4));
    for (int s = 1; s <= Seats; ++s)
        if (m_t.seat(s).justWatching) sendTo(n, msg::justWatching(s, 1));
    if (m_t.twoPlayer) sendTo(n, msg::noBotsCatchUp());
    // Seats kept for players who dropped, with the time left.
    for (int s = 1; s <= Seats; ++s) {
        const Hold& h = m_holds[std::size_t(s)];
        if (!h.name.isEmpty()) sendTo(n, msg::seatHeld(s, int((h.until - m_now + 999) / 1000), h.name));
    }
    // The table as it is: the top of the pile, then every seat's card count, each in a
    // CMD_nextplayer naming the seat as the one whose turn ended. The turn seat comes last, so a
    // newcomer on it sees its turn (and the pick-up button, which needs the pile) once.
    if (m_t.topOfPile() != 0) sendTo(n, msg::discardTop(m_t.topOfPile()));
    const int turn = m_t.turnSeat;
    for (int s = 1; s <= Seats; ++s) {
        if (s == turn) continue;
        // A newcomer on the turn seat is told another seat's turn until the last message.
        const int shown = n == turn ? s : turn;
        sendTo(n, msg::nextPlayer(s, cardsIn(m_t.seat(s).hand), m_t.pickUp, shown));
    }
    // A player back on its seat in the middle of its own turn has drawn already: its window is
    // told a turn without the pick-up option, which shows no draw buttons.
    const bool drawn = n == turn && m_t.phase == Phase::Play && !m_t.computerPlayed(turn);
    if (turn != 0) sendTo(n, msg::nextPlayer(turn, cardsIn(m_t.seat(turn).hand), m_t.pickUp && !drawn, turn));
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
    if (!taken(target) || link(target).closing) return;
    qCInfo(lcHost) << "participant" << target << "removed by the host";
    // A removed player's seat is not held for it, its key is void, and during a game it cannot
    // come back from its address before the game ends.
    if (target <= Seats) releaseHold(target, "ended: the player was removed", true);
    link(target).removed = true;
    if (m_t.running && target != 1 && !link(target).address.isEmpty())
        m_removedAddresses.insert(link(target).address);
    // Told of its own departure first, the removed participant's window knows why it closes
    // (and does not try to get back to the table).
    if (loggedIn(target)) sendTo(target, msg::playerDisconnected(target, m_t.rec[std::size_t(target)].name));
    requestClose(target);
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
    if (word == cmd::Chat) {
        out = msg::chatRelay(p, fillIn(QT_TRANSLATE_NOOP("HostText", "%1 chats: %2"), {name, cleanChat(rest)}));
    } else if (word == cmd::Action) {
        out = msg::actionRelay(p, name + ' ' + cleanChat(rest));
    } else {
        // Only the twenty chatter sounds, and only from a seat (the sound menu is a seat's).
        if (!isChatterSound(rest)) return dropped(q, "no such chatter sound");
        if (p > Seats) return dropped(q, "spectators send no chatter sounds");
        out = msg::playASoundRelay(p, rest);
    }
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
    changed();
    // The turn seat's own switch is a move: it resets the hung-turn clock.
    if (s == q.participant && s == m_t.turnSeat) m_turnSince = m_now;
    if (state == "2") {
        if (m_t.twoPlayer && (s == 3 || s == 4)) return;
        if (s <= Seats) {
            m_hungTurn[std::size_t(s)] = 0;
            // The computer has drawn for the seat this turn: the player takes over from its next
            // turn, so no turn is played half by each.
            const bool autoDrawDue = m_timerEnabled && m_timerTag == TimerTag::AutoDraw;
            if (m_t.running && s == m_t.turnSeat && m_t.phase == Phase::Play && rec.justWatching && !autoDrawDue) {
                m_backAtNextTurn[std::size_t(s)] = true;
                return;
            }
            m_backAtNextTurn[std::size_t(s)] = false;
        }
        rec.justWatching = false;
        for (int k = 1; k <= m_t.highWater; ++k) sendTo(k, msg::justWatching(s, 2));
    } else if (state == "1") {
        if (s <= Seats) {
            m_hungTurn[std::size_t(s)] = 0;
            m_backAtNextTurn[std::size_t(s)] = false;
        }
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
    // A player whose hung turn the computer took over shows it is back by any move.
    if (takenOverForHungTurn(seat)) playerBack(seat);
    // Requests outside the seat's turn are ignored without an answer, as the handlers do.
    if (seat != m_t.turnSeat) return;
    // While the seat only watches, the computer player acts for it.
    if (m_t.computerPlayed(seat)) return dropped(q, "seat is played by the computer");
    m_turnSince = m_now; // a move: the hung-turn clock starts again

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

void HostEngine::requestDraw(int seat, int mode)
{
    beginStep();
    drawing(seat, mode);
}

void HostEngine::requestCreateBook(int seat, int a, int b, int c)
{
    beginStep();
    if (m_t.phase != Phase::Play) return;
    if (a < 0 || a >= HandSlots || b < 0 || b >= HandSlots || c < 0 || c >= HandSlots) return;
    createBook(seat, a, b, c);
}

void HostEngine::requestAddToBook(int seat, int handSlot, int bookSlot)
{
    beginStep();
    if (m_t.phase != Phase::Play) return;
    if (handSlot < 0 || handSlot >= HandSlots || bookSlot < 1 || bookSlot > BookSlots) return;
    addToBook(seat, handSlot, bookSlot);
}

void HostEngine::requestAddToComp(int seat, int handSlot, int compSlot)
{
    beginStep();
    if (m_t.phase != Phase::Play) return;
    if (handSlot < 0 || handSlot >= HandSlots || compSlot < 1 || compSlot > MaxCompletedBooks) return;
    addToComp(seat, handSlot, compSlot);
}

void HostEngine::requestDiscard(int seat, int handSlot)
{
    beginStep();
    if (m_t.phase != Phase::Play) return;
    if (handSlot < 0 || handSlot >= HandSlots) return;
    discard(seat, handSlot);
}

} // namespace quornet::host
