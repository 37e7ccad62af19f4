// The board: working and completed books, badges, scores, feet, the discard pile and the
// refusals that concern the board.
#include "protocol/messages.h"
#include "table/core/tablemodel.h"
#include "table/core/tablemodel_p.h"

#include <QList>

#include <limits>

namespace quornet::table {

using namespace protocol;
using detail::Args;
using detail::bookName;
using detail::dropped;
using detail::kindWord;

namespace {
constexpr int MaxCard = 54;
constexpr int MaxBookCount = 7;
constexpr int BadgeCountdown = 3;
} // namespace

void TableModel::putWorkingBook(int team, int slot, int naming, int kind, int count, int tag)
{
    WorkingBook b;
    b.team = team;
    b.slot = slot;
    b.naming = naming;
    b.kind = kind;
    b.count = count;
    b.tag = tag;
    b.left = geometry::workingLeft(team);
    b.top = geometry::workingTop(slot);
    b.width = geometry::workingWidth(count);
    m_s.teams[std::size_t(team)].working.insert(slot, b);
    touch();
}

void TableModel::putCompletedBook(int team, int n, int naming, int kind, int tag)
{
    CompletedBook b;
    b.team = team;
    b.slot = n;
    b.naming = naming;
    b.kind = kind;
    b.tag = tag;
    b.left = geometry::completedLeft(team, n);
    b.top = geometry::completedTop(n);
    m_s.teams[std::size_t(team)].completed.insert(n, b);
    touch();
}

void TableModel::clearPlaces()
{
    for (int i = 1; i <= PlaceCount; ++i) m_s.places[std::size_t(i)] = Place{};
    touch();
}

bool TableModel::checkforbook(int rank, int team) const
{
    if (team < 1 || team > 2) return false;
    for (const WorkingBook& b : m_s.teams[std::size_t(team)].working)
        if (b.naming % 13 == rank) return true;
    return false;
}

void TableModel::newBook(const QByteArray& args)
{
    Args a(args);
    const int seat = a.number("seat", 1, SeatCount);
    const int team = a.number("team", 1, 2);
    const int slot = a.number("book slot", 1, WorkingBookSlots);
    const int naming = a.number("naming card", 1, MaxCard);
    const int kind = a.number("kind", 1, 2);
    if (!a.ok()) return dropped(cmd::NewBook, args, a.problem());

    putWorkingBook(team, slot, naming, kind, 3, team == m_s.ownTeam ? slot : -1);
    bookChanged(seat, team, slot, false, 3);
    clearPlaces();
    status(tr("%1 created a %2 %3 book.").arg(seatName(seat), kindWord(kind), bookName(naming)));
    emit playSound(QStringLiteral("createbook"));
}

void TableModel::addToBook(const QByteArray& args)
{
    Args a(args);
    const int seat = a.number("seat", 1, SeatCount);
    const int team = a.number("team", 1, 2);
    a.number("hand slot", 0, MaxHandSlot);
    const int slot = a.number("book slot", 1, WorkingBookSlots);
    const int count = a.number("card count", 1, MaxBookCount);
    a.number("card", 1, MaxCard);
    const int kind = a.number("kind", 1, 2);
    if (!a.ok()) return dropped(cmd::AddToBook, args, a.problem());

    auto& working = m_s.teams[std::size_t(team)].working;
    const auto it = working.find(slot);
    if (it != working.end()) {
        it->count = count;
        it->kind = kind;
        it->width = geometry::workingWidth(count);
        bookChanged(seat, team, slot, false, 1);
        status(tr("%1 added to the %2 book.").arg(seatName(seat), bookName(it->naming)));
    }
    emit playSound(QStringLiteral("placebook"));
}

void TableModel::completed(const QByteArray& args)
{
    Args a(args);
    const int seat = a.number("seat", 1, SeatCount);
    const int team = a.number("team", 1, 2);
    const int slot = a.number("book slot", 1, WorkingBookSlots);
    const int n = a.number("completed slot", 1, MaxCompletedBooks);
    const int naming = a.number("naming card", 1, MaxCard);
    const int kind = a.number("kind", 1, 2);
    if (!a.ok()) return dropped(cmd::Complete, args, a.problem());

    TeamBoard& board = m_s.teams[std::size_t(team)];
    board.working.remove(slot);
    putCompletedBook(team, n, naming, kind, team == m_s.ownTeam ? n : -1);
    const CompletedBook& book = board.completed[n];
    Badge& badge = board.badge;
    badge.text = kind == 1 ? QStringLiteral("+500") : QStringLiteral("+300");
    badge.left = book.left + 15;
    badge.top = book.top;
    badge.labelLeft = book.left + 22;
    badge.labelTop = book.top + 6;
    badge.countdown = BadgeCountdown;
    badge.visible = true;
    m_scores.bookCompleted(seat);
    bookChanged(seat, team, n, true, 0);
    status(tr("%1 completed a %2 %3 book.").arg(seatName(seat), kindWord(kind), bookName(naming)));
    emit playSound(QStringLiteral("createbook"));
}

void TableModel::addToComp(const QByteArray& args)
{
    Args a(args);
    const int seat = a.number("seat", 1, SeatCount);
    const int kind = a.number("kind", 1, 2);
    const int naming = a.number("naming card", 1, MaxCard);
    if (!a.ok()) return dropped(cmd::AddToComp, args, a.problem());
    const int team = detail::teamOfSeat(seat);
    int n = 0;
    for (const CompletedBook& b : m_s.teams[std::size_t(team)].completed)
        if (b.naming % 13 == naming % 13 && b.kind == kind) n = b.slot;
    bookChanged(seat, team, n, true, 1);
    status(tr("%1 added to the %2 %3 completed book.").arg(seatName(seat), kindWord(kind), bookName(naming)));
    emit playSound(QStringLiteral("placecomplete"));
}

void TableModel::loadBooks(const QByteArray& args)
{
    // A late joiner's working books: groups of slot, naming card, kind and count. The whole
    // message is checked before anything is shown.
    Args a(args);
    const int team = a.number("team", 1, 2);
    QList<WorkingBook> books;
    while (a.ok() && !a.atEnd()) {
        WorkingBook b;
        b.slot = a.number("book slot", 1, WorkingBookSlots);
        b.naming = a.number("naming card", 1, MaxCard);
        b.kind = a.number("kind", 1, 2);
        b.count = a.number("card count", 1, MaxBookCount);
        books.append(b);
    }
    if (!a.ok()) return dropped(cmd::LoadBooks, args, a.problem());
    // Only the own team's books take clicks: a request always names the sender's own team.
    for (const WorkingBook& b : books)
        putWorkingBook(team, b.slot, b.naming, b.kind, b.count, team == m_s.ownTeam ? b.slot : -1);
}

void TableModel::loadComp(const QByteArray& args)
{
    Args a(args);
    const int team = a.number("team", 1, 2);
    QList<CompletedBook> books;
    while (a.ok() && !a.atEnd()) {
        CompletedBook b;
        b.slot = a.number("completed slot", 1, MaxCompletedBooks);
        b.naming = a.number("naming card", 1, MaxCard);
        b.kind = a.number("kind", 1, 2);
        books.append(b);
    }
    if (!a.ok()) return dropped(cmd::LoadComp, args, a.problem());
    for (const CompletedBook& b : books)
        putCompletedBook(team, b.slot, b.naming, b.kind, team == m_s.ownTeam ? b.slot : -1);
}

void TableModel::postScores(const QByteArray& args)
{
    Args a(args);
    const int score =
        a.number("score", std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    const int points =
        a.number("points", std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    const int seat = a.number("seat", 1, SeatCount);
    const int partner = a.number("partner", 1, SeatCount);
    if (!a.ok()) return dropped(cmd::PostScores, args, a.problem());
    for (int s : {seat, partner}) {
        SeatView& view = m_s.seats[std::size_t(s)];
        view.score = QString::number(score);
        if (view.name == QLatin1String(WaitingName)) view.name = view.hint;
    }
    m_scores.scorePosted(score, points, seat);
    touch();
}

void TableModel::useFoot(const QByteArray& args)
{
    Args a(args);
    const int seat = a.number("seat", 1, SeatCount);
    if (!a.ok()) return dropped(cmd::UseFoot, args, a.problem());
    m_s.seats[std::size_t(seat)].footVisible = false;
    footTaken(seat);
    touch();
    emit playSound(QStringLiteral("getfoot"));
}

void TableModel::discard(const QByteArray& args)
{
    Args a(args);
    const int card = a.number("card", 0, MaxCard);
    if (!a.ok()) return dropped(cmd::Discard, args, a.problem());
    m_s.discardCard = card;
    m_s.discardTag = card != 0 ? 1 : 0;
    touch();
    emit playSound(QStringLiteral("discard"));
}

void TableModel::freeCard(const QByteArray& args)
{
    Args a(args);
    const int slot = a.number("hand slot", 0, MaxHandSlot);
    if (!a.ok()) return dropped(cmd::FreeCard, args, a.problem());
    if (m_s.cards.remove(slot) > 0) {
        followOwnCount();
        touch();
    }
    // A picked card the host takes away cannot stay picked: a discard or book would name it.
    if (m_s.picked.slot == slot) m_s.picked = PickedCard{};
    movecards(slot);
}

void TableModel::noBookMatch(const QByteArray& args)
{
    Args a(args);
    const int slot = a.number("hand slot", 0, MaxHandSlot);
    if (!a.ok()) return dropped(cmd::NoBookMatch, args, a.problem());
    const auto it = m_s.cards.find(slot);
    if (it != m_s.cards.end()) it->top = geometry::CardTopRest;
    status(tr("That card does not match the book"));

}

} // namespace quornet::table
