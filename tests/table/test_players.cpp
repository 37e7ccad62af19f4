// Login, arrivals and departures, just-watch, game options, the seat popup and kicking, and the
// handling of malformed host messages.
#include "tablefixture.h"

using namespace tabletest;

class TestPlayers : public QObject {
    Q_OBJECT
private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void loginAndOwnArrival()
    {
        Fixture f;
        QSignalSpy own(&f.model, &TableModel::ownLogin);
        QSignalSpy players(&f.model, &TableModel::playersChanged);
        f.model.setPlayerName(QStringLiteral("Ann"));
        f.feed(msg::sendLoginInfo(3));
        QCOMPARE(f.s().own, 3);
        QVERIFY(f.s().loggedIn);
        QCOMPARE(f.sent, QList<QByteArray>{msg::loginInfo(3, "1.0.11", "Ann")});
        QVERIFY(f.sent[0].endsWith("Ann\xff\xff"));
        f.feed(msg::newPlayerInfo(3, "Ann"));
        QCOMPARE(f.lastLine(), QStringLiteral("You are Connected."));
        QCOMPARE(own.count(), 1);
        QCOMPARE(players.count(), 1);
        QCOMPARE(f.sounds, QStringList{QStringLiteral("entered")});
        QCOMPARE(f.s().ownTeam, 1);
        QCOMPARE(f.s().seat(3).name, QStringLiteral("Ann"));
        // The others, as the host announces them to a newcomer.
        f.feed(msg::existingPlayers(1, "Host"));
        f.feed(msg::existingPlayers(2, "Bo+b")); // a name is free text to the end
        QCOMPARE(f.s().seat(1).name, QStringLiteral("Host"));
        QCOMPARE(f.s().seat(2).name, QStringLiteral("Bo+b"));
        QCOMPARE(f.s().seat(4).name, QStringLiteral("<Waiting>"));
        QCOMPARE(f.lastLine(), QStringLiteral("Bo+b is Connected."));
        QCOMPARE(own.count(), 1);
        QCOMPARE(players.count(), 3);
        QCOMPARE(f.model.otherSeatedPlayers(), (QStringList{"Host", "Bo+b"}));
        // Seat 2 and 4 are the blue team.
        Fixture g;
        g.login(4, QStringLiteral("Dee"));
        QCOMPARE(g.s().ownTeam, 2);
    }

    void namesTravelInWindows1252()
    {
        Fixture f;
        f.login(2, QStringLiteral("Zoë"));
        QCOMPARE(f.sent.first(), msg::loginInfo(2, "1.0.11", "Zo\xEB"));
        f.feed(msg::newPlayerInfo(1, "J\xFCrgen"));
        QCOMPARE(f.s().seat(1).name, QStringLiteral("Jürgen"));
    }

    void spectatorIsSpying()
    {
        Fixture f;
        f.login(6, QStringLiteral("Ann"));
        QCOMPARE(f.chatTexts(), (QStringList{"You are Connected.", "You are spying."}));
        QCOMPARE(f.s().spectators, QStringList{QStringLiteral("6: Ann")});
        QCOMPARE(f.s().ownTeam, 0);
        for (int s = 1; s <= 4; ++s) QCOMPARE(f.s().seat(s).name, QStringLiteral("<Waiting>"));
        f.feed(msg::newPlayerInfo(7, "Cy"));
        QCOMPARE(f.chatTexts().mid(2), (QStringList{"Cy is Connected.", "Cy is spying."}));
        QCOMPARE(f.s().spectators, (QStringList{"6: Ann", "7: Cy"}));
        QVERIFY(f.s().isSpectator());
    }

    void spectatorFollowsTheTable()
    {
        Fixture f;
        f.login(6, QStringLiteral("Ann"));
        f.seatOthers({"Hal", "Bob", "Cy", "Di"});
        const QStringList before = f.chatTexts();
        // Arrivals without a name (a number no longer in use) are not shown.
        f.feed(msg::existingPlayers(8, ""));
        f.feed(msg::existingPlayers(4, ""));
        QCOMPARE(f.chatTexts(), before);
        QCOMPARE(f.s().spectators, QStringList{QStringLiteral("6: Ann")});
        QCOMPARE(f.s().seat(4).name, QStringLiteral("Di"));
        // Every turn moves the marker and the counts, and is never the spectator's own.
        f.clearRecords();
        f.feed(msg::nextPlayer(2, 9, true, 3));
        QCOMPARE(f.s().seat(2).cardsLeft, QStringLiteral("9"));
        QCOMPARE(f.s().turnMarkerSeat, 3);
        QCOMPARE(f.s().turnText, QStringLiteral("Cy's turn."));
        QVERIFY(!f.s().drawVisible && f.sounds.isEmpty());
        // A notice of the host itself.
        f.feed(msg::chatRelay(0, "Cy has made no move for 120 seconds|clBlue"));
        QCOMPARE(f.lastLine(), QStringLiteral("Cy has made no move for 120 seconds"));
    }

