// The hand row, picking, swapping and sorting, the turn display, and game and round changes.
#include "tablefixture.h"

using namespace tabletest;

class TestHand : public QObject {
    Q_OBJECT
private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void cardsArriveAndLeave()
    {
        Fixture f;
        f.login(2);
        f.clearRecords();
        f.feed(msg::newCard(2, 5, 30));
        f.feed(msg::newCard(2, 0, 44));
        f.feed(msg::newCard(1, 3, 12)); // another seat's card: ignored
        f.feed(msg::newCard(2, 7, 16));
        QCOMPARE(f.rowSlots(), (QList<int>{5, 0, 7}));
        QCOMPARE(f.rowLefts(), (QList<int>{6, 26, 46}));
        QCOMPARE(f.rowCodes(), (QList<int>{30, 44, 16}));
        for (const HandCard& c : f.s().handRow()) QCOMPARE(c.top, 218);
        QVERIFY(f.sounds.isEmpty()); // no pick-up option known yet: no "getcard"
        QCOMPARE(f.changes, 3);

        f.feed(msg::nextPlayer(0, 0, true, 1));
        f.clearRecords();
        f.feed(msg::newCard(2, 9, 25));
        QCOMPARE(f.sounds, QStringList{QStringLiteral("getcard")});

        f.feed(msg::freeCard(5)); // the first card leaves: the rest close the gap
        QCOMPARE(f.rowSlots(), (QList<int>{0, 7, 9}));
        QCOMPARE(f.rowLefts(), (QList<int>{6, 26, 46}));
        QVERIFY(!f.s().card(5));
        f.clearRecords();
        f.feed(msg::freeCard(5)); // gone already: nothing
        QCOMPARE(f.rowSlots(), (QList<int>{0, 7, 9}));
        QCOMPARE(f.s().handCount(), 3);

        // A slot that already shows a card, or a full row, is refused.
        expectDropped();
        f.feed(msg::newCard(2, 0, 3));
        QCOMPARE(f.s().card(0)->code, 44);
        for (int slot = 10; slot <= 20; ++slot) f.feed(msg::newCard(2, slot, 5));
        for (int slot : {1, 2, 3, 4, 5, 6}) f.feed(msg::newCard(2, slot, 5));
        QCOMPARE(f.s().handCount(), 20);
        QCOMPARE(f.rowLefts().constLast(), 386);
        expectDropped();
        f.feed(msg::newCard(2, 8, 6));
        QVERIFY(!f.s().card(8));
    }

    void pickingNeedsTheOwnTurnAndTheDraw()
    {
        Fixture f;
        f.login(1);
        f.deal({5, 6, 7, 8});
        f.model.clickCard(1, Qt::LeftButton); // not the own turn
        QVERIFY(!f.s().picked.isPicked());
        f.feed(msg::nextPlayer(0, 0, true, 1));
        f.model.clickCard(1, Qt::LeftButton); // not drawn yet
        QVERIFY(!f.s().picked.isPicked());
        f.model.clickDraw();
        f.model.clickCard(1, Qt::LeftButton);
        QCOMPARE(f.s().picked.slot, 1);
        QCOMPARE(f.s().picked.code, 6);
        QCOMPARE(f.s().card(1)->top, 212);
        // Without Manual Sort a second card takes over the selection.
        f.model.clickCard(3, Qt::LeftButton);
        QCOMPARE(f.s().picked.slot, 3);
        QCOMPARE(f.s().card(1)->top, 218);
        QCOMPARE(f.s().card(3)->top, 212);
        QCOMPARE(f.rowSlots(), (QList<int>{0, 1, 2, 3}));
        // Clicking the picked card lowers it.
        f.model.clickCard(3, Qt::LeftButton);
        QVERIFY(!f.s().picked.isPicked());
        QCOMPARE(f.s().card(3)->top, 218);
        // Other buttons and unknown cards do nothing.
        f.model.clickCard(2, Qt::MiddleButton);
        f.model.clickCard(17, Qt::LeftButton);
        QVERIFY(!f.s().picked.isPicked());
        // The next turn display clears the selection.
        f.model.clickCard(0, Qt::LeftButton);
        f.feed(msg::nextPlayer(1, 4, true, 2));
        QVERIFY(!f.s().picked.isPicked());
    }

