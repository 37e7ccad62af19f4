#include "app/program.h"

namespace quornet::app {

Program::Program(std::uint32_t seed, const QString& tallyFolder)
    : server(seed), chat(server, gameStart), about(&chat), help(&about, &chat), tally(tallyFolder, &chat),
      download(&chat)
{
    // The host's computer players follow the Bot Speed of the host user's own window.
    server.engine().setBotSpeedSource([this] { return chat.botSpeed(); });
    chat.setSpyList(&spyList);
    chat.setPhraseEditor(&phrases);
    chat.setTallyList(&tally);
    chat.setHelpWindows(&help, &about);
    chat.setDownloadWindow(&download);
}

} // namespace quornet::app
