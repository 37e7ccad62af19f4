// The router's port: asks the router (UPnP IGD) to forward the table's TCP port to this
// computer, keeps the mapping alive and removes it again.
//
// Every exchange with the router runs on a worker thread, one at a time and in the order asked,
// so start() and stop() return at once and the outcome arrives through stateChanged(). The
// mapping is leased for LeaseSeconds and renewed at half its lease; a router that takes only
// permanent mappings gets one, removed like the other. The destructor removes a mapping still
// held: it waits for the router then (bounded by miniupnpc's timeouts), which is what a table
// that closes or a program that ends needs.
//
//     PortForwarding router;
//     connect(&router, &PortForwarding::stateChanged, ...);   // Mapped or Failed, later
//     router.start(server.port());
//     ... reachabilitySentences(router.facts()) ...
#pragma once

#include "net/reachability.h"

#include <QHostAddress>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <functional>
#include <memory>

namespace quornet::net {

class Gateway;

class PortForwarding : public QObject {
    Q_OBJECT
public:
    enum class State {
        Off = 0,       // nothing asked, or the mapping is removed
        Mapping = 1,   // looking for the router and asking it
        Mapped = 2,    // the router forwards the port
        Failed = 3,    // the router did not open the port: errorText() says why
        Unmapping = 4, // removing the mapping
    };
    Q_ENUM(State)
    static constexpr int LeaseSeconds = 3600;

    explicit PortForwarding(QObject* parent = nullptr);
    ~PortForwarding() override;

    // Maps TCP `port` on the router to the same port of this computer (a mapping held for
    // another port is removed first).
    void start(quint16 port);
    // Removes the mapping.
    void stop();

    State state() const { return m_state; }
    quint16 port() const { return m_port; }
    // The router's internet address, once Mapped (null when it did not say).
    QHostAddress externalAddress() const { return m_external; }
    // This computer's address toward the router, once the router is found.
    QHostAddress lanAddress() const { return m_lan; }
    QString errorText() const { return m_error; }
    // What reachabilitySentences() needs: this state, and the local network's address when the
    // router gave none.
    ReachabilityFacts facts() const;
    // The lease asked for, in seconds (0: permanent). Tests shorten it to see renewals.
    void setLeaseSeconds(int seconds) { m_leaseSeconds = seconds; }

signals:
    void stateChanged(quornet::net::PortForwarding::State state);

private:
    struct Outcome {
        State state = State::Off;
        QHostAddress external;
        QHostAddress lan;
        QString error;
        int lease = 0; // the lease the router took
    };
    void run(std::function<Outcome(Gateway&)> job);
    void finished(quint64 generation, const Outcome& outcome);
    void setState(State state);
    void renew();

    std::shared_ptr<Gateway> m_gateway; // used only by the worker's jobs
    QThreadPool m_worker;
    QTimer m_renewal;
    State m_state = State::Off;
    quint16 m_port = 0;
    quint16 m_mappedPort = 0; // the port a mapping may be held for (0: none)
    int m_leaseSeconds = LeaseSeconds;
    quint64 m_generation = 0; // outcomes of jobs asked before the latest start() or stop() are dropped
    QHostAddress m_external;
    QHostAddress m_lan;
    QString m_error;
};

} // namespace quornet::net
