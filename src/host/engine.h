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
#include "host/roundscores.h"
#include "host/table.h"
#include "protocol/framing.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QSet>
#include <QtGlobal>
#include <QString>

#include <memory>
#include <vector>

namespace quornet::host {

class ComputerPlayer;

// Limits on a connection's pace: a burst of a few dozen messages passes; a connection with more
// than MaxWaitingMessages waiting, or that sent more than MaxMessagesPerWindow within
// RateWindowMs, is sending faster than a person can and is closed.
inline constexpr int MaxWaitingMessages = 100;
inline constexpr int MaxMessagesPerWindow = 200;
inline constexpr int RateWindowMs = 10'000;
// The longest message a table window sends is about 450 bytes: a frame longer than this, or more
// than MaxWaitingBytes waiting in one connection's queue, closes the connection.
inline constexpr int MaxFrameBytes = 4 * 1024;
inline constexpr int MaxWaitingBytes = 64 * 1024;
// A connection that has not logged in within this time is closed.
inline constexpr int LoginDeadlineMs = 10'000;
// A human seat whose turn has seen no move from its connection for this long is set to just
// watching, and the computer player plays for it until the player is back.
inline constexpr int DefaultTurnTimeoutMs = 120'000;
// A seated player who drops during a game keeps the seat this long, for a return with its key.
inline constexpr int DefaultSeatHoldMs = 120'000;
// Liveness: a logged-in connection that has heard nothing from the host, or said nothing to it,
// for HeartbeatIdleMs is sent CMD_ping (our windows answer CMD_pong); one that has sent nothing
// for LinkSilenceMs is taken for dropped (a pulled cable, a laptop gone to sleep), and its seat is
// held as for any drop.
inline constexpr int HeartbeatIdleMs = 10'000;
inline constexpr int LinkSilenceMs = 45'000;
// A connection that leaves within this time of its login is announced to nobody, so arrivals
// and departures in quick succession cannot flood the chat panes.
inline constexpr int QuietArrivalMs = 5'000;
// Refusals of one connection are logged at most this often.
inline constexpr int RefusalLogIntervalMs = 1000;
// A seat key: this many characters of A-Z, a-z and 0-9.
inline constexpr int SeatKeyLength = 20;
// A game restored after a crash or restart holds every human seat this long for its player's
// key; for the first ReturnGraceMs the computer players wait for a returning player before they
// play a held seat's turn.
inline constexpr int RestoredSeatHoldMs = 300'000;
inline constexpr int ReturnGraceMs = 30'000;
// The saved game's format: a newer version is refused, not guessed at.
inline constexpr int SavedGameVersion = 1;

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
    int maxFrameBytes = MaxFrameBytes;
    int maxWaitingBytes = MaxWaitingBytes;
    int heartbeatIdleMs = HeartbeatIdleMs; // 0: no heartbeats
    int linkSilenceMs = LinkSilenceMs;     // 0: a silent connection stays
    int quietArrivalMs = QuietArrivalMs;   // 0: arrivals are announced at once
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
    // hosting copy's own table window, or a dedicated host's allowed address. `address` is the
    // peer's address as text: a participant removed by the host user cannot log in again from
    // it for the rest of that game.
    AcceptResult accept(bool hostUser = true, const QByteArray& address = {});
    // Sends CMD_sendlogininfo to an accepted participant (after the adapter mapped its socket),
    // or, at a private table, CMD_passwordneeded.
    void welcome(int participant);
    // Received bytes of a participant's connection: framed (with carry-over) into its queue.
    // A connection that overflows the framing limit or sends faster than a person can is closed
    // through the Outbox, and what it still had queued is dropped; returns false in that case.
    bool receive(int participant, const QByteArray& bytes);
    // Queues one already framed message as if it came from the participant's connection.
    bool enqueue(int participant, const QByteArray& text);
    // The participant's connection closed (peer, kick or error). Handled once per connection.
    void connectionClosed(int participant);
    // The table ends (the hosting copy closes it): every participant is told CMD_tableclosed,
    // so its window closes instead of trying to get back.
    void closeTable();

    // --- Seats and private tables ------------------------------------------------------------
    // Where seat keys come from: 20 characters of A-Z, a-z, 0-9 from the system's
    // cryptographic source unless a test sets a source of its own.
    void setKeySource(std::function<QByteArray()> source) { m_keySource = std::move(source); }
    // A private table: a connection must send this password (CMD_password) before it learns
    // anything of the table. Empty: no password.
    void setPassword(const QByteArray& password) { m_password = password; }
    bool needsPassword() const { return !m_password.isEmpty(); }
    // Seats 1..4 held by a logged-in human.
    int seatsTaken() const;

