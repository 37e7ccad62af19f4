// A router's Internet Gateway Device reduced to what a port mapping needs: the root
// description, GetExternalIPAddress, AddPortMapping and DeletePortMapping over HTTP/SOAP. It
// runs on a thread of its own, so a caller that blocks while its worker talks to the gateway
// (a PortForwarding being destroyed) is still answered.
#pragma once

#include <QMutex>
#include <QStringList>
#include <QThread>

namespace quornet::testing {

class FakeGateway {
public:
    struct Behaviour {
        QString externalAddress = QStringLiteral("203.0.113.7");
        bool permanentLeasesOnly = false; // a lease other than 0 gets error 725
        int refuseWith = 0;               // AddPortMapping's error code, 0: accept
    };
    explicit FakeGateway(Behaviour behaviour);
    ~FakeGateway();
    // The root description's URL, for QUORNET_IGD_URL.
    QString rootUrl() const;
    // The actions received, in order: "AddPortMapping TCP 40000->127.0.0.1:40000 lease 3600",
    // "DeletePortMapping TCP 40000", "GetExternalIPAddress".
    QStringList actions() const;

private:
    QByteArray answer(const QByteArray& request);

    Behaviour m_behaviour;
    QThread m_thread; // the server lives there
    quint16 m_port = 0;
    mutable QMutex m_mutex;
    QStringList m_actions;
};

} // namespace quornet::testing
