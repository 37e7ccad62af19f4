#include "cards/cards.h"

#include <array>

namespace quornet::cards {

std::string_view bookName(int code)
{
    static constexpr std::array<std::string_view, 13> names = {
        "Kings", "Ones", "", "", "Fours", "Fives", "Sixes",
        "Sevens", "Eights", "Nines", "Tens", "Jacks", "Queens"};
    const int r = rankValue(code);
    return r >= 0 ? names[static_cast<std::size_t>(r)] : std::string_view{};
}

std::string_view kindWord(int kind)
{
    if (kind == int(BookKind::Normal)) return "Normal";
    if (kind == int(BookKind::Wild)) return "Wild";
    return {};
}

std::string cardName(int code)
{
    if (code == BlackJoker || code == Joker) return "Joker";
    if (code < 2 || code > 53) return {};
    static constexpr std::array<std::string_view, 13> ranks = {
        "King", "Ace", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine", "Ten", "Jack", "Queen"};
    static constexpr std::array<std::string_view, 4> suits = {"Clubs", "Diamonds", "Spades", "Hearts"};
    return std::string(ranks[std::size_t(rankValue(code))]) + " of " + std::string(suits[std::size_t((code - 2) / 13)]);
}

std::string shortCardName(int code)
{
    if (code == BlackJoker || code == Joker) return "Joker";
    if (code < 2 || code > 53) return {};
    static constexpr std::array<std::string_view, 13> ranks = {"K", "A", "2", "3", "4", "5", "6",
                                                               "7", "8", "9", "10", "J", "Q"};
    static constexpr std::array<std::string_view, 4> suits = {"\u2663", "\u2666", "\u2660", "\u2665"};
    return std::string(ranks[std::size_t(rankValue(code))]) + std::string(suits[std::size_t((code - 2) / 13)]);
}

} // namespace quornet::cards
