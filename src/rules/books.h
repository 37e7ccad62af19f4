// Books: which cards make a book or grow one, when a book is complete, and what the cards and
// the bonus earn.
//
// A team has working-book slots 1..13 of which it may fill nine, and completed-book slots
// 1..completedCount. A book is started with three cards of one natural rank, or two and a wild
// (never three wilds, never a three); it takes cards of its rank and wilds (a wild makes it a
// wild book) and is complete at seven cards, when it moves to the completed books and earns its
// bonus. A completed book still takes cards of its rank, and wilds when it is a wild book.
//
// Each function leaves the hand and the books as they were when the request is refused, and
// says why, so the host can answer with the matching message.
#pragma once

#include "rules/hand.h"

namespace quornet::rules {

constexpr int BookSlots = 13;       // working-book table slots 1..13
constexpr int UsableBookSlots = 9;  // a team holds at most nine working books
// Every completed book holds at least 7 of the 216 cards, so a round can complete at most 30.
constexpr int MaxCompletedBooks = cards::DeckSize / cards::BookCompleteCards;

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

    bool hasCompleted(int slot) const
    {
        return slot >= 1 && slot <= completedCount && completed[std::size_t(slot)].naming != 0;
    }
    bool operator==(const TeamBooks&) const = default;
};

// The lowest free working-book slot 1..9, 0 when the team already holds nine books.
int freeBookSlot(const TeamBooks& tb);
// For every rank, the working book of that rank with the most cards (the lowest slot among
// equals), 0 for none; one pass over the books, as the computer players ask it of every card.
std::array<int, Ranks> workingBooksByRank(const TeamBooks& tb);
// The same for one rank alone (a player's scan that has just changed one book of that rank).
int workingBookOf(const TeamBooks& tb, int rank);
// The first completed book of a rank, 0 for none.
int completedBookOf(const TeamBooks& tb, int rank);
int workingBooks(const TeamBooks& tb);

// Why a request for a book was refused.
enum class Verdict {
    Done,
    Ignored, // an empty hand slot, one slot named twice, a slot out of range: no answer
    NoThree, // a three among the cards
    NoTwo,   // three wilds
    NoBook,  // the cards are not of one rank
    TooMany, // nine working books already
    NoMatch, // the card does not fit the book (or there is no such book)
};

struct NewBook {
    Verdict verdict = Verdict::Ignored;
    int slot = 0;                 // the working-book slot it took
    std::array<int, 3> cards{};   // the three cards, in the order they were named
    int points() const;
};
// Starts a book from hand slots a, b and c in the lowest free working-book slot; named by the
// first natural card among them.
NewBook createBook(Hand& hand, TeamBooks& tb, int a, int b, int c);

struct Added {
    Verdict verdict = Verdict::Ignored;
    int card = 0;          // the card laid
    int count = 0;         // the book's cards with it
    int kind = 0;          // the book's kind with it
    int naming = 0;
    int completedSlot = 0; // a working book completed by it: its completed-book slot, else 0
    int points() const;    // the card's points and the bonus of a book it completed
};
// Lays the card of a hand slot on working book `bookSlot`; the seventh card completes it.
Added addToBook(Hand& hand, TeamBooks& tb, int handSlot, int bookSlot);
// Lays the card of a hand slot on completed book `compSlot`.
Added addToCompleted(Hand& hand, TeamBooks& tb, int handSlot, int compSlot);

// A request of the turn's play as a seat makes it (the host's requests name the same slots).
struct Move {
    enum Kind { CreateBook, AddToBook, AddToComp, Discard };
    Kind kind = Discard;
    int a = 0; // hand slot
    int b = 0; // CreateBook: second hand slot; AddToBook: book slot; AddToComp: completed slot
    int c = 0; // CreateBook: third hand slot
    bool operator==(const Move&) const = default;
};

// Plays a book move on a hand and its team's books. Returns the points the team earns, or -1
// when the move is refused (which changes nothing). A discard only leaves the hand here.
int apply(const Move& m, Hand& hand, TeamBooks& tb);

} // namespace quornet::rules
