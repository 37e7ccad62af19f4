// The card model shared by the host and the table window.
//
// A card code is 1..54 (0 = no card): 1 black joker, 2..14 clubs two..ace, 15..27 diamonds,
// 28..40 spades, 41..53 hearts, 54 red joker. Every rule is computed from the code alone,
// nearly always from its rank value (code mod 13). Both jokers are played as code 54.
#pragma once

#include <string>
#include <string_view>

namespace quornet::cards {

constexpr int NoCard = 0;
constexpr int BlackJoker = 1;
constexpr int Joker = 54; // the code under which both jokers are played
constexpr int CodesPerPack = 54;
constexpr int Packs = 4;
constexpr int DeckSize = CodesPerPack * Packs; // 216

enum class BookKind : int { None = -1, Normal = 1, Wild = 2 };

constexpr int rankValue(int code) { return code % 13; }
constexpr bool isWild(int code) { return rankValue(code) == 2; }
constexpr bool isThree(int code) { return rankValue(code) == 3; }
constexpr bool isNatural(int code) { return !isWild(code) && !isThree(code); }
constexpr bool sameRank(int a, int b) { return rankValue(a) == rankValue(b); }
// A card leaving the deck: the black joker is delivered as the joker code 54.
constexpr int deliveredCode(int code) { return code == BlackJoker ? Joker : code; }

// The table window only ever sees delivered codes and names the wilds by this list.
constexpr bool isWildCode(int code)
{
    return code == 2 || code == 15 || code == 28 || code == 41 || code == 54;
}

// v = rank value, except kings (rank 0) count 13.
constexpr int pointRank(int code)
{
    const int r = rankValue(code);
    return r == 0 ? 13 : r;
}

// Points a card earns when it is played into a book (a three never is).
constexpr int cardPoints(int code)
{
    if (code == NoCard) return 0;
    const int v = pointRank(code);
    if (v == 1) return 20;
    if (v == 2) return 50;
    if (v == 3) return -100;
    if (v <= 10) return 10;
    return 20;
}

// What a card costs when it is left in a hand or foot at the end of a round.
constexpr int cardPenalty(int code)
{
    if (code == NoCard) return 0;
    const int v = pointRank(code);
    if (v == 1) return -20;
    if (v == 2) return -50;
    if (v == 3) return -100;
    if (v <= 10) return -10;
    return -20;
}

// The table window's hand order: wilds first, then fours..kings, aces, threes last.
constexpr int handOrderKey(int code)
{
    const int r = rankValue(code);
    if (r == 0) return 13;
    if (r == 1) return 14;
    if (r == 3) return 15;
    return r;
}

constexpr int NormalBookBonus = 500;
constexpr int WildBookBonus = 300;
constexpr int GoingOutBonus = 200;
constexpr int BookStartCards = 3;
constexpr int BookCompleteCards = 7;

constexpr int bookBonus(int kind) { return kind == int(BookKind::Normal) ? NormalBookBonus : WildBookBonus; }

// Plural rank word used in status texts ("Kings", "Ones", ...); empty for wilds and threes.
std::string_view bookName(int code);
// "Normal" for kind 1, "Wild" for kind 2, empty otherwise.
std::string_view kindWord(int kind);
// The card's name as a player says it: "Queen of Hearts", "Ace of Spades", "Joker"; empty for
// a code that names no card.
std::string cardName(int code);
// The short name the table shows in a line of cards: "7♥", "Q♠", "A♦", "Joker" (UTF-8).
std::string shortCardName(int code);

} // namespace quornet::cards
