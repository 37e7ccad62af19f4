// The game as one value: saved at any moment and restored into a fresh engine, a game goes on
// exactly as if it had never stopped (same cards, decisions and messages); the players of human
// seats get them back with their keys; a damaged, foreign or newer file changes nothing.
#include "support/harness.h"
#include "host/computerplayer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtTest>

using namespace quornet::host;
using namespace quornet::host::testing;
namespace msg = quornet::protocol::msg;
using quornet::bots::Level;

namespace
{

// A table of computer players only, as the simulator plays it, with a recorder on its messages.
struct Game {
    explicit Game(std::uint32_t seed, Level green, Level blue) : random(seed)
    {
        EngineOptions o;
        o.checkInvariants = true;
        engine = std::make_unique<HostEngine>(out, random, o);
        engine->setBotSpeed(10);
        engine->computerPlayer().setSeed(seed);
        engine->computerPlayer().setTeamLevels(green, blue);
        engine->setKeySource([] { return QByteArray("SpectatorsKey0000000"); });
    }
    // One step of a game: the computer players' timer, now and then with the clock moving on.
    void step(int i)
    {
        if (engine->botTimerEnabled()) engine->botTimerFired();
        if (i % 7 == 0) engine->advanceTo(engine->now() + 1000);
    }
    // A spectator comes in: everything after the catch-up goes to it.
    void watch()
    {
        const int n = engine->accept().participant;
        engine->welcome(n);
        engine->receive(n, msg::loginInfo(n, "1.0.11", "Eve"));
        while (engine->dispatchOne()) {}
    }
    QStringList transcript() const
    {
        QStringList t;
        for (const auto& s : out.sent) t << describe(s.participant, s.message);
        return t;
    }

    RecordingOutbox out;
    SeededRandom random;
    std::unique_ptr<HostEngine> engine;
};

} // namespace

class TestSavedGame : public QObject
{
    Q_OBJECT
private slots:
    // Over many seeds, levels, lengths and moments: save, restore into a second engine, then go on
    // with both; a spectator arriving at the same moment reads the same messages, byte for byte.
    void aRestoredGameGoesOnAsIfItHadNeverStopped()
    {
        const Level levels[] = {Level::Classic, Level::Strong, Level::Expert};
        for (std::uint32_t seed = 1; seed <= 24; ++seed) {
            const Level green = levels[seed % 3], blue = levels[(seed / 3) % 2];
            Game a(seed, green, blue);
            const QByteArray length = seed % 4 == 0 ? "3" : "r";
            a.engine->startGame("Sim", length, seed % 5 == 0, seed % 6 != 0, 1 + int(seed % 3));
            const int before = 20 + int(seed * 37 % 300);
            for (int i = 0; i < before && a.engine->table().running; ++i) a.step(i);

            const QByteArray saved = a.engine->saveGame();
            Game b(9999, Level::Classic, Level::Classic); // its own seed and levels: all restored
            QString error;
            QVERIFY2(b.engine->restoreGame(saved, &error), qPrintable(error));
            QCOMPARE(b.engine->saveGame(), saved);
            b.engine->advanceTo(a.engine->now()); // the clocks agree from here on

            a.watch();
            b.watch();
            for (int i = 0; i < 400; ++i) {
                a.step(i);
                b.step(i);
            }
            QCOMPARE(b.transcript(), a.transcript());
            QCOMPARE(b.engine->dump(), a.engine->dump());
        }
    }

