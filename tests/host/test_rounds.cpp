// Discards, feet, the passing of the turn, going out, penalties and the ends of games.
#include "support/harness.h"

#include <QtTest>

using namespace quornet::host;
using namespace quornet::host::testing;
namespace msg = quornet::protocol::msg;

namespace
{

QStringList footCards(int seat, const Hand& foot)
{
    QStringList out;
    for (int slot = 0; slot < 21; ++slot)
        if (foot[std::size_t(slot)])
            out << QStringLiteral("%1:CMD_newcard+%1+%2+%3")
                       .arg(seat)
                       .arg(slot)
                       .arg(foot[std::size_t(slot)]);
    return out;
}

// Ann (seat 1) is on her foot with one king, team 1 has a book of three kings and her partner
// has played out. She draws two more kings and lays two of the three on the book; the third
// plays out her foot. Seat 2 keeps a three and a king (-120) and an untaken foot (-80), seat 4
// a six (-10).
void readyToGoOut(Harness& h, const QByteArray& length, int score1, int score2,
                  bool partnerOut = true)
{
    h.join("Ann");
    h.startGame(length);
    Rig(h)
        .hand(1, {13})
        .foot(1, {})
        .onFoot(1)
        .hand(3, partnerOut ? QList<int>{} : QList<int>{5})
        .foot(3, {})
        .onFoot(3)
        .hand(2, {3, 52})
        .foot(2, {14, 54, 5})
        .hand(4, {6})
        .foot(4, {})
        .workingBook(1, 1, 13, 1, 3)
        .stack({26, 39})
        .score(1, score1)
        .score(2, score2);
    h.send(1, msg::drawing(1, 1));
    h.send(1, msg::addToBook(1, 0, 1));
    h.send(1, msg::addToBook(1, 1, 1));
    h.take();
}

} // namespace

class TestRounds : public QObject
{
    Q_OBJECT
private slots:
    void footTakenAfterADiscard()
    {
        Harness h;
        h.join("Ann");
        h.startGame();
        Rig(h).hand(1, {13, 26}).stack({39, 9});
        h.send(1, msg::drawing(1, 1));
        h.send(1, msg::createBook(1, 0, 1, 2));
        h.take();
        const Hand foot = h.seat(1).foot;
        h.send(1, msg::discard(1, 3));
        QStringList want{"1:CMD_freecard+3", "1:CMD_discard+9"};
        want << footCards(1, foot) << "1:CMD_usefoot+1"
             << "1:CMD_nextplayer+1+11+t+2"; // the turn passes with the foot's 11 cards
        QCOMPARE(h.take(), want);
        QVERIFY(h.seat(1).onFoot);
        QCOMPARE(h.seat(1).hand, foot);
        QVERIFY(handEmpty(h.seat(1).foot));
    }

    void footTakenAfterAMeldAndTheTurnGoesOn()
    {
        Harness h;
        h.join("Ann");
        h.startGame();
        Rig(h).hand(1, {13}).stack({26, 39});
        h.send(1, msg::drawing(1, 1));
        h.take();
        const Hand foot = h.seat(1).foot;
        h.send(1, msg::createBook(1, 0, 1, 2));
        QStringList want{"1:CMD_freecard+0",           "1:CMD_freecard+1",
                         "1:CMD_freecard+2",           "1:CMD_newbook+1+1+1+13+1",
                         "1:CMD_postscores+20+20+1+3", "1:CMD_postscores+40+20+1+3",
                         "1:CMD_postscores+60+20+1+3"};
        want << footCards(1, foot) << "1:CMD_usefoot+1";
        QCOMPARE(h.take(), want);
        QCOMPARE(h.table().turnSeat, 1);
        QCOMPARE(h.table().phase, Phase::Play);
        h.send(1, msg::discard(1, 0));
        QCOMPARE(h.take().last(), "1:CMD_nextplayer+1+10+t+2");
    }

    void invalidDiscards()
    {
        Harness h;
        h.join("Ann");
        h.startGame();
        h.send(1, msg::drawing(1, 1));
        h.take();
        h.send(1, msg::discard(1, 19)); // an empty slot: the turn stays with the human
        QCOMPARE(h.take(), QStringList{"1:CMD_invaliddiscard+"});
        QCOMPARE(h.table().turnSeat, 1);
        h.send(1, msg::discard(1, 0));
        QCOMPARE(h.table().turnSeat, 2);
        h.take();
        // A computer player (that has drawn) naming an empty slot passes the turn: it can never
        // stall a game.
        h.table().phase = Phase::Play;
        h.engine->requestDiscard(2, 20);
        QCOMPARE(h.take(), QStringList{"1:CMD_nextplayer+2+11+t+3"});
        QCOMPARE(h.table().turnSeat, 3);
    }

