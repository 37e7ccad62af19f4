// Expert: search on top of Strong.
//
// For the draw (when the pile can be taken) and for the rest of the turn, Expert lists a few
// candidates: draw or take the pile; Strong's books under a few styles (its own, no wild kept
// back, two kept back, every wild laid) each with Strong's best discards. It then guesses the
// hidden cards a number of times (World::sample, consistent with the observation), plays every
// candidate forward from each guess with Strong at every seat, and takes the candidate with the
// best average lead for its team. Every candidate meets the same guesses, so their differences
// are not drowned in the luck of the deal. With three candidates or more the playouts are spent
// by successive halving: half on all of them, the rest on Strong's choice and the better half of
// the others. A decision with one candidate is not searched.
//
// The budget is fixed at build time, in guesses and turns rather than in time, so a seed plays
// the same game on every machine, threaded or not: the work of 540 playouts of 40 turns a
// decision at most, spent on more guesses where the playouts are shorter. On this project's
// machine (2 cores at 2.1 GHz) that keeps every decision under 100 ms of processor time, even with
// the other core busy, and the mean near 21 ms; see README's Performance table.
#pragma once

#include "bots/chance.h"
#include "bots/moves.h"
#include "bots/observation.h"
#include "bots/playout.h"

namespace quornet::bots::expert {

struct Budget {
    // More guesses than a first version's 80 gained about 150 points a round against Classic.
    // Since Strong's scans were made cheaper, 180 (at most 540 playouts) take about the time 120
    // took: 17 ms a decision on average instead of 16.
    int drawSamples = 180;  // guesses for the draw decision
    int playSamples = 180;  // guesses for the rest of the turn
    int maxPlayouts = 540;  // playouts of one decision at most (fewer guesses for many candidates)
    int horizon = 40;       // turns played forward after the candidate's own (mostly the round)
    int maxCandidates = 6;  // candidates for the rest of the turn
    // The work of a decision is the guesses above times this many turns a playout; a decision
    // whose playouts end sooner (late in the round) spends it on more guesses, at most
    // `moreGuesses` times as many. The longest decisions, early in the round, stay as they were.
    int turnsPerPlayout = 40;
    int moreGuesses = 8;
    // Standard errors a candidate must beat Strong's own choice by. The playouts judge every
    // seat as if it played Strong, so a small lead often fools them: taking the best mean alone
    // lost more than half of Expert's gain over Strong.
    double noise = 1.5;
};

constexpr Budget DefaultBudget{};

int drawMode(const Observation& obs, Chance& chance, const Budget& budget = DefaultBudget);
Plan play(const Observation& obs, Chance& chance, const Budget& budget = DefaultBudget);

// The same search played from `truth` instead of guesses when it is given (the simulator's
// oracle), from guesses at the hidden cards when it is null (Expert).
int drawMode(const Observation& obs, const Truth* truth, Chance& chance, const Budget& budget = DefaultBudget);
Plan play(const Observation& obs, const Truth* truth, Chance& chance, const Budget& budget = DefaultBudget);

} // namespace quornet::bots::expert
