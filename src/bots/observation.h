// Observation: what one seat knows of the table, and all a computer-player level may read.
//
// The host's driver builds it for the seat it plays (src/host/computerplayer.cpp), the table
// window builds it for its own seat (the hint), and Expert's playouts keep one for the seat
// that acts. It holds the seat's own hand, the public table (books, discard pile, deck count,
// hand and foot sizes, scores, options) and what the seat has seen happen this round: the cards
// each seat picked up from the pile and still holds, and every card played into a book.
// Nothing else of the table reaches a level, so no level can peek at a hidden card.
//
// Card codes, book kinds and slots are the host's: hand slots 0..20, working-book slots 1..13
// (1..9 used), completed-book slots 1..completedCount.
#pragma once

#include "cards/cards.h"

#include <array>
#include <cstdint>

namespace quornet::bots {

constexpr int Seats = 4;
constexpr int HandSlots = 21;
constexpr int DrawSlots = 20; // drawing and picking up fill slots 0..19
constexpr int FootCards = 11;
constexpr int BookSlots = 13;
constexpr int UsableBookSlots = 9;
constexpr int MaxCompletedBooks = cards::DeckSize / cards::BookCompleteCards;
constexpr int Ranks = 13;
constexpr int WildRank = 2;
constexpr int ThreeRank = 3;

using Hand = std::array<int, HandSlots>;
using RankCounts = std::array<int, Ranks>;

struct Book {
    int count = 0;  // working: 0 = slot free; completed: 7 and more
    int naming = 0; // card code of the natural card that named the book
    int kind = int(cards::BookKind::None);
    bool operator==(const Book&) const = default;
};

struct TeamBooks {
    std::array<Book, BookSlots + 1> working{};           // 1..13
    std::array<Book, MaxCompletedBooks + 1> completed{}; // 1..completedCount
    int completedCount = 0;
    bool operator==(const TeamBooks&) const = default;
};

inline bool isNaturalCard(int c) { return c != 0 && cards::isNatural(c); }
inline bool isWildCard(int c) { return c != 0 && cards::isWild(c); }
inline bool isThreeCard(int c) { return c != 0 && cards::isThree(c); }

// How many of each rank the 216-card deck holds: 16 of every natural rank and of the threes,
// 24 wilds (16 twos and 8 jokers).
constexpr int cardsOfRank(int rank) { return rank == WildRank ? 24 : 16; }
// A card code standing for its rank (suits never matter to a rule).
constexpr int codeOfRank(int rank) { return rank == 0 ? 13 : rank == 1 ? 14 : rank; }

// Rank value of every card code 0..54 (code mod 13), looked up rather than divided.
inline constexpr std::array<std::uint8_t, 55> RankOfCode = [] {
    std::array<std::uint8_t, 55> t{};
    for (int c = 0; c < 55; ++c) t[std::size_t(c)] = std::uint8_t(c % 13);
    return t;
}();
inline int rankOf(int code) { return RankOfCode[std::size_t(code)]; }

RankCounts rankCounts(const Hand& hand);
int cardsIn(const Hand& hand);

struct Observation {
    int seat = 0; // 1..4, the seat this observation is of
    Hand hand{};  // the seat's own hand

    // The public table.
    std::array<TeamBooks, 3> books{};            // by team, 1..2
    std::array<int, cards::DeckSize + 1> pile{}; // 1..pileCount, the top at pileCount
    int pileCount = 0;
    int deckCount = 0;                           // cards left to deal before a reshuffle
    std::array<int, Seats + 1> handCount{};      // by seat
    std::array<bool, Seats + 1> onFoot{};        // by seat: the foot has been taken up
    std::array<int, 3> score{};                  // by team
    bool pickUp = true;
    int pickUpCount = 1;
    bool twoPlayer = false;
    bool toTarget = false;
    int target = 10000;

    // This round's history, as every seat at the table saw it.
    std::array<RankCounts, Seats + 1> known{}; // by seat: cards seen picked up and still held
    RankCounts played{};                        // cards played into books, both teams

    static int teamOf(int s) { return s % 2 == 1 ? 1 : 2; }
    static int partnerOf(int s) { return s <= 2 ? s + 2 : s - 2; }
    int team() const { return teamOf(seat); }
    int partner() const { return partnerOf(seat); }
    int nextSeat(int s) const { return s >= (twoPlayer ? 2 : Seats) ? 1 : s + 1; }
    int nextOpponent() const { return nextSeat(seat); }
    const TeamBooks& ownBooks() const { return books[std::size_t(team())]; }
    const TeamBooks& theirBooks() const { return books[std::size_t(3 - team())]; }
    int top() const { return pileCount > 0 ? pile[std::size_t(pileCount)] : 0; }
    // Cards a seat still holds in its foot (11 until it is taken up).
    int footCount(int s) const { return onFoot[std::size_t(s)] ? 0 : FootCards; }
    // Cards of each rank this seat has not seen: in the other hands, the feet and the deck.
    RankCounts unseen() const;
    bool operator==(const Observation&) const = default;
};

} // namespace quornet::bots
