// quornet-sim: plays whole games of four computer players through the host's rules engine, with
// the computer-player timer stepped by hand (no sockets, no waiting), and prints statistics.
//
// Team 1 (seats 1 and 3) and team 2 (seats 2 and 4) may play at levels of their own (the
// arena). Game g is played from a seed of its own, made from --seed and g, in an engine of its
// own, so the games can be shared out among --jobs threads and every figure but the times comes
// out the same for any number of threads.
#include "bots/chance.h"
#include "bots/level.h"
#include "host/computerplayer.h"
#include "host/engine.h"
#include "host/random.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <sys/resource.h>
#include <thread>
#include <vector>

using namespace quornet;

namespace {

struct Options {
    long long games = 1000;
    std::uint32_t seed = 1;
    QByteArray length = "r";
    bool twoPlayer = false;
    bool pickUp = true;
    int pickUpCount = 1;
    bool json = false;
    bool check = false;
    bots::Level level1 = bots::Level::Classic;
    bots::Level level2 = bots::Level::Classic;
    int jobs = 1;

    // Think times are taken in the arena and for --json; two Classic teams without --json run
    // untimed, since reading the thread's clock twice a decision would be most of the work.
    bool timed() const { return json || level1 != bots::Level::Classic || level2 != bots::Level::Classic; }
};

// Where a team's points came from, summed over rounds.
struct Points {
    long long cards = 0, bonuses = 0, goingOut = 0, penalties = 0, wentOut = 0;
    void add(const Points& p)
    {
        cards += p.cards;
        bonuses += p.bonuses;
        goingOut += p.goingOut;
        penalties += p.penalties;
        wentOut += p.wentOut;
    }
};

// What one game left behind.
struct GameResult {
    bool finished = false;
    int winner = 0; // team, 0 for a tie
    int score1 = 0;
    int score2 = 0;
    long long rounds = 0;
    long long turns = 0;
    std::array<host::ComputerPlayer::ThinkTimes, bots::LevelCount> think{};
    std::array<long long, bots::LevelCount> booksFed{};
    // By team (1, 2): the points of the game's rounds by kind, and the rounds it went out.
    std::array<Points, 3> points{};
};

std::uint32_t gameSeed(std::uint32_t seed, long long game)
{
    bots::Rng mix((std::uint64_t(seed) << 32) ^ std::uint64_t(game));
    return std::uint32_t(mix.next() >> 32);
}

GameResult playGame(const Options& o, long long game)
{
    // A game that has not ended after this many timer events is reported as unfinished.
    constexpr long long MaxEventsPerGame = 5'000'000;
    host::SilentOutbox outbox;
    const std::uint32_t seed = gameSeed(o.seed, game);
    host::SeededRandom random(seed);
    host::EngineOptions options;
    options.checkInvariants = o.check;
    host::HostEngine engine(outbox, random, options);
    engine.computerPlayer().setTeamLevels(o.level1, o.level2);
    engine.computerPlayer().setSeed(seed);
    engine.computerPlayer().setTimingDecisions(o.timed());
    engine.startGame("Sim", o.length, o.twoPlayer, o.pickUp, o.pickUpCount);
    long long events = 0;
    while (engine.table().running && engine.botTimerEnabled() && events++ < MaxEventsPerGame)
        engine.botTimerFired();
    GameResult r;
    r.finished = !engine.table().running;
    r.winner = engine.stats().lastWinner;
    r.score1 = engine.table().seat(1).score;
    r.score2 = engine.table().seat(2).score;
    r.rounds = engine.stats().rounds;
    r.turns = engine.stats().turns;
    for (const host::RoundScores& round : engine.rounds()) {
        for (int team = 1; team <= 2; ++team) {
            const host::TeamRoundPoints& t = round.teams[std::size_t(team)];
            r.points[std::size_t(team)].add({t.cards, t.bonuses, t.goingOut, t.penalties, round.wentOut == team});
        }
    }
    for (int l = 0; l < bots::LevelCount; ++l) {
        r.think[std::size_t(l)] = engine.computerPlayer().thinkTimes(bots::Level(l));
        r.booksFed[std::size_t(l)] = engine.computerPlayer().booksFed(bots::Level(l));
    }
    return r;
}

bool parseLevels(const QString& text, Options& o)
{
    const QStringList names = text.split(',');
    if (names.size() != 2) return false;
    const auto l1 = bots::simLevelFromName(names[0].toStdString());
    const auto l2 = bots::simLevelFromName(names[1].toStdString());
    if (!l1 || !l2) return false;
    o.level1 = *l1;
    o.level2 = *l2;
    return true;
}

QString levelText(bots::Level l) { return QString::fromLatin1(bots::levelName(l).data(), qsizetype(bots::levelName(l).size())); }

int usage(const char* error)
{
    if (error) std::fprintf(stderr, "quornet-sim: %s\n", error);
    std::fprintf(stderr,
                 "Usage: quornet-sim --games N [--seed S] [--length r|3|5|f] [--two-player]\n"
                 "                   [--no-pickup] [--pickup-count K] [--json] [--check]\n"
                 "                   [--levels L1,L2] [--jobs N]\n"
                 "  L1 plays seats 1 and 3, L2 seats 2 and 4: classic, strong, expert or oracle\n"
                 "  (oracle: Expert's search seeing every hand, foot and the deck's order)\n"
                 "  think times are measured with --json or when a level other than classic plays\n"
                 "  --json also gives books_fed: by level, the books the next seat completed with\n"
                 "  a card of that level's discard taken off the pile, and points_a_round: by\n"
                 "  team, its points a round from cards, book bonuses, going out and penalties,\n"
                 "  and the share of rounds it went out\n");
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
        else if (a == "--levels") ok = parseLevels(next(), o);
        else if (a == "--jobs") {
            o.jobs = next().toInt(&ok);
            ok = ok && o.jobs >= 1 && o.jobs <= 64;
        }
        else if (a == "--help") return usage(nullptr);
        else return usage(qPrintable("unknown argument " + a));
        if (!ok) return usage(qPrintable("bad value for " + a));
    }
    if (o.games < 1) return usage("--games must be at least 1");

