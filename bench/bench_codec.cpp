// The tally file's codec in MB/s of original data, both ways: a tally text (names and counts
// that vary) and repetitive data.
#include "benchsupport.h"

#include "tally/lzrw1.h"

#include <benchmark/benchmark.h>

using quornet::tally::Lzrw1;

namespace
{

QByteArray original(int kind)
{
    if (kind == 0) return quornet::bench::tallyText(4000, 11); // about 170 KB of tally text
    QByteArray repetitive;
    while (repetitive.size() < 256 * 1024)
        repetitive += "abcdefghij0123";
    return repetitive;
}

void BM_TallyCompress(benchmark::State& state)
{
    const QByteArray data = original(int(state.range(0)));
    qsizetype packed = 0;
    for (auto _ : state) {
        const QByteArray file = Lzrw1::compress(data);
        packed = file.size();
        benchmark::DoNotOptimize(file.constData());
    }
    state.SetBytesProcessed(state.iterations() * data.size());
    state.counters["ratio"] = double(packed) / double(data.size());
    state.SetLabel(state.range(0) == 0 ? "tally text" : "repetitive");
}
BENCHMARK(BM_TallyCompress)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_TallyDecompress(benchmark::State& state)
{
    const QByteArray data = original(int(state.range(0)));
    const QByteArray file = Lzrw1::compress(data);
    for (auto _ : state) {
        const Lzrw1::Result r = Lzrw1::decompress(file, QStringLiteral("bench.tld"));
        if (r.data.size() != data.size()) state.SkipWithError("decompressed size differs");
        benchmark::DoNotOptimize(r.data.constData());
    }
    state.SetBytesProcessed(state.iterations() * data.size());
    state.SetLabel(state.range(0) == 0 ? "tally text" : "repetitive");
}
BENCHMARK(BM_TallyDecompress)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
