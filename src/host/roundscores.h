// Every round's scores of the game in progress, as the host scored them: what the score sheet of
// a window that comes to the table (or comes back after its program restarted) is built from,
// and part of a saved game.
#pragma once

#include <array>
#include <vector>

namespace quornet::host {

// What changed a team's score.
enum class ScoreKind { Cards, Bonus, GoingOut, Penalty };

struct TeamRoundPoints {
    int cards = 0;
    int bonuses = 0;
    int goingOut = 0;
    int penalties = 0;
    int total = 0; // the team's running total at the end of the round (so far, while it runs)
};

struct RoundScores {
    std::array<TeamRoundPoints, 3> teams{}; // 1 green, 2 blue
    int wentOut = 0;                        // the team that went out, 0 when none did
    bool finished = false;
};

using ScoreLedger = std::vector<RoundScores>;

} // namespace quornet::host
