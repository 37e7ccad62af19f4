// The computer player's strategy and its draw decision, driven through Timer1 as in a game.
#include "support/harness.h"

#include "host/computerplayer.h"

#include <QtTest>

using namespace quornet::host;
using namespace quornet::host::testing;
namespace msg = quornet::protocol::msg;

namespace
{

// Ann (seat 1) draws and discards a three: seat 2, a computer player, then waits on Timer1 for
// its draw decision with a three on top of the pile.
void seatTwoToPlay(Harness& h, bool bobWatches = false)
{
    h.join("Ann");
    if (bobWatches) h.join("Bob");
    h.startGame();
    if (bobWatches) h.send(2, msg::justWatch(2, 1));
    Rig(h).hand(1, {3, 9, 10}).stack({11, 24});
    h.send(1, msg::drawing(1, 1));
    h.send(1, msg::discard(1, 0));
    QCOMPARE(h.engine->botTimerTag(), TimerTag::DrawDecision);
}

void play(Harness& h)
{
    h.take();
    h.random.clearLog();
    h.fire(2);
}

} // namespace

class TestBots : public QObject
{
    Q_OBJECT
private slots:
    void sevenWildsAndOneNatural()
    {
        Harness h;
        seatTwoToPlay(h);
        Rig(h)
            .hand(2, {2, 15, 28, 41, 54, 54})
            .stack({54, 9})
            .workingBook(2, 1, 13, 1, 3)
            .workingBook(2, 3, 12, 2, 3);
        play(h);
        // Wilds go to the lowest wild book; once it is completed, to the lowest book of any
        // kind, which turns wild. The natural card is discarded, and the foot taken up.
        QCOMPARE(h.take(),
                 (QStringList{"1:CMD_addtobook+2+2+0+3+4+2+2", "1:CMD_postscores+50+50+2+4",
                              "1:CMD_addtobook+2+2+1+3+5+15+2", "1:CMD_postscores+100+50+2+4",
                              "1:CMD_addtobook+2+2+2+3+6+28+2", "1:CMD_postscores+150+50+2+4",
                              "1:CMD_addtobook+2+2+3+3+7+41+2", "1:CMD_postscores+200+50+2+4",
                              "1:CMD_complete+2+2+3+1+12+2", "1:CMD_postscores+500+300+2+4",
                              "1:CMD_addtobook+2+2+4+1+4+54+2", "1:CMD_postscores+550+50+2+4",
                              "1:CMD_addtobook+2+2+5+1+5+54+2", "1:CMD_postscores+600+50+2+4",
                              "1:CMD_addtobook+2+2+6+1+6+54+2", "1:CMD_postscores+650+50+2+4",
                              "1:CMD_discard+9", "1:CMD_usefoot+2", "1:CMD_nextplayer+2+11+t+3"}));
        QCOMPARE(h.random.drawsOf(10), 0); // a three on the pile: no chance drawn
        QCOMPARE(h.random.drawsOf(6), 1);
    }

    void fourOfARank()
    {
        Harness h;
        seatTwoToPlay(h);
        Rig(h).hand(2, {7, 5, 20, 33}).stack({46, 16});
        play(h);
        // The book is made of the first, second and fourth seven; the third is added after.
        QCOMPARE(h.take(),
                 (QStringList{"1:CMD_newbook+2+2+1+7+1", "1:CMD_postscores+10+10+2+4",
                              "1:CMD_postscores+20+10+2+4", "1:CMD_postscores+30+10+2+4",
                              "1:CMD_addtobook+2+2+3+1+4+33+1", "1:CMD_postscores+40+10+2+4",
                              "1:CMD_discard+16", "1:CMD_nextplayer+2+1+t+3"}));
        QCOMPARE(h.seat(2).hand, (Hand{0, 5}));
    }

