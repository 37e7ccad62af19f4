// The computer player: plays every seat that no human plays (no connection, or just watching).
//
// It reads the host's table and acts only through the host's own requests (draw, create book,
// add to book, add to completed book, discard), so every move passes the same checks as a
// human's. Each step scans hand entries and book slots in ascending order on a snapshot of the
// hand taken when the step begins, crossing out every card it has made a request for.
#pragma once

#include "host/table.h"

namespace quornet::host {

class HostEngine;

struct HandProfile {
    int wilds = 0;
    int singles = 0; // non-wild cards without another card of their rank; every three is one
    int pairs = 0;   // pairs of entries of one natural rank: a rank held n times gives n(n-1)/2
};

HandProfile handProfile(const Hand& hand);
// At most one card of the hand is not wild (empty entries ignored).
bool nearlyAllWild(const Hand& hand);

class ComputerPlayer {
public:
    explicit ComputerPlayer(HostEngine& engine) : m_engine(engine) {}

    // The draw decision: take the discard pile (mode 2) or draw two (mode 1).
    void draw(int seat);
    // The meld pass and the discard, for the seat whose turn it is.
    void play(int seat);

    // The steps of the meld pass, in the order play() runs them.
    void addToBooks(int seat);
    void addToCompleted(int seat);
    void createBooks(int seat);
    void createBooksWithWilds(int seat);
    void discard(int seat);

private:
    const Table& table() const;
    const TeamBooks& teamBooks(int seat) const;
    bool teamHasWorkingBook(int seat, int rank) const;
    template <typename Condition, typename After>
    void createWithWildsPhase(int seat, Hand& snap, Condition condition, After after);

    HostEngine& m_engine;
};

} // namespace quornet::host