    void rejoinAfterALostConnection()
    {
        Fixture f;
        f.login(3, QStringLiteral("Ann"));
        f.seatOthers({"Hal", "Bob", "Ann", "Di"});
        f.feed(msg::startGameAnnounce("Hal", "5", 1));
        f.deal({5, 6, 7});
        f.feed(msg::newBook(1, 1, 1, 9, 1));
        QSignalSpy own(&f.model, &TableModel::ownLogin);
        QSignalSpy back(&f.model, &TableModel::rejoined);
        // Connected again: the table is kept until the host numbers the connection.
        f.model.expectRejoin();
        QCOMPARE(f.s().handCount(), 3);
        f.feed(msg::sendLoginInfo(6));
        QCOMPARE(f.sent.last(), msg::loginInfo(6, "1.0.11", "Ann"));
        QCOMPARE(f.s().handCount(), 0);
        QVERIFY(f.s().team(1).working.isEmpty());
        QCOMPARE(f.s().seat(1).name, QStringLiteral("<Waiting>"));
        QVERIFY(f.chatTexts().contains("Hal has started a game.")); // the chat stays
        // The host gives the held seat back under another number.
        f.feed(msg::sendLoginInfo(3));
        f.feed(msg::newPlayerInfo(3, "Ann"));
        QCOMPARE(f.lastLine(), QStringLiteral("Reconnected to the host. The game goes on."));
        QCOMPARE(f.s().own, 3);
        QCOMPARE(f.s().ownTeam, 1);
        QCOMPARE(back.count(), 1);
        QCOMPARE(own.count(), 0); // the settings are not read again
        f.feed(msg::newCard(3, 0, 12));
        QCOMPARE(f.s().handCount(), 1);
    }

    void departures()
    {
        Fixture f;
        f.login(2, QStringLiteral("Ann"), true);
        f.feed(msg::newPlayerInfo(1, "Hal"));
        f.feed(msg::newPlayerInfo(3, "Bob"));
        f.feed(msg::newPlayerInfo(7, "Cy"));
        f.feed(msg::justWatching(3, 1));
        QVERIFY(f.s().seat(3).eyesVisible);
        QSignalSpy players(&f.model, &TableModel::playersChanged);
        f.feed(msg::playerDisconnected(3, "Bob"));
        QCOMPARE(f.lastLine(), QStringLiteral("Bob disconnected."));
        QCOMPARE(f.s().seat(3).name, QStringLiteral("Klick"));
        QVERIFY(!f.s().seat(3).eyesVisible);
        QCOMPARE(players.count(), 1);
        f.feed(msg::playerDisconnected(7, "Cy"));
        QCOMPARE(f.lastLine(), QStringLiteral("Cy has left."));
        QCOMPARE(f.styleColor(0), 0x800000u); // navy
        QVERIFY(f.s().spectators.isEmpty());
        // A spectator entry that is not listed writes nothing.
        const int lines = f.model.chat().lines().size();
        f.feed(msg::playerDisconnected(8, "Nobody"));
        QCOMPARE(f.model.chat().lines().size(), lines);
        // Seat 1's label has no computer name: it becomes empty.
        f.feed(msg::playerDisconnected(1, "Hal"));
        QCOMPARE(f.s().seat(1).name, QString());
        // The own departure is news only when the host removes this participant.
        const int before = f.model.chat().lines().size();
        f.feed(msg::playerDisconnected(2, "Ann"));
        QVERIFY(f.s().removed);
        QCOMPARE(f.model.chat().lines().size(), before);
    }

