// The host's table: participants and seats, deck, discard pile, hands, feet, books, scores,
// options and turn. Plain data, owned by HostEngine and read by the computer players.
#pragma once

#include "cards/cards.h"
#include "rules/books.h"
#include "rules/round.h"

#include <QByteArray>

#include <array>

namespace quornet::host {

// The rules' own names for seats, hands and books (src/rules).
using rules::BookSlots;
using rules::DealtCards;
using rules::DrawSlots;
using rules::HandSlots;
using rules::MaxCompletedBooks;
using rules::Seats;
using rules::UsableBookSlots;
using rules::Book;
using rules::Hand;
using rules::TeamBooks;
using rules::cardsIn;
using rules::handEmpty;

constexpr int MaxParticipants = 9;   // 1..4 seats, 5..9 spectators
constexpr int ConnectionRecords = 11; // numbers above 9 are never kept

struct Record {
    QByteArray name;
    QByteArray defaultName;
    bool connected = false;
    int score = 0;
    Hand hand{};
    Hand foot{};
    int team = 0;
    bool onFoot = false;
    int partner = 0;
    bool justWatching = false;
};

enum class Phase { None, Draw, Play };

// What Timer1's tag says is pending.
enum class TimerTag { Idle = 0, DrawDecision = 1, NextRound = 2, AutoDraw = 3 };

struct Table {
    std::array<Record, ConnectionRecords + 1> rec{}; // 1..11
    int highWater = 0;

    std::array<int, cards::DeckSize + 1> deck{}; // 1..216, 0 = no card
    int deckPos = 0;
    rules::PileCards pile{};                      // 1..discardCount, top at discardCount
    int discardCount = 0;
    bool deckExhausted = false;

    bool pickUp = false;
    int pickUpCount = 1;
    bool twoPlayer = false;
    bool toTarget = false;
    int target = 10000;
    QByteArray lengthCode = "f";

    bool running = false;
    int turnSeat = 0;
    Phase phase = Phase::None;

    std::array<TeamBooks, 3> teams{}; // 1..2

    Record& seat(int s) { return rec[std::size_t(s)]; }
    const Record& seat(int s) const { return rec[std::size_t(s)]; }
    TeamBooks& books(int team) { return teams[std::size_t(team)]; }
    const TeamBooks& books(int team) const { return teams[std::size_t(team)]; }
    int topOfPile() const { return rules::topOf(pile, discardCount); }
    // A seat is computer-played while no human's connection holds it or its human only watches.
    bool computerPlayed(int s) const { return !seat(s).connected || seat(s).justWatching; }
};

} // namespace quornet::host
