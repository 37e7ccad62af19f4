// A one-connection-at-a-time HTTP/1.0 server on 127.0.0.1 for the download tests: it records
// each request and hands the connection to the test's answer once the request's headers are in.
#pragma once

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

class HttpStub : public QObject
{
    Q_OBJECT
public:
    using Answer = std::function<void(QTcpSocket*)>;

    HttpStub() { connect(&m_server, &QTcpServer::newConnection, this, &HttpStub::accept); }
    bool listen() { return m_server.listen(QHostAddress::LocalHost, 0); }
    quint16 port() const { return m_server.serverPort(); }
    QString url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path);
    }

    void setAnswer(Answer answer) { m_answer = std::move(answer); }
    QByteArray lastRequest() const { return m_request; }
    int requests() const { return m_count; }
    QTcpSocket* client() const { return m_client; }
    bool clientGone() const
    {
        return !m_client || m_client->state() == QAbstractSocket::UnconnectedState;
    }

    static QByteArray head(int status, const char* reason, qint64 length = -1)
    {
        QByteArray h = "HTTP/1.0 " + QByteArray::number(status) + ' ' + reason + "\r\n";
        h += "Content-Type: application/octet-stream\r\n";
        if (length >= 0) h += "Content-Length: " + QByteArray::number(length) + "\r\n";
        return h + "\r\n";
    }

private:
    void accept()
    {
        while (QTcpSocket* s = m_server.nextPendingConnection()) {
            m_client = s;
            m_request.clear();
            connect(s, &QTcpSocket::readyRead, this, [this, s] {
                const bool complete = m_request.contains("\r\n\r\n");
                m_request += s->readAll();
                if (!complete && m_request.contains("\r\n\r\n")) {
                    ++m_count;
                    if (m_answer) m_answer(s);
                }
            });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    }

    QTcpServer m_server;
    QPointer<QTcpSocket> m_client;
    QByteArray m_request;
    Answer m_answer;
    int m_count = 0;
};
