// The host's rules engine: the authoritative table of one game.
//
// Plain C++ over QtCore: no sockets, widgets or real timers. Bytes arrive with the participant
// whose connection they came from; they are framed and queued per connection, and each call of
// dispatchOne() (the adapter's 10 ms socktimer tick) handles exactly one queued message, taking
// the connections in turn so that one participant's backlog never holds up another's. Answers
// leave through the Outbox. The computer players act on botTimerFired() (the adapter's Timer1);
// deadlines (logins, hung turns, held seats) fall due through advanceTo(). So every run is
// deterministic for a given Random and sequence of calls.
//
// Trust: a queued message keeps the participant number of the connection it came from. Fields
// naming a participant or seat must be the sender's own; CMD_startgame and CMD_kickhim act only
// when participant 1 (the host user: the hosting copy's own table window, or an allowed address
// of the dedicated host) sent them, and no other connection is ever numbered 1; game requests
// from a connection follow the turn phases (draw once, then books and one discard). Names and
// chat are cleaned before they are kept or relayed. A connection that sends faster than a
// person can, or never logs in, is closed. Malformed or out-of-range fields drop that one
// message (logged at most once a second per connection). The computer players call the same
// handlers directly, as the host.
#pragma once

#include "host/outbox.h"
#include "host/random.h"
#include "host/table.h"
#include "protocol/framing.h"

#include <QByteArray>
#include <QString>

#include <deque>
#include <functional>
#include <memory>

namespace quornet::host {

class ComputerPlayer;

// Limits on a connection's pace: a burst of a few dozen messages passes; a connection with more
// than MaxWaitingMessages waiting, or that sent more than MaxMessagesPerWindow within
// RateWindowMs, is sending faster than a person can and is closed.
inline constexpr int MaxWaitingMessages = 100;
inline constexpr int MaxMessagesPerWindow = 200;
inline constexpr int RateWindowMs = 10'000;
// A connection that has not logged in within this time is closed.
inline constexpr int LoginDeadlineMs = 10'000;
// A human seat whose turn has seen no message from its connection for this long is set to
// just watching, and the computer player takes the turn.
inline constexpr int DefaultTurnTimeoutMs = 120'000;
// A seated player who drops during a game keeps the seat this long, for a return under the
// same name.
inline constexpr int DefaultSeatHoldMs = 120'000;
// Refusals of one connection are logged at most this often.
inline constexpr int RefusalLogIntervalMs = 1000;

struct EngineOptions {
    // The dedicated host has no own table window: seat 1 leaving in its turn is taken over like
    // any other seat, and is held for its player like any other.
    bool takeOverSeatOne = false;
    int maxWaitingPerConnection = MaxWaitingMessages;
    int maxPerRateWindow = MaxMessagesPerWindow;
    int rateWindowMs = RateWindowMs;
    int loginDeadlineMs = LoginDeadlineMs; // 0: no deadline
    int turnTimeoutMs = DefaultTurnTimeoutMs; // 0: a turn waits as long as it takes
    int seatHoldMs = DefaultSeatHoldMs;       // 0: seats are not held
    // Run checkInvariants() after every handled message and timer event (tests, simulator debug).
    bool checkInvariants = false;
};

struct EngineStats {
    long long gamesStarted = 0;
    long long gamesEnded = 0;
    long long rounds = 0;
    long long turns = 0;
    long long messagesHandled = 0;
    long long messagesDropped = 0;
    int lastWinner = -1; // team of the last CMD_winner, 0 for a tie
};

class HostEngine {
public:
    HostEngine(Outbox& outbox, Random& random, EngineOptions options = {});
    ~HostEngine();
    HostEngine(const HostEngine&) = delete;
    HostEngine& operator=(const HostEngine&) = delete;

    // --- Connections -----------------------------------------------------------------------
    struct AcceptResult {
        int participant = 0;
        bool refused = false; // the table is full: send msg::full() and close; nothing changed
    };
    // Numbers a new connection: the lowest free number that no held seat keeps. Number 1 (the
    // host user's rights) goes only to a connection the adapter accepts as the host user's: the
    // hosting copy's own table window, or a dedicated host's allowed address.
    AcceptResult accept(bool hostUser = true);
    // Sends CMD_sendlogininfo to an accepted participant (after the adapter mapped its socket).
    void welcome(int participant);
    // Received bytes of a participant's connection: framed (with carry-over) into its queue.
    // A connection that overflows the framing limit or sends faster than a person can is closed
    // through the Outbox, and what it still had queued is dropped; returns false in that case.
    bool receive(int participant, const QByteArray& bytes);
    // Queues one already framed message as if it came from the participant's connection.
    bool enqueue(int participant, const QByteArray& text);
    // The participant's connection closed (peer, kick or error). Handled once per connection.
    void connectionClosed(int participant);

