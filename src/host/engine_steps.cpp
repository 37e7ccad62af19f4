// A computer player's turn, step by step: the engine decides and plays the whole turn at once,
// as it always has (so the rules, the order of the messages and every decision stay the same),
// and holds the messages of each step after the first until Timer1 hands them out, one step per
// event at the step pace. A message made while steps wait goes behind them, so every
// connection hears everything in the order it was made; a connection coming or going, or a
// number changing hands, first hands out everything that waits.
//
// Only messages make steps: with nobody connected (the simulator) nothing is held and the timer
// runs as it always did. Nothing of the steps is saved: a restored game has no connections, and
// its players catch up from the table itself.
#include "host/engine.h"

namespace quornet::host {

// Called by each request of a computer player: the draw or pick-up, each book or addition,
// the discard. The turn's first step goes out at once when nothing waits; a step after it waits
// its turn even when it comes in an event of its own (a decision made off the event loop).
void HostEngine::beginStep()
{
    if (m_stepsThisEvent++ > 0 || !m_steps.empty() || m_turnStepped) m_stepBegun = true;
    m_turnStepped = true;
}

bool HostEngine::holdForStep(int participant, const QByteArray& message)
{
    if (!m_stepBegun && m_steps.empty()) return false;
    const bool wasIdle = m_steps.empty();
    if (m_stepBegun || m_steps.empty()) m_steps.emplace_back();
    m_stepBegun = false;
    m_steps.back().push_back(Frame{participant, message});
    if (wasIdle) m_out.botTimerChanged(true, stepPaceMs());
    return true;
}

void HostEngine::releaseStep()
{
    if (m_steps.empty()) return;
    const std::vector<Frame> step = std::move(m_steps.front());
    m_steps.pop_front();
    for (const Frame& f : step) m_out.send(f.participant, f.message);
    // The timer goes back to what the game has pending, its ticks counted from here.
    if (m_steps.empty()) m_out.botTimerChanged(m_timerEnabled, m_timerInterval);
}

void HostEngine::releaseAllSteps()
{
    m_stepBegun = false;
    while (!m_steps.empty()) releaseStep();
}

// A closed connection hears nothing more; its number may go to a newcomer.
void HostEngine::dropHeldFor(int participant)
{
    for (std::vector<Frame>& step : m_steps)
        std::erase_if(step, [participant](const Frame& f) { return f.participant == participant; });
}

void HostEngine::endStepEvent()
{
    m_stepsThisEvent = 0;
    m_stepBegun = false;
}

} // namespace quornet::host