    void turnOrderAroundTheTable()
    {
        Harness h;
        for (const char* name : {"Ann", "Bob", "Cy", "Di", "Ed"})
            h.join(name);
        h.startGame("5");
        QStringList turns;
        for (int seat : {1, 2, 3, 4, 1}) {
            QCOMPARE(h.table().turnSeat, seat);
            h.take();
            h.send(seat, msg::drawing(seat, 1));
            h.send(seat, msg::discard(seat, 0));
            turns << h.take().filter("CMD_nextplayer");
        }
        QCOMPARE(turns.size(), 25); // the spectator follows the turn too
        QCOMPARE(turns.mid(0, 5), toEach({1, 2, 3, 4, 5}, "CMD_nextplayer+1+12+t+2"));
        QCOMPARE(turns.mid(15, 5), toEach({1, 2, 3, 4, 5}, "CMD_nextplayer+4+12+t+1"));
        QVERIFY(!h.out.timerEnabled); // every seat is a human's
    }

    void gameLengths_data()
    {
        QTest::addColumn<QByteArray>("length");
        QTest::addColumn<bool>("toTarget");
        QTest::addColumn<int>("target");
        QTest::newRow("one round") << QByteArray("r") << false << 10000;
        QTest::newRow("3000") << QByteArray("3") << true << 3000;
        QTest::newRow("5000") << QByteArray("5") << true << 5000;
        QTest::newRow("full") << QByteArray("f") << true << 10000;
        QTest::newRow("unknown text") << QByteArray("x") << true << 10000;
    }

    void gameLengths()
    {
        QFETCH(QByteArray, length);
        QFETCH(bool, toTarget);
        QFETCH(int, target);
        Harness h;
        h.join("Ann");
        h.startGame(length);
        QCOMPARE(h.table().toTarget, toTarget);
        if (toTarget) QCOMPARE(h.table().target, target);
    }

    void goingOut_data()
    {
        QTest::addColumn<QByteArray>("length");
        QTest::addColumn<int>("score1");
        QTest::addColumn<int>("score2");
        QTest::addColumn<QString>("last");
        QTest::newRow("one round") << QByteArray("r") << 0 << 0 << "CMD_winner+1+Ann and Klick";
        QTest::newRow("3000 not reached") << QByteArray("3") << 1000 << 2000 << "CMD_rwinner+1++";
        QTest::newRow("3000 reached exactly")
            << QByteArray("3") << 2740 << 2500 << "CMD_winner+1+Ann and Klick";
        // The higher score wins, whoever reached the target.
        QTest::newRow("3100 against 3400")
            << QByteArray("3") << 2840 << 3610 << "CMD_winner+2+Klot and Kling";
        QTest::newRow("tie") << QByteArray("3") << 2740 << 3210 << "CMD_winner+0+No One";
        QTest::newRow("5000 not reached") << QByteArray("5") << 4000 << 4500 << "CMD_rwinner+1++";
        QTest::newRow("10000 reached")
            << QByteArray("f") << 9800 << 0 << "CMD_winner+1+Ann and Klick";
    }

    void goingOut()
    {
        QFETCH(QByteArray, length);
        QFETCH(int, score1);
        QFETCH(int, score2);
        QFETCH(QString, last);
        Harness h;
        readyToGoOut(h, length, score1, score2);
        h.send(1, msg::addToBook(1, 2, 1));
        // The 200 for going out is not reported by itself: it is in the round's scores.
        const int team1 = score1 + 260;
        const int team2 = score2 - 210;
        const QStringList want{"1:CMD_addtobook+1+1+2+1+6+39+1",
                               QStringLiteral("1:CMD_postscores+%1+20+1+3").arg(score1 + 60),
                               "1:CMD_freecard+2",
                               QStringLiteral("1:CMD_postscores+%1+0+1+3").arg(team1),
                               QStringLiteral("1:CMD_postscores+%1+-200+2+4").arg(score2 - 200),
                               QStringLiteral("1:CMD_postscores+%1+0+3+1").arg(team1),
                               QStringLiteral("1:CMD_postscores+%1+-10+4+2").arg(team2),
                               "1:" + last};
        QCOMPARE(h.take(), want);
        QCOMPARE(h.seat(3).score, team1);
        QCOMPARE(h.seat(4).score, team2);
        QCOMPARE(h.table().phase, Phase::None);
        const bool over = last.startsWith("CMD_winner");
        QCOMPARE(h.table().running, !over);
        QCOMPARE(h.table().turnSeat, over ? 0 : 1);
        QCOMPARE(h.engine->botTimerTag(), over ? TimerTag::Idle : TimerTag::NextRound);
        QCOMPARE(h.out.timerEnabled, !over);
    }

    void partnerStillHoldingCardsLetsTheRoundGoOn()
    {
        Harness h;
        readyToGoOut(h, "r", 0, 0, false);
        h.send(1, msg::addToBook(1, 2, 1));
        // The foot is played out by a meld: the turn passes without a discard.
        QCOMPARE(h.take(),
                 (QStringList{"1:CMD_addtobook+1+1+2+1+6+39+1", "1:CMD_postscores+60+20+1+3",
                              "1:CMD_freecard+2", "1:CMD_nextplayer+1+0+t+2"}));
        QVERIFY(h.table().running);
        QCOMPARE(h.engine->botTimerTag(), TimerTag::DrawDecision);
    }