    // --- Time --------------------------------------------------------------------------------
    // One socktimer tick: takes one queued message, from the next connection in turn that has
    // one waiting, and handles it. False when nothing was waiting.
    bool dispatchOne();
    // The engine's clock in milliseconds (the adapter's monotonic clock; tests step it by hand).
    // Moving it on handles every deadline that fell due: logins not made in time, hung turns,
    // held seats that lapse.
    void advanceTo(qint64 nowMs);
    qint64 now() const { return m_now; }
    // The host itself did not run for this long (the process was stopped, the machine stalled):
    // nobody's silence and no turn's wait counts that time, so nobody is taken for gone because
    // the host could not hear. Held seats' time runs on.
    void clockStalled(qint64 stalledMs);
    // When advanceTo() next has something to do; -1 when nothing is waiting for time.
    qint64 nextDeadline() const;
    // One Timer1 event.
    // While a computer player's steps are still on their way (engine_steps.cpp), Timer1 runs at
    // the step pace and each event hands out the next step instead of counting a tick.
    void botTimerFired();
    bool botTimerEnabled() const { return m_timerEnabled || !m_steps.empty(); }
    int botTimerInterval() const { return m_steps.empty() ? m_timerInterval : stepPaceMs(); }
    TimerTag botTimerTag() const { return m_timerTag; }
    // A computer player's steps still on their way to the connections.
    int pendingSteps() const { return int(m_steps.size()); }
    // The pace of a computer player's steps: about 300 ms at the Normal bot speed (750 ms), in
    // proportion for the others.
    static constexpr int StepPaceAtNormalMs = 300;
    static constexpr int NormalBotSpeedMs = 750;
    int stepPaceMs() const { return qMax(1, m_botSpeed * StepPaceAtNormalMs / NormalBotSpeedMs); }
    // The computer players' pace (Bot Speed), read each time Timer1 is armed (1000 until told
    // otherwise): the engine's owner sets it whenever it changes.
    void setBotSpeed(int ms) { m_botSpeed = ms; }
    int botSpeed() const { return m_botSpeed; }
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

    // --- The game as one value (engine_save.cpp) ----------------------------------------------
    // Everything of the game: the table, held seats with their keys and the time they have
    // left, the turn and its clock, the timer's pending step, the round gate, the computer
    // players' memory and generators, the game's generator and each round's scores, as a
    // versioned JSON document. Connections are not part of it.
    QByteArray saveGame() const;
    // Into a fresh engine (no connections yet): the game goes on as if it had never stopped, the
    // same inputs giving the same cards, decisions and messages; every seat a human held is
    // held for its key for RestoredSeatHoldMs. A damaged, foreign or newer document changes
    // nothing and returns false with the reason.
    bool restoreGame(const QByteArray& document, QString* error);
    // Counts the changes to the game: moves, turns, rounds, seats held and freed. The adapter
    // saves when it moves on (Outbox::gameChanged says so after each event).
    quint64 gameChanges() const { return m_gameChanges; }

    // --- Inspection --------------------------------------------------------------------------
    const Table& table() const { return m_t; }
    // Every round of the game in progress (or of the last game), as scored.
    const ScoreLedger& rounds() const { return m_rounds; }
    const EngineStats& stats() const { return m_stats; }
    int queuedMessages() const { return m_queued; }
    // The name a seat is held for (its player dropped during the game), empty when not held.
    QByteArray heldFor(int seat) const;
    // The seat whose key this is, 0 when it is nobody's.
    int seatOfKey(const QByteArray& key) const;
    // The key of a seat, empty when it has none (a resumed hosting copy gives its own window
    // the key of seat 1).
    QByteArray seatKey(int seat) const { return seat >= 1 && seat <= Seats ? m_keys[std::size_t(seat)] : QByteArray(); }
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
        bool announced = false;    // the others were told of its arrival
        // Moved onto a seat still bound to its player's dead connection: until its login it
        // stands in for that player (its close is the player's departure).
        bool standsIn = false;
        bool passwordGiven = false; // a private table's password was right
        protocol::FrameSplitter framing{MaxFrameBytes};
        // Queues as QLists: taking the first is as cheap as with a deque, and an empty one
        // allocates nothing (an engine holds a dozen records, built with each game).
        QList<QByteArray> queue;
        int waitingBytes = 0;
        QList<qint64> recent; // arrival times of its latest messages (the rate window)
        QByteArray address;        // the peer's address, as the adapter gave it
        QByteArray presentedKey;   // the seat key of its CMD_rejoin, empty when none
        qint64 since = 0;          // accepted, or given its number, at
        qint64 loggedInAt = 0;
        qint64 lastHeard = 0;      // its last message arrived at
        qint64 lastSent = 0;       // the host last sent it something at
        qint64 lastPing = 0;       // the host last asked it for a heartbeat at
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

    // Deadlines (engine_time.cpp): logins not made, heartbeats and silent links, hung turns.
    void expireLogins();
    void checkLinks();
    void announceQuietArrivals();
    void checkTurnTimeout();
    qint64 turnDeadline() const;
    // A seat the computer plays for a hung turn: its player is back (I'm Back, or a move).
    // From this turn on while the computer has not drawn for it yet, else from its next turn.
    void playerBack(int seat);
    bool takenOverForHungTurn(int seat) const { return m_hungTurn[std::size_t(seat)] != 0; }
    void restoreSeat(int seat);