    void justWatchChanges()
    {
        Fixture f;
        f.login(2, QStringLiteral("Ann"));
        f.feed(msg::discardTop(20));
        f.feed(msg::nextPlayer(0, 0, true, 2));
        QVERIFY(f.s().drawVisible && f.s().pickupVisible);
        f.feed(msg::justWatching(2, 1));
        QVERIFY(f.s().justWatch);
        QVERIFY(!f.s().drawVisible && !f.s().pickupVisible);
        QVERIFY(f.s().seat(2).eyesVisible);
        QCOMPARE(f.lastLine(), QStringLiteral("Ann is just watching"));
        // While watching, the own turn offers no draw.
        f.feed(msg::nextPlayer(1, 11, true, 2));
        QVERIFY(!f.s().drawVisible);
        QCOMPARE(f.s().turnText, QStringLiteral("Your Turn."));
        f.feed(msg::justWatching(2, 2));
        QVERIFY(!f.s().justWatch);
        QVERIFY(!f.s().seat(2).eyesVisible);
        QCOMPARE(f.lastLine(), QStringLiteral("Ann now playing again"));
        // Another seat: no check mark.
        f.feed(msg::justWatching(4, 1));
        QVERIFY(!f.s().justWatch);
        QVERIFY(f.s().seat(4).eyesVisible);
        // Seat 5 is a spectator: ignored.
        const int lines = f.model.chat().lines().size();
        f.feed(msg::justWatching(5, 1));
        QCOMPARE(f.model.chat().lines().size(), lines);

        // In a game, the own seat set to watching unasked (a hung turn the computer took over)
        // offers "I'm Back", which asks to play again; watching the player asked for does not.
        f.feed(msg::startGameAnnounce("Hal", "5", 1));
        QVERIFY(f.model.gameRunning());
        f.feed(msg::justWatching(2, 1));
        QVERIFY(f.s().takenOver);
        f.sent.clear();
        f.model.imBack();
        QCOMPARE(f.sent, QList<QByteArray>{msg::justWatch(2, 2)});
        f.feed(msg::justWatching(2, 2));
        QVERIFY(!f.s().takenOver);
        f.model.toggleJustWatch();
        f.feed(msg::justWatching(2, 1));
        QVERIFY(f.s().justWatch && !f.s().takenOver);
    }

    void twoPlayerGameAndOptions()
    {
        Fixture f;
        f.login(1);
        f.feed(msg::noBots("5"));
        QCOMPARE(f.s().fullText, QStringLiteral("Play to 5000"));
        QCOMPARE(f.lastLine(), QStringLiteral("The Bots are just watching"));
        for (int s = 3; s <= 4; ++s) {
            QVERIFY(!f.s().seat(s).scoreVisible);
            QVERIFY(f.s().seat(s).eyesVisible);
            QCOMPARE(f.s().seat(s).eyesTag, 1);
        }
        QVERIFY(f.s().seat(1).scoreVisible);
        // The marker of a two-player game stays when the seat is vacated.
        f.feed(msg::newPlayerInfo(3, "Bob"));
        f.feed(msg::playerDisconnected(3, "Bob"));
        QVERIFY(f.s().seat(3).eyesVisible);
        // The catch-up form has no field: the game length stays.
        f.feed(msg::noBots("3"));
        QCOMPARE(f.s().fullText, QStringLiteral("Play to 3000"));
        f.feed(msg::noBotsCatchUp());
        QCOMPARE(f.s().fullText, QStringLiteral("Play to 3000"));
        f.feed(msg::noBots("r"));
        QCOMPARE(f.s().fullText, QStringLiteral("Play to 3000"));

        const QList<QPair<QByteArray, QString>> lengths{{"f", "Play Full Game"},
                                                        {"5", "Play to 5000"},
                                                        {"3", "Play to 3000"},
                                                        {"r", "Play One Round"},
                                                        {"x", "Play One Round"}};
        f.model.setHosting(true); // a resumed game: the host user's rights, then the catch-up
        for (const auto& [code, text] : lengths) {
            f.feed(msg::loadStats(code, 4));
            QVERIFY(!f.s().startVisible);
            QCOMPARE(f.s().fullText, text);
            QCOMPARE(f.s().pickupText, QStringLiteral("Pick Up: 4"));
        }
    }

    void versionNoticesAndFullTable()
    {
        Fixture f;
        f.login(1);
        f.feed(msg::haveWrongVersion("Bob"));
        QCOMPARE(f.lastLine(), QStringLiteral("Bob has a different version of the game then you."));
        f.feed(msg::wrongVersion());
        QCOMPARE(f.lastLine(),
                 QStringLiteral("You have a different version of the game then the host."));
        QCOMPARE(f.styleColor(0), 0xFF0000u);
        QSignalSpy close(&f.model, &TableModel::closeRequested);
        f.feed(msg::full());
        QCOMPARE(f.boxes, QStringList{QStringLiteral("Game is full")});
        QCOMPARE(close.count(), 1);
    }

    void seatPopupRules()
    {
        Fixture guest;
        guest.login(2);
        guest.feed(msg::existingPlayers(1, "Host"));
        const SeatPopup none = guest.model.seatPopup(1);
        QVERIFY(!none.removeFromGame && !none.setJustWatch && !none.unsetJustWatch);

        Fixture host;
        host.login(1, QStringLiteral("Host"), true);
        host.feed(msg::newPlayerInfo(2, "Bob"));
        const SeatPopup onBob = host.model.seatPopup(2);
        QVERIFY(onBob.removeFromGame && onBob.setJustWatch && onBob.unsetJustWatch);
        const SeatPopup onWaiting = host.model.seatPopup(3);
        QVERIFY(!onWaiting.removeFromGame && onWaiting.setJustWatch && onWaiting.unsetJustWatch);
        QVERIFY(!host.model.seatPopup(0).setJustWatch);
        QVERIFY(!host.model.seatPopup(5).setJustWatch);
    }

