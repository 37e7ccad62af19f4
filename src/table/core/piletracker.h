// PileTracker: the discard pile as a table window can follow it, and what else that shows of
// the round: the deck's count, the cards each seat was seen to pick up and still holds, the cards
// each discarded or passed over on the pile with the hand it holds, and the cards played into
// books. Fed every host message the window handles; read by the hint (and
// by a pick-up preview).
//
// The host announces only the pile's top (CMD_discard), once when a seat picks up and once when
// it discards, which ends its turn. So a turn with two such messages picked up; one with a
// single message discarded, unless that message came while the turn was still on (then the
// seat picked up and has yet to discard). The turn is worked out afresh from its start with
// every message, and settled when the next turn begins. A turn that did not pick up drew two
// cards from the deck; when the deck ran out on the way, the host had turned the pile into a
// new deck. A window that joined in the middle of a round knows the top card only.
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
    // Cards of each rank a seat discarded, and the pile's tops it drew two rather than take,
    // since the round's deal or its foot came up.
    const RankCounts& discarded(int seat) const { return m_discarded[std::size_t(seat)]; }
    const RankCounts& passed(int seat) const { return m_passed[std::size_t(seat)]; }
    // The last card a seat discarded from the hand it holds (0: none yet).
    int lastDiscard(int seat) const { return seat >= 1 && seat <= 4 ? m_last[std::size_t(seat)] : 0; }
    // Cards of each rank played into books this round, both teams.
    const RankCounts& played() const { return m_played; }
    // The whole pile is known: false for a window that joined in the middle of the round,
    // which knows only the top, until the next round.
    bool complete() const { return m_complete; }

    // What a pick-up now would take, the top first: the cards the window knows, and how many
    // more it may take that the window cannot know (a late joiner's pile).
    QList<int> pickUpPreview() const;
    int pickUpUnknown() const;

private:
    void newRound();
    void turnStarted(int seat, bool pickUp);
    // The turn so far from its start: `settled` once the next turn has begun.
    void replayTurn(bool settled);
    void cardPlayed(int seat, int card);

    // The state at the start of the current turn, and what the turn has shown since.
    struct TurnStart {
        QList<int> pile;
        int deck = 0;
        RankCounts known{};
        RankCounts discarded{};
        RankCounts passed{};
        int last = 0;
    } m_start;
    QList<int> m_discards;   // the CMD_discard cards of the turn
    RankCounts m_gone{};     // the turn seat's cards played to books this turn
    bool m_footThisTurn = false;
    qsizetype m_footAfter = 0; // the turn's CMD_discard messages before its foot came up

    QList<int> m_pile;
    int m_deck = 0;
    int m_pickUpCount = 1;
    bool m_pickUpOption = true;
    int m_turnSeat = 0;
    bool m_complete = true;
    std::array<bool, 5> m_onFoot{};
    std::array<RankCounts, 5> m_known{};
    std::array<RankCounts, 5> m_discarded{};
    std::array<RankCounts, 5> m_passed{};
    std::array<int, 5> m_last{};
    RankCounts m_played{};
};

} // namespace quornet::table
