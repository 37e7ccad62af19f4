#include "benchsupport.h"

#include "host/engine.h"
#include "host/random.h"
#include "protocol/framing.h"
#include "protocol/messages.h"

#include <QLoggingCategory>

#include <random>

namespace quornet::bench
{

namespace msg = protocol::msg;

void quietLogging()
{
    QLoggingCategory::setFilterRules(QStringLiteral("quornet.*=false"));
}

QList<QByteArray> recordedGame(std::uint32_t seed)
{
    quietLogging();
    MemoryOutbox out;
    host::SeededRandom random(seed);
    host::HostEngine engine(out, random);
    engine.setBotSpeed(1);
    engine.welcome(engine.accept().participant);
    engine.enqueue(1, msg::loginInfo(1, protocol::VersionText, "Ann").chopped(2));
    engine.enqueue(1, msg::startGame("Ann", "r", false, true, 1).chopped(1));
    engine.enqueue(1, msg::justWatch(1, 1).chopped(1));
    while (engine.dispatchOne()) {
    }
    for (int k = 0; k < 1000000 && engine.table().running && engine.botTimerEnabled(); ++k)
        engine.botTimerFired();
    protocol::FrameSplitter split(1 << 30);
    return split.feed(out.buffers[1]);
}

QByteArray tallyText(int players, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    const auto number = [&rng](int below) {
        return QByteArray::number(int(rng() % unsigned(below)));
    };
    QList<QList<QByteArray>> rows;
    rows.append({"0", number(5000), number(2000), "0", "0", "0", "0", "0", "0"});
    for (int i = 0; i < players; ++i) {
        QByteArray name;
        const int length = 3 + int(rng() % 10);
        for (int k = 0; k < length; ++k)
            name += char('a' + rng() % 26);
        rows.append({name, number(900), number(400), number(400), number(300), number(20),
                     number(10), number(10), number(10)});
    }
    QByteArray text = "9\r\n" + QByteArray::number(rows.size()) + "\r\n";
    for (int c = 0; c < 9; ++c)
        for (const auto& row : rows)
            text += row[c] + "\r\n";
    return text;
}

} // namespace quornet::bench
