// The one source of randomness of a host: shuffles, reshuffles and the computer players' chances.
// Injectable so tests and the simulator can fix it; seeded from the clock in a normal run.
#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace quornet::host {

class Random {
public:
    virtual ~Random() = default;
    // A uniform integer 0..n-1 (n >= 1).
    virtual int below(int n) = 0;
    // The generator's whole state as text, so a saved game goes on with the same draws; empty
    // when it cannot be written out. restoreState() returns false for a text it cannot read.
    virtual std::string saveState() const { return {}; }
    virtual bool restoreState(const std::string& state) { (void)state; return false; }
};

// A seeded Mersenne Twister with an unbiased bounded draw of our own, so a seed gives the same
// games with every standard library (std::uniform_int_distribution is not portable).
class SeededRandom : public Random {
public:
    explicit SeededRandom(std::uint32_t seed) : m_engine(seed) {}
    int below(int n) override;
    std::string saveState() const override;
    bool restoreState(const std::string& state) override;
    static std::uint32_t clockSeed();

private:
    std::mt19937 m_engine;
};

} // namespace quornet::host
