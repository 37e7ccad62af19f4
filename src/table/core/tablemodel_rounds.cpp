// Games and rounds: starting a game, the start and end of a round, the end of a game, and the
// board reset they share.
#include "protocol/messages.h"
#include "table/core/tablemodel.h"
#include "table/core/tablemodel_p.h"

namespace quornet::table {

using namespace protocol;
using detail::Args;
using detail::dropped;

namespace {
void hideBanners(TableState& s)
{
    for (int t = 1; t <= 2; ++t) {
        TeamBoard& board = s.teams[std::size_t(t)];
        board.badge.visible = false;
        board.winnerVisible = false;
        board.roundWinnerVisible = false;
    }
}
} // namespace

void TableModel::boardReset()
{
    m_s.positions.fill(-1);
    m_s.discardCard = 0;
    m_s.discardTag = 0;
    m_s.cards.clear();
    // A picked card would name a card image that no longer exists.
    m_s.picked = PickedCard{};
    for (int t = 1; t <= 2; ++t) {
        m_s.teams[std::size_t(t)].working.clear();
        m_s.teams[std::size_t(t)].completed.clear();
    }
    clearPlaces();
    touch();
}

QStringList TableModel::otherSeatedPlayers() const
{
    QStringList names;
    for (int s = 1; s <= SeatCount; ++s) {
        if (s == m_s.own) continue;
        const QString& name = m_s.seats[std::size_t(s)].name;
        if (name != QLatin1String(WaitingName)) names.append(name);
    }
    return names;
}

void TableModel::startthegame(const QByteArray& args)
{
    Args a(args);
    const QString starter = protocol::fromWire(a.requiredText("starter"));
    const QByteArray length = a.requiredText("game length");
    const int count = a.number("pick-up count", 0, 999);
    if (!a.ok()) return dropped(cmd::StartGame, args, a.problem());

    emit playersChanged(); // the tally's check list, before the seat names change below
    emit dealt();
    if (length == "f") m_s.fullText = tr("Play Full Game");
    else if (length == "5") m_s.fullText = tr("Play to 5000");
    else if (length == "3") m_s.fullText = tr("Play to 3000");
    else m_s.fullText = tr("Play One Round");
    m_s.pickupText = tr("Pick Up: %1").arg(count);
    for (int s = 3; s <= 4; ++s) {
        m_s.seats[std::size_t(s)].scoreVisible = true;
        m_s.seats[std::size_t(s)].eyesTag = 0;
    }
    forgetHeldSeats();
    m_s.startVisible = false;
    m_s.justWatch = false;
    m_s.takenOver = false;
    hideBanners(m_s);
    clearTurnDisplay();
    // The last game's last move is no news at the start of a new one.
    m_s.status.clear();
    m_log.clear();
    m_scores.gameStarted();
    notice(aboutPlayer(starter, tr("%1 has started a game."), tr("%1 have started a game.")));
    boardReset();
    for (int s = 1; s <= SeatCount; ++s) {
        SeatView& seat = m_s.seats[std::size_t(s)];
        seat.footVisible = true;
        seat.eyesVisible = false;
        seat.score = QStringLiteral("0");
        seat.cardsLeft = QStringLiteral("11");
        if (seat.name == QLatin1String(WaitingName)) seat.name = seat.hint;
    }
    const int team = detail::teamOfSeat(m_s.own);
    if (team != 0) m_s.teamStrip = team;
    touch();
}

int TableModel::roundNumber() const
{
    if (!m_scores.gameRunning() || m_scores.rounds().isEmpty()) return 0;
    return m_scores.rounds().constLast().number;
}

void TableModel::startround()
{
    emit dealt();
    m_s.addHereVisible = false;
    hideBanners(m_s);
    m_scores.roundStarted();
    boardReset();
    // The last round's last word does not carry into this one.
    m_s.status.clear();
    for (int s = 1; s <= SeatCount; ++s) {
        m_s.seats[std::size_t(s)].footVisible = true;
        m_s.seats[std::size_t(s)].cardsLeft = QStringLiteral("11");
    }
    touch();
}

namespace {
// The seat that went out: the turn seat, or the own seat when no turn is running.
void zeroCardsLeft(TableState& s)
{
    const int seat = s.turnSeat != 0 ? s.turnSeat : s.own;
    if (seat >= 1 && seat <= SeatCount) s.seats[std::size_t(seat)].cardsLeft = QStringLiteral("0");
}
} // namespace

void TableModel::roundWinner(const QByteArray& args)
{
    Args a(args);
    const int team = a.number("team", 0, 2);
    if (!a.ok()) return dropped(cmd::RWinner, args, a.problem());
    zeroCardsLeft(m_s);
    emit playSound(QStringLiteral("winner"));
    if (team != 0) m_s.teams[std::size_t(team)].roundWinnerVisible = true;
    else status(tr("The deck is out of cards. Round Over"));
    m_scores.roundEnded(team);
    // The solo game deals the next round when the player presses Continue on the summary.
    notice(m_s.solo ? tr("Press Continue on the round summary to start the next round.")
                    : tr("The next round will start soon.."));
    touch();
    emit roundOver(QString());
}

void TableModel::winner(const QByteArray& args)
{
    Args a(args);
    const int team = a.number("team", 0, 2);
    const QString names = a.restText();
    if (!a.ok()) return dropped(cmd::Winner, args, a.problem());
    zeroCardsLeft(m_s);
    emit playSound(QStringLiteral("winner"));
    if (team != 0) m_s.teams[std::size_t(team)].winnerVisible = true;
    if (m_s.host) m_s.startVisible = true;
    forgetHeldSeats();
    clearTurnDisplay();
    m_scores.gameEnded(team);
    touch();
    if (names != QLatin1String("No One")) {
        notice(tr("%1 have Won the Game!").arg(names));
        emit gameWon(names);
    } else {
        notice(tr("The Game Ended in a Tie"));
    }
    emit roundOver(names.isEmpty() ? QStringLiteral("No One") : names);
}

// Seats kept for players who dropped are kept no longer once a game ends or a new one starts.
void TableModel::forgetHeldSeats()
{
    for (SeatView& seat : m_s.seats) {
        if (!seat.held) continue;
        seat.held = false;
        seat.name = seat.hint;
    }
}

void TableModel::clearTurnDisplay()
{
    m_s.turnSeat = 0;
    m_s.turnText.clear();
    m_s.turnMarkerVisible = false;
    m_s.greenArrowVisible = false;
    m_s.blueArrowVisible = false;
    m_s.drawVisible = false;
    m_s.pickupVisible = false;
    m_s.picked = PickedCard{};
    touch();
}

void TableModel::invalidDiscard()
{
    // The host gives the turn back to the seat whose discard it refused; a spectator holds no
    // seat and never discards, so the message cannot be meant for it.
    if (m_s.own < 1 || m_s.own > SeatCount)
        return dropped(cmd::InvalidDiscard, {}, "the window holds no seat");
    m_s.turnSeat = m_s.own;
    status(tr("That is not a valid discard"));
}

// ---- Starting a game ------------------------------------------------------------------------

void TableModel::clickStart()
{
    {
        Changes c(*this);
        m_s.startVisible = false;
        touch();
    }
    emit startDialogRequested();
}

bool TableModel::startGame(const GameOptions& options)
{
    if (!m_s.loggedIn) {
        emit messageBox(tr("You are not connected"));

        return false;
    }
    QByteArray length = options.lengthCode.toLatin1();
    if (length != "r" && length != "3" && length != "5") length = "f";
    // The starter's name is a middle field: a "+" in it would shift the fields after it.
    QByteArray starter = protocol::toWire(m_s.playerName);
    starter.replace('+', ' ');
    sendMessage(msg::startGame(starter, length, options.twoPlayer, options.pickUp,
                               qBound(1, options.pickUpCount, 7)));
    return true;
}

} // namespace quornet::table
