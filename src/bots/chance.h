// Where a level's chances come from. Classic draws from the game's own generator (through the
// driver, exactly as it always has); Strong and Expert draw from a generator of their own,
// seeded from the game's seed, so they never shift the game's shuffles.
#pragma once

#include <cstdint>

namespace quornet::bots {

class Chance {
public:
    virtual ~Chance() = default;
    // A uniform integer 0..n-1 (n >= 1).
    virtual int below(int n) = 0;
};

// A small, fast generator (SplitMix64) with an unbiased bounded draw. Copyable, so a decision
// can run on a copy in a worker thread and hand the advanced state back.
class Rng final : public Chance {
public:
    Rng() = default;
    explicit Rng(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) override
    {
        if (n <= 1) return 0;
        // Lemire's multiply-and-reject on the high 32 bits.
        const std::uint32_t range = std::uint32_t(n);
        std::uint64_t m = (next() >> 32) * range;
        std::uint32_t low = std::uint32_t(m);
        if (low < range) {
            const std::uint32_t threshold = std::uint32_t(-range) % range;
            while (low < threshold) {
                m = (next() >> 32) * range;
                low = std::uint32_t(m);
            }
        }
        return int(m >> 32);
    }
    bool operator==(const Rng&) const = default;
    // The whole state, for a saved game.
    std::uint64_t state() const { return m_state; }
    static Rng fromState(std::uint64_t state) { return Rng(state); }

private:
    std::uint64_t m_state = 0;
};

// The seed of a seat's level generator for a game seed: distinct per seat, the same for every
// level, so a seed plays the same game whichever level a seat has.
inline std::uint64_t levelSeed(std::uint64_t gameSeed, int seat)
{
    Rng mix(gameSeed * 0x100000001B3ull + std::uint64_t(seat));
    return mix.next();
}

} // namespace quornet::bots
