#include "host/tserver.h"

#include "host/computerplayer.h"
#include "host/log.h"
#include "protocol/messages.h"

#include <QTcpSocket>

namespace quornet::host {

namespace {
// A removed participant's socket gets this long to take its last messages before it is cut.
constexpr int CloseGraceMs = 3000;
// The pulse beats this often while the host listens; a gap longer than StallMs between two
// looks at the clock means the process was stopped (a debugger, SIGSTOP, a machine swapping).
constexpr int PulseMs = 1000;
constexpr int StallMs = 5000;

// The peer's address, an IPv4 peer on the dual-stack listener as plain IPv4.
QHostAddress peerOf(const QTcpSocket& socket)
{
    const QHostAddress peer = socket.peerAddress();
    bool v4 = false;
    const quint32 ip4 = peer.toIPv4Address(&v4);
    return v4 ? QHostAddress(ip4) : peer;
}
} // namespace

TServer::TServer(std::uint32_t seed, EngineOptions options, QObject* parent)
    : QObject(parent), m_random(seed), m_seed(seed), m_options(options)
{
    makeEngine();
    m_clock.start();
    m_sock1.setListenBacklogSize(ListenBacklog);
    connect(&m_sock1, &QTcpServer::newConnection, this, &TServer::acceptPending);
    // The message timer runs only while messages wait, so an idle host does not spin.
    m_sockTimer.setInterval(SockTimerMs);
    connect(&m_sockTimer, &QTimer::timeout, this, [this] { intoEngine([this] { m_engine->dispatchOne(); }); });
    connect(&m_timer1, &QTimer::timeout, this, [this] { intoEngine([this] { m_engine->botTimerFired(); }); });
    // Deadlines (logins, hung turns, held seats) wake the host only when one falls due.
    m_pulse.setInterval(PulseMs);
    connect(&m_pulse, &QTimer::timeout, this, &TServer::noticeStall);
    m_deadlineTimer.setSingleShot(true);
    connect(&m_deadlineTimer, &QTimer::timeout, this, [this] { intoEngine([] {}); });
    m_thinking.setMaxThreadCount(1);
}

void TServer::makeEngine()
{
    ++m_engineGeneration;
    m_engine = std::make_unique<HostEngine>(static_cast<Outbox&>(*this), m_random, m_options);
    m_engine->computerPlayer().setSeed(m_seed);
    m_engine->computerPlayer().setThinker([this](std::function<void()> work, std::function<void()> done) {
        const quint64 generation = m_engineGeneration;
        m_thinking.start([this, generation, work = std::move(work), done = std::move(done)] {
            work();
            QMetaObject::invokeMethod(this, [this, generation, done] {
                if (generation == m_engineGeneration) intoEngine(done);
            }, Qt::QueuedConnection);
        });
    });
}

void TServer::startAfresh()
{
    shutdown();
    m_thinking.waitForDone();
    m_keepPending = false;
    m_keptRunning = false;
    makeEngine();
    emit engineReplaced();
}

TServer::~TServer()
{
    // A decision still being worked out touches only its own copies; its answer is dropped
    // with this object.
    m_thinking.waitForDone();
    shutdown();
}

template <typename Call> void TServer::intoEngine(Call call)
{
    noticeStall();
    m_engine->advanceTo(m_clock.elapsed());
    call();
    afterEngine();
}

void TServer::noticeStall()
{
    if (m_lastPulse < 0) return;
    const qint64 now = m_clock.elapsed();
    if (now - m_lastPulse > StallMs) {
        qCInfo(lcHost) << "the host did not run for" << (now - m_lastPulse) / 1000
                       << "s; that time counts for nobody's silence";
        m_engine->clockStalled(now - m_lastPulse - PulseMs);
    }
    m_lastPulse = now;
}

void TServer::afterEngine()
{
    if (m_engine->queuedMessages() > 0) {
        if (!m_sockTimer.isActive()) m_sockTimer.start();
    } else {
        m_sockTimer.stop();
    }
    const qint64 next = m_engine->nextDeadline();
    if (next < 0 || !m_sock1.isListening()) {
        m_deadlineTimer.stop();
        return;
    }
    // A deadline that has already passed is handled on the next turn of the event loop.
    m_deadlineTimer.start(int(qBound<qint64>(0, next - m_clock.elapsed() + 1, qint64(24) * 3600 * 1000)));
}

bool TServer::listen(quint16 port, QString* error)
{
    if (m_sock1.listen(QHostAddress::Any, port)) {
        m_lastPulse = m_clock.elapsed();
        m_pulse.start();
        qCInfo(lcHost).noquote() << "listening on port" << m_sock1.serverPort();
        if (m_ownWindowPort == 0)
            qCInfo(lcHost).noquote() << "host rights for connections from" << adminAddressesText()
                                     << "(allow others with --admin ADDRESS)";
        return true;
    }
    const auto e = m_sock1.serverError();
    const char* text = (e == QAbstractSocket::AddressInUseError || e == QAbstractSocket::SocketAccessError ||
                        e == QAbstractSocket::SocketAddressNotAvailableError)
                           ? QT_TR_NOOP("Listen - Error Binding Socket")
                           : QT_TR_NOOP("Listen - Error Starting Listen");
    qCWarning(lcHost).noquote() << text << "(" << m_sock1.errorString() << ")";
    if (error) *error = tr(text);

    return false;
}

void TServer::shutdown()
{
    stopDiscovery();
    m_sock1.close();
    m_sockTimer.stop();
    m_timer1.stop();
    m_deadlineTimer.stop();
    m_pulse.stop();
    m_lastPulse = -1;
    for (auto& socket : m_sockets) {
        if (!socket) continue;
        QTcpSocket* s = socket;
        socket = nullptr;
        s->disconnect(this);
        s->flush(); // what the engine said last (a farewell) goes out before the close
        s->abort();
        s->deleteLater();
    }
}

void TServer::closeTable()
{
    intoEngine([this] { m_engine->closeTable(); });
    m_sock1.close();
    for (auto& socket : m_sockets) {
        if (!socket) continue;
        QTcpSocket* s = socket;
        socket = nullptr;
        s->disconnect(this);
        connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        s->flush(); // the farewell goes out now: the program may be ending
        s->disconnectFromHost();
    }
}

void TServer::continueAfterRound()
{
    intoEngine([this] { m_engine->continueAfterRound(); });
}

void TServer::setOwnWindowPort(quint16 localPort) { m_ownWindowPort = localPort; }

void TServer::setAdminAddresses(const QList<QPair<QHostAddress, int>>& subnets) { m_admins = subnets; }

QString TServer::adminAddressesText() const
{
    if (m_admins.isEmpty()) return QStringLiteral("the loopback address");
    QStringList texts;
    for (const auto& [address, prefix] : m_admins) {
        const bool whole = prefix < 0 || prefix == (address.protocol() == QAbstractSocket::IPv6Protocol ? 128 : 32);
        texts << (whole ? address.toString() : address.toString() + '/' + QString::number(prefix));
    }
    return texts.join(QStringLiteral(", "));
}

bool TServer::isHostUser(const QTcpSocket& socket) const
{
    const QHostAddress peer = peerOf(socket);
    if (m_ownWindowPort != 0) return peer.isLoopback() && socket.peerPort() == m_ownWindowPort;
    if (m_admins.isEmpty()) return peer.isLoopback();
    for (const auto& subnet : m_admins)
        if (peer.isInSubnet(subnet) || peer.isEqual(subnet.first)) return true;
    return false;
}

void TServer::acceptPending()
{
    while (m_sock1.hasPendingConnections()) {
        QTcpSocket* socket = m_sock1.nextPendingConnection();
        noticeStall();
        m_engine->advanceTo(m_clock.elapsed());
        const HostEngine::AcceptResult r = m_engine->accept(isHostUser(*socket), peerOf(*socket).toString().toLatin1());
        if (r.refused) {
            socket->write(protocol::msg::full());
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            socket->disconnectFromHost();
            continue;
        }
        m_sockets[std::size_t(r.participant)] = socket;
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        socket->setReadBufferSize(ReadBufferBytes);
        // The socket is looked up by pointer: its number may change (a player back in its seat).
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { socketClosed(socket); });
        connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] {
            if (socket->state() != QAbstractSocket::ConnectedState) socketClosed(socket);
        });
        m_engine->welcome(r.participant);
    }
    afterEngine();
}

