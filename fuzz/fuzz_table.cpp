// Fuzz target: the table window's dispatch and models (TableModel, no widgets) fed with
// arbitrary host messages, interleaved with the player's own clicks.
//
// The input is split at the terminator byte 0xFF into messages, as the window's connection
// splits what it receives. A message whose first byte is 0x01 is a player action instead: its
// second byte picks the action and the following bytes are its arguments (read as signed, so
// out-of-range slots, seats and places come up too). The first input byte chooses the start:
// bit 0 hosting, bit 1 Manual Sort.
//
// Checked after every message and action: the hand row shows each host slot at most once and
// only slots that hold a card, every card has a code 1..54 and the slot it is filed under, the
// picked card is in the hand, the book boards hold slots in range, the turn seat is 0..4, and
// everything the model sends is whole frames.
#include "fuzzsupport.h"

#include "protocol/framing.h"
#include "table/core/tablemodel.h"

#include <QSet>

#include <cstdint>

using namespace quornet;
using namespace quornet::table;

namespace
{

void checkState(const TableState& s)
{
    QSet<int> shown;
    for (int p = 1; p <= HandPositions; ++p) {
        const int slot = s.slotAt(p);
        if (slot < 0) continue;
        FUZZ_CHECK(slot <= MaxHandSlot, "hand row position holds a bad slot");
        FUZZ_CHECK(!shown.contains(slot), "a slot is shown twice in the hand row");
        FUZZ_CHECK(s.card(slot) != nullptr, "the hand row shows a slot without a card");
        shown.insert(slot);
    }
    for (auto it = s.cards.cbegin(); it != s.cards.cend(); ++it) {
        FUZZ_CHECK(it.key() >= 0 && it.key() <= MaxHandSlot, "card under a bad slot");
        FUZZ_CHECK(it->slot == it.key(), "card filed under another slot");
        FUZZ_CHECK(it->code >= 1 && it->code <= 54, "card with a bad code");
    }
    if (s.picked.isPicked())
        FUZZ_CHECK(s.card(s.picked.slot) != nullptr, "picked card not in the hand");
    for (int team = 1; team <= 2; ++team) {
        const TeamBoard& b = s.team(team);
        for (auto it = b.working.cbegin(); it != b.working.cend(); ++it) {
            FUZZ_CHECK(it.key() >= 1 && it.key() <= WorkingBookSlots, "working book slot");
            FUZZ_CHECK(it->count >= 1, "working book without cards");
        }
        for (auto it = b.completed.cbegin(); it != b.completed.cend(); ++it)
            FUZZ_CHECK(it.key() >= 1 && it.key() <= MaxCompletedBooks, "completed book slot");
    }
    FUZZ_CHECK(s.turnSeat >= 0 && s.turnSeat <= SeatCount, "turn seat");
    FUZZ_CHECK(s.own >= 0 && s.own <= MaxParticipant, "own participant number");
}

class Driver
{
public:
    explicit Driver(std::uint8_t start)
    {
        QObject::connect(&m_model, &TableModel::send, [](const QByteArray& m) {
            FUZZ_CHECK(m.endsWith(protocol::Terminator) && !m.startsWith(protocol::Terminator),
                       m.left(60));
        });
        m_model.setPlayerName(QStringLiteral("Ann"));
        m_model.setHosting((start & 1) != 0);
        m_model.setManualSort((start & 2) != 0);
    }

    void message(const QByteArray& m)
    {
        if (m.startsWith('\x01'))
            action(m.mid(1));
        else
            m_model.handleMessage(m);
        checkState(m_model.state());
    }

private:
    void action(const QByteArray& a)
    {
        const auto arg = [&a](int i) { return i < a.size() ? int(qint8(a[i])) : 0; };
        const QString text = QString::fromUtf8(a.mid(2));
        switch (quint8(arg(0)) % 24) {
        case 0:
            m_model.clickCard(arg(1), Qt::LeftButton);
            break;
        case 1:
            m_model.clickCard(arg(1), Qt::RightButton);
            break;
        case 2:
            m_model.clickDraw();
            break;
        case 3:
            m_model.clickPickup();
            break;
        case 4:
            m_model.clickPlace(arg(1));
            break;
        case 5:
            m_model.clickClearBook();
            break;
        case 6:
            m_model.clickCreate();
            break;
        case 7:
            m_model.clickBook(arg(1), arg(2));
            break;
        case 8:
            m_model.clickCompleted(arg(1), arg(2));
            break;
        case 9:
            m_model.clickDiscard();
            break;
        case 10:
            m_model.badgeTick();
            break;
        case 11:
            m_model.tick();
            break;
        case 12:
            m_model.kicking(arg(1));
            break;
        case 13:
            m_model.setJustWatchFor(arg(1));
            break;
        case 14:
            m_model.unsetJustWatchFor(arg(1));
            break;
        case 15:
            m_model.toggleJustWatch();
            break;
        case 16:
            m_model.sendit(text, quint32(arg(1)));
            break;
        case 17:
            m_model.quickPhrase(text, 0);
            break;
        case 18:
            m_model.sendChatterSound(arg(1));
            break;
        case 19:
            m_model.clickStart();
            break;
        case 20: {
            GameOptions o;
            static const char* const Lengths[] = {"r", "3", "5", "f"};
            o.lengthCode = QString::fromLatin1(Lengths[arg(1) & 3]);
            o.twoPlayer = (arg(1) & 4) != 0;
            o.pickUp = (arg(1) & 8) != 0;
            o.pickUpCount = arg(2);
            m_model.startGame(o);
            break;
        }
        case 21:
            (void)m_model.seatPopup(arg(1));
            break;
        case 22:
            m_model.sortthem();
            break;
        case 23:
            m_model.setManualSort(arg(1) & 1);
            break;
        }
    }

    TableModel m_model;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    Driver driver(data[0]);
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    protocol::FrameSplitter split;
    for (const QByteArray& m : split.feed(bytes))
        driver.message(m);
    // Bytes after the last terminator stay pending, as an unfinished message on the wire does.
    return 0;
}
