// The dedicated host as a process: `quornet --serve` on a free port, a short game over TCP, and a
// clean exit on SIGTERM.
#include "protocol/messages.h"
#include "tcpclient.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QUdpSocket>
#include <QtTest>

using quornet::testing::TcpClient;
namespace msg = quornet::protocol::msg;

namespace
{
constexpr int Deadline = 10000;

quint16 freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) return 0;
    return probe.serverPort(); // closed again when the probe goes
}

// The hosts of these tests answer finders on a UDP port of their own, apart from the machine's
// real tables.
QByteArray discoveryPort()
{
    static const QByteArray port = [] {
        QUdpSocket probe;
        probe.bind(QHostAddress::AnyIPv4, 0);
        return QByteArray::number(probe.localPort());
    }();
    return port;
}
} // namespace

class TestServeProcess : public QObject
{
    Q_OBJECT

    // Starts the host; its standard error is collected into `log`.
    void start(QProcess& p, QByteArray& log, quint16 port, const QStringList& more = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_LOGGING_RULES", "quornet.host.info=true");
        env.insert("QUORNET_DISCOVERY_PORT", discoveryPort());
        p.setProcessEnvironment(env);
        connect(&p, &QProcess::readyReadStandardError, &p,
                [&] { log += p.readAllStandardError(); });
        p.start(QStringLiteral(QUORNET_BINARY),
                QStringList{"--serve", "--port", QString::number(port), "--seed", "7", "--bot-speed", "10"} + more);
    }

    // Waits for the number the host gives a new connection and logs in under it; returns it.
    static int logIn(TcpClient& c, const QByteArray& name)
    {
        int n = 0;
        const auto numbered = [&] {
            const QStringList w = c.messages().filter(QRegularExpression("^CMD_sendlogininfo\\+\\d$"));
            if (!w.isEmpty()) n = w.last().mid(18).toInt();
            return n != 0;
        };
        if (!QTest::qWaitFor(numbered, Deadline)) return 0;
        c.write(msg::loginInfo(n, "1.0.11", name));
        return n;
    }

