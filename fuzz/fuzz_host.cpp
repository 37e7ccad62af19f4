// Fuzz target: the host's framing, queue and rules engine, fed by up to nine participants.
//
// The input is a sequence of chunks, each starting with a selector byte:
//   0..8   length byte L, then L bytes received on the connection of participant selector + 1
//   9      byte N: handle up to N + 1 queued messages (socktimer ticks)
//   10     byte N: fire the computer-player timer N + 1 times while it is armed
//   11     byte O: participant 1 logs in and starts a game with the options in O
//   12     byte P: the connection of participant P % 9 + 1 closes
//   13     a new connection is accepted and welcomed
//   14     byte P: participant (P & 0x7F) % 9 + 1 logs in (bit 0x80: with a wrong version)
//   15     byte P: participant P % 9 + 1 sends more than the framing limit without a terminator
// (selectors are taken modulo 16). The first input byte seeds the shuffles (low 7 bits) and sets
// takeOverSeatOne (high bit).
//
// At the end (dedicated host only) everybody leaves, and the computer players must play the
// game to its end.
// Checked after every handled message, timer event and closed connection: the engine's own
// invariants (EngineOptions::checkInvariants: 216 cards, no card code 1 outside the deck, hand
// slots 0 or 2..54, partner scores, turn seat 0..4), and on every message the engine sends: one
// whole frame, only to an open connection, and a CMD_newcard only to the seat it names.
#include "fuzzsupport.h"

#include "host/engine.h"
#include "host/random.h"
#include "protocol/fields.h"
#include "protocol/framing.h"
#include "protocol/messages.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

using namespace quornet;
using host::HostEngine;

namespace
{

constexpr int Participants = host::MaxParticipants;

// Stands in for TServer: a close request cuts the socket at once (its later bytes are lost and
// nothing more reaches it) and the engine learns of the departure after the current step.
class FuzzOutbox : public host::Outbox
{
public:
    void send(int participant, const QByteArray& message) override
    {
        FUZZ_CHECK(participant >= 1 && participant <= host::ConnectionRecords);
        FUZZ_CHECK(accepted[std::size_t(participant)], "sent to a closed connection");
        FUZZ_CHECK(!message.isEmpty() && message.back() == protocol::Terminator &&
                       message.count(protocol::Terminator) == 1,
                   message.left(60));
        if (message.startsWith("CMD_newcard+")) {
            protocol::FieldReader r(message.mid(12).chopped(1));
            const int seat = r.integer();
            FUZZ_CHECK(r.ok() && seat == participant, "a seat's card went to another participant");
        }
    }
    void disconnect(int participant) override
    {
        FUZZ_CHECK(participant >= 1 && participant <= host::ConnectionRecords);
        if (!open[std::size_t(participant)]) return;
        open[std::size_t(participant)] = false;
        pendingCloses.push_back(participant);
    }
    void botTimerChanged(bool enabled, int) override { timerEnabled = enabled; }

    std::array<bool, host::ConnectionRecords + 1> open{};     // the socket is there
    std::array<bool, host::ConnectionRecords + 1> accepted{}; // the engine counts it connected
    std::vector<int> pendingCloses;
    bool timerEnabled = false;
};

class Session
{
public:
    explicit Session(std::uint8_t first)
        : m_random(first & 0x7F), m_engine(m_out, m_random, options(first)),
          m_takeOverSeatOne((first & 0x80) != 0)
    {
        m_engine.setBotSpeed(5);
    }

    void run(const std::uint8_t* data, std::size_t size)
    {
        std::size_t i = 0;
        const auto next = [&]() -> int { return i < size ? data[i++] : 0; };
        while (i < size) {
            const int selector = next() % 16;
            if (selector < Participants) {
                const std::size_t length = std::size_t(next());
                const std::size_t take = std::min(length, size - i);
                receive(selector + 1,
                        QByteArray(reinterpret_cast<const char*>(data + i), qsizetype(take)));
                i += take;
                continue;
            }
            switch (selector) {
            case 9:
                dispatch(next() + 1);
                break;
            case 10:
                fire(next() + 1);
                break;
            case 11:
                startGame(next());
                break;
            case 12:
                close(next() % Participants + 1);
                break;
            case 13:
                accept();
                break;
            case 14: {
                const int b = next();
                login((b & 0x7F) % Participants + 1, (b & 0x80) != 0);
                break;
            }
            case 15:
                receive(next() % Participants + 1,
                        QByteArray(protocol::FrameSplitter::DefaultMaxPending + 1, 'x'));
                break;
            }
        }
        // Whatever is still queued is handled, as the socktimer would.
        dispatch(host::ConnectionRecords * 1000);
        finish();
    }

