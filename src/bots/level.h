// The computer-player levels and their names ("classic", "strong", "expert"), as the settings
// key Botlevel, the command line and the simulator write them, and the simulator's own "oracle".
#pragma once

#include <optional>
#include <string_view>

namespace quornet::bots {

// Oracle is Expert's search given every hidden card (the hands, the feet, the deck's order): the
// ceiling a fair level is measured against. Only the simulator plays it; no name a player can
// give (settings, --bot-level, a saved game) reads as it.
enum class Level { Classic = 0, Strong = 1, Expert = 2, Oracle = 3 };
constexpr int LevelCount = 4;

constexpr std::string_view levelName(Level level)
{
    switch (level) {
    case Level::Strong: return "strong";
    case Level::Expert: return "expert";
    case Level::Oracle: return "oracle";
    case Level::Classic: break;
    }
    return "classic";
}

// The fair level of a name written exactly, or nothing (the command line's check).
constexpr std::optional<Level> levelFromName(std::string_view name)
{
    for (Level l : {Level::Classic, Level::Strong, Level::Expert})
        if (levelName(l) == name) return l;
    return std::nullopt;
}

// The simulator's names: the fair levels and the oracle.
constexpr std::optional<Level> simLevelFromName(std::string_view name)
{
    if (name == levelName(Level::Oracle)) return Level::Oracle;
    return levelFromName(name);
}

// The settings file's rule: anything but "strong" or "expert" reads as Classic.
constexpr Level levelFromText(std::string_view text) { return levelFromName(text).value_or(Level::Classic); }

} // namespace quornet::bots
