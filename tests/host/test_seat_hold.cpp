// Who holds which seat. A seat belongs to the key its player was given: a player who drops
// during a game (as the host sees it, or only on its own side) gets the seat, its hand and its
// turn back with the key; a stranger using the player's name gets neither. Held seats end with
// their time, the game or a removal, and a removed participant stays out for the rest of the
// game. Dead links are noticed by heartbeats; connections that come and go at once are never
// announced.
#include "support/harness.h"

#include <QRegularExpression>
#include <QtTest>

using namespace quornet::host;
using namespace quornet::host::testing;
namespace msg = quornet::protocol::msg;

namespace
{

// Ann, Bob, Cy and Di on seats 1 to 4 in a game to 3000, each from an address of its own.
void fourPlayers(Harness& h, const QByteArray& length = "3")
{
    h.out.reportClosesTo = h.engine.get();
    h.linkMessages = true;
    int k = 1;
    for (const char* name : {"Ann", "Bob", "Cy", "Di"}) {
        const int n = h.connect(true, "10.0.0." + QByteArray::number(k++));
        h.send(n, msg::loginInfo(n, "1.0.11", name));
    }
    h.startGame(length);
}

// The key the host gave a seat's connection (the last CMD_seatkey to it).
QByteArray keyOf(const Harness& h, int seat)
{
    QByteArray key;
    for (const auto& s : h.out.sent)
        if (s.participant == seat && s.message.startsWith("CMD_seatkey+"))
            key = s.message.split('+').value(2).chopped(1);
    return key;
}

// A new connection presents a key and logs in under a name.
int comeBack(Harness& h, const QByteArray& key, const QByteArray& name, const QByteArray& address = "10.0.0.9")
{
    const int n = h.connect(true, address);
    h.send(n, msg::rejoin(key));
    h.send(n, msg::loginInfo(n, "1.0.11", name));
    return n;
}

QStringList cardsOf(const Hand& hand, int seat)
{
    QStringList cards;
    for (int slot = 0; slot < HandSlots; ++slot)
        if (hand[std::size_t(slot)] != 0)
            cards << QStringLiteral("%1:CMD_newcard+%1+%2+%3").arg(seat).arg(slot).arg(hand[std::size_t(slot)]);
    return cards;
}

} // namespace

class TestSeatHold : public QObject
{
    Q_OBJECT
private slots:
    void aHeldSeatGoesBackToItsKeyNotToItsName()
    {
        Harness h;
        fourPlayers(h);
        const QByteArray key = keyOf(h, 2);
        QCOMPARE(key.size(), SeatKeyLength);
        QVERIFY(QRegularExpression("^[A-Za-z0-9]+$").match(QString::fromLatin1(key)).hasMatch());
        // Keys go to their seat alone; every seat has its own.
        for (const auto& s : h.out.sent)
            if (s.message.contains(key)) QCOMPARE(s.participant, 2);
        QCOMPARE(QSet<QByteArray>({keyOf(h, 1), keyOf(h, 2), keyOf(h, 3), keyOf(h, 4)}).size(), 4);

        h.close(2);
        QCOMPARE(h.engine->heldFor(2), QByteArray("Bob"));
        QVERIFY(h.take().contains("1:CMD_seatheld+2+120+Bob"));
        const Hand hand = h.seat(2).hand;

        // A stranger calling itself Bob is a newcomer: another number, no cards of seat 2.
        QCOMPARE(comeBack(h, {}, "Bob"), 5);
        QCOMPARE(comeBack(h, "AAAAAAAAAAAAAAAAAAAA", "Bob"), 6);
        QStringList got = h.take();
        QVERIFY(got.filter(":CMD_newcard+2+").isEmpty());
        QVERIFY(got.contains("6:CMD_seatlost+unknown"));
        QVERIFY(h.out.renumbered.isEmpty());
        // A late joiner learns the seat is kept, but never its key.
        QVERIFY(got.filter(QRegularExpression("^5:CMD_seatheld\\+2\\+\\d+\\+Bob$")).size() == 1);
        QVERIFY(got.filter(key).isEmpty());

        // Bob with his key, under any name: his first number is never announced, he is told to
        // log in as 2, and gets his hand and key back.
        QCOMPARE(comeBack(h, key, "Robert"), 7);
        QCOMPARE(h.out.renumbered, (QList<QPair<int, int>>{{7, 2}}));
        QCOMPARE(h.take().last(), "2:CMD_sendlogininfo+2");
        h.send(2, msg::rejoin(key));
        h.send(2, msg::loginInfo(2, "1.0.11", "Bob"));
        QCOMPARE(h.engine->heldFor(2), QByteArray());
        got = h.take();
        QCOMPARE(got.filter("CMD_newplayerinfo+2+Bob").size(), 6); // everybody hears Bob is back
        QVERIFY(got.filter(QRegularExpression("^\\d:CMD_(newplayerinfo|existingplayers)\\+7\\+")).isEmpty());
        QCOMPARE(got.filter("CMD_newcard"), cardsOf(hand, 2));
        QVERIFY(got.contains("2:CMD_seatkey+2+" + key));
        QVERIFY(!h.table().computerPlayed(2));
    }

