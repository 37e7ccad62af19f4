// The datagrams of LAN discovery. Both are one line of text without a terminator, fields
// separated by single spaces; both sides ignore, silently, anything that is not exactly this.
//
//   query   QUORNET-FIND 1 NONCE ......
//           sent by a finder to UDP port 7773 (by broadcast). 1 is the format's version. NONCE is
//           16 lowercase hex digits of the finder's choosing. Dots pad the query to exactly
//           QueryBytes bytes: a query is never smaller than an answer, so a forged source address
//           makes a responder send nobody more than the forger sent.
//   answer  QUORNET-TABLE 1 NONCE ID PORT SEATS GAME PASSWORD VERSION NAME
//           sent by a responder to the query's source address and port. NONCE is the query's. ID
//           is 16 lowercase hex digits naming the table while its responder runs (one table that
//           answers on several interfaces is one table). PORT is the game's TCP port, 1 to
//           65535; SEATS the seats 1 to 4 held by humans logged in, 0 to 4; GAME 1 while a game
//           runs, else 0; PASSWORD 1 when a connection must give a password, else 0; VERSION the
//           program's version text (1 to 16 printable ASCII characters, no space); NAME the
//           host's name, the rest of the datagram: UTF-8, 1 to 64 bytes, no control or format
//           characters, no space at either end.
//           Numbers are plain decimal digits without leading zeros.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace quornet::net {

inline constexpr int DiscoveryFormat = 1;
inline constexpr int QueryBytes = 160;
inline constexpr int NameMaxBytes = 64;
inline constexpr int VersionMaxBytes = 16;
inline constexpr int AnswerMaxBytes = 14 + 2 + 17 + 17 + 6 + 6 + VersionMaxBytes + 1 + NameMaxBytes;
static_assert(AnswerMaxBytes <= QueryBytes, "an answer must never be bigger than the query it answers");

// What a table tells the network about itself.
struct TableInfo {
    QString name; // the host's name
    quint16 port = 0;
    int seatsTaken = 0;
    bool gameRunning = false;
    bool passwordNeeded = false;
    QString version;
    bool operator==(const TableInfo&) const = default;
};

struct Answer {
    quint64 nonce = 0;
    quint64 id = 0;
    TableInfo table;
};

QByteArray makeQuery(quint64 nonce);
// The query's nonce, or nullopt when the datagram is not a well-formed query.
std::optional<quint64> readQuery(const QByteArray& datagram);
// The answer to a query; the name is cleaned (cleanTableName), and a version text that does not
// fit the format goes out as "?".
QByteArray makeAnswer(quint64 nonce, quint64 id, const TableInfo& table);
std::optional<Answer> readAnswer(const QByteArray& datagram);
// A name as answers carry it: control characters dropped, spaces at the ends trimmed, cut to
// NameMaxBytes of UTF-8 at a character's end; "Quornet" when nothing is left.
QString cleanTableName(const QString& name);

// The UDP port of discovery: QUORNET_DISCOVERY_PORT when set to a port (tests run tables side
// by side without meeting the machine's real ones), else DiscoveryPort.
quint16 discoveryPortFromEnvironment();

} // namespace quornet::net