    static QStringList handOf(TcpClient& c, int seat)
    {
        return c.messages().filter(QStringLiteral("CMD_newcard+%1+").arg(seat));
    }

private slots:
    void servesAShortGameAndStopsOnSigterm()
    {
        const quint16 port = freePort();
        QVERIFY(port != 0);
        QProcess host;
        QByteArray log;
        start(host, log, port);
        QVERIFY2(host.waitForStarted(Deadline), qPrintable(host.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(log.contains("listening on port"), Deadline);

        TcpClient ann;
        ann.connectTo(port);
        QTRY_VERIFY_WITH_TIMEOUT(ann.has("CMD_sendlogininfo+1"), Deadline);
        ann.write(msg::loginInfo(1, "1.0.11", "Ann"));
        QTRY_VERIFY_WITH_TIMEOUT(ann.has("CMD_newplayerinfo+1+Ann"), Deadline);
        ann.write(msg::startGame("Ann", "r", false, true, 1));
        QTRY_VERIFY_WITH_TIMEOUT(ann.has("CMD_nextplayer+0+0+t+1"), Deadline);
        QVERIFY(ann.has("CMD_startgame+Ann+r+1+"));
        QCOMPARE(ann.count("CMD_newcard+1+"), 11);
        // A turn, and the computer players' turns back to seat 1.
        ann.write(msg::drawing(1, 1));
        QTRY_COMPARE_WITH_TIMEOUT(ann.count("CMD_newcard+1+"), 13, Deadline);
        ann.write(msg::discard(1, 0));
        QTRY_COMPARE_WITH_TIMEOUT(ann.count("CMD_nextplayer+4+"), 1, Deadline);

        host.terminate(); // SIGTERM
        QVERIFY(host.waitForFinished(Deadline));
        QCOMPARE(host.exitStatus(), QProcess::NormalExit);
        QCOMPARE(host.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(ann.closed(), Deadline);
        log += host.readAllStandardError();
        QVERIFY2(log.contains("accepted as participant 1"), log.constData());
        QVERIFY2(log.contains("logged in as Ann"), log.constData());
        QVERIFY2(log.contains("game started"), log.constData());
    }

    void aDroppedPlayerGetsItsSeatBack()
    {
        const quint16 port = freePort();
        QVERIFY(port != 0);
        QProcess host;
        QByteArray log;
        start(host, log, port, {"--seat-hold", "1"});
        QVERIFY2(host.waitForStarted(Deadline), qPrintable(host.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(log.contains("listening on port"), Deadline);

        TcpClient ann, bob;
        ann.connectTo(port);
        QCOMPARE(logIn(ann, "Ann"), 1);
        bob.connectTo(port);
        QCOMPARE(logIn(bob, "Bob"), 2);
        QTRY_VERIFY_WITH_TIMEOUT(ann.has("CMD_newplayerinfo+2+Bob"), Deadline);
        ann.write(msg::startGame("Ann", "3", false, true, 1));
        QTRY_COMPARE_WITH_TIMEOUT(handOf(bob, 2).size(), 11, Deadline);
        const QStringList hand = handOf(bob, 2);

        // Bob drops; a newcomer meanwhile is not given his seat.
        bob.socket.abort();
        QTRY_VERIFY_WITH_TIMEOUT(log.contains("seat 2 held for Bob"), Deadline);
        TcpClient eve;
        eve.connectTo(port);
        QCOMPARE(logIn(eve, "Eve"), 3);

        // Bob comes back under his name: seat 2 again, with the same hand.
        TcpClient back;
        back.connectTo(port);
        QCOMPARE(logIn(back, "Bob"), 4);
        QTRY_VERIFY_WITH_TIMEOUT(back.has("CMD_sendlogininfo+2"), Deadline);
        back.write(msg::loginInfo(2, "1.0.11", "Bob"));
        QTRY_COMPARE_WITH_TIMEOUT(handOf(back, 2).size(), 11, Deadline);
        QCOMPARE(handOf(back, 2), hand);
        QVERIFY(ann.messages().filter("CMD_newplayerinfo+4+").isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(ann.count("CMD_newplayerinfo+2+Bob") == 2, Deadline);

        // Gone again, and not back within the hold: the seat is anybody's.
        back.socket.abort();
        QTRY_VERIFY_WITH_TIMEOUT(log.contains("hold of seat 2 for Bob lapsed"), Deadline);
        TcpClient fay;
        fay.connectTo(port);
        QCOMPARE(logIn(fay, "Fay"), 2);
        host.terminate();
        QVERIFY(host.waitForFinished(Deadline));
    }

    // Two dedicated hosts on this machine, one of them kept off the network's lists:
    // --find-tables lists the other, by its name and with the seat its player took.
    void findTablesListsTheServedTables()
    {
        QProcess listed, unlisted;
        QByteArray listedLog, unlistedLog;
        const quint16 port = freePort(), other = freePort();
        start(listed, listedLog, port, {"--name", " Ann's table "});
        start(unlisted, unlistedLog, other, {"--no-lan"});
        QTRY_VERIFY_WITH_TIMEOUT(listedLog.contains("answering requests for tables on UDP port " + discoveryPort()), Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(unlistedLog.contains("listening on port"), Deadline);
        TcpClient ann;
        ann.connectTo(port);
        QCOMPARE(logIn(ann, "Ann"), 1);
        QTRY_VERIFY_WITH_TIMEOUT(ann.has("CMD_newplayerinfo+1+Ann"), Deadline);

        QProcess finder;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QUORNET_DISCOVERY_PORT", discoveryPort());
        finder.setProcessEnvironment(env);
        finder.start(QStringLiteral(QUORNET_BINARY), {"--find-tables", "1"});
        QVERIFY(finder.waitForFinished(Deadline));
        QCOMPARE(finder.exitCode(), 0);
        const QString out = QString::fromUtf8(finder.readAllStandardOutput());
        QCOMPARE(out, QStringLiteral("127.0.0.1:%1  Ann's table  1/4  no game\n").arg(port));
        QVERIFY(!unlistedLog.contains("answering requests"));
    }

    void busyPortIsReported()
    {
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::Any, 0));
        QProcess host;
        QByteArray log;
        start(host, log, taken.serverPort());
        QVERIFY(host.waitForFinished(Deadline));
        QCOMPARE(host.exitCode(), 1);
        log += host.readAllStandardError();
        QVERIFY2(log.contains("Listen - Error Binding Socket"), log.constData());
    }
};

QTEST_GUILESS_MAIN(TestServeProcess)
#include "test_serve_process.moc"
