// Every window of the program and the host, created once at start in a fixed order and wired
// together: the table window, the side windows and TServer. The program's entry and the
// window tests build the same thing.
#pragma once

#include "host/tserver.h"
#include "table/window/tchat.h"
#include "windows/aboutform.h"
#include "windows/downloadform.h"
#include "windows/gamestart.h"
#include "windows/helpform.h"
#include "windows/phrases.h"
#include "windows/spylist.h"
#include "windows/tallylistform.h"

#include <cstdint>

namespace quornet::app {

struct Program {
    // seed fixes the host's shuffles; tallyFolder holds "quornettally.tld".
    Program(std::uint32_t seed, const QString& tallyFolder);

    windows::Tgamestartform gameStart;
    host::TServer server;
    table::Tchat chat;
    windows::Tspylist spyList;
    windows::Tabout about;
    windows::Thelp help;
    windows::Tphrases phrases;
    windows::Ttallylist tally; // writes the tally file when it is destroyed
    windows::Tdownload download;
};

} // namespace quornet::app
