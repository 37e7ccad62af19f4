#include "net/portforwarding.h"

#include "net/gateway.h"

#include <QCoreApplication>

namespace quornet::net {

namespace {

// Asks the router for the mapping; finds it first when it is not known (or was lost).
PortForwarding::State mapOnce(Gateway& g, quint16 port, int* lease, QString* error)
{
    using State = PortForwarding::State;
    if (!g.found() && !g.find(error)) {
        g.forget();
        return State::Failed;
    }
    int code = g.addMapping(port, *lease);
    if (code == Gateway::OnlyPermanentLeases && *lease != 0) {
        *lease = 0;
        code = g.addMapping(port, 0);
    }
    if (code != 0) {
        *error = QCoreApplication::translate("PortForwarding", "The router refused to open port %1: %2.").arg(port).arg(Gateway::errorText(code));
        g.forget();
        return State::Failed;
    }
    return State::Mapped;
}

} // namespace

PortForwarding::PortForwarding(QObject* parent) : QObject(parent), m_gateway(std::make_shared<Gateway>())
{
    m_worker.setMaxThreadCount(1); // one exchange with the router at a time, in order
    connect(&m_renewal, &QTimer::timeout, this, &PortForwarding::renew);
}

PortForwarding::~PortForwarding()
{
    m_renewal.stop();
    if (m_mappedPort != 0) {
        const quint16 port = m_mappedPort;
        m_worker.start([g = m_gateway, port] {
            if (g->found()) g->deleteMapping(port);
        });
    }
    m_worker.waitForDone();
}

void PortForwarding::run(std::function<Outcome(Gateway&)> job)
{
    const quint64 generation = m_generation;
    m_worker.start([this, g = m_gateway, generation, job = std::move(job)] {
        const Outcome outcome = job(*g);
        QMetaObject::invokeMethod(this, [this, generation, outcome] { finished(generation, outcome); }, Qt::QueuedConnection);
    });
}

void PortForwarding::start(quint16 port)
{
    if (m_mappedPort != 0 && m_mappedPort != port) {
        const quint16 old = m_mappedPort;
        m_worker.start([g = m_gateway, old] {
            if (g->found()) g->deleteMapping(old);
        });
    }
    ++m_generation;
    m_renewal.stop();
    m_port = port;
    m_mappedPort = port;
    m_error.clear();
    setState(State::Mapping);
    const int lease = m_leaseSeconds;
    run([port, lease](Gateway& g) {
        Outcome o;
        o.lease = lease;
        o.state = mapOnce(g, port, &o.lease, &o.error);
        if (o.state == State::Mapped) o.external = g.externalAddress();
        o.lan = g.lanAddress();
        return o;
    });
}

void PortForwarding::renew()
{
    const quint16 port = m_mappedPort;
    const int lease = m_leaseSeconds;
    const QHostAddress external = m_external;
    run([port, lease, external](Gateway& g) {
        Outcome o;
        o.lease = lease;
        o.state = mapOnce(g, port, &o.lease, &o.error);
        o.external = o.state == State::Mapped ? g.externalAddress() : external;
        o.lan = g.lanAddress();
        return o;
    });
}

void PortForwarding::stop()
{
    ++m_generation;
    m_renewal.stop();
    if (m_mappedPort == 0) {
        setState(State::Off);
        return;
    }
    const quint16 port = m_mappedPort;
    m_mappedPort = 0;
    setState(State::Unmapping);
    run([port](Gateway& g) {
        Outcome o;
        o.state = State::Off;
        o.lan = g.lanAddress();
        if (g.found()) {
            const int code = g.deleteMapping(port);
            // 714: the router holds no such mapping (it lapsed, or was never made).
            if (code != 0 && code != 714)
                o.error = QCoreApplication::translate("PortForwarding", "The router did not remove the mapping of port %1: %2.").arg(port).arg(Gateway::errorText(code));
        }
        return o;
    });
}

void PortForwarding::finished(quint64 generation, const Outcome& o)
{
    if (generation != m_generation) return;
    m_external = o.external;
    if (!o.lan.isNull()) m_lan = o.lan;
    m_error = o.error;
    if (o.state == State::Mapped && o.lease > 0) {
        const int interval = o.lease * 1000 / 2;
        if (!m_renewal.isActive() || m_renewal.interval() != interval) m_renewal.start(interval);
    } else if (o.state == State::Mapped) {
        m_renewal.stop(); // a permanent mapping needs no renewal
    }
    setState(o.state);
}

void PortForwarding::setState(State state)
{
    if (state == m_state) return;
    m_state = state;
    emit stateChanged(state);
}

ReachabilityFacts PortForwarding::facts() const
{
    using Router = ReachabilityFacts::Router;
    ReachabilityFacts f;
    f.port = m_port;
    f.lanAddress = m_lan.isNull() || m_lan.isLoopback() ? localNetworkAddress() : m_lan;
    f.router = m_state == State::Mapped   ? Router::Opened
               : m_state == State::Failed ? Router::NotOpened
               : m_state == State::Mapping ? Router::Pending
                                           : Router::NotAsked;
    f.externalAddress = m_state == State::Mapped ? m_external : QHostAddress();
    return f;
}

} // namespace quornet::net
