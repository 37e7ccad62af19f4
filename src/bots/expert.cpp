#include "bots/expert.h"

#include "bots/playout.h"
#include "bots/strong.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quornet::bots::expert {

namespace {

std::uint64_t seedFrom(Chance& chance)
{
    const std::uint64_t hi = std::uint64_t(chance.below(1 << 30));
    const std::uint64_t lo = std::uint64_t(chance.below(1 << 30));
    return (hi << 30) | lo;
}

// Plays the candidates forward from the same guesses (or, given the truth, from the true world
// with the reshuffles left to chance) and returns the best one's index; `run` plays candidate c
// on a copy of the world. Successive halving: with three candidates or more, half the playouts go
// to all of them, and the other half only to Strong's own choice and the better half of the
// others, so the close ones are told apart by more guesses.
template <typename Run>
int best(const Observation& obs, const Truth* truth, int candidates, int samples, Chance& chance, const Budget& b, Run run)
{
    // Paired results against candidate 0 (Strong's own choice): another candidate is taken
    // only when its lead over Strong's is clear of the noise of the guesses.
    std::array<double, 16> sum{}, sumSq{};
    std::array<int, 16> seen{};
    std::array<int, 16> live{};
    for (int c = 0; c < candidates; ++c) live[std::size_t(c)] = c;
    int liveCount = candidates;
    Rng rng(seedFrom(chance));
    const int budget = candidates * std::min(samples, b.maxPlayouts / candidates);
    const int stages = candidates > 2 ? 2 : 1;
    for (int stage = 0; stage < stages; ++stage) {
        const int guesses = (stage + 1 < stages ? budget / 2 : budget - budget / 2 * stage) / liveCount;
        // The stage's work is counted in turns played: where the round has few turns left, the
        // same work buys more guesses (up to b.moreGuesses times as many).
        const long work = long(guesses) * liveCount * b.turnsPerPlayout;
        long spent = 0;
        for (int i = 0; i < guesses * b.moreGuesses && (i < guesses || spent < work); ++i) {
            const World guess = truth ? World::reveal(obs, *truth, rng) : World::sample(obs, rng);
            int base = 0;
            for (int l = 0; l < liveCount; ++l) {
                const int c = live[std::size_t(l)];
                World w = guess;
                run(c, w);
                w.playOn(b.horizon);
                spent += w.turnsPlayed();
                const int v = w.lead(obs.team());
                if (c == 0) {
                    base = v;
                    continue;
                }
                const double d = double(v - base);
                sum[std::size_t(c)] += d;
                sumSq[std::size_t(c)] += d * d;
                ++seen[std::size_t(c)];
            }
        }
        if (stage + 1 == stages) break;
        // Keep Strong's choice and the better half of the others (by mean, the lower index first
        // on a tie).
        std::stable_sort(live.begin() + 1, live.begin() + liveCount, [&](int x, int y) {
            return sum[std::size_t(x)] / std::max(1, seen[std::size_t(x)]) > sum[std::size_t(y)] / std::max(1, seen[std::size_t(y)]);
        });
        liveCount = 1 + (liveCount - 1 + 1) / 2;
    }
    int choice = 0;
    double bestScore = 0;
    for (int c = 1; c < candidates; ++c) {
        const int n = seen[std::size_t(c)];
        if (n == 0) continue;
        const double mean = sum[std::size_t(c)] / n;
        const double var = sumSq[std::size_t(c)] / n - mean * mean;
        const double se = std::sqrt(var > 0 ? var / n : 0);
        const double score = mean - b.noise * se;
        if (score > bestScore) {
            bestScore = score;
            choice = c;
        }
    }
    return choice;
}

} // namespace

int drawMode(const Observation& obs, Chance& chance, const Budget& budget)
{
    return drawMode(obs, nullptr, chance, budget);
}

Plan play(const Observation& obs, Chance& chance, const Budget& budget)
{
    return play(obs, nullptr, chance, budget);
}

int drawMode(const Observation& obs, const Truth* truth, Chance& chance, const Budget& budget)
{
    if (!obs.pickUp || obs.pileCount == 0) return 1;
    const int strongMode = strong::drawMode(obs);
    const int modes[2] = {strongMode, 3 - strongMode};
    const int c = best(obs, truth, 2, budget.drawSamples, chance, budget, [&](int k, World& w) {
        w.draw(modes[k]);
        if (!w.over() && w.view().seat == obs.seat) w.playTurn(strong::play(w.view()));
    });
    return modes[c];
}

Plan play(const Observation& obs, const Truth* truth, Chance& chance, const Budget& budget)
{
    std::array<Plan, 16> plans{};
    int count = 0;
    const auto offer = [&](const Plan& p) {
        for (int i = 0; i < count; ++i)
            if (plans[std::size_t(i)] == p) return;
        if (count < budget.maxCandidates && count < int(plans.size())) plans[std::size_t(count++)] = p;
    };
    // Every candidate's discard is as safe as the safest any candidate makes: no search buys
    // a gift to the next seat.
    struct Option {
        Plan plan;
        strong::Gift gift = strong::Gift::None;
    };
    std::array<Option, 16> options{};
    int listed = 0;
    strong::Gift safest = strong::Gift::Book;
    const strong::Style styles[] = {{}, {0, false, -1}, {2, false, -1}, {-1, true, -1}};
    for (const strong::Style& style : styles) {
        Hand hand = obs.hand;
        TeamBooks own = obs.ownBooks();
        const Plan melds = strong::melds(obs, style, hand, own);
        if (cardsIn(hand) == 0) {
            options[std::size_t(listed++)] = {melds, strong::Gift::None};
            safest = strong::Gift::None;
            continue;
        }
        int slots[3];
        const int n = strong::discardOrder(obs, hand, own, slots, style == strong::Style{} ? 3 : 1);
        for (int i = 0; i < n; ++i) {
            Option o{melds, strong::giftOf(obs, hand, own, slots[i])};
            o.plan.add({Move::Discard, slots[i], 0, 0});
            safest = std::min(safest, o.gift);
            options[std::size_t(listed++)] = o;
        }
    }
    for (int i = 0; i < listed; ++i)
        if (options[std::size_t(i)].gift == safest) offer(options[std::size_t(i)].plan);
    if (count <= 1) return plans[0];
    const int c = best(obs, truth, count, budget.playSamples, chance, budget,
                       [&](int k, World& w) { w.playTurn(plans[std::size_t(k)]); });
    return plans[std::size_t(c)];
}

} // namespace quornet::bots::expert