    // --- Time --------------------------------------------------------------------------------
    // One socktimer tick: takes one queued message, from the next connection in turn that has
    // one waiting, and handles it. False when nothing was waiting.
    bool dispatchOne();
    // The engine's clock in milliseconds (the adapter's monotonic clock; tests step it by hand).
    // Moving it on handles every deadline that fell due: logins not made in time, hung turns,
    // held seats that lapse.
    void advanceTo(qint64 nowMs);
    qint64 now() const { return m_now; }
    // When advanceTo() next has something to do; -1 when nothing is waiting for time.
    qint64 nextDeadline() const;
    // One Timer1 event.
    void botTimerFired();
    bool botTimerEnabled() const { return m_timerEnabled; }
    int botTimerInterval() const { return m_timerInterval; }
    TimerTag botTimerTag() const { return m_timerTag; }
    // The Bot Speed value read each time Timer1 is armed (1000 until told otherwise).
    void setBotSpeedSource(std::function<int()> source) { m_botSpeed = std::move(source); }
    void setBotSpeed(int ms);
    // The solo game: the next round is dealt only once the host user has seen the end of the
    // last one (continueAfterRound(), the round summary's Continue), not after the pause alone.
    void setRoundWaitsForHostUser(bool waits) { m_roundWaits = waits; }
    void continueAfterRound();
    // The pause is over and the next round waits for continueAfterRound().
    bool roundWaiting() const { return m_roundWaiting; }

    // --- Requests issued by the host itself (computer players, automatic draws) -------------
    // Starts a game as CMD_startgame does. lengthCode "r" one round, "3"/"5" to 3000/5000,
    // anything else to 10000.
    void startGame(const QByteArray& starter, const QByteArray& lengthCode, bool twoPlayer,
                   bool pickUp, int pickUpCount);
    void requestDraw(int seat, int mode);
    void requestCreateBook(int seat, int a, int b, int c);
    void requestAddToBook(int seat, int handSlot, int bookSlot);
    void requestAddToComp(int seat, int handSlot, int compSlot);
    void requestDiscard(int seat, int handSlot);

    // --- Inspection --------------------------------------------------------------------------
    const Table& table() const { return m_t; }
    const EngineStats& stats() const { return m_stats; }
    int queuedMessages() const { return m_queued; }
    // The name a seat is held for (its player dropped during the game), empty when not held.
    QByteArray heldFor(int seat) const;
    // Empty when every invariant holds, else a description of the first broken one.
    QString checkInvariants() const;
    // A compact text picture of the table for scenario tests and debugging.
    QString dump() const;
    Random& random() { return m_random; }
    // The computer players' driver: their levels, seed and thinker.
    ComputerPlayer& computerPlayer() { return *m_bots; }
    // Test support only: the table itself, so scenario tests can place cards, piles and books.
    // Production code never writes through it.
    Table& tableForTest() { return m_t; }

private:
    struct Queued {
        int participant;
        QByteArray text;
    };
    // One accepted connection, kept under the participant number it holds.
    struct Link {
        quint64 serial = 0; // 0: the number is free
        bool loggedIn = false;
        bool hostUser = false;
        bool closing = false; // the adapter was asked to close it; the number is free once it has
        bool removed = false; // by the host user: its seat is not held
        protocol::FrameSplitter framing{protocol::FrameSplitter::DefaultMaxPending};
        std::deque<QByteArray> queue;
        std::deque<qint64> recent; // arrival times of its latest messages (the rate window)
        qint64 since = 0;          // accepted, or given its number, at
        qint64 lastHeard = 0;      // its last message arrived at
        qint64 refusalLoggedAt = 0;
        int refusalsUnlogged = 0;
        bool refusalEverLogged = false;
    };
    // A seat kept for its player's return.
    struct Hold {
        QByteArray name; // empty: not held
        qint64 until = 0;
    };

