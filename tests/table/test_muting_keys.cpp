// Muting a participant in this window, and playing a turn with the keyboard.
#include "tablefixture.h"

using namespace tabletest;

class TestMutingKeys : public QObject {
    Q_OBJECT
private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void mutedParticipantsAreNotHeard()
    {
        Fixture f;
        f.login(1);
        f.seatOthers({QStringLiteral("Ann"), QStringLiteral("Bob"), QStringLiteral("Cy")});
        f.feed(msg::newPlayerInfo(6, "Spy"));
        f.model.setChatterSounds(true);
        QSignalSpy chatter(&f.model, &TableModel::playChatterSound);
        QCOMPARE(f.model.participantName(2), QStringLiteral("Bob"));
        QCOMPARE(f.model.participantName(6), QStringLiteral("Spy"));
        QCOMPARE(f.model.participantName(4), QString()); // an empty seat
        QCOMPARE(f.model.participantName(7), QString());

        f.model.setMuted(QStringLiteral("Bob"), true);
        f.model.setMuted(QStringLiteral("Spy"), true);
        QCOMPARE(f.lastLine(), QStringLiteral("You are ignoring Spy in this window."));
        QCOMPARE(f.model.mutedNames(), (QStringList{QStringLiteral("Bob"), QStringLiteral("Spy")}));
        const int lines = f.model.chat().lines().size();
        f.feed(msg::chatRelay(2, "Bob chats: buy my stuff|clBlack"));
        f.feed(msg::actionRelay(2, "Bob says: Good One!|clBlack"));
        f.feed(msg::chatRelay(6, "Spy chats: hello|clBlack"));
        f.feed(msg::playASoundRelay(2, "wave14+"));
        QCOMPARE(f.model.chat().lines().size(), lines);
        QCOMPARE(chatter.count(), 0);
        // The others are still heard, and Bob's moves still show.
        f.feed(msg::chatRelay(3, "Cy chats: hi|clBlack"));
        f.feed(msg::playASoundRelay(3, "wave1+"));
        QCOMPARE(f.lastLine(), QStringLiteral("Cy chats:  hi"));
        QCOMPARE(chatter.count(), 1);
        f.feed(msg::startGameAnnounce("Ann", "r", 1));
        f.feed(msg::newBook(2, 2, 1, 9, 1));
        QCOMPARE(f.s().status, QStringLiteral("Bob created a Normal Nines book."));

        // The mute follows the name: Bob leaves and comes back on another seat, still muted.
        f.feed(msg::playerDisconnected(2, "Bob"));
        f.feed(msg::newPlayerInfo(4, "Bob"));
        const int before = f.model.chat().lines().size();
        f.feed(msg::chatRelay(4, "Bob chats: it's me again|clBlack"));
        QCOMPARE(f.model.chat().lines().size(), before);

        // Unmuting hears him again; the own name cannot be muted.
        f.model.setMuted(QStringLiteral("Bob"), false);
        QCOMPARE(f.lastLine(), QStringLiteral("You are no longer ignoring Bob."));
        f.feed(msg::chatRelay(4, "Bob chats: thanks|clBlack"));
        QCOMPARE(f.lastLine(), QStringLiteral("Bob chats:  thanks"));
        f.model.setMuted(QStringLiteral("Ann"), true);
        f.model.setMuted(QString(), true);
        QCOMPARE(f.model.mutedNames(), QStringList{QStringLiteral("Spy")});
    }

    void aTurnWithTheKeyboard()
    {
        Fixture f;
        f.login(1);
        f.model.setManualSort(true);
        f.feed(msg::startGameAnnounce("Ann", "r", 1));
        f.deal({13, 26, 39, 5, 6});
        // Before the draw the cursor moves but nothing can be picked.
        f.feed(msg::nextPlayer(0, 0, true, 1));
        QCOMPARE(f.model.keyCursorSlot(), -1);
        f.model.moveKeyCursor(+1);
        QCOMPARE(f.model.keyCursorSlot(), 0); // the first key shows the cursor at the first card
        f.model.moveKeyCursor(+1);
        f.model.moveKeyCursor(+1);
        QCOMPARE(f.model.keyCursorSlot(), 2);
        f.model.keyPick();
        QVERIFY(!f.s().picked.isPicked());
        f.model.clickDraw();
        f.feed(msg::newCard(1, 5, 7));
        f.feed(msg::newCard(1, 6, 8));

        // Space picks at the cursor; with Manual Sort, Right carries the picked card along.
        f.model.keyPick();
        QCOMPARE(f.s().picked.slot, 2);
        f.model.moveKeyCursor(+1);
        QCOMPARE(f.rowSlots(), (QList<int>{0, 1, 3, 2, 4, 5, 6}));
        QCOMPARE(f.s().picked.slot, 2);
        QVERIFY(f.s().card(2)->raised());
        QCOMPARE(f.rowLefts().at(3), 20 * 4 - 18);
        f.model.moveKeyCursor(-1);
        f.model.moveKeyCursor(-1);
        f.model.moveKeyCursor(-1);
        f.model.moveKeyCursor(-1); // the row's start stops it
        QCOMPARE(f.rowSlots(), (QList<int>{2, 0, 1, 3, 4, 5, 6}));
        // Space lowers it; the cursor then moves alone.
        f.model.keyPick();
        QVERIFY(!f.s().picked.isPicked());
        f.model.moveKeyCursor(+1);
        QCOMPARE(f.model.keyCursorSlot(), 0);

        // Without Manual Sort the pick itself moves.
        f.model.setManualSort(false);
        f.model.keyPick();
        QCOMPARE(f.s().picked.slot, 0);
        f.model.moveKeyCursor(+1);
        QCOMPARE(f.s().picked.slot, 1);
        QVERIFY(!f.s().card(0)->raised());
        QVERIFY(f.s().card(1)->raised());
        QCOMPARE(f.rowSlots(), (QList<int>{2, 0, 1, 3, 4, 5, 6}));

        // A mouse click moves the cursor to the clicked card; laying it on a place leaves the
        // cursor at its place in the row, on the card that moved up, and Space picks that one.
        f.model.clickCard(1, Qt::LeftButton); // lowers 1
        f.model.clickCard(4, Qt::LeftButton);
        QCOMPARE(f.model.keyCursorSlot(), 4);
        f.model.clickPlace(1);
        QCOMPARE(f.s().place(1).slot, 4);
        QCOMPARE(f.model.keyCursorSlot(), 5);
        f.model.keyPick();
        QCOMPARE(f.s().picked.slot, 5);
        f.model.keyPick();
        f.model.moveKeyCursor(-1);
        QCOMPARE(f.model.keyCursorSlot(), 3);
    }

    void keysWithoutAHandDoNothing()
    {
        Fixture f;
        f.login(5, QStringLiteral("Spy"));
        f.clearRecords();
        f.model.moveKeyCursor(+1);
        f.model.keyPick();
        QCOMPARE(f.model.keyCursorSlot(), -1);
        QCOMPARE(f.changes, 0);
        QVERIFY(f.sent.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMutingKeys)
#include "test_muting_keys.moc"
