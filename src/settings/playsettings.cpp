#include "settings/playsettings.h"

#include "net/invitelink.h"
#include "settings/inifile.h"
#include "settings/tablesettings.h"

namespace quornet::settings {

namespace {

const QString kPlayername = QStringLiteral("Playername");
const QString kHostport = QStringLiteral("Hostport");
const QString kHostpassword = QStringLiteral("Hostpassword");
const QString kHostfind = QStringLiteral("Hostfind");
const QString kHostrouter = QStringLiteral("Hostrouter");
const QString kJoinaddress = QStringLiteral("Joinaddress");
const QString kJoinport = QStringLiteral("Joinport");
const QString kJoinpassword = QStringLiteral("Joinpassword");
const QString kPlaytab = QStringLiteral("Playtab");
const QString kRecent = QStringLiteral("Recent%1");

const QString kHosted = QStringLiteral("hosted");
const QString kJoined = QStringLiteral("joined");

QString read(const IniFile& file, const QString& key) { return file.value(TableSettings::sectionName(), key); }

quint16 readPort(const IniFile& file, const QString& key)
{
    bool ok = false;
    const uint v = read(file, key).toUInt(&ok);
    return ok && v >= 1 && v <= 65535 ? quint16(v) : PlaySettings::DefaultPort;
}

bool readOn(const IniFile& file, const QString& key)
{
    return read(file, key).compare(QStringLiteral("false"), Qt::CaseInsensitive) != 0;
}

QString onText(bool on) { return on ? QStringLiteral("true") : QStringLiteral("false"); }

} // namespace

QString PlaySettings::recentText(const RecentTable& table)
{
    return (table.role == RecentTable::Role::Hosted ? kHosted : kJoined) + ' ' + net::hostAndPort(table.host, table.port) +
           ' ' + table.name;
}

RecentTable PlaySettings::recentFromText(const QString& text)
{
    RecentTable t;
    const QString role = text.section(' ', 0, 0);
    const QString where = text.section(' ', 1, 1);
    if (role != kHosted && role != kJoined) return t;
    // The address as the join field reads it; a link's password has no place here.
    const net::LinkParse parse = net::parseInviteLink(where);
    if (!parse.ok || !parse.link.password.isEmpty()) return t;
    t.role = role == kHosted ? RecentTable::Role::Hosted : RecentTable::Role::Joined;
    t.host = parse.link.host;
    t.port = parse.link.port;
    t.name = text.section(' ', 2).trimmed();
    return t;
}

void PlaySettings::load(const IniFile& file)
{
    *this = PlaySettings{};
    playerName = read(file, kPlayername).trimmed();
    hostPort = readPort(file, kHostport);
    hostPassword = read(file, kHostpassword);
    hostFindable = readOn(file, kHostfind);
    hostRouter = readOn(file, kHostrouter);
    joinAddress = read(file, kJoinaddress).trimmed();
    joinPort = readPort(file, kJoinport);
    joinPassword = read(file, kJoinpassword);
    if (read(file, kPlaytab) == QLatin1String("host")) tab = QStringLiteral("host");
    for (int n = 1; n <= MaxRecent; ++n) {
        const RecentTable t = recentFromText(read(file, kRecent.arg(n)));
        if (t.port != 0) recent << t;
    }
}

void PlaySettings::save(IniFile& file) const
{
    const QString section = TableSettings::sectionName();
    file.setValue(section, kPlayername, playerName);
    file.setValue(section, kHostport, QString::number(hostPort));
    file.setValue(section, kHostpassword, hostPassword);
    file.setValue(section, kHostfind, onText(hostFindable));
    file.setValue(section, kHostrouter, onText(hostRouter));
    file.setValue(section, kJoinaddress, joinAddress);
    file.setValue(section, kJoinport, QString::number(joinPort));
    file.setValue(section, kJoinpassword, joinPassword);
    file.setValue(section, kPlaytab, tab);
    for (int n = 1; n <= MaxRecent; ++n)
        file.setValue(section, kRecent.arg(n), n <= recent.size() ? recentText(recent[n - 1]) : QString());
}

bool PlaySettings::loadFrom(const QString& path)
{
    IniFile file(path);
    const bool ok = file.load();
    load(file);
    return ok;
}

bool PlaySettings::saveTo(const QString& path) const
{
    IniFile file(path);
    if (!file.load()) return false;
    save(file);
    return file.save();
}

void PlaySettings::remember(const RecentTable& table)
{
    recent.removeIf([&](const RecentTable& t) { return t.host == table.host && t.port == table.port; });
    recent.prepend(table);
    while (recent.size() > MaxRecent) recent.removeLast();
}

} // namespace quornet::settings