    void manualSortSwapsTwoCards()
    {
        Fixture f;
        f.login(1);
        f.model.setManualSort(true);
        f.deal({5, 6, 7, 8, 9});
        f.ownTurnDrawn();
        f.model.clickCard(1, Qt::LeftButton);
        f.model.clickCard(4, Qt::LeftButton);
        QCOMPARE(f.rowSlots(), (QList<int>{0, 4, 2, 3, 1}));
        QCOMPARE(f.s().card(4)->left, 22);
        QCOMPARE(f.s().card(1)->left, 82);
        QCOMPARE(f.s().card(0)->left, 6);
        QVERIFY(!f.s().picked.isPicked());
        for (const HandCard& c : f.s().handRow()) QCOMPARE(c.top, 218);
        // The picked card clicked again is lowered, not swapped.
        f.model.clickCard(2, Qt::LeftButton);
        f.model.clickCard(2, Qt::LeftButton);
        QVERIFY(!f.s().picked.isPicked());
        QCOMPARE(f.rowSlots(), (QList<int>{0, 4, 2, 3, 1}));
    }

    void rightClickSorts()
    {
        Fixture f;
        f.login(3);
        // Three, ace, king, joker, four, two, queen, ace, four: not the own turn.
        f.deal({16, 27, 13, 54, 4, 41, 25, 14, 30});
        f.model.clickCard(0, Qt::RightButton);
        QCOMPARE(f.rowCodes(), (QList<int>{54, 41, 4, 30, 25, 13, 27, 14, 16}));
        // Equal keys keep their order: the joker before the two, the ace of diamonds first.
        QCOMPARE(f.rowSlots(), (QList<int>{3, 5, 4, 8, 6, 2, 1, 7, 0}));
        for (int p = 1; p <= 9; ++p) {
            const int left = f.s().card(f.s().slotAt(p))->left;
            QVERIFY2(left == 20 * p - 18 || left == 20 * p - 14, qPrintable(QString::number(p)));
        }
        QCOMPARE(f.s().card(0)->left, 20 * 9 - 18); // the three moved: sorted place
        // A sorted hand stays as it is.
        f.clearRecords();
        const QList<int> lefts = f.rowLefts();
        f.model.sortthem();
        QCOMPARE(f.rowLefts(), lefts);
    }

    void turnDisplay()
    {
        Fixture f;
        f.login(3, QStringLiteral("Cy"));
        f.seatOthers({"Ann", "Bob", "Cy", "Dee"});
        f.clearRecords();
        f.feed(msg::nextPlayer(0, 0, true, 1));
        QCOMPARE(f.s().turnText, QStringLiteral("Ann's turn."));
        QCOMPARE(f.s().turnMarkerSeat, 1);
        QVERIFY(!f.s().drawVisible && !f.s().pickupVisible);
        for (int s = 1; s <= 4; ++s) QCOMPARE(f.s().seat(s).cardsLeft, QString());
        f.feed(msg::discardTop(33));
        f.feed(msg::nextPlayer(2, 9, true, 3));
        QCOMPARE(f.s().seat(2).cardsLeft, QStringLiteral("9"));
        QCOMPARE(f.s().turnText, QStringLiteral("Your Turn."));
        QCOMPARE(f.s().turnSeat, 3);
        QVERIFY(f.s().drawVisible && f.s().pickupVisible);
        QVERIFY(f.s().greenArrowVisible && !f.s().blueArrowVisible);
        QVERIFY(f.sounds.contains(QStringLiteral("turn")));
        f.model.setTurnSound(1);
        f.clearRecords();
        f.feed(msg::nextPlayer(3, 12, false, 3)); // no pick-up option: the host draws
        QCOMPARE(f.sounds, QStringList{QStringLiteral("turnnew")});
        QVERIFY(!f.s().drawVisible && !f.s().pickupVisible);
        QVERIFY(!f.s().pickUpOption);
        f.feed(msg::nextPlayer(3, 10, true, 4));
        QCOMPARE(f.s().turnText, QStringLiteral("Dee's turn."));
        QVERIFY(!f.s().greenArrowVisible);

        Fixture blue;
        blue.login(2);
        blue.feed(msg::nextPlayer(0, 0, true, 2));
        QVERIFY(blue.s().blueArrowVisible && !blue.s().greenArrowVisible);
        QVERIFY(!blue.s().pickupVisible); // the pile is empty
        // The catch-up names seat 1 with 0 cards; turn seat 0 shows no name.
        blue.feed(msg::nextPlayer(1, 0, true, 0));
        QCOMPARE(blue.s().seat(1).cardsLeft, QStringLiteral("0"));
        QCOMPARE(blue.s().turnText, QString());
        expectDropped();
        blue.feed(msg::nextPlayer(1, 3, true, 5));
        QCOMPARE(blue.s().turnSeat, 0);
    }

