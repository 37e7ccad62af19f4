// Participants and seats: numbering, logins, the version check, the catch-up of a late joiner,
// the full table, relays, removal and the just-watch switch.
#include "support/harness.h"

#include <QtTest>

using namespace quornet::host;
using namespace quornet::host::testing;
namespace msg = quornet::protocol::msg;

class TestSeats : public QObject
{
    Q_OBJECT
private slots:
    void firstConnectionsTakeTheSeatsInOrder()
    {
        Harness h;
        QCOMPARE(h.connect(), 1);
        QCOMPARE(h.take(), QStringList{"1:CMD_sendlogininfo+1"});
        h.send(1, msg::loginInfo(1, "1.0.11", "Ann"));
        // The login ends with a second terminator: the empty message after it does nothing.
        QCOMPARE(h.take(), QStringList{"1:CMD_newplayerinfo+1+Ann"});

        QCOMPARE(h.join("Bob"), 2);
        QCOMPARE(h.take(),
                 (QStringList{"2:CMD_sendlogininfo+2", "1:CMD_newplayerinfo+2+Bob",
                              "2:CMD_newplayerinfo+2+Bob", "2:CMD_existingplayers+1+Ann"}));
        for (const char* name : {"Cy", "Di", "Ed"})
            h.join(name);
        QCOMPARE(h.table().highWater, 5);
        QCOMPARE(h.seat(4).name, QByteArray("Di"));
        QCOMPARE(h.table().rec[5].name, QByteArray("Ed"));
        QVERIFY(h.out.framesOk);
    }

    void soloTableNamesTheComputerSeats()
    {
        Harness h;
        h.connect();
        h.take();
        h.send(1, msg::loginInfo(1, "1.0.11", "You"));
        QCOMPARE(h.seat(2).name, QByteArray("Klot"));
        QCOMPARE(h.seat(3).name, QByteArray("Klick"));
        QCOMPARE(h.seat(4).name, QByteArray("Kling"));
        QVERIFY(h.table().computerPlayed(2));
        QVERIFY(!h.table().computerPlayed(1));
    }

    void lateJoinerHearsOfEverySeatAndSpectator()
    {
        Harness h;
        for (const char* name : {"Ann", "Bob", "Cy", "Di", "Ed", "Flo", "Gus"})
            h.join(name);
        h.take();
        h.close(3);
        QCOMPARE(h.take(), toEach({1, 2, 4, 5, 6, 7}, "CMD_playerdisconnected+3+Cy"));
        h.close(6);
        h.close(2);
        h.take();
        QCOMPARE(h.seat(3).name, QByteArray("Klick")); // the seat returns to its default name
        QCOMPARE(h.table().rec[6].name, QByteArray());

        // The newcomer takes the lowest free number, and has a different version.
        QCOMPARE(h.join("Hal", "1.0.9"), 2);
        QStringList want{"2:CMD_sendlogininfo+2"};
        want << toEach({1, 2, 4, 5, 7}, "CMD_newplayerinfo+2+Hal");
        want << "2:CMD_existingplayers+1+Ann"
             << "2:CMD_existingplayers+3+Klick" // a seat without a participant: its default name
             << "2:CMD_existingplayers+4+Di"
             << "2:CMD_existingplayers+5+Ed" // a departed spectator number is not announced
             << "2:CMD_existingplayers+7+Gus"
             << "1:CMD_havewrongversion+Hal"
             << "2:CMD_wrongversion+";
        QCOMPARE(h.take(), want);
        // A wrong version is reported, not refused.
        QVERIFY(h.seat(2).connected);
        QCOMPARE(h.join("Ivy"), 3);
    }

    void wrongVersionWithoutParticipantOne()
    {
        Harness h;
        h.join("Ann");
        h.join("Bob");
        h.close(1);
        h.take();
        h.join("Cy", "0.9");
        // Participant 1 is gone, so only the newcomer hears of it; the newcomer took number 1.
        QCOMPARE(h.take(), (QStringList{"1:CMD_sendlogininfo+1", "1:CMD_newplayerinfo+1+Cy",
                                        "2:CMD_newplayerinfo+1+Cy", "1:CMD_existingplayers+2+Bob",
                                        "1:CMD_havewrongversion+Cy", "1:CMD_wrongversion+"}));
    }