    // Everybody leaves: the computer players take every seat and must play the game to its end
    // (a game that stalls with the timer disarmed, or never ends, is a fault).
    // Only for the dedicated host: a hosting window's own connection (participant 1) never
    // leaves while its host runs, so there seat 1 is not taken over.
    void finish()
    {
        if (!m_takeOverSeatOne) return;
        for (int p = 1; p <= Participants; ++p)
            close(p);
        settle();
        const bool oneRound = m_engine.table().lengthCode == "r";
        const int limit = oneRound ? 20000 : 200000;
        int events = 0;
        while (m_engine.table().running && m_out.timerEnabled && events++ < limit) {
            m_engine.botTimerFired();
            settle();
        }
        FUZZ_CHECK(!m_engine.table().running, m_out.timerEnabled
                                                  ? "the computer players never end the game"
                                                  : "the game stalls with every seat empty");
    }

private:
    static host::EngineOptions options(std::uint8_t first)
    {
        host::EngineOptions o;
        o.checkInvariants = true;
        o.takeOverSeatOne = (first & 0x80) != 0;
        return o;
    }

    // Closes reported by the engine reach it after the step that asked for them.
    void settle()
    {
        while (!m_out.pendingCloses.empty()) {
            const int p = m_out.pendingCloses.front();
            m_out.pendingCloses.erase(m_out.pendingCloses.begin());
            closed(p);
        }
    }

    void closed(int p)
    {
        m_engine.connectionClosed(p);
        m_out.accepted[std::size_t(p)] = false;
        check();
    }

    // The engine checks its own invariants after every event (EngineOptions::checkInvariants)
    // and stops the run with qFatal when one breaks; this adds what only the outside can see.
    void check()
    {
        const host::Table& t = m_engine.table();
        for (int p = 1; p <= host::ConnectionRecords; ++p) {
            // The engine's view of who is connected follows the connections it was told of.
            if (t.rec[std::size_t(p)].connected)
                FUZZ_CHECK(m_out.accepted[std::size_t(p)],
                           "a closed participant counts as connected");
        }
        FUZZ_CHECK(t.highWater >= 0 && t.highWater <= Participants + 1);
    }

    int accept()
    {
        const HostEngine::AcceptResult r = m_engine.accept();
        if (r.refused) {
            FUZZ_CHECK(r.participant > Participants, "refused although a number was free");
            return 0;
        }
        FUZZ_CHECK(r.participant >= 1 && r.participant <= Participants);
        FUZZ_CHECK(!m_out.accepted[std::size_t(r.participant)], "a live number was given twice");
        m_out.open[std::size_t(r.participant)] = true;
        m_out.accepted[std::size_t(r.participant)] = true;
        m_engine.welcome(r.participant);
        return r.participant;
    }

    void receive(int p, const QByteArray& bytes)
    {
        if (!m_out.open[std::size_t(p)]) return; // no socket: nothing can arrive
        m_engine.receive(p, bytes);
        settle();
    }

    void close(int p)
    {
        if (!m_out.open[std::size_t(p)]) return;
        m_out.open[std::size_t(p)] = false;
        closed(p);
    }

    // Handled messages and timer events per input are bounded, so one input cannot take long.
    bool spend() { return m_budget-- > 0; }

    void dispatch(int n)
    {
        for (int k = 0; k < n && spend() && m_engine.dispatchOne(); ++k) {
            check();
            settle();
        }
    }

    void fire(int n)
    {
        for (int k = 0; k < n && m_out.timerEnabled && spend(); ++k) {
            m_engine.botTimerFired();
            check();
            settle();
        }
    }

    void login(int p, bool wrongVersion)
    {
        if (!m_out.open[std::size_t(p)]) return;
        const QByteArray name = "P" + QByteArray::number(p);
        m_engine.enqueue(
            p, protocol::msg::loginInfo(p, wrongVersion ? "0.9" : protocol::VersionText, name)
                   .chopped(2));
        dispatch(host::ConnectionRecords * 1000);
    }

    void startGame(int o)
    {
        if (!m_out.open[1] && accept() != 1) return;
        login(1, false);
        static const char* const Lengths[] = {"r", "3", "5", "f"};
        const QByteArray message = protocol::msg::startGame("P1", Lengths[o & 3], (o & 4) != 0,
                                                            (o & 8) == 0, (o >> 4) % 7 + 1);
        m_engine.enqueue(1, message.chopped(1));
        dispatch(host::ConnectionRecords * 1000);
    }

    FuzzOutbox m_out;
    host::SeededRandom m_random;
    HostEngine m_engine;
    const bool m_takeOverSeatOne;
    int m_budget = 5000;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    Session session(data[0]);
    session.run(data + 1, size - 1);
    return 0;
}
