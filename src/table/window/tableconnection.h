// The table window's one connection to the host (`sock`): connects, sends whole messages, frames
// received bytes into the inbound queue, and hands out one queued message per tick of the 1 ms
// message timer (Timer1). The timer runs only while messages wait or while the owner asks for
// ticks (the quick-phrase cool-down counts them), so an idle window does not spin.
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

    explicit TableConnection(QObject* parent = nullptr);

    // Non-blocking; success or failure is reported later. A failed attempt leaves the window
    // idle (no retry).
    void connectToHost(const QString& host, quint16 port);
    // The hosting copy's own window: connects to its own host on the loopback address from a
    // local port bound first, so the host can tell this connection from every other. Returns
    // that local port (0 when it could not be bound; the connection is then made all the same).
    quint16 connectToOwnHost(quint16 port);
    // Sends one whole message. Nothing is sent while not connected.
    bool send(const QByteArray& message);
    bool isConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    void close();

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
    // The established connection ended (the host closed it, the host program ended, or this
    // participant was removed): the window closes itself.
    void connectionClosed();
    void connected();

private:
    void readAll();

    QTcpSocket m_socket;
    protocol::FrameSplitter m_framing;
    std::deque<QByteArray> m_queue;
    QTimer m_timer;
    std::function<bool()> m_tickHook;
    bool m_wasConnected = false;
};

} // namespace quornet::table
