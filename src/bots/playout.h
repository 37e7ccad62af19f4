// Expert's playouts: one guess at the cards a seat cannot see, and the round played forward
// from there with Strong at every seat.
//
// A World is sampled from an observation: the unseen cards (Observation::unseen) are shuffled
// and dealt to the other hands (after the cards each was seen to pick up), to the feet not yet
// taken up and to the deck, so every guess agrees with all the seat has seen. A hidden hand
// gets nothing its seat would have laid by the end of its turn (a natural its team's books take,
// a third card of a rank) and seldom a three or a rank it discarded or passed over on the pile;
// a hand in which Strong would still lay a book, or from which it would not have made the seat's
// last discard, is dealt again (up to four deals, the last kept). From there the world follows
// the host's rules for drawing, books, discards, feet, reshuffles and the end of the round, with
// suits left out since no rule reads them.
#pragma once

#include "bots/chance.h"
#include "bots/moves.h"
#include "bots/observation.h"

namespace quornet::bots {

// Every hidden card as it lies: the hands, the feet not yet taken up and the deck in the order it
// will be dealt, the next card first. Only the simulator's oracle is handed one (by the host's
// driver); the fair levels never see more than their Observation.
struct Truth {
    std::array<Hand, Seats + 1> hands{};
    std::array<Hand, Seats + 1> feet{};
    std::array<int, cards::DeckSize> deck{};
    int deckCount = 0;
};

// Whether Strong, holding `hand` and the last card `seat` discarded, would have discarded a card
// of that rank (true when the seat has discarded nothing from the hand it holds). A seat
// discards the card it likes least, so a guess at its hand that would have kept that card and
// let go of another is less likely than one that fits.
bool discardFits(const Observation& obs, int seat, const Hand& hand);

class World {
public:
    // A guess at the hidden cards of `obs`, whose seat is about to act.
    static World sample(const Observation& obs, Rng& rng);
    // The world as it truly is (the oracle); `rng` seeds only the reshuffles of the playouts.
    static World reveal(const Observation& obs, const Truth& truth, Rng& rng);

    // The acting seat's draw: 2 takes from the pile, 1 draws two.
    void draw(int mode);
    // The acting seat plays its moves; when its hand runs out the foot comes up and Strong
    // finishes the turn. Ends the turn (and perhaps the round).
    void playTurn(const Plan& plan);
    // Plays on with Strong at every seat until the round ends or `turns` more turns are over.
    void playOn(int turns);
    // Team `team`'s lead over the other, as if the round ended now (penalties counted).
    int lead(int team) const;
    bool over() const { return m_over; }
    // Turns ended since the world was made (the playout's length, the candidate's own included).
    int turnsPlayed() const { return m_turns; }
    const Observation& view() const { return m_view; }
    const Hand& hand(int seat) const { return m_hands[std::size_t(seat)]; }

private:
    void dealOne(int seat);
    bool reshuffle();
    void takeFoot(int seat);
    void apply(int seat, const Move& m);
    void endTurn();
    void syncView(int seat);
    Hand& handOf(int seat) { return m_hands[std::size_t(seat)]; }

    Observation m_view; // public state; its seat and hand are those of the seat to act
    std::array<Hand, Seats + 1> m_hands{};
    std::array<Hand, Seats + 1> m_feet{};
    std::array<int, cards::DeckSize> m_deck{};
    int m_deckCount = 0;
    Rng m_rng;
    bool m_exhausted = false;
    bool m_over = false;
    bool m_turnOver = false;
    int m_turns = 0;
};

} // namespace quornet::bots