    // Ann and Bob play; the host stops mid-game and a new one takes the saved game: their seats
    // wait for their keys (a stranger with Bob's name gets nothing), the computer waits for a
    // held seat's turn a while, and Bob gets his hand and the score sheet back.
    void playersTakeTheirSeatsBackAfterARestart()
    {
        EngineOptions dedicated = Harness::scenario();
        dedicated.takeOverSeatOne = true;
        Harness h(dedicated, 11);
        h.linkMessages = true;
        h.join("Ann");
        h.join("Bob");
        h.startGame("3");
        h.send(1, msg::drawing(1, 1));
        h.send(1, msg::discard(1, h.seat(1).hand[0] != 0 ? 0 : 1));
        QCOMPARE(h.table().turnSeat, 2);
        QByteArray bobsKey;
        for (const auto& s : h.out.sent)
            if (s.participant == 2 && s.message.startsWith("CMD_seatkey+2+")) bobsKey = s.message.mid(14).chopped(1);
        const Hand hand = h.seat(2).hand;
        const QByteArray saved = h.engine->saveGame();
        QVERIFY(!saved.contains("Eve"));

        Harness r(dedicated, 12);
        QString error;
        QVERIFY2(r.engine->restoreGame(saved, &error), qPrintable(error));
        QCOMPARE(r.engine->heldFor(1), QByteArray("Ann"));
        QCOMPARE(r.engine->heldFor(2), QByteArray("Bob"));
        // Bob's turn waits for Bob during the grace.
        r.advance(ReturnGraceMs - 1000);
        r.fire(5);
        QCOMPARE(r.table().turnSeat, 2);
        QCOMPARE(r.seat(2).hand, hand);

        const int stranger = r.join("Bob"); // a newcomer on the free seat 3
        QCOMPARE(stranger, 3);
        r.linkMessages = true;
        r.take();
        const int n = r.connect();
        r.send(n, msg::rejoin(bobsKey));
        r.send(n, msg::loginInfo(n, "1.0.11", "Bob"));
        r.send(2, msg::rejoin(bobsKey));
        r.send(2, msg::loginInfo(2, "1.0.11", "Bob"));
        const QStringList got = r.takeFor(2);
        QCOMPARE(got.filter("CMD_newcard").size(), cardsIn(hand));
        QVERIFY(got.contains("CMD_scoresheet+1+0+0+" + QString("0+0+0+0+%1+").arg(r.seat(1).score) +
                             QString("0+0+0+0+%1").arg(r.seat(2).score)));
        QVERIFY(got.contains(QString("CMD_nextplayer+2+%1+t+2").arg(cardsIn(hand))));
        r.send(2, msg::drawing(2, 1));
        QCOMPARE(r.table().phase, Phase::Play);

        // Ann does not come back: after the grace, the computer plays her turns.
        r.send(2, msg::discard(2, r.seat(2).hand[0] != 0 ? 0 : 1));
        r.send(3, msg::drawing(3, 1));
        r.send(3, msg::discard(3, r.seat(3).hand[0] != 0 ? 0 : 1));
        r.fireUntilIdle(20); // seat 4, and seat 1 waits
        QCOMPARE(r.table().turnSeat, 1);
        r.fire(3);
        QCOMPARE(r.table().turnSeat, 1); // still waiting for Ann
        r.advance(2000);
        r.fireUntilIdle(10);
        QCOMPARE(r.table().turnSeat, 2);
    }

    void aDamagedForeignOrNewerFileChangesNothing()
    {
        Game a(5, Level::Classic, Level::Classic);
        a.engine->startGame("Sim", "r", false, true, 1);
        for (int i = 0; i < 50; ++i) a.step(i);
        const QByteArray good = a.engine->saveGame();
        QJsonObject newer = QJsonDocument::fromJson(good).object();
        newer["version"] = SavedGameVersion + 1;
        QJsonObject extraCard = QJsonDocument::fromJson(good).object();
        QJsonObject table = extraCard["table"].toObject();
        QJsonArray deck = table["deck"].toArray();
        for (int i = 0; i < deck.size(); ++i)
            if (deck[i].toInt() == 0) {
                deck[i] = 7; // a 217th card
                break;
            }
        table["deck"] = deck;
        extraCard["table"] = table;

        const struct {
            QByteArray document;
            const char* reason;
        } cases[] = {{good.left(good.size() / 2), "damaged"},
                     {"{\"format\": \"something else\", \"version\": 1}", "not a saved Quornet game"},
                     {QJsonDocument(newer).toJson(), "newer version"},
                     {QJsonDocument(extraCard).toJson(), "217 cards"},
                     {QByteArray(), "damaged"}};
        for (const auto& c : cases) {
            Game b(1, Level::Classic, Level::Classic);
            const QString before = b.engine->dump();
            QString error;
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("saved game refused"));
            QVERIFY(!b.engine->restoreGame(c.document, &error));
            QVERIFY2(error.contains(QLatin1String(c.reason)), qPrintable(error));
            QCOMPARE(b.engine->dump(), before);
            QVERIFY(!b.engine->table().running);
        }
    }
};

QTEST_APPLESS_MAIN(TestSavedGame)
#include "test_saved_game.moc"
