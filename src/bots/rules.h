// The host's rules for books, as Strong and Expert need them to plan a turn on a copy of their
// own hand and to play a round forward in Expert's playouts. The moves a level finally makes
// still go through the host's own handlers, which judge them afresh.
#pragma once

#include "bots/moves.h"
#include "bots/observation.h"

namespace quornet::bots::rules {

// The lowest free working-book slot 1..9, 0 when the team already holds nine books.
int freeBookSlot(const TeamBooks& tb);
// The working book of a rank with the most cards (the lowest slot among equals), 0 for none.
int workingBookOf(const TeamBooks& tb, int rank);
// The first completed book of a rank, 0 for none.
int completedBookOf(const TeamBooks& tb, int rank);
int workingBooks(const TeamBooks& tb);

// Plays a move on a hand and its team's books as the host would. Returns the points the team
// earns (card points and book bonuses), or -1 when the host would refuse it; a refused move
// changes nothing.
int apply(const Move& m, Hand& hand, TeamBooks& tb);

} // namespace quornet::bots::rules