int TServer::numberOf(const QTcpSocket* socket) const
{
    for (int n = 1; n <= ConnectionRecords; ++n)
        if (m_sockets[std::size_t(n)] == socket) return n;
    return 0;
}

void TServer::readFrom(QTcpSocket* socket)
{
    const int n = numberOf(socket);
    if (n == 0) return;
    const QByteArray bytes = socket->readAll();
    intoEngine([&] { m_engine->receive(n, bytes); });
}

void TServer::socketClosed(QTcpSocket* socket)
{
    // Only the socket that still holds a number speaks for it; a close is reported once.
    const int n = numberOf(socket);
    if (n == 0) return;
    m_sockets[std::size_t(n)] = nullptr;
    socket->disconnect(this);
    socket->deleteLater();
    intoEngine([&] { m_engine->connectionClosed(n); });
}

void TServer::send(int participant, const QByteArray& message)
{
    QTcpSocket* socket = m_sockets[std::size_t(participant)];
    if (!socket) return;
    if (socket->bytesToWrite() > MaxUnsentBytes) {
        qCWarning(lcHost) << "participant" << participant << "reads nothing; closing its connection";
        disconnect(participant);
        return;
    }
    socket->write(message);
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
    QTimer::singleShot(0, this, [this, participant] { intoEngine([&] { m_engine->connectionClosed(participant); }); });
}

