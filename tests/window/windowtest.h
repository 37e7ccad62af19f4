// Small helpers of the window tests: a free port, a file's text, and the environment a copy of
// the program runs in (its own TMPDIR and HOME, so the instance guard lets several run, the
// offscreen platform, and the state file it writes what it shows to).
#pragma once

#include <QFile>
#include <QProcessEnvironment>
#include <QTcpServer>
#include <QTemporaryDir>

namespace quornet::testing {

inline quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort(); // closed again when the probe goes
}

inline QString readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

inline QProcessEnvironment copyEnvironment(const QTemporaryDir& tmp, const QString& stateFile)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", tmp.path());
    env.insert("HOME", tmp.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QUORNET_STATE_FILE", stateFile);
    env.insert("QUORNET_NO_DESKTOP", "1");
    return env;
}

} // namespace quornet::testing
