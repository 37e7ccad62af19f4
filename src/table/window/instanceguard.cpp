#include "table/window/instanceguard.h"

#include <QLocalSocket>

namespace quornet::table {

namespace {
constexpr int ProbeTimeoutMs = 500;
const QByteArray RaiseRequest = "raise\n";
const QByteArray OpenRequest = "open ";
} // namespace

InstanceGuard::InstanceGuard(QObject* parent) : QObject(parent)
{
    m_guard.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_guard, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = m_guard.nextPendingConnection()) {
            // One request line: "raise", or "open LINK" ("open host", "open join": a dialog tab).
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (!peer->canReadLine() && peer->bytesAvailable() < MaxRequestBytes) return;
                const QByteArray line = peer->readLine(MaxRequestBytes).trimmed();
                if (line == "raise" || line.startsWith(OpenRequest)) emit raiseRequested();
                if (line.startsWith(OpenRequest)) emit requestReceived(QString::fromUtf8(line.mid(OpenRequest.size())));
                peer->disconnectFromServer();
            });
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        }
    });
    connect(&m_presence, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = m_presence.nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            peer->disconnectFromServer();
        }
    });
}

bool InstanceGuard::askFirstCopyToRaise(const QString& request)
{
    QLocalSocket probe;
    probe.connectToServer(QString::fromLatin1(GuardName));
    if (!probe.waitForConnected(ProbeTimeoutMs)) return false;
    const QByteArray text = request.simplified().toUtf8();
    probe.write(text.isEmpty() ? RaiseRequest : OpenRequest + text.left(MaxRequestBytes - 16) + '\n');
    probe.waitForBytesWritten(ProbeTimeoutMs);
    probe.disconnectFromServer();
    return true;
}

bool InstanceGuard::anotherCopyRuns(const QString& request)
{
    if (askFirstCopyToRaise(request)) return true;
    return !claim();
}

bool InstanceGuard::claim()
{
    if (m_guard.isListening()) return true;
    if (m_guard.listen(QString::fromLatin1(GuardName))) return true;
    // The name is taken: either a copy that started at the same moment holds it, or a copy that
    // crashed left its endpoint behind. Only the stale case may be cleared.
    if (askFirstCopyToRaise()) return false;
    QLocalServer::removeServer(QString::fromLatin1(GuardName));
    // If the folder does not let us listen at all, this copy runs without a guard.
    m_guard.listen(QString::fromLatin1(GuardName));
    return true;
}

void InstanceGuard::createPresenceMarker()
{
    if (m_presence.isListening()) return;
    if (!m_presence.listen(QString::fromLatin1(PresenceName))) {
        QLocalServer::removeServer(QString::fromLatin1(PresenceName));
        m_presence.listen(QString::fromLatin1(PresenceName));
    }
}

} // namespace quornet::table
