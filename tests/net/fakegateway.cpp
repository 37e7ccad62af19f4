#include "fakegateway.h"

#include <QRegularExpression>
#include <QSemaphore>
#include <QTcpServer>
#include <QTcpSocket>

namespace quornet::testing {

namespace {

const QByteArray RootDescription = R"(<?xml version="1.0"?>
<root xmlns="urn:schemas-upnp-org:device-1-0"><specVersion><major>1</major><minor>0</minor></specVersion>
<device><deviceType>urn:schemas-upnp-org:device:InternetGatewayDevice:1</deviceType><friendlyName>Test router</friendlyName>
<deviceList><device><deviceType>urn:schemas-upnp-org:device:WANDevice:1</deviceType>
<deviceList><device><deviceType>urn:schemas-upnp-org:device:WANConnectionDevice:1</deviceType>
<serviceList><service><serviceType>urn:schemas-upnp-org:service:WANIPConnection:1</serviceType>
<serviceId>urn:upnp-org:serviceId:WANIPConn1</serviceId><controlURL>/ctl/IPConn</controlURL>
<eventSubURL>/evt/IPConn</eventSubURL><SCPDURL>/WANIPCn.xml</SCPDURL></service></serviceList>
</device></deviceList></device></deviceList></device></root>
)";

QByteArray envelope(const QByteArray& body)
{
    return R"(<?xml version="1.0"?><s:Envelope xmlns:s="http://schemas.xmlsoap.org/soap/envelope/" )"
           R"(s:encodingStyle="http://schemas.xmlsoap.org/soap/encoding/"><s:Body>)" +
           body + "</s:Body></s:Envelope>";
}

QByteArray response(const char* status, const QByteArray& body)
{
    return QByteArray("HTTP/1.1 ") + status + "\r\nContent-Type: text/xml; charset=\"utf-8\"\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

QByteArray fault(int code)
{
    return response("500 Internal Server Error",
                    envelope("<s:Fault><faultcode>s:Client</faultcode><faultstring>UPnPError</faultstring><detail>"
                             "<UPnPError xmlns=\"urn:schemas-upnp-org:control-1-0\"><errorCode>" +
                             QByteArray::number(code) + "</errorCode><errorDescription>refused</errorDescription>"
                             "</UPnPError></detail></s:Fault>"));
}

QByteArray done(const QByteArray& action, const QByteArray& inner = {})
{
    return response("200 OK", envelope("<u:" + action + "Response xmlns:u=\"urn:schemas-upnp-org:service:WANIPConnection:1\">" +
                                       inner + "</u:" + action + "Response>"));
}

// A whole HTTP request: its headers and as much body as Content-Length says.
bool complete(const QByteArray& request)
{
    const qsizetype end = request.indexOf("\r\n\r\n");
    if (end < 0) return false;
    static const QRegularExpression length(QStringLiteral("(?i)\r\ncontent-length:\\s*(\\d+)"));
    const auto m = length.match(QString::fromLatin1(request.left(end)));
    return !m.hasMatch() || request.size() - (end + 4) >= m.captured(1).toLongLong();
}

} // namespace

FakeGateway::FakeGateway(Behaviour behaviour) : m_behaviour(std::move(behaviour))
{
    auto* server = new QTcpServer;
    server->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, server, &QObject::deleteLater);
    m_thread.start();
    QSemaphore listening;
    QMetaObject::invokeMethod(server, [this, server, &listening] {
        server->listen(QHostAddress::LocalHost, 0);
        m_port = server->serverPort();
        QObject::connect(server, &QTcpServer::newConnection, server, [this, server] {
            while (QTcpSocket* socket = server->nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
                    socket->setProperty("request", request);
                    if (!complete(request)) return;
                    socket->write(answer(request));
                    socket->disconnectFromHost();
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        listening.release();
    });
    listening.acquire();
}

FakeGateway::~FakeGateway()
{
    m_thread.quit();
    m_thread.wait();
}

QString FakeGateway::rootUrl() const { return QStringLiteral("http://127.0.0.1:%1/rootDesc.xml").arg(m_port); }

QStringList FakeGateway::actions() const
{
    QMutexLocker lock(&m_mutex);
    return m_actions;
}

QByteArray FakeGateway::answer(const QByteArray& request)
{
    if (request.startsWith("GET /rootDesc.xml ")) return response("200 OK", RootDescription);
    const auto arg = [&](const char* name) {
        const QRegularExpression re(QStringLiteral("<%1>([^<]*)</%1>").arg(QLatin1String(name)));
        return re.match(QString::fromLatin1(request)).captured(1);
    };
    static const QRegularExpression soapAction(QStringLiteral("(?i)\r\nsoapaction:\\s*\"?[^#\"]*#(\\w+)"));
    const QString action = soapAction.match(QString::fromLatin1(request)).captured(1);
    QString record = action;
    QByteArray reply = fault(401);
    if (action == QLatin1String("GetExternalIPAddress")) {
        reply = done("GetExternalIPAddress", "<NewExternalIPAddress>" + m_behaviour.externalAddress.toLatin1() + "</NewExternalIPAddress>");
    } else if (action == QLatin1String("AddPortMapping")) {
        record = QStringLiteral("AddPortMapping %1 %2->%3:%4 lease %5")
                     .arg(arg("NewProtocol"), arg("NewExternalPort"), arg("NewInternalClient"), arg("NewInternalPort"),
                          arg("NewLeaseDuration"));
        const int code = m_behaviour.refuseWith != 0 ? m_behaviour.refuseWith
                         : m_behaviour.permanentLeasesOnly && arg("NewLeaseDuration") != QLatin1String("0") ? 725
                                                                                                            : 0;
        reply = code ? fault(code) : done("AddPortMapping");
        if (code) record += QStringLiteral(" refused %1").arg(code);
    } else if (action == QLatin1String("DeletePortMapping")) {
        record = QStringLiteral("DeletePortMapping %1 %2").arg(arg("NewProtocol"), arg("NewExternalPort"));
        reply = done("DeletePortMapping");
    }
    QMutexLocker lock(&m_mutex);
    m_actions << record;
    return reply;
}

} // namespace quornet::testing
