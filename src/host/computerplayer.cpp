#include "host/computerplayer.h"

#include "bots/expert.h"
#include "bots/strong.h"
#include "host/engine.h"

#include <QJsonArray>

#include <ctime>
#include <memory>

namespace quornet::host {

namespace {

// Think times are the deciding thread's own processor time, so a busy machine (another program
// taking the core between two instructions) does not count as thinking. Reading that clock is a
// system call, dearer than a Classic decision: a stopwatch that is off reads nothing and shows 0.
class Stopwatch {
public:
    explicit Stopwatch(bool on) : m_on(on), m_start(on ? now() : 0.0) {}
    double ms() const { return m_on ? now() - m_start : 0.0; }

private:
    static double now()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
    }
    bool m_on;
    double m_start;
};

// The game's own generator as Classic's chance: the same draws in the same order as ever.
class GameChance final : public bots::Chance {
public:
    explicit GameChance(Random& random) : m_random(random) {}
    int below(int n) override { return m_random.below(n); }

private:
    Random& m_random;
};

void forget(bots::RankCounts& known, int card)
{
    int& k = known[std::size_t(cards::rankValue(card))];
    if (k > 0) --k;
}

} // namespace

// A decision made in a worker: its own copies in, the answer and the advanced generator out.
struct ComputerPlayer::Job {
    bots::Observation obs;
    bots::Rng rng;
    int mode = 1;
    bots::Plan plan;
    double ms = 0;
};

// Classic's requests: each goes to the host's handler at once; Classic's view of its hand and
// books is the table's own, so it follows them.
class ComputerPlayer::ClassicRequests final : public bots::Requests {
public:
    ClassicRequests(HostEngine& engine, int seat) : m_engine(engine), m_seat(seat) {}
    void createBook(int a, int b, int c) override { m_engine.requestCreateBook(m_seat, a, b, c); }
    void addToBook(int slot, int book) override { m_engine.requestAddToBook(m_seat, slot, book); }
    void addToComp(int slot, int comp) override { m_engine.requestAddToComp(m_seat, slot, comp); }
    void discard(int slot) override { m_engine.requestDiscard(m_seat, slot); }

private:
    HostEngine& m_engine;
    int m_seat;
};

ComputerPlayer::ComputerPlayer(HostEngine& engine) : m_engine(engine)
{
    setSeed(0);
}

ComputerPlayer::~ComputerPlayer() = default;

void ComputerPlayer::setTeamLevels(bots::Level team1, bots::Level team2)
{
    for (int s = 1; s <= Seats; ++s) m_chosen[std::size_t(s)] = s % 2 == 1 ? team1 : team2;
}

void ComputerPlayer::setSeed(std::uint64_t seed)
{
    m_seed = seed;
    for (int s = 1; s <= Seats; ++s) m_rng[std::size_t(s)] = bots::Rng(bots::levelSeed(seed, s));
}

// ---- What the engine reports ----------------------------------------------------------------

void ComputerPlayer::gameStarted()
{
    m_active = m_chosen;
}

void ComputerPlayer::roundDealt()
{
    ++m_serial;
    m_known = {};
    m_letGo = {};
    m_played = {};
    m_lastDiscard = 0;
    m_fedCard = {};
}

void ComputerPlayer::pickedUp(int seat, int card)
{
    ++m_known[std::size_t(seat)][std::size_t(cards::rankValue(card))];
    // The pile's top card comes first: the discard just made.
    if (m_lastDiscard != 0 && card == m_lastDiscard) {
        m_fedCard[std::size_t(seat)] = card;
        m_fedBy[std::size_t(seat)] = m_lastDiscardBy;
    }
    m_lastDiscard = 0;
}

void ComputerPlayer::discarded(int seat, int card)
{
    forget(m_known[std::size_t(seat)], card);
    LetGo& g = letGoOf(seat);
    ++g.discarded[std::size_t(cards::rankValue(card))];
    g.last = card;
    m_fedCard[std::size_t(seat)] = 0;
    m_lastDiscard = card;
    m_lastDiscardBy = m_active[std::size_t(seat)];
}

