// The program's command line.
//
//   quornet                                  solo game (host 127.0.0.1, name "You")
//   quornet NAME ADDRESS true                host a table
//   quornet NAME ADDRESS other               join the table at ADDRESS
//   quornet --serve [--port N] [--seed S] [--bot-speed MS] [--bot-level L]
//                   [--admin ADDRESS]... [--turn-timeout S] [--seat-hold S] [--state-dir DIR]
//                   [--password TEXT]                                             dedicated host, no window
//
// Options may stand anywhere; every other argument is positional, and arguments after the
// third positional one are ignored.
#pragma once

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
    QStringList positional;
    QString error; // non-empty when the command line could not be read
};

CommandLine parseCommandLine(const QStringList& arguments); // arguments without the program name
// An address ("10.0.0.5", "::1") or a subnet ("192.168.1.0/24"); nullopt when it is neither.
std::optional<QPair<QHostAddress, int>> parseSubnet(const QString& text);
QString usageText();

} // namespace quornet::app
