// Reachability in words: who can join a hosted table, from what the router's mapping and this
// computer's network tell. The hosting window shows the sentences in its chat and the dialog.
#pragma once

#include <QHostAddress>
#include <QStringList>

namespace quornet::net {

struct ReachabilityFacts {
    enum class Router {
        NotAsked = 0, // opening the port on the router is off
        Pending = 1,  // the router has not answered yet
        Opened = 2,   // the router forwards the port
        NotOpened = 3 // no router that opens ports, or it refused
    };
    QHostAddress lanAddress; // this computer's address on its network; null: none
    quint16 port = 0;
    Router router = Router::NotAsked;
    QHostAddress externalAddress; // the router's internet address, when it said
};

// The sentences, in order: the local network's, then the internet's (none while the router is
// not asked or has not answered).
QStringList reachabilitySentences(const ReachabilityFacts& facts);
// An address the internet cannot reach a table at: private ranges, the shared range of
// providers' address translation (100.64.0.0/10), loopback, link-local.
bool isSharedOrPrivate(const QHostAddress& address);
// This computer's IPv4 address on its network: one of an interface that is up, running and not
// loopback, a private address first; null when there is none. (Reads the interfaces.)
QHostAddress localNetworkAddress();

} // namespace quornet::net
