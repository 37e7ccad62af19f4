// PlayingWithOthers: where the window plays and how it gets there. The play dialog (File > "Host a
// Table..." / "Join a Table...", the lobby's "Play with Others", invite links), hosting and
// joining in the same window, going back to a solo table, private tables and the answers of a
// table that refuses or ends. The Session says where the window is; the TableReach what a hosted
// table tells the world; this class does the listening and connecting they stand for.
#pragma once

#include "settings/playsettings.h"
#include "table/core/session.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace quornet::host {
class TServer;
}

namespace quornet::table {

class ConnectionWatch;
class KeptGames;
class PlayDialog;
class TableConnection;
class TableModel;
class TableReach;
struct HostRequest;
struct JoinRequest;

class PlayingWithOthers : public QObject {
    Q_OBJECT
public:
    // The table the window was started for or the dialog chose, in the command line's terms: the
    // name, the address and the flag ("true": host, "join"); none: solo. The port is the one the
    // own host listens on or the joined table's.
    struct Place {
        QStringList positional;
        quint16 port = 7772;
        QString address;
        bool solo() const { return positional.isEmpty(); }
    };

    // `window` is the parent of the dialogs and is closed when the command line's table ends;
    // `settingsPath` names the settings file the dialog's fields are kept in.
    PlayingWithOthers(QWidget& window, host::TServer& server, TableModel& model, TableConnection& connection,
                      ConnectionWatch& watch, KeptGames& kept, std::function<QString()> settingsPath);

    const Session& session() const { return m_session; }
    Place& place() { return m_place; }
    TableReach& reach() { return *m_reach; }

    // File menu items (before `before`): host, join, copy invite link, leave the table.
    void addMenuItems(QMenu* file, QAction* before);

    // File > "Host a Table..." / "Join a Table...", the lobby window's "Play with Others".
    void openPlayDialog(int tab);
    PlayDialog* playDialog();
    // An invite link from the command line or from a second copy: the join tab filled in.
    void openInviteLink(const QString& text);
    // What the program was started for besides its table: an invite link, or "host" / "join"
    // (a tab of the play dialog). Opened over the solo table once the window is shown.
    void setStartRequest(const QString& request) { m_startRequest = request; }
    void openStartRequest(const QString& request);
    // What the window was started for (setStartRequest(), or an invite link among the
    // positional arguments, taken out of them); empty: nothing.
    QString takeStartRequest();
    // The command line's name is offered by the dialog next time.
    void rememberName(const QString& name);
    settings::PlaySettings playSettings() const;

    // The session starts at the solo table, or at the command line's table at the place.
    void beginSolo() { m_session.beginSolo(); }
    void beginCommandLineTable(bool hosting);
    // The own host listens on the place's port and the window connects to it as participant 1.
    void hostOwnTable();
    // The window connects to the place's address and port.
    void joinPlacedTable();
    // Leaves the table (if any) and hosts one, joins one, or plays solo, in this window.
    void hostTable(const HostRequest& request);
    void joinTable(const JoinRequest& request);
    void backToSolo();

signals:
    // The player's name at the table changed (the tally counts its games under it).
    void playerNamed(const QString& name);

private:
    void wire();
    bool leaveCurrentTable(const QString& question);
    void startAfresh();
    bool tableEnded(const QString& why);
    void firstContactFailed(const QString& why);
    void askPassword(const QString& text);
    void tableCloseRequested();
    void rememberTable();
    void savePlaySettings(const settings::PlaySettings& s);
    void say(const QString& sentence);

    QWidget& m_window;
    host::TServer& m_server;
    TableModel& m_model;
    TableConnection& m_connection;
    ConnectionWatch& m_watch;
    KeptGames& m_kept;
    std::function<QString()> m_settingsPath;
    Session m_session;
    Place m_place;
    TableReach* m_reach = nullptr;
    PlayDialog* m_playDialog = nullptr;
    QString m_startRequest;
    bool m_passwordSent = false; // this connection gave the table's password
    bool m_refusalShown = false; // a refusal of this attempt is on screen already
};

} // namespace quornet::table
