// The program's command line.
//
//   quornet                                  solo game (host 127.0.0.1, name "You")
//   quornet NAME ADDRESS true                host a table
//   quornet NAME ADDRESS other               join the table at ADDRESS
//   quornet --serve [--port N] [--seed S] [--bot-speed MS]   dedicated host, no window
//
// Options may stand anywhere; every other argument is positional, and arguments after the
// third positional one are ignored.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace quornet::app {

struct CommandLine {
    bool serve = false;
    bool help = false;
    quint16 port = 7772;
    std::optional<std::uint32_t> seed;
    int botSpeed = 750;
    QStringList positional;
    QString error; // non-empty when the command line could not be read
};

CommandLine parseCommandLine(const QStringList& arguments); // arguments without the program name
QString usageText();

} // namespace quornet::app