    void twoWildsTwoSevensAndAFive()
    {
        Harness h;
        seatTwoToPlay(h);
        Rig(h).hand(2, {2, 54, 7}).stack({20, 5});
        h.random.push({5}); // phase 2 draws, but finds no pair left
        play(h);
        QCOMPARE(h.take(),
                 (QStringList{"1:CMD_newbook+2+2+1+7+2", "1:CMD_postscores+50+50+2+4",
                              "1:CMD_postscores+60+10+2+4", "1:CMD_postscores+70+10+2+4",
                              "1:CMD_addtobook+2+2+1+1+4+54+2", "1:CMD_postscores+120+50+2+4",
                              "1:CMD_discard+5", "1:CMD_usefoot+2", "1:CMD_nextplayer+2+11+t+3"}));
        QCOMPARE(h.random.drawsOf(6), 1);
        QVERIFY(h.random.error.isEmpty());
    }

    void wildsCompleteAPairOnlyByChance_data()
    {
        QTest::addColumn<int>("roll");
        QTest::addColumn<bool>("created");
        // One wild, one pair and two singles: phase 2 needs a roll above 2.
        QTest::newRow("roll 2") << 2 << false;
        QTest::newRow("roll 3") << 3 << true;
    }

    void wildsCompleteAPairOnlyByChance()
    {
        QFETCH(int, roll);
        QFETCH(bool, created);
        Harness h;
        seatTwoToPlay(h);
        Rig(h).hand(2, {54, 9, 22}).stack({5, 6});
        h.random.push({roll});
        play(h);
        QCOMPARE(h.random.drawsOf(6), 1);
        QCOMPARE(h.table().books(2).working[1].count == 3, created);
        if (created) QCOMPARE(h.take().first(), "1:CMD_newbook+2+2+1+9+2");
    }

    void discardRules_data()
    {
        QTest::addColumn<QList<int>>("hand");
        QTest::addColumn<QList<int>>("drawn");
        QTest::addColumn<int>("discarded");
        QTest::newRow("a three first") << QList<int>{9, 22, 16} << QList<int>{5, 8} << 16;
        QTest::newRow("threes and wilds") << QList<int>{2, 3, 16} << QList<int>{29, 41} << 3;
        QTest::newRow("a lone king") << QList<int>{9, 22, 13} << QList<int>{10, 23} << 13;
        QTest::newRow("no single") << QList<int>{9, 22, 10} << QList<int>{23, 2} << 9;
    }

    void discardRules()
    {
        QFETCH(QList<int>, hand);
        QFETCH(QList<int>, drawn);
        QFETCH(int, discarded);
        Harness h;
        seatTwoToPlay(h);
        Rig(h).hand(2, hand).stack(drawn);
        play(h);
        const QStringList got = h.take();
        QCOMPARE(got.size(), 2);
        QCOMPARE(got[0], QStringLiteral("1:CMD_discard+%1").arg(discarded));
        QCOMPARE(got[1], "1:CMD_nextplayer+2+4+t+3");
    }

    void nineWorkingBooksRefuseEveryNewBook()
    {
        Harness h;
        seatTwoToPlay(h, true); // Bob watches: he sees his seat's cards and refusals
        const int ranks[] = {13, 14, 4, 5, 6, 8, 9, 10, 11};
        Rig rig(h);
        for (int k = 1; k <= 9; ++k)
            rig.workingBook(2, k, ranks[k - 1], 1, 3);
        rig.hand(2, {7, 20, 33, 12}).stack({25, 38});
        play(h);
        QStringList want{"2:CMD_newcard+2+4+25", "2:CMD_newcard+2+5+38", "2:CMD_toomany+",
                         "2:CMD_toomany+", "2:CMD_freecard+0"};
        want << toEach({1, 2}, "CMD_discard+7") << toEach({1, 2}, "CMD_nextplayer+2+5+t+3");
        QCOMPARE(h.take(), want);
        QCOMPARE(h.seat(2).hand, (Hand{0, 20, 33, 12, 25, 38}));
        QCOMPARE(h.random.drawsOf(6), 0); // no wild at all: W < P, no roll
    }

