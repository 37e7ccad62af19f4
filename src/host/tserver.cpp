#include "host/tserver.h"

#include "host/log.h"
#include "protocol/messages.h"

#include <QTcpSocket>

namespace quornet::host {

namespace {
// A removed participant's socket gets this long to take its last messages before it is cut.
constexpr int CloseGraceMs = 3000;
} // namespace

TServer::TServer(std::uint32_t seed, EngineOptions options, QObject* parent)
    : QObject(parent), m_random(seed), m_engine(std::make_unique<HostEngine>(static_cast<Outbox&>(*this), m_random, options))
{
    m_sock1.setListenBacklogSize(ListenBacklog);
    connect(&m_sock1, &QTcpServer::newConnection, this, &TServer::acceptPending);
    // The message timer runs only while messages wait, so an idle host does not spin.
    m_sockTimer.setInterval(SockTimerMs);
    connect(&m_sockTimer, &QTimer::timeout, this, [this] {
        m_engine->dispatchOne();
        if (m_engine->queuedMessages() == 0) m_sockTimer.stop();
    });
    connect(&m_timer1, &QTimer::timeout, this, [this] { m_engine->botTimerFired(); });
}

TServer::~TServer()
{
    shutdown();
}

bool TServer::listen(quint16 port, QString* error)
{
    if (m_sock1.listen(QHostAddress::Any, port)) {
        qCInfo(lcHost) << "listening on port" << m_sock1.serverPort();
        return true;
    }
    const auto e = m_sock1.serverError();
    const QString text = (e == QAbstractSocket::AddressInUseError || e == QAbstractSocket::SocketAccessError ||
                          e == QAbstractSocket::SocketAddressNotAvailableError)
                             ? QStringLiteral("Listen - Error Binding Socket")
                             : QStringLiteral("Listen - Error Starting Listen");
    qCWarning(lcHost).noquote() << text << "(" << m_sock1.errorString() << ")";
    if (error) *error = text;
    return false;
}

void TServer::shutdown()
{
    m_sock1.close();
    m_sockTimer.stop();
    m_timer1.stop();
    for (auto& socket : m_sockets) {
        if (!socket) continue;
        QTcpSocket* s = socket;
        socket = nullptr;
        s->disconnect(this);
        s->abort();
        s->deleteLater();
    }
}

void TServer::acceptPending()
{
    while (m_sock1.hasPendingConnections()) {
        QTcpSocket* socket = m_sock1.nextPendingConnection();
        const HostEngine::AcceptResult r = m_engine->accept();
        if (r.refused) {
            socket->write(protocol::msg::full());
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            socket->disconnectFromHost();
            continue;
        }
        const int n = r.participant;
        m_sockets[std::size_t(n)] = socket;
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket, &QTcpSocket::readyRead, this, [this, n] { readFrom(n); });
        connect(socket, &QTcpSocket::disconnected, this, [this, n, socket] { socketClosed(n, socket); });
        connect(socket, &QTcpSocket::errorOccurred, this, [this, n, socket] {
            if (socket->state() != QAbstractSocket::ConnectedState) socketClosed(n, socket);
        });
        m_engine->welcome(n);
    }
}

void TServer::readFrom(int participant)
{
    QTcpSocket* socket = m_sockets[std::size_t(participant)];
    if (!socket) return;
    const QByteArray bytes = socket->readAll();
    m_engine->receive(participant, bytes);
    startSockTimer();
}

void TServer::startSockTimer()
{
    if (m_engine->queuedMessages() > 0 && !m_sockTimer.isActive()) m_sockTimer.start();
}

void TServer::socketClosed(int participant, QTcpSocket* socket)
{
    // Only the socket that still holds the number speaks for it; a close is reported once.
    if (m_sockets[std::size_t(participant)] != socket) return;
    m_sockets[std::size_t(participant)] = nullptr;
    socket->disconnect(this);
    socket->deleteLater();
    m_engine->connectionClosed(participant);
    startSockTimer();
}

void TServer::send(int participant, const QByteArray& message)
{
    QTcpSocket* socket = m_sockets[std::size_t(participant)];
    if (socket) socket->write(message);
}

void TServer::disconnect(int participant)
{
    QTcpSocket* socket = m_sockets[std::size_t(participant)];
    if (!socket) return;
    m_sockets[std::size_t(participant)] = nullptr;
    socket->disconnect(this);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(CloseGraceMs, socket, [socket] { socket->abort(); });
    socket->disconnectFromHost();
    // The engine learns of the departure on the next turn of the event loop, outside the
    // handler that asked for the close.
    QTimer::singleShot(0, this, [this, participant] {
        m_engine->connectionClosed(participant);
        startSockTimer();
    });
}

void TServer::botTimerChanged(bool enabled, int intervalMs)
{
    if (enabled)
        m_timer1.start(intervalMs);
    else
        m_timer1.stop();
}

} // namespace quornet::host
