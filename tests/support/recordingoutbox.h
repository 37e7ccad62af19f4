// The host's outbox in tests: every message, close request, renumbering and timer change the
// engine reports, in order, and the messages of one participant handed out as its connection
// would (bare texts, terminator removed).
#pragma once

#include "host/engine.h"
#include "host/outbox.h"

#include <QByteArray>
#include <QList>
#include <QPair>

#include <vector>

namespace quornet::host::testing
{

class RecordingOutbox : public Outbox
{
public:
    struct Sent {
        int participant;
        QByteArray message; // as handed over, terminator included
    };

    void send(int participant, const QByteArray& message) override;
    void disconnect(int participant) override;
    void renumber(int from, int to) override { renumbered.append({from, to}); }
    void forget(int participant) override { forgotten.append(participant); }
    void botTimerChanged(bool enabled, int intervalMs) override;

    // The messages sent to the participant so far, as its connection receives them, and
    // forgotten (those of the others stay).
    QList<QByteArray> takeFor(int participant);

    std::vector<Sent> sent;
    QList<int> closeRequests;
    QList<QPair<int, int>> renumbered;
    QList<int> forgotten;
    // When set, a close request is reported back to this engine at once, as the socket layer
    // does when the connection goes down.
    HostEngine* reportClosesTo = nullptr;

    bool timerEnabled = false;
    int timerInterval = 0;
    int timerArmings = 0;
    // False once a message did not end in exactly one terminator.
    bool framesOk = true;
};

} // namespace quornet::host::testing
