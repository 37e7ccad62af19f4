#include "net/gateway.h"

#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>
#include <miniupnpc/upnperrors.h>

#include <QByteArray>
#include <QCoreApplication>

#include <cstring>

#if !defined(MINIUPNPC_API_VERSION) || MINIUPNPC_API_VERSION < 10
#error "miniupnpc 1.7 (API version 10) or later is needed"
#endif

namespace quornet::net {

namespace {
constexpr char Description[] = "Quornet";
constexpr char Protocol[] = "TCP";
// Routers' multicast hops for discovery, miniupnpc's own default.
constexpr unsigned char DiscoverTtl = 2;
constexpr int AddressChars = 64;

UPNPDev* discover(int* error)
{
#if MINIUPNPC_API_VERSION >= 14
    return upnpDiscover(Gateway::DiscoverMs, nullptr, nullptr, UPNP_LOCAL_PORT_ANY, 0, DiscoverTtl, error);
#else
    return upnpDiscover(Gateway::DiscoverMs, nullptr, nullptr, 0, 0, error);
#endif
}

enum class Igd { None, Connected, NotConnected, NotAGateway };

// miniupnpc 2.2.8 (API 18) added the router's WAN address to UPNP_GetValidIGD and renumbered its
// results: 2 became "connected, but with a private address".
Igd validIgd(UPNPDev* devices, UPNPUrls* urls, IGDdatas* data, char* lan, int lanSize)
{
#if MINIUPNPC_API_VERSION >= 18
    char wan[AddressChars] = {};
    const int r = UPNP_GetValidIGD(devices, urls, data, lan, lanSize, wan, sizeof wan);
    return r == 1 || r == 2 ? Igd::Connected : r == 3 ? Igd::NotConnected : r == 4 ? Igd::NotAGateway : Igd::None;
#else
    const int r = UPNP_GetValidIGD(devices, urls, data, lan, lanSize);
    return r == 1 ? Igd::Connected : r == 2 ? Igd::NotConnected : r == 3 ? Igd::NotAGateway : Igd::None;
#endif
}
} // namespace

struct Gateway::Data {
    UPNPUrls urls{};
    IGDdatas data{};
    bool found = false;
    ~Data()
    {
        if (found) FreeUPNPUrls(&urls);
    }
};

Gateway::Gateway() : m_d(std::make_unique<Data>()) {}

Gateway::~Gateway() = default;

bool Gateway::found() const { return m_d->found; }

void Gateway::forget() { m_d = std::make_unique<Data>(); }

bool Gateway::find(QString* error)
{
    forget();
    char lan[AddressChars] = {};
    const QByteArray url = qgetenv("QUORNET_IGD_URL");
    if (!url.isEmpty()) {
        if (UPNP_GetIGDFromUrl(url.constData(), &m_d->urls, &m_d->data, lan, sizeof lan) != 1) {
            *error = QCoreApplication::translate("Gateway", "The router's description at %1 could not be read.").arg(QString::fromLocal8Bit(url));
            return false;
        }
        m_d->found = true;
        if (m_d->data.first.servicetype[0] == '\0') {
            *error = QCoreApplication::translate("Gateway", "The device at %1 is not a router that opens ports (no UPnP Internet gateway).")
                         .arg(QString::fromLocal8Bit(url));
            return false;
        }
    } else {
        int e = 0;
        UPNPDev* devices = discover(&e);
        if (!devices) {
            *error = QCoreApplication::translate("Gateway", "No router on this network offers to open ports (no UPnP Internet gateway answered).");
            return false;
        }
        const Igd igd = validIgd(devices, &m_d->urls, &m_d->data, lan, sizeof lan);
        freeUPNPDevlist(devices);
        if (igd != Igd::None) m_d->found = true;
        if (igd != Igd::Connected) {
            *error = igd == Igd::NotConnected
                         ? QCoreApplication::translate("Gateway", "The router says it is not connected to the internet.")
                         : QCoreApplication::translate("Gateway", "No router on this network offers to open ports (no UPnP Internet gateway answered).");
            return false;
        }
    }
    m_lanAddress = QHostAddress(QString::fromLatin1(lan));
    return true;
}

int Gateway::addMapping(quint16 port, int leaseSeconds)
{
    const QByteArray p = QByteArray::number(port);
    const QByteArray lease = QByteArray::number(leaseSeconds);
    const QByteArray client = m_lanAddress.toString().toLatin1();
    return UPNP_AddPortMapping(m_d->urls.controlURL, m_d->data.first.servicetype, p.constData(), p.constData(),
                               client.constData(), Description, Protocol, nullptr, lease.constData());
}

int Gateway::deleteMapping(quint16 port)
{
    const QByteArray p = QByteArray::number(port);
    return UPNP_DeletePortMapping(m_d->urls.controlURL, m_d->data.first.servicetype, p.constData(), Protocol, nullptr);
}

QHostAddress Gateway::externalAddress()
{
    char address[AddressChars] = {};
    if (UPNP_GetExternalIPAddress(m_d->urls.controlURL, m_d->data.first.servicetype, address) != UPNPCOMMAND_SUCCESS)
        return {};
    const QHostAddress a(QString::fromLatin1(address));
    return a.protocol() == QAbstractSocket::IPv4Protocol ? a : QHostAddress();
}

QString Gateway::errorText(int code)
{
    const char* text = strupnperror(code);
    return text ? QStringLiteral("%1 (%2)").arg(QString::fromLatin1(text)).arg(code) : QStringLiteral("error %1").arg(code);
}

} // namespace quornet::net
