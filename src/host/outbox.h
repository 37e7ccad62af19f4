// How the rules engine reaches the outside world: messages to participants, closing a
// connection, and the computer-player timer. The TServer adapter implements it over sockets and
// a QTimer; tests and the simulator implement it in memory.
#pragma once

#include <QByteArray>

namespace quornet::host {

class Outbox {
public:
    virtual ~Outbox() = default;
    // One whole message (terminator included) to one connected participant.
    virtual void send(int participant, const QByteArray& message) = 0;
    // Close a participant's connection (removed by the host's user, or misbehaving). The adapter
    // reports the closed connection back through HostEngine::connectionClosed.
    virtual void disconnect(int participant) = 0;
    // The connection that held number `from` now holds number `to` (a player taking a held seat
    // back); what is sent to `to` from now on goes to that connection. Outboxes that do not
    // route by number may ignore it.
    virtual void renumber(int from, int to) { (void)from; (void)to; }
    // Close a participant's connection without reporting it back: the engine has already
    // forgotten it (a player's dead connection replaced by its new one). Outboxes without real
    // connections may ignore it.
    virtual void forget(int participant) { (void)participant; }
    // The game changed (a move, a turn, a round, a seat held or freed): time to save it. Said
    // once after each event that changed it.
    virtual void gameChanged() {}
    // The computer-player timer was armed (enabled, with its interval; ticks restart from 0)
    // or disarmed.
    virtual void botTimerChanged(bool enabled, int intervalMs) = 0;
};

// Nobody is connected: the messages go nowhere (the simulator, the benchmarks). The timer's
// state is the engine's own (HostEngine::botTimerEnabled()).
class SilentOutbox : public Outbox {
public:
    void send(int, const QByteArray&) override {}
    void disconnect(int) override {}
    void botTimerChanged(bool, int) override {}
};

} // namespace quornet::host
