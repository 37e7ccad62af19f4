// quornet-sim: plays whole games of four computer players through the host's rules engine, with
// the computer-player timer stepped by hand (no sockets, no waiting), and prints statistics.
#include "host/engine.h"
#include "host/random.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QStringList>

#include <cstdio>
#include <sys/resource.h>

using namespace quornet;

namespace {

// Nobody is connected: the engine sends nothing; only the timer state matters.
class SilentOutbox : public host::Outbox {
public:
    void send(int, const QByteArray&) override {}
    void disconnect(int) override {}
    void botTimerChanged(bool, int) override {}
};

struct Options {
    long long games = 1000;
    std::uint32_t seed = 1;
    QByteArray length = "r";
    bool twoPlayer = false;
    bool pickUp = true;
    int pickUpCount = 1;
    bool json = false;
    bool check = false;
};

int usage(const char* error)
{
    if (error) std::fprintf(stderr, "quornet-sim: %s\n", error);
    std::fprintf(stderr,
                 "Usage: quornet-sim --games N [--seed S] [--length r|3|5|f] [--two-player]\n"
                 "                   [--no-pickup] [--pickup-count K] [--json] [--check]\n");
    return error ? 2 : 0;
}

long peakMemoryKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("quornet.host.info=false"));
    Options o;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const auto next = [&]() -> QString { return i + 1 < args.size() ? args[++i] : QString(); };
        bool ok = true;
        if (a == "--games") o.games = next().toLongLong(&ok);
        else if (a == "--seed") o.seed = next().toUInt(&ok);
        else if (a == "--length") {
            o.length = next().toLatin1();
            ok = o.length == "r" || o.length == "3" || o.length == "5" || o.length == "f";
        } else if (a == "--two-player") o.twoPlayer = true;
        else if (a == "--no-pickup") o.pickUp = false;
        else if (a == "--pickup-count") {
            o.pickUpCount = next().toInt(&ok);
            ok = ok && o.pickUpCount >= 1 && o.pickUpCount <= 7;
        } else if (a == "--json") o.json = true;
        else if (a == "--check") o.check = true;
        else if (a == "--help") return usage(nullptr);
        else return usage(qPrintable("unknown argument " + a));
        if (!ok) return usage(qPrintable("bad value for " + a));
    }
    if (o.games < 1) return usage("--games must be at least 1");

    SilentOutbox outbox;
    host::SeededRandom random(o.seed);
    host::EngineOptions options;
    options.checkInvariants = o.check;
    host::HostEngine engine(outbox, random, options);

    // A game that has not ended after this many timer events is reported as unfinished.
    constexpr long long MaxEventsPerGame = 5'000'000;
    long long wins1 = 0, wins2 = 0, ties = 0, unfinished = 0;
    double sum1 = 0, sum2 = 0;
    QElapsedTimer clock;
    clock.start();
    for (long long g = 0; g < o.games; ++g) {
        engine.startGame("Sim", o.length, o.twoPlayer, o.pickUp, o.pickUpCount);
        long long events = 0;
        while (engine.table().running && engine.botTimerEnabled() && events++ < MaxEventsPerGame)
            engine.botTimerFired();
        if (engine.table().running) {
            ++unfinished;
            continue;
        }
        sum1 += engine.table().seat(1).score;
        sum2 += engine.table().seat(2).score;
        const int w = engine.stats().lastWinner;
        (w == 1 ? wins1 : w == 2 ? wins2 : ties)++;
    }
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    const long long finished = o.games - unfinished;
    const double avg1 = finished ? sum1 / double(finished) : 0;
    const double avg2 = finished ? sum2 / double(finished) : 0;
    const auto& st = engine.stats();

    if (o.json) {
        QJsonObject j{{"games", o.games},        {"rounds", st.rounds},
                      {"turns", st.turns},       {"seconds", seconds},
                      {"games_per_second", seconds > 0 ? double(o.games) / seconds : 0.0},
                      {"wins_team1", wins1},     {"wins_team2", wins2},
                      {"ties", ties},            {"unfinished", unfinished},
                      {"avg_score_team1", avg1}, {"avg_score_team2", avg2},
                      {"seed", qint64(o.seed)},  {"peak_memory_kib", qint64(peakMemoryKiB())}};
        std::printf("%s\n", QJsonDocument(j).toJson(QJsonDocument::Compact).constData());
    } else {
        std::printf("games            %lld\n", o.games);
        std::printf("rounds           %lld\n", st.rounds);
        std::printf("turns            %lld\n", st.turns);
        std::printf("average score    team 1 %.1f, team 2 %.1f\n", avg1, avg2);
        std::printf("wins             team 1 %lld, team 2 %lld, ties %lld\n", wins1, wins2, ties);
        if (unfinished) std::printf("unfinished       %lld\n", unfinished);
        std::printf("seconds          %.3f\n", seconds);
        std::printf("games per second %.0f\n", seconds > 0 ? double(o.games) / seconds : 0.0);
        std::printf("peak memory      %ld KiB\n", peakMemoryKiB());
    }
    return unfinished ? 1 : 0;
}
