#include "net/discoveryresponder.h"

#include <QCoreApplication>
#include <QNetworkDatagram>
#include <QRandomGenerator>

namespace quornet::net {

namespace {
constexpr int RateWindowMs = 1000;
}

DiscoveryResponder::DiscoveryResponder(std::function<TableInfo()> status, QObject* parent)
    : QObject(parent), m_status(std::move(status)), m_id(QRandomGenerator::system()->generate64())
{
    connect(&m_socket, &QUdpSocket::readyRead, this, &DiscoveryResponder::readPending);
}

bool DiscoveryResponder::start(quint16 udpPort, QString* error)
{
    stop();
    if (m_socket.bind(QHostAddress::AnyIPv4, udpPort, QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint))
        return true;
    if (error)
        *error = QCoreApplication::translate("DiscoveryResponder", "Cannot answer requests for tables on UDP port %1: %2").arg(udpPort).arg(m_socket.errorString());
    return false;
}

void DiscoveryResponder::stop() { m_socket.close(); }

bool DiscoveryResponder::withinRate()
{
    if (!m_window.isValid() || m_window.elapsed() >= RateWindowMs) {
        m_window.start();
        m_answersInWindow = 0;
    }
    return ++m_answersInWindow <= MaxAnswersPerSecond;
}

void DiscoveryResponder::readPending()
{
    while (m_socket.hasPendingDatagrams()) {
        // Datagrams are read whole; anything longer than a query is cut and then not one.
        const QNetworkDatagram d = m_socket.receiveDatagram(QueryBytes + 1);
        const std::optional<quint64> nonce = readQuery(d.data());
        if (!nonce || d.senderPort() == 0 || !withinRate()) continue;
        m_socket.writeDatagram(makeAnswer(*nonce, m_id, m_status()), d.senderAddress(), d.senderPort());
    }
}

} // namespace quornet::net
