// The finder's side of LAN discovery: while running, asks every IPv4 interface that can
// broadcast, and this machine's loopback, for tables, every two seconds, and keeps the list of
// the tables that answer: found, updated (seats, game, password, name or address changed) and
// gone once they miss several rounds in a row.
//
// The window's join tab runs one while it is open and shows tables() as it changes;
// `quornet --find-tables` runs one for a few seconds and prints tables().
#pragma once

#include "net/discoverydatagram.h"

#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

namespace quornet::net {

struct FoundTable {
    QString key; // stays the same while the table's responder runs
    QHostAddress address; // where to connect: the table's port on this address
    TableInfo table;
    bool operator==(const FoundTable&) const = default;
};

class TableFinder : public QObject {
    Q_OBJECT
public:
    static constexpr int IntervalMs = 2000;
    // A second query soon after the first, for one lost on the way.
    static constexpr int FirstRetryMs = 300;
    // A table that answers none of this many rounds in a row is gone.
    static constexpr int MissedRoundsBeforeGone = 3;
    // More tables than this are not kept (answers are untrusted).
    static constexpr int MaxTables = 100;

    explicit TableFinder(QObject* parent = nullptr);

    // Starts asking on `udpPort` (the tables' discovery port). On failure returns false and sets
    // a sentence saying why.
    bool start(quint16 udpPort, QString* error = nullptr);
    // Stops asking and forgets the tables (without signals).
    void stop();
    bool isRunning() const { return m_socket.state() == QAbstractSocket::BoundState; }
    // The time between rounds (IntervalMs unless set; tests make it shorter).
    void setInterval(int ms) { m_timer.setInterval(ms); }
    // The tables answering now, by address and port.
    QList<FoundTable> tables() const;

signals:
    void tableFound(const quornet::net::FoundTable& table);
    void tableUpdated(const quornet::net::FoundTable& table);
    void tableGone(const QString& key);

private:
    struct Entry {
        FoundTable found;
        int lastRound = 0;
    };
    void round();
    void sendQueries();
    void readPending();

    QUdpSocket m_socket;
    QTimer m_timer;
    QTimer m_retry;
    quint16 m_port = 0;
    quint64 m_nonce = 0;
    int m_round = 0;
    QHash<quint64, Entry> m_tables;
};

} // namespace quornet::net
