// One download of the lobby installer: a GET of the installer's URL whose body goes to
// "NAME.part" in the target folder and becomes "NAME" only when the transfer completed in full
// (no error, and as many bytes as the server announced when it announced a length). A failed or
// aborted transfer removes the part file, so no half file ever poses as the installer.
#pragma once

#include <QFile>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QNetworkAccessManager;

namespace quornet::windows
{

class InstallerDownload : public QObject
{
    Q_OBJECT
public:
    static inline const QByteArray UserAgent = QByteArrayLiteral("Mozilla/3.0 (compatible)");
    static inline const QByteArray Accept =
        QByteArrayLiteral("image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*");
    static inline const QString PartSuffix = QStringLiteral(".part");

    explicit InstallerDownload(QObject* parent = nullptr);
    ~InstallerDownload() override;

    // The file name the URL names (its last path segment).
    static QString fileNameOf(const QUrl& url);

    // Starts the GET; the body goes to folder/NAME.part. False, with the reason in *error, when
    // a transfer is already running or the part file cannot be created.
    bool start(const QUrl& url, const QString& folder, QString* error = nullptr);
    // Ends a running transfer as failed (finished() follows at once). Nothing when idle.
    void abort();

    bool running() const { return m_reply != nullptr; }
    qint64 received() const { return m_received; }
    // Where the completed installer is (folder/NAME).
    QString targetPath() const { return m_target; }

signals:
    // The response's status line and headers arrived.
    void headersArrived();
    // The first bytes of the body arrived.
    void bodyStarted();
    // The running count of body bytes.
    void progress(qint64 received);
    // The transfer is over. complete: the installer is at targetPath(), in full. Otherwise
    // error says why and nothing of it is left on disk.
    void finished(bool complete, const QString& error);

private:
    void onMetaData();
    void onReadyRead();
    void onFinished();
    static bool statusOk(const QNetworkReply* reply);

    QNetworkAccessManager* m_manager;
    QPointer<QNetworkReply> m_reply;
    QFile m_part;
    QString m_target;
    qint64 m_received = 0;
    bool m_bodyStarted = false;
    bool m_writeFailed = false;
};

} // namespace quornet::windows
