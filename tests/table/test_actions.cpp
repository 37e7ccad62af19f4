// The player's actions: draw and pick-up, the create-book places, creating and adding, discards.
#include "tablefixture.h"

using namespace tabletest;

namespace {
// Seat 1 with a hand: slot 0 king (13), 1 king (26), 2 two (15), 3 joker (54), 4 five (5),
// 5 king (39).
void myTurn(Fixture& f)
{
    f.login(1);
    f.deal({13, 26, 15, 54, 5, 39});
    f.feed(msg::discardTop(20));
    f.feed(msg::nextPlayer(0, 0, true, 1));
    f.clearRecords();
}

void lay(Fixture& f, int slot, int place)
{
    f.model.clickCard(slot, Qt::LeftButton);
    QVERIFY(f.s().picked.isPicked());
    f.model.clickPlace(place);
}
} // namespace

class TestActions : public QObject {
    Q_OBJECT
private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void drawAndPickUp()
    {
        Fixture f;
        myTurn(f);
        QVERIFY(f.s().pickupVisible);
        f.model.clickDraw();
        QCOMPARE(f.sent, QList<QByteArray>{msg::drawing(1, 1)});
        QVERIFY(!f.s().drawVisible && !f.s().pickupVisible);
        QCOMPARE(f.changes, 1);
        f.model.clickDraw(); // the buttons are gone
        f.model.clickPickup();
        QCOMPARE(f.sent.size(), 1);

        Fixture g;
        myTurn(g);
        g.model.clickPickup();
        QCOMPARE(g.sent, QList<QByteArray>{msg::drawing(1, 2)});

        Fixture h; // not the own turn
        h.login(1);
        h.feed(msg::nextPlayer(0, 0, true, 2));
        h.sent.clear();
        h.model.clickDraw();
        h.model.clickPickup();
        QVERIFY(h.sent.isEmpty());
    }

    void layingAndTakingBack()
    {
        Fixture f;
        myTurn(f);
        f.model.clickDraw();
        f.clearRecords();
        lay(f, 4, 2);
        const Place& p = f.s().place(2);
        QCOMPARE(p.slot, 4);
        QCOMPARE(p.code, 5);
        QVERIFY(!f.s().card(4)->visible);
        QCOMPARE(f.rowSlots(), (QList<int>{0, 1, 2, 3, 5}));
        QCOMPARE(f.s().card(5)->left, 86); // closed the gap at position 5
        QVERIFY(!f.s().picked.isPicked());
        QCOMPARE(f.sounds, QStringList{QStringLiteral("placeon")});
        // A filled place takes no second card: the click gives its card back instead.
        f.model.clickCard(0, Qt::LeftButton);
        f.model.clickPlace(2);
        QCOMPARE(f.s().place(2).isEmpty(), true);
        QCOMPARE(f.s().place(2).slot, -1);
        QCOMPARE(f.rowSlots(), (QList<int>{0, 1, 2, 3, 5, 4})); // back at the end of the hand
        QCOMPARE(f.s().card(4)->left, 104);                        // 20 * 6 - 16
        QVERIFY(f.s().card(4)->visible);
        QCOMPARE(f.sounds.constLast(), QStringLiteral("placeoff"));
        QVERIFY(f.s().picked.isPicked()); // the picked king was not laid
        // Taking back needs neither the turn nor a picked card.
        f.model.clickPlace(1); // the king still picked
        QCOMPARE(f.s().place(1).slot, 0);
        f.feed(msg::nextPlayer(1, 5, true, 2));
        f.model.clickPlace(1);
        QVERIFY(f.s().place(1).isEmpty());
        QCOMPARE(f.s().handCount(), 6);
        // An empty place without a picked card: nothing.
        f.clearRecords();
        f.model.clickPlace(3);
        QVERIFY(f.sounds.isEmpty());
        f.model.clickPlace(0);
        f.model.clickPlace(4);
    }

    void placesNeedTheDraw()
    {
        Fixture f;
        myTurn(f);
        // Under the pick-up option no card can even be picked before the draw.
        f.model.clickCard(0, Qt::LeftButton);
        f.model.clickPlace(1);
        QVERIFY(f.s().place(1).isEmpty());
        f.model.clickCreate();
        QVERIFY(f.sent.isEmpty());
        // The click that did nothing says what comes first.
        QCOMPARE(f.s().status, QStringLiteral("Draw first: use the draw button or take the pile."));
    }

    void woopsWarning()
    {
        Fixture f;
        myTurn(f);
        f.feed(msg::newBook(1, 1, 1, 52, 1)); // the team already has Kings
        f.feed(msg::newBook(2, 2, 1, 5, 1));  // the other team's Fives do not count
        f.model.clickDraw();
        f.clearRecords();
        lay(f, 2, 1); // a wild first: no warning
        QVERIFY(f.boxes.isEmpty());
        lay(f, 0, 2); // a king while only a wild lies on the places: warns, and is laid
        QCOMPARE(f.boxes, QStringList{QStringLiteral("Woops, you already have that book!")});
        QCOMPARE(f.s().place(2).code, 13);
        lay(f, 1, 3); // a second natural king: no new warning
        QCOMPARE(f.boxes.size(), 1);
        f.model.clickClearBook();
        QCOMPARE(f.sounds.mid(f.sounds.size() - 3),
                 (QStringList{"clearbook", "clearbook", "clearbook"}));
        QCOMPARE(f.rowSlots(), (QList<int>{3, 4, 5, 2, 0, 1}));
        QCOMPARE(f.s().card(2)->left, 20 * 4 - 16);
        lay(f, 3, 1); // the joker: never warns
        lay(f, 4, 2); // a five: the team has no Fives
        QCOMPARE(f.boxes.size(), 1);
    }

