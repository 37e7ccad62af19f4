// TServer over real TCP on a port of the system's choosing: connections, logins, relays, framing
// across and within writes, the full table, removal, a misbehaving peer and a paced game.
#include "host/tserver.h"
#include "protocol/messages.h"
#include "support/tcpclient.h"

#include <QtTest>

#include <memory>
#include <vector>

using namespace quornet::host;
using quornet::testing::TcpClient;
namespace msg = quornet::protocol::msg;

namespace
{
constexpr int Deadline = 5000;
}

class TestTServer : public QObject
{
    Q_OBJECT

    std::unique_ptr<TServer> m_server;

    // Connects a client, waits for its number and logs it in.
    std::unique_ptr<TcpClient> join(int expected, const QByteArray& name)
    {
        auto c = std::make_unique<TcpClient>();
        c->connectTo(m_server->port());
        const QString welcome = QStringLiteral("CMD_sendlogininfo+%1").arg(expected);
        [&] { QTRY_VERIFY_WITH_TIMEOUT(c->has(welcome), Deadline); }();
        c->write(msg::loginInfo(expected, "1.0.11", name));
        const QString info =
            QStringLiteral("CMD_newplayerinfo+%1+%2").arg(expected).arg(QString::fromLatin1(name));
        [&] { QTRY_VERIFY_WITH_TIMEOUT(c->has(info), Deadline); }();
        return c;
    }

private slots:
    void init()
    {
        EngineOptions options;
        options.quietArrivalMs = 0; // arrivals are told at once, as the tests below expect
        m_server = std::make_unique<TServer>(5, options);
        QVERIFY(m_server->listen(0));
        QVERIFY(m_server->port() != 0);
    }

    void cleanup() { m_server.reset(); }

