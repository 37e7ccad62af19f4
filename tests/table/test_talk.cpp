// Chat and action lines from the host, the chat entry, quick phrases with their cool-down, and
// chatter sounds.
#include "protocol/colortext.h"
#include "tablefixture.h"

using namespace tabletest;

class TestTalk : public QObject {
    Q_OBJECT
private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void receivedLines()
    {
        Fixture f;
        f.login(1);
        f.feed(msg::chatRelay(3, "Cy chats: hi :)#14 see www.kde.org|clGreen"));
        const ChatLine& line = f.model.chat().lines().constLast();
        QCOMPARE(line.style, 8);
        QCOMPARE(line.items[0].kind, ChatItem::Label);
        QCOMPARE(line.items[0].text, QStringLiteral("Cy chats: "));
        QCOMPARE(line.items[2].smileyIndex, 4);
        QCOMPARE(line.items[4].kind, ChatItem::Link);
        QCOMPARE(f.styleColor(8), 0x008000u);
        // An action: the name, a blank and the text; the colour as "$" hex.
        f.feed(msg::actionRelay(2, "Bob says: Good One!|$00800080"));
        QCOMPARE(f.model.chat().lines().constLast().style, 7);
        QCOMPARE(f.lastLine(), QStringLiteral("Bob says:  Good One!"));
        QCOMPARE(f.styleColor(7), 0x800080u);
        // Text travels in Windows-1252, one byte a character.
        f.feed(msg::chatRelay(4, "D\xE9" "e chats: \xE7" "a va? \x80 5|clBlack"));
        QCOMPARE(f.lastLine(), QStringLiteral("Dée chats:  ça va? € 5"));
    }

    void missingOrUnreadableColourShowsRed()
    {
        Fixture f;
        f.login(1);
        f.clearRecords();
        QSignalSpy added(&f.model.chat(), &ChatLog::lineAdded);
        f.feed(msg::chatRelay(2, "Bob chats: no colour"));
        QCOMPARE(f.styleColor(7), 0x0000FFu);
        QCOMPARE(f.lastLine(), QStringLiteral("Bob chats:  no colour"));
        f.feed(msg::chatRelay(3, "Cy chats: bad|clPaisley"));
        QCOMPARE(f.styleColor(8), 0x0000FFu);
        // A "|" typed into the chat cuts the line there; the rest fails as a colour: red.
        f.feed(msg::chatRelay(4, "Dee chats: a|b|clBlue"));
        QCOMPARE(f.lastLine(), QStringLiteral("Dee chats:  a"));
        QCOMPARE(f.styleColor(9), 0x0000FFu);
        // Chat lines live in the chat log: the table state itself did not change.
        QCOMPARE(added.count(), 3);
        QCOMPARE(f.changes, 0);
    }

    void malformedChatIsDropped()
    {
        Fixture f;
        f.login(1);
        const int lines = f.model.chat().lines().size();
        for (const QByteArray& bad :
             {QByteArray("CMD_chat+x+Eve chats: hi|clBlack"),
              QByteArray("CMD_chat+12+Eve chats: hi|clBlack"), QByteArray("CMD_action+"),
              QByteArray("CMD_chat+-1+Eve chats: hi")}) { // 0 is the host's own notice
            expectDropped();
            f.feed(bad);
        }
        QCOMPARE(f.model.chat().lines().size(), lines);
    }

    void chatterBotHook()
    {
        Fixture f;
        f.login(1);
        QSignalSpy bot(&f.model, &TableModel::chatReceived);
        f.feed(msg::chatRelay(1, "Ann chats: hello|clBlack"));
        QCOMPARE(bot.count(), 0); // seat 2 reads "<Waiting>"
        f.feed(msg::postScores(0, 0, 2, 4)); // now "Klot"
        f.feed(msg::chatRelay(1, "Ann chats: hello|clBlack"));
        QCOMPARE(bot.count(), 1);
        f.feed(msg::actionRelay(1, "Ann says: Thanks!|clBlack")); // actions never call it
        QCOMPARE(bot.count(), 1);
        f.feed(msg::newPlayerInfo(2, "Bob"));
        f.feed(msg::chatRelay(1, "Ann chats: hello|clBlack"));
        QCOMPARE(bot.count(), 1);
    }

