// The moves a level makes after drawing (the rules core's Move, named as the host's requests
// name them), and how they reach the table.
#pragma once

#include "rules/books.h"

#include <array>

namespace quornet::bots {

using rules::Move;

// Strong's and Expert's answer for the rest of a turn: books first, then at most one discard
// (none when the books use up the hand). A plan ends where the hand runs out: when that brings
// up the foot, the driver asks again with the foot in hand.
struct Plan {
    static constexpr int Capacity = 24; // a hand holds at most 21 cards
    std::array<Move, Capacity> moves{};
    int size = 0;
    void add(Move m)
    {
        if (size < Capacity) moves[std::size_t(size++)] = m;
    }
    const Move* begin() const { return moves.data(); }
    const Move* end() const { return moves.data() + size; }
    bool operator==(const Plan& o) const
    {
        if (size != o.size) return false;
        for (int i = 0; i < size; ++i)
            if (!(moves[std::size_t(i)] == o.moves[std::size_t(i)])) return false;
        return true;
    }
};

// Classic's way to the table: each request is handled before the call returns, and the
// observation Classic reads is brought up to date with its outcome.
class Requests {
public:
    virtual ~Requests() = default;
    virtual void createBook(int a, int b, int c) = 0;
    virtual void addToBook(int handSlot, int bookSlot) = 0;
    virtual void addToComp(int handSlot, int compSlot) = 0;
    virtual void discard(int handSlot) = 0;
};

} // namespace quornet::bots