    void createBook()
    {
        Fixture f;
        myTurn(f);
        f.model.clickDraw();
        f.clearRecords();
        lay(f, 0, 1);
        lay(f, 1, 3);
        f.model.clickCreate();
        QVERIFY(f.sent.isEmpty());
        QCOMPARE(f.s().status, QStringLiteral("Not a complete book"));
        QVERIFY(f.s().addHereVisible);
        f.model.clickPlace(2); // any place click hides the hint
        QVERIFY(!f.s().addHereVisible);
        lay(f, 5, 2);
        f.model.clickCreate();
        QCOMPARE(f.sent, QList<QByteArray>{msg::createBook(1, 0, 5, 1)});
        QCOMPARE(f.s().place(1).slot, 0); // the places keep their cards until the host answers
        // A refusal leaves them; an acceptance frees the cards and empties the places.
        f.feed(msg::noBook());
        QCOMPARE(f.s().status, QStringLiteral("This is not a valid book"));
        QCOMPARE(f.s().place(3).slot, 1);
        for (int slot : {0, 5, 1}) f.feed(msg::freeCard(slot));
        f.feed(msg::newBook(1, 1, 1, 13, 1));
        for (int i = 1; i <= 3; ++i) QVERIFY(f.s().place(i).isEmpty());
        QCOMPARE(f.s().handCount(), 3);
        QCOMPARE(f.s().cards.size(), 3);
        QCOMPARE(f.s().status, QStringLiteral("Ann created a Normal Kings book."));
        // Not the own turn: nothing happens at all.
        f.feed(msg::nextPlayer(1, 3, true, 2));
        f.clearRecords();
        f.model.clickCreate();
        QVERIFY(f.sent.isEmpty());
        QVERIFY(!f.s().addHereVisible);
    }

    void cardFreedWhileOnAPlaceLeavesNoGhost()
    {
        Fixture f;
        myTurn(f);
        f.model.clickDraw();
        lay(f, 4, 1);
        f.feed(msg::freeCard(4)); // the host took it (its book message is still to come)
        f.model.clickPlace(1);
        QVERIFY(f.s().place(1).isEmpty());
        QCOMPARE(f.rowSlots(), (QList<int>{0, 1, 2, 3, 5}));
        QVERIFY(!f.s().card(4));
    }

    void discard()
    {
        Fixture f;
        myTurn(f);
        f.model.clickDraw();
        lay(f, 1, 1);
        f.clearRecords();
        f.model.clickDiscard(); // nothing picked
        QVERIFY(f.sent.isEmpty());
        f.model.clickCard(4, Qt::LeftButton);
        f.model.clickDiscard();
        QCOMPARE(f.sent, QList<QByteArray>{msg::discard(1, 4)});
        QVERIFY(f.s().place(1).isEmpty()); // the places' cards went back first
        QCOMPARE(f.sounds, QStringList{QStringLiteral("clearbook")});
        QCOMPARE(f.s().turnSeat, 0);
        QVERIFY(!f.s().picked.isPicked());
        // No further action until the host answers.
        f.sent.clear();
        f.model.clickCard(0, Qt::LeftButton);
        QVERIFY(!f.s().picked.isPicked());
        f.model.clickCreate();
        f.model.clickDiscard();
        QVERIFY(f.sent.isEmpty());
        // A refused discard gives the turn back.
        f.feed(msg::invalidDiscard());
        QCOMPARE(f.s().turnSeat, 1);
        QCOMPARE(f.s().status, QStringLiteral("That is not a valid discard"));
        f.model.clickCard(0, Qt::LeftButton);
        f.model.clickDiscard();
        QCOMPARE(f.sent, QList<QByteArray>{msg::discard(1, 0)});
        f.feed(msg::freeCard(0));
        f.feed(msg::discardTop(13));
        QCOMPARE(f.s().discardCard, 13);
        QCOMPARE(f.rowSlots(), (QList<int>{2, 3, 4, 5, 1}));
    }

    void withoutPickUpOptionTheHandIsReadyAtOnce()
    {
        Fixture f;
        f.login(1);
        f.deal({5, 6});
        f.feed(msg::nextPlayer(0, 0, false, 1));
        QVERIFY(!f.s().drawVisible);
        f.sent.clear();
        f.model.clickCard(1, Qt::LeftButton);
        f.model.clickDiscard();
        QCOMPARE(f.sent, QList<QByteArray>{msg::discard(1, 1)});
    }
};

QTEST_GUILESS_MAIN(TestActions)
#include "test_actions.moc"
