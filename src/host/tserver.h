// TServer: the host's network adapter. It owns the listening socket (Sock1), one socket per
// accepted participant, the 10 ms message timer (socktimer) and the computer-player timer
// (Timer1), and feeds the rules engine. It never shows a window; every copy of the program has
// one, but only a hosting copy (or the dedicated host) listens.
#pragma once

#include "host/engine.h"
#include "host/outbox.h"
#include "host/random.h"

#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTimer>

#include <array>
#include <memory>

class QTcpSocket;

namespace quornet::host {

class TServer : public QObject, private Outbox {
    Q_OBJECT
public:
    static constexpr quint16 DefaultPort = 7772;
    static constexpr int ListenBacklog = 5;
    static constexpr int SockTimerMs = 10;

    explicit TServer(std::uint32_t seed, EngineOptions options = {}, QObject* parent = nullptr);
    ~TServer() override;

    // Starts listening on all local addresses. On failure returns false and sets the error text
    // ("Listen - Error Binding Socket" or "Listen - Error Starting Listen").
    bool listen(quint16 port, QString* error = nullptr);
    bool isListening() const { return m_sock1.isListening(); }
    quint16 port() const { return m_sock1.serverPort(); }
    // Closes the listener and every connection.
    void shutdown();

    HostEngine& engine() { return *m_engine; }

private:
    void acceptPending();
    void readFrom(int participant);
    void socketClosed(int participant, QTcpSocket* socket);
    void startSockTimer();

    // Outbox
    void send(int participant, const QByteArray& message) override;
    void disconnect(int participant) override;
    void botTimerChanged(bool enabled, int intervalMs) override;

    SeededRandom m_random;
    std::unique_ptr<HostEngine> m_engine;
    QTcpServer m_sock1;
    QTimer m_sockTimer;
    QTimer m_timer1;
    std::array<QPointer<QTcpSocket>, ConnectionRecords + 1> m_sockets{};
};

} // namespace quornet::host
