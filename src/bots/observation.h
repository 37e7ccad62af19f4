// Observation: what one seat knows of the table, and all a computer-player level may read.
//
// The host's driver builds it for the seat it plays (src/host/computerplayer.cpp), the table
// window builds it for its own seat (the hint), and Expert's playouts keep one for the seat
// that acts. It holds the seat's own hand, the public table (books, discard pile, deck count,
// hand and foot sizes, scores, options) and what the seat has seen happen this round: the cards
// each seat picked up from the pile and still holds, the cards each discarded or passed over on
// the pile since its hand was dealt or its foot came up, and every card played into a book.
// Nothing else of the table reaches a level, so no level can peek at a hidden card.
//
// Card codes, book kinds and slots are the host's: hand slots 0..20, working-book slots 1..13
// (1..9 used), completed-book slots 1..completedCount.
#pragma once

#include "rules/books.h"
#include "rules/round.h"

namespace quornet::bots {

// The rules' own names for seats, hands and books (src/rules).
using rules::Book;
using rules::BookSlots;
using rules::DrawSlots;
using rules::FootCards;
using rules::Hand;
using rules::HandSlots;
using rules::MaxCompletedBooks;
using rules::RankCounts;
using rules::Ranks;
using rules::Seats;
using rules::TeamBooks;
using rules::ThreeRank;
using rules::UsableBookSlots;
using rules::WildRank;
using rules::cardsIn;
using rules::cardsOfRank;
using rules::codeOfRank;
using rules::isNaturalCard;
using rules::isThreeCard;
using rules::isWildCard;
using rules::rankCounts;
using rules::rankOf;

struct Observation {
    int seat = 0; // 1..4, the seat this observation is of
    Hand hand{};  // the seat's own hand

    // The public table.
    std::array<TeamBooks, 3> books{};            // by team, 1..2
    rules::PileCards pile{};                     // 1..pileCount, the top at pileCount
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
    // By seat, since the deal or its foot: the cards it discarded, and the pile's tops it drew two
    // rather than take. A seat lets go of a rank it holds no pair of, so it seldom holds one.
    std::array<RankCounts, Seats + 1> discarded{};
    std::array<RankCounts, Seats + 1> passed{};
    // By seat: its last discard from the hand it holds (0: none yet). It was the card that seat
    // liked least, so it tells what the hand holds now.
    std::array<int, Seats + 1> lastDiscard{};
    RankCounts played{};                        // cards played into books, both teams

    static int teamOf(int s) { return rules::teamOf(s); }
    static int partnerOf(int s) { return rules::partnerOf(s); }
    int team() const { return teamOf(seat); }
    int partner() const { return partnerOf(seat); }
    int nextSeat(int s) const { return rules::nextSeat(s, twoPlayer); }
    int nextOpponent() const { return nextSeat(seat); }
    const TeamBooks& ownBooks() const { return books[std::size_t(team())]; }
    const TeamBooks& theirBooks() const { return books[std::size_t(3 - team())]; }
    int top() const { return rules::topOf(pile, pileCount); }
    // Cards a seat still holds in its foot (11 until it is taken up).
    int footCount(int s) const { return onFoot[std::size_t(s)] ? 0 : FootCards; }
    // Cards of each rank this seat has not seen: in the other hands, the feet and the deck.
    RankCounts unseen() const;
    bool operator==(const Observation&) const = default;
};

} // namespace quornet::bots
