#include "app/program.h"

#include "bots/level.h"
#include "host/computerplayer.h"

namespace quornet::app {

Program::Program(std::uint32_t seed, const QString& tallyFolder)
    : server(seed), chat(server, gameStart), about(&chat), help(&about, &chat), tally(tallyFolder, &chat),
      download(&chat)
{
    // The host's computer players follow the Bot Speed of the host user's own window.
    server.engine().setBotSpeedSource([this] { return chat.botSpeed(); });
    // ... and play at the level chosen in its menu, taken at every game start.
    server.engine().computerPlayer().setLevelSource(
        [this] { return bots::levelFromText(chat.botLevel().toStdString()); });
    chat.setSpyList(&spyList);
    chat.setPhraseEditor(&phrases);
    chat.setTallyList(&tally);
    chat.setHelpWindows(&help, &about);
    chat.setDownloadWindow(&download);
}

} // namespace quornet::app
