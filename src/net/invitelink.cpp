#include "net/invitelink.h"

#include "net/ports.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

namespace quornet::net {

namespace {

const QString Scheme = QStringLiteral("quornet://");

LinkParse failure(const QString& why)
{
    LinkParse p;
    p.error = why;
    return p;
}

// A DNS name: dot-separated labels of letters, digits and inner hyphens, 63 characters at most
// each; a name whose last label is all digits would be a mistyped IPv4 address.
bool isHostName(const QString& host)
{
    static const QRegularExpression label(QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?$"));
    if (host.isEmpty() || host.size() > MaxHostNameChars) return false;
    const QStringList labels = host.split(QLatin1Char('.'));
    for (const QString& l : labels)
        if (!label.match(l).hasMatch()) return false;
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return !digits.match(labels.last()).hasMatch();
}

// HOST, HOST:PORT, [IPv6], [IPv6]:PORT or a bare IPv6 address, into `link`.
QString readHostAndPort(const QString& text, InviteLink* link)
{
    QString host = text;
    QString port;
    bool bracketed = false;
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close < 0) return QCoreApplication::translate("InviteLink", "The address is not an IP address or a computer's name.");
        host = text.mid(1, close - 1);
        const QString after = text.mid(close + 1);
        if (!after.isEmpty()) {
            if (!after.startsWith(QLatin1Char(':'))) return QCoreApplication::translate("InviteLink", "The address is not an IP address or a computer's name.");
            port = after.mid(1);
            if (port.isEmpty()) return QCoreApplication::translate("InviteLink", "The port must be a number from 1 to 65535.");
        }
        bracketed = true;
    } else if (text.count(QLatin1Char(':')) == 1) {
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        host = text.left(colon);
        port = text.mid(colon + 1);
        if (port.isEmpty()) return QCoreApplication::translate("InviteLink", "The port must be a number from 1 to 65535.");
    }
    if (host.isEmpty()) return QCoreApplication::translate("InviteLink", "The link names no address.");

    const QHostAddress address(host);
    const bool v6 = !address.isNull() && address.protocol() == QAbstractSocket::IPv6Protocol;
    if (bracketed || host.contains(QLatin1Char(':'))) {
        if (!v6) return QCoreApplication::translate("InviteLink", "The address is not an IP address or a computer's name.");
        link->host = address.toString();
    } else if (!address.isNull() && address.protocol() == QAbstractSocket::IPv4Protocol && host.count(QLatin1Char('.')) == 3) {
        link->host = address.toString();
    } else if (isHostName(host)) {
        link->host = host;
    } else {
        return QCoreApplication::translate("InviteLink", "The address is not an IP address or a computer's name.");
    }

    link->port = DefaultTablePort;
    if (!port.isEmpty()) {
        static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
        const uint n = port.toUInt();
        if (!digits.match(port).hasMatch() || n < 1 || n > 65535) return QCoreApplication::translate("InviteLink", "The port must be a number from 1 to 65535.");
        link->port = quint16(n);
    }
    return {};
}

// The query of a link: password=TEXT, percent-encoded UTF-8. Other keys are left for later
// versions of the program and ignored.
QString readQuery(const QString& query, InviteLink* link)
{
    const QString unreadable = QCoreApplication::translate("InviteLink", "The password in the link is not readable.");
    static const QRegularExpression badEscape(QStringLiteral("%(?![0-9A-Fa-f]{2})"));
    bool seen = false;
    for (const QString& item : query.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const qsizetype eq = item.indexOf(QLatin1Char('='));
        if (item.left(eq) != QLatin1String("password")) continue;
        const QString value = eq < 0 ? QString() : item.mid(eq + 1);
        if (seen || badEscape.match(value).hasMatch()) return unreadable;
        seen = true;
        const QByteArray bytes = QByteArray::fromPercentEncoding(value.toUtf8());
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        link->password = utf8.decode(bytes);
        if (utf8.hasError()) return unreadable;
        for (const QChar c : std::as_const(link->password))
            if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
                c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph)
                return unreadable;
        if (link->password.size() > MaxPasswordChars)
            return QCoreApplication::translate("InviteLink", "The password in the link is longer than %1 characters.").arg(MaxPasswordChars);
    }
    return {};
}

} // namespace

LinkParse parseInviteLink(const QString& input)
{
    const QString text = input.trimmed();
    if (text.isEmpty()) return failure(QCoreApplication::translate("InviteLink", "Enter an address or paste an invite link."));
    if (text.size() > MaxLinkChars) return failure(QCoreApplication::translate("InviteLink", "That is too long for an address or an invite link."));

    QString rest = text;
    InviteLink link;
    if (text.startsWith(Scheme, Qt::CaseInsensitive)) {
        rest = text.mid(Scheme.size());
        const qsizetype question = rest.indexOf(QLatin1Char('?'));
        if (question >= 0) {
            if (const QString e = readQuery(rest.mid(question + 1), &link); !e.isEmpty()) return failure(e);
            rest.truncate(question);
        }
        if (rest.endsWith(QLatin1Char('/'))) rest.chop(1); // as a browser may hand it on
        if (rest.isEmpty()) return failure(QCoreApplication::translate("InviteLink", "The link names no address."));
    } else {
        static const QRegularExpression otherScheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
        if (otherScheme.match(text).hasMatch())
            return failure(QCoreApplication::translate("InviteLink", "An invite link starts with quornet://."));
    }
    // Nor an IPv6 zone ("%eth0"): it names an interface of one machine only.
    static const QRegularExpression extra(QStringLiteral("[/@#?%\\s]"));
    if (extra.match(rest).hasMatch()) return failure(QCoreApplication::translate("InviteLink", "The link holds more than an address, a port and a password."));
    if (const QString e = readHostAndPort(rest, &link); !e.isEmpty()) return failure(e);
    LinkParse p;
    p.ok = true;
    p.link = link;
    return p;
}

QString hostAndPort(const QString& host, quint16 port)
{
    const QString h = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    return h + QLatin1Char(':') + QString::number(port);
}

QString formatInviteLink(const InviteLink& link)
{
    QString text = Scheme + hostAndPort(link.host, link.port);
    if (!link.password.isEmpty())
        text += QStringLiteral("?password=") + QString::fromLatin1(QUrl::toPercentEncoding(link.password));
    return text;
}

} // namespace quornet::net
