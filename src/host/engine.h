// The host's rules engine: the authoritative table of one game.
//
// Plain C++ over QtCore: no sockets, widgets or real timers. Bytes arrive with the participant
// whose connection they came from; they are framed and queued, and each call of dispatchOne()
// (the adapter's 10 ms socktimer tick) handles exactly one queued message. Answers leave through
// the Outbox. The computer players act on botTimerFired() (the adapter's Timer1), so every run
// is deterministic for a given Random and sequence of calls.
//
// Trust: a queued message keeps the participant number of the connection it came from. Fields
// naming a participant or seat must be the sender's own; CMD_startgame and CMD_kickhim act only
// when participant 1 (the host user's own table window) sent them; game requests from a
// connection follow the turn phases (draw once, then books and one discard). Malformed or
// out-of-range fields drop that one message with a log line. The computer players call the same
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

struct EngineOptions {
    // The dedicated host has no own table window: seat 1 leaving in its turn is taken over like
    // any other seat.
    bool takeOverSeatOne = false;
    // A connection with this many messages waiting in the queue is flooding and gets closed.
    int maxQueuedPerConnection = 1000;
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
    // Numbers a new connection: the lowest free number, else the next above the high-water mark.
    AcceptResult accept();
    // Sends CMD_sendlogininfo to an accepted participant (after the adapter mapped its socket).
    void welcome(int participant);
    // Received bytes of a participant's connection: framed (with carry-over) into the queue.
    // A connection that overflows the framing limit or floods the queue is closed through the
    // Outbox; returns false in that case.
    bool receive(int participant, const QByteArray& bytes);
    // Queues one already framed message as if it came from the participant's connection.
    bool enqueue(int participant, const QByteArray& text);
    // The participant's connection closed (peer, kick or error). Handled once per connection.
    void connectionClosed(int participant);

    // --- Time --------------------------------------------------------------------------------
    // One socktimer tick: takes one queued message and handles it. False when the queue was empty.
    bool dispatchOne();
    // One Timer1 event.
    void botTimerFired();
    bool botTimerEnabled() const { return m_timerEnabled; }
    int botTimerInterval() const { return m_timerInterval; }
    TimerTag botTimerTag() const { return m_timerTag; }
    // The Bot Speed value read each time Timer1 is armed (1000 until told otherwise).
    void setBotSpeedSource(std::function<int()> source) { m_botSpeed = std::move(source); }
    void setBotSpeed(int ms);

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
    int queuedMessages() const { return int(m_queue.size()); }
    // Empty when every invariant holds, else a description of the first broken one.
    QString checkInvariants() const;
    // A compact text picture of the table for scenario tests and debugging.
    QString dump() const;
    Random& random() { return m_random; }
    // Test support only: the table itself, so scenario tests can place cards, piles and books.
    // Production code never writes through it.
    Table& tableForTest() { return m_t; }

private:
    enum class Origin { Connection, Host };
    struct Queued {
        int participant;
        quint64 connection; // serial of the connection the message came from
        QByteArray text;
    };

    void handle(const Queued& q);
    void dropped(const Queued& q, const char* why);
    bool senderConnected(const Queued& q) const;

    // Seats, logins and relays.
    void login(const Queued& q, const QByteArray& args);
    void catchUp(int n);
    void kickHim(const Queued& q, const QByteArray& args);
    void relay(const Queued& q, const QByteArray& args, const char* word);
    void justWatch(const Queued& q, const QByteArray& args);
    void departure(int n);
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
    void createComplete(int seat, int bookSlot, int naming);
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

    std::deque<Queued> m_queue;
    std::array<protocol::FrameSplitter, ConnectionRecords + 1> m_framing;
    std::array<quint64, ConnectionRecords + 1> m_connection{}; // serial per live connection, 0 = none
    std::array<int, ConnectionRecords + 1> m_queuedFrom{};
    std::array<bool, ConnectionRecords + 1> m_loggedIn{};
    quint64 m_nextConnection = 1;

    bool m_timerEnabled = false;
    int m_timerInterval = 1000;
    TimerTag m_timerTag = TimerTag::Idle;
    int m_timerTicks = 0;
    std::function<int()> m_botSpeed;
    int m_fixedBotSpeed = 1000;
    bool m_everDealt = false;
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
