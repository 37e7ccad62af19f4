// The table window's one connection to the host (`sock`): connects, sends whole messages, frames
// received bytes into the inbound queue, and hands out one queued message per tick of the 1 ms
// message timer (Timer1). The timer runs only while messages wait or while the owner asks for
// ticks (the quick-phrase cool-down counts them), so an idle window does not spin.
//
// When the connection ends, what the host sent before it ended is handled first: the end is
// reported once the queue is empty (a CMD_full is shown before the window reacts to the close).
// While the owner holds the dispatch (a message box is open), nothing is handed out.
#pragma once

#include "protocol/framing.h"

#include <QObject>
#include <QTcpSocket>
#include <QTimer>

#include <deque>
#include <functional>

namespace quornet::table {

class TableConnection : public QObject {
    Q_OBJECT
public:
    static constexpr int TickMs = 1;
    // A link that brings nothing for this long is taken for dead (the host sends a heartbeat
    // after 10 s of quiet, so a live host is never this silent).
    static constexpr int LinkSilenceMs = 45'000;

    explicit TableConnection(QObject* parent = nullptr);
    ~TableConnection() override;

    // Non-blocking; success or failure is reported later (connected() or attemptFailed()).
    void connectToHost(const QString& host, quint16 port);
    // The hosting copy's own window: connects to its own host on the loopback address from a
    // local port bound first, so the host can tell this connection from every other. Returns
    // that local port (0 when it could not be bound; the connection is then made all the same).
    quint16 connectToOwnHost(quint16 port);
    // A new attempt to the address and port of the last connectToHost(), with a fresh queue.
    void reconnect();
    // Gives up an attempt still under way (nothing is reported for it).
    void abortAttempt();
    // Sends one whole message. Nothing is sent while not connected.
    bool send(const QByteArray& message);
    bool isConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    void close();

    // Tests shorten the silence after which the link counts as dead.
    void setSilenceLimitMs(int ms) { m_silence.setInterval(ms); }
    const QString& hostAddress() const { return m_host; }
    quint16 hostPort() const { return m_port; }

    // While held, no message is handed out and the end of the connection is not reported.
    void holdDispatch(bool hold);
    bool dispatchHeld() const { return m_held > 0; }

    // Called after each tick's dispatch; returns true while it still needs ticks.
    void setTickHook(std::function<bool()> hook) { m_tickHook = std::move(hook); }
    // Starts the timer if it is not running (for example when the cool-down begins).
    void wakeTimer();
    bool timerActive() const { return m_timer.isActive(); }
    int queued() const { return int(m_queue.size()); }
    // One tick by hand (tests): dispatch one message, advance the hook.
    void tick();

signals:
    void messageReceived(const QByteArray& text);
    // The established connection ended (the host closed it, the host program ended, this
    // participant was removed, or the network failed), after every message received before
    // the end was handled.
    void connectionClosed();
    void connected();
    // An attempt to connect failed before the connection was made.
    void attemptFailed(QAbstractSocket::SocketError error);

private:
    void readAll();
    void reportEndWhenDone();
    void silenceEnded();

    QTcpSocket m_socket;
    protocol::FrameSplitter m_framing;
    std::deque<QByteArray> m_queue;
    QTimer m_timer;
    QTimer m_silence; // restarted by every byte from the host
    bool m_watchSilence = true;
    std::function<bool()> m_tickHook;
    QString m_host;
    quint16 m_port = 0;
    bool m_wasConnected = false;
    bool m_endPending = false;
    int m_held = 0;
};

} // namespace quornet::table
