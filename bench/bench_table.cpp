// The table window's cost per host message: TableModel::handleMessage over every message a host
// sends to seat 1 during a recorded one-round game (no widgets: what the window decides, not
// what it paints).
#include "benchsupport.h"

#include "table/core/tablemodel.h"

#include <benchmark/benchmark.h>

namespace
{

void BM_TableMessages(benchmark::State& state)
{
    const QList<QByteArray> game = quornet::bench::recordedGame(5);
    for (auto _ : state) {
        quornet::table::TableModel model;
        model.setPlayerName(QStringLiteral("Ann"));
        model.setHosting(true);
        for (const QByteArray& m : game)
            model.handleMessage(m);
        benchmark::DoNotOptimize(model.state().turnSeat);
    }
    state.SetItemsProcessed(state.iterations() * game.size());
    state.counters["msgs/game"] = double(game.size());
}
BENCHMARK(BM_TableMessages)->Unit(benchmark::kMillisecond);

} // namespace
