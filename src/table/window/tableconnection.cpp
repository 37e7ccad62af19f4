#include "table/window/tableconnection.h"

#include "protocol/fields.h"
#include "protocol/messages.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcConnection, "quornet.connection")

namespace quornet::table {

TableConnection::TableConnection(QObject* parent) : QObject(parent), m_framing(1024 * 1024)
{
    m_timer.setInterval(TickMs);
    connect(&m_timer, &QTimer::timeout, this, &TableConnection::tick);
    m_silence.setSingleShot(true);
    m_silence.setInterval(LinkSilenceMs);
    connect(&m_silence, &QTimer::timeout, this, &TableConnection::silenceEnded);
    connect(&m_socket, &QTcpSocket::readyRead, this, &TableConnection::readAll);
    connect(&m_socket, &QTcpSocket::connected, this, [this] {
        m_wasConnected = true;
        if (m_watchSilence) m_silence.start();
        m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        emit connected();
    });
    connect(&m_socket, &QTcpSocket::disconnected, this, [this] {
        m_silence.stop();
        if (!m_wasConnected) return;
        m_wasConnected = false;
        m_endPending = true;
        reportEndWhenDone();
    });
    connect(&m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        qCInfo(lcConnection).noquote() << "connection:" << m_socket.errorString();
        // An attempt that never connected; the end of an established connection comes as
        // disconnected().
        if (!m_wasConnected && !m_endPending && m_socket.state() != QAbstractSocket::ConnectedState)
            emit attemptFailed(error);
    });
}

TableConnection::~TableConnection()
{
    // The socket goes last and reports its end as it goes: nothing of this object may hear it.
    m_socket.disconnect(this);
}

void TableConnection::connectToHost(const QString& host, quint16 port)
{
    m_host = host;
    m_port = port;
    m_watchSilence = true;
    m_socket.connectToHost(host, port);
}

quint16 TableConnection::connectToOwnHost(quint16 port)
{
    m_host = QStringLiteral("127.0.0.1");
    m_port = port;
    m_watchSilence = false; // the host runs in this process: when it is silent, so is this window
    const quint16 local = m_socket.bind(QHostAddress::LocalHost, 0) ? m_socket.localPort() : 0;
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    return local;
}

void TableConnection::reconnect()
{
    abortAttempt();
    m_queue.clear();
    m_framing.clear();
    m_endPending = false;
    m_socket.connectToHost(m_host, m_port);
}

void TableConnection::abortAttempt()
{
    m_wasConnected = false;
    m_silence.stop();
    m_socket.abort();
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
    m_endPending = false;
    m_silence.stop();
    m_socket.abort();
    m_timer.stop();
}

void TableConnection::holdDispatch(bool hold)
{
    m_held += hold ? 1 : -1;
    if (m_held < 0) m_held = 0;
    if (m_held == 0 && (!m_queue.empty() || m_endPending)) wakeTimer();
}

void TableConnection::readAll()
{
    if (m_watchSilence) m_silence.start();
    const QList<QByteArray> messages = m_framing.feed(m_socket.readAll());
    if (m_framing.overflowed()) {
        qCWarning(lcConnection) << "the host sent more than 1 MiB without a terminator; closing";
        m_socket.abort();
        return;
    }
    for (const QByteArray& m : messages) {
        // Heartbeats are answered at once, even while the dispatch is held by a message box:
        // the host takes a connection that answers nothing for a dead one.
        if (protocol::splitCommand(m).word == protocol::cmd::Ping) {
            m_socket.write(protocol::msg::pong());
            continue;
        }
        m_queue.push_back(m);
    }
    wakeTimer();
}

// A pulled cable or a sleeping router sends nothing, not even an end: the link is given up as
// if the host had closed it, and what arrived before is still handled first.
void TableConnection::silenceEnded()
{
    if (!m_wasConnected) return;
    qCInfo(lcConnection) << "nothing from the host for" << m_silence.interval() / 1000 << "s; the link counts as lost";
    m_wasConnected = false;
    m_endPending = true;
    m_socket.abort();
    reportEndWhenDone();
}

void TableConnection::wakeTimer()
{
    if (!m_timer.isActive()) m_timer.start();
}

void TableConnection::reportEndWhenDone()
{
    if (!m_endPending || !m_queue.empty() || m_held > 0) {
        if (m_endPending) wakeTimer();
        return;
    }
    m_endPending = false;
    emit connectionClosed();
}

void TableConnection::tick()
{
    if (!m_queue.empty() && m_held == 0) {
        const QByteArray text = std::move(m_queue.front());
        m_queue.pop_front();
        emit messageReceived(text);
    }
    const bool hookWantsTicks = m_tickHook ? m_tickHook() : false;
    if (m_endPending && m_queue.empty() && m_held == 0) reportEndWhenDone();
    // Held: holdDispatch(false) starts the timer again.
    if (m_held > 0 || (m_queue.empty() && !hookWantsTicks && !m_endPending)) m_timer.stop();
}

} // namespace quornet::table
