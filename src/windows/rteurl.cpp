#include "windows/rteurl.h"

#include <QDesktopServices>

namespace quornet::windows
{

TURL::TURL(const QString& address, Kind kind) : m_address(address), m_kind(kind) {}

QString TURL::prefix(Kind kind)
{
    switch (kind) {
    case Kind::File:
        return QStringLiteral("file://");
    case Kind::Ftp:
        return QStringLiteral("ftp://");
    case Kind::Gopher:
        return QStringLiteral("gopher://");
    case Kind::WebPage:
        return QStringLiteral("http://");
    case Kind::SecureWebPage:
        return QStringLiteral("https://");
    case Kind::Mail:
        return QStringLiteral("mailto:");
    case Kind::News:
        return QStringLiteral("news:");
    case Kind::Telnet:
        return QStringLiteral("telnet:");
    case Kind::Wais:
        return QStringLiteral("wais:");
    case Kind::None:
        break;
    }
    return {};
}

QUrl TURL::url() const
{
    return QUrl(target(), QUrl::TolerantMode);
}

bool TURL::open() const
{
    if (m_address.trimmed().isEmpty()) return false;
    const QUrl link = url();
    if (!link.isValid()) return false;
    return m_opener ? m_opener(link) : QDesktopServices::openUrl(link);
}

} // namespace quornet::windows
