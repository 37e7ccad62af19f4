// A seated player who drops during a game keeps the seat for a while: newcomers do not get it,
// and a connection logging in under the player's name takes it back with its hand. The hold
// ends with its time, with the game, or when the host user removes the player.
#include "support/harness.h"

#include <QRegularExpression>
#include <QtTest>

using namespace quornet::host;
using namespace quornet::host::testing;
namespace msg = quornet::protocol::msg;

namespace
{

// Ann, Bob, Cy and Di on seats 1 to 4 in a game to 3000; Bob has left.
void bobHasLeft(Harness& h)
{
    h.out.reportClosesTo = h.engine.get();
    for (const char* name : {"Ann", "Bob", "Cy", "Di"})
        h.join(name);
    h.startGame("3");
    h.close(2);
    h.take();
}

} // namespace

class TestSeatHold : public QObject
{
    Q_OBJECT
private slots:
    void thePlayerComesBackToItsSeat()
    {
        Harness h;
        bobHasLeft(h);
        QCOMPARE(h.engine->heldFor(2), QByteArray("Bob"));
        QVERIFY(h.table().computerPlayed(2));
        const Hand hand = h.seat(2).hand;

        // A newcomer is not given the held seat.
        QCOMPARE(h.join("Eve"), 5);
        QVERIFY(h.take().filter("CMD_newcard").isEmpty());

        // Bob reconnects: his first number is never announced; he is told to log in as 2.
        QCOMPARE(h.connect(), 6);
        h.take();
        h.send(6, msg::loginInfo(6, "1.0.11", "Bob"));
        QCOMPARE(h.out.renumbered, (QList<QPair<int, int>>{{6, 2}}));
        QCOMPARE(h.take(), QStringList{"2:CMD_sendlogininfo+2"});
        QCOMPARE(h.engine->heldFor(2), QByteArray());
        h.send(2, msg::loginInfo(2, "1.0.11", "Bob"));
        const QStringList got = h.take();
        QCOMPARE(got.filter("CMD_newplayerinfo+2+Bob").size(), 5); // Ann, Bob, Cy, Di, Eve
        QVERIFY(got.filter(QRegularExpression("^\\d:CMD_(newplayerinfo|existingplayers)\\+6\\+")).isEmpty());
        QStringList cards;
        for (int slot = 0; slot < HandSlots; ++slot)
            if (hand[std::size_t(slot)] != 0)
                cards << QStringLiteral("2:CMD_newcard+2+%1+%2").arg(slot).arg(hand[std::size_t(slot)]);
        QCOMPARE(got.filter("CMD_newcard"), cards);
        QVERIFY(!h.table().computerPlayed(2));

        // The seat is his: a second claimant of the name stays where it is.
        QCOMPARE(h.join("Bob"), 6);
        QCOMPARE(h.out.renumbered.size(), 1);
    }

    void aHoldEnds()
    {
        // With its time: the seat is free for anybody again.
        Harness h;
        bobHasLeft(h);
        h.advance(DefaultSeatHoldMs - 1);
        QCOMPARE(h.join("Eve"), 5);
        h.advance(1);
        QCOMPARE(h.engine->heldFor(2), QByteArray());
        QCOMPARE(h.join("Fay"), 2);

        // With the game.
        Harness g;
        bobHasLeft(g);
        g.startGame("r");
        QCOMPARE(g.engine->heldFor(2), QByteArray());

        // Not at all for a player the host user removes, nor for the hosting copy's own seat.
        Harness k;
        k.out.reportClosesTo = k.engine.get();
        for (const char* name : {"Ann", "Bob"})
            k.join(name);
        k.startGame("3");
        k.send(1, msg::kickHim(1, 2));
        QCOMPARE(k.engine->heldFor(2), QByteArray());
        k.close(1);
        QCOMPARE(k.engine->heldFor(1), QByteArray());
        QCOMPARE(k.join("Mallory"), 1);

        // Holding can be switched off.
        EngineOptions off;
        off.seatHoldMs = 0;
        Harness o(off);
        bobHasLeft(o);
        QCOMPARE(o.join("Eve"), 2);
    }

    void theDedicatedHostHoldsSeatOneForItsAdmin()
    {
        EngineOptions dedicated;
        dedicated.takeOverSeatOne = true;
        Harness h(dedicated);
        h.join("Ann");
        h.join("Bob");
        h.startGame("3");
        h.close(1);
        QCOMPARE(h.engine->heldFor(1), QByteArray("Ann"));
        // Seat 1 carries host rights: a claimant from anywhere else does not get it.
        QCOMPARE(h.join("Ann", "1.0.11", false), 3);
        QVERIFY(h.out.renumbered.isEmpty());
        QCOMPARE(h.connect(true), 4);
        h.send(4, msg::loginInfo(4, "1.0.11", "Ann"));
        QCOMPARE(h.out.renumbered, (QList<QPair<int, int>>{{4, 1}}));
    }
};

QTEST_APPLESS_MAIN(TestSeatHold)
#include "test_seat_hold.moc"
