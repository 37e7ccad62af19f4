// TURL, the link component: an address and its kind. Opening it puts the kind's prefix in front
// of the address and hands the result to the desktop's default action.
#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace quornet::windows
{

class TURL
{
public:
    enum class Kind { File, Ftp, Gopher, WebPage, SecureWebPage, Mail, News, Telnet, Wais, None };
    // Hands a link to the desktop; true when the desktop accepted it.
    using Opener = std::function<bool(const QUrl&)>;

    explicit TURL(const QString& address = {}, Kind kind = Kind::WebPage);

    // "file://", "ftp://", "gopher://", "http://", "https://", "mailto:", "news:", "telnet:",
    // "wais:", or nothing for None.
    static QString prefix(Kind kind);

    QString address() const { return m_address; }
    void setAddress(const QString& address) { m_address = address; }
    Kind kind() const { return m_kind; }
    void setKind(Kind kind) { m_kind = kind; }

    // The prefixed address that opening hands on.
    QString target() const { return prefix(m_kind) + m_address; }
    QUrl url() const;

    // Opens the link; true when the desktop accepted it. An empty address opens nothing.
    bool open() const;
    // Replaces QDesktopServices::openUrl (tests record the links instead).
    void setOpener(Opener opener) { m_opener = std::move(opener); }

private:
    QString m_address;
    Kind m_kind;
    Opener m_opener;
};

} // namespace quornet::windows
