#include "table/window/statefile.h"

#include "table/core/tablestate.h"

#include <QSaveFile>
#include <QStringList>

namespace quornet::table {

void StateFile::write(const TableState& s, const QString& openBox)
{
    static const QString path = qEnvironmentVariable("QUORNET_STATE_FILE");
    if (path.isEmpty()) return;
    QStringList lines;
    lines << QStringLiteral("own %1 %2").arg(s.own).arg(s.loggedIn ? "logged in" : "not logged in");
    for (int i = 1; i <= 4; ++i)
        lines << QStringLiteral("seat %1 %2 score %3 cards %4").arg(i).arg(s.seat(i).name, s.seat(i).score, s.seat(i).cardsLeft);
    lines << QStringLiteral("start %1").arg(s.startVisible ? "shown" : "hidden");
    lines << QStringLiteral("turn %1 %2").arg(s.turnSeat).arg(s.turnText);
    lines << QStringLiteral("hand %1").arg(s.handCount());
    lines << QStringLiteral("discard %1").arg(s.discardCard);
    for (int t = 1; t <= 2; ++t)
        lines << QStringLiteral("team %1 working %2 completed %3").arg(t).arg(s.team(t).working.size()).arg(s.team(t).completed.size());
    lines << QStringLiteral("status %1").arg(s.status);
    if (!openBox.isEmpty()) lines << QStringLiteral("box %1").arg(openBox);
    const QByteArray text = lines.join('\n').toUtf8() + '\n';
    if (text == m_last) return;
    m_last = text;
    QSaveFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(text);
        f.commit();
    }
}

} // namespace quornet::table
