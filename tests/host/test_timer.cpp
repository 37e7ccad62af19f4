// Timer1: its tags and tick counts, the Bot Speed read at arming time, and whole games of
// computer players paced by it.
#include "support/harness.h"

#include <QtTest>

using namespace quornet::host;
using namespace quornet::host::testing;
namespace msg = quornet::protocol::msg;

class TestTimer : public QObject
{
    Q_OBJECT
private slots:
    void drawDecisionOnTheSecondEvent()
    {
        Harness h;
        h.join("Ann");
        h.startGame("r");
        h.send(1, msg::drawing(1, 1));
        h.send(1, msg::discard(1, 0));
        QVERIFY(h.out.timerEnabled);
        QCOMPARE(h.out.timerInterval, 1000); // Bot Speed is 1000 until told otherwise
        QCOMPARE(h.engine->botTimerTag(), TimerTag::DrawDecision);
        h.take();
        h.fire(1);
        QVERIFY(h.take().isEmpty());
        QVERIFY(h.out.timerEnabled);
        const int armings = h.out.timerArmings;
        h.fire(1);
        const QStringList turn = h.take().filter("CMD_nextplayer");
        QCOMPARE(turn.size(), 1);
        QVERIFY(turn[0].startsWith("1:CMD_nextplayer+2+"));
        QVERIFY(turn[0].endsWith("+t+3"));
        QCOMPARE(h.table().turnSeat, 3);
        // Seat 3's turn was armed from inside the event and counts from 0 again, at the Bot
        // Speed once seat 2's steps were out.
        QVERIFY(h.out.timerArmings > armings);
        QCOMPARE(h.out.timerInterval, 1000);
        QCOMPARE(h.engine->botTimerTag(), TimerTag::DrawDecision);
        h.fire(1);
        QCOMPARE(h.table().turnSeat, 3);
        h.fire(1);
        QCOMPARE(h.table().turnSeat, 4);
    }

    void automaticDrawWithoutPickUp()
    {
        Harness h;
        h.join("Ann");
        h.startGame("r", false, false, 1);
        h.send(1, msg::discard(1, 0));
        QCOMPARE(h.engine->botTimerTag(), TimerTag::AutoDraw);
        QCOMPARE(h.table().phase, Phase::Play);
        const int deckPos = h.table().deckPos;
        h.take();
        h.fire(1);
        QVERIFY(h.take().isEmpty());
        QCOMPARE(h.table().deckPos, deckPos); // the computer seat gets its cards two events later
        h.fire(1);
        const QStringList turn = h.take().filter("CMD_nextplayer");
        QCOMPARE(turn.size(), 1);
        QVERIFY(turn[0].startsWith("1:CMD_nextplayer+2+"));
        QVERIFY(turn[0].endsWith("+f+3"));
        QCOMPARE(h.table().turnSeat, 3);
        QCOMPARE(h.engine->botTimerTag(), TimerTag::AutoDraw);
    }

    void eventsWhileDisarmedDoNothing()
    {
        Harness h;
        h.join("Ann");
        h.startGame("r");
        h.take();
        h.fire(5);
        QVERIFY(h.take().isEmpty());
        QCOMPARE(h.table().turnSeat, 1);
    }

    void botSpeedIsReadWhenTheTimerIsArmed()
    {
        Harness h;
        h.engine->setBotSpeed(750);
        h.join("Ann");
        h.startGame("r");
        h.send(1, msg::drawing(1, 1));
        h.send(1, msg::discard(1, 0));
        QCOMPARE(h.out.timerInterval, 750);
        h.engine->setBotSpeed(500); // a change does not touch the pending delay
        h.fire(1);
        QCOMPARE(h.out.timerInterval, 750);
        QCOMPARE(h.engine->botTimerInterval(), 750);
        h.fire(1);
        QCOMPARE(h.table().turnSeat, 3);
        QCOMPARE(h.out.timerInterval, 500); // seat 3's turn was armed with the new value
        h.engine->setBotSpeed(1000);
        h.fire(2);
        QCOMPARE(h.out.timerInterval, 1000);
    }

    void fourComputerPlayersPlayAWholeGame()
    {
        Harness h({}, 7);
        for (const char* name : {"Ann", "Bob", "Cy", "Di", "Ed"})
            h.join(name);
        h.startGame("3");
        for (int seat : {2, 3, 4, 1})
            h.send(seat, msg::justWatch(seat, 1));
        // The steps of a computer player's turn after its first go out one an event, at the step
        // pace (Bot Speed 1000: 400 ms).
        int fired = 0, stepEvents = 0;
        for (; h.engine->botTimerEnabled() && fired < 100000; ++fired) {
            if (h.engine->pendingSteps() > 0) {
                ++stepEvents;
                QCOMPARE(h.engine->botTimerInterval(), 400);
                QCOMPARE(h.out.timerInterval, 400);
            }
            h.engine->botTimerFired();
        }
        const EngineStats& st = h.engine->stats();
        QVERIFY(!h.table().running);
        QCOMPARE(st.gamesEnded, 1LL);
        QVERIFY(h.seat(1).score >= 3000 || h.seat(2).score >= 3000);
        // Two events a turn (the first turn was taken over at once), ten between rounds, besides
        // the steps: a discard after a draw at least in most turns.
        QCOMPARE(fired - stepEvents, int(2 * (st.turns - 1) + 10 * (st.rounds - 1)));
        QVERIFY(stepEvents > st.turns / 2);
        int nextPlayer1 = 0, nextPlayer5 = 0, winners = 0, rounds = 0;
        for (const auto& s : h.out.sent) {
            const bool next = s.message.startsWith("CMD_nextplayer+");
            nextPlayer1 += s.participant == 1 && next;
            nextPlayer5 += s.participant == 5 && next;
            winners += s.message.startsWith("CMD_winner+");
            rounds += s.participant == 1 && s.message.startsWith("CMD_startround+");
        }
        QCOMPARE(nextPlayer1, int(st.turns));
        QCOMPARE(nextPlayer5, int(st.turns)); // the spectator follows every turn
        QCOMPARE(winners, 5);
        QCOMPARE(rounds, int(st.rounds - 1));
        QVERIFY(h.out.framesOk);
    }

    void manyGamesKeepTheInvariants()
    {
        // Every handled event checks the invariants; a broken one aborts the run.
        for (const QByteArray& length : {QByteArray("r"), QByteArray("5")}) {
            for (bool pickUp : {true, false}) {
                for (bool twoPlayer : {false, true}) {
                    Harness h({}, 11);
                    for (int game = 0; game < 3; ++game) {
                        h.engine->startGame("Sim", length, twoPlayer, pickUp, 3);
                        h.fireUntilIdle(200000);
                        QVERIFY(!h.table().running);
                    }
                    QCOMPARE(h.engine->stats().gamesEnded, 3LL);
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestTimer)
#include "test_timer.moc"
