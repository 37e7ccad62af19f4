// The rules core: which cards make a book and why others are refused, growing, completing and
// adding to completed books with their points, hand profiles, the pile, the foot and a round's
// penalties. Each case is the rule once; the host's tests check only the messages it answers with.
#include "rules/books.h"
#include "rules/round.h"

#include <QtTest>

using namespace quornet::rules;

namespace
{

// Slots: 0 three, 1 two, 2 two, 3 joker, 4 seven, 5 seven, 6 five, 7 ace, 8 three, 9 three,
// 10 king.
const Hand Mixed{3, 2, 15, 54, 7, 20, 5, 14, 16, 29, 13};

TeamBooks nineBooks()
{
    TeamBooks tb;
    const int ranks[] = {13, 14, 4, 5, 6, 8, 9, 10, 11};
    for (int k = 1; k <= UsableBookSlots; ++k) tb.working[std::size_t(k)] = {3, ranks[k - 1], 1};
    return tb;
}

} // namespace

class TestRules : public QObject
{
    Q_OBJECT
private slots:
    void newBooks_data()
    {
        QTest::addColumn<QList<int>>("picked");
        QTest::addColumn<bool>("nineBooks");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<int>("naming"); // of a book made
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("points");
        using V = Verdict;
        // A three is found before the wilds are counted, the wilds before the ranks.
        QTest::newRow("a three and two wilds") << QList<int>{0, 1, 2} << false << int(V::NoThree) << 0 << 0 << 0;
        QTest::newRow("three threes") << QList<int>{0, 8, 9} << false << int(V::NoThree) << 0 << 0 << 0;
        QTest::newRow("three wilds") << QList<int>{1, 2, 3} << false << int(V::NoTwo) << 0 << 0 << 0;
        QTest::newRow("two wilds and a seven") << QList<int>{1, 3, 4} << false << int(V::NoBook) << 0 << 0 << 0;
        QTest::newRow("seven five ace") << QList<int>{4, 6, 7} << false << int(V::NoBook) << 0 << 0 << 0;
        QTest::newRow("joker seven five") << QList<int>{3, 4, 6} << false << int(V::NoBook) << 0 << 0 << 0;
        QTest::newRow("a slot named twice") << QList<int>{4, 4, 5} << false << int(V::Ignored) << 0 << 0 << 0;
        QTest::newRow("an empty slot") << QList<int>{4, 5, 12} << false << int(V::Ignored) << 0 << 0 << 0;
        QTest::newRow("a slot out of range") << QList<int>{4, 5, 21} << false << int(V::Ignored) << 0 << 0 << 0;
        // Named by the first natural card; a wild makes the book wild.
        QTest::newRow("seven joker seven") << QList<int>{4, 3, 5} << false << int(V::Done) << 7 << 2 << 70;
        QTest::newRow("joker first") << QList<int>{3, 5, 4} << false << int(V::Done) << 20 << 2 << 70;
        QTest::newRow("nine books already") << QList<int>{4, 3, 5} << true << int(V::TooMany) << 0 << 0 << 0;
    }

    void newBooks()
    {
        QFETCH(QList<int>, picked);
        QFETCH(bool, nineBooks);
        QFETCH(int, verdict);
        Hand hand = Mixed;
        TeamBooks tb = nineBooks ? ::nineBooks() : TeamBooks{};
        const TeamBooks before = tb;
        const NewBook r = createBook(hand, tb, picked[0], picked[1], picked[2]);
        QCOMPARE(int(r.verdict), verdict);
        if (r.verdict != Verdict::Done) {
            QCOMPARE(hand, Mixed); // a refusal changes nothing
            QCOMPARE(tb, before);
            return;
        }
        QFETCH(int, naming);
        QFETCH(int, kind);
        QFETCH(int, points);
        QCOMPARE(r.slot, 1);
        QCOMPARE(tb.working[1], (Book{3, naming, kind}));
        QCOMPARE(r.points(), points);
        QCOMPARE(cardsIn(hand), cardsIn(Mixed) - 3);
        // The next book takes the lowest free slot, and a second book of a rank is allowed.
        Hand more{7, 33, 46};
        QCOMPARE(createBook(more, tb, 0, 1, 2).slot, 2);
        QCOMPARE(workingBookOf(tb, 7), 1);
        QCOMPARE(workingBooks(tb), 2);
    }

