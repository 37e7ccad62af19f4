// Programs run as processes by tests: a free port to give them, and the environment a copy of
// the program runs in (its own TMPDIR and HOME, so the instance guard lets several run, the
// offscreen platform, and the state file it writes what it shows to).
#pragma once

#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace quornet::testing
{

// A local TCP port nobody listens on now (0 when none could be found).
quint16 freePort();

QProcessEnvironment copyEnvironment(const QTemporaryDir& tmp, const QString& stateFile);

} // namespace quornet::testing