    // Seat keys, held seats, removals and private tables (engine_seats.cpp).
    void rejoinRequest(const Queued& q, const QByteArray& args);
    void passwordRequest(const Queued& q, const QByteArray& args);
    void refuse(int participant, const QByteArray& message, const char* why);
    QByteArray newKey();
    void giveSeatKey(int seat);
    void forgetSeatKey(int seat);
    // A valid key for another seat than the connection's number: the connection takes that
    // seat (held, or still bound to an old connection of the same player).
    void moveToKeySeat(int n, int seat);
    void holdSeat(int seat, const QByteArray& name);
    void releaseHold(int seat, const char* why, bool tell = false);
    void releaseAllHolds(const char* why);
    void endGameBans();

    // Seats, logins and relays.
    void login(const Queued& q, const QByteArray& args);
    enum class Arrival { Newcomer, Returning, Reconnected };
    void announceArrival(int n, const QByteArray& version, Arrival arrival);
    void announceToOthers(int n);
    void catchUp(int n);
    void kickHim(const Queued& q, const QByteArray& args);
    void relay(const Queued& q, const QByteArray& args, const char* word);
    void justWatch(const Queued& q, const QByteArray& args);
    void departure(int n, bool wasLoggedIn, bool removed, bool announced);
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
    void setTeamScore(int seat, int score, ScoreKind kind = ScoreKind::Cards);

    // Timer1.
    void armTimer(TimerTag tag);
    void disarmTimer();

    // A computer player's steps (engine_steps.cpp): the engine plays its whole turn at once and
    // its messages go out one step (the draw, each book or addition, the discard) per Timer1
    // event, so that the players can follow it. Nothing of the game waits for them: a step is
    // only what the connections have yet to hear, and every connection hears every message in
    // the order it was made.
    void beginStep();
    bool holdForStep(int participant, const QByteArray& message);
    void releaseStep();
    void releaseAllSteps();
    void dropHeldFor(int participant);
    void endStepEvent();

    // Saved games (engine_save.cpp): reading into a table of its own, checked before it is used.
    bool readTable(const QJsonObject& o, Table& t, QString* error) const;
    // After a restore: the waiting for returning players, and a computer decision that was
    // under way when the game was saved is asked for again.
    bool waitingForReturn(int seat) const;
    void resumeTurn();
    void changed() { ++m_gameChanges; }

    // Game requests from connections (sender, phase and range checks before the handler).
    void gameRequest(const Queued& q, const char* word, const QByteArray& args);

    // Sending.
    void sendTo(int participant, const QByteArray& message);
    // To an accepted connection whether or not it has logged in.
    void deliver(int participant, const QByteArray& message);
    template <typename Build> void sendToSeat(int seat, Build build);
    template <typename Build> void broadcast(Build build, int except = 0);
    bool anyConnected() const;
    void afterEvent();

    Outbox& m_out;
    Random& m_random;
    EngineOptions m_options;
    Table m_t;
    ScoreLedger m_rounds;
    EngineStats m_stats;
    std::unique_ptr<ComputerPlayer> m_bots;

    std::array<Link, ConnectionRecords + 1> m_links{};
    int m_queued = 0;      // messages waiting over all connections
    int m_lastServed = 0;  // the connection dispatchOne() took its last message from
    quint64 m_nextConnection = 1;
    qint64 m_now = 0;

    std::array<Hold, Seats + 1> m_holds{};
    // Each seat's key, kept for the player who holds the seat (and through a hold); empty: none.
    std::array<QByteArray, Seats + 1> m_keys{};
    QSet<QByteArray> m_issuedKeys;       // every key handed out (a stale key is told apart)
    QSet<QByteArray> m_removedAddresses; // removed by the host user, until the game ends
    std::function<QByteArray()> m_keySource;
    QByteArray m_password;
    // The turn's start or the turn seat's last move, for the hung-turn deadline; a seat the host
    // set to just watching for a hung turn, and a player back whose seat returns at its next turn.
    qint64 m_turnSince = 0;
    quint64 m_turnSerial = 0;
    std::array<quint64, Seats + 1> m_hungTurn{}; // the turn serial it hung in, 0 = none
    std::array<bool, Seats + 1> m_backAtNextTurn{};

    struct Frame {
        int participant;
        QByteArray message;
    };
    QList<std::vector<Frame>> m_steps; // the steps not yet handed out, oldest first
    int m_stepsThisEvent = 0;               // steps begun in the event being handled
    bool m_stepBegun = false;               // the next message held starts a step of its own
    bool m_turnStepped = false;             // the turn in play has made a step

    bool m_timerEnabled = false;
    int m_timerInterval = 1000;
    TimerTag m_timerTag = TimerTag::Idle;
    int m_timerTicks = 0;
    int m_botSpeed = 1000;
    bool m_everDealt = false;
    bool m_roundWaits = false;
    bool m_roundContinued = false; // the host user has seen the end of the round
    bool m_roundWaiting = false;
    qint64 m_returnGraceUntil = 0; // after a restore: held seats' turns wait for their players
    quint64 m_gameChanges = 0;
    quint64 m_reportedChanges = 0;
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
    if (m_t.rec[std::size_t(seat)].connected) deliver(seat, build());
}

} // namespace quornet::host
