#include "windows/installerdownload.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace quornet::windows
{

InstallerDownload::InstallerDownload(QObject* parent)
    : QObject(parent), m_manager(new QNetworkAccessManager(this))
{
    m_manager->setProxy(QNetworkProxy::NoProxy);
}

InstallerDownload::~InstallerDownload()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_part.close();
        m_part.remove();
    }
}

QString InstallerDownload::fileNameOf(const QUrl& url)
{
    const QString path = url.path();
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

bool InstallerDownload::start(const QUrl& url, const QString& folder, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (m_reply) return fail(tr("A download is running."));
    const QString name = fileNameOf(url);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return fail(tr("The address names no file."));

    m_target = QDir(folder).filePath(name);
    m_part.setFileName(m_target + PartSuffix);
    if (!QDir().mkpath(folder) || !m_part.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(tr("Cannot write %1").arg(m_part.fileName()));
    m_received = 0;
    m_bodyStarted = false;
    m_writeFailed = false;

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, UserAgent);
    request.setRawHeader("Accept", Accept);
    // The body is stored as it comes, so its size can be checked against Content-Length.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &InstallerDownload::onMetaData);
    connect(m_reply, &QNetworkReply::readyRead, this, &InstallerDownload::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &InstallerDownload::onFinished);
    return true;
}

void InstallerDownload::abort()
{
    if (m_reply) m_reply->abort(); // finished() follows with OperationCanceledError
}

bool InstallerDownload::statusOk(const QNetworkReply* reply)
{
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    return !status.isValid() || (status.toInt() >= 200 && status.toInt() < 300);
}

void InstallerDownload::onMetaData()
{
    emit headersArrived();
}

void InstallerDownload::onReadyRead()
{
    if (!m_reply) return;
    const QByteArray data = m_reply->readAll();
    // An error page is no installer.
    if (data.isEmpty() || !statusOk(m_reply) || m_writeFailed) return;
    if (!m_bodyStarted) {
        m_bodyStarted = true;
        emit bodyStarted();
    }
    if (m_part.write(data) != data.size()) {
        m_writeFailed = true;
        m_reply->abort();
        return;
    }
    m_received += data.size();
    emit progress(m_received);
}

void InstallerDownload::onFinished()
{
    QNetworkReply* reply = m_reply;
    if (!reply) return;
    if (reply->bytesAvailable() > 0) onReadyRead();
    m_reply = nullptr;
    reply->deleteLater();

    QString error;
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (m_writeFailed)
        error = tr("Cannot write %1").arg(m_part.fileName());
    else if (reply->error() != QNetworkReply::NoError)
        error = reply->errorString();
    else if (!statusOk(reply))
        error = tr("The server answered %1")
                    .arg(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toString());

    else if (length.isValid() && length.toLongLong() != m_received)
        error = tr("The transfer ended after %1 of %2 bytes.")
                    .arg(m_received)
                    .arg(length.toLongLong());

    const bool flushed = m_part.flush();
    m_part.close();
    if (error.isEmpty() && !flushed) error = tr("Cannot write %1").arg(m_part.fileName());
    if (error.isEmpty()) {
        QFile::remove(m_target);
        if (!m_part.rename(m_target)) error = tr("Cannot rename %1").arg(m_part.fileName());
    }
    if (!error.isEmpty()) m_part.remove();
    emit finished(error.isEmpty(), error);
}

} // namespace quornet::windows