    void growingAndCompletingBooks()
    {
        TeamBooks tb;
        tb.working[2] = {6, 13, 1};
        tb.working[3] = {6, 12, 1};
        tb.working[4] = {3, 5, 1};
        Hand hand{26, 54, 18, 0, 39, 9};
        // A card of another rank, or a book slot without a book: no match, nothing changes.
        QCOMPARE(addToBook(hand, tb, 2, 2).verdict, Verdict::NoMatch);
        QCOMPARE(addToBook(hand, tb, 0, 1).verdict, Verdict::NoMatch);
        QCOMPARE(addToBook(hand, tb, 3, 2).verdict, Verdict::Ignored); // an empty hand slot
        QCOMPARE(hand[2], 18);
        // A five on the fives: its points only.
        const Added five = addToBook(hand, tb, 2, 4);
        QCOMPARE(five.verdict, Verdict::Done);
        QCOMPARE(five.count, 4);
        QCOMPARE(five.points(), 10);
        // The seventh card completes the book into the first completed slot: the normal bonus.
        const Added seventh = addToBook(hand, tb, 0, 2);
        QCOMPARE(seventh.completedSlot, 1);
        QCOMPARE(seventh.points(), 20 + 500);
        QCOMPARE(tb.working[2].count, 0); // the slot is free again
        QCOMPARE(tb.completed[1], (Book{7, 13, 1}));
        // A wild as the seventh card turns the book wild: the wild bonus.
        const Added wild = addToBook(hand, tb, 1, 3);
        QCOMPARE(wild.kind, 2);
        QCOMPARE(wild.points(), 50 + 300);
        QCOMPARE(tb.completedCount, 2);
        QCOMPARE(completedBookOf(tb, 12), 2);
        // Completed books take naturals of their rank; wilds only when they are wild books, and a
        // completed book never changes its kind.
        Hand more{2, 52, 25, 0};
        QCOMPARE(addToCompleted(more, tb, 0, 1).verdict, Verdict::NoMatch);
        QCOMPARE(addToCompleted(more, tb, 1, 3).verdict, Verdict::NoMatch); // no such completed book
        QCOMPARE(addToCompleted(more, tb, 1, 1).points(), 20);
        QCOMPARE(addToCompleted(more, tb, 2, 2).count, 8); // a natural queen on the wild queens
        QCOMPARE(addToCompleted(more, tb, 0, 2).points(), 50);
        QCOMPARE(tb.completed[1].kind, 1);
        QCOMPARE(tb.completed[2].count, 9);
        // The same through apply(), as the computer players' plans run: -1 for a refusal.
        Hand last{3, 8};
        QCOMPARE(apply({Move::AddToBook, 1, 4, 0}, last, tb), -1);
        QCOMPARE(apply({Move::Discard, 0, 0, 0}, last, tb), 0);
        QCOMPARE(last, (Hand{0, 8}));
        // Several working books of one rank: the fullest is the rank's book, the lowest slot among
        // equals; the slots the completed books left hold none.
        tb.working[5] = {5, 18, 1};
        tb.working[6] = {5, 31, 1};
        QCOMPARE(workingBooksByRank(tb), (std::array<int, Ranks>{0, 0, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0}));
    }

    void handProfile()
    {
        // Three kings, a five, two sevens, a three, a two and a joker.
        const Hand hand{13, 26, 39, 5, 7, 20, 3, 2, 54};
        const HandProfile p = quornet::rules::handProfile(hand);
        QCOMPARE(p.wilds, 2);
        QCOMPARE(p.singles, 2);
        QCOMPARE(p.pairs, 4);
        QCOMPARE(rankCounts(Hand{})[0], 0); // empty slots are not kings
        QCOMPARE(penalty(hand), 3 * -20 - 10 - 20 - 100 - 100);
        QVERIFY(nearlyAllWild(Hand{2, 0, 54, 9}));
        QVERIFY(!nearlyAllWild(Hand{2, 9, 10}));
        QVERIFY(nearlyAllWild(Hand{}));
    }

    void pileFootAndRoundEnd()
    {
        PileCards pile{};
        int count = 0;
        Hand hand{9, 0, 10};
        QCOMPARE(discard(hand, 1, pile, count), 0); // an empty slot discards nothing
        QCOMPARE(discard(hand, 0, pile, count), 9);
        QCOMPARE(discard(hand, 2, pile, count), 10);
        QCOMPARE(topOf(pile, count), 10);
        // A pick-up of three from a pile of two takes both, the top first, into the lowest slots.
        QList<int> taken;
        QCOMPARE(pickUp(hand, pile, count, 3, [&](int slot, int card) { taken << slot << card; }), 2);
        QCOMPARE(taken, (QList<int>{0, 10, 1, 9}));
        QCOMPARE(count, 0);
        Hand full{};
        full.fill(5);
        QCOMPARE(lowestEmptyDrawSlot(full), -1);
        // The foot comes up only for an empty hand, once.
        Hand foot{4, 5};
        bool onFoot = false;
        QVERIFY(!takeUpFoot(hand, foot, onFoot));
        Hand empty{};
        QVERIFY(takeUpFoot(empty, foot, onFoot));
        QVERIFY(onFoot && empty[1] == 5 && handEmpty(foot));
        QVERIFY(!done(empty, onFoot));
        QVERIFY(done(Hand{}, true));
        QVERIFY(goesOut(true, true, false) && !goesOut(true, false, false) && goesOut(true, false, true));
        // Penalties: the hand and the foot not taken up; the vacant seats of two players nothing.
        QCOMPARE(roundPenalty(1, Hand{14}, Hand{3}, false), -120);
        QCOMPARE(roundPenalty(3, Hand{14}, Hand{3}, true), 0);
    }
};

QTEST_APPLESS_MAIN(TestRules)
#include "test_rules.moc"
