#include "table/core/gamelog.h"

namespace quornet::table {

QString GameLogEntry::line() const
{
    return when.toString(QStringLiteral("hh:mm:ss")) + QStringLiteral("  ") + text;
}

void GameLog::add(const QString& text, const QDateTime& when)
{
    if (text.isEmpty()) return;
    if (m_entries.size() >= MaxEntries) m_entries.removeFirst();
    m_entries.append({when, text});
    emit added(m_entries.constLast());
}

void GameLog::clear()
{
    if (m_entries.isEmpty()) return;
    m_entries.clear();
    emit cleared();
}

QString GameLog::text() const
{
    QString all;
    for (const GameLogEntry& e : m_entries) all += e.line() + QLatin1Char('\n');
    return all;
}

} // namespace quornet::table
