// LAN discovery between real sockets: several tables on one machine (bare responders and a
// listening TServer) share one discovery port and are all found on loopback, followed live,
// and answer nothing but well-formed queries.
#include "support/tcpclient.h"
#include "host/tserver.h"
#include "net/discoveryresponder.h"
#include "net/tablefinder.h"
#include "protocol/messages.h"

#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace quornet;
using net::FoundTable;
using net::TableInfo;

namespace {
constexpr int Deadline = 10000;

// A UDP port nobody on this machine uses now: the test's tables share it, apart from the
// machine's real ones.
quint16 freeUdpPort()
{
    QUdpSocket probe;
    if (!probe.bind(QHostAddress::AnyIPv4, 0)) return 0;
    return probe.localPort();
}

TableInfo table(const QString& name, quint16 port, int seats, bool game, bool password)
{
    return {name, port, seats, game, password, QStringLiteral("1.0.11")};
}

const FoundTable* byPort(const QList<FoundTable>& tables, quint16 port)
{
    for (const FoundTable& t : tables)
        if (t.table.port == port) return &t;
    return nullptr;
}
} // namespace

class TestDiscovery : public QObject {
    Q_OBJECT
private slots:
    void severalTablesOnOneMachineAreFoundAndFollowed()
    {
        const quint16 udp = freeUdpPort();
        QVERIFY(udp != 0);
        // Three bare responders and a real table, all on the same discovery port.
        std::vector<std::unique_ptr<net::DiscoveryResponder>> responders;
        const QList<TableInfo> infos{table("Ann", 40001, 0, false, false), table(QStringLiteral("Bj\u00f6rn's table"), 40002, 3, true, true),
                                     table("Cleo", 40003, 4, true, false)};
        for (const TableInfo& info : infos) {
            responders.push_back(std::make_unique<net::DiscoveryResponder>([info] { return info; }));
            QString error;
            QVERIFY2(responders.back()->start(udp, &error), qPrintable(error));
        }
        host::TServer server(7);
        QVERIFY(!server.startDiscovery(udp)); // only while listening
        QVERIFY(server.listen(0));
        server.setHostName(QStringLiteral("Dana"));
        QVERIFY(server.startDiscovery(udp));

        net::TableFinder finder;
        finder.setInterval(100);
        QSignalSpy found(&finder, &net::TableFinder::tableFound);
        QSignalSpy updated(&finder, &net::TableFinder::tableUpdated);
        QSignalSpy gone(&finder, &net::TableFinder::tableGone);
        QVERIFY(finder.start(udp));
        QTRY_COMPARE_WITH_TIMEOUT(finder.tables().size(), 4, Deadline);
        QCOMPARE(found.count(), 4);
        const QList<FoundTable> tables = finder.tables();
        for (const TableInfo& info : infos) {
            const FoundTable* t = byPort(tables, info.port);
            QVERIFY(t);
            QCOMPARE(t->table, info);
        }
        const FoundTable* dana = byPort(tables, server.port());
        QVERIFY(dana);
        QCOMPARE(dana->table, table("Dana", server.port(), 0, false, false));
        // A table on this machine is reached on loopback, whichever interface also answered.
        for (const FoundTable& t : tables) QVERIFY2(t.address.isLoopback(), qPrintable(t.address.toString()));

        // A player logs in at the real table: the finder sees the seat taken.
        testing::TcpClient ann;
        ann.connectTo(server.port());
        QTRY_VERIFY_WITH_TIMEOUT(ann.has("CMD_sendlogininfo+1"), Deadline);
        ann.write(protocol::msg::loginInfo(1, "1.0.11", "Ann"));
        QTRY_COMPARE_WITH_TIMEOUT(byPort(finder.tables(), server.port())->table.seatsTaken, 1, Deadline);
        QVERIFY(!updated.isEmpty());
        QCOMPARE(updated.last().at(0).value<FoundTable>().key, dana->key);

        // A table that stops answering is gone; so is the real one once it shuts down.
        const QString cleo = byPort(tables, 40003)->key;
        responders.back()->stop();
        QTRY_COMPARE_WITH_TIMEOUT(gone.count(), 1, Deadline);
        QCOMPARE(gone.first().at(0).toString(), cleo);
        server.shutdown();
        QVERIFY(!server.discoveryRunning());
        QTRY_COMPARE_WITH_TIMEOUT(finder.tables().size(), 2, Deadline);
        QCOMPARE(found.count(), 4);
    }

    // Only a well-formed query is answered, and never with more bytes than it holds.
    void onlyWellFormedQueriesAreAnswered()
    {
        const quint16 udp = freeUdpPort();
        QVERIFY(udp != 0);
        net::DiscoveryResponder a([] { return table(QString(200, QLatin1Char('x')), 40011, 1, false, false); });
        net::DiscoveryResponder b([] { return table("B", 40012, 2, false, false); });
        QVERIFY(a.start(udp));
        QVERIFY(b.start(udp));

        QUdpSocket asker;
        QVERIFY(asker.bind(QHostAddress::AnyIPv4, 0));
        const QHostAddress here(QStringLiteral("127.255.255.255"));
        const quint64 bad = 0x1111222233334444, good = 0xaaaabbbbccccdddd;
        const QByteArray query = net::makeQuery(bad);
        const QList<QByteArray> refused{
            query.left(net::QueryBytes - 1),
            query + '.',
            QByteArray(query).replace("FIND 1", "FIND 2"),
            QByteArray(query).replace("FIND", "find"),
            QByteArray(query).replace(net::QueryBytes - 1, 1, "x"),
            QByteArray(query).replace("1111222233334444", "111122223333444G"),
            QByteArray(8192, '.'),
            QByteArray(),
        };
        for (const QByteArray& d : refused) asker.writeDatagram(d, here, udp);
        asker.writeDatagram(net::makeQuery(good), here, udp);

        // Each responder answers in the order the queries came: once both answers to the good
        // query are here, any answer to a refused one would be here too.
        QList<net::Answer> answers;
        const auto bothAnswered = [&] {
            while (asker.hasPendingDatagrams()) {
                const QNetworkDatagram d = asker.receiveDatagram();
                QVERIFY(d.data().size() <= net::QueryBytes);
                const auto answer = net::readAnswer(d.data());
                QVERIFY(answer);
                answers << *answer;
            }
        };
        QTRY_VERIFY_WITH_TIMEOUT((bothAnswered(), answers.size() >= 2), Deadline);
        QCOMPARE(answers.size(), 2);
        for (const net::Answer& answer : answers) QCOMPARE(answer.nonce, good);
        QVERIFY(answers[0].id != answers[1].id);
        // The long name went out cut to its limit.
        for (const net::Answer& answer : answers)
            if (answer.table.port == 40011) QCOMPARE(answer.table.name, QString(net::NameMaxBytes, QLatin1Char('x')));
    }
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "test_discovery.moc"