    void gameStart()
    {
        Fixture f;
        f.login(2, QStringLiteral("Bob"));
        f.feed(msg::existingPlayers(1, "Ann"));
        f.feed(msg::noBots("5"));
        f.feed(msg::justWatching(2, 1));
        f.deal({5, 6});
        f.feed(msg::newBook(1, 1, 1, 13, 1));
        f.feed(msg::complete(1, 1, 1, 1, 13, 1));
        f.feed(msg::discardTop(7));
        f.feed(msg::useFoot(3));
        f.feed(msg::postScores(700, 500, 1, 3));
        QSignalSpy players(&f.model, &TableModel::playersChanged);
        QStringList listAtSignal;
        connect(&f.model, &TableModel::playersChanged,
                [&] { listAtSignal = f.model.otherSeatedPlayers(); });
        f.feed(msg::startGameAnnounce("Ann", "3", 2));
        QCOMPARE(players.count(), 1);
        // Taken before seat 4's "<Waiting>" turns into the computer's name.
        QCOMPARE(listAtSignal, (QStringList{"Ann", "Klick"}));
        QCOMPARE(f.model.otherSeatedPlayers(), (QStringList{"Ann", "Klick", "Kling"}));
        QCOMPARE(f.s().fullText, QStringLiteral("Play to 3000"));
        QCOMPARE(f.s().pickupText, QStringLiteral("Pick Up: 2"));
        QCOMPARE(f.lastLine(), QStringLiteral("Ann has started a game."));
        QVERIFY(!f.s().justWatch);
        QCOMPARE(f.s().teamStrip, 2);
        QCOMPARE(f.s().handCount(), 0);
        QVERIFY(f.s().cards.isEmpty());
        QVERIFY(f.s().team(1).working.isEmpty() && f.s().team(1).completed.isEmpty());
        QVERIFY(!f.s().team(1).badge.visible);
        QCOMPARE(f.s().discardTag, 0);
        const QStringList names{"Ann", "Bob", "Klick", "Kling"};
        for (int s = 1; s <= 4; ++s) {
            const SeatView& seat = f.s().seat(s);
            QCOMPARE(seat.name, names[s - 1]);
            QCOMPARE(seat.score, QStringLiteral("0"));
            QCOMPARE(seat.cardsLeft, QStringLiteral("11"));
            QVERIFY(seat.footVisible && !seat.eyesVisible && seat.scoreVisible);
            QCOMPARE(seat.eyesTag, 0);
        }
        for (const QByteArray& code : {QByteArray("f"), QByteArray("5"), QByteArray("r")}) {
            f.feed(msg::startGameAnnounce("Ann", code, 1));
            QCOMPARE(f.s().fullText, code == "f"   ? QStringLiteral("Play Full Game")
                                     : code == "5" ? QStringLiteral("Play to 5000")
                                                   : QStringLiteral("Play One Round"));
        }
    }

