#include "table/core/scoresheet.h"

namespace quornet::table {

namespace {
int teamOf(int seat) { return seat % 2 == 1 ? 1 : 2; }
bool validSeat(int seat) { return seat >= 1 && seat <= 4; }
bool validTeam(int team) { return team == 1 || team == 2; }
} // namespace

void ScoreSheet::clear()
{
    m_rounds.clear();
    m_total = {};
    m_carried = {};
    m_known = {};
    m_bonusPending = {};
    m_running = false;
    m_over = false;
    m_gameWinner = 0;
    emit changed();
}

void ScoreSheet::gameStarted()
{
    m_rounds.clear();
    m_total = {};
    m_carried = {};
    m_known = {false, true, true}; // the host starts every game at 0 for both teams
    m_bonusPending = {};
    m_running = true;
    m_over = false;
    m_gameWinner = 0;
    RoundScore first;
    first.number = 1;
    m_rounds.append(first);
    emit changed();
}

void ScoreSheet::gameJoined()
{
    if (m_running) return;
    m_rounds.clear();
    m_known = {};
    m_bonusPending = {};
    m_running = true;
    m_over = false;
    m_gameWinner = 0;
    m_rounds.append(RoundScore{}); // number 0: its start was not seen
    emit changed();
}

void ScoreSheet::roundStarted()
{
    m_bonusPending = {};
    // A round start seen after joining a running game: the game runs, its earlier rounds are
    // carried in.
    m_running = true;
    m_over = false;
    if (!m_rounds.isEmpty() && !m_rounds.constLast().finished) m_rounds.last().finished = true;
    current();
    emit changed();
}

RoundScore& ScoreSheet::current()
{
    if (m_rounds.isEmpty() || m_rounds.constLast().finished) {
        RoundScore next;
        // After the round a late joiner came into (number 0) comes the first counted one; its
        // true number is unknown, so the count goes on from 1.
        next.number = m_rounds.isEmpty() ? 1 : m_rounds.constLast().number + 1;
        for (int t = 1; t <= 2; ++t) next.teams[std::size_t(t)].total = m_total[std::size_t(t)];
        m_rounds.append(next);
    }
    return m_rounds.last();
}

void ScoreSheet::bookCompleted(int seat)
{
    if (validSeat(seat)) m_bonusPending[std::size_t(seat)] = true;
}

void ScoreSheet::scorePosted(int total, int points, int seat)
{
    if (!validSeat(seat)) return;
    const auto team = std::size_t(teamOf(seat));
    if (!m_known[team]) {
        // The first report a late joiner sees: everything before it is carried in.
        m_known[team] = true;
        m_carried[team] = total - points;
        m_total[team] = total - points;
        for (RoundScore& r : m_rounds) r.teams[team].total = m_total[team];
    }
    // A finished game's sheet stays as it ended until the next game starts.
    if (m_over) return;
    // Reports outside a game (the catch-up of a window that arrives between games) only set
    // the totals.
    if (!m_running) {
        m_total[team] = total;
        m_carried[team] = total;
        emit changed();
        return;
    }
    TeamRoundScore& score = current().teams[team];
    const long long surplus = static_cast<long long>(total) - m_total[team] - points;
    if (surplus != 0) score.goingOut += int(surplus);
    if (m_bonusPending[std::size_t(seat)]) {
        m_bonusPending[std::size_t(seat)] = false;
        score.bonuses += points;
    } else if (points < 0) {
        score.penalties += points;
    } else {
        score.cardPoints += points;
    }
    m_total[team] = total;
    score.total = total;
    emit changed();
}

void ScoreSheet::roundEnded(int winningTeam)
{
    if (m_rounds.isEmpty()) return;
    RoundScore& r = m_rounds.last();
    r.finished = true;
    r.wentOut = validTeam(winningTeam) ? winningTeam : 0;
    m_bonusPending = {};
    emit changed();
}

void ScoreSheet::gameEnded(int winningTeam)
{
    if (!m_rounds.isEmpty() && !m_rounds.constLast().finished) {
        // The last round ends with the game: the team that went out is the one whose going-out
        // bonus the round shows.
        RoundScore& r = m_rounds.last();
        r.finished = true;
        for (int t = 1; t <= 2; ++t)
            if (r.team(t).goingOut != 0) r.wentOut = t;
    }
    m_running = false;
    m_over = true;
    m_gameWinner = validTeam(winningTeam) ? winningTeam : 0;
    m_bonusPending = {};
    emit changed();
}

void ScoreSheet::roundReported(const RoundScore& round)
{
    if (round.number < 1) return;
    // The host's rounds replace the partial round a late joiner started with.
    m_rounds.removeIf([](const RoundScore& r) { return r.number == 0; });
    const qsizetype at = round.number - 1;
    if (at > m_rounds.size()) return; // a gap: the host reports rounds in order
    if (at == m_rounds.size()) m_rounds.append(round);
    else m_rounds[at] = round;
    m_rounds.resize(at + 1); // what came after a replaced round is the host's to report
    for (int t = 1; t <= 2; ++t) {
        m_total[std::size_t(t)] = round.team(t).total;
        m_known[std::size_t(t)] = true;
    }
    m_carried = {}; // the host's sheet starts at 0
    m_running = true;
    m_over = false;
    m_bonusPending = {};
    emit changed();
}

QList<int> ScoreSheet::totalsByRound(int team) const
{
    QList<int> totals;
    if (!validTeam(team)) return totals;
    totals.append(m_carried[std::size_t(team)]);
    for (const RoundScore& r : m_rounds) totals.append(r.team(team).total);
    return totals;
}

} // namespace quornet::table
