#include "host/random.h"

#include <chrono>
#include <sstream>

namespace quornet::host {

namespace {

constexpr int Shift = 397;                    // the twist's middle distance (m)
constexpr std::uint32_t Matrix = 0x9908b0dfu; // the twist's matrix (a)
constexpr std::uint32_t Upper = 0x80000000u;
constexpr std::uint32_t Lower = 0x7fffffffu;

// One twisted word: the upper bit of `a`, the lower bits of `b`, and the word `m` places on.
inline std::uint32_t twist(std::uint32_t a, std::uint32_t b, std::uint32_t m)
{
    const std::uint32_t y = (a & Upper) | (b & Lower);
    return m ^ (y >> 1) ^ ((0u - (y & 1u)) & Matrix);
}

inline std::uint32_t tempered(std::uint32_t z)
{
    z ^= z >> 11;
    z ^= (z << 7) & 0x9d2c5680u;
    z ^= (z << 15) & 0xefc60000u;
    z ^= z >> 18;
    return z;
}

} // namespace

SeededRandom::SeededRandom(std::uint32_t seed)
{
    m_state[0] = seed;
    for (int i = 1; i < Words; ++i) {
        const std::uint32_t prev = m_state[std::size_t(i - 1)];
        m_state[std::size_t(i)] = 1812433253u * (prev ^ (prev >> 30)) + std::uint32_t(i);
    }
}

// The state's next block, word for word as std::mt19937 makes it, and its tempered words. Each
// loop writes only words it has already read or will not read again, with the distances fixed,
// so each vectorises.
void SeededRandom::refill()
{
    auto& x = m_state;
    const auto step = [this](int k, std::uint32_t next, std::uint32_t far) {
        const std::uint32_t w = twist(m_state[std::size_t(k)], next, far);
        m_state[std::size_t(k)] = w;
        m_out[std::size_t(k)] = tempered(w);
    };
    constexpr int Head = Words - Shift; // 227
    // The first loop in whole groups of four and the three words left one by one: the vectoriser
    // of GCC's -O2 takes only loops it need not finish with a scalar tail.
    constexpr int HeadInFours = Head / 4 * 4;
    for (int k = 0; k < HeadInFours; ++k) step(k, x[std::size_t(k + 1)], x[std::size_t(k + Shift)]);
    for (int k = HeadInFours; k < Head; ++k) step(k, x[std::size_t(k + 1)], x[std::size_t(k + Shift)]);
    for (int k = Head; k < Words - 1; ++k) step(k, x[std::size_t(k + 1)], x[std::size_t(k - Head)]);
    step(Words - 1, x[0], x[Shift - 1]);
    m_pos = 0;
}

void SeededRandom::temper()
{
    for (std::size_t i = 0; i < m_out.size(); ++i) m_out[i] = tempered(m_state[i]);
}

int SeededRandom::below(int n)
{
    if (n <= 1) return 0;
    // Lemire's multiply-and-reject method: unbiased, usually one draw.
    const std::uint32_t range = std::uint32_t(n);
    std::uint64_t m = std::uint64_t(next()) * range;
    std::uint32_t low = std::uint32_t(m);
    if (low < range) {
        const std::uint32_t threshold = std::uint32_t(-range) % range;
        while (low < threshold) {
            m = std::uint64_t(next()) * range;
            low = std::uint32_t(m);
        }
    }
    return int(m >> 32);
}

// The draws of below() over and over, with the bound's threshold worked out once and the
// position kept in a register: a draw whose low half falls under the threshold is drawn again
// (within the same below()), one that lands on a taken place starts the next below().
void SeededRandom::scatter(std::span<int> places, std::span<const int> values)
{
    const int n = int(places.size());
    if (n <= 1) return Random::scatter(places, values);
    const std::uint32_t range = std::uint32_t(n);
    const std::uint32_t threshold = std::uint32_t(-range) % range;
    int pos = m_pos;
    for (const int value : values) {
        for (;;) {
            if (pos == Words) {
                refill();
                pos = 0;
            }
            const std::uint64_t m = std::uint64_t(m_out[std::size_t(pos++)]) * range;
            if (std::uint32_t(m) < threshold) continue;
            int& place = places[std::size_t(m >> 32)];
            if (place != 0) continue;
            place = value;
            break;
        }
    }
    m_pos = pos;
}

// The standard text form of the Mersenne Twister: its 624 words and position, the same with
// every standard library.
std::string SeededRandom::saveState() const
{
    std::ostringstream out;
    for (std::uint32_t w : m_state) out << w << ' ';
    out << m_pos;
    return out.str();
}

bool SeededRandom::restoreState(const std::string& state)
{
    std::istringstream in(state);
    std::array<std::uint32_t, Words> words{};
    for (std::uint32_t& w : words) {
        unsigned long long v = 0;
        if (!(in >> v) || v > 0xffffffffull) return false;
        w = std::uint32_t(v);
    }
    unsigned long long pos = 0;
    if (!(in >> pos) || pos > unsigned(Words)) return false;
    in >> std::ws;
    if (!in.eof()) return false;
    m_state = words;
    m_pos = int(pos);
    temper();
    return true;
}

std::uint32_t SeededRandom::clockSeed()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return std::uint32_t(now ^ (now >> 32));
}

} // namespace quornet::host