void ComputerPlayer::passedOver(int seat, int top)
{
    ++letGoOf(seat).passed[std::size_t(cards::rankValue(top))];
}

// Told before a discard's foot comes up: the seat is on its foot now only if it was before.
ComputerPlayer::LetGo& ComputerPlayer::letGoOf(int seat)
{
    LetGo& g = m_letGo[std::size_t(seat)];
    const bool onFoot = m_engine.table().seat(seat).onFoot;
    if (g.onFoot != onFoot) g = {{}, {}, onFoot, 0};
    return g;
}

void ComputerPlayer::completedBook(int seat, int naming, int kind)
{
    const int fed = m_fedCard[std::size_t(seat)];
    if (fed == 0) return;
    const bool wildBook = kind == int(cards::BookKind::Wild);
    if (cards::rankValue(fed) == cards::rankValue(naming) || (cards::isWild(fed) && wildBook)) {
        ++m_booksFed[std::size_t(m_fedBy[std::size_t(seat)])];
        m_fedCard[std::size_t(seat)] = 0;
    }
}

void ComputerPlayer::playedToBook(int seat, int card)
{
    ++m_played[std::size_t(cards::rankValue(card))];
    forget(m_known[std::size_t(seat)], card);
}

// ---- Observations ---------------------------------------------------------------------------

void ComputerPlayer::fill(bots::Observation& o, int seat) const
{
    const Table& t = m_engine.table();
    o.seat = seat;
    o.hand = t.seat(seat).hand;
    o.books = t.teams;
    o.pileCount = t.discardCount;
    for (int p = 1; p <= t.discardCount; ++p) o.pile[std::size_t(p)] = t.pile[std::size_t(p)];
    int deck = 0;
    for (int p = t.deckPos + 1; p <= cards::DeckSize; ++p) deck += t.deck[std::size_t(p)] != 0;
    o.deckCount = deck;
    for (int s = 1; s <= Seats; ++s) {
        o.handCount[std::size_t(s)] = cardsIn(t.seat(s).hand);
        o.onFoot[std::size_t(s)] = t.seat(s).onFoot;
        if (const LetGo& g = m_letGo[std::size_t(s)]; g.onFoot == t.seat(s).onFoot) {
            o.discarded[std::size_t(s)] = g.discarded;
            o.passed[std::size_t(s)] = g.passed;
            o.lastDiscard[std::size_t(s)] = g.last;
        }
    }
    o.score = {0, t.seat(1).score, t.seat(2).score};
    o.pickUp = t.pickUp;
    o.pickUpCount = t.pickUpCount;
    o.twoPlayer = t.twoPlayer;
    o.toTarget = t.toTarget;
    o.target = t.target;
    o.known = m_known;
    o.played = m_played;
}

bots::classic::View ComputerPlayer::classicView(int seat) const
{
    const Table& t = m_engine.table();
    return {t.seat(seat).hand, t.books(t.seat(seat).team), t.topOfPile()};
}

bots::Observation ComputerPlayer::observe(int seat) const
{
    bots::Observation o;
    fill(o, seat);
    return o;
}

// The oracle's knowledge, straight from the table: built for an oracle seat only, never for the
// fair levels, which decide from observe() alone.
bots::Truth ComputerPlayer::reveal() const
{
    const Table& t = m_engine.table();
    bots::Truth truth;
    for (int s = 1; s <= Seats; ++s) {
        truth.hands[std::size_t(s)] = t.seat(s).hand;
        if (!t.seat(s).onFoot) truth.feet[std::size_t(s)] = t.seat(s).foot;
    }
    // The next card dealt is the one after deckPos; an empty place ends the deck (a reshuffle
    // follows, which nobody can know).
    for (int p = t.deckPos + 1; p <= cards::DeckSize && t.deck[std::size_t(p)] != 0; ++p)
        truth.deck[std::size_t(truth.deckCount++)] = cards::deliveredCode(t.deck[std::size_t(p)]);
    return truth;
}