    // Klick (seat 3, a computer player on his foot) lays his last cards on the kings and goes
    // out in the middle of his turn. The round ends there once: the rest of his turn (the
    // discard he would make) must not end it again and count the penalties twice.
    void aComputerPlayerGoingOutEndsTheRoundOnce()
    {
        Harness h;
        h.join("Ann");
        h.startGame("5");
        // Ann plays out her foot on the kings; Klot draws two threes and discards one; Klick
        // draws two kings.
        Rig(h)
            .hand(1, {})
            .foot(1, {})
            .onFoot(1)
            .hand(3, {13})
            .foot(3, {})
            .onFoot(3)
            .hand(2, {3})
            .foot(2, {})
            .workingBook(1, 1, 13, 1, 3)
            .stack({26, 39, 16, 29, 52, 13});
        h.send(1, msg::drawing(1, 1));
        h.send(1, msg::addToBook(1, 0, 1));
        h.send(1, msg::addToBook(1, 1, 1));
        h.take();
        QStringList seen;
        for (int i = 0; i < 200 && !seen.join('\n').contains(QLatin1String("CMD_rwinner")); ++i) {
            h.fire();
            seen += h.takeFor(1);
        }
        QCOMPARE(seen.filter(QStringLiteral("CMD_rwinner")), QStringList{"CMD_rwinner+1++"});
        const int afterOut = int(seen.indexOf(QStringLiteral("CMD_rwinner+1++")));
        // The four penalty reports come once, and nothing follows the round's end.
        QCOMPARE(seen.mid(afterOut - 4, 4).filter(QStringLiteral("CMD_postscores")).size(), 4);
        for (int i = 0; i < 20; ++i) {
            h.fire();
            const QStringList more = h.takeFor(1);
            if (!more.isEmpty() && more.first().startsWith(QLatin1String("CMD_startround"))) break;
            QVERIFY2(more.isEmpty(), qPrintable(more.join(' ')));
        }
        QCOMPARE(h.seat(1).score, h.seat(3).score);
        QCOMPARE(h.engine->checkInvariants(), QString());
    }

    void tieAfterAnEmptyDeck()
    {
        Harness h;
        h.join("Ann");
        h.startGame("r");
        Rig(h)
            .hand(1, {9, 10})
            .foot(1, {})
            .hand(2, {11})
            .foot(2, {})
            .hand(3, {})
            .foot(3, {})
            .hand(4, {})
            .foot(4, {})
            .pile({22, 35})
            .drainDeck(1);
        h.send(1, msg::drawing(1, 1));
        h.take();
        h.send(1, msg::discard(1, 0));
        QCOMPARE(h.take(),
                 (QStringList{"1:CMD_freecard+0", "1:CMD_discard+9", "1:CMD_postscores+-10+-10+1+3",
                              "1:CMD_postscores+-20+-20+2+4", "1:CMD_postscores+-10+0+3+1",
                              "1:CMD_postscores+-20+0+4+2", "1:CMD_winner+1+Ann and Klick"}));
        // Equal scores: no winner.
        Harness t;
        t.join("Ann");
        t.startGame("r");
        Rig(t)
            .hand(1, {9, 10})
            .foot(1, {})
            .hand(2, {23})
            .foot(2, {})
            .hand(3, {})
            .foot(3, {})
            .hand(4, {})
            .foot(4, {})
            .pile({22, 35})
            .drainDeck(1);
        t.send(1, msg::drawing(1, 1));
        t.send(1, msg::discard(1, 0));
        QCOMPARE(t.take().last(), "1:CMD_winner+0+No One");
        QVERIFY(!t.table().running);
    }

    void twoPlayerRoundEndsWithOneSeat()
    {
        Harness h;
        h.join("Ann");
        h.join("Bob");
        h.startGame("r", true, true, 1);
        Rig(h)
            .hand(1, {9, 10})
            .foot(1, {13})
            .hand(2, {13})
            .foot(2, {})
            .onFoot(2)
            .workingBook(2, 1, 13, 1, 3)
            .stack({4, 17, 26, 39});
        h.send(1, msg::drawing(1, 1));
        h.send(1, msg::discard(1, 0));
        h.send(2, msg::drawing(2, 1));
        h.send(2, msg::addToBook(2, 0, 1));
        h.send(2, msg::addToBook(2, 1, 1));
        h.take();
        h.send(2, msg::addToBook(2, 2, 1));
        QStringList want = toEach({1, 2}, "CMD_addtobook+2+2+2+1+6+39+1");
        want << toEach({1, 2}, "CMD_postscores+60+20+2+4") << "2:CMD_freecard+2";
        // Seats 3 and 4 hold their dealt cards but are charged nothing.
        want << toEach({1, 2}, "CMD_postscores+-50+-50+1+3")
             << toEach({1, 2}, "CMD_postscores+260+0+2+4")
             << toEach({1, 2}, "CMD_postscores+-50+0+3+1")
             << toEach({1, 2}, "CMD_postscores+260+0+4+2")
             << toEach({1, 2}, "CMD_winner+2+Bob and Kling");
        QCOMPARE(h.take(), want);
        QVERIFY(!handEmpty(h.seat(3).hand));
    }
};

QTEST_APPLESS_MAIN(TestRounds)
#include "test_rounds.moc"
