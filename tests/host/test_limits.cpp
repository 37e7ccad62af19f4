// Limits that keep one misbehaving connection or one long round from harming the table: the
// unterminated-bytes limit, the queue flood limit, closes reported twice, a team completing more
// than thirteen books, and the dedicated host taking over seat 1.
#include "support/harness.h"

#include <QRegularExpression>
#include <QtTest>

using namespace quornet::host;
using namespace quornet::host::testing;
namespace msg = quornet::protocol::msg;

class TestLimits : public QObject
{
    Q_OBJECT
private slots:
    void unterminatedBytesCloseTheConnection()
    {
        Harness h;
        h.out.reportClosesTo = h.engine.get();
        h.join("Ann");
        h.join("Bob");
        h.take();
        // A frame of 4 KiB is still accepted, in pieces; one byte more and it is not.
        QVERIFY(h.receive(2, QByteArray(3 * 1024, 'a')));
        QVERIFY(h.receive(2, QByteArray(1024, 'a')));
        QVERIFY(h.out.closeRequests.isEmpty());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("frame longer than the limit"));
        QVERIFY(!h.receive(2, "a"));
        QCOMPARE(h.out.closeRequests, QList<int>{2});
        QCOMPARE(h.take(), QStringList{"1:CMD_playerdisconnected+2+Bob"});
        QVERIFY(!h.seat(2).connected);
        // Everyone else plays on.
        h.send(1, msg::chat(1, "still here|clBlack"));
        QCOMPARE(h.take(), QStringList{"1:CMD_chat+1+Ann chats: still here|clBlack"});
        QCOMPARE(h.join("Cy"), 2);
    }

    void aFloodClosesTheConnection()
    {
        Harness h;
        h.out.reportClosesTo = h.engine.get();
        h.join("Ann");
        h.join("Bob");
        h.take();
        // Bursts of a few dozen pass, and so does a steady sender at a person's pace.
        for (int batch = 0; batch < 8; ++batch) {
            QByteArray burst;
            for (int i = 0; i < 30; ++i)
                burst += msg::playASound(2, 1);
            QVERIFY(h.receive(2, burst));
            h.dispatchAll();
            h.advance(2000);
        }
        QVERIFY(h.out.closeRequests.isEmpty());
        h.take();

        // More than a hundred waiting: closed, and everything it had queued goes at once.
        h.advance(10'000);
        QByteArray flood;
        for (int i = 0; i < 100; ++i)
            flood += msg::chat(2, "spam|clBlack");
        QVERIFY(h.receive(2, flood));
        h.receive(1, msg::chat(1, "hi|clBlack"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("too many messages waiting"));
        QVERIFY(!h.receive(2, msg::chat(2, "one more|clBlack")));
        QCOMPARE(h.out.closeRequests, QList<int>{2});
        QCOMPARE(h.engine->queuedMessages(), 1);
        QCOMPARE(h.take(), QStringList{"1:CMD_playerdisconnected+2+Bob"});
        QCOMPARE(h.dispatchAll(), 1);
        QCOMPARE(h.take(), QStringList{"1:CMD_chat+1+Ann chats: hi|clBlack"});

        // Served as they come, but more than two hundred within ten seconds is no person.
        QCOMPARE(h.join("Cy"), 2);
        h.take();
        for (int i = 0; i < 198; ++i) { // the login was two (it ends with two terminators)
            QVERIFY(h.receive(2, msg::action(2, "waves|clBlack")));
            h.dispatchAll();
            h.advance(40);
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("faster than a person"));
        QVERIFY(!h.receive(2, msg::action(2, "waves|clBlack")));
        QCOMPARE(h.out.closeRequests, (QList<int>{2, 2}));
    }

    void closeReportedTwiceIsHandledOnce()
    {
        Harness h;
        h.out.reportClosesTo = h.engine.get();
        for (const char* name : {"Ann", "Bob", "Cy"})
            h.join(name);
        h.take();
        h.close(3);
        h.close(3);
        QCOMPARE(h.take(), toEach({1, 2}, "CMD_playerdisconnected+3+Cy"));
        // A removal closes the connection; the socket layer's own report then finds it gone.
        h.send(1, msg::kickHim(1, 2));
        h.close(2);
        QCOMPARE(h.take(), toEach({2, 1}, "CMD_playerdisconnected+2+Bob"));
        // Numbers that were never handed out.
        for (int p : {0, -1, 10, 11, 12, 99})
            h.close(p);
        QVERIFY(h.take().isEmpty());
        QCOMPARE(h.join("Di"), 2);
    }

    void aFourteenthCompletedBookIsKept()
    {
        Harness h;
        h.join("Ann");
        h.startGame();
        Rig rig(h);
        rig.hand(1, {9, 22, 35}).workingBook(1, 1, 48, 1, 6);
        for (int naming : {4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 17, 18, 19})
            rig.completedBook(1, naming, 1);
        rig.score(1, 1000);
        h.send(1, msg::drawing(1, 1));
        h.take();
        h.send(1, msg::addToBook(1, 0, 1));
        QCOMPARE(h.take(),
                 (QStringList{"1:CMD_addtobook+1+1+0+1+7+9+1", "1:CMD_postscores+1010+10+1+3",
                              "1:CMD_freecard+0", "1:CMD_complete+1+1+1+14+48+1",
                              "1:CMD_postscores+1510+500+1+3"}));
        const TeamBooks& tb = h.table().books(1);
        QCOMPARE(tb.completedCount, 14);
        QCOMPARE(tb.completed[14].naming, 48);
        // The fourteenth book takes cards like any other.
        h.send(1, msg::addToComp(1, 1, 14));
        QCOMPARE(h.take(), (QStringList{"1:CMD_postscores+1520+10+1+3", "1:CMD_freecard+1",
                                        "1:CMD_addtocomp+1+1+48"}));
        QCOMPARE(tb.completed[14].count, 8);
        // A late joiner is told of all fourteen.
        h.join("Bob");
        const QStringList comp = h.takeFor(2).filter("CMD_loadcomp");
        QCOMPARE(comp.size(), 1);
        QVERIFY(comp[0].startsWith("CMD_loadcomp+1+1+4+1+2+5+1+"));
        QVERIFY(comp[0].endsWith("+13+19+1+14+48+1"));
    }

    void dedicatedHostTakesOverSeatOne()
    {
        EngineOptions options = Harness::scenario();
        options.takeOverSeatOne = true;
        Harness h(options);
        h.join("Ann");
        h.join("Bob");
        h.startGame();
        Rig(h).hand(1, {5, 9, 16}).stack({13, 25});
        h.take();
        h.close(1);
        h.releaseSteps();
        // The computer player draws for seat 1 and discards its three; the turn goes on.
        QCOMPARE(h.take(), (QStringList{"2:CMD_seatheld+1+120+Ann", "2:CMD_playerdisconnected+1+Ann",
                                        "2:CMD_discard+16", "2:CMD_nextplayer+1+4+t+2"}));
        QCOMPARE(h.table().turnSeat, 2);
        QCOMPARE(h.seat(1).name, QByteArray());
        // And seat 1 is played by the computer from then on.
        h.send(2, msg::drawing(2, 1));
        h.send(2, msg::discard(2, 0));
        QCOMPARE(h.engine->botTimerTag(), TimerTag::DrawDecision);
        h.fire(4); // seats 3 and 4
        QCOMPARE(h.table().turnSeat, 1);
        h.fire(2);
        QCOMPARE(h.table().turnSeat, 2);
    }
};

QTEST_APPLESS_MAIN(TestLimits)
#include "test_limits.moc"