    std::vector<GameResult> results(std::size_t(o.games));
    std::atomic<long long> nextGame{0};
    const auto worker = [&] {
        for (long long g = nextGame++; g < o.games; g = nextGame++) results[std::size_t(g)] = playGame(o, g);
    };
    QElapsedTimer clock;
    clock.start();
    std::vector<std::thread> threads;
    for (int t = 1; t < std::min<long long>(o.jobs, o.games); ++t) threads.emplace_back(worker);
    worker();
    for (std::thread& t : threads) t.join();

    long long wins1 = 0, wins2 = 0, ties = 0, unfinished = 0, rounds = 0, turns = 0;
    long long sum1 = 0, sum2 = 0;
    std::array<host::ComputerPlayer::ThinkTimes, bots::LevelCount> think{};
    std::array<long long, bots::LevelCount> booksFed{};
    std::array<Points, 3> points{};
    for (const GameResult& r : results) {
        rounds += r.rounds;
        for (int team = 1; team <= 2; ++team) points[std::size_t(team)].add(r.points[std::size_t(team)]);
        for (std::size_t l = 0; l < booksFed.size(); ++l) booksFed[l] += r.booksFed[l];
        turns += r.turns;
        for (std::size_t l = 0; l < think.size(); ++l) {
            think[l].decisions += r.think[l].decisions;
            think[l].totalMs += r.think[l].totalMs;
            think[l].maxMs = std::max(think[l].maxMs, r.think[l].maxMs);
        }
        if (!r.finished) {
            ++unfinished;
            continue;
        }
        sum1 += r.score1;
        sum2 += r.score2;
        (r.winner == 1 ? wins1 : r.winner == 2 ? wins2 : ties)++;
    }
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    const long long finished = o.games - unfinished;
    const double avg1 = finished ? sum1 / double(finished) : 0;
    const double avg2 = finished ? sum2 / double(finished) : 0;
    // A tie counts half a win.
    const double share1 = finished ? (double(wins1) + 0.5 * double(ties)) / double(finished) : 0;
    QJsonObject thinkMean, thinkMax, fed;
    for (bots::Level l : {o.level1, o.level2}) {
        const auto& t = think[std::size_t(l)];
        fed[levelText(l)] = booksFed[std::size_t(l)];
        thinkMean[levelText(l)] = t.decisions ? t.totalMs / double(t.decisions) : 0.0;
        thinkMax[levelText(l)] = t.maxMs;
    }

