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

} // namespace quornet::cards
