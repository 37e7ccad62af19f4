// The host does not trust a client's fields: spoofed participant and seat numbers, requests out
// of turn phase, malformed numbers and out-of-range slots are dropped, each with a log line,
// without changing anything or answering.
#include "support/harness.h"

#include <QRegularExpression>
#include <QtTest>

using namespace quornet::host;
using namespace quornet::host::testing;
namespace msg = quornet::protocol::msg;

namespace
{

// Ann (seat 1), Bob (seat 2) and Cy (seat 3); a one-round game in which Ann holds three aces,
// a seven, a king and a joker, her team has a book of aces and a completed book of kings.
void table(Harness& h, bool annHasDrawn)
{
    for (const char* name : {"Ann", "Bob", "Cy"})
        h.join(name);
    h.startGame();
    Rig(h)
        .hand(1, {14, 27, 40, 7, 13, 54})
        .workingBook(1, 1, 53, 1, 3)
        .completedBook(1, 26, 1)
        .stack({10, 23});
    if (annHasDrawn) h.send(1, msg::drawing(1, 1));
    h.take();
}

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT
private slots:
    void spoofedNumbersAreDropped_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<bool>("annHasDrawn");
        QTest::addColumn<int>("owner"); // the participant whose message it may be
        // Not even from participant 3 itself: a second login would rename it.
        QTest::newRow("login as 3") << msg::loginInfo(3, "1.0.11", "Mallory") << false << 0;
        QTest::newRow("chat as 1") << msg::chat(1, "hi|clBlack") << false << 1;
        QTest::newRow("action as 1") << msg::action(1, "waves|clBlack") << false << 1;
        QTest::newRow("sound as 1") << msg::playASound(1, 3) << false << 1;
        QTest::newRow("draw for 1") << msg::drawing(1, 1) << false << 1;
        QTest::newRow("book for 1") << msg::createBook(1, 0, 1, 2) << true << 1;
        QTest::newRow("add for 1") << msg::addToBook(1, 0, 1) << true << 1;
        QTest::newRow("add to completed for 1") << msg::addToComp(1, 4, 1) << true << 1;
        QTest::newRow("discard for 1") << msg::discard(1, 3) << true << 1;
        QTest::newRow("just watch seat 3") << msg::justWatch(3, 1) << false << 1;
        QTest::newRow("start a game") << msg::startGame("Bob", "r", false, true, 1) << false << 1;
        QTest::newRow("kick claiming to be 1") << msg::kickHim(1, 3) << false << 1;
        QTest::newRow("kick as itself") << msg::kickHim(2, 3) << false << 0;
    }

    void spoofedNumbersAreDropped()
    {
        QFETCH(QByteArray, message);
        QFETCH(bool, annHasDrawn);
        QFETCH(int, owner);
        Harness h;
        table(h, annHasDrawn);
        const QString before = h.engine->dump();
        const long long dropped = h.engine->stats().messagesDropped;
        const long long started = h.engine->stats().gamesStarted;
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("dropped a message from participant 2"));
        h.send(2, message);
        QVERIFY(h.take().isEmpty());
        QVERIFY(h.out.closeRequests.isEmpty());
        QCOMPARE(h.engine->dump(), before);
        QCOMPARE(h.engine->stats().messagesDropped, dropped + 1);
        QCOMPARE(h.engine->stats().gamesStarted, started);
        // From its rightful sender the same message acts.
        if (owner == 0) return;
        h.send(owner, message);
        QVERIFY(!h.take().isEmpty() || !h.out.closeRequests.isEmpty());
    }

    void loginComesFirst()
    {
        Harness h;
        h.join("Ann");
        QCOMPARE(h.connect(), 2);
        h.take();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("has not logged in"));
        h.send(2, msg::chat(2, "hi|clBlack"));
        QVERIFY(h.take().isEmpty());
        h.send(2, msg::loginInfo(2, "1.0.11", "Bob"));
        h.send(2, msg::chat(2, "hi|clBlack"));
        QCOMPARE(h.take().filter("CMD_chat"), toEach({1, 2}, "CMD_chat+2+Bob chats: hi|clBlack"));
    }

    void startGameAndKickOnlyFromParticipantOne()
    {
        Harness h;
        h.join("Ann");
        h.join("Bob");
        h.take();
        h.send(2, msg::startGame("Bob", "r", false, true, 1));
        QVERIFY(!h.table().running);
        h.send(2, msg::kickHim(1, 1));
        QVERIFY(h.out.closeRequests.isEmpty());
        QVERIFY(h.take().isEmpty());
        h.send(1, msg::startGame("Ann", "r", false, true, 1));
        QVERIFY(h.table().running);
        h.send(1, msg::kickHim(1, 2));
        QCOMPARE(h.out.closeRequests, QList<int>{2});
    }

    void turnPhases()
    {
        Harness h;
        table(h, false);
        const QString before = h.engine->dump();
        // Books and discards before the draw are refused.
        for (const QByteArray& m : {msg::createBook(1, 0, 1, 2), msg::addToBook(1, 0, 1),
                                    msg::addToComp(1, 4, 1), msg::discard(1, 3)})
            h.send(1, m);
        QVERIFY(h.take().isEmpty());
        QCOMPARE(h.engine->dump(), before);
        // One draw a turn.
        h.send(1, msg::drawing(1, 1));
        QCOMPARE(h.take().size(), 2);
        const int deckPos = h.table().deckPos;
        h.send(1, msg::drawing(1, 1));
        h.send(1, msg::drawing(1, 2));
        QVERIFY(h.take().isEmpty());
        QCOMPARE(h.table().deckPos, deckPos);
        // After the draw the books and the discard are accepted.
        h.send(1, msg::createBook(1, 0, 1, 2));
        QCOMPARE(h.take().filter("CMD_newbook").size(), 3);
        // The host's own draws are not held to the phases.
        h.engine->requestDraw(1, 1);
        QCOMPARE(h.table().deckPos, deckPos + 2);
        h.send(1, msg::discard(1, 3));
        QCOMPARE(h.table().turnSeat, 2);
    }

    void noDrawRequestWithoutPickUp()
    {
        Harness h;
        h.join("Ann");
        h.startGame("r", false, false, 1);
        const int deckPos = h.table().deckPos;
        h.take();
        h.send(1, msg::drawing(1, 1)); // the host already drew for the seat
        QVERIFY(h.take().isEmpty());
        QCOMPARE(h.table().deckPos, deckPos);
    }

    void aWatchingSeatsRequestsAreDropped()
    {
        Harness h;
        h.join("Ann");
        h.join("Bob");
        h.startGame();
        h.send(2, msg::justWatch(2, 1));
        h.send(1, msg::drawing(1, 1));
        h.send(1, msg::discard(1, 0));
        const int deckPos = h.table().deckPos;
        h.take();
        h.send(2, msg::drawing(2, 1));
        QVERIFY(h.take().isEmpty());
        QCOMPARE(h.table().deckPos, deckPos);
        h.fire(2); // the computer plays the turn
        QCOMPARE(h.table().turnSeat, 3);
    }

    void malformedAndOutOfRange_data()
    {
        QTest::addColumn<QByteArray>("text");
        const char* texts[] = {"CMD_drawing+x+1",
                               "CMD_drawing+1",
                               "CMD_drawing++1",
                               "CMD_discard+1+abc",
                               "CMD_discard+1+",
                               "CMD_discard+1+21",
                               "CMD_discard+1+-1",
                               "CMD_discard+1+99999999999",
                               "CMD_discard+5+0",
                               "CMD_discard+0+0",
                               "CMD_createbook+1+0+1",
                               "CMD_createbook+1+0+1+21",
                               "CMD_createbook+1+-1+0+1",
                               "CMD_createbook+1+0+0+1",
                               "CMD_createbook+1+0+1+1",
                               "CMD_addtobook+1+0+0",
                               "CMD_addtobook+1+0+10",
                               "CMD_addtobook+1+0+13",
                               "CMD_addtobook+1+22+1",
                               "CMD_addtobook+1+0+-2",
                               "CMD_addtocomp+1+4+2",
                               "CMD_addtocomp+1+4+0",
                               "CMD_addtocomp+1+4+-5",
                               "CMD_addtocomp+1+4+14",
                               "CMD_addtocomp+1+4+31",
                               "CMD_addtocomp+1+-4+1",
                               "CMD_chat+12+hi|clBlack",
                               "CMD_chat+abc+hi|clBlack",
                               "CMD_chat++hi",
                               "CMD_action+0+waves|clBlack",
                               "CMD_playasound+-1+wave1+",
                               "CMD_justwatch+0+1",
                               "CMD_justwatch+12+1",
                               "CMD_justwatch+x+1",
                               "CMD_justwatch+2147483647+1",
                               "CMD_kickhim+1+12+",
                               "CMD_kickhim+1+x+",
                               "CMD_kickhim+1+-3+",
                               "CMD_logininfo+x+1.0.11+Ann",
                               "CMD_logininfo+11+1.0.11+Ann",
                               "CMD_startgame+Ann+r+f+t+x+",
                               "CMD_startgame+Ann+r+f+t+2147483648+",
                               "CMD_startgame+Ann"};
        for (const char* t : texts)
            QTest::newRow(t) << QByteArray(t);
    }

    void malformedAndOutOfRange()
    {
        QFETCH(QByteArray, text);
        Harness h;
        table(h, true);
        const QString before = h.engine->dump();
        const long long dropped = h.engine->stats().messagesDropped;
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("dropped a message from participant 1"));
        h.send(1, text + '\xFF');
        QVERIFY(h.take().isEmpty());
        QVERIFY(h.out.closeRequests.isEmpty());
        QCOMPARE(h.engine->dump(), before);
        QCOMPARE(h.engine->stats().messagesDropped, dropped + 1);
        // The next message is handled as usual.
        h.send(1, msg::discard(1, 3));
        QCOMPARE(h.table().turnSeat, 2);
    }
};

QTEST_APPLESS_MAIN(TestFaults)
#include "test_faults.moc"
