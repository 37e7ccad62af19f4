// The rules engine: whole games, and single messages from receive() to the last send.
#include "benchsupport.h"

#include "host/engine.h"
#include "host/random.h"
#include "protocol/messages.h"

#include <benchmark/benchmark.h>

#include <chrono>

using namespace quornet;
using quornet::bench::MemoryOutbox;
using quornet::host::SilentOutbox;
namespace msg = protocol::msg;

namespace
{

// One-round games of four computer players with the timer stepped by hand, as quornet-sim
// plays them: one iteration is one game.
void BM_OneRoundGame(benchmark::State& state)
{
    bench::quietLogging();
    SilentOutbox out;
    host::SeededRandom random(1);
    host::HostEngine engine(out, random);
    long long turns = 0;
    for (auto _ : state) {
        const long long before = engine.stats().turns;
        engine.startGame("Bench", "r", false, true, 1);
        while (engine.table().running && engine.botTimerEnabled())
            engine.botTimerFired();
        turns += engine.stats().turns - before;
    }
    state.counters["games/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["turns/game"] = double(turns) / double(state.iterations());
}
BENCHMARK(BM_OneRoundGame)->Unit(benchmark::kMicrosecond);

// Nine participants logged in, a game running.
struct Table {
    MemoryOutbox out;
    host::SeededRandom random{3};
    host::HostEngine engine{out, random};

    Table()
    {
        bench::quietLogging();
        for (int p = 1; p <= 9; ++p) {
            engine.welcome(engine.accept().participant);
            engine.receive(
                p, msg::loginInfo(p, protocol::VersionText, "Player" + QByteArray::number(p)));
        }
        engine.receive(1, msg::startGame("Player1", "r", false, true, 1));
        while (engine.dispatchOne()) {
        }
        out.clear();
    }
};

// A chat line: framed, queued, handled and relayed to all nine participants.
void BM_HostMessage_Chat(benchmark::State& state)
{
    Table t;
    const QByteArray bytes = msg::chat(5, "Nice play, partner!|clBlue");
    for (auto _ : state) {
        t.engine.receive(5, bytes);
        t.engine.dispatchOne();
        t.out.clear();
    }
    state.counters["msgs/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_HostMessage_Chat);

// A request for another seat: framed, queued, checked and dropped.
void BM_HostMessage_Spoofed(benchmark::State& state)
{
    Table t;
    const QByteArray bytes = msg::discard(3, 4);
    for (auto _ : state) {
        t.engine.receive(2, bytes);
        t.engine.dispatchOne();
    }
    state.counters["msgs/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_HostMessage_Spoofed);

// Seat 1's own turn, two messages: CMD_drawing (two new cards, the turn goes on) and
// CMD_discard (the pile, the next player). Only those two are timed; the computer players'
// turns in between and new games are not.
void BM_HostMessage_Turn(benchmark::State& state)
{
    bench::quietLogging();
    MemoryOutbox out;
    host::SeededRandom random(5);
    host::HostEngine engine(out, random);
    engine.welcome(engine.accept().participant);
    engine.receive(1, msg::loginInfo(1, protocol::VersionText, "Ann"));
    while (engine.dispatchOne()) {
    }
    const auto newGame = [&] {
        engine.receive(1, msg::startGame("Ann", "r", false, true, 1));
        while (engine.dispatchOne()) {
        }
    };
    newGame();
    const QByteArray draw = msg::drawing(1, 1);
    long long messages = 0;
    for (auto _ : state) {
        // Untimed: computer players until seat 1 is to draw.
        while (!(engine.table().running && engine.table().turnSeat == 1 &&
                 engine.table().phase == host::Phase::Draw)) {
            if (!engine.table().running)
                newGame();
            else if (engine.botTimerEnabled())
                engine.botTimerFired();
            else
                break;
        }
        out.clear();
        int slot = 0;
        const auto start = std::chrono::steady_clock::now();
        engine.receive(1, draw);
        engine.dispatchOne();
        const host::Hand& hand = engine.table().seat(1).hand;
        while (slot < host::HandSlots - 1 && hand[std::size_t(slot)] == 0)
            ++slot;
        engine.receive(1, msg::discard(1, slot));
        engine.dispatchOne();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count() / 2.0);
        messages += 2;
    }
    state.counters["msgs/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_HostMessage_Turn)->UseManualTime();

// A game to 5000 of four computer players, 40 turns in (rounds played, books on the table):
// what a host keeps after every move.
bool midGame(host::HostEngine& engine)
{
    engine.startGame("Bench", "5", false, true, 1);
    while (engine.table().running && engine.botTimerEnabled() && engine.stats().turns < 40)
        engine.botTimerFired();
    return engine.table().running;
}

// HostEngine::saveGame(): the whole game as a JSON document, the part of a save that runs on
// the event loop (the file is written on GameFile's worker thread).
void BM_SaveGame(benchmark::State& state)
{
    bench::quietLogging();
    SilentOutbox out;
    host::SeededRandom random(7);
    host::HostEngine engine(out, random);
    if (!midGame(engine)) state.SkipWithError("the game ended early");
    qsizetype bytes = 0;
    for (auto _ : state)
        bytes = engine.saveGame().size();
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_SaveGame)->Unit(benchmark::kMicrosecond);

// HostEngine::restoreGame() of that document into a fresh engine (a restart).
void BM_RestoreGame(benchmark::State& state)
{
    bench::quietLogging();
    SilentOutbox out;
    host::SeededRandom random(7);
    host::HostEngine engine(out, random);
    if (!midGame(engine)) state.SkipWithError("the game ended early");
    const QByteArray document = engine.saveGame();
    for (auto _ : state) {
        host::SeededRandom other(1);
        host::HostEngine fresh(out, other);
        QString why;
        if (!fresh.restoreGame(document, &why)) state.SkipWithError(qPrintable(why));
    }
}
BENCHMARK(BM_RestoreGame)->Unit(benchmark::kMicrosecond);

} // namespace
