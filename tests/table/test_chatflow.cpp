// Chat through a real host: two table windows' models and the rules engine in memory. What one
// participant sends comes back, relayed by the host, to both, the sender included.
#include "host/engine.h"
#include "support/recordingoutbox.h"
#include "protocol/colortext.h"
#include "tablefixture.h"

using namespace tabletest;

namespace {

class Table {
public:
    Table() : host(wires, random)
    {
        for (int n = 1; n <= 2; ++n) {
            QCOMPARE_EQ(host.accept().participant, n);
            QObject::connect(&windows[n - 1].model, &TableModel::send,
                             [this, n](const QByteArray& m) { host.receive(n, m); });
            windows[n - 1].model.setPlayerName(n == 1 ? QStringLiteral("Ann") : QStringLiteral("Bob"));
            host.welcome(n);
        }
        settle();
        host.advanceTo(quornet::host::QuietArrivalMs); // both stayed: each hears of the other
        settle();
    }

    // Runs host and windows until nothing is left to do.
    void settle()
    {
        for (bool busy = true; busy;) {
            busy = host.dispatchOne();
            for (int n = 1; n <= 2; ++n)
                for (const QByteArray& m : wires.takeFor(n)) {
                    windows[n - 1].model.handleMessage(m);
                    busy = true;
                }
        }
    }

    Fixture& ann() { return windows[0]; }
    Fixture& bob() { return windows[1]; }
    // The last line of a window: its style and its items.
    static const ChatLine& last(Fixture& w) { return w.model.chat().lines().constLast(); }

    quornet::host::testing::RecordingOutbox wires;
    quornet::host::SeededRandom random{7};
    quornet::host::HostEngine host;
    Fixture windows[2];
};

} // namespace

class TestChatFlow : public QObject {
    Q_OBJECT
private slots:
    void chatActionsAndColours()
    {
        Table t;
        QVERIFY(t.ann().s().loggedIn && t.bob().s().loggedIn);
        QCOMPARE(t.ann().s().seat(2).name, QStringLiteral("Bob"));

        // A chat line in navy, with a smiley and a link, reaches both windows in navy.
        QVERIFY(t.bob().model.sendit(QStringLiteral("hi :)#12 see www.Example.org now"), quornet::protocol::colors::Navy));
        t.settle();
        for (Fixture* w : {&t.ann(), &t.bob()}) {
            const ChatLine& line = Table::last(*w);
            QCOMPARE(line.style, 2 + 5);
            QCOMPARE(line.items.first().kind, ChatItem::Label);
            QCOMPARE(line.items.first().text, QStringLiteral("Bob chats: "));
            QCOMPARE(w->styleColor(7), quornet::protocol::colors::Navy);
            bool smiley = false;
            int link = -1;
            for (const ChatItem& i : line.items) {
                smiley = smiley || (i.kind == ChatItem::Smiley && i.smileyIndex == 2);
                if (i.kind == ChatItem::Link && i.text.trimmed() == QStringLiteral("www.Example.org")) link = i.linkIndex;
            }
            QVERIFY(smiley && link >= 0);
            QCOMPARE(w->model.chat().linkUrl(link).toString(), QStringLiteral("http://www.example.org")); // hosts are case-insensitive
        }

        // "/me" sends an action; "/ME" and other commands send nothing but clear the entry.
        QVERIFY(t.ann().model.sendit(QStringLiteral("/me waves"), quornet::protocol::colors::Green));
        t.settle();
        QCOMPARE(t.bob().lastLine().simplified(), QStringLiteral("Ann waves"));
        QCOMPARE(t.bob().styleColor(6), quornet::protocol::colors::Green);
        const int lines = int(t.bob().model.chat().lines().size());
        QVERIFY(t.ann().model.sendit(QStringLiteral("/ME shouts"), quornet::protocol::colors::Green));
        QVERIFY(t.ann().model.sendit(QStringLiteral("/quit"), quornet::protocol::colors::Green));
        t.settle();
        QCOMPARE(int(t.bob().model.chat().lines().size()), lines);

        // A "|" typed into the text cuts the line there and shows it in red.
        QVERIFY(t.ann().model.sendit(QStringLiteral("a|b"), quornet::protocol::colors::Green));
        t.settle();
        QCOMPARE(t.bob().lastLine().simplified(), QStringLiteral("Ann chats: a"));
        QCOMPARE(t.bob().styleColor(6), quornet::protocol::colors::Red);

        // Colours travel as colour texts both ways, names and "$" values alike.
        for (quint32 c : {0x123456u, quornet::protocol::colors::Black, 0xFF00FFu, quornet::protocol::colors::SystemBase + 8}) {
            QVERIFY(t.ann().model.sendit(QStringLiteral("colour"), c));
            t.settle();
            QCOMPARE(t.bob().styleColor(6), c);
        }
    }

    void quickPhrasesAndCoolDown()
    {
        Table t;
        QVERIFY(t.bob().model.quickPhrase(QStringLiteral("Good One!"), quornet::protocol::colors::Black));
        t.settle();
        QCOMPARE(t.ann().lastLine().simplified(), QStringLiteral("Bob says: Good One!"));
        // A second phrase within the cool-down is ignored; after 101 ticks it is sent.
        QVERIFY(!t.bob().model.quickPhrase(QStringLiteral("Thanks!"), quornet::protocol::colors::Black));
        for (int i = 0; i < 100; ++i) t.bob().model.tick();
        QVERIFY(!t.bob().model.quickPhrase(QStringLiteral("Thanks!"), quornet::protocol::colors::Black));
        t.bob().model.tick();
        QVERIFY(t.bob().model.quickPhrase(QStringLiteral("/me is happy"), quornet::protocol::colors::Black));
        t.settle();
        QCOMPARE(t.ann().lastLine().simplified(), QStringLiteral("Bob is happy"));
    }

    void spoofedChatIsNotRelayed()
    {
        Table t;
        const int lines = int(t.ann().model.chat().lines().size());
        // Bob's connection claims to be participant 1.
        t.host.receive(2, quornet::protocol::msg::chat(1, "I am Ann|clBlack"));
        t.settle();
        QCOMPARE(int(t.ann().model.chat().lines().size()), lines);
    }
};

QTEST_GUILESS_MAIN(TestChatFlow)
#include "test_chatflow.moc"