// ---- Decisions ------------------------------------------------------------------------------

void ComputerPlayer::record(bots::Level level, double ms)
{
    ThinkTimes& t = m_times[std::size_t(level)];
    ++t.decisions;
    t.totalMs += ms;
    if (ms > t.maxMs) t.maxMs = ms;
}

bool ComputerPlayer::stillDue(unsigned serial, int seat, Phase phase) const
{
    const Table& t = m_engine.table();
    return serial == m_serial && t.running && t.turnSeat == seat && t.computerPlayed(seat) && t.phase == phase;
}

// Expert's decision in the thinker's worker, on copies of the observation and the seat's
// generator; the answer is applied on the event loop only while the decision is still due.
void ComputerPlayer::thinkAside(int seat, Phase phase, std::function<void(Job&)> work,
                                std::function<void(const Job&)> apply)
{
    const unsigned serial = m_serial;
    auto job = std::make_shared<Job>(Job{observe(seat), m_rng[std::size_t(seat)], 1, {}, 0});
    m_pending = serial;
    m_thinker(
        [job, work = std::move(work), timing = m_timing] {
            const Stopwatch watch(timing);
            work(*job);
            job->ms = watch.ms();
        },
        [this, job, serial, seat, phase, apply = std::move(apply)] {
            if (m_pending == serial) m_pending = 0;
            if (!stillDue(serial, seat, phase)) return;
            m_rng[std::size_t(seat)] = job->rng;
            record(bots::Level::Expert, job->ms);
            apply(*job);
        });
}

void ComputerPlayer::draw(int seat)
{
    ++m_serial;
    const bots::Level level = m_active[std::size_t(seat)];
    const Stopwatch watch(m_timing);
    int mode = 1;
    if (level == bots::Level::Classic) {
        GameChance chance(m_engine.random());
        mode = bots::classic::drawMode(classicView(seat), chance);
    } else if (level == bots::Level::Strong) {
        mode = bots::strong::drawMode(observe(seat));
    } else if (level == bots::Level::Oracle) {
        const bots::Truth truth = reveal();
        mode = bots::expert::drawMode(observe(seat), &truth, m_rng[std::size_t(seat)]);
    } else if (m_thinker) {
        return thinkAside(
            seat, Phase::Draw, [](Job& job) { job.mode = bots::expert::drawMode(job.obs, job.rng); },
            [this, seat](const Job& job) { m_engine.requestDraw(seat, job.mode); });
    } else {
        mode = bots::expert::drawMode(observe(seat), m_rng[std::size_t(seat)]);
    }
    record(level, watch.ms());
    m_engine.requestDraw(seat, mode);
}

void ComputerPlayer::play(int seat)
{
    if (seat != m_engine.table().turnSeat) return;
    ++m_serial;
    const bots::Level level = m_active[std::size_t(seat)];
    if (level != bots::Level::Classic) return playPlans(seat);
    const Stopwatch watch(m_timing);
    ClassicRequests out(m_engine, seat);
    GameChance chance(m_engine.random());
    bots::classic::play(classicView(seat), out, chance);
    record(level, watch.ms());
}