    void catchUpDuringAGame()
    {
        Harness h;
        h.join("Ann");
        h.join("Bob");
        h.startGame("3", false, true, 2);
        Rig(h)
            .hand(3, {5, 0, 22, 13})
            .workingBook(1, 2, 13, 1, 4)
            .workingBook(1, 5, 7, 2, 5)
            .completedBook(1, 12, 1)
            .workingBook(2, 1, 14, 2, 3)
            .onFoot(4)
            .pile({20, 31})
            .score(1, 340)
            .score(2, -50);
        h.send(2, msg::justWatch(2, 1));
        h.take();

        QCOMPARE(h.join("Cy"), 3);
        QStringList want{"3:CMD_sendlogininfo+3"};
        want << toEach({1, 2, 3}, "CMD_newplayerinfo+3+Cy");
        want << "3:CMD_existingplayers+1+Ann"
             << "3:CMD_existingplayers+2+Bob"
             << "3:CMD_loadstats+3+2+"
             << "3:CMD_scoresheet+1+0+0+0+0+0+0+0+0+0+0+0+0" // the round as the rig left its points
             // The newcomer takes over seat 3's hand.
             << "3:CMD_newcard+3+0+5"
             << "3:CMD_newcard+3+2+22"
             << "3:CMD_newcard+3+3+13"
             << "3:CMD_loadbooks+1+2+13+1+4+5+7+2+5"
             << "3:CMD_loadcomp+1+1+12+1"
             << "3:CMD_loadbooks+2+1+14+2+3"
             << "3:CMD_usefoot+4"
             << "3:CMD_postscores+340+0+1+3"
             << "3:CMD_postscores+-50+0+2+4"
             << "3:CMD_justwatching+2+1"
             // The table as it is: the pile's top, every seat's count, the turn seat last.
             << "3:CMD_discard+31"
             << "3:CMD_nextplayer+2+11+t+1"
             << "3:CMD_nextplayer+3+3+t+1"
             << "3:CMD_nextplayer+4+11+t+1"
             << "3:CMD_nextplayer+1+11+t+1";
        QCOMPARE(h.take(), want);

        // A spectator gets no hand.
        QCOMPARE(h.join("Di"), 4);
        h.take();
        QCOMPARE(h.join("Ed"), 5);
        const QStringList ed = h.takeFor(5);
        QVERIFY(!ed.filter("CMD_loadstats").isEmpty());
        QVERIFY(ed.filter("CMD_newcard").isEmpty());
    }

    void catchUpOfATwoPlayerGame()
    {
        Harness h;
        h.join("Ann");
        h.startGame("5", true, false, 1);
        h.take();
        QCOMPARE(h.join("Cy"), 2);
        const QStringList got = h.takeFor(2);
        // Seat 2 plays in a two-player game: its hand arrives. The computer's seats watch.
        QCOMPARE(got.filter("CMD_newcard").size(), 11);
        QCOMPARE(got.mid(got.size() - 9),
                 (QStringList{"CMD_postscores+0+0+1+3", "CMD_postscores+0+0+2+4",
                              "CMD_justwatching+3+1", "CMD_justwatching+4+1", "CMD_nobots+",
                              // Seat 1 has drawn its two cards already (no pick-up option).
                              "CMD_nextplayer+2+11+f+1", "CMD_nextplayer+3+11+f+1",
                              "CMD_nextplayer+4+11+f+1", "CMD_nextplayer+1+13+f+1"}));
        QCOMPARE(h.join("Di"), 3);
        const QStringList di = h.takeFor(3);
        QVERIFY(di.filter("CMD_newcard").isEmpty()); // seat 3 only watches in a two-player game
        QCOMPARE(di.filter("CMD_loadstats"), QStringList{"CMD_loadstats+5+1+"});
    }