    void aOneSidedDropKeepsSeatHandTurnAndJustWatch()
    {
        Harness h;
        fourPlayers(h, "r");
        const QByteArray key = keyOf(h, 3);
        h.send(3, msg::justWatch(3, 1));
        h.send(1, msg::drawing(1, 1));
        h.send(1, msg::discard(1, 0));
        h.send(2, msg::drawing(2, 1));
        h.send(2, msg::discard(2, h.seat(2).hand[0] != 0 ? 0 : 1));
        h.send(3, msg::justWatch(3, 2));
        QCOMPARE(h.table().turnSeat, 3);
        h.send(3, msg::drawing(3, 1));
        const Hand hand = h.seat(3).hand;
        h.take();

        // Cy's window thinks its link died; the host still holds the old connection.
        QCOMPARE(comeBack(h, key, "Cy"), 5);
        QCOMPARE(h.out.forgotten, QList<int>{3}); // closed without a departure
        QCOMPARE(h.out.renumbered, (QList<QPair<int, int>>{{5, 3}}));
        h.send(3, msg::rejoin(key));
        h.send(3, msg::loginInfo(3, "1.0.11", "Cy"));
        const QStringList got = h.take();
        // Nobody else hears anything: Cy never left. Cy has its hand and is in the middle of its
        // turn (told without the pick-up option, so its window shows no draw buttons).
        QVERIFY(got.filter(QRegularExpression("^[124]:")).isEmpty());
        QVERIFY(got.filter("CMD_playerdisconnected").isEmpty());
        QCOMPARE(got.filter("CMD_newcard"), cardsOf(hand, 3));
        QCOMPARE(got.last(), QString("3:CMD_nextplayer+3+%1+f+3").arg(cardsIn(hand)));
        h.send(3, msg::discard(3, h.seat(3).hand[0] != 0 ? 0 : 1));
        QCOMPARE(h.table().turnSeat, 4);
        QCOMPARE(h.seat(3).name, QByteArray("Cy"));
    }

