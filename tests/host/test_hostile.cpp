// One participant cannot spoil the table for the others: its backlog does not hold up theirs,
// a connection that never logs in or never moves does not stall the game, host rights stay
// with the host user, and names and chat cannot forge lines or flood everybody.
#include "support/harness.h"
#include "host/hosttext.h"

#include <QRegularExpression>
#include <QtTest>

using namespace quornet::host;
using namespace quornet::host::testing;
namespace msg = quornet::protocol::msg;

namespace
{

int g_droppedLines = 0;
QtMessageHandler g_previous = nullptr;

void countDroppedLines(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("dropped a message"))) {
        ++g_droppedLines;
        return;
    }
    g_previous(type, context, text);
}

} // namespace

class TestHostile : public QObject
{
    Q_OBJECT
private slots:
    void oneBacklogDoesNotHoldUpTheOthers()
    {
        Harness h;
        for (const char* name : {"Ann", "Bob", "Cy"})
            h.join(name);
        h.take();
        QByteArray backlog;
        for (int i = 0; i < 90; ++i)
            backlog += msg::chat(2, QByteArray::number(i) + "|clBlack");
        h.receive(2, backlog);
        h.receive(3, msg::chat(3, "cy|clBlack"));
        h.receive(1, msg::chat(1, "ann|clBlack"));
        // The connections in turn: one tick each, whatever the others have waiting.
        QStringList firstThree;
        for (int tick = 0; tick < 3; ++tick) {
            QVERIFY(h.engine->dispatchOne());
            firstThree << h.takeFor(1);
        }
        QCOMPARE(firstThree, (QStringList{"CMD_chat+1+Ann chats: ann|clBlack",
                                          "CMD_chat+2+Bob chats: 0|clBlack",
                                          "CMD_chat+3+Cy chats: cy|clBlack"}));
        // In order within the backlog.
        h.dispatchAll();
        const QStringList rest = h.takeFor(1);
        QCOMPARE(rest.size(), 89);
        QCOMPARE(rest.first(), "CMD_chat+2+Bob chats: 1|clBlack");
        QCOMPARE(rest.last(), "CMD_chat+2+Bob chats: 89|clBlack");
    }

    void aSilentConnectionHoldsNoSeat()
    {
        Harness h;
        h.out.reportClosesTo = h.engine.get();
        h.join("Ann");
        h.startGame("r");
        h.send(1, msg::drawing(1, 1));
        h.send(1, msg::discard(1, 0));
        h.take();
        // A socket that connects in seat 2's turn and never logs in: the computer plays on.
        QCOMPARE(h.connect(), 2);
        QVERIFY(h.table().computerPlayed(2));
        QCOMPARE(h.engine->nextDeadline(), qint64(LoginDeadlineMs));
        h.fire(2);
        QCOMPARE(h.table().turnSeat, 3);
        QVERIFY(h.takeFor(2) == QStringList{"CMD_sendlogininfo+2"}); // nothing of the game
        h.advance(LoginDeadlineMs - 1);
        QVERIFY(h.out.closeRequests.isEmpty());
        h.advance(1);
        QCOMPARE(h.out.closeRequests, QList<int>{2});
        QVERIFY(h.take().isEmpty()); // never announced, so no departure either
        QCOMPARE(h.join("Bob"), 2);
    }

