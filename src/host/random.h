// The one source of randomness of a host: shuffles, reshuffles and the computer players' chances.
// Injectable so tests and the simulator can fix it; seeded from the clock in a normal run.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace quornet::host {

class Random {
public:
    virtual ~Random() = default;
    // A uniform integer 0..n-1 (n >= 1).
    virtual int below(int n) = 0;
    // Puts each of `values` in turn on a free place of `places` (an entry 0), the place drawn by
    // below(places.size()) and drawn again while it is taken: a shuffle that scatters cards over
    // the deck, the very draws of that many below() calls, in one call.
    virtual void scatter(std::span<int> places, std::span<const int> values)
    {
        const int n = int(places.size());
        for (int value : values) {
            int v = 0;
            do {
                v = below(n);
            } while (places[std::size_t(v)] != 0);
            places[std::size_t(v)] = value;
        }
    }
    // The generator's whole state as text, so a saved game goes on with the same draws; empty
    // when it cannot be written out. restoreState() returns false for a text it cannot read.
    virtual std::string saveState() const { return {}; }
    virtual bool restoreState(const std::string& state) { (void)state; return false; }
};

// The Mersenne Twister MT19937 (the numbers of std::mt19937 for the same seed) with an unbiased
// bounded draw of our own, so a seed gives the same games with every standard library
// (std::uniform_int_distribution is not portable). The generator is our own too, so that a block
// of 624 words is twisted and tempered in two straight loops the compiler can vectorise, and a
// draw is one load, one multiply and one compare.
class SeededRandom final : public Random {
public:
    explicit SeededRandom(std::uint32_t seed);
    int below(int n) override;
    void scatter(std::span<int> places, std::span<const int> values) override;
    // The text std::mt19937 writes and reads: its 624 words and position.
    std::string saveState() const override;
    bool restoreState(const std::string& state) override;
    static std::uint32_t clockSeed();

private:
    static constexpr int Words = 624;
    // The next word of output: the tempered word at the position, after twisting the state
    // into its next block when the last one is used up.
    std::uint32_t next()
    {
        if (m_pos == Words) refill();
        return m_out[std::size_t(m_pos++)];
    }
    void refill();
    void temper();

    std::array<std::uint32_t, Words> m_state{}; // the untempered words, as std::mt19937 keeps them
    std::array<std::uint32_t, Words> m_out{};   // the same words tempered: the block's output
    int m_pos = Words;                           // the next output word; Words: twist first
};

} // namespace quornet::host
