// A hand left without cards has nothing to play or discard, and the host never waits for a
// discard that cannot come: after a draw that brought nothing the hand takes the foot or the
// turn passes on, and a computer player with no card ends its turn all the same. (The soak test
// found the stall: a seat on its foot with an empty hand picked up an empty pile, and the game
// waited for its discard, also after a computer player had taken the seat over.)
#include "support/harness.h"

#include <QtTest>

using namespace quornet::host;
using namespace quornet::host::testing;
namespace msg = quornet::protocol::msg;

class TestEmptyHand : public QObject
{
    Q_OBJECT
private slots:
    void emptyPileIntoAnEmptyHandOnTheFootPassesTheTurn()
    {
        Harness h;
        h.join("Ann");
        h.join("Bob");
        h.startGame("r", false, true, 1);
        QCOMPARE(h.table().turnSeat, 1);
        Rig(h).hand(1, {}).foot(1, {}).onFoot(1).pile({});
        h.take();

        h.send(1, msg::drawing(1, 2)); // pick up the pile, which is empty
        QCOMPARE(h.table().turnSeat, 2);
        QCOMPARE(h.table().phase, Phase::Draw);
        const QStringList sent = h.take();
        QVERIFY2(sent.contains("1:CMD_nextplayer+1+0+t+2"), qPrintable(sent.join('\n')));
        QVERIFY(h.table().running);
        QCOMPARE(h.engine->checkInvariants(), QString());
    }

    void emptyPileIntoAnEmptyHandTakesTheFoot()
    {
        Harness h;
        h.join("Ann");
        h.startGame("r", false, true, 1);
        Rig(h).hand(1, {}).pile({});
        QCOMPARE(cardsIn(h.seat(1).foot), 11);
        h.take();

        h.send(1, msg::drawing(1, 2));
        QCOMPARE(h.table().turnSeat, 1);
        QCOMPARE(h.table().phase, Phase::Play);
        QVERIFY(h.seat(1).onFoot);
        QCOMPARE(cardsIn(h.seat(1).hand), 11);
        const QStringList sent = h.takeFor(1);
        QCOMPARE(sent.filter(QRegularExpression("^CMD_newcard\\+1\\+")).size(), 11);
        QVERIFY(sent.contains("CMD_usefoot+1"));
        QCOMPARE(h.engine->checkInvariants(), QString());
    }

    void computerPlayerWithNothingToDrawEndsTheGame()
    {
        // Nobody is connected: every seat is the computer's. Seat 1 is on its empty foot and the
        // deck and pile are gone, so its draw brings nothing; the exhausted deck ends the round.
        Harness h;
        h.engine->startGame("Host", "r", false, true, 1);
        Rig(h).hand(1, {}).foot(1, {}).onFoot(1).pile({}).drainDeck(1);
        QCOMPARE(h.table().turnSeat, 1);

        h.fireUntilIdle(100);
        QVERIFY(!h.table().running);
        QCOMPARE(h.engine->stats().gamesEnded, 1LL);
        QCOMPARE(h.engine->checkInvariants(), QString());
    }

    void computerPlayerTakingOverAnEmptyHandEndsTheTurn()
    {
        // Ann has drawn; her hand and foot are then empty when she leaves in her turn, and the
        // computer player that takes the seat over has no card to discard.
        EngineOptions options = Harness::scenario();
        options.takeOverSeatOne = true;
        Harness h(options);
        h.join("Ann");
        h.startGame("r", false, true, 1);
        h.send(1, msg::drawing(1, 1));
        QCOMPARE(h.table().phase, Phase::Play);
        Rig(h).hand(1, {}).foot(1, {}).onFoot(1);

        h.close(1);
        QCOMPARE(h.table().turnSeat, 2);
        QCOMPARE(h.table().phase, Phase::Draw);
        QVERIFY(h.engine->botTimerEnabled());
        QCOMPARE(h.engine->checkInvariants(), QString());
    }
};

QTEST_GUILESS_MAIN(TestEmptyHand)
#include "test_emptyhand.moc"
