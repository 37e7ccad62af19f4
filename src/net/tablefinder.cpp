#include "net/tablefinder.h"

#include <QCoreApplication>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QRandomGenerator>

#include <algorithm>

namespace quornet::net {

namespace {

// Where a query goes: the broadcast address of every IPv4 network of every interface that is up
// and can broadcast, and 127.255.255.255, which reaches every table on this machine.
QList<QHostAddress> queryTargets()
{
    QList<QHostAddress> targets{QHostAddress(quint32(0x7fffffff))};
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto f = i.flags();
        if (!f.testFlag(QNetworkInterface::IsUp) || !f.testFlag(QNetworkInterface::IsRunning) ||
            !f.testFlag(QNetworkInterface::CanBroadcast) || f.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& e : i.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol && !e.broadcast().isNull() && !targets.contains(e.broadcast()))
                targets << e.broadcast();
    }
    return targets;
}

} // namespace

TableFinder::TableFinder(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(IntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &TableFinder::round);
    m_retry.setSingleShot(true);
    m_retry.setInterval(FirstRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &TableFinder::sendQueries);
    connect(&m_socket, &QUdpSocket::readyRead, this, &TableFinder::readPending);
}

bool TableFinder::start(quint16 udpPort, QString* error)
{
    stop();
    if (!m_socket.bind(QHostAddress::AnyIPv4, 0)) {
        if (error) *error = QCoreApplication::translate("TableFinder", "Cannot look for tables on the network: %1").arg(m_socket.errorString());
        return false;
    }
    m_port = udpPort;
    m_nonce = QRandomGenerator::system()->generate64();
    m_round = 0;
    m_timer.start();
    round();
    m_retry.start();
    return true;
}

void TableFinder::stop()
{
    m_timer.stop();
    m_retry.stop();
    m_socket.close();
    m_tables.clear();
}

QList<FoundTable> TableFinder::tables() const
{
    QList<FoundTable> list;
    for (const Entry& e : m_tables) list << e.found;
    std::sort(list.begin(), list.end(), [](const FoundTable& a, const FoundTable& b) {
        const quint32 x = a.address.toIPv4Address(), y = b.address.toIPv4Address();
        return x != y ? x < y : a.table.port != b.table.port ? a.table.port < b.table.port : a.key < b.key;
    });
    return list;
}

void TableFinder::round()
{
    ++m_round;
    for (auto it = m_tables.begin(); it != m_tables.end();) {
        if (m_round - it->lastRound > MissedRoundsBeforeGone) {
            const QString key = it->found.key;
            it = m_tables.erase(it);
            emit tableGone(key);
        } else {
            ++it;
        }
    }
    sendQueries();
}

void TableFinder::sendQueries()
{
    const QByteArray query = makeQuery(m_nonce);
    for (const QHostAddress& target : queryTargets()) m_socket.writeDatagram(query, target, m_port);
}

void TableFinder::readPending()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram d = m_socket.receiveDatagram(AnswerMaxBytes + 1);
        const std::optional<Answer> a = readAnswer(d.data());
        if (!a || a->nonce != m_nonce) continue;
        bool v4 = false;
        const QHostAddress from(d.senderAddress().toIPv4Address(&v4));
        if (!v4) continue;

        auto it = m_tables.find(a->id);
        if (it == m_tables.end()) {
            if (m_tables.size() >= MaxTables) continue;
            Entry e{{QString::fromLatin1(QByteArray::number(a->id, 16).rightJustified(16, '0')), from, a->table}, m_round};
            m_tables.insert(a->id, e);
            emit tableFound(e.found);
            continue;
        }
        it->lastRound = m_round;
        FoundTable now = it->found;
        now.table = a->table;
        // A table on this machine answers on loopback and on its network addresses alike; the
        // loopback address is kept, as it always reaches it from here. Otherwise the first
        // address stays (a machine on two networks answers on both).
        if (from.isLoopback() && !now.address.isLoopback()) now.address = from;
        if (now == it->found) continue;
        it->found = now;
        emit tableUpdated(now);
    }
}

} // namespace quornet::net
