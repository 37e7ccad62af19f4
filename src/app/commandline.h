// The program's command line.
//
//   quornet                                  solo game (host 127.0.0.1, name "You")
//   quornet NAME ADDRESS true                host a table
//   quornet NAME ADDRESS other               join the table at ADDRESS
//   quornet quornet://HOST:PORT[?password=P] the join dialog filled in (over a solo table)
//   quornet --host-table | --join-table      the play dialog at its host or join tab
//   quornet --serve [--port N] [--seed S] [--bot-speed MS] [--bot-level L]
//                   [--admin ADDRESS]... [--turn-timeout S] [--seat-hold S] [--state-dir DIR]
//                   [--password TEXT] [--name NAME] [--no-lan]    dedicated host, no window
//   quornet --find-tables [SECONDS]                           list the tables on the network
//
// Options may stand anywhere; every other argument is positional, and arguments after the
// third positional one are ignored.
#pragma once

#include "net/discoverydatagram.h"

#include <QHostAddress>
#include <QPair>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace quornet::app {

struct CommandLine {
    bool serve = false;
    bool help = false;
    bool version = false;
    quint16 port = 7772;
    std::optional<std::uint32_t> seed;
    int botSpeed = 750;
    // Addresses (or subnets, "192.168.1.0/24") whose connections may hold host rights on the
    // dedicated host; empty: loopback.
    QStringList admins;
    int turnTimeoutSeconds = 120; // 0: a turn waits as long as it takes
    int seatHoldSeconds = 120;    // 0: seats are not held
    QString botLevel = QStringLiteral("classic"); // classic, strong or expert
    // The dedicated host keeps its game here (one file per port); empty: $STATE_DIRECTORY, or
    // nowhere when that is not set either.
    QString stateDir;
    // A private table: connections must give this password first. Empty: none.
    QString password;
    // The dedicated host's name in answers to finders (empty: this machine's name), and whether
    // it answers them at all.
    QString name;
    bool noLan = false;
    // --host-table / --join-table: the window opens its play dialog at that tab ("host",
    // "join"); empty: not asked.
    QString playTab;
    // --find-tables: look for tables this long, print them and exit.
    bool findTables = false;
    int findSeconds = 2;
    QStringList positional;
    QString error; // non-empty when the command line could not be read
};

CommandLine parseCommandLine(const QStringList& arguments); // arguments without the program name
// An address ("10.0.0.5", "::1") or a subnet ("192.168.1.0/24"); nullopt when it is neither.
std::optional<QPair<QHostAddress, int>> parseSubnet(const QString& text);
QString usageText();
// One line of --find-tables: address and port, the host's name, seats taken as N/4, whether a
// game runs, "password" when the table needs one (and the version when it is not ours).
QString foundTableLine(const QHostAddress& address, const net::TableInfo& table);

} // namespace quornet::app