    void sendingTheEntry()
    {
        Fixture f;
        QVERIFY(!f.model.sendit(QStringLiteral("hi"), 0)); // not logged in: the entry keeps it
        QVERIFY(f.sent.isEmpty());
        f.login(3);
        f.sent.clear();
        QVERIFY(f.model.sendit(QString(), 0));
        QVERIFY(f.sent.isEmpty());
        QVERIFY(f.model.sendit(QStringLiteral("hi + bye"), 0x000000));
        QVERIFY(f.model.sendit(QStringLiteral("/me waves"), 0xFF0000));
        QVERIFY(f.model.sendit(QStringLiteral("/ME shouts"), 0)); // not sent, entry cleared
        QVERIFY(f.model.sendit(QStringLiteral("/quit"), 0));
        QVERIFY(f.model.sendit(QStringLiteral("grün 😀 ÿ"), 0x123456)); // "?" for what cannot travel
        QCOMPARE(f.sent, (QList<QByteArray>{
                             msg::chat(3, "hi + bye|clBlack"), msg::action(3, "waves|clBlue"),
                             msg::chat(3, "gr\xFCn ? ?|$00123456")}));
        // Nothing is written locally: the own line comes back through the host.
        QCOMPARE(f.lastLine(), QStringLiteral("You are Connected."));
    }

    void quickPhraseCoolDown()
    {
        Fixture f;
        QVERIFY(!f.model.quickPhrase(QStringLiteral("Thanks!"), 0)); // not logged in
        QVERIFY(f.s().phraseReady);
        f.login(2);
        f.clearRecords();
        QVERIFY(f.model.quickPhrase(QStringLiteral("Thanks!"), 0));
        QCOMPARE(f.sent, QList<QByteArray>{msg::action(2, "says: Thanks!|clBlack")});
        QVERIFY(!f.s().phraseReady);
        QVERIFY(f.model.phraseCounting());
        QVERIFY(!f.model.quickPhrase(QStringLiteral("Wow, WTG!"), 0)); // within the cool-down
        for (int i = 0; i < 100; ++i) f.model.tick();
        QVERIFY(!f.s().phraseReady);
        QVERIFY(!f.model.quickPhrase(QStringLiteral("Wow, WTG!"), 0));
        const int changes = f.changes;
        f.model.tick(); // the 101st tick releases it
        QVERIFY(f.s().phraseReady);
        QCOMPARE(f.s().phraseCounter, 0);
        QCOMPARE(f.changes, changes + 1);
        QVERIFY(!f.model.phraseCounting());
        f.model.tick(); // an idle tick changes nothing
        QCOMPARE(f.changes, changes + 1);
        QVERIFY(f.model.quickPhrase(QStringLiteral("/me claps"), 0xFF0000));
        QCOMPARE(f.sent.constLast(), msg::action(2, "claps|clBlue"));
        QCOMPARE(f.sent.size(), 2);
    }

    void chatterSounds()
    {
        Fixture f;
        f.login(2, QStringLiteral("Bob"));
        f.feed(msg::existingPlayers(1, "Ann"));
        f.feed(msg::newPlayerInfo(6, "Spy"));
        f.sent.clear();
        f.model.sendChatterSound(12);
        f.model.sendChatterSound(0);
        f.model.sendChatterSound(21);
        QCOMPARE(f.sent, QList<QByteArray>{msg::playASound(2, 12)});
        QSignalSpy chatter(&f.model, &TableModel::playChatterSound);
        // Chatter sounds off: a line names the sound instead.
        f.feed(msg::playASoundRelay(1, "wave13+"));
        QCOMPARE(f.model.chat().lines().constLast().style, 6);
        QCOMPARE(f.lastLine(), QStringLiteral("Ann:  <Chatter Sound> Applause"));
        QCOMPARE(f.styleColor(6), 0xFF0000u);
        const int lines = f.model.chat().lines().size();
        f.feed(msg::playASoundRelay(6, "wave1+"));  // a spectator: nothing shown
        f.feed(msg::playASoundRelay(1, "wave21+")); // no such sound
        f.feed(msg::playASoundRelay(1, "boom+"));
        QCOMPARE(f.model.chat().lines().size(), lines);
        QCOMPARE(chatter.count(), 0);
        f.model.setChatterSounds(true);
        f.feed(msg::playASoundRelay(1, "WAVE5+"));
        f.feed(msg::playASoundRelay(6, "wave20+"));
        f.feed(msg::playASoundRelay(1, "wave-1+"));
        QCOMPARE(chatter.count(), 2);
        QCOMPARE(chatter.at(0).at(0).toString(), QStringLiteral("wave5"));
        QCOMPARE(chatter.at(1).at(0).toString(), QStringLiteral("wave20"));
        QCOMPARE(f.model.chat().lines().size(), lines);
        QCOMPARE(TableModel::chatterSoundCaption(5), QStringLiteral("Where have you been?"));
        QCOMPARE(TableModel::chatterSoundCaption(20), QStringLiteral("Crying"));
        QVERIFY(TableModel::chatterSoundCaption(0).isEmpty());

        Fixture spy;
        spy.login(6);
        spy.sent.clear();
        spy.model.sendChatterSound(3); // spectators cannot send sounds
        QVERIFY(spy.sent.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTalk)
#include "test_talk.moc"
