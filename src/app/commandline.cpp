#include "app/commandline.h"

#include "net/invitelink.h"
#include "protocol/messages.h"

namespace quornet::app {

namespace {
constexpr int MaxFindSeconds = 3600;

bool readNumber(const QString& text, qulonglong max, qulonglong* out)
{
    bool ok = false;
    const qulonglong v = text.toULongLong(&ok, 10);
    if (!ok || v > max) return false;
    *out = v;
    return true;
}
} // namespace

std::optional<QPair<QHostAddress, int>> parseSubnet(const QString& text)
{
    if (text.contains(QLatin1Char('/'))) {
        const QPair<QHostAddress, int> subnet = QHostAddress::parseSubnet(text);
        if (subnet.first.isNull()) return std::nullopt;
        return subnet;
    }
    const QHostAddress address(text);
    if (address.isNull()) return std::nullopt;
    return QPair<QHostAddress, int>{address, address.protocol() == QAbstractSocket::IPv6Protocol ? 128 : 32};
}

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine cl;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const auto value = [&](const char* option) -> std::optional<QString> {
            if (i + 1 >= arguments.size()) {
                cl.error = QStringLiteral("%1 needs a value").arg(QLatin1String(option));
                return std::nullopt;
            }
            return arguments[++i];
        };
        qulonglong n = 0;
        if (a == QLatin1String("--serve")) {
            cl.serve = true;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            cl.help = true;
        } else if (a == QLatin1String("--version")) {
            cl.version = true;
        } else if (a == QLatin1String("--port")) {
            const auto v = value("--port");
            if (!v) return cl;
            if (!readNumber(*v, 65535, &n)) cl.error = QStringLiteral("--port takes a number 0 to 65535");
            cl.port = quint16(n);
        } else if (a == QLatin1String("--seed")) {
            const auto v = value("--seed");
            if (!v) return cl;
            if (!readNumber(*v, 0xFFFFFFFFull, &n)) cl.error = QStringLiteral("--seed takes a number 0 to 4294967295");
            cl.seed = std::uint32_t(n);
        } else if (a == QLatin1String("--bot-speed")) {
            const auto v = value("--bot-speed");
            if (!v) return cl;
            if (!readNumber(*v, 60000, &n) || n < 1) cl.error = QStringLiteral("--bot-speed takes milliseconds 1 to 60000");
            cl.botSpeed = int(n);
        } else if (a == QLatin1String("--admin")) {
            const auto v = value("--admin");
            if (!v) return cl;
            if (!parseSubnet(*v)) cl.error = QStringLiteral("--admin takes an address or a subnet such as 192.168.1.0/24");
            cl.admins << *v;
        } else if (a == QLatin1String("--turn-timeout") || a == QLatin1String("--seat-hold")) {
            const bool turn = a == QLatin1String("--turn-timeout");
            const auto v = value(turn ? "--turn-timeout" : "--seat-hold");
            if (!v) return cl;
            if (!readNumber(*v, 86400, &n))
                cl.error = QStringLiteral("%1 takes seconds 0 to 86400").arg(a);
            (turn ? cl.turnTimeoutSeconds : cl.seatHoldSeconds) = int(n);
        } else if (a == QLatin1String("--state-dir")) {
            const auto v = value("--state-dir");
            if (!v) return cl;
            if (v->isEmpty()) cl.error = QStringLiteral("--state-dir takes a folder");
            cl.stateDir = *v;
        } else if (a == QLatin1String("--password")) {
            const auto v = value("--password");
            if (!v) return cl;
            if (v->isEmpty() || v->size() > 64) cl.error = QStringLiteral("--password takes a text of 1 to 64 characters");
            for (QChar c : *v)
                if (c.unicode() < 0x20 || c.unicode() == 0x7F) cl.error = QStringLiteral("--password takes no control characters");
            cl.password = *v;
        } else if (a == QLatin1String("--bot-level")) {
            const auto v = value("--bot-level");
            if (!v) return cl;
            if (*v != QLatin1String("classic") && *v != QLatin1String("strong") && *v != QLatin1String("expert"))
                cl.error = QStringLiteral("--bot-level takes classic, strong or expert");
            cl.botLevel = *v;
        } else if (a == QLatin1String("--name")) {
            const auto v = value("--name");
            if (!v) return cl;
            if (v->trimmed().isEmpty()) cl.error = QStringLiteral("--name takes the host's name");
            cl.name = *v;
        } else if (a == QLatin1String("--host-table") || a == QLatin1String("--join-table")) {
            cl.playTab = a == QLatin1String("--host-table") ? QStringLiteral("host") : QStringLiteral("join");
        } else if (a == QLatin1String("--no-lan")) {
            cl.noLan = true;
        } else if (a == QLatin1String("--find-tables")) {
            cl.findTables = true;
            // The seconds are optional: only a number that follows is taken.
            if (i + 1 < arguments.size() && !arguments[i + 1].isEmpty() && arguments[i + 1].front().isDigit()) {
                if (!readNumber(arguments[++i], MaxFindSeconds, &n) || n < 1)
                    cl.error = QStringLiteral("--find-tables takes seconds 1 to %1").arg(MaxFindSeconds);
                cl.findSeconds = int(n);
            }
        } else {
            cl.positional << a;
        }
        if (!cl.error.isEmpty()) return cl;
    }
    if (cl.findTables && cl.serve) cl.error = QStringLiteral("--find-tables and --serve do not go together");
    return cl;
}

