// A joined table window that loses its connection during a game gets back to its seat by
// itself, through a cut link and through a host that refuses for a while; only the host's
// farewell (here a removal) closes it. The window joins a dedicated host
// (`quornet --serve`) through a small relay of the test's own, which can cut the window's
// connection while the host keeps running. The window writes what it shows to a state file
// (QUORNET_STATE_FILE).
#include "protocol/messages.h"
#include "support/copies.h"
#include "support/files.h"
#include "support/tcpclient.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using quornet::testing::TcpClient;
namespace msg = quornet::protocol::msg;

using quornet::testing::copyEnvironment;
using quornet::testing::freePort;
using quornet::testing::readText;

namespace {
constexpr int Deadline = 30000;

// Forwards every connection made to it to the host; cut() ends the connections it carries and
// goes on listening.
class Relay : public QObject {
public:
    explicit Relay(quint16 target) : m_target(target)
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* in = m_server.nextPendingConnection()) {
                auto* out = new QTcpSocket(this);
                m_pairs.append(qMakePair(QPointer<QTcpSocket>(in), QPointer<QTcpSocket>(out)));
                connect(in, &QTcpSocket::readyRead, out, [in, out] { out->write(in->readAll()); });
                connect(out, &QTcpSocket::readyRead, in, [in, out] { in->write(out->readAll()); });
                connect(out, &QTcpSocket::connected, out, [in, out] { out->write(in->readAll()); });
                connect(out, &QTcpSocket::disconnected, in, &QTcpSocket::disconnectFromHost);
                connect(out, &QTcpSocket::errorOccurred, in, [in, out] {
                    if (out->state() != QAbstractSocket::ConnectedState) in->abort();
                });
                connect(in, &QTcpSocket::disconnected, out, &QTcpSocket::disconnectFromHost);
                out->connectToHost(QHostAddress::LocalHost, m_target);
            }
        });
    }
    quint16 port() const { return m_server.serverPort(); }
    // Listens again on the same port after stop().
    bool resume(quint16 port) { return m_server.listen(QHostAddress::LocalHost, port); }
    int connections() const { return int(m_pairs.size()); }
    // The way to the host is gone: nothing listens here any more.
    void stop()
    {
        m_server.close();
        cut();
    }
    void cut()
    {
        for (auto& [in, out] : m_pairs) {
            if (in) in->abort();
            if (out) out->abort();
        }
    }

private:
    QTcpServer m_server;
    quint16 m_target;
    QList<QPair<QPointer<QTcpSocket>, QPointer<QTcpSocket>>> m_pairs;
};
} // namespace

