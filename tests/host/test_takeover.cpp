// The computer player taking over a seat in the middle of its turn: a departure in the draw or
// the play phase, just watching during the own turn, and a seat that becomes a human's again.
#include "support/harness.h"

#include <QtTest>

using namespace quornet::host;
using namespace quornet::host::testing;
namespace msg = quornet::protocol::msg;

namespace
{

// Ann (seat 1) draws and discards a three; then it is Bob's turn (seat 2, a human). Bob holds a
// five, a nine and a three and will draw a king and a queen: the computer player discards the
// three, keeping four cards.
void bobsTurn(Harness& h)
{
    h.join("Ann");
    h.join("Bob");
    h.startGame();
    Rig(h).hand(1, {3, 9, 10}).hand(2, {5, 9, 16}).stack({11, 24, 13, 25});
    h.send(1, msg::drawing(1, 1));
    h.send(1, msg::discard(1, 0));
    QCOMPARE(h.table().turnSeat, 2);
    h.take();
}

} // namespace

class TestTakeOver : public QObject
{
    Q_OBJECT
private slots:
    void departureInTheDrawPhase()
    {
        Harness h;
        bobsTurn(h);
        QVERIFY(!h.out.timerEnabled);
        h.close(2);
        h.releaseSteps();
        // The computer player draws for the seat at once and plays the turn to its end, its
        // steps after the draw one timer event apart.
        QCOMPARE(h.take(), (QStringList{"1:CMD_seatheld+2+120+Bob", "1:CMD_playerdisconnected+2+Bob",
                                        "1:CMD_discard+16", "1:CMD_nextplayer+2+4+t+3"}));
        QCOMPARE(h.seat(2).hand, (Hand{5, 9, 0, 13, 25}));
        QCOMPARE(h.seat(2).name, QByteArray("Klot"));
        QCOMPARE(h.engine->botTimerTag(), TimerTag::DrawDecision);
        // The second report of the same close does nothing.
        h.close(2);
        QVERIFY(h.take().isEmpty());
        QCOMPARE(h.table().turnSeat, 3);
    }

    void departureInThePlayPhase()
    {
        Harness h;
        bobsTurn(h);
        h.send(2, msg::drawing(2, 1));
        QCOMPARE(h.take(), (QStringList{"2:CMD_newcard+2+3+13", "2:CMD_newcard+2+4+25"}));
        const int deckPos = h.table().deckPos;
        h.close(2);
        h.releaseSteps();
        QCOMPARE(h.take(), (QStringList{"1:CMD_seatheld+2+120+Bob", "1:CMD_playerdisconnected+2+Bob",
                                        "1:CMD_discard+16", "1:CMD_nextplayer+2+4+t+3"}));
        QCOMPARE(h.table().deckPos, deckPos); // the computer did not draw again
    }

    void justWatchDuringTheOwnTurn()
    {
        Harness h;
        bobsTurn(h);
        h.send(2, msg::justWatch(2, 1));
        h.releaseSteps();
        // A just-watching participant still sees its seat's cards and answers.
        QStringList want = toEach({1, 2}, "CMD_justwatching+2+1");
        want << "2:CMD_newcard+2+3+13"
             << "2:CMD_newcard+2+4+25"
             << "2:CMD_freecard+2" << toEach({1, 2}, "CMD_discard+16")
             << toEach({1, 2}, "CMD_nextplayer+2+4+t+3");
        QCOMPARE(h.take(), want);
    }