    void loginAndChatRelay()
    {
        auto ann = join(1, "Ann");
        auto bob = join(2, "Bob");
        QVERIFY(!QTest::currentTestFailed());
        QVERIFY(bob->has("CMD_existingplayers+1+Ann"));
        QTRY_VERIFY_WITH_TIMEOUT(ann->has("CMD_newplayerinfo+2+Bob"), Deadline);
        bob->write(msg::chat(2, "hello|clBlack"));
        QTRY_VERIFY_WITH_TIMEOUT(ann->has("CMD_chat+2+Bob chats: hello|clBlack"), Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(bob->has("CMD_chat+2+Bob chats: hello|clBlack"), Deadline);
    }

    void messagesSplitAcrossAndJoinedWithinWrites()
    {
        auto ann = join(1, "Ann");
        auto bob = join(2, "Bob");
        QVERIFY(!QTest::currentTestFailed());
        // Half a message; Ann's chat makes a round trip while Bob's tail is still missing.
        bob->write("CMD_ch");
        ann->write(msg::chat(1, "first|clBlack"));
        QTRY_VERIFY_WITH_TIMEOUT(bob->has("CMD_chat+1+Ann chats: first|clBlack"), Deadline);
        // The tail, and two more messages in the same write.
        bob->write("at+2+second|clBlack\xFF" + msg::action(2, "waves|clRed") +
                   msg::playASound(2, 4));
        QTRY_COMPARE_WITH_TIMEOUT(ann->count("CMD_playasound"), 1, Deadline);
        QCOMPARE(ann->messages().mid(ann->messages().size() - 4),
                 (QStringList{"CMD_chat+1+Ann chats: first|clBlack",
                              "CMD_chat+2+Bob chats: second|clBlack",
                              "CMD_action+2+Bob waves|clRed", "CMD_playasound+2+wave4+"}));
        // A message cut into single bytes.
        for (char ch : msg::chat(2, "bytes|clBlack"))
            bob->write(QByteArray(1, ch));
        QTRY_VERIFY_WITH_TIMEOUT(ann->has("CMD_chat+2+Bob chats: bytes|clBlack"), Deadline);
    }

    void tenthConnectionGetsFullOnly()
    {
        std::vector<std::unique_ptr<TcpClient>> clients;
        for (int i = 1; i <= 9; ++i) {
            clients.push_back(join(i, "P" + QByteArray::number(i)));
            QVERIFY(!QTest::currentTestFailed());
        }
        TcpClient tenth;
        tenth.connectTo(m_server->port());
        QTRY_VERIFY_WITH_TIMEOUT(tenth.closed() && !tenth.messages().isEmpty(), Deadline);
        QCOMPARE(tenth.messages(), QStringList{"CMD_full+"});
        // Nobody else heard of it.
        QVERIFY(clients[0]->messages().filter("+10").isEmpty());
    }

    void departureAndRemoval()
    {
        auto ann = join(1, "Ann");
        auto bob = join(2, "Bob");
        auto cy = join(3, "Cy");
        QVERIFY(!QTest::currentTestFailed());
        cy->socket.disconnectFromHost();
        QTRY_VERIFY_WITH_TIMEOUT(ann->has("CMD_playerdisconnected+3+Cy"), Deadline);
        ann->write(msg::kickHim(1, 2));
        QTRY_VERIFY_WITH_TIMEOUT(bob->closed(), Deadline);
        QVERIFY(bob->has("CMD_playerdisconnected+2+Bob")); // told why, before the close
        QTRY_VERIFY_WITH_TIMEOUT(ann->has("CMD_playerdisconnected+2+Bob"), Deadline);
        QCOMPARE(ann->count("CMD_playerdisconnected"), 2);
        // The lowest free number is handed out again.
        auto di = join(2, "Di");
        QVERIFY(!QTest::currentTestFailed());
    }

    void unterminatedFloodIsCut()
    {
        auto ann = join(1, "Ann");
        auto bob = join(2, "Bob");
        QVERIFY(!QTest::currentTestFailed());
        bob->write(QByteArray(70 * 1024, 'x'));
        QTRY_VERIFY_WITH_TIMEOUT(bob->closed(), Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(ann->has("CMD_playerdisconnected+2+Bob"), Deadline);
        ann->write(msg::chat(1, "ok|clBlack"));
        QTRY_VERIFY_WITH_TIMEOUT(ann->has("CMD_chat+1+Ann chats: ok|clBlack"), Deadline);
    }

    void participantOneIsTheHostUsersOwnConnection()
    {
        // A hosting copy: only its own window's connection, known by its local port, is 1.
        TcpClient own;
        QVERIFY(own.socket.bind(QHostAddress::LocalHost, 0));
        m_server->setOwnWindowPort(own.socket.localPort());
        TcpClient stranger;
        stranger.connectTo(m_server->port());
        QTRY_VERIFY_WITH_TIMEOUT(stranger.has("CMD_sendlogininfo+2"), Deadline);
        own.connectTo(m_server->port());
        QTRY_VERIFY_WITH_TIMEOUT(own.has("CMD_sendlogininfo+1"), Deadline);

        // A dedicated host: only an allowed address gets number 1.
        EngineOptions options;
        options.loginDeadlineMs = 300;
        TServer dedicated(5, options);
        dedicated.setAdminAddresses({QHostAddress::parseSubnet(QStringLiteral("10.0.0.0/8"))});
        QVERIFY(dedicated.listen(0));
        QCOMPARE(dedicated.adminAddressesText(), QStringLiteral("10.0.0.0/8"));
        TcpClient local;
        local.connectTo(dedicated.port());
        QTRY_VERIFY_WITH_TIMEOUT(local.has("CMD_sendlogininfo+2"), Deadline);
        // It never logs in: the host closes it when its time is up.
        QTRY_VERIFY_WITH_TIMEOUT(local.closed(), Deadline);
    }

    void computerPlayersArePacedByTheTimer()
    {
        m_server->engine().setBotSpeed(5);
        auto ann = join(1, "Ann");
        QVERIFY(!QTest::currentTestFailed());
        ann->write(msg::startGame("Ann", "r", false, true, 1));
        QTRY_VERIFY_WITH_TIMEOUT(ann->has("CMD_nextplayer+0+0+t+1"), Deadline);
        QCOMPARE(ann->count("CMD_newcard+1+"), 11);
        ann->write(msg::drawing(1, 1) + msg::discard(1, 0));
        // Seats 2, 3 and 4 play on Timer1 and hand the turn back.
        QTRY_VERIFY_WITH_TIMEOUT(ann->messages().filter("CMD_nextplayer+4+").size() == 1, Deadline);
        QVERIFY(ann->messages().filter("CMD_nextplayer+4+").first().endsWith("+t+1"));
    }
};

QTEST_GUILESS_MAIN(TestTServer)
#include "test_tserver.moc"
