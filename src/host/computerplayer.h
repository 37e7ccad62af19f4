// The computer players' driver: plays every seat that no human plays (no connection, or just
// watching) at the level chosen for it.
//
// The levels themselves live in src/bots and see only an Observation of their seat, which this
// driver builds from the table: the seat's own hand, the public table, and the round's history
// as the driver watched it (HostEngine reports every pick-up, discard and card played to a
// book). Every move goes through the host's own requests (draw, create book, add to book, add to
// completed book, discard), so it passes the same checks and sends the same messages as a
// human's; the timer tags, phases and take-over are the engine's, the same for every level.
//
// Classic decides step by step on the live table, drawing its chances from the game's
// generator as it always has. Strong and Expert answer with a plan for the rest of the turn,
// drawn from a generator of each seat's own (seeded from the game's seed). Expert's search may
// run off the event loop: with a thinker set (TServer sets one), its decisions run in a worker
// on a copy of the observation and their moves are made when the answer is back, unless the
// turn has moved on meanwhile. Without one (the simulator, the tests) they run at once; either
// way the same seed gives the same game. The simulator's oracle alone is also handed the table's
// hidden cards (reveal()), and always decides at once.
#pragma once

#include "bots/chance.h"
#include "bots/classic.h"
#include "bots/level.h"
#include "bots/observation.h"
#include "bots/playout.h"
#include "host/table.h"

#include <QJsonObject>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

namespace quornet::host {

class HostEngine;

class ComputerPlayer {
public:
    explicit ComputerPlayer(HostEngine& engine);
    ~ComputerPlayer();
    ComputerPlayer(const ComputerPlayer&) = delete;
    ComputerPlayer& operator=(const ComputerPlayer&) = delete;

    // The level of every computer-played seat from the next game start on (Classic at first):
    // the engine's owner sets it whenever it changes.
    void setLevel(bots::Level level) { setTeamLevels(level, level); }
    // Team 1 (seats 1 and 3) and team 2 (seats 2 and 4) at levels of their own (the simulator).
    void setTeamLevels(bots::Level team1, bots::Level team2);
    bots::Level level(int seat) const { return m_active[std::size_t(seat)]; }
    // Seeds the seats' level generators (at every game start, from this seed).
    void setSeed(std::uint64_t seed);

    // Runs `work` off the event loop and then `done` on it.
    using Thinker = std::function<void(std::function<void()> work, std::function<void()> done)>;
    void setThinker(Thinker thinker) { m_thinker = std::move(thinker); }
    bool thinking() const { return m_pending != 0; }

    // The draw decision for the seat whose turn it is, then its draw request.
    void draw(int seat);
    // The books and the discard of the seat whose turn it is.
    void play(int seat);

    // What the engine tells the driver, for the history in the observations.
    void gameStarted();
    void roundDealt();
    void pickedUp(int seat, int card);
    void discarded(int seat, int card);
    // The seat draws two from the deck while `top` lies on the pile (pick-up option on).
    void passedOver(int seat, int top);
    void playedToBook(int seat, int card);
    // A working book of the seat's team completed (its naming card and kind).
    void completedBook(int seat, int naming, int kind);

    // Time spent per decision, by level.
    struct ThinkTimes {
        long long decisions = 0;
        double totalMs = 0;
        double maxMs = 0;
    };
    const ThinkTimes& thinkTimes(bots::Level level) const { return m_times[std::size_t(level)]; }
    // Books the next seat completed in the turn it took the pile topped by a discard of a seat
    // playing at `level`, with that card's rank (or that wild, on a wild book).
    long long booksFed(bots::Level level) const { return m_booksFed[std::size_t(level)]; }
    // Decisions are always counted; their times only while timing is on (the default). Reading
    // the thread's processor time is a system call, which costs more than a Classic decision.
    void setTimingDecisions(bool on) { m_timing = on; }

    // The observation of a seat as this driver would give it to a level.
    bots::Observation observe(int seat) const;

    // The driver's part of a saved game: the levels, the seats' generators and what the round
    // showed so far. restoreState() changes nothing and says why when the object is not one.
    QJsonObject saveState() const;
    bool restoreState(const QJsonObject& state, QString* error);

private:
    class ClassicRequests;
    struct Job;
    void thinkAside(int seat, Phase phase, std::function<void(Job&)> work, std::function<void(const Job&)> apply);
    bots::classic::View classicView(int seat) const;
    bots::Truth reveal() const;
    void fill(bots::Observation& o, int seat) const;
    void playPlans(int seat);
    void makeMoves(int seat, const bots::Plan& plan);
    void record(bots::Level level, double ms);
    bool stillDue(unsigned serial, int seat, Phase phase) const;

    HostEngine& m_engine;
    std::array<bots::Level, Seats + 1> m_chosen{};
    std::array<bots::Level, Seats + 1> m_active{};
    std::array<bots::Rng, Seats + 1> m_rng;
    std::uint64_t m_seed = 0;
    Thinker m_thinker;
    unsigned m_serial = 0;  // moves on with every decision asked for and every deal
    unsigned m_pending = 0; // the serial of the decision a worker is thinking about, 0 none
    std::array<bots::RankCounts, Seats + 1> m_known{};
    // What each seat let go of from the hand it holds: the cards it discarded and the pile's tops
    // it passed over, and whether it was on its foot then (what it let go of from a hand it no
    // longer holds is forgotten).
    struct LetGo {
        bots::RankCounts discarded{};
        bots::RankCounts passed{};
        bool onFoot = false;
        int last = 0; // the last card discarded
    };
    LetGo& letGoOf(int seat);
    std::array<LetGo, Seats + 1> m_letGo{};
    bots::RankCounts m_played{};
    std::array<ThinkTimes, bots::LevelCount> m_times{};
    // Who fed whom: the last discard and its seat's level, and per seat the card it took off the
    // top of the pile this turn with the level that discarded it (0: none); counted by level.
    int m_lastDiscard = 0;
    bots::Level m_lastDiscardBy = bots::Level::Classic;
    std::array<int, Seats + 1> m_fedCard{};
    std::array<bots::Level, Seats + 1> m_fedBy{};
    std::array<long long, bots::LevelCount> m_booksFed{};
    bool m_timing = true;
};

} // namespace quornet::host