void TServer::forget(int participant)
{
    QTcpSocket* socket = m_sockets[std::size_t(participant)];
    if (!socket) return;
    m_sockets[std::size_t(participant)] = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

// ---- The saved game ----------------------------------------------------------------------------

void TServer::setGameFile(const QString& path)
{
    if (m_gameFile) m_gameFile->flush();
    m_gameFile = path.isEmpty() ? nullptr : std::make_unique<GameFile>(path);
    m_keptRunning = m_engine->table().running;
    if (m_gameFile && m_keptRunning) keepGame();
}

TServer::Resume TServer::resumeSavedGame(const QString& path, QString* message)
{
    GameFile file(path);
    const std::optional<QByteArray> document = file.read();
    if (!document) return Resume::NoSavedGame;
    QString why;
    m_engine->advanceTo(m_clock.elapsed());
    if (!m_engine->restoreGame(*document, &why)) {
        file.moveAside();
        if (message)
            *message = tr("The saved game in %1 could not be read (%2). It was moved to %1.bad.").arg(path, why);
        return Resume::Refused;
    }
    afterEngine();
    return Resume::Resumed;
}

void TServer::gameChanged()
{
    if (!m_gameFile || m_keepPending) return;
    // Kept once the event that changed it is over: several changes in one go are one save.
    m_keepPending = true;
    QTimer::singleShot(0, this, [this] { keepGame(); });
}

void TServer::keepGame()
{
    m_keepPending = false;
    if (!m_gameFile) return;
    if (m_engine->table().running) {
        m_gameFile->save(m_engine->saveGame());
        m_keptRunning = true;
    } else if (m_keptRunning) {
        m_gameFile->remove(); // the game is over
        m_keptRunning = false;
    }
}

void TServer::saveGameNow()
{
    if (!m_gameFile) return;
    keepGame();
    m_gameFile->flush();
}

void TServer::discardSavedGame()
{
    if (!m_gameFile) return;
    m_gameFile->remove();
    m_gameFile->flush();
    m_gameFile.reset();
    m_keptRunning = false;
}

void TServer::renumber(int from, int to)
{
    m_sockets[std::size_t(to)] = m_sockets[std::size_t(from)];
    m_sockets[std::size_t(from)] = nullptr;
}

void TServer::botTimerChanged(bool enabled, int intervalMs)
{
    if (enabled)
        m_timer1.start(intervalMs);
    else
        m_timer1.stop();
}

} // namespace quornet::host
