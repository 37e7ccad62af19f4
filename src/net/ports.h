// The ports of a table: TCP for the game itself, and UDP next to it where hosts answer the
// network's requests for tables (see discoverydatagram.h).
#pragma once

#include <QtGlobal>

namespace quornet::net {

inline constexpr quint16 DefaultTablePort = 7772;
inline constexpr quint16 DiscoveryPort = DefaultTablePort + 1;

} // namespace quornet::net
