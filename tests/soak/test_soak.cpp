// Soak test: a dedicated host (`quornet --serve`, fast computer players) and nine real TCP
// clients that join, log in, chat, play their seats with legal and illegal requests, speak for
// other participants, send malformed and split messages, drop and reconnect, while participant
// 1 starts one-round games again and again. About 60 s with CI=true, 15 s otherwise
// (QUORNET_SOAK_SECONDS overrides).
//
// At the end: the host still answers a new connection with CMD_sendlogininfo, every game it
// started ended (the last one is finished by the computer players once everybody has left),
// no client saw another seat's cards, no chat was relayed under another number, and the host's
// resident memory did not grow between the end of the first quarter and the end of the run by
// more than the margin below.
#include "soakclient.h"

#include "protocol/framing.h"
#include "protocol/messages.h"
#include "support/files.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <memory>
#include <utility>
#include <vector>

using namespace quornet::soak;

namespace
{

constexpr int Clients = 9;
constexpr int Deadline = 10000;
// Allowed growth of the host's resident memory from the end of the first quarter to the end.
constexpr long MarginKiB = 2048;

long residentKiB(qint64 pid)
{
    for (const QByteArray& line : quornet::testing::readFile(QStringLiteral("/proc/%1/status").arg(pid)).split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// The host's log lines that matter here, counted as they arrive.
struct HostLog {
    QByteArray pending;
    qint64 bytes = 0;
    QStringList tail; // the last lines, shown when the end of the run goes wrong
    quint16 port = 0;
    int started = 0;
    int ended = 0;
    int dropped = 0;
    QStringList problems; // critical lines, or anything the host reports as broken

    void feed(const QByteArray& more)
    {
        bytes += more.size();
        pending += more;
        qsizetype from = 0;
        qsizetype nl;
        while ((nl = pending.indexOf('\n', from)) >= 0) {
            const QByteArray line = pending.mid(from, nl - from);
            from = nl + 1;
            tail << QString::fromLatin1(line);
            if (tail.size() > 300) tail.removeFirst();
            static const QRegularExpression listening(QStringLiteral("listening on port (\\d+)"));
            const auto m = listening.match(QString::fromLatin1(line));
            if (m.hasMatch()) port = quint16(m.captured(1).toUInt());
            if (line.contains("game started by")) ++started;
            if (line.contains("game ended:")) ++ended;
            if (line.contains("dropped a message")) ++dropped;
            if (line.contains("invariant") || line.contains("critical") || line.contains("fatal"))
                problems << QString::fromLatin1(line);
        }
        pending.remove(0, from);
    }
};

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT
private slots:
    void nineClientsAgainstTheHost()
    {
        const bool ci = qEnvironmentVariable("CI") == QLatin1String("true");
        int seconds = qEnvironmentVariableIntValue("QUORNET_SOAK_SECONDS");
        if (seconds <= 0) seconds = ci ? 60 : 15;
        const quint32 runSeed = qEnvironmentVariableIsSet("QUORNET_SOAK_SEED")
                                    ? quint32(qEnvironmentVariable("QUORNET_SOAK_SEED").toUInt())
                                    : QRandomGenerator::global()->generate();
        qInfo("soak: %d s, seed %u (QUORNET_SOAK_SEED replays the clients' choices)", seconds,
              runSeed);

        QProcess host;
        HostLog log;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("quornet.host.info=true"));
        host.setProcessEnvironment(env);
        connect(&host, &QProcess::readyReadStandardError, &host,
                [&] { log.feed(host.readAllStandardError()); });
        host.start(QStringLiteral(QUORNET_BINARY),
                   {"--serve", "--port", "0", "--seed", QString::number(runSeed % 100000),
                    "--bot-speed", "5"});
        QVERIFY2(host.waitForStarted(Deadline), qPrintable(host.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(log.port != 0, Deadline);

        Referee referee;
        std::vector<std::unique_ptr<SoakClient>> clients;
        for (int i = 1; i <= Clients; ++i) {
            clients.push_back(
                std::make_unique<SoakClient>(i, log.port, referee, runSeed + quint32(i)));
            QTimer::singleShot(20 * i, clients.back().get(), &SoakClient::start);
        }

        long rssQuarter = -1;
        QTimer quarter;
        quarter.setSingleShot(true);
        connect(&quarter, &QTimer::timeout, this,
                [&] { rssQuarter = residentKiB(host.processId()); });
        quarter.start(seconds * 1000 / 4);
        QEventLoop run;
        QTimer::singleShot(seconds * 1000, &run, &QEventLoop::quit);
        run.exec();
        const long rssEnd = residentKiB(host.processId());
        QCOMPARE(host.state(), QProcess::Running);
        const int startedDuringRun = log.started;
        for (auto& c : clients)
            c->stop();

        // The host still answers a new connection (tried again while the table still counts the
        // clients that just left), and the game in progress (if any) is played to its end by the
        // computer players once that connection has gone too.
        QTcpSocket observer;
        quornet::protocol::FrameSplitter split;
        bool answered = false;
        const auto tryConnect = [&] {
            split.clear();
            observer.connectToHost(QHostAddress::LocalHost, log.port);
        };
        connect(&observer, &QTcpSocket::readyRead, this, [&] {
            static const QRegularExpression welcome(QStringLiteral("^CMD_sendlogininfo\\+\\d$"));
            for (const QByteArray& m : split.feed(observer.readAll()))
                if (welcome.match(QString::fromLatin1(m)).hasMatch()) answered = true;
        });
        connect(&observer, &QTcpSocket::disconnected, this, [&] {
            if (!answered) QTimer::singleShot(50, &observer, tryConnect);
        });
        tryConnect();
        QTRY_VERIFY_WITH_TIMEOUT(answered, Deadline);
        observer.abort();
        if (!QTest::qWaitFor([&] { return log.ended == log.started; }, 6 * Deadline)) {
            for (auto& c : clients)
                for (const QString& f : std::as_const(c->faults))
                    qWarning("%s", qPrintable(f));
            qWarning("soak: %lld bytes of host log, the last lines:", log.bytes);
            for (const QString& line : std::as_const(log.tail))
                qWarning("%s", qPrintable(line));
            QFAIL(qPrintable(QStringLiteral("the host started %1 games and ended %2")
                                 .arg(log.started)
                                 .arg(log.ended)));
        }

        QStringList faults;
        ClientStats total;
        for (auto& c : clients) {
            faults += c->faults;
            const ClientStats& s = c->stats();
            total.connections += s.connections;
            total.refusedFull += s.refusedFull;
            total.messagesReceived += s.messagesReceived;
            total.messagesSent += s.messagesSent;
            total.spoofsSent += s.spoofsSent;
            total.malformedSent += s.malformedSent;
            total.turnsPlayed += s.turnsPlayed;
        }
        qInfo("soak: %d games started (%d during the run), %d ended; %d connections (%d refused "
              "as full); %d messages sent, %d received; %d spoofed, %d malformed; %d human "
              "discards; %d messages dropped by the host",
              log.started, startedDuringRun, log.ended, total.connections, total.refusedFull,
              total.messagesSent, total.messagesReceived, total.spoofsSent, total.malformedSent,
              total.turnsPlayed, log.dropped);
        qInfo("soak: host resident memory %ld KiB after the first quarter, %ld KiB at the end "
              "(margin %ld KiB)",
              rssQuarter, rssEnd, MarginKiB);

        QVERIFY2(faults.isEmpty(), qPrintable(faults.mid(0, 20).join('\n')));
        QVERIFY2(log.problems.isEmpty(), qPrintable(log.problems.mid(0, 20).join('\n')));
        QVERIFY2(startedDuringRun >= 1, "no game was started");
        QVERIFY(total.spoofsSent > 0 && total.malformedSent > 0 && total.connections > Clients);
        QVERIFY(rssQuarter > 0 && rssEnd > 0);
        QVERIFY2(rssEnd <= rssQuarter + MarginKiB, "the host's memory grew");

        host.terminate();
        QVERIFY(host.waitForFinished(Deadline));
        QCOMPARE(host.exitStatus(), QProcess::NormalExit);
        QCOMPARE(host.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSoak)
#include "test_soak.moc"
