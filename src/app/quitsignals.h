#pragma once

class QObject;

namespace quornet::app {

// SIGINT and SIGTERM call `onQuit` on the event loop (never inside the signal handler).
void quitOnSignals(QObject* context, void (*onQuit)());

} // namespace quornet::app
