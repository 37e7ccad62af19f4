// The own hand: card arrival and removal, picking, Manual Sort swaps, sorting, and the turn
// display.
#include "cards/cards.h"
#include "protocol/messages.h"
#include "table/core/tablemodel.h"
#include "table/core/tablemodel_p.h"

namespace quornet::table {

using namespace protocol;
using detail::Args;
using detail::dropped;

namespace {
constexpr int MaxCard = 54;
} // namespace

int TableModel::firstFreePosition() const
{
    for (int p = 1; p <= HandPositions; ++p)
        if (m_s.positions[std::size_t(p)] < 0) return p;
    return 0;
}

void TableModel::swapPositions(int a, int b)
{
    std::swap(m_s.positions[std::size_t(a)], m_s.positions[std::size_t(b)]);
    m_s.cards[m_s.positions[std::size_t(a)]].left = geometry::handLeftSorted(a);
    m_s.cards[m_s.positions[std::size_t(b)]].left = geometry::handLeftSorted(b);
}

int TableModel::positionOf(int slot) const
{
    for (int p = 1; p <= HandPositions; ++p)
        if (m_s.positions[std::size_t(p)] == slot) return p;
    return 0;
}

namespace {
// The last position showing the slot (the Manual Sort swap looks from the end).
int lastPositionOf(const TableState& s, int slot)
{
    for (int p = HandPositions; p >= 1; --p)
        if (s.positions[std::size_t(p)] == slot) return p;
    return 0;
}
} // namespace

void TableModel::newCard(const QByteArray& args)
{
    Args a(args);
    const int seat = a.number("seat", 1, SeatCount);
    const int slot = a.number("hand slot", 0, MaxHandSlot);
    const int code = a.number("card", 1, MaxCard);
    if (!a.ok()) return dropped(cmd::NewCard, args, a.problem());
    if (seat != m_s.own) return; // another seat's card is none of this window's business
    if (m_s.cards.contains(slot))
        return dropped(cmd::NewCard, args, "the hand already shows a card in that slot");
    if (firstFreePosition() == 0) return dropped(cmd::NewCard, args, "the hand row is full");

    createcard(slot, code);
    if (m_s.pickUpOption) emit playSound(QStringLiteral("getcard"));
}

void TableModel::createcard(int slot, int code)
{
    const int p = firstFreePosition();
    HandCard card;
    card.slot = slot;
    card.code = code;
    card.left = geometry::handLeftArrived(p);
    card.top = geometry::CardTopRest;
    m_s.cards.insert(slot, card);
    m_s.positions[std::size_t(p)] = slot;
    followOwnCount();
    touch();
}

void TableModel::followOwnCount()
{
    if (m_s.own < 1 || m_s.own > SeatCount) return;
    QString& count = m_s.seats[std::size_t(m_s.own)].cardsLeft;
    // Before the first deal the count is not shown at all.
    if (!count.isEmpty()) count = QString::number(m_s.cards.size());
}

void TableModel::movecards(int slot)
{
    const int p = positionOf(slot);
    if (p == 0) return;
    m_s.positions[std::size_t(p)] = -1;
    for (int q = p + 1; q <= HandPositions; ++q) {
        const int moving = m_s.positions[std::size_t(q)];
        if (moving < 0) continue;
        const auto it = m_s.cards.find(moving);
        if (it != m_s.cards.end()) {
            it->left = geometry::handLeftArrived(q - 1);
            it->visible = true;
        }
        m_s.positions[std::size_t(q - 1)] = moving;
        m_s.positions[std::size_t(q)] = -1;
    }
    for (HandCard& card : m_s.cards) card.top = geometry::CardTopRest;
    touch();
}

void TableModel::clickCard(int slot, Qt::MouseButton button)
{
    if (button == Qt::RightButton) return sortthem();
    if (button != Qt::LeftButton) return;
    if (m_s.loggedIn && m_s.ownTurn() && m_s.drawVisible) {
        Changes c(*this);
        return status(tr(DrawFirst));
    }
    if (!m_s.loggedIn || !m_s.ownTurn() || m_s.drawVisible) return;
    Changes c(*this);
    // The keyboard cursor follows the card last clicked.
    if (m_s.keySlot != slot && positionOf(slot) != 0) {
        setKeySlot(slot);
        touch();
    }
    pick(slot);
}

void TableModel::pick(int slot)
{
    if (positionOf(slot) == 0) return; // not in the hand row (laid on a place, or gone)
    HandCard& clicked = m_s.cards[slot];
    touch();
    if (clicked.raised()) {
        clicked.top = geometry::CardTopRest;
        m_s.picked = PickedCard{};
        return;
    }
    if (m_s.picked.isPicked()) {
        const auto it = m_s.cards.find(m_s.picked.slot);
        if (it != m_s.cards.end()) it->top = geometry::CardTopRest;
        if (m_s.manualSort) {
            const int a = lastPositionOf(m_s, m_s.picked.slot);
            const int b = lastPositionOf(m_s, slot);
            if (a != 0 && b != 0) {
                swapPositions(a, b);
                m_s.picked = PickedCard{};
                return;
            }
        }
    }
    clicked.top = geometry::CardTopRaised;
    m_s.picked = PickedCard{slot, clicked.code};
}

void TableModel::sortthem()
{
    Changes c(*this);
    const auto key = [this](int position) {
        const HandCard* card = m_s.card(m_s.positions[std::size_t(position)]);
        return card ? cards::handOrderKey(card->code) : 0;
    };
    for (int pass = 0; pass < HandPositions; ++pass) {
        for (int n = HandPositions; n >= 2; --n) {
            const int here = m_s.positions[std::size_t(n)];
            const int before = m_s.positions[std::size_t(n - 1)];
            if (here < 0 || before < 0 || key(n) >= key(n - 1)) continue;
            swapPositions(n, n - 1);
        }
    }
    touch(); // the view restores the layering in position order
}

void TableModel::nextPlayer(const QByteArray& args)
{
    Args a(args);
    const int previous = a.number("previous seat", 0, SeatCount);
    const int left = a.number("cards left", 0, 999);
    const QByteArray flag = a.requiredText("pick-up flag");
    const int seat = a.number("turn seat", 0, SeatCount);
    if (!a.ok()) return dropped(cmd::NextPlayer, args, a.problem());

    m_s.picked = PickedCard{};
    m_s.greenArrowVisible = false;
    m_s.blueArrowVisible = false;
    m_s.pickUpOption = flag == "t";
    m_s.turnSeat = seat;
    if (previous != 0) m_s.seats[std::size_t(previous)].cardsLeft = QString::number(left);
    followTurnPassed(previous, left);
    m_s.turnMarkerSeat = seat;
    m_s.turnMarkerVisible = true;
    touch();

    if (seat != 0 && seat == m_s.own) {
        m_s.turnText = tr("Your Turn.");
        emit playSound(m_s.turnSound == 1 ? QStringLiteral("turnnew") : QStringLiteral("turn"));
        if (detail::teamOfSeat(m_s.own) == 1) m_s.greenArrowVisible = true;
        else m_s.blueArrowVisible = true;
        if (m_s.justWatch) {
            m_s.drawVisible = false;
            m_s.pickupVisible = false;
        } else if (m_s.pickUpOption) {
            m_s.pickupVisible = m_s.discardTag != 0;
            m_s.drawVisible = true;
        } else {
            // Without the pick-up option the host deals the two cards itself.
            m_s.drawVisible = false;
            m_s.pickupVisible = false;
        }
    } else {
        m_s.turnText = seat != 0 ? tr("%1's turn.").arg(seatName(seat)) : QString();

        m_s.drawVisible = false;
        m_s.pickupVisible = false;
    }
}

} // namespace quornet::table
