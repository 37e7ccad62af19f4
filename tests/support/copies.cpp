#include "support/copies.h"

#include <QTcpServer>

namespace quornet::testing
{

quint16 freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) return 0;
    return probe.serverPort(); // closed again when the probe goes
}

QProcessEnvironment copyEnvironment(const QTemporaryDir& tmp, const QString& stateFile)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", tmp.path());
    env.insert("HOME", tmp.path());
    env.insert("XDG_DATA_HOME", tmp.filePath("data")); // kept games and tallies stay in the test's folder
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QUORNET_STATE_FILE", stateFile);
    env.insert("QUORNET_NO_DESKTOP", "1");
    return env;
}

} // namespace quornet::testing