    void fullTable()
    {
        Harness h;
        for (int i = 1; i <= 9; ++i)
            QCOMPARE(h.join("P" + QByteArray::number(i)), i);
        h.take();
        const HostEngine::AcceptResult tenth = h.engine->accept();
        QVERIFY(tenth.refused);
        QCOMPARE(tenth.participant, 10);
        // Nothing is sent by the engine and nothing changes: the adapter sends CMD_full.
        QVERIFY(h.take().isEmpty());
        QCOMPARE(h.table().highWater, 9);
        QVERIFY(!h.table().rec[10].connected);

        // A freed number is handed out again, the lowest first.
        h.close(7);
        h.close(5);
        QCOMPARE(h.connect(), 5);
        QCOMPARE(h.connect(), 7);
        QCOMPARE(h.connect(), 0);
    }

    void relays()
    {
        Harness h;
        h.join("Ann");
        h.join("Bob");
        h.join("Cy");
        h.close(3);
        h.take();
        h.send(2, msg::chat(2, "hello + goodbye|clBlack"));
        QCOMPARE(h.take(), toEach({1, 2}, "CMD_chat+2+Bob chats: hello + goodbye|clBlack"));
        h.send(2, msg::action(2, "waves|$00FF0000"));
        QCOMPARE(h.take(), toEach({1, 2}, "CMD_action+2+Bob waves|$00FF0000"));
        h.send(1, msg::playASound(1, 12));
        QCOMPARE(h.take(), toEach({1, 2}, "CMD_playasound+1+wave12+"));
        // Unknown command words, a lower-case prefix and text without "+" are dropped silently.
        h.send(2, "cmd_chat+2+hi\xFF"
                  "CMD_nothing+1\xFF"
                  "CMD_chat\xFF");
        QVERIFY(h.take().isEmpty());
    }

    void kickOnlyFromParticipantOne()
    {
        Harness h;
        h.out.reportClosesTo = h.engine.get();
        for (const char* name : {"Ann", "Bob", "Cy", "Di", "Ed"})
            h.join(name);
        h.take();
        h.send(1, msg::kickHim(1, 5));
        QCOMPARE(h.out.closeRequests, QList<int>{5});
        // Ed hears of it first, so his window knows why it closes.
        QCOMPARE(h.take(), toEach({5, 1, 2, 3, 4}, "CMD_playerdisconnected+5+Ed"));
        // A target that is not connected: nothing.
        h.send(1, msg::kickHim(1, 5));
        h.send(1, msg::kickHim(1, 8));
        QCOMPARE(h.out.closeRequests, QList<int>{5});
        QVERIFY(h.take().isEmpty());
    }

    void justWatchSwitch()
    {
        Harness h;
        h.join("Ann");
        h.join("Bob");
        h.take();
        h.send(2, msg::justWatch(2, 1));
        QCOMPARE(h.take(), toEach({1, 2}, "CMD_justwatching+2+1"));
        QVERIFY(h.seat(2).justWatching);
        QVERIFY(h.table().computerPlayed(2));
        h.send(2, "CMD_justwatch+2+7\xFF"); // any other state changes nothing
        QVERIFY(h.take().isEmpty());
        QVERIFY(h.seat(2).justWatching);
        // The host's user may switch any connected seat.
        h.send(1, msg::justWatch(2, 2));
        QCOMPARE(h.take(), toEach({1, 2}, "CMD_justwatching+2+2"));
        QVERIFY(!h.seat(2).justWatching);
        // A seat nobody holds is not switched.
        h.send(1, msg::justWatch(3, 1));
        QVERIFY(h.take().isEmpty());
        QVERIFY(!h.seat(3).justWatching);
        // Leaving clears the flag.
        h.send(2, msg::justWatch(2, 1));
        h.close(2);
        QVERIFY(!h.seat(2).justWatching);
    }

    void twoPlayerSeatsKeepWatching()
    {
        Harness h;
        for (const char* name : {"Ann", "Bob", "Cy"})
            h.join(name);
        h.startGame("r", true, true, 1);
        h.take();
        QVERIFY(h.seat(3).justWatching);
        h.send(3, msg::justWatch(3, 2)); // ignored in a two-player game
        QVERIFY(h.take().isEmpty());
        QVERIFY(h.seat(3).justWatching);
        h.close(3);
        QVERIFY(h.seat(3).justWatching); // seats 3 and 4 keep watching
    }
};

QTEST_APPLESS_MAIN(TestSeats)
#include "test_seats.moc"
