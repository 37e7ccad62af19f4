// The table's side of LAN discovery: answers every well-formed query that reaches the discovery
// port with what the table is now (see discoverydatagram.h).
//
// Every responder on a machine binds the same UDP port with the address shared: a broadcast
// query (on an interface's broadcast address, or on 127.255.255.255 for this machine) reaches
// all of them, so several dedicated hosts and a hosting copy are all found, without a daemon.
#pragma once

#include "net/discoverydatagram.h"

#include <QElapsedTimer>
#include <QObject>
#include <QUdpSocket>

#include <functional>

namespace quornet::net {

class DiscoveryResponder : public QObject {
    Q_OBJECT
public:
    // Answers beyond this many a second are not sent: a flood of queries costs the host little.
    static constexpr int MaxAnswersPerSecond = 50;

    // `status` is asked for the table's state at every query.
    explicit DiscoveryResponder(std::function<TableInfo()> status, QObject* parent = nullptr);

    // Binds the discovery port (shared with the machine's other tables). On failure returns
    // false and sets a sentence saying why.
    bool start(quint16 udpPort, QString* error = nullptr);
    void stop();
    bool isRunning() const { return m_socket.state() == QAbstractSocket::BoundState; }
    quint16 udpPort() const { return m_socket.localPort(); }
    // Names this table in answers while the responder lives.
    quint64 id() const { return m_id; }

private:
    void readPending();
    bool withinRate();

    std::function<TableInfo()> m_status;
    QUdpSocket m_socket;
    quint64 m_id;
    QElapsedTimer m_window;
    int m_answersInWindow = 0;
};

} // namespace quornet::net
