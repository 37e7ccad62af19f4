// Games kept between runs of the program (see keptgames.h).
#include "table/window/keptgames.h"

#include "host/gamefile.h"
#include "host/tserver.h"
#include "table/core/tablemodel.h"
#include "table/window/tableconnection.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QMessageBox>

namespace quornet::table {

namespace {
// A joined seat is offered back at the next start only this long after it was last heard of:
// a host holds a dropped seat for 2 minutes, a restored one for 5.
constexpr qint64 RejoinOfferSeconds = 5 * 60;

QString savedAtText(const QString& path)
{
    return QLocale().toString(QFileInfo(path).lastModified(), QLocale::ShortFormat);
}
} // namespace

KeptGames::KeptGames(QWidget& window, host::TServer& server, TableModel& model, TableConnection& connection)
    : m_window(window), m_server(server), m_model(model), m_connection(connection)
{
}

QString KeptGames::gamePath(bool solo, quint16 port) const
{
    if (m_folder.isEmpty()) return {};
    const QString name = solo ? QStringLiteral("solo-game.json") : QStringLiteral("hosted-table-%1.json").arg(port);
    return QDir(m_folder).filePath(name);
}

QString KeptGames::joinedSeatPath() const
{
    return m_folder.isEmpty() ? QString() : QDir(m_folder).filePath(QStringLiteral("joined-table.json"));
}

void KeptGames::resumeOrKeep(bool solo, quint16 port)
{
    const QString path = gamePath(solo, port);
    if (path.isEmpty()) return;
    if (QFileInfo::exists(path)) {
        const auto answer = QMessageBox::question(
            &m_window, QStringLiteral("Quornet"),
            tr("Resume the unfinished game of %1?").arg(savedAtText(path)),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        if (answer == QMessageBox::Yes) {
            QString message;
            switch (m_server.resumeSavedGame(path, &message)) {
            case host::TServer::Resume::Resumed:
                // This window holds seat 1 of the game it resumes.
                m_model.setSeatKey(m_server.engine().seatKey(1));
                break;
            case host::TServer::Resume::Refused:
                QMessageBox::warning(&m_window, QStringLiteral("Quornet"), message);
                break;
            case host::TServer::Resume::NoSavedGame:
                break;
            }
        } else {
            QFile::remove(path);
        }
    }
    m_server.setGameFile(path);
}

std::optional<KeptGames::JoinedSeat> KeptGames::offerJoinedSeat()
{
    const QString path = joinedSeatPath();
    if (path.isEmpty() || !QFileInfo::exists(path)) return std::nullopt;
    QFile file(path);
    const QJsonObject o = file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
    file.close();
    const QString address = o.value(QStringLiteral("address")).toString();
    const int port = o.value(QStringLiteral("port")).toInt();
    const QString name = o.value(QStringLiteral("name")).toString();
    const QByteArray key = o.value(QStringLiteral("key")).toString().toLatin1();
    const QDateTime at = QFileInfo(path).lastModified();
    const bool usable = !address.isEmpty() && port > 0 && port <= 65535 && !name.isEmpty() && !key.isEmpty() &&
                        at.secsTo(QDateTime::currentDateTime()) <= RejoinOfferSeconds;
    if (!usable) {
        QFile::remove(path);
        return std::nullopt;
    }
    const auto answer = QMessageBox::question(
        &m_window, QStringLiteral("Quornet"),
        tr("Rejoin the table at %1:%2?").arg(address).arg(port), QMessageBox::Yes | QMessageBox::No,
        QMessageBox::Yes);
    if (answer != QMessageBox::Yes) {
        QFile::remove(path);
        return std::nullopt;
    }
    m_model.setSeatKey(key);
    m_model.expectRejoin();
    return JoinedSeat{name, address, quint16(port)};
}

void KeptGames::keepJoinedSeat(bool atTable)
{
    const QString path = joinedSeatPath();
    const TableState& s = m_model.state();
    if (path.isEmpty() || s.hosting || !atTable) return;
    if (s.seatKey.isEmpty() || !m_model.gameRunning()) {
        if (!m_keptJoinedKey.isEmpty()) QFile::remove(path);
        m_keptJoinedKey.clear();
        return;
    }
    if (s.seatKey == m_keptJoinedKey) return;
    QJsonObject o;
    o.insert(QStringLiteral("address"), m_connection.hostAddress());
    o.insert(QStringLiteral("port"), int(m_connection.hostPort()));
    o.insert(QStringLiteral("name"), s.playerName);
    o.insert(QStringLiteral("key"), QString::fromLatin1(s.seatKey));
    // Written as the host writes its games: atomically, for this user's eyes only.
    if (host::GameFile::writeAtomically(path, QJsonDocument(o).toJson(), nullptr)) m_keptJoinedKey = s.seatKey;
}

bool KeptGames::settleBeforeClosing(bool atTable)
{
    const bool keeping = m_server.gameFile() != nullptr;
    bool kept = false;
    if (keeping && m_model.gameRunning()) {
        if (m_closingQuietly) {
            kept = true; // the session ends (a signal): keep the game, ask nothing
        } else {
            const auto answer = QMessageBox::question(
                &m_window, QStringLiteral("Quornet"), tr("A game is in progress. Keep it to finish later?"),
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
            if (answer == QMessageBox::Cancel) return false;
            kept = answer == QMessageBox::Yes;
        }
    }
    if (kept) {
        m_server.saveGameNow();
    } else if (keeping) {
        m_server.discardSavedGame();
    }
    // A hosting copy that ends its table says farewell, so the others' windows close instead of
    // trying to get back; a kept table lets them try while this copy starts again.
    if (m_model.state().hosting && !kept && atTable && m_server.isListening()) m_server.closeTable();
    // A joined window closed between games forgets its seat; in a game it keeps it for a restart.
    if (!m_model.gameRunning() && !m_keptJoinedKey.isEmpty()) {
        QFile::remove(joinedSeatPath());
        m_keptJoinedKey.clear();
    }
    return true;
}

} // namespace quornet::table
