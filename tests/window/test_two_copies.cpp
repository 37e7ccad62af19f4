// Two copies of the program on one machine: one hosts, one joins. Each gets its own TMPDIR, so
// the instance guard lets both run. The joiner's window writes what it shows to a state file
// (QUORNET_STATE_FILE), which the test reads.
#include "support/copies.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

using quornet::testing::copyEnvironment;
using quornet::testing::freePort;
using quornet::testing::readText;

namespace {
constexpr int Deadline = 20000;
} // namespace

class TestTwoCopies : public QObject {
    Q_OBJECT
private:
    void startCopy(QProcess& p, const QTemporaryDir& tmp, const QStringList& args, const QString& stateFile)
    {
        p.setProcessEnvironment(copyEnvironment(tmp, stateFile));
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(QStringLiteral(QUORNET_BINARY), args);
        QVERIFY(p.waitForStarted(Deadline));
    }

private slots:
    void hostAndJoinerSeeEachOther()
    {
        QTemporaryDir hostTmp, joinTmp;
        QVERIFY(hostTmp.isValid() && joinTmp.isValid());
        const QString port = QString::number(freePort());
        const QString hostState = hostTmp.filePath("state.txt");
        const QString joinState = joinTmp.filePath("state.txt");
        QProcess host, joiner;
        startCopy(host, hostTmp, {"Hannah", "127.0.0.1", "true", "--port", port}, hostState);
        QTRY_VERIFY_WITH_TIMEOUT(readText(hostState).contains("own 1 logged in"), Deadline);
        startCopy(joiner, joinTmp, {"Jonas", "127.0.0.1", "join", "--port", port}, joinState);

        // The joiner logs in as participant 2, seat 2, and sees the host's name on seat 1.
        QTRY_VERIFY_WITH_TIMEOUT(readText(joinState).contains("own 2 logged in"), Deadline);
        QTRY_VERIFY_WITH_TIMEOUT(readText(joinState).contains("seat 1 Hannah"), Deadline);
        QVERIFY(readText(joinState).contains("seat 2 Jonas"));
        QVERIFY(readText(joinState).contains("seat 3 <Waiting>")); // no participant 3 has been numbered yet
        QVERIFY(readText(joinState).contains("status Welcome to Quornet!"));
        QTRY_VERIFY_WITH_TIMEOUT(readText(hostState).contains("seat 2 Jonas"), Deadline);
        // The joiner offers no game start.
        QVERIFY(readText(joinState).contains("start hidden"));
        QVERIFY(readText(hostState).contains("start shown"));

        // A second copy with the host's TMPDIR finds the first and exits at once.
        QProcess second;
        startCopy(second, hostTmp, {}, hostTmp.filePath("second.txt"));
        QVERIFY(second.waitForFinished(Deadline));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(!QFile::exists(hostTmp.filePath("second.txt")));

        // When the host ends, the joined copy closes itself.
        host.terminate();
        QVERIFY(host.waitForFinished(Deadline));
        QVERIFY(joiner.waitForFinished(Deadline));
        QCOMPARE(joiner.exitStatus(), QProcess::NormalExit);
    }
};

QTEST_GUILESS_MAIN(TestTwoCopies)
#include "test_two_copies.moc"
