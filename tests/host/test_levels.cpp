// The computer-player levels through the host's engine: no level sees a hidden card, every level
// plays whole games by the rules (the harness checks the table's invariants after every event),
// Expert's guesses at the hidden hands follow how the seats played, and Expert's decisions made
// in a worker are applied only while the turn they were made for is still on.
#include "support/harness.h"

#include "bots/level.h"
#include "bots/playout.h"
#include "host/computerplayer.h"

#include <QtTest>

#include <functional>

using namespace quornet;
using namespace quornet::host;
using namespace quornet::host::testing;
namespace msg = quornet::protocol::msg;

namespace
{

// Ann (seat 1) has drawn and discarded; seat 2, a computer player at `level`, waits on Timer1
// for its draw decision. Seat 2 holds two sevens, a king, a five and a wild; a seven lies on
// the pile, and team 2 has a book of nines.
void seatTwoToDecide(Harness& h, bots::Level level)
{
    h.engine->computerPlayer().setLevel(level);
    h.join("Ann");
    h.startGame();
    Rig(h).hand(1, {9, 10, 11}).stack({12, 24});
    h.send(1, msg::drawing(1, 1));
    h.send(1, msg::discard(1, 0));
    Rig(h).hand(2, {7, 20, 13, 5, 54}).pile({8, 46, 33}).workingBook(2, 1, 9, 1, 4);
    QCOMPARE(h.engine->botTimerTag(), TimerTag::DrawDecision);
    h.take();
}

// The cards seat 2 cannot see, made different: Ann's hand, the other hands and feet, seat 2's
// own foot and the deck below its next two cards. Every count stays the same.
void hideOtherCards(Harness& h)
{
    Rig(h)
        .hand(1, {40, 41, 42, 43})
        .hand(3, {17, 18, 19, 21, 22, 23, 25, 26, 27, 30, 31})
        .hand(4, {32, 34, 35, 36, 37, 38, 39, 43, 44, 45, 47})
        .foot(2, {48, 49, 50, 51, 52, 53, 54, 2, 15, 28, 14})
        .foot(3, {4, 6, 10, 12, 13, 16, 29, 3, 5, 9, 11})
        .stack({6, 19, 40, 41, 42, 43, 44, 45});
}

struct Game {
    bool ended = false;
    long long turns = 0;
};

Game playGame(bots::Level team1, bots::Level team2, const QByteArray& length, bool twoPlayer, bool pickUp,
              int pickUpCount, std::uint32_t seed)
{
    Harness h({}, seed);
    h.engine->computerPlayer().setTeamLevels(team1, team2);
    h.engine->computerPlayer().setSeed(seed);
    h.join("Ann");
    h.startGame(length, twoPlayer, pickUp, pickUpCount);
    h.send(1, msg::justWatch(1, 1)); // every seat is the computer's
    h.fireUntilIdle(200000);
    return {!h.table().running && h.engine->stats().gamesEnded == 1, h.engine->stats().turns};
}

} // namespace

class TestLevels : public QObject
{
    Q_OBJECT
private slots:
    void noLevelSeesAHiddenCard_data()
    {
        QTest::addColumn<int>("level");
        QTest::newRow("strong") << int(bots::Level::Strong);
        QTest::newRow("expert") << int(bots::Level::Expert);
    }

    void noLevelSeesAHiddenCard()
    {
        QFETCH(int, level);
        Harness a, b;
        seatTwoToDecide(a, bots::Level(level));
        seatTwoToDecide(b, bots::Level(level));
        Rig(a).stack({6, 19});
        hideOtherCards(b);
        QVERIFY(a.seat(3).hand != b.seat(3).hand);
        QVERIFY(a.seat(2).foot != b.seat(2).foot);
        // What the driver gives the level is the same on both tables ...
        QCOMPARE(a.engine->computerPlayer().observe(2), b.engine->computerPlayer().observe(2));
        // ... and so is the whole turn as Ann sees it: the draw or pick-up, every book and the
        // discard.
        a.fire(2);
        b.fire(2);
        const QStringList turn = a.takeFor(1);
        QCOMPARE(b.takeFor(1), turn);
        QVERIFY(turn.contains("CMD_nextplayer+2+" + QString::number(cardsIn(a.seat(2).hand)) + "+t+3"));
        QCOMPARE(a.seat(2).hand, b.seat(2).hand);
    }