    // Each team's points a round by kind, and the share of rounds it went out.
    QJsonArray perRound;
    const auto perRoundOf = [&](long long v) { return rounds ? double(v) / double(rounds) : 0.0; };
    for (int team = 1; team <= 2; ++team) {
        const Points& p = points[std::size_t(team)];
        perRound.append(QJsonObject{{"cards", perRoundOf(p.cards)},
                                    {"bonuses", perRoundOf(p.bonuses)},
                                    {"going_out", perRoundOf(p.goingOut)},
                                    {"penalties", perRoundOf(p.penalties)},
                                    {"went_out", perRoundOf(p.wentOut)}});
    }

    if (o.json) {
        QJsonObject j{{"games", o.games},        {"rounds", rounds},
                      {"turns", turns},          {"seconds", seconds},
                      {"games_per_second", seconds > 0 ? double(o.games) / seconds : 0.0},
                      {"wins_team1", wins1},     {"wins_team2", wins2},
                      {"ties", ties},            {"unfinished", unfinished},
                      {"avg_score_team1", avg1}, {"avg_score_team2", avg2},
                      {"seed", qint64(o.seed)},  {"peak_memory_kib", qint64(peakMemoryKiB())},
                      {"levels", QJsonArray{levelText(o.level1), levelText(o.level2)}},
                      {"win_share_team1", share1}, {"jobs", o.jobs},
                      {"think_ms_mean", thinkMean}, {"think_ms_max", thinkMax},
                      {"books_fed", fed},        {"points_a_round", perRound}};
        std::printf("%s\n", QJsonDocument(j).toJson(QJsonDocument::Compact).constData());
    } else {
        std::printf("games            %lld\n", o.games);
        std::printf("levels           team 1 %s, team 2 %s\n", bots::levelName(o.level1).data(),
                    bots::levelName(o.level2).data());
        std::printf("rounds           %lld\n", rounds);
        std::printf("turns            %lld\n", turns);
        std::printf("average score    team 1 %.1f, team 2 %.1f\n", avg1, avg2);
        std::printf("wins             team 1 %lld, team 2 %lld, ties %lld\n", wins1, wins2, ties);
        std::printf("team 1's share   %.1f %% (a tie counts half)\n", 100.0 * share1);
        for (bots::Level l : {o.level1, o.level2}) {
            if (!o.timed() || (l == o.level2 && o.level1 == o.level2)) break;
            const auto& t = think[std::size_t(l)];
            std::printf("think %-10s mean %.4f ms, max %.3f ms per decision\n", bots::levelName(l).data(),
                        t.decisions ? t.totalMs / double(t.decisions) : 0.0, t.maxMs);
        }
        if (unfinished) std::printf("unfinished       %lld\n", unfinished);
        std::printf("seconds          %.3f\n", seconds);
        std::printf("games per second %.0f\n", seconds > 0 ? double(o.games) / seconds : 0.0);
        std::printf("peak memory      %ld KiB\n", peakMemoryKiB());
    }
    return unfinished ? 1 : 0;
}
