// Play > Hint at Strong and Expert never advises a gift: a discard that lets the next seat
// complete a book by taking the pile is not named while a safer card is in hand, and Strong
// names the same card when it feeds nothing. Strong's draw races for the foot: it takes the pile
// when that lets the turn empty the hand, and not for a book a wild in hand completes anyway.
#include "bots/level.h"
#include "protocol/messages.h"
#include "table/core/hint.h"
#include "table/core/piletracker.h"

#include <QtTest>

using namespace quornet;
using namespace quornet::table;

namespace {

// Seat 2's turn with the pile option on, `hand` in slots 0 on, every seat holding 11 cards.
TableState seatTwoToPlay(bool drawn, int top, const QList<int>& hand)
{
    TableState s;
    s.own = 2;
    s.turnSeat = 2;
    s.pickUpOption = true;
    s.drawVisible = !drawn;
    s.discardCard = top;
    for (int slot = 0; slot < hand.size(); ++slot) s.cards.insert(slot, HandCard{slot, hand[slot]});
    for (int seat = 1; seat <= 4; ++seat) s.seats[std::size_t(seat)].cardsLeft = QStringLiteral("11");
    return s;
}

} // namespace

class TestHint : public QObject
{
    Q_OBJECT
private slots:
    void noDiscardFeedsTheNextSeat_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("theirNines"); // cards in team 1's working book of nines
        QTest::addColumn<bool>("feeds");
        for (const bots::Level level : {bots::Level::Strong, bots::Level::Expert}) {
            const QByteArray name(bots::levelName(level).data());
            QTest::newRow(name + " six nines") << int(level) << 6 << true;
            QTest::newRow(name + " three nines") << int(level) << 3 << false;
        }
    }

    void noDiscardFeedsTheNextSeat()
    {
        QFETCH(int, level);
        QFETCH(int, theirNines);
        QFETCH(bool, feeds);
        // Seat 2 has drawn and holds a 9, a pair of kings and a pair of fives; seat 3, next to
        // play, may take the pile, and its team holds a working book of nines. The 9 is the only
        // single and the card a level lets go first when it feeds nobody.
        const int nine = 9, five = 5;
        TableState s = seatTwoToPlay(true, 0, {nine, 13, 26, five, five + 13});
        s.teams[1].working.insert(1, WorkingBook{1, 1, nine + 13, 1, theirNines});
        PileTracker pile;
        pile.message(protocol::cmd::StartRound, {});

        const Hint h = adviseTurn(s, pile, bots::Level(level));
        QVERIFY2(h.text.startsWith(QLatin1String("Hint: discard ")), qPrintable(h.text));
        QCOMPARE(h.handSlots.size(), 1);
        if (feeds) {
            QVERIFY2(h.handSlots[0] != 0, qPrintable(h.text));
            QVERIFY(!h.text.contains(QLatin1String("the 9")));
        } else if (bots::Level(level) == bots::Level::Strong) { // Expert's search may differ
            QCOMPARE(h.handSlots[0], 0);
            QCOMPARE(h.text, QStringLiteral("Hint: discard the 9 of clubs"));
        }
    }

    void theDrawRacesForTheFoot_data()
    {
        QTest::addColumn<QList<int>>("hand");
        QTest::addColumn<int>("nines"); // cards in our working book of nines
        QTest::addColumn<bool>("take");
        // A 9 on the pile: with one card left it goes on the book and the discard empties the hand.
        QTest::newRow("one card") << QList<int>{7} << 3 << true;
        QTest::newRow("two singles") << QList<int>{7, 4} << 3 << false;
        // The 9 would complete the book: worth a pick-up only while no wild in hand can.
        QTest::newRow("six nines, a wild") << QList<int>{2, 5, 6} << 6 << false;
        QTest::newRow("six nines, no wild") << QList<int>{8, 5, 6} << 6 << true;
    }

    void theDrawRacesForTheFoot()
    {
        QFETCH(QList<int>, hand);
        QFETCH(int, nines);
        QFETCH(bool, take);
        TableState s = seatTwoToPlay(false, 9 + 26, hand);
        s.teams[2].working.insert(1, WorkingBook{2, 1, 9 + 13, 1, nines});
        PileTracker pile;
        pile.message(protocol::cmd::StartRound, {});
        QCOMPARE(adviseTurn(s, pile, bots::Level::Strong).text,
                 take ? QStringLiteral("Hint: take the pile") : QStringLiteral("Hint: draw two cards"));
    }
};

QTEST_GUILESS_MAIN(TestHint)
#include "test_hint.moc"
