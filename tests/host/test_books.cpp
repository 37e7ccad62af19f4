// Books: creating, refusing, adding to working and completed books, completion and its bonus.
#include "support/harness.h"

#include <QtTest>

using namespace quornet::host;
using namespace quornet::host::testing;
namespace msg = quornet::protocol::msg;

namespace
{

// Ann holds seat 1 of a one-round game and has drawn: her hand is `cards`, the two drawn cards
// (10 and 23) in the next empty slots.
void annHasDrawn(Harness& h, const QList<int>& cards)
{
    h.join("Ann");
    h.startGame();
    Rig(h).hand(1, cards).stack({10, 23});
    h.send(1, msg::drawing(1, 1));
    h.take();
}

// Slots: 0 three, 1 two, 2 two, 3 joker, 4 seven, 5 seven, 6 five, 7 ace, 8 three, 9 three,
// 10 king; 11 and 12 tens after the draw.
const QList<int> Mixed{3, 2, 15, 54, 7, 20, 5, 14, 16, 29, 13};

} // namespace

class TestBooks : public QObject
{
    Q_OBJECT
private slots:
    void refusedBooks_data()
    {
        QTest::addColumn<QList<int>>("picked");
        QTest::addColumn<QString>("answer");
        // One refusal of each kind (the rules core's own test has every case).
        QTest::newRow("a three and two wilds") << QList<int>{0, 1, 2} << "1:CMD_nothree+";
        QTest::newRow("three wilds") << QList<int>{1, 2, 3} << "1:CMD_notwo+";
        QTest::newRow("two wilds and a seven") << QList<int>{1, 3, 4} << "1:CMD_nobook+";
    }

    void refusedBooks()
    {
        QFETCH(QList<int>, picked);
        QFETCH(QString, answer);
        Harness h;
        annHasDrawn(h, Mixed);
        const Hand before = h.seat(1).hand;
        h.send(1, msg::createBook(1, picked[0], picked[1], picked[2]));
        QCOMPARE(h.take(), QStringList{answer});
        QCOMPARE(h.seat(1).hand, before); // a refusal changes nothing
        QCOMPARE(h.seat(1).score, 0);
        QCOMPARE(h.table().books(1).working[1].count, 0);
        QCOMPARE(h.table().phase, Phase::Play);
    }

    void createdBooks()
    {
        Harness h;
        annHasDrawn(h, {14, 27, 40, 7, 54, 20, 33, 46, 2, 9, 22});
        h.send(1, msg::createBook(1, 0, 1, 2));
        QCOMPARE(h.take(),
                 (QStringList{"1:CMD_freecard+0", "1:CMD_freecard+1", "1:CMD_freecard+2",
                              "1:CMD_newbook+1+1+1+14+1", "1:CMD_postscores+20+20+1+3",
                              "1:CMD_postscores+40+20+1+3", "1:CMD_postscores+60+20+1+3"}));
        // Seven, joker, seven: a wild book named by the first seven.
        h.send(1, msg::createBook(1, 3, 4, 5));
        QCOMPARE(h.take(),
                 (QStringList{"1:CMD_freecard+3", "1:CMD_freecard+4", "1:CMD_freecard+5",
                              "1:CMD_newbook+1+1+2+7+2", "1:CMD_postscores+70+10+1+3",
                              "1:CMD_postscores+120+50+1+3", "1:CMD_postscores+130+10+1+3"}));
        // A second book of sevens is accepted; with the wild first it is named by the next card.
        h.send(1, msg::createBook(1, 8, 6, 7));
        QCOMPARE(h.take(),
                 (QStringList{"1:CMD_freecard+8", "1:CMD_freecard+6", "1:CMD_freecard+7",
                              "1:CMD_newbook+1+1+3+33+2", "1:CMD_postscores+180+50+1+3",
                              "1:CMD_postscores+190+10+1+3", "1:CMD_postscores+200+10+1+3"}));
        const TeamBooks& tb = h.table().books(1);
        QCOMPARE(tb.working[3].count, 3);
        QCOMPARE(tb.working[3].naming, 33);
        QCOMPARE(h.seat(3).score, 200); // the partner holds the same score
        QCOMPARE(h.seat(1).hand[9], 9);
    }