    void aHungTurnIsPlayedByTheComputerUntilThePlayerIsBack()
    {
        Harness h;
        h.join("Ann");
        h.join("Bob");
        h.startGame("r");
        Rig(h).hand(2, {5, 9, 16}).stack({11, 24, 13, 25, 27, 28});
        h.send(1, msg::drawing(1, 1));
        h.send(1, msg::discard(1, 0));
        h.take();
        QCOMPARE(h.table().turnSeat, 2);
        // Only moves count: chat, empty frames and heartbeats do not put the takeover off.
        h.advance(DefaultTurnTimeoutMs - 1000);
        h.send(2, msg::chat(2, "thinking|clBlack"));
        h.send(2, "\xFF\xFF");
        h.advance(999);
        QCOMPARE(h.table().turnSeat, 2);
        h.take();
        h.advance(1);
        const QStringList got = h.take();
        QCOMPARE(got.mid(0, 4), QStringList() << toEach({1, 2}, "CMD_chat+0+Bob has made no move for 120 seconds "
                                                                "and is set to just watching; the computer plays "
                                                                "until Bob is back.|clBlue")
                                              << toEach({1, 2}, "CMD_justwatching+2+1"));
        QVERIFY(got.contains("1:CMD_discard+16"));
        QCOMPARE(h.table().turnSeat, 3);
        QVERIFY(h.seat(2).justWatching);
        QVERIFY(h.seat(2).connected); // nobody is kicked
        // Chat is no sign of being back; I'm Back (or any move) is.
        h.send(2, msg::chat(2, "back|clBlack"));
        QVERIFY(h.table().computerPlayed(2));
        h.take();
        h.send(2, msg::justWatch(2, 2));
        QCOMPARE(h.take(), toEach({1, 2}, "CMD_justwatching+2+2"));
        QVERIFY(!h.table().computerPlayed(2));

        // A move resets the clock: the draw at 100 s gives the rest of the turn another 120 s.
        h.fireUntilIdle(20); // the computer's seats 3 and 4
        h.fire(2);
        h.fireUntilIdle(20);
        h.send(1, msg::drawing(1, 1));
        h.send(1, msg::discard(1, 0));
        QCOMPARE(h.table().turnSeat, 2);
        h.advance(100'000);
        h.send(2, msg::drawing(2, 1));
        h.advance(DefaultTurnTimeoutMs - 1);
        QVERIFY(!h.table().computerPlayed(2));
        h.advance(1);
        QVERIFY(h.table().computerPlayed(2));

        // A player alone at the table may take all the time in the world.
        Harness solo;
        solo.join("You");
        solo.startGame("r");
        solo.advance(10 * 60'000);
        QVERIFY(!solo.table().computerPlayed(1));
    }

    void hostRightsStayWithTheHostUser()
    {
        Harness h;
        // A stranger connecting first is not numbered 1; the host user is.
        QCOMPARE(h.join("Mallory", "1.0.11", false), 2);
        QCOMPARE(h.join("Ann"), 1);
        h.take();
        h.send(2, msg::startGame("Mallory", "r", false, true, 1));
        QVERIFY(!h.table().running);
        // A freed number 1 goes to the host user only.
        h.close(1);
        QCOMPARE(h.connect(false), 3);
        QCOMPARE(h.connect(true), 1);
    }

    void namesAndChatAreCleaned()
    {
        Harness h;
        h.join("Ann");
        QCOMPARE(h.join("Bo\nb the fourth of his name, king of the north"), 2);
        QCOMPARE(h.seat(2).name, QByteArray("Bob the fourth of his na"));
        QCOMPARE(h.join(" \t "), 3);
        QCOMPARE(h.seat(3).name, QByteArray("Klick")); // an empty name: the seat's default
        QCOMPARE(h.join(""), 4);
        QCOMPARE(h.join("\x01"), 5);
        QCOMPARE(h.table().rec[5].name, QByteArray("Player 5"));
        h.take();

        // A second login renames nobody.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("already logged in"));
        h.send(2, msg::loginInfo(2, "1.0.11", "Ann"));
        QVERIFY(h.take().isEmpty());
        QCOMPARE(h.seat(2).name, QByteArray("Bob the fourth of his na"));

        // No line breaks in relayed text; long text is cut, its colour kept.
        h.send(1, msg::chat(1, "hi\r\nBob chats: I resign|clRed"));
        QCOMPARE(h.takeFor(1), QStringList{"CMD_chat+1+Ann chats: hi  Bob chats: I resign|clRed"});
        h.send(1, msg::action(1, QByteArray(4000, 'x') + "|clBlue"));
        QCOMPARE(h.takeFor(1), QStringList{"CMD_action+1+Ann " + QString(400, 'x') + "|clBlue"});

        // Only the twenty chatter sounds, and only from a seat.
        g_droppedLines = 0;
        g_previous = qInstallMessageHandler(countDroppedLines);
        h.send(1, "CMD_playasound+1+wave21+\xFF");
        h.send(5, msg::playASound(5, 3));
        h.send(1, msg::playASound(1, 20));
        QCOMPARE(h.takeFor(1), QStringList{"CMD_playasound+1+wave20+"});
        // Refusals are logged once a second per connection, with a count of the rest.
        h.advance(RefusalLogIntervalMs); // participant 2's second login was logged just now
        g_droppedLines = 0;
        for (int i = 0; i < 50; ++i)
            h.send(2, msg::drawing(1, 1));
        QCOMPARE(g_droppedLines, 1);
        h.advance(RefusalLogIntervalMs);
        h.send(2, msg::drawing(1, 1));
        QCOMPARE(g_droppedLines, 2);
        qInstallMessageHandler(g_previous);
        QCOMPARE(logText("Bob\nhost: participant 1 left\x07"), "Bob\\nhost: participant 1 left\\x07");
    }
};

QTEST_APPLESS_MAIN(TestHostile)
#include "test_hostile.moc"