// Strong and Expert plan the rest of the turn; when the plan runs out with the hand (the foot
// comes up and the turn goes on) they plan again on the foot.
void ComputerPlayer::playPlans(int seat)
{
    const Table& t = m_engine.table();
    const bots::Level level = m_active[std::size_t(seat)];
    for (int round = 0; round < 4; ++round) {
        if (!t.running || t.turnSeat != seat || t.phase != Phase::Play) return;
        if (level == bots::Level::Expert && m_thinker) {
            return thinkAside(
                seat, Phase::Play, [](Job& job) { job.plan = bots::expert::play(job.obs, job.rng); },
                [this, seat](const Job& job) {
                    makeMoves(seat, job.plan);
                    ++m_serial;
                    playPlans(seat);
                });
        }
        const Stopwatch watch(m_timing);
        const bots::Observation o = observe(seat);
        bots::Plan plan;
        if (level == bots::Level::Strong) {
            plan = bots::strong::play(o);
        } else if (level == bots::Level::Oracle) {
            const bots::Truth truth = reveal();
            plan = bots::expert::play(o, &truth, m_rng[std::size_t(seat)]);
        } else {
            plan = bots::expert::play(o, m_rng[std::size_t(seat)]);
        }
        record(level, watch.ms());
        makeMoves(seat, plan);
    }
    // Never reached by a plan the host accepts; a computer player must not stall the game.
    if (t.running && t.turnSeat == seat && t.phase == Phase::Play) {
        int slot = 0;
        while (slot < HandSlots - 1 && t.seat(seat).hand[std::size_t(slot)] == 0) ++slot;
        m_engine.requestDiscard(seat, slot);
    }
}

void ComputerPlayer::makeMoves(int seat, const bots::Plan& plan)
{
    const Table& t = m_engine.table();
    for (const bots::Move& m : plan) {
        if (t.turnSeat != seat || t.phase != Phase::Play) return;
        switch (m.kind) {
        case bots::Move::CreateBook: m_engine.requestCreateBook(seat, m.a, m.b, m.c); break;
        case bots::Move::AddToBook: m_engine.requestAddToBook(seat, m.a, m.b); break;
        case bots::Move::AddToComp: m_engine.requestAddToComp(seat, m.a, m.b); break;
        case bots::Move::Discard: m_engine.requestDiscard(seat, m.a); break;
        }
    }
}

// ---- Saved games ----------------------------------------------------------------------------
// Generator states travel as decimal text: JSON numbers hold only 53 bits exactly.

namespace {
QJsonArray countsArray(const bots::RankCounts& counts)
{
    QJsonArray a;
    for (int c : counts) a.append(c);
    return a;
}

bool readCounts(const QJsonValue& v, bots::RankCounts& counts)
{
    const QJsonArray a = v.toArray();
    if (a.size() != int(counts.size())) return false;
    for (int i = 0; i < a.size(); ++i) {
        const int c = a[i].toInt(-1);
        if (c < 0 || c > cards::DeckSize) return false;
        counts[std::size_t(i)] = c;
    }
    return true;
}

bool readLevel(const QJsonValue& v, bots::Level& level)
{
    const auto l = bots::levelFromName(v.toString().toStdString());
    if (!l) return false;
    level = *l;
    return true;
}
} // namespace

QJsonObject ComputerPlayer::saveState() const
{
    QJsonArray seats;
    for (int s = 1; s <= Seats; ++s) {
        const auto i = std::size_t(s);
        seats.append(QJsonObject{{"chosen", QString::fromLatin1(bots::levelName(m_chosen[i]).data())},
                                 {"active", QString::fromLatin1(bots::levelName(m_active[i]).data())},
                                 {"rng", QString::number(m_rng[i].state())},
                                 {"known", countsArray(m_known[i])},
                                 {"discarded", countsArray(m_letGo[i].discarded)},
                                 {"passed", countsArray(m_letGo[i].passed)},
                                 {"letGoOnFoot", m_letGo[i].onFoot},
                                 {"lastLetGo", m_letGo[i].last},
                                 {"fed", m_fedCard[i]},
                                 {"fedBy", QString::fromLatin1(bots::levelName(m_fedBy[i]).data())}});
    }
    QJsonArray fed;
    for (long long n : m_booksFed) fed.append(n);
    return {{"seed", QString::number(m_seed)},
            {"serial", qint64(m_serial)},
            {"played", countsArray(m_played)},
            {"lastDiscard", m_lastDiscard},
            {"lastDiscardBy", QString::fromLatin1(bots::levelName(m_lastDiscardBy).data())},
            {"booksFed", fed},
            {"seats", seats}};
}

