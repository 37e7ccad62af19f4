// The one source of randomness of a host: shuffles, reshuffles and the computer players' chances.
// Injectable so tests and the simulator can fix it; seeded from the clock in a normal run.
#pragma once

#include <cstdint>
#include <random>

namespace quornet::host {

class Random {
public:
    virtual ~Random() = default;
    // A uniform integer 0..n-1 (n >= 1).
    virtual int below(int n) = 0;
};

// A seeded Mersenne Twister with an unbiased bounded draw of our own, so a seed gives the same
// games with every standard library (std::uniform_int_distribution is not portable).
class SeededRandom : public Random {
public:
    explicit SeededRandom(std::uint32_t seed) : m_engine(seed) {}
    int below(int n) override;
    static std::uint32_t clockSeed();

private:
    std::mt19937 m_engine;
};

} // namespace quornet::host
