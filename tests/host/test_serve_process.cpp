// The dedicated host as a process: `quornet --serve` on a free port, a short game over TCP, and a
// clean exit on SIGTERM.
#include "protocol/messages.h"
#include "support/copies.h"
#include "support/tcpclient.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QFile>
#include <QUdpSocket>
#include <QtTest>

using quornet::testing::TcpClient;
using quornet::testing::freePort;
namespace msg = quornet::protocol::msg;

namespace
{
constexpr int Deadline = 10000;

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
    static int logIn(TcpClient& c, const QByteArray& name, const QByteArray& key = {})
    {
        int n = 0;
        const auto numbered = [&] {
            const QStringList w = c.messages().filter(QRegularExpression("^CMD_sendlogininfo\\+\\d$"));
            if (!w.isEmpty()) n = w.last().mid(18).toInt();
            return n != 0;
        };
        if (!QTest::qWaitFor(numbered, Deadline)) return 0;
        c.write((key.isEmpty() ? QByteArray() : msg::rejoin(key)) + msg::loginInfo(n, "1.0.11", name));
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
        QByteArray log; // outlives the process, which writes to it until it goes
        QProcess host;
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

    // Bob's seat goes back to his key, whether the host saw his link die or only his window did;
    // a stranger using his name gets neither his seat nor his cards.
    void aDroppedPlayerGetsItsSeatBackWithItsKey()
    {
        const quint16 port = freePort();
        QVERIFY(port != 0);
        QByteArray log; // outlives the process, which writes to it until it goes
        QProcess host;
        start(host, log, port, {"--seat-hold", "2"});
        QVERIFY2(host.waitForStarted(Deadline), qPrintable(host.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(log.contains("listening on port"), Deadline);

        TcpClient ann, bob;
        ann.connectTo(port);
        QCOMPARE(logIn(ann, "Ann"), 1);
        bob.connectTo(port);
        QCOMPARE(logIn(bob, "Bob"), 2);
        ann.write(msg::startGame("Ann", "3", false, true, 1));
        QTRY_COMPARE_WITH_TIMEOUT(handOf(bob, 2).size(), 11, Deadline);
        const QStringList hand = handOf(bob, 2);
        const QStringList keys = bob.messages().filter(QRegularExpression("^CMD_seatkey\\+2\\+"));
        QCOMPARE(keys.size(), 1);
        const QByteArray key = keys.first().mid(14).toLatin1();
        QVERIFY2(!log.contains(key), "a key in the log");

        // Only Bob's side of the link died: his new connection takes the seat, the old one goes.
        const auto rejoin = [&](TcpClient& c) {
            c.connectTo(port);
            QTRY_VERIFY_WITH_TIMEOUT(c.count("CMD_sendlogininfo") == 1, Deadline);
            const int n = c.messages().filter("CMD_sendlogininfo").first().mid(18).toInt();
            c.write(msg::rejoin(key) + msg::loginInfo(n, "1.0.11", "Bob"));
            QTRY_VERIFY_WITH_TIMEOUT(c.has("CMD_sendlogininfo+2"), Deadline);
            c.write(msg::rejoin(key) + msg::loginInfo(2, "1.0.11", "Bob"));
            QTRY_COMPARE_WITH_TIMEOUT(handOf(c, 2).size(), 11, Deadline);
            QCOMPARE(handOf(c, 2), hand);
        };
        TcpClient again;
        rejoin(again);
        QTRY_VERIFY_WITH_TIMEOUT(bob.closed(), Deadline);
        QVERIFY(!QTest::currentTestFailed());

        // Now the host sees him go: the seat is held; a stranger calling itself Bob is a newcomer.
        again.socket.abort();
        QTRY_VERIFY_WITH_TIMEOUT(log.contains("seat 2 held for Bob"), Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(ann.has("CMD_seatheld+2+2+Bob"), Deadline);
        TcpClient stranger;
        stranger.connectTo(port);
        QCOMPARE(logIn(stranger, "Bob"), 3);
        TcpClient back;
        rejoin(back);
        QVERIFY(!QTest::currentTestFailed());
        QVERIFY(stranger.messages().filter("CMD_newcard+2+").isEmpty());
        QVERIFY(ann.messages().filter(key).isEmpty() && stranger.messages().filter(key).isEmpty());

        // Gone again, and not back within the hold: the seat is anybody's.
        back.socket.abort();
        QTRY_VERIFY_WITH_TIMEOUT(log.contains("hold of seat 2 for Bob lapsed"), Deadline);
        TcpClient fay;
        fay.connectTo(port);
        QCOMPARE(logIn(fay, "Fay"), 2);
        host.terminate();
        QVERIFY(host.waitForFinished(Deadline));
    }

    // Killed in the middle of a game, or stopped, the host takes the game up again from its
    // state folder: Ann's key gives her seat 1 with the same hand, scores and turn.
    void aKilledOrStoppedHostKeepsItsGame()
    {
        QTemporaryDir state;
        QVERIFY(state.isValid());
        const quint16 port = freePort();
        QVERIFY(port != 0);
        QByteArray log; // outlives the process, which writes to it until it goes
        QProcess host;
        start(host, log, port, {"--state-dir", state.path()});
        QVERIFY2(host.waitForStarted(Deadline), qPrintable(host.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(log.contains("listening on port"), Deadline);
        TcpClient ann;
        ann.connectTo(port);
        QCOMPARE(logIn(ann, "Ann"), 1);
        ann.write(msg::startGame("Ann", "3", false, true, 1));
        QTRY_VERIFY_WITH_TIMEOUT(ann.has("CMD_nextplayer+0+0+t+1"), Deadline);
        ann.write(msg::drawing(1, 1));
        QTRY_COMPARE_WITH_TIMEOUT(handOf(ann, 1).size(), 13, Deadline);
        ann.write(msg::discard(1, 0));
        QTRY_COMPARE_WITH_TIMEOUT(ann.count("CMD_nextplayer+4+"), 1, Deadline); // Ann's turn again
        const QByteArray key = ann.messages().filter("CMD_seatkey+1+").first().mid(14).toLatin1();
        const QString file = state.filePath(QStringLiteral("table-%1.json").arg(port));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(file), Deadline);

        for (const bool kill : {true, false}) {
            // What Ann holds now, as the host sent it since her last (re)login.
            QStringList held;
            for (const QString& m : ann.messages()) {
                if (m.startsWith("CMD_sendlogininfo")) held.clear();
                if (m.startsWith("CMD_newcard+1+")) held << m.section('+', 2, 2) + ":" + m.section('+', 3);
                if (m.startsWith("CMD_freecard+")) held.removeIf([&](const QString& c) { return c.startsWith(m.mid(13) + ":"); });
            }
            if (kill) host.kill(); else host.terminate();
            QVERIFY(host.waitForFinished(Deadline));
            QCOMPARE(host.exitCode() == 0, !kill);
            QTRY_VERIFY_WITH_TIMEOUT(ann.closed(), Deadline);
            log.clear();
            start(host, log, port, {"--state-dir", state.path()});
            QTRY_VERIFY_WITH_TIMEOUT(log.contains("listening on port"), Deadline);
            QVERIFY2(log.contains("restored a saved game"), log.constData());
            ann.forget();
            ann.connectTo(port);
            // Seat 1 is held for her key: she comes in under another number and is moved.
            const int first = logIn(ann, "Ann", key);
            QVERIFY(first > 1);
            QTRY_VERIFY_WITH_TIMEOUT(ann.has("CMD_sendlogininfo+1"), Deadline);
            ann.write(msg::rejoin(key) + msg::loginInfo(1, "1.0.11", "Ann"));
            QTRY_VERIFY_WITH_TIMEOUT(ann.has("CMD_nextplayer+1+" + QString::number(held.size()) + "+t+1"), Deadline);
            QStringList back;
            for (const QString& m : ann.messages().filter("CMD_newcard+1+")) back << m.section('+', 2, 2) + ":" + m.section('+', 3);
            QCOMPARE(back, held);
            QCOMPARE(ann.count("CMD_scoresheet+1+0+"), 1); // the round in play, with its points
        }
        host.terminate();
        QVERIFY(host.waitForFinished(Deadline));
    }

    // Two dedicated hosts on this machine, one of them kept off the network's lists:
    // --find-tables lists the other, by its name and with the seat its player took.
    void findTablesListsTheServedTables()
    {
        QByteArray listedLog, unlistedLog; // before the processes: they write here until they go
        QProcess listed, unlisted;
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
        for (QProcess* p : {&listed, &unlisted}) {
            p->terminate();
            QVERIFY(p->waitForFinished(Deadline));
        }
    }

    void busyPortIsReported()
    {
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::Any, 0));
        QByteArray log; // outlives the process, which writes to it until it goes
        QProcess host;
        start(host, log, taken.serverPort());
        QVERIFY(host.waitForFinished(Deadline));
        QCOMPARE(host.exitCode(), 1);
        log += host.readAllStandardError();
        QVERIFY2(log.contains("Listen - Error Binding Socket"), log.constData());
    }
};

QTEST_GUILESS_MAIN(TestServeProcess)
#include "test_serve_process.moc"
