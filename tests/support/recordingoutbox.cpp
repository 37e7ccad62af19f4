#include "support/recordingoutbox.h"

#include "protocol/framing.h"

#include <algorithm>

namespace quornet::host::testing
{

using protocol::Terminator;

void RecordingOutbox::send(int participant, const QByteArray& message)
{
    if (message.isEmpty() || message.back() != Terminator || message.count(Terminator) != 1)
        framesOk = false;
    sent.push_back({participant, message});
}

void RecordingOutbox::disconnect(int participant)
{
    closeRequests.append(participant);
    if (reportClosesTo) reportClosesTo->connectionClosed(participant);
}

void RecordingOutbox::botTimerChanged(bool enabled, int intervalMs)
{
    timerEnabled = enabled;
    timerInterval = intervalMs;
    if (enabled) ++timerArmings;
}

QList<QByteArray> RecordingOutbox::takeFor(int participant)
{
    QList<QByteArray> out;
    for (const Sent& s : sent)
        if (s.participant == participant) out << (s.message.endsWith(Terminator) ? s.message.chopped(1) : s.message);
    std::erase_if(sent, [participant](const Sent& s) { return s.participant == participant; });
    return out;
}

} // namespace quornet::host::testing
