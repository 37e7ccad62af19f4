// The pile tracker against the host: fed the messages participant 1 receives through whole games
// of computer players (pick-ups of one and of several cards, reshuffles), it knows the pile and
// the deck's count as the host holds them at the end of every turn, and what each seat discarded
// (its last discard too) and passed over on the pile with its present hand as the host's
// computer players saw it.
#include "support/harness.h"

#include "bots/level.h"
#include "host/computerplayer.h"
#include "protocol/fields.h"
#include "table/core/piletracker.h"

#include <QtTest>

using namespace quornet;
using namespace quornet::host::testing;

class TestPileTracker : public QObject
{
    Q_OBJECT
private slots:
    void followsThePileThroughWholeGames_data()
    {
        QTest::addColumn<int>("pickUpCount");
        QTest::addColumn<std::uint32_t>("seed");
        QTest::newRow("pick up 1") << 1 << 4u;
        QTest::newRow("pick up 3") << 3 << 5u;
        QTest::newRow("pick up 7") << 7 << 6u;
    }

    void followsThePileThroughWholeGames()
    {
        QFETCH(int, pickUpCount);
        QFETCH(std::uint32_t, seed);
        Harness h({}, seed);
        h.engine->computerPlayer().setTeamLevels(bots::Level::Strong, bots::Level::Classic);
        h.join("Ann");
        table::PileTracker tracker;
        const auto feed = [&] {
            for (const QString& m : h.takeFor(1)) {
                const protocol::Command c = protocol::splitCommand(m.toLatin1());
                tracker.message(c.word, c.args);
            }
        };
        h.startGame("3", false, true, pickUpCount);
        h.send(1, protocol::msg::justWatch(1, 1));
        feed();
        int turns = 0, pickUps = 0, discards = 0, passes = 0, lastDeck = -1;
        long long lastTurn = h.engine->stats().turns;
        for (int events = 0; h.table().running && events < 100000; ++events) {
            h.fire();
            feed();
            if (h.engine->stats().turns == lastTurn || h.table().phase != host::Phase::Draw) continue;
            lastTurn = h.engine->stats().turns;
            // Between two turns: the host's pile and deck as the tracker followed them.
            const host::Table& t = h.table();
            QList<int> pile;
            for (int p = 1; p <= t.discardCount; ++p) pile << t.pile[std::size_t(p)];
            QCOMPARE(tracker.pile(), pile);
            int deck = 0;
            for (int p = t.deckPos + 1; p <= cards::DeckSize; ++p) deck += t.deck[std::size_t(p)] != 0;
            QCOMPARE(tracker.deckCount(), deck);
            ++turns;
            // A turn that left the deck as it was took the pile (a draw takes two cards); cards
            // seen picked up and still held count too.
            pickUps += deck == lastDeck;
            lastDeck = deck;
            const bots::Observation seen = h.engine->computerPlayer().observe(1);
            for (int s = 1; s <= 4; ++s) {
                for (int n : tracker.known(s)) pickUps += n;
                QCOMPARE(tracker.discarded(s), seen.discarded[std::size_t(s)]);
                QCOMPARE(tracker.passed(s), seen.passed[std::size_t(s)]);
                QCOMPARE(tracker.lastDiscard(s), seen.lastDiscard[std::size_t(s)]);
                for (int n : tracker.discarded(s)) discards += n;
                for (int n : tracker.passed(s)) passes += n;
            }
        }
        QVERIFY(!h.table().running);
        QVERIFY(turns > 20);
        QVERIFY(pickUps > 0);
        QVERIFY(discards > turns);
        QVERIFY(passes > 0);
    }
};

QTEST_APPLESS_MAIN(TestPileTracker)
#include "test_piletracker.moc"
