// KeptGames: games kept between runs of the program. The solo game and the hosting copy's table
// are saved by their host after every move (TServer's game file); closing the window during a
// game asks whether to keep it, and the next start offers to resume it. A joined window keeps the
// table's address and its seat key, so a program restarted after a crash can take its seat back.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <optional>

class QWidget;

namespace quornet::host {
class TServer;
}

namespace quornet::table {

class TableConnection;
class TableModel;

class KeptGames {
    Q_DECLARE_TR_FUNCTIONS(KeptGames)

public:
    // `window` is the parent of the questions asked.
    KeptGames(QWidget& window, host::TServer& server, TableModel& model, TableConnection& connection);

    // Where games are kept; empty (tests): nowhere, and closing asks nothing.
    void setFolder(const QString& folder) { m_folder = folder; }
    // The session ends (a signal): closing keeps a game in progress without asking.
    void closeQuietly() { m_closingQuietly = true; }

    // Before this copy's host listens (solo, or hosting on `port`): a game kept from before is
    // offered, taken up when wanted, and from now on the host keeps this table's game.
    void resumeOrKeep(bool solo, quint16 port);

    // At a bare start: a seat at a joined table that a crash or a closed window left behind,
    // when the player takes it back (the model then holds its key and expects the rejoin).
    struct JoinedSeat {
        QString name;
        QString address;
        quint16 port = 0;
    };
    std::optional<JoinedSeat> offerJoinedSeat();

    // After every change of the model: a joined window keeps where it sits and its key while a
    // game runs, and forgets them when it leaves between games.
    void keepJoinedSeat(bool atTable);

    // The window closes (`atTable`: hosting or joined, not solo). False when the player would
    // rather stay at the table.
    bool settleBeforeClosing(bool atTable);

private:
    QString gamePath(bool solo, quint16 port) const;
    QString joinedSeatPath() const;

    QWidget& m_window;
    host::TServer& m_server;
    TableModel& m_model;
    TableConnection& m_connection;
    QString m_folder;
    QByteArray m_keptJoinedKey; // the seat key last written for a restart, empty: none
    bool m_closingQuietly = false;
};

} // namespace quornet::table