    Link& link(int n) { return m_links[std::size_t(n)]; }
    const Link& link(int n) const { return m_links[std::size_t(n)]; }
    bool taken(int n) const { return link(n).serial != 0; }
    bool loggedIn(int n) const { return link(n).loggedIn; }
    void handle(const Queued& q);
    void dropped(const Queued& q, const char* why);
    void closeFlooder(int participant, const char* why);
    void requestClose(int participant);
    void clearLink(int n);

    // Deadlines and held seats (engine_links.cpp).
    void expireLogins();
    void checkTurnTimeout();
    qint64 turnDeadline() const;
    void holdSeat(int seat, const QByteArray& name);
    void releaseHold(int seat, const char* why);
    void releaseAllHolds(const char* why);
    bool returnToHeldSeat(int n, const QByteArray& name);
    void heardFrom(int participant, bool restore);

    // Seats, logins and relays.
    void login(const Queued& q, const QByteArray& args);
    void announceArrival(int n, const QByteArray& version);
    void catchUp(int n);
    void kickHim(const Queued& q, const QByteArray& args);
    void relay(const Queued& q, const QByteArray& args, const char* word);
    void justWatch(const Queued& q, const QByteArray& args);
    void departure(int n, bool wasLoggedIn, bool removed);
    void takeOver(int seat);

    // Game start, dealing, drawing.
    void startGameRequest(const Queued& q, const QByteArray& args);
    void startNewRound();
    void clearRoundState();
    void shuffleDeck();
    void deal();
    void getCard(int seat, int slot, bool intoHand);
    bool reshuffle();
    void drawing(int seat, int mode);

    // Books.
    void createBook(int seat, int a, int b, int c);
    void addToBook(int seat, int slot, int bookSlot);
    void addToComp(int seat, int slot, int compSlot);
    void addScore(int seat, int card);

    // Discards, feet, turns, scoring.
    void discard(int seat, int slot);
    void checkForFoot(int seat, bool afterDiscard);
    void findPlayer();
    bool checkForWin(int seat);
    void postWinner(int seat);
    void setTeamScore(int seat, int score);

    // Timer1.
    void armTimer(TimerTag tag);
    void disarmTimer();
    int botSpeed() const;

    // Game requests from connections (sender, phase and range checks before the handler).
    void gameRequest(const Queued& q, const char* word, const QByteArray& args);

    // Sending.
    void sendTo(int participant, const QByteArray& message);
    template <typename Build> void sendToSeat(int seat, Build build);
    template <typename Build> void broadcast(Build build, int except = 0);
    bool anyConnected() const;
    void afterEvent();

    Outbox& m_out;
    Random& m_random;
    EngineOptions m_options;
    Table m_t;
    EngineStats m_stats;
    std::unique_ptr<ComputerPlayer> m_bots;

    std::array<Link, ConnectionRecords + 1> m_links{};
    int m_queued = 0;      // messages waiting over all connections
    int m_lastServed = 0;  // the connection dispatchOne() took its last message from
    quint64 m_nextConnection = 1;
    qint64 m_now = 0;

    std::array<Hold, Seats + 1> m_holds{};
    // The turn's start, for the hung-turn deadline; a seat the host set to just watching for a
    // hung turn (restored when its connection speaks again).
    qint64 m_turnSince = 0;
    quint64 m_turnSerial = 0;
    std::array<quint64, Seats + 1> m_hungTurn{}; // the turn serial it hung in, 0 = none

    bool m_timerEnabled = false;
    int m_timerInterval = 1000;
    TimerTag m_timerTag = TimerTag::Idle;
    int m_timerTicks = 0;
    std::function<int()> m_botSpeed;
    int m_fixedBotSpeed = 1000;
    bool m_everDealt = false;
    bool m_roundWaits = false;
    bool m_roundContinued = false; // the host user has seen the end of the round
    bool m_roundWaiting = false;
};

// Builds the message only when somebody will receive it (the simulator has no connections).
template <typename Build> void HostEngine::broadcast(Build build, int except)
{
    if (!anyConnected()) return;
    const QByteArray message = build();
    for (int k = 1; k <= m_t.highWater; ++k)
        if (k != except) sendTo(k, message);
}

template <typename Build> void HostEngine::sendToSeat(int seat, Build build)
{
    if (m_t.rec[std::size_t(seat)].connected) m_out.send(seat, build());
}

} // namespace quornet::host
