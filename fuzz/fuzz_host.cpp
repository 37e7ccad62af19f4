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
//   16     byte P: participant (P & 0x0F) % 9 + 1 presents the key its window was given for seat
//          (P >> 4) % 4 + 1, possibly stale by now, and logs in (a window coming back)
//   17     byte P: participant P % 9 + 1 presents a foreign key (P & 0x80: malformed) and logs in
//   18     byte P: participant P % 9 + 1 answers a heartbeat (CMD_pong)
//   19     byte N: the clock moves on by N * 500 ms, deadline by deadline (heartbeats, silent
//          links, quiet arrivals, held seats, hung turns)
//   20     byte P: participant P % 9 + 1 gives a password (P & 0x80: the right one)
// (selectors are taken modulo 21). The first input byte seeds the shuffles (low 6 bits), makes
// the table private (bit 0x40, password "secret") and sets takeOverSeatOne (high bit).
//
// At the end (dedicated host only) everybody leaves, and the computer players must play the
// game to its end.
// Checked after every handled message, timer event and closed connection: the engine's own
// invariants (EngineOptions::checkInvariants: 216 cards, no card code 1 outside the deck, hand
// slots 0 or 2..54, partner scores, turn seat 0..4), and on every message the engine sends: one
// whole frame, only to an open connection (one connection per number: a seat taken back closes
// the old one), a CMD_newcard only to the seat it names, a seat key only to its own seat and
// never inside any other message, and at a private table nothing but the password's answer to a
// connection that has not given it.
#include "fuzzsupport.h"

#include "host/engine.h"
#include "host/random.h"
#include "protocol/fields.h"
#include "protocol/framing.h"
#include "protocol/messages.h"

#include <algorithm>
#include <utility>
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
        if (privateTable && !passwordGiven[std::size_t(participant)])
            FUZZ_CHECK(message.startsWith("CMD_passwordneeded+") || message.startsWith("CMD_wrongpassword+") ||
                           message.startsWith("CMD_sendlogininfo+"),
                       "a private table spoke before the password: " + message.left(60));
        if (message.startsWith("CMD_sendlogininfo+")) passwordGiven[std::size_t(participant)] = true;
        QByteArray ownKey;
        if (message.startsWith("CMD_seatkey+")) {
            protocol::FieldReader r(message.mid(12).chopped(1));
            const int seat = r.integer();
            ownKey = r.text();
            FUZZ_CHECK(r.ok() && seat == participant, "a seat key went to another participant");
            keys[std::size_t(seat)] = ownKey;
            allKeys.push_back(ownKey);
        }
        for (const QByteArray& key : allKeys)
            FUZZ_CHECK(key == ownKey || !message.contains(key), "a seat key inside another message");
    }
    void renumber(int from, int to) override
    {
        FUZZ_CHECK(!open[std::size_t(to)] && !accepted[std::size_t(to)], "two connections on one number");
        open[std::size_t(to)] = std::exchange(open[std::size_t(from)], false);
        accepted[std::size_t(to)] = std::exchange(accepted[std::size_t(from)], false);
        passwordGiven[std::size_t(to)] = std::exchange(passwordGiven[std::size_t(from)], false);
    }
    void forget(int participant) override
    {
        open[std::size_t(participant)] = false;
        accepted[std::size_t(participant)] = false;
        passwordGiven[std::size_t(participant)] = false;
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
    std::array<bool, host::ConnectionRecords + 1> passwordGiven{};
    std::array<QByteArray, host::Seats + 1> keys{}; // the last key each seat's window was given
    std::vector<QByteArray> allKeys;
    std::vector<int> pendingCloses;
    bool timerEnabled = false;
    bool privateTable = false;
};

class Session
{
public:
    explicit Session(std::uint8_t first)
        : m_random(first & 0x3F), m_engine(m_out, m_random, options(first)),
          m_takeOverSeatOne((first & 0x80) != 0)
    {
        m_engine.setBotSpeed(5);
        int counter = 0; // keys the same for the same input
        m_engine.setKeySource([counter]() mutable {
            return QByteArray("Key").append(QByteArray::number(++counter).rightJustified(17, '0'));
        });
        if (first & 0x40) {
            m_engine.setPassword("secret");
            m_out.privateTable = true;
        }
    }

    void run(const std::uint8_t* data, std::size_t size)
    {
        std::size_t i = 0;
        const auto next = [&]() -> int { return i < size ? data[i++] : 0; };
        while (i < size) {
            const int selector = next() % 21;
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
                receive(next() % Participants + 1, QByteArray(host::MaxFrameBytes + 1, 'x'));
                break;
            case 16: {
                const int b = next();
                const int p = (b & 0x0F) % Participants + 1;
                rejoin(p, m_out.keys[std::size_t((b >> 4) % host::Seats + 1)]);
                break;
            }
            case 17: {
                const int b = next();
                rejoin(b % Participants + 1, (b & 0x80) ? QByteArray("bad+key\x01") : QByteArray(20, 'Z'));
                break;
            }
            case 18:
                receive(next() % Participants + 1, protocol::msg::pong());
                break;
            case 19:
                advance(qint64(next()) * 500);
                break;
            case 20: {
                const int b = next();
                receive(b % Participants + 1, protocol::msg::password((b & 0x80) ? "secret" : "guess"));
                dispatch(host::ConnectionRecords * 1000);
                break;
            }
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

    void rejoin(int p, const QByteArray& key)
    {
        if (!m_out.open[std::size_t(p)]) return;
        m_engine.enqueue(p, protocol::msg::rejoin(key).chopped(1));
        login(p, false);
    }

    // The clock moves deadline by deadline, as TServer's single-shot timer moves it.
    void advance(qint64 ms)
    {
        const qint64 target = m_engine.now() + ms;
        while (spend()) {
            const qint64 next = m_engine.nextDeadline();
            const qint64 step = next > m_engine.now() && next < target ? next : target;
            m_engine.advanceTo(step);
            check();
            settle();
            if (step >= target) break;
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
