// Shared by the benchmarks: outboxes and a recorded game.
#pragma once

#include "host/outbox.h"

#include <QByteArray>
#include <QList>

#include <array>

namespace quornet::bench
{

// Nobody is connected: the engine sends nothing (as in quornet-sim).
class SilentOutbox : public host::Outbox
{
public:
    void send(int, const QByteArray&) override {}
    void disconnect(int) override {}
    void botTimerChanged(bool on, int) override { armed = on; }
    bool armed = false;
};

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
    void botTimerChanged(bool on, int) override { armed = on; }
    void clear()
    {
        for (QByteArray& b : buffers)
            b.resize(0);
    }
    std::array<QByteArray, 12> buffers;
    long long messages = 0;
    bool armed = false;
};

// Every message the host sends to participant 1 (seat 1, played by the computer while it just
// watches) during a one-round game, as framed texts without their terminator.
QList<QByteArray> recordedGame(std::uint32_t seed);

// A tally text with the given number of tallied players (names and counts vary).
QByteArray tallyText(int players, std::uint32_t seed);

void quietLogging();

} // namespace quornet::bench