    void everyLevelPlaysWholeGamesByTheRules_data()
    {
        QTest::addColumn<int>("team1");
        QTest::addColumn<int>("team2");
        QTest::addColumn<QByteArray>("length");
        QTest::addColumn<bool>("twoPlayer");
        QTest::addColumn<bool>("pickUp");
        QTest::addColumn<int>("pickUpCount");
        using L = bots::Level;
        QTest::newRow("strong-classic to 3000") << int(L::Strong) << int(L::Classic) << QByteArray("3") << false << true << 1;
        QTest::newRow("classic-strong, pick up 4") << int(L::Classic) << int(L::Strong) << QByteArray("r") << false << true << 4;
        QTest::newRow("strong, two players") << int(L::Strong) << int(L::Strong) << QByteArray("r") << true << true << 2;
        QTest::newRow("strong, no pick-up") << int(L::Strong) << int(L::Classic) << QByteArray("r") << false << false << 1;
        QTest::newRow("expert-strong") << int(L::Expert) << int(L::Strong) << QByteArray("r") << false << true << 1;
        QTest::newRow("classic-expert, pick up 3") << int(L::Classic) << int(L::Expert) << QByteArray("r") << false << true << 3;
    }

    void everyLevelPlaysWholeGamesByTheRules()
    {
        QFETCH(int, team1);
        QFETCH(int, team2);
        QFETCH(QByteArray, length);
        QFETCH(bool, twoPlayer);
        QFETCH(bool, pickUp);
        QFETCH(int, pickUpCount);
        for (std::uint32_t seed : {3u, 11u}) {
            const Game g = playGame(bots::Level(team1), bots::Level(team2), length, twoPlayer, pickUp, pickUpCount, seed);
            QVERIFY2(g.ended, qPrintable(QStringLiteral("seed %1").arg(seed)));
            QVERIFY(g.turns > 4);
            // The same seed plays the same game.
            QCOMPARE(playGame(bots::Level(team1), bots::Level(team2), length, twoPlayer, pickUp, pickUpCount, seed).turns,
                     g.turns);
        }
    }

