// The computer-player levels and their names ("classic", "strong", "expert"), as the settings
// key Botlevel, the command line and the simulator write them.
#pragma once

#include <optional>
#include <string_view>

namespace quornet::bots {

enum class Level { Classic = 0, Strong = 1, Expert = 2 };
constexpr int LevelCount = 3;

constexpr std::string_view levelName(Level level)
{
    switch (level) {
    case Level::Strong: return "strong";
    case Level::Expert: return "expert";
    case Level::Classic: break;
    }
    return "classic";
}

// The level of a name written exactly, or nothing (the command line's check).
constexpr std::optional<Level> levelFromName(std::string_view name)
{
    for (Level l : {Level::Classic, Level::Strong, Level::Expert})
        if (levelName(l) == name) return l;
    return std::nullopt;
}

// The settings file's rule: anything but "strong" or "expert" reads as Classic.
constexpr Level levelFromText(std::string_view text) { return levelFromName(text).value_or(Level::Classic); }

} // namespace quornet::bots
