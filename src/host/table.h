// The host's table: participants and seats, deck, discard pile, hands, feet, books, scores,
// options and turn. Plain data, owned by HostEngine and read by the computer players.
#pragma once

#include "cards/cards.h"

#include <QByteArray>

#include <array>

namespace quornet::host {

constexpr int Seats = 4;
constexpr int MaxParticipants = 9;   // 1..4 seats, 5..9 spectators
constexpr int ConnectionRecords = 11; // numbers above 9 are never kept
constexpr int HandSlots = 21;        // slots 0..20; drawing and dealing use 0..19
constexpr int DrawSlots = 20;
constexpr int DealtCards = 11;
constexpr int BookSlots = 13;        // working-book table slots 1..13
constexpr int UsableBookSlots = 9;   // a team holds at most nine working books
// Every completed book holds at least 7 of the 216 cards, so a round can complete at most 30.
constexpr int MaxCompletedBooks = cards::DeckSize / cards::BookCompleteCards;

using Hand = std::array<int, HandSlots>;

struct Book {
    int count = 0;  // 0 = slot free (working) / no book (completed)
    int naming = 0; // card code of the natural card that named the book
    int kind = int(cards::BookKind::None);
};

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

struct TeamBooks {
    std::array<Book, BookSlots + 1> working{};               // 1..13
    std::array<Book, MaxCompletedBooks + 1> completed{};     // 1..completedCount
    int completedCount = 0;

    bool hasCompleted(int slot) const
    {
        return slot >= 1 && slot <= completedCount && completed[std::size_t(slot)].naming != 0;
    }
};

enum class Phase { None, Draw, Play };

// What Timer1's tag says is pending.
enum class TimerTag { Idle = 0, DrawDecision = 1, NextRound = 2, AutoDraw = 3 };

struct Table {
    std::array<Record, ConnectionRecords + 1> rec{}; // 1..11
    int highWater = 0;

    std::array<int, cards::DeckSize + 1> deck{}; // 1..216, 0 = no card
    int deckPos = 0;
    std::array<int, cards::DeckSize + 1> pile{}; // 1..discardCount, top at discardCount
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
    int topOfPile() const { return discardCount > 0 ? pile[std::size_t(discardCount)] : 0; }
    // A seat is computer-played while no human's connection holds it or its human only watches.
    bool computerPlayed(int s) const { return !seat(s).connected || seat(s).justWatching; }
};

inline bool handEmpty(const Hand& h)
{
    for (int c : h)
        if (c != 0) return false;
    return true;
}

inline int cardsIn(const Hand& h)
{
    int n = 0;
    for (int c : h)
        if (c != 0) ++n;
    return n;
}

} // namespace quornet::host
