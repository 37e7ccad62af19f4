#include "host/random.h"

#include <chrono>
#include <sstream>

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

// The standard text form of the Mersenne Twister: its 624 words and position, the same with
// every standard library.
std::string SeededRandom::saveState() const
{
    std::ostringstream out;
    out << m_engine;
    return out.str();
}

bool SeededRandom::restoreState(const std::string& state)
{
    std::istringstream in(state);
    std::mt19937 engine;
    in >> engine;
    if (in.fail()) return false;
    in >> std::ws;
    if (!in.eof()) return false;
    m_engine = engine;
    return true;
}

std::uint32_t SeededRandom::clockSeed()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return std::uint32_t(now ^ (now >> 32));
}

} // namespace quornet::host