    void hostUserSetsAnotherSeatWatchingInItsPlayPhase()
    {
        Harness h;
        for (const char* name : {"Ann", "Bob", "Cy"})
            h.join(name);
        h.startGame();
        Rig(h)
            .hand(1, {3, 9, 10})
            .hand(2, {4, 8, 10})
            .hand(3, {5, 9, 16})
            .stack({11, 24, 12, 38, 13, 25});
        for (int seat : {1, 2}) {
            h.send(seat, msg::drawing(seat, 1));
            h.send(seat, msg::discard(seat, 0));
        }
        h.send(3, msg::drawing(3, 1));
        h.take();
        h.send(1, msg::justWatch(3, 1));
        QStringList want = toEach({1, 2, 3}, "CMD_justwatching+3+1");
        want << "3:CMD_freecard+2" << toEach({1, 2, 3}, "CMD_discard+16")
             << toEach({1, 2, 3}, "CMD_nextplayer+3+4+t+4");
        QCOMPARE(h.take(), want);
        QVERIFY(h.seat(3).justWatching);
        QCOMPARE(h.engine->botTimerTag(), TimerTag::DrawDecision);
    }

    void stoppingToWatchWhileTheTimerIsArmed()
    {
        Harness h;
        h.join("Ann");
        h.join("Bob");
        h.startGame();
        h.send(2, msg::justWatch(2, 1));
        h.send(1, msg::drawing(1, 1));
        h.send(1, msg::discard(1, 0));
        QCOMPARE(h.engine->botTimerTag(), TimerTag::DrawDecision);
        h.send(2, msg::justWatch(2, 2));
        h.take();
        // The event finds a human's seat: it only disarms the timer.
        h.fire(2);
        QVERIFY(h.take().isEmpty());
        QVERIFY(!h.out.timerEnabled);
        QCOMPARE(h.table().phase, Phase::Draw);
        h.send(2, msg::drawing(2, 1));
        QCOMPARE(h.take().filter("CMD_newcard").size(), 2);
    }

    void newcomerTakesAVacatedSeatBeforeTheComputerActs()
    {
        EngineOptions options = Harness::scenario();
        options.seatHoldMs = 0; // a seat that is not held for its player
        Harness h(options);
        h.join("Ann");
        h.join("Bob");
        h.startGame();
        h.close(2);
        h.send(1, msg::drawing(1, 1));
        h.send(1, msg::discard(1, 0));
        h.fire(1);
        h.take();
        QCOMPARE(h.join("Cy"), 2);
        QCOMPARE(h.takeFor(2).filter("CMD_newcard").size(), 11); // seat 2's hand
        h.fire(1);
        QVERIFY(h.take().isEmpty());
        QCOMPARE(h.table().turnSeat, 2);
        h.send(2, msg::drawing(2, 1));
        QCOMPARE(h.takeFor(2).filter("CMD_newcard").size(), 2);
    }

    void newcomerOnASeatAwaitingItsAutomaticDraw()
    {
        // Without the pick-up option nobody asks to draw: the host deals the newcomer its two
        // cards when the pending draw falls due, instead of leaving the game waiting.
        Harness h;
        h.join("Ann");
        h.startGame("r", false, false, 1);
        h.send(1, msg::discard(1, 0));
        QCOMPARE(h.engine->botTimerTag(), TimerTag::AutoDraw);
        QCOMPARE(h.join("Bob"), 2);
        h.take();
        h.fire(2);
        QCOMPARE(h.takeFor(2).filter("CMD_newcard").size(), 2);
        QCOMPARE(h.table().turnSeat, 2);
        QCOMPARE(h.table().phase, Phase::Play);
    }

    void seatOneLeavingInItsTurnIsNotTakenOver()
    {
        // With the host's own table window on seat 1, the program ends with that window; the
        // engine does not play seat 1's turn.
        Harness h;
        h.join("Ann");
        h.join("Bob");
        h.startGame();
        h.take();
        h.close(1);
        QCOMPARE(h.take(), QStringList{"2:CMD_playerdisconnected+1+Ann"});
        QCOMPARE(h.table().turnSeat, 1);
        QCOMPARE(h.table().phase, Phase::Draw);
        QVERIFY(!h.out.timerEnabled);
    }
};

QTEST_APPLESS_MAIN(TestTakeOver)
#include "test_takeover.moc"
