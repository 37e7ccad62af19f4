// The router's port against a gateway of the test's own (QUORNET_IGD_URL skips discovery): the
// mapping arrives when asked, is renewed before its lease runs out, falls back to a permanent
// one where leases are refused, and is removed when asked and when the object ends.
#include "fakegateway.h"
#include "net/portforwarding.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace quornet;
using net::PortForwarding;
using testing::FakeGateway;

namespace {
constexpr int Deadline = 15000;
constexpr quint16 TablePort = 40123; // only a number in the requests: nothing listens on it
}

class TestPortmap : public QObject {
    Q_OBJECT

    static void useGateway(const FakeGateway& gateway) { qputenv("QUORNET_IGD_URL", gateway.rootUrl().toLatin1()); }

private slots:
    void mapsRenewsAndRemovesAtTheEnd()
    {
        FakeGateway gateway({});
        useGateway(gateway);
        auto router = std::make_unique<PortForwarding>();
        QSignalSpy changes(router.get(), &PortForwarding::stateChanged);
        router->setLeaseSeconds(2); // renewed every second
        router->start(TablePort);
        QCOMPARE(router->state(), PortForwarding::State::Mapping); // at once, without waiting
        QTRY_COMPARE_WITH_TIMEOUT(router->state(), PortForwarding::State::Mapped, Deadline);
        QCOMPARE(router->externalAddress(), QHostAddress(QStringLiteral("203.0.113.7")));
        QCOMPARE(router->lanAddress(), QHostAddress(QHostAddress::LocalHost));
        const QString add = QStringLiteral("AddPortMapping TCP 40123->127.0.0.1:40123 lease 2");
        QCOMPARE(gateway.actions().first(), add);
        QVERIFY(net::reachabilitySentences(router->facts())
                    .contains(QStringLiteral("Players on the internet can join at 203.0.113.7:40123: the router opened the port.")));

        QTRY_VERIFY_WITH_TIMEOUT(gateway.actions().count(add) >= 2, Deadline);
        QCOMPARE(router->state(), PortForwarding::State::Mapped); // renewals do not flicker
        QCOMPARE(changes.count(), 2);

        router.reset(); // the table closes: the mapping goes before the object does
        QCOMPARE(gateway.actions().last(), QStringLiteral("DeletePortMapping TCP 40123"));
    }

    void permanentWhereLeasesAreRefusedAndRemovedOnStop()
    {
        FakeGateway gateway({QStringLiteral("100.64.7.9"), true, 0});
        useGateway(gateway);
        PortForwarding router;
        router.start(TablePort);
        QTRY_COMPARE_WITH_TIMEOUT(router.state(), PortForwarding::State::Mapped, Deadline);
        const QStringList actions = gateway.actions();
        QCOMPARE(actions.mid(0, 2), (QStringList{"AddPortMapping TCP 40123->127.0.0.1:40123 lease 3600 refused 725",
                                                 "AddPortMapping TCP 40123->127.0.0.1:40123 lease 0"}));
        // The provider shares the router's address: outsiders cannot reach the table.
        QVERIFY(net::reachabilitySentences(router.facts()).last().contains(QLatin1String("shares its address 100.64.7.9")));

        router.stop();
        QCOMPARE(router.state(), PortForwarding::State::Unmapping);
        QTRY_COMPARE_WITH_TIMEOUT(router.state(), PortForwarding::State::Off, Deadline);
        QCOMPARE(gateway.actions().last(), QStringLiteral("DeletePortMapping TCP 40123"));
    }

    void refusalsAndMissingGatewaysAreSaid()
    {
        FakeGateway gateway({QStringLiteral("203.0.113.7"), false, 718});
        useGateway(gateway);
        PortForwarding router;
        router.start(TablePort);
        QTRY_COMPARE_WITH_TIMEOUT(router.state(), PortForwarding::State::Failed, Deadline);
        QVERIFY2(router.errorText().contains(QLatin1String("ConflictInMappingEntry")), qPrintable(router.errorText()));
        QCOMPARE(net::reachabilitySentences(router.facts()).last(),
                 QStringLiteral("The router did not open the port, so players outside this network cannot join: open "
                                "TCP port 40123 on the router, or use a dedicated host."));

        // Nothing answers at the URL.
        qputenv("QUORNET_IGD_URL", "http://127.0.0.1:1/rootDesc.xml");
        router.start(TablePort + 1);
        QTRY_COMPARE_WITH_TIMEOUT(router.state(), PortForwarding::State::Failed, Deadline);
        QVERIFY2(router.errorText().contains(QLatin1String("could not be read")), qPrintable(router.errorText()));
    }
};

QTEST_GUILESS_MAIN(TestPortmap)
#include "test_portmap.moc"
