// Fuzz target: the saved-game reader (HostEngine::restoreGame), which reads files a crash may
// have cut short or a user may have edited.
//
// The input is the document. A refused document must come with a reason and leave the engine's
// fresh table as it was. An accepted one must hold the engine's invariants (216 cards, seats,
// turn: checkInvariants), write back as a document that reads again and writes the same, and
// let the game go on: the held seats' time runs out and the computer players play on for a
// while, with the invariants checked after every event (EngineOptions::checkInvariants).
#include "fuzzsupport.h"

#include "host/engine.h"
#include "host/outbox.h"
#include "host/random.h"

#include <cstdint>

using namespace quornet;

namespace
{
// Enough computer turns to cross a round's end now and then, few enough to stay quick.
constexpr int MaxTimerEvents = 600;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool quiet = [] {
        fuzz::quietLogging();
        return true;
    }();
    (void)quiet;
    const QByteArray document(reinterpret_cast<const char*>(data), qsizetype(size));
    host::SilentOutbox out;
    host::SeededRandom random(1);
    host::EngineOptions options;
    options.checkInvariants = true;
    host::HostEngine engine(out, random, options);
    const QByteArray fresh = engine.saveGame();
    QString why;
    if (!engine.restoreGame(document, &why)) {
        FUZZ_CHECK(!why.isEmpty(), "a refused document without a reason");
        FUZZ_CHECK(engine.saveGame() == fresh, "a refused document changed the engine");
        return 0;
    }
    const QString broken = engine.checkInvariants();
    FUZZ_CHECK(broken.isEmpty(), broken.toUtf8());

    const QByteArray again = engine.saveGame();
    host::SeededRandom otherRandom(2);
    host::HostEngine copy(out, otherRandom, options);
    FUZZ_CHECK(copy.restoreGame(again, &why), why.toUtf8());
    FUZZ_CHECK(copy.saveGame() == again, "a saved game does not read back as itself");

    // Nobody comes back: the holds run out and the computer players play on.
    for (int i = 0; i < MaxTimerEvents && engine.table().running; ++i) {
        const qint64 due = engine.nextDeadline();
        if (engine.botTimerEnabled())
            engine.botTimerFired();
        else if (due >= 0)
            engine.advanceTo(due);
        else
            break;
    }
    return 0;
}