    void roundStartAndEnd()
    {
        Fixture f;
        f.login(1, QStringLiteral("Ann"), true);
        f.feed(msg::startGameAnnounce("Ann", "f", 1));
        f.deal({5, 6, 7});
        f.feed(msg::postScores(320, 20, 1, 3));
        f.feed(msg::useFoot(1));
        f.feed(msg::nextPlayer(0, 0, true, 2));
        f.feed(msg::complete(2, 2, 1, 1, 13, 1));
        f.feed(msg::roundWinner(2));
        QVERIFY(f.s().team(2).roundWinnerVisible);
        QCOMPARE(f.s().seat(2).cardsLeft, QStringLiteral("0"));
        QCOMPARE(f.lastLine(), QStringLiteral("The next round will start soon.."));
        QVERIFY(f.sounds.contains(QStringLiteral("winner")));

        f.feed(msg::startRound());
        QVERIFY(!f.s().team(2).roundWinnerVisible && !f.s().team(2).badge.visible);
        QCOMPARE(f.s().handCount(), 0);
        QVERIFY(f.s().team(2).completed.isEmpty());
        QCOMPARE(f.s().seat(1).score, QStringLiteral("320")); // scores carry over
        for (int s = 1; s <= 4; ++s) {
            QVERIFY(f.s().seat(s).footVisible);
            QCOMPARE(f.s().seat(s).cardsLeft, QStringLiteral("11"));
        }
        // The deck ran out.
        f.feed(msg::roundWinner(0));
        QCOMPARE(f.s().status, QStringLiteral("The deck is out of cards. Round Over"));
        QVERIFY(!f.s().team(1).roundWinnerVisible && !f.s().team(2).roundWinnerVisible);
    }

    void gameEnd()
    {
        Fixture f;
        f.login(1, QStringLiteral("Ann"), true);
        f.feed(msg::startGameAnnounce("Ann", "r", 1));
        QVERIFY(!f.s().startVisible);
        QSignalSpy won(&f.model, &TableModel::gameWon);
        f.feed(msg::winner(1, "Ann and Klick"));
        QVERIFY(f.s().team(1).winnerVisible);
        QCOMPARE(f.lastLine(), QStringLiteral("Ann and Klick have Won the Game!"));
        QCOMPARE(won.count(), 1);
        QCOMPARE(won.at(0).at(0).toString(), QStringLiteral("Ann and Klick"));
        QVERIFY(f.s().startVisible); // the host may start the next game
        QCOMPARE(f.s().seat(1).cardsLeft, QStringLiteral("0")); // no turn: the own seat

        Fixture g;
        g.login(2);
        g.feed(msg::winner(0, "No One"));
        QCOMPARE(g.lastLine(), QStringLiteral("The Game Ended in a Tie"));
        QVERIFY(!g.s().team(1).winnerVisible && !g.s().team(2).winnerVisible);
        QVERIFY(!g.s().startVisible);
        Fixture spy; // a spectator has no cards-left label of its own
        spy.login(7);
        spy.feed(msg::winner(2, "Bob and Dee"));
        QVERIFY(spy.s().team(2).winnerVisible);
    }

    void startingAGame()
    {
        Fixture f;
        f.model.setPlayerName(QStringLiteral("A+nn"));
        f.model.setHosting(true);
        QVERIFY(f.s().startVisible && f.s().startMenuEnabled);
        QSignalSpy dialog(&f.model, &TableModel::startDialogRequested);
        f.model.clickStart();
        QVERIFY(!f.s().startVisible);
        QCOMPARE(dialog.count(), 1);
        QVERIFY(!f.model.startGame(GameOptions{}));
        QCOMPARE(f.boxes, QStringList{QStringLiteral("You are not connected")});
        QVERIFY(f.sent.isEmpty());

        f.feed(msg::sendLoginInfo(1));
        f.sent.clear();
        GameOptions o;
        o.lengthCode = QStringLiteral("r");
        o.twoPlayer = true;
        o.pickUp = false;
        o.pickUpCount = 3;
        QVERIFY(f.model.startGame(o));
        // A "+" in the starter's name would shift the fields after it.
        QCOMPARE(f.sent, QList<QByteArray>{msg::startGame("A nn", "r", true, false, 3)});
        f.sent.clear();
        QVERIFY(f.model.startGame(GameOptions{}));
        QCOMPARE(f.sent, QList<QByteArray>{msg::startGame("A nn", "f", false, true, 1)});

        Fixture joiner;
        joiner.model.setHosting(false);
        QVERIFY(!joiner.s().startVisible && !joiner.s().startMenuEnabled);
    }
};

QTEST_GUILESS_MAIN(TestHand)
#include "test_hand.moc"
