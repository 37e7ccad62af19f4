#include "table/window/tablereach.h"

#include "host/tserver.h"
#include "net/invitelink.h"
#include "net/portforwarding.h"
#include "net/reachability.h"
#include "settings/playsettings.h"
#include "table/core/session.h"

namespace quornet::table {

TableReach::TableReach(host::TServer& server, const Session& session, QObject* parent)
    : QObject(parent), m_server(server), m_session(session), m_router(std::make_unique<net::PortForwarding>())
{
    connect(m_router.get(), &net::PortForwarding::stateChanged, this, &TableReach::routerChanged);
}

TableReach::~TableReach() = default;

void TableReach::announce(const settings::PlaySettings& choice)
{
    if (!m_server.isListening()) return;
    if (choice.hostFindable) {
        m_server.setHostName(m_session.table().playerName);
        QString error;
        if (!m_server.startDiscovery(m_discoveryPort ? m_discoveryPort : net::discoveryPortFromEnvironment(), &error))
            emit said(tr("Players on this network cannot find the table: %1").arg(error));
    }
    if (choice.hostRouter) m_router->start(m_server.port());
    showReachability();
}

void TableReach::stop()
{
    m_router->stop();
    m_shown.clear();
}

QStringList TableReach::reachability() const
{
    net::ReachabilityFacts facts = m_router->facts();
    facts.port = m_server.port();
    if (facts.lanAddress.isNull()) facts.lanAddress = net::localNetworkAddress();
    return net::reachabilitySentences(facts);
}

void TableReach::showReachability()
{
    const QStringList sentences = reachability();
    // The chat hears what is new (the router's answer comes after the local network's).
    for (const QString& s : sentences)
        if (!m_shown.contains(s)) emit said(s);
    m_shown = sentences;
    emit wordsChanged();
}

QStringList TableReach::hostingWords() const
{
    QStringList words = reachability();
    if (const QString link = internetInviteLink(); !link.isEmpty()) words << tr("Invite link for the internet: %1").arg(link);
    if (const QString link = localInviteLink(); !link.isEmpty()) words << tr("Invite link for this network: %1").arg(link);
    return words;
}

void TableReach::routerChanged()
{
    const auto state = m_router->state();
    if (!m_session.isHosting()) return;
    if (state == net::PortForwarding::State::Mapped || state == net::PortForwarding::State::Failed) showReachability();
}

QString TableReach::localInviteLink() const
{
    if (!m_session.isHosting() || !m_server.isListening()) return {};
    QHostAddress lan = m_router->lanAddress();
    if (lan.isNull()) lan = net::localNetworkAddress();
    if (lan.isNull()) lan = QHostAddress(QHostAddress::LocalHost);
    return net::formatInviteLink({lan.toString(), m_server.port(), m_session.table().password});
}

QString TableReach::internetInviteLink() const
{
    if (!m_session.isHosting() || !m_server.isListening()) return {};
    if (m_router->state() != net::PortForwarding::State::Mapped) return {};
    const QHostAddress external = m_router->externalAddress();
    if (external.isNull() || net::isSharedOrPrivate(external)) return {};
    return net::formatInviteLink({external.toString(), m_server.port(), m_session.table().password});
}

} // namespace quornet::table