    void guessesFollowWhatTheSeatsShowed()
    {
        // Seat 1's view: team 2 (seats 2 and 4) has a working book of kings and seat 2 discarded
        // a five. Expert's guesses give every hidden hand its count, but never a king to team 2
        // nor a third natural of a rank to anyone, and a five to seat 2 seldom.
        bots::Observation o;
        o.seat = 1;
        o.hand = {6, 7, 8, 9, 10, 11, 19, 20, 21, 22, 23};
        o.books[2].working[1] = {3, 13, int(cards::BookKind::Normal)};
        o.played[0] = 3;
        o.pile[1] = 5;
        o.pileCount = 1;
        o.discarded[2][5] = 1;
        o.handCount = {0, 11, 11, 11, 11};
        o.deckCount = 124;
        bots::Rng rng(7);
        std::array<int, 5> kings{}, fives{};
        for (int i = 0; i < 400; ++i) {
            const bots::World w = bots::World::sample(o, rng);
            QCOMPARE(w.hand(1), o.hand);
            for (int s = 2; s <= 4; ++s) {
                QCOMPARE(cardsIn(w.hand(s)), 11);
                const bots::RankCounts n = bots::rankCounts(w.hand(s));
                kings[std::size_t(s)] += n[0];
                fives[std::size_t(s)] += n[5];
                for (int r = 0; r < bots::Ranks; ++r)
                    if (r != bots::WildRank && r != bots::ThreeRank) QVERIFY(n[std::size_t(r)] <= 2);
            }
        }
        QVERIFY2(kings[2] == 0 && kings[4] == 0 && kings[3] > 100, qPrintable(QStringLiteral("%1 %2 %3").arg(kings[2]).arg(kings[3]).arg(kings[4])));
        QVERIFY2(fives[2] * 2 < fives[3] && fives[2] * 2 < fives[4], qPrintable(QStringLiteral("%1 %2 %3").arg(fives[2]).arg(fives[3]).arg(fives[4])));

        // With most fives in books, that five was seat 2's last discard: its guessed hands are
        // nearly all ones Strong would have let the five go from (none holds a three or a card
        // Strong likes less), clearly more than guesses that do not know it.
        bots::Observation after = o;
        after.played[5] = 10;
        bots::Observation blind = after;
        after.lastDiscard[2] = 5;
        int fits = 0, fitsBlind = 0;
        for (int i = 0; i < 400; ++i) {
            fitsBlind += bots::discardFits(after, 2, bots::World::sample(blind, rng).hand(2));
            fits += bots::discardFits(after, 2, bots::World::sample(after, rng).hand(2));
        }
        qInfo("hands that fit the last discard: %d of 400, %d without it", fits, fitsBlind);
        QVERIFY(fits >= 360 && fits > fitsBlind + 40);
    }

    void theOracleIsNoPlayersChoice()
    {
        // The simulator's oracle sees hidden cards: no settings text or command-line name gives it.
        QCOMPARE(bots::levelFromName("oracle"), std::nullopt);
        QCOMPARE(bots::levelFromText("oracle"), bots::Level::Classic);
        QCOMPARE(bots::simLevelFromName("oracle"), bots::Level::Oracle);
        QCOMPARE(bots::simLevelFromName("expert"), bots::Level::Expert);
    }

    void expertThinksOffTheLoopAndDropsStaleAnswers()
    {
        Harness h;
        std::vector<std::pair<std::function<void()>, std::function<void()>>> jobs;
        h.engine->computerPlayer().setThinker(
            [&](std::function<void()> work, std::function<void()> done) { jobs.emplace_back(std::move(work), std::move(done)); });
        h.engine->computerPlayer().setLevel(bots::Level::Expert);
        h.join("Ann");
        h.join("Bob");
        h.startGame();
        h.send(1, msg::drawing(1, 1));
        h.send(1, msg::discard(1, 0));
        h.take();
        // Bob watches: the computer plays his seat; its draw decision goes to the worker and
        // nothing happens until the answer is back.
        h.send(2, msg::justWatch(2, 1));
        QCOMPARE(jobs.size(), std::size_t(1));
        QVERIFY(h.engine->computerPlayer().thinking());
        QCOMPARE(h.take().filter("CMD_newcard"), QStringList{});
        // Bob plays again before the answer arrives: it is dropped, the turn is his.
        h.send(2, msg::justWatch(2, 2));
        jobs[0].first();
        jobs[0].second();
        QVERIFY(!h.engine->computerPlayer().thinking());
        QCOMPARE(h.table().phase, Phase::Draw);
        QCOMPARE(h.table().turnSeat, 2);
        // Watching again: a new decision; its answer draws, and the books and discard follow
        // through further answers until the turn passes.
        h.send(2, msg::justWatch(2, 1));
        for (std::size_t i = 1; i < jobs.size() && i < 10; ++i) {
            jobs[i].first();
            jobs[i].second();
        }
        QCOMPARE(h.table().turnSeat, 3);
        QVERIFY(h.engine->computerPlayer().thinkTimes(bots::Level::Expert).decisions >= 2);
    }
};

QTEST_APPLESS_MAIN(TestLevels)
#include "test_levels.moc"
