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
    m_discards.clear();
    m_gone = {};
    m_footThisTurn = false;
    m_onFoot = {};
    m_known = {};
    m_discarded = {};
    m_passed = {};
    m_last = {};
    m_played = {};
}

void PileTracker::turnStarted(int seat, bool pickUp)
{
    if (m_turnSeat != 0) replayTurn(true);
    m_turnSeat = seat;
    m_pickUpOption = pickUp;
    m_discards.clear();
    m_gone = {};
    m_footThisTurn = false;
    m_start = {m_pile, m_deck, m_known[std::size_t(seat)], m_discarded[std::size_t(seat)], m_passed[std::size_t(seat)],
               m_last[std::size_t(seat)]};
}

void PileTracker::replayTurn(bool settled)
{
    m_pile = m_start.pile;
    m_deck = m_start.deck;
    RankCounts known = m_start.known;
    RankCounts passed = m_start.passed;
    int next = 0;
    const bool pickedUp = m_pickUpOption && !m_discards.isEmpty() &&
                          (m_discards.size() >= 2 || !settled || m_discards.first() == 0);
    if (pickedUp) {
        const int left = qMax(0, int(m_pile.size()) - m_pickUpCount);
        for (int i = int(m_pile.size()) - 1; i >= left; --i) ++known[std::size_t(cards::rankValue(m_pile[i]))];
        m_pile.resize(left);
        next = 1;
    } else if (settled || !m_discards.isEmpty()) {
        if (m_pickUpOption && !m_pile.isEmpty()) ++passed[std::size_t(cards::rankValue(m_pile.last()))];
        // Two from the deck; an empty deck takes the pile as its new cards first.
        int need = 2;
        if (m_deck < need) {
            need -= m_deck;
            m_deck = m_pile.size() >= 3 ? int(m_pile.size()) : 0;
            if (m_deck > 0) m_pile.clear();
        }
        m_deck = qMax(0, m_deck - need);
    }
    RankCounts gone = m_gone;
    RankCounts discarded = m_start.discarded;
    int last = m_start.last;
    for (; next < m_discards.size(); ++next) {
        if (m_footThisTurn && next == m_footAfter) { // a new hand from here on
            discarded = {};
            last = 0;
        }
        if (m_discards[next] == 0) continue;
        m_pile.append(m_discards[next]);
        ++gone[std::size_t(cards::rankValue(m_discards[next]))];
        ++discarded[std::size_t(cards::rankValue(m_discards[next]))];
        last = m_discards[next];
    }
    for (int r = 0; r < Ranks; ++r) known[std::size_t(r)] = qMax(0, known[std::size_t(r)] - gone[std::size_t(r)]);
    // A foot taken up this turn leaves nothing seen in the hand.
    if (m_footThisTurn) known = {};
    if (m_footThisTurn && m_footAfter >= m_discards.size()) {
        discarded = {};
        last = 0;
    }
    if (m_footThisTurn) passed = {};
    if (m_turnSeat >= 1 && m_turnSeat <= 4) {
        m_known[std::size_t(m_turnSeat)] = known;
        m_discarded[std::size_t(m_turnSeat)] = discarded;
        m_passed[std::size_t(m_turnSeat)] = passed;
        m_last[std::size_t(m_turnSeat)] = last;
    }
}

QList<int> PileTracker::pickUpPreview() const
{
    QList<int> cards;
    for (qsizetype i = m_pile.size() - 1; i >= 0 && cards.size() < m_pickUpCount; --i) cards.append(m_pile[i]);
    return cards;
}

int PileTracker::pickUpUnknown() const
{
    return m_complete || m_pile.isEmpty() ? 0 : qMax(0, m_pickUpCount - int(pickUpPreview().size()));
}

void PileTracker::cardPlayed(int seat, int card)
{
    ++m_played[std::size_t(cards::rankValue(card))];
    if (seat == m_turnSeat) ++m_gone[std::size_t(cards::rankValue(card))];
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
        m_complete = word == cmd::StartGame;
    } else if (word == cmd::StartRound) {
        newRound();
        m_complete = true;
    } else if (word == cmd::NextPlayer) {
        r.integer();
        r.integer();
        const QByteArray pickUp = r.text();
        const int seat = r.integer();
        if (r.ok() && seat >= 1 && seat <= 4) turnStarted(seat, pickUp == "t");
    } else if (word == cmd::Discard) {
        const int card = r.integer();
        if (!r.ok() || card < 0 || card > cards::Joker) return;
        if (m_turnSeat == 0) { // a window that joined late: the top is all it knows
            m_pile = card ? QList<int>{card} : QList<int>{};
            return;
        }
        m_discards.append(card);
        replayTurn(false);
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
            m_discarded[std::size_t(seat)] = {};
            m_passed[std::size_t(seat)] = {};
            m_last[std::size_t(seat)] = 0;
            if (seat == m_turnSeat) {
                m_footThisTurn = true;
                m_footAfter = m_discards.size();
            }
        }
    }
}

} // namespace quornet::table
