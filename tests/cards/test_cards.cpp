#include "cards/cards.h"

#include <QtTest>

using namespace quornet::cards;

class TestCards : public QObject {
    Q_OBJECT
private slots:
    void ranksAndClasses()
    {
        // Every two and the joker code are wild; code 1 would be too, but it never leaves the deck.
        for (int c : {2, 15, 28, 41, 54}) {
            QVERIFY(isWild(c));
            QVERIFY(isWildCode(c));
            QCOMPARE(rankValue(c), 2);
        }
        for (int c = 1; c <= 54; ++c) QCOMPARE(isWildCode(deliveredCode(c)), isWild(deliveredCode(c)));
        QCOMPARE(deliveredCode(1), 54);
        QCOMPARE(deliveredCode(53), 53);
        for (int c : {3, 16, 29, 42}) QVERIFY(isThree(c) && !isNatural(c));
        // The ace of hearts is an ordinary ace; kings have rank value 0.
        QCOMPARE(rankValue(53), 1);
        QCOMPARE(QString::fromLatin1(bookName(53).data(), bookName(53).size()), QString("Ones"));
        QCOMPARE(rankValue(13), 0);
        QCOMPARE(bookName(52), std::string_view("Kings"));
        QCOMPARE(bookName(10), std::string_view("Tens"));
        QCOMPARE(bookName(11), std::string_view("Jacks"));
        QVERIFY(bookName(2).empty());
        QVERIFY(bookName(42).empty());
        QVERIFY(sameRank(5, 44));
        QVERIFY(!sameRank(5, 6));
    }

    void pointsAndPenalties_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("penalty");
        QTest::newRow("ace") << 14 << 20 << -20;
        QTest::newRow("ace of hearts") << 53 << 20 << -20;
        QTest::newRow("two") << 28 << 50 << -50;
        QTest::newRow("joker") << 54 << 50 << -50;
        QTest::newRow("three") << 16 << -100 << -100;
        QTest::newRow("four") << 4 << 10 << -10;
        QTest::newRow("ten") << 49 << 10 << -10;
        QTest::newRow("jack") << 11 << 20 << -20;
        QTest::newRow("queen") << 25 << 20 << -20;
        QTest::newRow("king") << 39 << 20 << -20;
        QTest::newRow("no card") << 0 << 0 << 0;
    }
    void pointsAndPenalties()
    {
        QFETCH(int, code);
        QFETCH(int, points);
        QFETCH(int, penalty);
        QCOMPARE(cardPoints(code), points);
        QCOMPARE(cardPenalty(code), penalty);
    }

    void handOrder()
    {
        // Wilds first, then fours to kings, aces, threes last.
        const int order[] = {54, 4, 10, 11, 12, 13, 14, 3};
        for (std::size_t i = 1; i < std::size(order); ++i)
            QVERIFY2(handOrderKey(order[i - 1]) < handOrderKey(order[i]), qPrintable(QString::number(order[i])));
        QCOMPARE(handOrderKey(2), handOrderKey(54));
        QCOMPARE(kindWord(1), std::string_view("Normal"));
        QCOMPARE(kindWord(2), std::string_view("Wild"));
        QCOMPARE(bookBonus(1), 500);
        QCOMPARE(bookBonus(2), 300);
    }
};

QTEST_APPLESS_MAIN(TestCards)
#include "test_cards.moc"
