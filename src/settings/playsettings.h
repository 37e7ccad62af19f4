// PlaySettings: the keys of the settings file (section "quornet") that the play-with-others
// dialog remembers: the fields of its host and join tabs and the last tables joined or hosted.
//
//   Playername=Ann             the name used at the last table (also a name from the command line)
//   Hostport=7772              Hostpassword=...         Hostfind=true         Hostrouter=true
//   Joinaddress=192.0.2.7      Joinport=7772            Joinpassword=...
//   Playtab=join               the tab shown last ("host" or "join")
//   Recent1..Recent10=hosted [::1]:7772 Ann     newest first: "hosted" or "joined", the
//                              table's HOST:PORT, the name used (the rest of the line)
//
// Passwords are kept as typed: the settings file is the player's own.
#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace quornet::settings {

class IniFile;

struct RecentTable {
    enum class Role { Hosted = 0, Joined = 1 };
    Role role = Role::Joined;
    QString host;
    quint16 port = 0;
    QString name;
    bool operator==(const RecentTable&) const = default;
};

class PlaySettings {
public:
    static constexpr int MaxRecent = 10;
    static constexpr quint16 DefaultPort = 7772;

    QString playerName;
    quint16 hostPort = DefaultPort;
    QString hostPassword;
    bool hostFindable = true; // "Let players on this network find the table"
    bool hostRouter = true;   // "Open the port on my router"
    QString joinAddress;
    quint16 joinPort = DefaultPort;
    QString joinPassword;
    QString tab = QStringLiteral("join");
    QList<RecentTable> recent; // newest first, at most MaxRecent, no table twice

    void load(const IniFile& file);
    void save(IniFile& file) const;
    bool loadFrom(const QString& path);
    bool saveTo(const QString& path) const;

    // Puts the table first in the recent list (an entry for the same HOST:PORT goes), keeping
    // at most MaxRecent.
    void remember(const RecentTable& table);

    // One recent entry as the file keeps it, and read back (nullopt-like: role Joined, port 0
    // when the text is not an entry).
    static QString recentText(const RecentTable& table);
    static RecentTable recentFromText(const QString& text);

    bool operator==(const PlaySettings&) const = default;
};

} // namespace quornet::settings
