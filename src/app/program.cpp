#include "app/program.h"

#include "bots/level.h"
#include "host/computerplayer.h"

namespace quornet::app {

Program::Program(std::uint32_t seed, const QString& tallyFolder)
    : server(seed), chat(server, gameStart), about(&chat), help(&about, &chat), tally(tallyFolder, &chat),
      download(&chat)
{
    // The host's computer players play at the Bot Speed and level of the host user's own window:
    // the engine is told each change (the speed counts from the next move, the level from the
    // next game start).
    const auto setLevel = [this](const QString& level) {
        server.engine().computerPlayer().setLevel(bots::levelFromText(level.toStdString()));
    };
    server.engine().setBotSpeed(chat.botSpeed());
    setLevel(chat.botLevel());
    QObject::connect(&chat, &table::Tchat::botSpeedChanged, &chat, [this](int ms) { server.engine().setBotSpeed(ms); });
    QObject::connect(&chat, &table::Tchat::botLevelChanged, &chat, setLevel);
    chat.setSpyList(&spyList);
    chat.setPhraseEditor(&phrases);
    chat.setTallyList(&tally);
    chat.setHelpWindows(&help, &about);
    chat.setDownloadWindow(&download);
}

} // namespace quornet::app