QString usageText()
{
    return QStringLiteral(
        "Usage:\n"
        "  quornet                          play a solo game against three computer players; File >\n"
        "                                   Host a Table... and Join a Table... play with others\n"
        "  quornet --host-table             open the window's dialog at its host tab\n"
        "  quornet --join-table             open the window's dialog at its join tab\n"
        "  quornet quornet://HOST:PORT      the join tab filled in from an invite link\n"
        "  quornet NAME ADDRESS true        host a table (others join on TCP port 7772)\n"
        "  quornet NAME ADDRESS join        join the table hosted at ADDRESS\n"
        "  quornet --serve                  run a dedicated host without a window\n"
        "  quornet --find-tables [SECONDS]  list the tables on this network (looking 2 seconds)\n"
        "Options:\n"
        "  --port N        TCP port to host on or connect to (default 7772)\n"
        "  --seed S        fix the shuffles (dedicated host)\n"
        "  --bot-speed MS  computer players' pace in milliseconds (dedicated host, default 750)\n"
        "  --admin ADDRESS give host rights (participant 1) to a connection from ADDRESS or a subnet\n"
        "                  such as 192.168.1.0/24 (dedicated host, repeatable, default loopback)\n"
        "  --turn-timeout S  the computer plays the turn of a seated player who sends nothing for\n"
        "                  S seconds (dedicated host, default 120, 0 off)\n"
        "  --seat-hold S   keep a dropped player's seat S seconds for its return under the same\n"
        "                  name (dedicated host, default 120, 0 off)\n"
        "  --bot-level L   computer players' level: classic, strong or expert (dedicated host,\n"
        "                  default classic)\n"
        "  --state-dir DIR keep the game in DIR after every move and take it up again after a\n"
        "                  restart (dedicated host, default $STATE_DIRECTORY)\n"
        "  --password TEXT a private table: players must give TEXT to join (dedicated host)\n"
        "  --name NAME     the host's name shown to players looking for tables (dedicated host,\n"
        "                  default this machine's name)\n"
        "  --no-lan        do not answer players looking for tables on this network (dedicated\n"
        "                  host; it answers on UDP port 7773 otherwise)\n"
        "  --version       print the program's name and version\n"
        "  --help          print this text\n");
}

QString foundTableLine(const QHostAddress& address, const net::TableInfo& t)
{
    QStringList words{net::hostAndPort(address.toString(), t.port), t.name, QStringLiteral("%1/4").arg(t.seatsTaken),
                      t.gameRunning ? QStringLiteral("game running") : QStringLiteral("no game")};
    if (t.passwordNeeded) words << QStringLiteral("password");
    if (t.version != QLatin1String(protocol::VersionText)) words << QStringLiteral("version ") + t.version;
    return words.join(QStringLiteral("  "));
}

} // namespace quornet::app