    void kickingAndJustWatchRequests()
    {
        Fixture host;
        host.login(1, QStringLiteral("Host"), true);
        host.sent.clear();
        host.model.kicking(6);
        host.model.setJustWatchFor(3);
        host.model.unsetJustWatchFor(3);
        host.model.setJustWatchFor(5); // not a seat
        QCOMPARE(host.sent, (QList<QByteArray>{msg::kickHim(1, 6), msg::justWatch(3, 1),
                                               msg::justWatch(3, 2)}));
        // "Just Watch" twice before the host answers asks twice; the answer flips the request.
        host.sent.clear();
        host.model.toggleJustWatch();
        host.model.toggleJustWatch();
        host.feed(msg::justWatching(1, 1));
        host.model.toggleJustWatch();
        QCOMPARE(host.sent, (QList<QByteArray>{msg::justWatch(1, 1), msg::justWatch(1, 1),
                                               msg::justWatch(1, 2)}));

        Fixture guest;
        guest.login(2);
        guest.sent.clear();
        guest.model.kicking(3); // only the host removes participants
        QVERIFY(guest.sent.isEmpty());

        Fixture spectator;
        spectator.login(6);
        spectator.sent.clear();
        spectator.model.toggleJustWatch();
        QVERIFY(spectator.sent.isEmpty());

        Fixture offline; // not logged in: nothing is sent
        offline.model.setHosting(true);
        offline.model.kicking(2);
        offline.model.setJustWatchFor(2);
        offline.model.toggleJustWatch();
        QVERIFY(offline.sent.isEmpty());
    }

    void malformedMessagesAreDroppedWithALogLine_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("login not a number") << QByteArray("CMD_sendlogininfo+x1");
        QTest::newRow("login missing") << QByteArray("CMD_sendlogininfo+");
        QTest::newRow("login out of range") << QByteArray("CMD_sendlogininfo+10");
        QTest::newRow("arrival 0") << msg::newPlayerInfo(0, "Ghost");
        QTest::newRow("arrival 12") << msg::newPlayerInfo(12, "Ghost");
        QTest::newRow("arrival text") << QByteArray("CMD_existingplayers+two+Ghost");
        QTest::newRow("departure -1") << msg::playerDisconnected(-1, "Ghost");
        QTest::newRow("watch seat 0") << msg::justWatching(0, 1);
        QTest::newRow("watch without state") << QByteArray("CMD_justwatching+2");
        QTest::newRow("stats count") << QByteArray("CMD_loadstats+f+many+");
        QTest::newRow("stats missing") << QByteArray("CMD_loadstats+");
        QTest::newRow("huge number") << QByteArray("CMD_sendlogininfo+99999999999");
    }

    void malformedMessagesAreDroppedWithALogLine()
    {
        QFETCH(QByteArray, message);
        Fixture f;
        f.model.setPlayerName(QStringLiteral("Ann"));
        f.clearRecords();
        const QString before = f.s().fullText;
        expectDropped();
        f.feed(message);
        QCOMPARE(f.changes, 0);
        QVERIFY(f.sent.isEmpty());
        QVERIFY(f.boxes.isEmpty());
        QVERIFY(f.model.chat().lines().isEmpty());
        QCOMPARE(f.s().own, 0);
        QVERIFY(f.s().spectators.isEmpty());
        QCOMPARE(f.s().fullText, before);
        for (int s = 1; s <= 4; ++s) QVERIFY(!f.s().seat(s).eyesVisible);
    }

    void unknownAndEmptyMessagesDoNothing()
    {
        Fixture f;
        f.login(1);
        f.clearRecords();
        const int lines = f.model.chat().lines().size();
        for (const QByteArray& m :
             {QByteArray("cmd_chat+1+x chats: hi|clBlack"), QByteArray("CMD_nosuch+1"),
              QByteArray(), QByteArray("CMD_full"), QByteArray("\xff"), QByteArray("+1+2")})
            f.feed(m);
        QCOMPARE(f.changes, 0);
        QVERIFY(f.boxes.isEmpty());
        QCOMPARE(f.model.chat().lines().size(), lines);
    }

    void changedOncePerHandledMessage()
    {
        Fixture f;
        f.login(1);
        f.clearRecords();
        f.feed(msg::newPlayerInfo(2, "Bob"));
        QCOMPARE(f.changes, 1);
        f.feed(msg::postScores(120, 10, 1, 3));
        QCOMPARE(f.changes, 2);
        // A message given without its terminator works the same.
        QByteArray bare = msg::useFoot(2);
        bare.chop(1);
        f.feed(bare);
        QCOMPARE(f.changes, 3);
        QVERIFY(!f.s().seat(2).footVisible);
    }
};

QTEST_GUILESS_MAIN(TestPlayers)
#include "test_players.moc"
