// Participants: login, arrivals and departures, just-watch, game options, kicking.
#include "protocol/messages.h"
#include "protocol/colortext.h"
#include "table/core/tablemodel.h"
#include "table/core/tablemodel_p.h"

namespace quornet::table {

using namespace protocol;
using detail::Args;
using detail::dropped;

void TableModel::loginReply(const QByteArray& args)
{
    Args a(args);
    const int n = a.number("participant", 1, MaxParticipant);
    if (!a.ok()) return dropped(cmd::SendLoginInfo, args, a.problem());
    if (m_rejoinPending) beginRejoin();
    m_s.own = n;
    m_s.loggedIn = true;
    if (n == 1 || m_s.host) setHostRights(n == 1);
    touch();
    // The seat's key first: the host gives the seat back to it, whatever the name.
    if (!m_s.seatKey.isEmpty()) sendMessage(msg::rejoin(m_s.seatKey));
    sendMessage(msg::loginInfo(n, VersionText, protocol::toWire(m_s.playerName)));
}

void TableModel::arrived(const char* word, const QByteArray& args)
{
    Args a(args);
    const int k = a.number("participant", 1, MaxParticipant);
    const QString name = a.restText();
    if (!a.ok()) return dropped(word, args, a.problem());
    // Nobody arrives without a name: a seat nobody plays, or a number no longer in use.
    if (name.isEmpty()) return;

    if (k == m_s.own && m_s.rejoining) {
        m_s.rejoining = false;
        if (m_seatLost == "unknown")
            notice(tr("The host restarted; the game in progress was lost."));
        else if (m_seatLost == "lapsed")
            notice(tr("Reconnected to the host, but the seat was no longer kept for you."));
        else
            notice(tr("Reconnected to the host. The game goes on."));
        m_seatLost.clear();
        status(tr("Reconnected to the host."));
        if (k <= SeatCount) m_s.ownTeam = detail::teamOfSeat(k);
        m_quietCatchUp = true;
        emit rejoined();
    } else if (k == m_s.own) {
        notice(tr("You are Connected."));
        emit ownLogin();
        emit playSound(QStringLiteral("entered"));
        if (k <= SeatCount) m_s.ownTeam = detail::teamOfSeat(k);
    } else if (!(m_quietCatchUp && k <= SeatCount && name == m_s.seats[std::size_t(k)].hint)) {
        // (After a rejoin the computer seats are no news.)
        notice(tr("%1 is Connected.").arg(name));
        emit playSound(QStringLiteral("entered"));
    }
    if (k > SeatCount) {
        m_s.spectators.append(QString::number(k) + QStringLiteral(": ") + name);
        notice(k == m_s.own ? tr("You are spying.") : tr("%1 is spying.").arg(name));
    } else {
        m_s.seats[std::size_t(k)].name = name;
        m_s.seats[std::size_t(k)].held = false;
    }
    touch();
    emit playersChanged();
}

void TableModel::departed(const QByteArray& args)
{
    Args a(args);
    const int k = a.number("participant", 1, MaxParticipant);
    const QString name = a.restText();
    if (!a.ok()) return dropped(cmd::PlayerDisconnected, args, a.problem());
    // The host tells a participant of its own departure only when it removes it.
    if (k == m_s.own) {
        m_s.removed = true;
        touch();
        return;
    }

    if (k <= SeatCount && m_s.seats[std::size_t(k)].held) {
        // The host keeps the seat for its player (CMD_seatheld came first): the name stays.
        SeatView& seat = m_s.seats[std::size_t(k)];
        if (seat.eyesTag != 1) seat.eyesVisible = false;
    } else if (k <= SeatCount) {
        SeatView& seat = m_s.seats[std::size_t(k)];
        notice(tr("%1 disconnected.").arg(seat.name));
        seat.name = seat.hint;
        if (seat.eyesTag != 1) seat.eyesVisible = false;
    }
    const QString entry = QString::number(k) + QStringLiteral(": ") + name;
    if (m_s.spectators.contains(entry)) {
        notice(tr("%1 has left.").arg(name), protocol::colors::Navy);
        m_s.spectators.removeOne(entry);
    }
    touch();
    emit playersChanged();
}

void TableModel::justWatching(const QByteArray& args)
{
    Args a(args);
    const int s = a.number("seat", 1, MaxParticipant);
    const QByteArray state = a.requiredText("state");
    if (!a.ok()) return dropped(cmd::JustWatching, args, a.problem());
    if (s > SeatCount) return; // spectators have no seat to watch from

    SeatView& seat = m_s.seats[std::size_t(s)];
    if (state == "1") {
        if (s == m_s.own) {
            m_s.takenOver = !m_justWatchAsked && gameRunning();
            m_justWatchAsked = false;
            m_s.justWatch = true;
            m_s.pickupVisible = false;
            m_s.drawVisible = false;
        }
        notice(aboutPlayer(seat.name, tr("%1 is just watching"), tr("%1 are just watching")));
        seat.eyesVisible = true;
    } else {
        if (s == m_s.own) {
            m_s.justWatch = false;
            m_s.takenOver = false;
        }
        notice(aboutPlayer(seat.name, tr("%1 now playing again"), tr("%1 are playing again")));
        seat.eyesVisible = false;
    }
    touch();
}

void TableModel::noBots(const QByteArray& args)
{
    // The catch-up sends the command word alone: the game length stays as it is.
    Args a(args);
    const QByteArray length = a.text();
    if (length == "5") m_s.fullText = tr("Play to 5000");
    else if (length == "3") m_s.fullText = tr("Play to 3000");
    notice(tr("The Bots are just watching"));
    for (int s = 3; s <= 4; ++s) {
        SeatView& seat = m_s.seats[std::size_t(s)];
        seat.scoreVisible = false;
        seat.eyesVisible = true;
        seat.eyesTag = 1;
    }
    touch();
}

void TableModel::loadStats(const QByteArray& args)
{
    Args a(args);
    const QByteArray length = a.requiredText("game length");
    const int count = a.number("pick-up count", 0, 999);
    if (!a.ok()) return dropped(cmd::LoadStats, args, a.problem());
    m_s.pickupText = tr("Pick Up: %1").arg(count); // as the game start says it
    if (length == "f") m_s.fullText = tr("Play Full Game");
    else if (length == "5") m_s.fullText = tr("Play to 5000");
    else if (length == "3") m_s.fullText = tr("Play to 3000");
    else m_s.fullText = tr("Play One Round");
    // Only a window that arrives while a game runs is told this: no game is there to start,
    // even for the host user whose rights came with the login before the catch-up.
    m_scores.gameJoined();
    m_s.startVisible = false;
    touch();
}

void TableModel::scoreSheetRound(const QByteArray& args)
{
    Args a(args);
    RoundScore r;
    r.number = a.number("round", 1, 10'000);
    r.finished = a.number("finished", 0, 1) == 1;
    r.wentOut = a.number("went out", 0, 2);
    constexpr int Limit = 100'000'000;
    for (int t = 1; t <= 2; ++t) {
        TeamRoundScore& s = r.teams[std::size_t(t)];
        s.cardPoints = a.number("card points", -Limit, Limit);
        s.bonuses = a.number("bonuses", -Limit, Limit);
        s.goingOut = a.number("going out", -Limit, Limit);
        s.penalties = a.number("penalties", -Limit, Limit);
        s.total = a.number("total", -Limit, Limit);
    }
    if (!a.ok()) return dropped(cmd::ScoreSheet, args, a.problem());
    m_scores.roundReported(r);
    touch();
}

void TableModel::showStatus(const QString& text)
{
    Changes c(*this);
    status(text);
}

void TableModel::beginRejoin()
{
    m_rejoinPending = false;
    const bool host = m_s.host;
    const bool hosting = m_s.hosting;
    const QByteArray key = m_s.seatKey;
    const QString name = m_s.playerName;
    const bool manualSort = m_s.manualSort;
    const int turnSound = m_s.turnSound;
    const bool chatterSounds = m_s.chatterSounds;
    const QString status = m_s.status;
    m_s = TableState{};
    m_s.status = status;
    m_s.host = host;
    m_s.hosting = hosting;
    m_s.seatKey = key;
    m_s.playerName = name;
    m_s.manualSort = manualSort;
    m_s.turnSound = turnSound;
    m_s.chatterSounds = chatterSounds;
    m_s.rejoining = true;
    touch();
}

void TableModel::wrongVersion(const char* word, const QByteArray& args)
{
    if (qstrcmp(word, cmd::HaveWrongVersion) == 0)
        notice(tr("%1 has a different version of the game then you.").arg(protocol::fromWire(args)));
    else {
        notice(tr("You have a different version of the game then the host."));
        emit versionDiffers();
    }
}

void TableModel::full()
{
    emit messageBox(tr("Game is full"));

    emit closeRequested();
}

// ---- Commands of the seat-name popup and the menus ----------------------------------------

SeatPopup TableModel::seatPopup(int seat) const
{
    SeatPopup popup;
    if (seat < 1 || seat > SeatCount || !m_s.host) return popup;
    popup.removeFromGame = m_s.seats[std::size_t(seat)].name != QLatin1String(WaitingName);
    popup.setJustWatch = true;
    popup.unsetJustWatch = true;
    return popup;
}

void TableModel::kicking(int participant)
{
    if (!m_s.host || !m_s.loggedIn) return;
    if (participant < 1 || participant > MaxParticipant) return;
    sendMessage(msg::kickHim(m_s.own, participant));
}

void TableModel::setJustWatchFor(int seat)
{
    if (!m_s.loggedIn || seat < 1 || seat > SeatCount) return;
    if (seat == m_s.own) m_justWatchAsked = true;
    sendMessage(msg::justWatch(seat, 1));
}

void TableModel::unsetJustWatchFor(int seat)
{
    if (m_s.loggedIn && seat >= 1 && seat <= SeatCount) sendMessage(msg::justWatch(seat, 2));
}

void TableModel::toggleJustWatch()
{
    // The check mark changes only when the host's CMD_justwatching comes back.
    if (!m_s.loggedIn || m_s.own < 1 || m_s.own > SeatCount) return;
    if (!m_s.justWatch) m_justWatchAsked = true;
    sendMessage(msg::justWatch(m_s.own, m_s.justWatch ? 2 : 1));
}

void TableModel::imBack()
{
    if (!m_s.loggedIn || !m_s.takenOver) return;
    sendMessage(msg::justWatch(m_s.own, 2));
}

} // namespace quornet::table
