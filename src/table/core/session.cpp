#include "table/core/session.h"

#include <QMetaEnum>

namespace quornet::table {

Session::Session(QObject* parent) : QObject(parent) {}

void Session::setState(State state)
{
    if (m_state == state) return;
    m_state = state;
    emit stateChanged(state);
}

Session::State Session::afterTable() const
{
    return m_table.origin == Origin::CommandLine ? State::Closed : State::Solo;
}

void Session::beginSolo()
{
    // A solo table is the window's own: whatever led to it, the next table's end comes back here.
    m_table = Table{};
    m_table.role = Role::Solo;
    m_table.playerName = QStringLiteral("You");
    setState(State::Solo);
}

void Session::beginTable(const Table& table)
{
    m_table = table;
    if (table.role == Role::Solo) return beginSolo();
    // A state change even from Connecting: a second try is a new attempt.
    m_state = State::Closed;
    setState(State::Connecting);
}

void Session::loggedIn()
{
    if (m_state == State::Closed) return;
    switch (m_table.role) {
    case Role::Solo: setState(State::Solo); break;
    case Role::Host: setState(State::Hosting); break;
    case Role::Join: setState(State::Joined); break;
    }
}

Session::State Session::firstContactFailed()
{
    if (m_state != State::Connecting) return m_state;
    const State next = afterTable();
    if (next == State::Solo) beginSolo();
    else setState(next);
    return next;
}

void Session::reconnecting()
{
    if (m_state == State::Joined) setState(State::Reconnecting);
}

void Session::reconnected()
{
    if (m_state == State::Reconnecting) setState(State::Joined);
}

Session::State Session::tableEnded()
{
    if (m_state == State::Closed) return m_state;
    const State next = isSolo() ? State::Closed : afterTable();
    if (next == State::Solo) beginSolo();
    else setState(next);
    return next;
}

void Session::close() { setState(State::Closed); }

QString Session::stateName(State state)
{
    return QString::fromLatin1(QMetaEnum::fromType<State>().valueToKey(int(state)));
}

} // namespace quornet::table
