// The player's actions: draw and pick-up, the create-book places, creating books, adding to
// books, discarding. Only what the window can see is checked here; the host judges the rest.
#include "cards/cards.h"
#include "protocol/messages.h"
#include "table/core/tablemodel.h"
#include "table/core/tablemodel_p.h"

namespace quornet::table {

using namespace protocol;

void TableModel::clickDraw()
{
    if (!m_s.loggedIn || !m_s.ownTurn() || !m_s.drawVisible) return;
    Changes c(*this);
    m_s.drawVisible = false;
    m_s.pickupVisible = false;
    touch();
    sendMessage(msg::drawing(m_s.own, 1));
}

void TableModel::clickPickup()
{
    if (!m_s.loggedIn || !m_s.ownTurn() || !m_s.pickupVisible) return;
    Changes c(*this);
    m_s.drawVisible = false;
    m_s.pickupVisible = false;
    touch();
    m_ownPickUpPending = true;
    m_ownPickUp.clear();
    sendMessage(msg::drawing(m_s.own, 2));
}

bool TableModel::pickUpPreviewShown() const
{
    return m_s.ownTurn() && m_s.pickupVisible && m_pile.pickUpCount() > 1 && !m_pile.pickUpPreview().isEmpty();
}

void TableModel::followPickUps(const QByteArray& word, const QByteArray& args)
{
    // The own pick-up's cards, the top first, until the pile's new top follows them.
    if (word == cmd::NewCard && m_ownPickUpPending) {
        protocol::FieldReader r(args);
        const int seat = r.integer();
        r.integer();
        const int code = r.integer();
        if (r.ok() && seat == m_s.own) m_ownPickUp.append(code);
    } else if (word == cmd::Discard || word == cmd::NextPlayer || word == cmd::StartRound || word == cmd::StartGame) {
        m_ownPickUpPending = false;
    }
}

void TableModel::clickPlace(int place)
{
    if (place < 1 || place > PlaceCount) return;
    Changes c(*this);
    if (m_s.addHereVisible) {
        m_s.addHereVisible = false;
        touch();
    }
    Place& target = m_s.places[std::size_t(place)];
    if (m_s.picked.isPicked() && target.isEmpty() && m_s.drawn()) {
        bool naturalLaid = false;
        for (int i = 1; i <= PlaceCount; ++i) {
            const Place& p = m_s.places[std::size_t(i)];
            if (!p.isEmpty() && !cards::isWildCode(p.code)) naturalLaid = true;
        }
        const bool warn = !naturalLaid &&
                          checkforbook(m_s.picked.code % 13, detail::teamOfSeat(m_s.own));
        const PickedCard card = m_s.picked;
        target.slot = card.slot;
        target.code = card.code;
        const auto it = m_s.cards.find(card.slot);
        if (it != m_s.cards.end()) it->visible = false;
        movecards(card.slot);
        m_s.picked = PickedCard{};
        touch();
        emit playSound(QStringLiteral("placeon"));
        // Only a warning: the card lies on the place all the same. Sent once the state is
        // complete, so a modal box cannot interrupt the action.
        if (warn) emit messageBox(tr("Woops, you already have that book!"));
    } else if (!target.isEmpty() && target.slot != -1) {
        returnPlaceToHand(place, "placeoff");
    }
}

void TableModel::returnPlaceToHand(int place, const char* sound)
{
    Place& p = m_s.places[std::size_t(place)];
    const auto it = m_s.cards.find(p.slot);
    // A card that the host already took (its CMD_freecard came while it lay on the place) has
    // left the hand: the place is only emptied.
    if (it != m_s.cards.end()) {
        const int position = firstFreePosition();
        if (position == 0) return; // the row is full: the card stays on its place
        m_s.positions[std::size_t(position)] = p.slot;
        it->left = geometry::handLeftReturned(position);
        it->top = geometry::CardTopRest;
        it->visible = true;
    }
    p = Place{};
    touch();
    emit playSound(QString::fromLatin1(sound));
}

void TableModel::clickClearBook()
{
    Changes c(*this);
    for (int i = 1; i <= PlaceCount; ++i) {
        const Place& p = m_s.places[std::size_t(i)];
        if (!p.isEmpty() && p.slot != -1) returnPlaceToHand(i, "clearbook");
    }
}

void TableModel::clickCreate()
{
    if (!m_s.ownTurn() || !m_s.drawn()) return;
    Changes c(*this);
    for (int i = 1; i <= PlaceCount; ++i) {
        if (m_s.places[std::size_t(i)].isEmpty()) {
            status(tr("Not a complete book"));
            m_s.addHereVisible = true;
            return;
        }
    }
    // The places keep their cards: the host's CMD_newbook empties them, a refusal leaves them.
    if (m_s.loggedIn)
        sendMessage(msg::createBook(m_s.own, m_s.places[1].slot, m_s.places[2].slot,
                                    m_s.places[3].slot));
}

void TableModel::clickBook(int team, int slot)
{
    if (team < 1 || team > 2) return;
    const auto& working = m_s.teams[std::size_t(team)].working;
    const auto it = working.constFind(slot);
    if (it == working.constEnd()) return;
    if (it->tag == -1) return otherTeamsBook();
    if (!m_s.ownTurn() || !m_s.picked.isPicked() || !m_s.drawn()) return;
    Changes c(*this);
    if (m_s.loggedIn) sendMessage(msg::addToBook(m_s.own, m_s.picked.slot, it->tag));
    // The card stays raised until the host answers with CMD_freecard or CMD_nobookmatch.
    m_s.picked = PickedCard{};
    touch();
}

void TableModel::clickCompleted(int team, int n)
{
    if (team < 1 || team > 2) return;
    const auto& completed = m_s.teams[std::size_t(team)].completed;
    const auto it = completed.constFind(n);
    if (it == completed.constEnd()) return;
    // The other team's completed books take no clicks: the host would apply the request to
    // the player's own team.
    if (it->tag == -1) return otherTeamsBook();
    if (!m_s.ownTurn() || !m_s.picked.isPicked() || !m_s.drawn()) return;
    Changes c(*this);
    if (m_s.loggedIn) sendMessage(msg::addToComp(m_s.own, m_s.picked.slot, it->tag));
    m_s.picked = PickedCard{};
    touch();
}

void TableModel::otherTeamsBook()
{
    // Said only to a player at the table; a spectator has no team.
    if (m_s.ownTeam == 0) return;
    Changes c(*this);
    status(tr(OtherTeamsBook));
}

void TableModel::clickDiscard()
{
    if (m_s.loggedIn && m_s.ownTurn() && !m_s.drawn()) {
        Changes c(*this);
        return status(tr(DrawFirst));

    }
    if (!m_s.ownTurn() || !m_s.picked.isPicked() || !m_s.drawn()) return;
    Changes c(*this);
    const int slot = m_s.picked.slot;
    for (int i = 1; i <= PlaceCount; ++i) {
        const Place& p = m_s.places[std::size_t(i)];
        if (!p.isEmpty() && p.slot != -1) returnPlaceToHand(i, "clearbook");
    }
    if (m_s.loggedIn) sendMessage(msg::discard(m_s.own, slot));
    // No further action until the next turn display (or the host refuses the discard).
    m_s.picked = PickedCard{};
    m_s.turnSeat = 0;
    touch();
}

} // namespace quornet::table