bool ComputerPlayer::restoreState(const QJsonObject& state, QString* error)
{
    const auto fail = [error](const char* why) {
        if (error) *error = QStringLiteral("computer players: %1").arg(QLatin1String(why));
        return false;
    };
    bool ok = false;
    const std::uint64_t seed = state.value("seed").toString().toULongLong(&ok);
    if (!ok) return fail("no seed");
    const qint64 serial = state.value("serial").toInteger(-1);
    if (serial < 0 || serial > 0xFFFFFFFFll) return fail("no serial");
    bots::RankCounts played{};
    if (!readCounts(state.value("played"), played)) return fail("cards played");
    const QJsonArray seats = state.value("seats").toArray();
    if (seats.size() != Seats) return fail("not four seats");
    std::array<bots::Level, Seats + 1> chosen{}, active{};
    std::array<bots::Rng, Seats + 1> rng{};
    std::array<bots::RankCounts, Seats + 1> known{};
    std::array<LetGo, Seats + 1> letGo{};
    // Who fed whom came later: a file without it restores with nothing fed.
    const auto cardOrNone = [](const QJsonValue& v) {
        const int c = v.toInt(0);
        return c >= 0 && c <= cards::Joker ? c : -1;
    };
    const auto levelOr = [](const QJsonValue& v, bots::Level& level) { return v.isUndefined() || readLevel(v, level); };
    const int lastDiscard = cardOrNone(state.value("lastDiscard"));
    bots::Level lastDiscardBy = bots::Level::Classic;
    if (lastDiscard < 0 || !levelOr(state.value("lastDiscardBy"), lastDiscardBy)) return fail("the last discard");
    std::array<long long, bots::LevelCount> booksFed{};
    const QJsonArray fedCounts = state.value("booksFed").toArray();
    for (int l = 0; l < bots::LevelCount && l < fedCounts.size(); ++l) booksFed[std::size_t(l)] = fedCounts[l].toInteger(0);
    std::array<int, Seats + 1> fedCard{};
    std::array<bots::Level, Seats + 1> fedBy{};
    for (int s = 1; s <= Seats; ++s) {
        const auto i = std::size_t(s);
        const QJsonObject o = seats[s - 1].toObject();
        if (!readLevel(o.value("chosen"), chosen[i]) || !readLevel(o.value("active"), active[i]))
            return fail("a seat's level");
        const std::uint64_t r = o.value("rng").toString().toULongLong(&ok);
        if (!ok) return fail("a seat's generator");
        rng[i] = bots::Rng::fromState(r);
        if (!readCounts(o.value("known"), known[i])) return fail("a seat's picked-up cards");
        // What a seat let go of came later too: a file without it restores with nothing seen.
        if ((o.contains("discarded") && !readCounts(o.value("discarded"), letGo[i].discarded)) ||
            (o.contains("passed") && !readCounts(o.value("passed"), letGo[i].passed)))
            return fail("what a seat let go of");
        letGo[i].onFoot = o.value("letGoOnFoot").toBool(false);
        letGo[i].last = cardOrNone(o.value("lastLetGo"));
        if (letGo[i].last < 0) return fail("a seat's last discard");
        fedCard[i] = cardOrNone(o.value("fed"));
        if (fedCard[i] < 0 || !levelOr(o.value("fedBy"), fedBy[i])) return fail("a seat's card from the pile");
    }
    m_seed = seed;
    m_serial = unsigned(serial);
    m_played = played;
    m_chosen = chosen;
    m_active = active;
    m_rng = rng;
    m_known = known;
    m_letGo = letGo;
    m_lastDiscard = lastDiscard;
    m_lastDiscardBy = lastDiscardBy;
    m_fedCard = fedCard;
    m_fedBy = fedBy;
    m_booksFed = booksFed;
    m_pending = 0;
    return true;
}

} // namespace quornet::host
