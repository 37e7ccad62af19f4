// ScoreSheet: every round of the current game as the host scored it, kept by the table window.
//
// The host reports each change of a team's score with CMD_postscores (the team's new total, the
// points of this change, the seat). The sheet sorts each report into one of four columns:
//  - bonuses: the report that follows a CMD_complete of the same seat (the book's bonus);
//  - penalties: negative points (the cards left in hand and foot at the end of a round);
//  - card points: any other positive points (cards laid on books);
//  - going out: the part of a new total the points do not explain. The host adds the going-out
//    bonus to the team's score without a report of its own, so it shows as this surplus in the
//    first report of the round's end.
// A window that joins a running game learns the totals from its catch-up reports; what the
// sheet did not see is kept as the carried-in total of each team.
#pragma once

#include <QList>
#include <QObject>

#include <array>

namespace quornet::table {

struct TeamRoundScore {
    int cardPoints = 0;
    int bonuses = 0;
    int goingOut = 0;
    int penalties = 0;
    int total = 0; // the team's running total at the end of the round (so far, while it runs)
    int roundPoints() const { return cardPoints + bonuses + goingOut + penalties; }
};

struct RoundScore {
    int number = 0;                       // 1, 2, ...; 0 for the round a late joiner came into
    std::array<TeamRoundScore, 3> teams{}; // 1 green, 2 blue
    bool finished = false;
    int wentOut = 0;                      // the team that went out, 0 when none did
    const TeamRoundScore& team(int t) const { return teams[std::size_t(t)]; }
};

class ScoreSheet : public QObject {
    Q_OBJECT
public:
    explicit ScoreSheet(QObject* parent = nullptr) : QObject(parent) {}

    // --- What the host said (the table model calls these for valid messages) ---------------
    void gameStarted();
    // The window arrived while a game runs (CMD_loadstats): the round it sees is only in part.
    void gameJoined();
    void roundStarted();
    void bookCompleted(int seat);
    void scorePosted(int total, int points, int seat);
    void roundEnded(int winningTeam);
    void gameEnded(int winningTeam);
    // A new table: no game, no rounds.
    void clear();
    // A round as the host kept it (CMD_scoresheet, the catch-up of a window that arrives or
    // comes back during a game): it takes the place of what the sheet had for that round.
    void roundReported(const RoundScore& round);

    // --- What the sheet shows ---------------------------------------------------------------
    const QList<RoundScore>& rounds() const { return m_rounds; }
    // Totals before the first round the sheet saw (a window that joined a running game).
    int carried(int team) const { return m_carried[std::size_t(team)]; }
    int total(int team) const { return m_total[std::size_t(team)]; }
    bool gameRunning() const { return m_running; }
    bool gameOver() const { return m_over; }
    // The team that won the game, 0 for a tie or while no game has ended.
    int gameWinner() const { return m_gameWinner; }
    // The running totals of a team: the start (carried-in) total, then one value per round.
    QList<int> totalsByRound(int team) const;

signals:
    void changed();

private:
    RoundScore& current();

    QList<RoundScore> m_rounds;
    std::array<int, 3> m_total{};
    std::array<int, 3> m_carried{};
    std::array<bool, 3> m_known{};       // a total of the team has been seen this game
    std::array<bool, 5> m_bonusPending{}; // by seat: a CMD_complete waits for its report
    bool m_running = false;
    bool m_over = false;
    int m_gameWinner = 0;
};

} // namespace quornet::table