    void aRankWithABookIsNeverStartedAgain()
    {
        Harness h;
        seatTwoToPlay(h);
        // Sevens have a book: the two sevens go onto it, never into a new book.
        Rig(h).workingBook(2, 2, 7, 1, 3).hand(2, {20, 33, 54, 5, 6}).stack({8, 10});
        play(h);
        const TeamBooks& tb = h.table().books(2);
        QCOMPARE(tb.working[1].count, 0);
        QCOMPARE(tb.working[2].count, 5);
        QCOMPARE(h.take().filter("CMD_newbook"), QStringList{});
    }

    void drawDecision_data()
    {
        QTest::addColumn<QList<int>>("hand");
        QTest::addColumn<QList<int>>("pile");
        QTest::addColumn<int>("bookCount"); // a working book of nines with this many cards, 0: none
        QTest::addColumn<bool>("completedNines");
        QTest::addColumn<QList<int>>("rolls");
        QTest::addColumn<bool>("pick");
        QTest::addColumn<int>("chances");
        const QList<int> nines{9, 22, 35, 5, 6, 7, 8};
        QTest::newRow("empty pile")
            << nines << QList<int>{} << 0 << false << QList<int>{} << false << 0;
        QTest::newRow("three on top") << QList<int>{16, 29, 42, 5} << QList<int>{3} << 0 << false
                                      << QList<int>{} << false << 0;
        // One chance per matching entry from entry 1 on; entry 0 is never examined.
        QTest::newRow("second chance taken")
            << nines << QList<int>{48} << 0 << false << QList<int>{3, 9} << true << 2;
        QTest::newRow("no chance taken")
            << nines << QList<int>{48} << 0 << false << QList<int>{5, 4} << false << 2;
        QTest::newRow("match in entry 0 only")
            << QList<int>{9, 5, 6} << QList<int>{48} << 0 << false << QList<int>{} << false << 0;
        QTest::newRow("unusable match")
            << QList<int>{5, 22, 6} << QList<int>{48} << 0 << false << QList<int>{9} << false << 1;
        QTest::newRow("many singles make it usable") << QList<int>{5, 22, 6, 7} << QList<int>{48}
                                                     << 0 << false << QList<int>{6} << true << 1;
        QTest::newRow("big working book")
            << QList<int>{5, 6} << QList<int>{48} << 5 << false << QList<int>{} << true << 0;
        QTest::newRow("small book, one single")
            << QList<int>{5, 2} << QList<int>{48} << 4 << false << QList<int>{} << true << 0;
        QTest::newRow("small book, two singles")
            << QList<int>{5, 6} << QList<int>{48} << 4 << false << QList<int>{} << false << 0;
        QTest::newRow("completed book")
            << QList<int>{5, 2} << QList<int>{48} << 0 << true << QList<int>{} << true << 0;
    }

    void drawDecision()
    {
        QFETCH(QList<int>, hand);
        QFETCH(QList<int>, pile);
        QFETCH(int, bookCount);
        QFETCH(bool, completedNines);
        QFETCH(QList<int>, rolls);
        QFETCH(bool, pick);
        QFETCH(int, chances);
        Harness h;
        seatTwoToPlay(h);
        Rig rig(h);
        rig.hand(2, hand).pile(pile);
        if (bookCount) rig.workingBook(2, 1, 9, 1, bookCount);
        if (completedNines) rig.completedBook(2, 9, 1);
        for (int r : rolls)
            h.random.push({r});
        const int deckPos = h.table().deckPos;
        const int pileCount = h.table().discardCount;
        play(h);
        QVERIFY(h.random.error.isEmpty());
        QCOMPARE(h.random.drawsOf(10), chances);
        // A pick-up takes the top card and leaves the deck alone; a draw takes two from it.
        QCOMPARE(h.table().deckPos, deckPos + (pick ? 0 : 2));
        QCOMPARE(h.table().discardCount, pileCount + (pick ? 0 : 1));
    }
};

QTEST_APPLESS_MAIN(TestBots)
#include "test_bots.moc"