    void aHoldEnds()
    {
        // With its time: the seat is free for anybody again; the old key is stale.
        Harness h;
        fourPlayers(h);
        const QByteArray key = keyOf(h, 2);
        h.close(2);
        h.releaseSteps();
        h.advance(DefaultSeatHoldMs - 1);
        QCOMPARE(comeBack(h, {}, "Eve"), 5);
        h.take();
        h.advance(1);
        QVERIFY(h.take().contains("1:CMD_seatheld+2+0+"));
        QCOMPARE(comeBack(h, key, "Bob"), 2);
        QVERIFY(h.take().contains("2:CMD_seatlost+lapsed"));
        QVERIFY(keyOf(h, 2) != key);

        // With the game.
        Harness g;
        fourPlayers(g);
        g.close(2);
        g.startGame("r");
        QCOMPARE(g.engine->heldFor(2), QByteArray());

        // Not at all for a player the host user removes, who stays out for the rest of the
        // game (from its address, key or not); nor for the hosting copy's own seat.
        Harness k;
        fourPlayers(k);
        const QByteArray bobs = keyOf(k, 2);
        k.send(1, msg::kickHim(1, 2));
        QCOMPARE(k.engine->heldFor(2), QByteArray());
        QCOMPARE(comeBack(k, bobs, "Bob", "10.0.0.2"), 2);
        QVERIFY(k.take().contains("2:CMD_removed+"));
        QVERIFY(!k.table().seat(2).connected);
        QCOMPARE(comeBack(k, {}, "Eve", "10.0.0.5"), 2); // from elsewhere: a newcomer
        k.close(1);
        QCOMPARE(k.engine->heldFor(1), QByteArray());

        // Holding can be switched off.
        EngineOptions off = Harness::scenario();
        off.seatHoldMs = 0;
        Harness o(off);
        fourPlayers(o);
        o.close(2);
        QCOMPARE(comeBack(o, {}, "Eve"), 2);
    }

    void theDedicatedHostHoldsSeatOneForItsAdmin()
    {
        EngineOptions dedicated = Harness::scenario();
        dedicated.takeOverSeatOne = true;
        Harness h(dedicated);
        fourPlayers(h);
        const QByteArray key = keyOf(h, 1);
        h.close(1);
        QCOMPARE(h.engine->heldFor(1), QByteArray("Ann"));
        // Seat 1 carries host rights: its key from anywhere else does not give it.
        const int n = h.connect(false);
        h.send(n, msg::rejoin(key));
        h.send(n, msg::loginInfo(n, "1.0.11", "Ann"));
        QCOMPARE(n, 5);
        QVERIFY(h.out.renumbered.isEmpty());
        QCOMPARE(comeBack(h, key, "Ann"), 6);
        QCOMPARE(h.out.renumbered, (QList<QPair<int, int>>{{6, 1}}));
    }

    void deadLinksAndChurn()
    {
        EngineOptions quiet = Harness::scenario();
        quiet.quietArrivalMs = QuietArrivalMs;
        Harness h(quiet);
        fourPlayers(h);
        h.advance(QuietArrivalMs);
        h.take();
        // A connection the host has said nothing to for a while hears a heartbeat.
        h.advance(HeartbeatIdleMs);
        QCOMPARE(h.take().filter("CMD_ping+").size(), 4);
        // One that answers nothing is taken for dropped after LinkSilenceMs: its seat is held.
        h.silent.insert(4);
        h.advance(LinkSilenceMs);
        QVERIFY(h.take().contains("1:CMD_playerdisconnected+4+Di"));
        QCOMPARE(h.engine->heldFor(4), QByteArray("Di"));
        QVERIFY(h.seat(1).connected && h.seat(2).connected);
        // A host that did not run for a minute (stopped) takes nobody for gone because of it:
        // the others' heartbeats are answered, nobody drops.
        h.engine->clockStalled(60'000);
        h.clock.advance(60'000);
        h.engine->advanceTo(h.clock.now());
        QVERIFY(h.take().filter("CMD_playerdisconnected").isEmpty());
        h.advance(HeartbeatIdleMs);
        QVERIFY(h.take().filter("CMD_playerdisconnected").isEmpty());

        // A connection that comes and goes within the quiet time is never announced.
        for (int i = 0; i < 50; ++i) {
            const int n = comeBack(h, {}, "Churn");
            h.advance(QuietArrivalMs / 2);
            h.close(n);
        }
        QVERIFY(h.take().filter(QRegularExpression("^[1-3]:CMD_(newplayerinfo|playerdisconnected)")).isEmpty());
        // One that stays is announced once the quiet time is over.
        const int stays = comeBack(h, {}, "Eve");
        QVERIFY(h.take().filter("1:CMD_newplayerinfo").isEmpty());
        h.advance(QuietArrivalMs);
        QVERIFY(h.take().contains(QString("1:CMD_newplayerinfo+%1+Eve").arg(stays)));
    }
};

QTEST_APPLESS_MAIN(TestSeatHold)
#include "test_seat_hold.moc"