    void nineWorkingBooksAndMismatches()
    {
        Harness h;
        annHasDrawn(h, Mixed);
        const int ranks[] = {13, 14, 4, 5, 6, 8, 9, 10, 11};
        Rig rig(h);
        for (int k = 1; k <= 9; ++k)
            rig.workingBook(1, k, ranks[k - 1], 1, 3);
        h.send(1, msg::createBook(1, 4, 5, 3));
        QCOMPARE(h.take(), QStringList{"1:CMD_toomany+"});
        h.send(1, msg::addToBook(1, 6, 1)); // a five on the kings
        QCOMPARE(h.take(), QStringList{"1:CMD_nobookmatch+6"});
        h.send(1, msg::addToBook(1, 6, 4));
        QCOMPARE(h.take(), (QStringList{"1:CMD_addtobook+1+1+6+4+4+5+1",
                                        "1:CMD_postscores+10+10+1+3", "1:CMD_freecard+6"}));
        // A wild turns a normal book wild for good.
        h.send(1, msg::addToBook(1, 1, 1));
        QCOMPARE(h.take(), (QStringList{"1:CMD_addtobook+1+1+1+1+4+2+2",
                                        "1:CMD_postscores+60+50+1+3", "1:CMD_freecard+1"}));
        QCOMPARE(h.table().books(1).working[1].kind, 2);
        // No book chosen (-1): dropped without an answer.
        h.send(1, msg::addToBook(1, 7, -1));
        QVERIFY(h.take().isEmpty());
    }

    void addToAFreeSlotIsAMismatch()
    {
        Harness h;
        annHasDrawn(h, Mixed);
        Rig(h).workingBook(1, 1, 13, 1, 3);
        h.send(1, msg::addToBook(1, 10, 2));
        QCOMPARE(h.take(), QStringList{"1:CMD_nobookmatch+10"});
        QCOMPARE(h.seat(1).hand[10], 13);
    }

    void completionWithBonus()
    {
        Harness h;
        annHasDrawn(h, {26, 54, 9, 22, 35, 39, 8});
        Rig(h).workingBook(1, 1, 14, 1, 3).workingBook(1, 2, 13, 1, 6).workingBook(1, 3, 12, 1, 6);
        // The seventh card: addtobook with count 7, the card's points, freecard, complete, bonus.
        h.send(1, msg::addToBook(1, 0, 2));
        QCOMPARE(h.take(),
                 (QStringList{"1:CMD_addtobook+1+1+0+2+7+26+1", "1:CMD_postscores+20+20+1+3",
                              "1:CMD_freecard+0", "1:CMD_complete+1+1+2+1+13+1",
                              "1:CMD_postscores+520+500+1+3"}));
        // A wild as seventh card completes a wild book: bonus 300.
        h.send(1, msg::addToBook(1, 1, 3));
        QCOMPARE(h.take(),
                 (QStringList{"1:CMD_addtobook+1+1+1+3+7+54+2", "1:CMD_postscores+570+50+1+3",
                              "1:CMD_freecard+1", "1:CMD_complete+1+1+3+2+12+2",
                              "1:CMD_postscores+870+300+1+3"}));
        const TeamBooks& tb = h.table().books(1);
        QCOMPARE(tb.completedCount, 2);
        QCOMPARE(tb.working[2].count, 0); // the slot is free again
        // The next new book takes the lowest free slot.
        h.send(1, msg::createBook(1, 2, 3, 4));
        QCOMPARE(h.take().at(3), "1:CMD_newbook+1+1+2+9+1");
        // A natural of the completed book's rank.
        h.send(1, msg::addToComp(1, 5, 1));
        QCOMPARE(h.take(), (QStringList{"1:CMD_postscores+920+20+1+3", "1:CMD_freecard+5",
                                        "1:CMD_addtocomp+1+1+13"}));
        QCOMPARE(tb.completed[1].count, 8);
        QCOMPARE(tb.completed[1].kind, 1); // a completed book never changes its kind
    }

    void addToCompletedBooks()
    {
        Harness h;
        annHasDrawn(h, {2, 13, 12, 7});
        Rig(h).completedBook(1, 13, 1).completedBook(1, 12, 2);
        h.send(1, msg::addToComp(1, 0, 1)); // a wild on a completed normal book
        QCOMPARE(h.take(), QStringList{"1:CMD_nobookmatch+0"});
        h.send(1, msg::addToComp(1, 0, 2)); // the same wild on a completed wild book
        QCOMPARE(h.take(), (QStringList{"1:CMD_postscores+50+50+1+3", "1:CMD_freecard+0",
                                        "1:CMD_addtocomp+1+2+12"}));
        QCOMPARE(h.table().books(1).completed[2].count, 8);
    }

    void booksAreSeenByEveryone()
    {
        Harness h;
        h.join("Ann");
        h.join("Bob");
        for (const char* name : {"Cy", "Di", "Ed"})
            h.join(name);
        h.startGame();
        Rig(h).hand(1, {14, 27, 40}).stack({10, 23});
        h.send(1, msg::drawing(1, 1));
        h.take();
        h.send(1, msg::createBook(1, 0, 1, 2));
        QStringList want{"1:CMD_freecard+0", "1:CMD_freecard+1", "1:CMD_freecard+2"};
        want << toEach({1, 2, 3, 4, 5}, "CMD_newbook+1+1+1+14+1");
        for (int score : {20, 40, 60})
            want << toEach({1, 2, 3, 4, 5}, QStringLiteral("CMD_postscores+%1+20+1+3").arg(score));
        QCOMPARE(h.take(), want);
    }
};

QTEST_APPLESS_MAIN(TestBooks)
#include "test_books.moc"
