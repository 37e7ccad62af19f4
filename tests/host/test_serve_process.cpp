// The dedicated host as a process: `quornet --serve` on a free port, a short game over TCP, and a
// clean exit on SIGTERM.
#include "protocol/messages.h"
#include "tcpclient.h"

#include <QProcess>
#include <QTcpServer>
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
} // namespace

class TestServeProcess : public QObject
{
    Q_OBJECT

    // Starts the host; its standard error is collected into `log`.
    void start(QProcess& p, QByteArray& log, quint16 port)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_LOGGING_RULES", "quornet.host.info=true");
        p.setProcessEnvironment(env);
        connect(&p, &QProcess::readyReadStandardError, &p,
                [&] { log += p.readAllStandardError(); });
        p.start(QStringLiteral(QUORNET_BINARY),
                {"--serve", "--port", QString::number(port), "--seed", "7", "--bot-speed", "10"});
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
