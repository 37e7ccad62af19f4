// Invite links: what a host hands out and what the join field takes.
//
//   quornet://HOST:PORT                      a table without a password
//   quornet://HOST:PORT?password=TEXT        a private table (TEXT percent-encoded, UTF-8)
//   quornet://[2001:db8::7]:PORT             IPv6 addresses in brackets
//
// The join field also takes what people type: HOST:PORT, HOST, [IPv6]:PORT or a bare IPv6
// address. A missing port means 7772. HOST is an IPv4 or IPv6 address or a DNS name.
#pragma once

#include <QString>
#include <QtGlobal>

namespace quornet::net {

inline constexpr int MaxLinkChars = 1024;   // longer text is refused before it is read
inline constexpr int MaxHostNameChars = 253; // a DNS name's own limit
// A link's password: at most this many characters, none of them a control or format character
// (so every link read can be written again within MaxLinkChars).
inline constexpr int MaxPasswordChars = 64;

struct InviteLink {
    QString host; // an address ("192.0.2.7", "2001:db8::7", no brackets) or a DNS name
    quint16 port = 0;
    QString password; // empty: the table has none
    bool operator==(const InviteLink&) const = default;
};

struct LinkParse {
    bool ok = false;
    InviteLink link; // when ok
    QString error;   // when not ok: a sentence saying what is wrong
};

// Reads a link or a typed address. Surrounding white space is ignored.
LinkParse parseInviteLink(const QString& text);
// The link for a table: quornet://HOST:PORT, with ?password=... when it has one (a password
// parseInviteLink would refuse makes a link it refuses).
QString formatInviteLink(const InviteLink& link);
// HOST:PORT as people write it, the IPv6 address in brackets ("[::1]:7772").
QString hostAndPort(const QString& host, quint16 port);

} // namespace quornet::net
