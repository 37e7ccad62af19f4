// Klot's remarks: the chances with scripted random numbers, who must sit at the table, what
// never makes the bot speak, and the remark rate with a seeded generator.
#include "table/core/chatterbot.h"
#include "tablefixture.h"

#include <memory>

using namespace tabletest;

namespace {

// Answers Random(n) from a script and records every n asked for.
struct Script {
    QList<int> answers;
    QList<int> asked;

    ChatterBot::RandomSource source()
    {
        return [this](int n) {
            asked.append(n);
            return answers.isEmpty() ? 0 : answers.takeFirst();
        };
    }
};

// A solo table: the own seat 1 and the three computer players under their default names.
void soloTable(Fixture& f)
{
    f.login(1);
    f.feed(msg::postScores(0, 0, 1, 3));
    f.feed(msg::postScores(0, 0, 2, 4));
    QCOMPARE(f.s().seat(2).name, QStringLiteral("Klot"));
    QCOMPARE(f.s().seat(3).name, QStringLiteral("Klick"));
    QCOMPARE(f.s().seat(4).name, QStringLiteral("Kling"));
}

QByteArray annChats() { return msg::chatRelay(1, "Ann chats: hello|clBlack"); }

} // namespace

class TestChatterBot : public QObject {
    Q_OBJECT
private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void phraseList()
    {
        QCOMPARE(ChatterBot::phrase(1), QStringLiteral("I need a Pepsi"));
        QCOMPARE(ChatterBot::phrase(12), QStringLiteral("Have you seen Zeb today?"));
        QCOMPARE(ChatterBot::phrase(18), QStringLiteral("Who knows.."));
        QCOMPARE(ChatterBot::phrase(32), QStringLiteral("I got hit by lightening"));
        QVERIFY(ChatterBot::phrase(0).isEmpty());
        QVERIFY(ChatterBot::phrase(33).isEmpty());
        QSet<QString> distinct;
        for (int n = 1; n <= ChatterBot::PhraseCount; ++n) distinct.insert(ChatterBot::phrase(n));
        QCOMPARE(distinct.size(), 32);
    }

    void remarkWithScriptedNumbers()
    {
        Fixture f;
        soloTable(f);
        Script script{{4, 12}, {}};
        ChatterBot bot(f.model, script.source());
        const int before = int(f.model.chat().lines().size());
        f.sent.clear();
        f.feed(annChats());
        QCOMPARE(script.asked, (QList<int>{10, 33}));
        const auto& lines = f.model.chat().lines();
        QCOMPARE(int(lines.size()), before + 2); // the chat line, then the remark
        const ChatLine& remark = lines.constLast();
        QCOMPARE(remark.style, 0);
        QCOMPARE(remark.items.size(), 2);
        QCOMPARE(remark.items[0].kind, ChatItem::Label);
        QCOMPARE(remark.items[0].text.trimmed(), QStringLiteral("Klot the bot says:"));
        QCOMPARE(remark.items[1].kind, ChatItem::Text);
        QCOMPARE(remark.items[1].text.trimmed(), QStringLiteral("Have you seen Zeb today?"));
        QCOMPARE(f.styleColor(0), 0xFF0000u);
        QVERIFY(f.model.chat().style(0).bold);
        // Local only: nothing went to the host.
        QVERIFY(f.sent.isEmpty());
    }

