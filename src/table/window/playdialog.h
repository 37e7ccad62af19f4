// PlayDialog: "Play with Others", the way from the table window to a table of friends. Two
// tabs:
//
//   Host   the player's name, the TCP port, an optional password, "Let players on this network
//          find the table", "Open the port on my router"; while this copy hosts, who can join
//          (reachability in words) and the invite links.
//   Join   the player's name; an address and port, or an invite link pasted; the password; the
//          tables found on this network, live (a TableFinder asks every 2 s while the dialog is
//          open); the last tables joined or hosted, with the name used there.
//
// The dialog only asks: hostRequested() and joinRequested() say what the player chose, and the
// table window does it. Every field is kept in the settings file (settings::PlaySettings).
#pragma once

#include "net/invitelink.h"
#include "net/tablefinder.h"
#include "settings/playsettings.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace quornet::table {

struct HostRequest {
    QString playerName;
    quint16 port = 0;
    QString password;
    bool findable = true;
    bool openRouterPort = true;
};

struct JoinRequest {
    QString playerName;
    QString host;
    quint16 port = 0;
    QString password;
};

class PlayDialog : public QDialog {
    Q_OBJECT
public:
    enum class Tab { Host = 0, Join = 1 };
    // The found list's columns.
    enum Column { ColumnName = 0, ColumnAddress, ColumnSeats, ColumnGame, ColumnPassword, ColumnVersion, ColumnCount };

    explicit PlayDialog(QWidget* parent = nullptr);

    // The fields from the settings, and back.
    void load(const settings::PlaySettings& settings);
    settings::PlaySettings values() const;

    void showTab(Tab tab);
    Tab currentTab() const;
    // The join tab filled in from an invite link (or typed address), Join the default button.
    void fillFromLink(const net::InviteLink& link);
    // Who can join the table this copy hosts, in words (empty: not hosting).
    void setReachability(const QStringList& sentences);
    // The UDP port the finder asks on (tests use their own).
    void setDiscoveryPort(quint16 port) { m_discoveryPort = port; }
    const net::TableFinder& finder() const { return m_finder; }
    // Asks at once rather than at the next round (tests shorten the rounds).
    void setFinderInterval(int ms) { m_finder.setInterval(ms); }

    // What Host and Join would ask for now; a join with an address that cannot be read gives an
    // empty host and sets `error`.
    HostRequest hostRequest() const;
    JoinRequest joinRequest(QString* error = nullptr) const;

    QTreeWidget* foundList() const { return m_found; }
    QListWidget* recentList() const { return m_recent; }

signals:
    void hostRequested(const quornet::table::HostRequest& request);
    void joinRequested(const quornet::table::JoinRequest& request);
    // The fields changed: the owner keeps them.
    void fieldsChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildHostTab();
    QWidget* buildJoinTab();
    void tabChanged();
    void addressEdited(const QString& text);
    void foundChanged(const net::FoundTable& table);
    void foundGone(const QString& key);
    void showFoundCount();
    void foundChosen(QTreeWidgetItem* item);
    void recentChosen(int row);
    void fillRecent();
    void host();
    void join();

    QTabWidget* m_tabs = nullptr;
    // Host tab.
    QLineEdit* m_hostName = nullptr;
    QSpinBox* m_hostPort = nullptr;
    QLineEdit* m_hostPassword = nullptr;
    QCheckBox* m_findable = nullptr;
    QCheckBox* m_router = nullptr;
    QLabel* m_reach = nullptr;
    QPushButton* m_hostButton = nullptr;
    // Join tab.
    QLineEdit* m_joinName = nullptr;
    QLineEdit* m_address = nullptr;
    QSpinBox* m_joinPort = nullptr;
    QLineEdit* m_joinPassword = nullptr;
    QTreeWidget* m_found = nullptr;
    QLabel* m_findState = nullptr;
    QListWidget* m_recent = nullptr;
    QPushButton* m_joinButton = nullptr;

    QList<settings::RecentTable> m_recentTables;
    net::TableFinder m_finder;
    quint16 m_discoveryPort;
};

} // namespace quornet::table
