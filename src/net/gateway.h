// A router's Internet Gateway Device, spoken to with miniupnpc. Every call blocks (discovery
// waits up to DiscoverMs, each request up to miniupnpc's socket timeouts), so only
// PortForwarding's worker uses it. The differences between miniupnpc's versions stay in
// gateway.cpp.
#pragma once

#include <QHostAddress>
#include <QString>

#include <memory>

namespace quornet::net {

class Gateway {
public:
    static constexpr int DiscoverMs = 2000;
    // UPnP's answer to a lease the router cannot keep: it takes permanent mappings only.
    static constexpr int OnlyPermanentLeases = 725;

    Gateway();
    ~Gateway();
    Gateway(const Gateway&) = delete;
    Gateway& operator=(const Gateway&) = delete;

    // Finds the router's gateway: the root description at QUORNET_IGD_URL when that is set,
    // else by discovery on the local network. On failure returns false and sets a sentence.
    bool find(QString* error);
    bool found() const;
    // Drops what find() learnt: the next exchange finds the router anew.
    void forget();
    // This computer's address toward the router (the mapping's target).
    QHostAddress lanAddress() const { return m_lanAddress; }
    // Maps TCP `port` on the router to the same port here for `leaseSeconds` (0: permanent).
    // Returns 0 or the router's UPnP error code (negative: no usable answer).
    int addMapping(quint16 port, int leaseSeconds);
    int deleteMapping(quint16 port);
    // The router's internet address; null when it does not say.
    QHostAddress externalAddress();
    static QString errorText(int code);

private:
    struct Data;
    std::unique_ptr<Data> m_d;
    QHostAddress m_lanAddress;
};

} // namespace quornet::net
