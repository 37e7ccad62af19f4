// PileTracker: the discard pile as a table window can follow it, and what else that shows of
// the round: the deck's count, the cards each seat was seen to pick up and still holds, and the
// cards played into books. Fed every host message the window handles; read by the hint (and
// by a pick-up preview).
//
// The host announces only the pile's top (CMD_discard). A turn's first CMD_discard under the
// pick-up option is a pick-up when the followed pile, less the pick-up count, shows that card
// on top (or is empty, for 0); otherwise it is a discard. Two discards of the same face in a row
// can pass for a pick-up; the followed pile is then one card off until the round ends. The deck
// loses two cards each turn that did not pick up, and when that leaves it empty the host has
// turned the pile into a new deck. A window that joined in the middle of a round knows the
// top card only.
#pragma once

#include <QByteArray>
#include <QList>

#include <array>

namespace quornet::table {

class PileTracker {
public:
    static constexpr int Ranks = 13;
    using RankCounts = std::array<int, Ranks>;

    // One host message: its command word and the fields after it.
    void message(const QByteArray& word, const QByteArray& args);

    const QList<int>& pile() const { return m_pile; } // bottom first, the top last
    int top() const { return m_pile.isEmpty() ? 0 : m_pile.last(); }
    int deckCount() const { return m_deck; }
    int pickUpCount() const { return m_pickUpCount; }
    bool onFoot(int seat) const { return seat >= 1 && seat <= 4 && m_onFoot[std::size_t(seat)]; }
    // Cards of each rank a seat was seen to take from the pile and has not played since.
    const RankCounts& known(int seat) const { return m_known[std::size_t(seat)]; }
    // Cards of each rank played into books this round, both teams.
    const RankCounts& played() const { return m_played; }

private:
    void newRound();
    void turnStarted(int seat, bool pickUp);
    void discardShown(int card);
    void cardPlayed(int seat, int card);

    QList<int> m_pile;
    int m_deck = 0;
    int m_pickUpCount = 1;
    bool m_pickUpOption = true;
    int m_turnSeat = 0;
    int m_discardsThisTurn = 0;
    bool m_drewThisTurn = false;
    std::array<bool, 5> m_onFoot{};
    std::array<RankCounts, 5> m_known{};
    RankCounts m_played{};
};

} // namespace quornet::table
