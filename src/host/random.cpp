#include "host/random.h"

#include <chrono>

namespace quornet::host {

int SeededRandom::below(int n)
{
    if (n <= 1) return 0;
    // Lemire's multiply-and-reject method: unbiased, usually one draw.
    const std::uint32_t range = std::uint32_t(n);
    std::uint64_t m = std::uint64_t(m_engine()) * range;
    std::uint32_t low = std::uint32_t(m);
    if (low < range) {
        const std::uint32_t threshold = std::uint32_t(-range) % range;
        while (low < threshold) {
            m = std::uint64_t(m_engine()) * range;
            low = std::uint32_t(m);
        }
    }
    return int(m >> 32);
}

std::uint32_t SeededRandom::clockSeed()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return std::uint32_t(now ^ (now >> 32));
}

} // namespace quornet::host
