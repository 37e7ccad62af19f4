#include "host/gamefile.h"

#include "host/log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSaveFile>

#include <sys/stat.h>

#include <unistd.h>

namespace quornet::host {

GameFile::GameFile(QString path) : m_path(std::move(path))
{
    m_worker.setMaxThreadCount(1);
}

GameFile::~GameFile() { flush(); }

void GameFile::save(QByteArray document)
{
    QMutexLocker lock(&m_mutex);
    m_pending = std::move(document);
    m_removePending = false;
    schedule();
}

void GameFile::remove()
{
    QMutexLocker lock(&m_mutex);
    m_pending.reset();
    m_removePending = true;
    schedule();
}

void GameFile::flush() { m_worker.waitForDone(); }

QString GameFile::lastError() const
{
    QMutexLocker lock(&m_mutex);
    return m_error;
}

// Called with the mutex held.
void GameFile::schedule()
{
    if (m_scheduled) return;
    m_scheduled = true;
    m_worker.start([this] { work(); });
}

void GameFile::work()
{
    for (;;) {
        std::optional<QByteArray> document;
        bool removeIt = false;
        {
            QMutexLocker lock(&m_mutex);
            document = std::exchange(m_pending, std::nullopt);
            removeIt = std::exchange(m_removePending, false);
            if (!document && !removeIt) {
                m_scheduled = false;
                return;
            }
        }
        QString error;
        if (document) {
            writeAtomically(m_path, *document, &error);
        } else if (QFile::exists(m_path) && !QFile::remove(m_path)) {
            error = QStringLiteral("cannot remove %1").arg(m_path);
        }
        if (!error.isEmpty()) qCWarning(lcHost).noquote() << "saving the game:" << error;
        QMutexLocker lock(&m_mutex);
        m_error = error;
    }
}

bool GameFile::writeAtomically(const QString& path, const QByteArray& document, QString* error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    // The game holds the players' seat keys: for this user's eyes only.
    ::fchmod(file.handle(), S_IRUSR | S_IWUSR);
    file.write(document);
    // On disk before the rename: a crash right after leaves the old file or the new one whole.
    const bool synced = file.flush() && ::fsync(file.handle()) == 0;
    if (!synced || !file.commit()) {
        if (error) *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

std::optional<QByteArray> GameFile::read(QDateTime* savedAt) const
{
    QFile file(m_path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
    // A saved game is a few kilobytes; anything far larger is not one.
    constexpr qint64 MaxBytes = 1024 * 1024;
    if (file.size() > MaxBytes) return QByteArray();
    if (savedAt) *savedAt = QFileInfo(file).lastModified();
    return file.readAll();
}

void GameFile::moveAside() const
{
    const QString bad = m_path + QStringLiteral(".bad");
    QFile::remove(bad);
    if (!QFile::rename(m_path, bad)) QFile::remove(m_path);
}

} // namespace quornet::host
