// TServer's LAN discovery: the responder that answers the network's finders while the table
// listens, from the engine's table.
#include "host/log.h"
#include "host/tserver.h"
#include "net/discoveryresponder.h"
#include "protocol/messages.h"

#include <QHostInfo>

namespace quornet::host {

bool TServer::startDiscovery(quint16 udpPort, QString* error)
{
    stopDiscovery();
    if (!isListening()) {
        if (error) *error = QStringLiteral("The table answers requests for tables only while it listens.");
        return false;
    }
    auto responder = std::make_unique<net::DiscoveryResponder>([this] { return tableInfo(); });
    QString why;
    if (!responder->start(udpPort, &why)) {
        qCWarning(lcHost).noquote() << why;
        if (error) *error = why;
        return false;
    }
    m_discovery = std::move(responder);
    qCInfo(lcHost).noquote() << "answering requests for tables on UDP port" << udpPort << "as"
                             << net::cleanTableName(tableInfo().name);
    return true;
}

void TServer::stopDiscovery() { m_discovery.reset(); }

bool TServer::discoveryRunning() const { return m_discovery && m_discovery->isRunning(); }

net::TableInfo TServer::tableInfo() const
{
    const Table& t = m_engine->table();
    net::TableInfo info;
    info.name = m_hostName.isEmpty() ? QHostInfo::localHostName() : m_hostName;
    info.port = port();
    for (int s = 1; s <= Seats; ++s)
        if (t.seat(s).connected) ++info.seatsTaken;
    info.gameRunning = t.running;
    info.passwordNeeded = m_engine->needsPassword();
    info.version = QString::fromLatin1(protocol::VersionText);
    return info;
}

} // namespace quornet::host
