#include "table/core/piletracker.h"

#include "cards/cards.h"
#include "protocol/fields.h"
#include "protocol/messages.h"

namespace quornet::table {

using namespace protocol;

namespace {
constexpr int DealtPerRound = 88; // 11 hand and 11 foot cards for each of the four seats

void forget(PileTracker::RankCounts& known, int card)
{
    int& k = known[std::size_t(cards::rankValue(card))];
    if (k > 0) --k;
}
} // namespace

void PileTracker::newRound()
{
    m_pile.clear();
    m_deck = cards::DeckSize - DealtPerRound;
    m_turnSeat = 0;
    m_discardsThisTurn = 0;
    m_drewThisTurn = false;
    m_onFoot = {};
    m_known = {};
    m_played = {};
}

void PileTracker::turnStarted(int seat, bool pickUp)
{
    // A turn that ended without a discard (its books used up the foot) drew from the deck.
    if (m_turnSeat != 0 && m_discardsThisTurn == 0 && !m_drewThisTurn) m_deck = qMax(0, m_deck - 2);
    m_turnSeat = seat;
    m_pickUpOption = pickUp;
    m_discardsThisTurn = 0;
    m_drewThisTurn = false;
}

void PileTracker::discardShown(int card)
{
    const bool first = m_discardsThisTurn++ == 0;
    if (first && m_pickUpOption && m_turnSeat != 0) {
        const int left = qMax(0, int(m_pile.size()) - m_pickUpCount);
        const int below = left > 0 ? m_pile[left - 1] : 0;
        if (below == card && m_pile.size() > 0) {
            for (int i = int(m_pile.size()) - 1; i >= left; --i)
                ++m_known[std::size_t(m_turnSeat)][std::size_t(cards::rankValue(m_pile[i]))];
            m_pile.resize(left);
            m_drewThisTurn = true; // from the pile: the deck keeps its cards
            --m_discardsThisTurn;  // the turn's own discard is still to come
            return;
        }
    }
    if (card == 0) { // an empty pile after a pick-up the followed pile did not explain
        m_pile.clear();
        return;
    }
    if (first && !m_drewThisTurn && m_turnSeat != 0) {
        m_deck -= 2;
        m_drewThisTurn = true;
        if (m_deck < 0) {
            // The deck ran out while drawing: the pile became the new deck.
            m_deck += int(m_pile.size());
            m_pile.clear();
        }
    }
    m_pile.append(card);
    if (m_turnSeat != 0) forget(m_known[std::size_t(m_turnSeat)], card);
}

void PileTracker::cardPlayed(int seat, int card)
{
    ++m_played[std::size_t(cards::rankValue(card))];
    if (seat >= 1 && seat <= 4) forget(m_known[std::size_t(seat)], card);
}

void PileTracker::message(const QByteArray& word, const QByteArray& args)
{
    FieldReader r(args);
    if (word == cmd::StartGame || word == cmd::LoadStats) {
        if (word == cmd::StartGame) r.text(); // the starter's name
        r.text();                              // the game length
        const int count = r.integer();
        if (r.ok() && count >= 1) m_pickUpCount = count;
        newRound();
    } else if (word == cmd::StartRound) {
        newRound();
    } else if (word == cmd::NextPlayer) {
        r.integer();
        r.integer();
        const QByteArray pickUp = r.text();
        const int seat = r.integer();
        if (r.ok() && seat >= 1 && seat <= 4) turnStarted(seat, pickUp == "t");
    } else if (word == cmd::Discard) {
        const int card = r.integer();
        if (r.ok() && card >= 0 && card <= cards::Joker) discardShown(card);
    } else if (word == cmd::NewBook) {
        const int seat = r.integer();
        r.integer();
        r.integer();
        const int naming = r.integer();
        const int kind = r.integer();
        if (!r.ok() || naming <= 0) return;
        cardPlayed(seat, naming);
        cardPlayed(seat, kind == int(cards::BookKind::Wild) ? cards::Joker : naming);
        cardPlayed(seat, naming);
    } else if (word == cmd::AddToBook) {
        const int seat = r.integer();
        r.integer();
        r.integer();
        r.integer();
        r.integer();
        const int card = r.integer();
        if (r.ok() && card > 0) cardPlayed(seat, card);
    } else if (word == cmd::AddToComp) {
        // The card itself is not announced: taken as a natural of the book's rank.
        const int seat = r.integer();
        r.integer();
        const int naming = r.integer();
        if (r.ok() && naming > 0) cardPlayed(seat, naming);
    } else if (word == cmd::UseFoot) {
        const int seat = r.integer();
        if (r.ok() && seat >= 1 && seat <= 4) {
            m_onFoot[std::size_t(seat)] = true;
            m_known[std::size_t(seat)] = {};
        }
    }
}

} // namespace quornet::table
