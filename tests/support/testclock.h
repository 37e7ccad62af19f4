// A clock that moves only when a test moves it, for what runs on deadlines (the engine's
// advanceTo(): logins not made in time, hung turns, held seats), so no test waits real time.
#pragma once

#include <QtGlobal>

namespace quornet::testing
{

class TestClock
{
public:
    qint64 now() const { return m_now; }
    void advance(qint64 ms) { m_now += ms; }

private:
    qint64 m_now = 0;
};

} // namespace quornet::testing
