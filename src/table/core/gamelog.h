// GameLog: every text the status line showed during the current game, with the time it came,
// for the Game Log window. A new game starts a new log.
#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

namespace quornet::table {

struct GameLogEntry {
    QDateTime when;
    QString text;
    // "hh:mm:ss  text", the line the window shows and copies.
    QString line() const;
};

class GameLog : public QObject {
    Q_OBJECT
public:
    // A log keeps the newest entries of a very long session only.
    static constexpr int MaxEntries = 20000;

    explicit GameLog(QObject* parent = nullptr) : QObject(parent) {}

    void add(const QString& text, const QDateTime& when = QDateTime::currentDateTime());
    void clear();
    const QList<GameLogEntry>& entries() const { return m_entries; }
    // Every line, each ended by a line break: what Copy puts on the clipboard.
    QString text() const;

signals:
    void added(const quornet::table::GameLogEntry& entry);
    void cleared();

private:
    QList<GameLogEntry> m_entries;
};

} // namespace quornet::table
