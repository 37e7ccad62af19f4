// GameFile: where a host keeps its game between moves, so a closed window, a crash or a restart
// loses nothing. Every save replaces the file atomically (QSaveFile, flushed to disk) on a worker
// thread of its own, so the event loop never waits for the disk: saves queue in order, and of
// several waiting only the newest is written. Reading is the caller's (HostEngine::restoreGame);
// a file it refuses is moved aside as "<name>.bad", so the next start begins afresh and the file
// is still there to look at.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMutex>
#include <QString>
#include <QThreadPool>

#include <optional>

namespace quornet::host {

class GameFile {
public:
    explicit GameFile(QString path);
    ~GameFile(); // waits for what is still to be written

    const QString& path() const { return m_path; }
    // Queues the document to be written; returns at once.
    void save(QByteArray document);
    // The game is over: the file goes (after any save still queued).
    void remove();
    // Waits until everything queued is on disk.
    void flush();
    // The last write that failed, empty when all went well.
    QString lastError() const;

    // What is in the file now, when there is one; `savedAt` is the time it was last written.
    std::optional<QByteArray> read(QDateTime* savedAt = nullptr) const;
    // The file could not be used: it is kept as "<path>.bad" (an older one there is replaced).
    void moveAside() const;

    // Writes the document atomically at once (QSaveFile, then fsync before the rename).
    static bool writeAtomically(const QString& path, const QByteArray& document, QString* error);

private:
    void schedule();
    void work();

    QString m_path;
    QThreadPool m_worker;
    mutable QMutex m_mutex;
    std::optional<QByteArray> m_pending; // the newest document not written yet
    bool m_removePending = false;
    bool m_scheduled = false;
    QString m_error;
};

} // namespace quornet::host
