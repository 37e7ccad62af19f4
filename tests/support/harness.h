// The host's rules engine in memory: a random source that replays scripted values, and a harness
// that connects participants, sends their messages, steps the socktimer, Timer1 and the engine's
// clock by hand and hands back what was sent (through a RecordingOutbox).
#pragma once

#include "host/engine.h"
#include "support/recordingoutbox.h"
#include "support/testclock.h"
#include "protocol/messages.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace quornet::host::testing
{

// Replays scripted values first, then falls back to the production generator with a fixed seed.
// Every draw's range is logged so tests can tell how often the engine asked and for what.
class ScriptedRandom : public Random
{
public:
    explicit ScriptedRandom(std::uint32_t seed = 1) : m_fallback(seed) {}

    void push(std::initializer_list<int> values);
    void pushRepeated(int value, int count);
    int below(int n) override;
    // The fallback generator's state, once the script is used up.
    std::string saveState() const override { return m_script.empty() ? m_fallback.saveState() : std::string(); }
    bool restoreState(const std::string& state) override;

    int scriptedLeft() const { return int(m_script.size()); }
    // How many draws asked for a range of n (all draws when n is 0).
    int drawsOf(int n = 0) const;
    void clearLog() { requests.clear(); }

    QList<int> requests; // n of every draw, in order
    QString error;       // set when a scripted value did not fit the range asked for

private:
    std::deque<int> m_script;
    SeededRandom m_fallback;
};

// "p:text" for a message sent to participant p, with the terminator removed.
QString describe(int participant, const QByteArray& message);
// The same text for each of the participants, in the given order (a broadcast).
QStringList toEach(std::initializer_list<int> participants, const QString& text);

class Harness
{
public:
    // The engine's options for scenario transcripts: arrivals announced at once.
    static EngineOptions scenario()
    {
        EngineOptions o;
        o.quietArrivalMs = 0;
        return o;
    }
    explicit Harness(EngineOptions options = scenario(), std::uint32_t seed = 1);

    // Accepts a connection and welcomes it; returns its participant number (0 when refused).
    // hostUser false: a connection the adapter does not take for the host user's.
    int connect(bool hostUser = true, const QByteArray& address = {});
    // Connects, logs in with the name and version, and handles the login.
    int join(const QByteArray& name, const QByteArray& version = protocol::VersionText,
             bool hostUser = true);
    // Bytes from a participant's connection, then every queued message handled.
    void send(int participant, const QByteArray& bytes);
    // Bytes from a participant's connection, queued only.
    bool receive(int participant, const QByteArray& bytes);
    int dispatchAll();
    // Timer1 events of the game, as many as asked for (events while disarmed do nothing); after
    // each, the events that hand out a computer player's held steps, until none is left.
    void fire(int events = 1);
    // The events that hand out a computer player's held steps (a turn taken over on a message).
    void releaseSteps();
    // Fires Timer1 until it stays disarmed or the limit is reached; returns the events fired.
    int fireUntilIdle(int limit);
    void close(int participant) { engine->connectionClosed(participant); }
    // The engine's clock moves on by ms, deadline by deadline; what fell due is handled (a turn
    // taken over on the way hands out its steps). Every
    // participant that is not `silent` answers the heartbeats, as a window does.
    void advance(qint64 ms);
    QSet<int> silent;

    // Participant 1 starts a game (participant 1 must have joined).
    void startGame(const QByteArray& length = "r", bool twoPlayer = false, bool pickUp = true,
                   int pickUpCount = 1);

    // The recorded messages as "p:text", then forgotten. Seat keys and heartbeats are left out
    // unless linkMessages is set (the tests of keys and liveness set it).
    QStringList take();
    // Only the messages of one participant, as their bare texts; all recorded messages are
    // forgotten.
    QStringList takeFor(int participant);
    QStringList peek() const;

    Table& table() { return engine->tableForTest(); }
    const Record& seat(int s) { return table().seat(s); }

    bool linkMessages = false;
    RecordingOutbox out;
    ScriptedRandom random;
    quornet::testing::TestClock clock;
    std::unique_ptr<HostEngine> engine;
    // Hands and feet a Rig has set: their cards are never borrowed for another place.
    std::array<bool, Seats + 1> riggedHand{};
    std::array<bool, Seats + 1> riggedFoot{};
};

// Places cards on a running table without breaking its invariants: every card still counts once
// (deck, pile, hands, feet, books) and no black joker leaves the deck. Cards put back go on top
// of the deck; cards for books are taken from its bottom. A card asked for that is no longer in
// the deck is borrowed from a foot or hand the test has not set, which gets a deck card in its
// place. A misuse aborts the test run.
class Rig
{
public:
    explicit Rig(Harness& h) : m_h(h) {}

    // Replaces a seat's whole hand (or foot): slot i gets cards[i], 0 leaves the slot empty.
    Rig& hand(int seat, const QList<int>& cards);
    Rig& foot(int seat, const QList<int>& cards);
    Rig& onFoot(int seat, bool on = true);
    // Replaces the discard pile, bottom card first.
    Rig& pile(const QList<int>& cards);
    // The next cards the deck deals, in order.
    Rig& stack(const QList<int>& cards);
    // Moves the next n deck cards onto the discard pile.
    Rig& burnToPile(int n);
    // A working book in slot 1..9 of a team, holding `count` cards.
    Rig& workingBook(int team, int slot, int naming, int kind, int count);
    // The team's next completed book.
    Rig& completedBook(int team, int naming, int kind, int count = 7);
    // Moves every deck card but `leave` into completed books of the team (seven a book).
    Rig& drainDeck(int team, int leave = 0);
    Rig& score(int team, int score);

    int deckLeft();

private:
    Table& t() { return m_h.table(); }
    int takeFromDeck(int code);
    bool borrow(int code);
    int takeBottom();
    void removeAt(int position);
    void returnToDeck(int code);
    void check(const char* step);

    Harness& m_h;
};

} // namespace quornet::host::testing