class TestReconnect : public QObject {
    Q_OBJECT
private slots:
    void aCutConnectionComesBackAndARemovalClosesTheWindow()
    {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const quint16 port = freePort();
        QByteArray hostLog; // before the processes: the host writes to it until it is gone
        QProcess host, window;
        // Whatever happens, no copy outlives the test.
        const auto stop = qScopeGuard([&] {
            for (QProcess* p : {&window, &host})
                if (p->state() != QProcess::NotRunning) {
                    p->kill();
                    p->waitForFinished(Deadline);
                }
        });
        QProcessEnvironment hostEnv = QProcessEnvironment::systemEnvironment();
        hostEnv.insert("QT_LOGGING_RULES", "quornet.host.info=true");
        host.setProcessEnvironment(hostEnv);
        connect(&host, &QProcess::readyReadStandardError, &host, [&] { hostLog += host.readAllStandardError(); });
        host.start(QStringLiteral(QUORNET_BINARY), {"--serve", "--port", QString::number(port), "--seed", "3"});
        QVERIFY(host.waitForStarted(Deadline));
        QTRY_VERIFY_WITH_TIMEOUT(hostLog.contains("listening on port"), Deadline);

        // Ann holds seat 1 and the host user's rights; Bob's window joins through the relay.
        TcpClient ann;
        ann.connectTo(port);
        QTRY_VERIFY_WITH_TIMEOUT(ann.has("CMD_sendlogininfo+1"), Deadline);
        ann.write(msg::loginInfo(1, "1.0.11", "Ann"));
        Relay relay(port);
        const QString state = tmp.filePath("state.txt");
        QProcessEnvironment env = copyEnvironment(tmp, state);
        env.insert("QUORNET_RECONNECT_PACING", "first=50,longest=400,farewell=100"); // no waiting
        window.setProcessEnvironment(env);
        window.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        window.start(QStringLiteral(QUORNET_BINARY), {"Bob", "127.0.0.1", "join", "--port", QString::number(relay.port())});
        QVERIFY(window.waitForStarted(Deadline));
        QTRY_VERIFY_WITH_TIMEOUT(readText(state).contains("own 2 logged in"), Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(ann.has("CMD_newplayerinfo+2+Bob"), Deadline);
        ann.write(msg::startGame("Ann", "3", false, true, 1));
        QTRY_VERIFY_WITH_TIMEOUT(readText(state).contains("hand 11"), Deadline);

        // The connection is cut while the host keeps running: the window stays and comes back
        // to seat 2 with its hand.
        relay.cut();
        QTRY_VERIFY_WITH_TIMEOUT(readText(state).contains("status Lost the connection to the host. Reconnecting"), Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(relay.connections() >= 2, Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(readText(state).contains("status Reconnected to the host."), Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(hostLog.contains("Bob returns to seat 2"), Deadline);
        // The host's catch-up follows the login; it ends with the turn and every seat's count.
        // (The count of the turn seat, Ann's, comes last.)
        QTRY_VERIFY_WITH_TIMEOUT(readText(state).contains("seat 1 Ann score 0 cards 11"), Deadline);
        const QString back = readText(state);
        QVERIFY2(back.contains("own 2 logged in") && back.contains("hand 11") && back.contains("turn 1 Ann's turn.") &&
                     back.contains("seat 4 Kling score 0 cards 11"),
                 qPrintable(back));
        QCOMPARE(window.state(), QProcess::Running);

        // Nothing listens for a while (a host restarting): refusals do not end the tries.
        const quint16 relayPort = relay.port();
        const int before = relay.connections();
        relay.stop();
        QTRY_VERIFY_WITH_TIMEOUT(readText(state).contains("status Lost the connection to the host. Reconnecting"), Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(readText(state).contains("Reconnecting (try 2)"), Deadline); // one refused at least
        QVERIFY(relay.resume(relayPort));
        QTRY_VERIFY_WITH_TIMEOUT(relay.connections() > before, Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(readText(state).contains("status Reconnected to the host."), Deadline);
        QCOMPARE(window.state(), QProcess::Running);

        // The host user removes Bob: his window says so and closes.
        ann.write(msg::kickHim(1, 2));
        // (The event loop must run for the request to leave.)
        QTRY_COMPARE_WITH_TIMEOUT(window.state(), QProcess::NotRunning, Deadline);
        QCOMPARE(window.exitStatus(), QProcess::NormalExit);
    }

    // A first connection that nobody takes, or that nobody speaks on, ends in a box that says
    // which, not in an endless "Loading...".
    void aFirstContactWithoutAnAnswerSaysSo()
    {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        QTcpServer silent; // takes connections and never speaks
        QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
        const quint16 nobody = freePort();
        const QList<QPair<quint16, QString>> cases{
            {nobody, QStringLiteral("box Nobody is hosting a table at 127.0.0.1:%1.").arg(nobody)},
            {silent.serverPort(), QStringLiteral("box No answer from 127.0.0.1:%1.").arg(silent.serverPort())}};
        for (const auto& [port, box] : cases) {
            QProcess window;
            const QString state = tmp.filePath(QStringLiteral("state-%1.txt").arg(port));
            QProcessEnvironment env = copyEnvironment(tmp, state);
            env.insert("QUORNET_RECONNECT_PACING", "contact=500"); // the silent host is given up soon
            window.setProcessEnvironment(env);
            window.start(QStringLiteral(QUORNET_BINARY), {"Bob", "127.0.0.1", "join", "--port", QString::number(port)});
            QVERIFY(window.waitForStarted(Deadline));
            QTRY_VERIFY2_WITH_TIMEOUT(readText(state).contains(box), qPrintable(readText(state)), Deadline);
            window.kill();
            QVERIFY(window.waitForFinished(Deadline));
        }
    }
};

QTEST_GUILESS_MAIN(TestReconnect)
#include "test_reconnect.moc"