    void quietDraws_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QList<int>>("asked");
        QTest::newRow("Random(10) = 5") << QList<int>{5} << QList<int>{10};
        QTest::newRow("Random(10) = 9") << QList<int>{9} << QList<int>{10};
        QTest::newRow("Random(33) = 0") << QList<int>{0, 0} << QList<int>{10, 33};
        QTest::newRow("Random(10) = 4, Random(33) = 0") << QList<int>{4, 0} << QList<int>{10, 33};
        // A broken source that answers out of range says nothing instead of reading past the
        // phrase list.
        QTest::newRow("Random(33) = 33") << QList<int>{2, 33} << QList<int>{10, 33};
        QTest::newRow("Random(33) = -1") << QList<int>{2, -1} << QList<int>{10, 33};
        QTest::newRow("Random(10) = -1") << QList<int>{-1} << QList<int>{10};
    }

    void quietDraws()
    {
        QFETCH(QList<int>, answers);
        QFETCH(QList<int>, asked);
        Fixture f;
        soloTable(f);
        Script script{answers, {}};
        ChatterBot bot(f.model, script.source());
        f.feed(annChats());
        QCOMPARE(script.asked, asked);
        QCOMPARE(f.lastLine(), QStringLiteral("Ann chats:  hello"));
    }

    void everyDrawPicksItsPhrase()
    {
        Fixture f;
        soloTable(f);
        Script script;
        ChatterBot bot(f.model, script.source());
        for (int n = 1; n <= ChatterBot::PhraseCount; ++n) {
            script.answers = {n % 5, n};
            bot.klottalk();
            QCOMPARE(f.lastLine(), QStringLiteral("Klot the bot says:  ") + ChatterBot::phrase(n));
        }
    }

    void humanSeatsSilenceTheBot_data()
    {
        QTest::addColumn<int>("seat");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("seat 3 human") << 3 << QByteArray("Cy");
        QTest::newRow("seat 4 human") << 4 << QByteArray("Dee");
        QTest::newRow("seat 3 named klick") << 3 << QByteArray("klick"); // case-sensitive
        QTest::newRow("seat 4 named Kling ") << 4 << QByteArray("Kling ");
        QTest::newRow("seat 3 named Kling") << 3 << QByteArray("Kling");
    }

    void humanSeatsSilenceTheBot()
    {
        QFETCH(int, seat);
        QFETCH(QByteArray, name);
        Fixture f;
        soloTable(f);
        f.feed(msg::existingPlayers(seat, name));
        Script script;
        ChatterBot bot(f.model, script.source());
        QVERIFY(!bot.botsAtTable());
        const int before = int(f.model.chat().lines().size());
        // Whatever the numbers, no remark.
        for (int speak = 0; speak <= 4; ++speak)
            for (int n = 1; n <= ChatterBot::PhraseCount; ++n) {
                script.answers = {speak, n};
                f.feed(annChats());
            }
        QCOMPARE(int(f.model.chat().lines().size()), before + 5 * 32);
        QVERIFY(!f.chatTexts().join('\n').contains(QStringLiteral("Klot the bot")));
        // The Random(33) draw is never made while a human sits there.
        QVERIFY(!script.asked.contains(33));

        // The human leaves: the seat shows the computer player again and Klot talks.
        f.feed(msg::playerDisconnected(seat, name));
        QVERIFY(bot.botsAtTable());
        script.answers = {0, 7};
        f.feed(annChats());
        QCOMPARE(f.lastLine(), QStringLiteral("Klot the bot says:  That is very wise of you"));
    }

    void seatTwoMustReadKlot()
    {
        Fixture f;
        soloTable(f);
        f.feed(msg::existingPlayers(2, "Bob"));
        Script script;
        ChatterBot bot(f.model, script.source());
        script.answers = {0, 1};
        bot.klottalk(); // even when called directly
        QCOMPARE(script.asked, QList<int>{10});
        QVERIFY(!f.lastLine().startsWith(QStringLiteral("Klot the bot")));
        // Before anyone sat down, seat 2 reads "<Waiting>".
        Fixture empty;
        empty.login(1);
        ChatterBot idle(empty.model, script.source());
        script.answers = {0, 1};
        empty.feed(annChats());
        QCOMPARE(empty.lastLine(), QStringLiteral("Ann chats:  hello"));
    }

    void onlyReceivedChatsCount()
    {
        Fixture f;
        soloTable(f);
        int draws = 0;
        // A source that always speaks: the remark would show at once.
        ChatterBot bot(f.model, [&draws](int n) {
            ++draws;
            return n == 10 ? 0 : 5;
        });
        const int before = int(f.model.chat().lines().size());
        f.feed(msg::actionRelay(1, "Ann says: Good One!|clBlack")); // quick phrase
        f.feed(msg::actionRelay(1, "Ann waves|clBlack"));           // "/me waves"
        QCOMPARE(draws, 0);
        QCOMPARE(int(f.model.chat().lines().size()), before + 2);
        // One chat, one remark: the remark itself does not make Klot speak again.
        f.feed(annChats());
        QCOMPARE(draws, 2);
        QCOMPARE(int(f.model.chat().lines().size()), before + 4);
        QCOMPARE(f.lastLine(), QStringLiteral("Klot the bot says:  You are too kind"));
        // Own notices are no chat either.
        f.feed(msg::existingPlayers(7, "Zed")); // "Zed is spying."
        QCOMPARE(draws, 2);
    }

    void remarkRate()
    {
        // 5/10 x 32/33 = 16/33 of the chats get a remark; the phrases are equally likely.
        Fixture f;
        soloTable(f);
        ChatterBot bot(f.model, ChatterBot::seededRandom(20240611u));
        constexpr int Chats = 33000;
        const int before = int(f.model.chat().lines().size());
        for (int i = 0; i < Chats; ++i) bot.klottalk();
        const auto& lines = f.model.chat().lines();
        QHash<QString, int> perPhrase;
        for (qsizetype i = before; i < lines.size(); ++i) {
            QCOMPARE(lines[i].items[0].text.trimmed(), QStringLiteral("Klot the bot says:"));
            ++perPhrase[lines[i].items[1].text.trimmed()];
        }
        const int remarks = int(lines.size()) - before;
        const double rate = double(remarks) / Chats;
        // One standard deviation is about 0.0028: allow five.
        QVERIFY2(qAbs(rate - 16.0 / 33.0) < 0.014, qPrintable(QString::number(rate)));
        QCOMPARE(perPhrase.size(), ChatterBot::PhraseCount);
        // About 500 per phrase; sd about 22.
        for (auto it = perPhrase.cbegin(); it != perPhrase.cend(); ++it)
            QVERIFY2(it.value() > 380 && it.value() < 620, qPrintable(it.key()));
    }

    void seededSourcesRepeatAndClockSourcesStayInRange()
    {
        auto a = ChatterBot::seededRandom(7);
        auto b = ChatterBot::seededRandom(7);
        auto c = ChatterBot::clockRandom();
        QList<int> fromA, fromB;
        QSet<int> seen;
        for (int i = 0; i < 400; ++i) {
            fromA.append(a(33));
            fromB.append(b(33));
            seen.insert(fromA.constLast());
            const int v = c(10);
            QVERIFY(v >= 0 && v < 10);
        }
        QCOMPARE(fromA, fromB);
        QCOMPARE(seen.size(), 33); // 0..32, nothing else
        QVERIFY(std::all_of(seen.cbegin(), seen.cend(), [](int v) { return v >= 0 && v < 33; }));

        // An empty source falls back to the clock-seeded generator instead of failing.
        Fixture f;
        soloTable(f);
        ChatterBot bot(f.model, ChatterBot::RandomSource{});
        bot.setRandomSource({});
        for (int i = 0; i < 200; ++i) bot.klottalk();
        QVERIFY(f.chatTexts().join('\n').contains(QStringLiteral("Klot the bot says:")));
    }
};

QTEST_GUILESS_MAIN(TestChatterBot)
#include "test_chatterbot.moc"
