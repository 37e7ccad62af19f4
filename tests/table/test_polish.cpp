// What a player stumbled over at the table: the turn shown after the game, the own count during
// the own turn, the solo player's English, clicks that did nothing, and a blind pick-up.
#include "tablefixture.h"

using namespace tabletest;

class TestPolish : public QObject
{
    Q_OBJECT
private slots:
    void theTurnAndTheCountsFollowTheGame()
    {
        Fixture f;
        f.login(1, QStringLiteral("Ann"), true);
        f.seatOthers({"Ann", "Bob", "Cy", "Di"});
        f.feed(msg::startGameAnnounce("Ann", "5", 3));
        QCOMPARE(f.model.roundNumber(), 1);
        f.deal({5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17});
        f.feed(msg::nextPlayer(0, 0, true, 1));
        QCOMPARE(f.s().seat(1).cardsLeft, QStringLiteral("11"));
        // Before the draw, a click on a card or the pile says what comes first.
        f.model.clickCard(0, Qt::LeftButton);
        QCOMPARE(f.s().status, QStringLiteral("Draw first: use the draw button or take the pile."));
        f.model.clickDraw();
        f.feed(msg::newCard(1, 11, 20));
        f.feed(msg::newCard(1, 12, 21));
        // The own count follows the hand during the own turn.
        QCOMPARE(f.s().seat(1).cardsLeft, QStringLiteral("13"));
        f.feed(msg::freeCard(0));
        QCOMPARE(f.s().seat(1).cardsLeft, QStringLiteral("12"));
        // The other team's book says it is theirs.
        f.feed(msg::newBook(2, 2, 1, 9, 1));
        f.model.clickBook(2, 1);
        QCOMPARE(f.s().status, QStringLiteral("That book belongs to the other team."));

        // After the game no turn is shown, and a new game starts without the last status.
        f.feed(msg::winner(2, "Bob and Di"));
        QCOMPARE(f.s().turnText, QString());
        QVERIFY(!f.s().greenArrowVisible && !f.s().turnMarkerVisible && !f.s().drawVisible);
        QCOMPARE(f.model.roundNumber(), 0);
        f.feed(msg::startGameAnnounce("Ann", "r", 1));
        QCOMPARE(f.s().status, QString());
    }

    void theSoloPlayerReadsEnglish()
    {
        Fixture f;
        f.model.setSolo(true);
        f.login(1, QStringLiteral("You"), true);
        f.feed(msg::startGameAnnounce("You", "r", 1));
        f.feed(msg::chatRelay(1, "You chats: hi|clBlack"));
        f.feed(msg::actionRelay(1, "You says: Good One!|clBlack"));
        f.feed(msg::justWatching(1, 1));
        f.feed(msg::chatRelay(2, "Klot chats: hello|clBlack"));
        QCOMPARE(f.chatTexts().mid(f.chatTexts().size() - 5),
                 (QStringList{"You have started a game.", "You chat:  hi", "You say:  Good One!",
                              "You are just watching", "Klot chats:  hello"}));
        // At a networked table the texts stay as they are, whatever the name.
        Fixture g;
        g.login(2, QStringLiteral("You"));
        g.feed(msg::startGameAnnounce("You", "r", 1));
        QCOMPARE(g.lastLine(), QStringLiteral("You has started a game."));
    }

    void aPickUpIsNotBlind()
    {
        Fixture f;
        f.login(1, QStringLiteral("Ann"), true);
        f.seatOthers({"Ann", "Bob", "Cy", "Di"});
        f.feed(msg::startGameAnnounce("Ann", "f", 3));
        f.deal({5, 6, 7});
        // Bob discards a seven, Cy a four, Di a king: the pile as the window follows it.
        const QList<std::pair<int, int>> discards{{2, 7}, {3, 4}, {4, 13}};
        f.feed(msg::nextPlayer(0, 0, true, 2));
        for (const auto& [seat, card] : discards) {
            f.feed(msg::discardTop(card));
            f.feed(msg::nextPlayer(seat, 11, true, seat % 4 + 1));
        }
        QVERIFY(f.model.pickUpPreviewShown());
        QCOMPARE(f.model.pileTracker().pickUpPreview(), (QList<int>{13, 4, 7}));
        // Ann takes the pile: the status says what came.
        f.model.clickPickup();
        for (int i = 0; i < 3; ++i) f.feed(msg::newCard(1, 3 + i, QList<int>{13, 4, 7}[i]));
        f.feed(msg::discardTop(0));
        QCOMPARE(f.s().status, QStringLiteral("You took the pile: king of clubs and 2 more."));
        QVERIFY(!f.model.pickUpPreviewShown());
        // Another seat's pick-up is told as soon as the turn shows it, before what it made possible.
        f.feed(msg::discardTop(20));
        f.feed(msg::nextPlayer(1, 5, true, 2));
        f.feed(msg::discardTop(0)); // Bob takes the pile, the seven of diamonds alone
        f.feed(msg::discardTop(46));
        f.feed(msg::nextPlayer(2, 12, true, 3));
        QStringList log;
        for (const GameLogEntry& e : f.model.gameLog().entries()) log << e.text;
        QCOMPARE(log.mid(log.size() - 3), (QStringList{"You discarded the 7 of diamonds.", "Bob took the pile: 7 of diamonds.",
                                                       "Bob discarded the 7 of hearts."}));
        QCOMPARE(f.s().discardedBy, 2);

        // A window that joined during the round knows the top only, and says so.
        Fixture late;
        late.login(5, QStringLiteral("Eve"));
        late.feed(msg::loadStats("f", 3));
        late.feed(msg::discardTop(30));
        QCOMPARE(late.model.pileTracker().pickUpPreview(), QList<int>{30});
        QCOMPARE(late.model.pileTracker().pickUpUnknown(), 2);
    }
};

QTEST_APPLESS_MAIN(TestPolish)
#include "test_polish.moc"
