#include "net/reachability.h"

#include "net/invitelink.h"

#include <QCoreApplication>
#include <QNetworkInterface>

namespace quornet::net {

bool isSharedOrPrivate(const QHostAddress& a)
{
    static const QList<QPair<QHostAddress, int>> ranges{
        QHostAddress::parseSubnet(QStringLiteral("10.0.0.0/8")),
        QHostAddress::parseSubnet(QStringLiteral("172.16.0.0/12")),
        QHostAddress::parseSubnet(QStringLiteral("192.168.0.0/16")),
        QHostAddress::parseSubnet(QStringLiteral("100.64.0.0/10")),
        QHostAddress::parseSubnet(QStringLiteral("169.254.0.0/16")),
        QHostAddress::parseSubnet(QStringLiteral("127.0.0.0/8")),
        QHostAddress::parseSubnet(QStringLiteral("0.0.0.0/8")),
    };
    for (const auto& range : ranges)
        if (a.isInSubnet(range)) return true;
    return false;
}

QStringList reachabilitySentences(const ReachabilityFacts& f)
{
    using Router = ReachabilityFacts::Router;
    const QString port = QString::number(f.port);
    QStringList sentences;
    if (!f.lanAddress.isNull())
        sentences << QCoreApplication::translate("Reachability", "Friends on this network can join at %1.").arg(hostAndPort(f.lanAddress.toString(), f.port));
    if (f.router == Router::NotOpened) {
        sentences << QCoreApplication::translate("Reachability", "The router did not open the port, so players outside this network cannot join: "
                                    "open TCP port %1 on the router, or use a dedicated host.")
                         .arg(port);
    } else if (f.router == Router::Opened && !f.externalAddress.isNull() && isSharedOrPrivate(f.externalAddress)) {
        sentences << QCoreApplication::translate("Reachability", "The router opened the port, but the provider shares its address %1 among many "
                                    "customers, so players outside this network cannot reach this table: ask the "
                                    "provider for an address of your own, or use a dedicated host.")
                         .arg(f.externalAddress.toString());
    } else if (f.router == Router::Opened && !f.externalAddress.isNull()) {
        sentences << QCoreApplication::translate("Reachability", "Players on the internet can join at %1: the router opened the port.")
                         .arg(hostAndPort(f.externalAddress.toString(), f.port));
    } else if (f.router == Router::Opened) {
        sentences << QCoreApplication::translate("Reachability", "Players on the internet can join at this network's internet address, port %1: "
                                    "the router opened the port.")
                         .arg(port);
    }
    return sentences;
}

QHostAddress localNetworkAddress()
{
    QHostAddress any;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& e : i.addressEntries()) {
            const QHostAddress a = e.ip();
            if (a.protocol() != QAbstractSocket::IPv4Protocol || a.isLoopback() || a.isLinkLocal()) continue;
            if (isSharedOrPrivate(a)) return a;
            if (any.isNull()) any = a;
        }
    }
    return any;
}

} // namespace quornet::net
