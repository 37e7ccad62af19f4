#include "table/window/tableconnection.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcConnection, "quornet.connection")

namespace quornet::table {

TableConnection::TableConnection(QObject* parent) : QObject(parent), m_framing(1024 * 1024)
{
    m_timer.setInterval(TickMs);
    connect(&m_timer, &QTimer::timeout, this, &TableConnection::tick);
    connect(&m_socket, &QTcpSocket::readyRead, this, &TableConnection::readAll);
    connect(&m_socket, &QTcpSocket::connected, this, [this] {
        m_wasConnected = true;
        m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        emit connected();
    });
    connect(&m_socket, &QTcpSocket::disconnected, this, [this] {
        if (!m_wasConnected) return;
        m_wasConnected = false;
        emit connectionClosed();
    });
    // A connection that cannot be made leaves the window idle; the reason goes to the log.
    connect(&m_socket, &QTcpSocket::errorOccurred, this,
            [this] { qCInfo(lcConnection).noquote() << "connection:" << m_socket.errorString(); });
}

void TableConnection::connectToHost(const QString& host, quint16 port)
{
    m_socket.connectToHost(host, port);
}

quint16 TableConnection::connectToOwnHost(quint16 port)
{
    const quint16 local = m_socket.bind(QHostAddress::LocalHost, 0) ? m_socket.localPort() : 0;
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    return local;
}

bool TableConnection::send(const QByteArray& message)
{
    if (!isConnected()) {
        qCInfo(lcConnection) << "Send - Socket Not Connected";
        return false;
    }
    m_socket.write(message);
    return true;
}

void TableConnection::close()
{
    m_wasConnected = false;
    m_socket.abort();
    m_timer.stop();
}

void TableConnection::readAll()
{
    const QList<QByteArray> messages = m_framing.feed(m_socket.readAll());
    if (m_framing.overflowed()) {
        qCWarning(lcConnection) << "the host sent more than 1 MiB without a terminator; closing";
        m_socket.abort();
        return;
    }
    for (const QByteArray& m : messages) m_queue.push_back(m);
    wakeTimer();
}

void TableConnection::wakeTimer()
{
    if (!m_timer.isActive()) m_timer.start();
}

void TableConnection::tick()
{
    if (!m_queue.empty()) {
        const QByteArray text = std::move(m_queue.front());
        m_queue.pop_front();
        emit messageReceived(text);
    }
    const bool hookWantsTicks = m_tickHook ? m_tickHook() : false;
    if (m_queue.empty() && !hookWantsTicks) m_timer.stop();
}

} // namespace quornet::table
