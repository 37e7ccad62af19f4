// Shared by the benchmarks: an outbox like a socket's write buffer and a recorded game.
#pragma once

#include "host/outbox.h"

#include <QByteArray>
#include <QList>

#include <array>

namespace quornet::bench
{

// Keeps what would be written to each participant's socket, like a socket's write buffer.
class MemoryOutbox : public host::Outbox
{
public:
    void send(int participant, const QByteArray& message) override
    {
        buffers[std::size_t(participant)].append(message);
        ++messages;
    }
    void disconnect(int) override {}
    void botTimerChanged(bool, int) override {}
    void clear()
    {
        for (QByteArray& b : buffers)
            b.resize(0);
    }
    std::array<QByteArray, 12> buffers;
    long long messages = 0;
};

// Every message the host sends to participant 1 (seat 1, played by the computer while it just
// watches) during a one-round game, as framed texts without their terminator.
QList<QByteArray> recordedGame(std::uint32_t seed);

// A tally text with the given number of tallied players (names and counts vary).
QByteArray tallyText(int players, std::uint32_t seed);

void quietLogging();

} // namespace quornet::bench
