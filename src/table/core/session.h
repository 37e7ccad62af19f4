// Session: what the table window is part of now, and what follows when that ends. The window
// consults it instead of flags of its own; it owns no sockets and no widgets (the window does
// the connecting and listening and reports here what happened).
//
//   Solo          a game against the computer players at the window's own host
//   Connecting    on the way to a table (hosting: the own host starting; joining: the first
//                 connection and the login)
//   Hosting       this copy hosts a table for others, its window seated
//   Joined        seated (or watching) at another copy's table
//   Reconnecting  a joined window lost its connection during a game and tries to get back
//   Closed        the table ended and nothing follows: the window closes
//
// A window started from the command line behaves as it always has: when its table ends, the
// session is Closed. A window that went to a table from the play dialog (or that plays solo)
// goes back to a fresh solo table instead.
#pragma once

#include <QObject>
#include <QString>

namespace quornet::table {

class Session : public QObject {
    Q_OBJECT
public:
    enum class State { Solo = 0, Connecting = 1, Hosting = 2, Joined = 3, Reconnecting = 4, Closed = 5 };
    Q_ENUM(State)
    enum class Role { Solo = 0, Host = 1, Join = 2 };
    // Where the table came from: the command line's table ends the program with it.
    enum class Origin { CommandLine = 0, Dialog = 1 };

    // The table a session goes to.
    struct Table {
        Role role = Role::Solo;
        QString host; // joining: the host's address or name; hosting: empty
        quint16 port = 0;
        QString password; // empty: none
        QString playerName;
        Origin origin = Origin::Dialog;
    };

    explicit Session(QObject* parent = nullptr);

    State state() const { return m_state; }
    const Table& table() const { return m_table; }
    Role role() const { return m_table.role; }
    bool isHosting() const { return m_table.role == Role::Host; }
    bool isJoining() const { return m_table.role == Role::Join; }
    bool isSolo() const { return m_table.role == Role::Solo; }
    // The window has a table of others open (hosting or joined, also while connecting).
    bool atSharedTable() const { return !isSolo() && m_state != State::Closed; }

    // --- What the window starts ------------------------------------------------------------
    void beginSolo();
    // Hosting or joining: Connecting until loggedIn().
    void beginTable(const Table& table);

    // --- What the window reports -----------------------------------------------------------
    // The own login was taken: Hosting, Joined or Solo by the table's role.
    void loggedIn();
    // The first connection could not be made or was refused (a wrong password, a full table,
    // another version): the window goes back to where it can try again. Returns the state
    // that follows (Solo for a dialog's table, Closed for the command line's).
    State firstContactFailed();
    // A joined window's connection was lost during a game and it tries again.
    void reconnecting();
    // Back at the table after reconnecting.
    void reconnected();
    // The table ended (the host closed it or is gone, this participant was removed, a hosted
    // table was left, reconnecting gave up). Returns what follows: Solo, or Closed for a table
    // of the command line.
    State tableEnded();
    // The window closes: nothing follows.
    void close();

    static QString stateName(State state);

signals:
    void stateChanged(quornet::table::Session::State state);

private:
    void setState(State state);
    State afterTable() const;

    State m_state = State::Solo;
    Table m_table;
};

} // namespace quornet::table
