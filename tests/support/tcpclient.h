// A table window's connection reduced to what tests need: a QTcpSocket to the host, whose
// received bytes are split into messages (texts without their terminator). Tests wait on it with
// QTRY_* and a deadline; nothing here blocks.
#pragma once

#include "protocol/framing.h"

#include <QHostAddress>
#include <QStringList>
#include <QTcpSocket>

namespace quornet::testing
{

class TcpClient
{
public:
    void connectTo(quint16 port) { socket.connectToHost(QHostAddress::LocalHost, port); }
    void write(const QByteArray& bytes)
    {
        socket.write(bytes);
        socket.flush();
    }
    // Reads what has arrived and returns every message received so far.
    const QStringList& messages()
    {
        for (const QByteArray& m : m_framing.feed(socket.readAll()))
            m_messages << QString::fromLatin1(m);
        return m_messages;
    }
    bool has(const QString& message) { return messages().contains(message); }
    int count(const QString& prefix) { return int(messages().filter(prefix).size()); }
    bool closed() const { return socket.state() == QAbstractSocket::UnconnectedState; }
    void forget() { m_messages.clear(); }

    QTcpSocket socket;

private:
    protocol::FrameSplitter m_framing;
    QStringList m_messages;
};

} // namespace quornet::testing
