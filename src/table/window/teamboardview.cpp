#include "table/window/teamboardview.h"

#include "art/boardart.h"
#include "cards/cards.h"
#include "table/core/tablemodel.h"
#include "table/window/clicklabel.h"
#include "table/window/tableart.h"
#include "table/window/tablewidgets.h"
#include "table/window/tablezoom.h"

#include <QFrame>
#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QTimer>
#include <QLabel>
#include <QSet>

namespace quornet::table {

using namespace widgets;

namespace {
// The rosette and the trophy show fully for a while, then fade to a shade of themselves.
constexpr int FadeAfterMs = 4000;
constexpr int FadeMs = 800;
constexpr qreal FadedOpacity = 0.25;
} // namespace

TeamBoardView::TeamBoardView(int team, TableModel& model, const TableZoom& zoom, QWidget* parent)
    : QWidget(parent), m_team(team), m_model(model), m_zoom(zoom)
{
    setObjectName(QStringLiteral("panel_board%1").arg(team));
    setGeometry(team == 1 ? QRect(3, 3, 193, 508) : QRect(584, 3, 194, 508));
    TableZoom::markPart(this);
    build();
    connect(&m_model, &TableModel::changed, this, &TeamBoardView::sync);
}

void TeamBoardView::build()
{
    const int team = m_team;
    const int width = team == 1 ? 191 : 197;
    m_header = picture(this, QStringLiteral("image_header%1").arg(team), QRect(0, 0, width, 36));
    // Headings are 16-pixel-high captions over the header band.
    const QColor headText = art::BoardArt::headerTextColor();
    if (team == 1) {
        text(this, nullptr, tr("Green Team's Books"), QRect(1, 1, 191, 16), 14, true, headText)
            ->setAlignment(Qt::AlignHCenter);
        text(this, nullptr, tr("Completed"), QRect(8, 17, 90, 16), 12, true, headText);
        text(this, nullptr, tr("Working"), QRect(120, 17, 72, 16), 12, true, headText);
    } else {
        text(this, nullptr, tr("Blue Team's Books"), QRect(0, 1, 192, 16), 14, true, headText)
            ->setAlignment(Qt::AlignHCenter);
        text(this, nullptr, tr("Working"), QRect(8, 17, 72, 16), 12, true, headText);
        text(this, nullptr, tr("Completed"), QRect(107, 17, 84, 16), 12, true, headText);
    }
    // Frame lines down the outer edge and along the bottom, with the corner picture.
    auto* side = new QFrame(this);
    side->setGeometry(team == 1 ? QRect(0, 36, 2, 470) : QRect(192, 36, 2, 470));
    side->setStyleSheet(QStringLiteral("background:%1").arg(bgr(team == 1 ? 0x008000 : 0x800000).name()));
    auto* bottom = new QFrame(this);
    bottom->setGeometry(team == 1 ? QRect(0, 506, 181, 2) : QRect(12, 506, 182, 2));
    bottom->setStyleSheet(side->styleSheet());
    m_corner = picture(this, QStringLiteral("image_corner%1").arg(team),
                       team == 1 ? QRect(181, 496, 12, 12) : QRect(0, 496, 12, 12));

    m_roundWinner = picture(this, QStringLiteral("image_rwinner%1").arg(team),
                            team == 1 ? QRect(8, 40, 105, 109) : QRect(80, 40, 104, 108));
    m_winner = picture(this, QStringLiteral("image_winner%1").arg(team),
                       team == 1 ? QRect(16, 120, 166, 116) : QRect(16, 120, 165, 118));
    m_badge = picture(this, QStringLiteral("image_ascore%1").arg(team), QRect(64, 264, 49, 25));
    m_badgeLabel = text(this, team == 1 ? "label_ascore1" : "label_ascore2", QStringLiteral("+500"),
                        team == 1 ? QRect(71, 270, 40, 16) : QRect(69, 269, 40, 16), 12, true, bgr(0xC8F0F2));
    for (QLabel* l : {m_roundWinner, m_winner, m_badge, m_badgeLabel}) {
        l->hide();
        // Clicks reach the books under them.
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    // The rosette and the trophy fade after a while, so the books under them can be read.
    for (QLabel* l : {m_roundWinner, m_winner}) {
        auto* timer = new QTimer(l);
        timer->setSingleShot(true);
        timer->setInterval(FadeAfterMs);
        connect(timer, &QTimer::timeout, l, [l] {
            auto* effect = new QGraphicsOpacityEffect(l);
            l->setGraphicsEffect(effect);
            auto* fade = new QPropertyAnimation(effect, "opacity", effect);
            fade->setDuration(FadeMs);
            fade->setStartValue(1.0);
            fade->setEndValue(FadedOpacity);
            fade->start();
        });
    }
    // The keyboard's cursor around the book the keys add to.
    m_bookCursor = cursorFrame(this, team == 1 ? "bookcursor1" : "bookcursor2");
}

void TeamBoardView::setArt(const TableArt& art)
{
    m_art = &art;
    const bool green = m_team == 1;
    m_header->setPixmap(green ? art.header1 : art.header2);
    m_corner->setPixmap(green ? art.corner1 : art.corner2);
    m_roundWinner->setPixmap(green ? art.roundWinner1 : art.roundWinner2);
    m_winner->setPixmap(green ? art.winner1 : art.winner2);
    m_badge->setPixmap(art.badge);
    // Every book is drawn again at the new ratio.
    qDeleteAll(m_books);
    m_books.clear();
    sync();
}

void TeamBoardView::setKeysShown(bool shown)
{
    m_keysShown = shown;
    syncCursor();
}

void TeamBoardView::sync()
{
    if (!m_art) return;
    syncBooks();
    syncPictures();
    syncCursor();
}

ClickLabel* TeamBoardView::placeBook(const QString& name, QRect geometry, const QString& look,
                                     const std::function<QPixmap()>& draw, const std::function<void()>& onClick)
{
    ClickLabel* l = m_books.value(name);
    if (!l) {
        l = new ClickLabel(this);
        l->setObjectName(name);
        l->setScaledContents(true); // the picture fills the (zoomed) label
        connect(l, &ClickLabel::pressed, this, [onClick](Qt::MouseButton b) {
            if (b == Qt::LeftButton) onClick();
        });
        m_books.insert(name, l);
        l->show();
    }
    m_zoom.place(l, geometry);
    if (l->property("look").toString() != look) {
        l->setPixmap(draw());
        l->setProperty("look", look);
    }
    l->raise();
    return l;
}

// The book just made, grown or completed is framed for a moment.
void TeamBoardView::markJustHappened(QLabel* book, bool completed, int slot) const
{
    const JustHappened& j = m_model.state().justHappened;
    const bool marked = j.bookTeam == m_team && j.bookSlot == slot && j.bookCompleted == completed;
    book->setStyleSheet(marked ? QStringLiteral("border: 3px solid #ffb000;") : QString());
}

void TeamBoardView::syncBooks()
{
    const int team = m_team;
    const TeamBoard& board = m_model.state().team(team);
    QSet<QString> wanted;
    for (const WorkingBook& b : board.working) {
        const int slot = b.slot;
        const QString name = QStringLiteral("book%1%2").arg(team).arg(slot);
        wanted.insert(name);
        ClickLabel* l = placeBook(name, QRect(b.left, b.top, b.width, b.height),
                                  QStringLiteral("%1/%2/%3").arg(b.rank()).arg(b.kind).arg(b.count),
                                  [&] { return m_art->workingBook(b.rank(), b.kind, b.count); },
                                  [this, team, slot] { m_model.clickBook(team, slot); });
        const QString what = (b.count == 6 ? tr("%1: %2 cards, one more completes it") : tr("%1: %2 cards"))
                                 .arg(QString::fromLatin1(cards::bookName(b.naming).data()), QString::number(b.count));

        l->setToolTip(what);
        l->setAccessibleName(what);
        markJustHappened(l, false, slot);
    }
    for (const CompletedBook& b : board.completed) {
        const int n = b.slot;
        const auto& tops = b.kind == 2 ? m_art->wildTop : m_art->normalTop;
        const QString name = QStringLiteral("comp%1%2").arg(team).arg(n);
        wanted.insert(name);
        ClickLabel* l = placeBook(name, QRect(b.left, b.top, b.width, b.height), QStringLiteral("%1/%2").arg(b.rank()).arg(b.kind),
                                  [&] { return tops[std::size_t(b.rank())]; }, [this, team, n] { m_model.clickCompleted(team, n); });
        markJustHappened(l, true, n);
    }
    for (auto it = m_books.begin(); it != m_books.end();) {
        if (!wanted.contains(it.key())) {
            delete it.value();
            it = m_books.erase(it);
        } else {
            ++it;
        }
    }
}

void TeamBoardView::syncPictures()
{
    const TeamBoard& board = m_model.state().team(m_team);
    showFading(m_roundWinner, board.roundWinnerVisible);
    showFading(m_winner, board.winnerVisible);
    const Badge& badge = board.badge;
    m_zoom.move(m_badge, QPoint(badge.left, badge.top));
    m_zoom.move(m_badgeLabel, QPoint(badge.labelLeft, badge.labelTop));
    m_badgeLabel->setText(badge.text);
    m_badge->setVisible(badge.visible);
    m_badgeLabel->setVisible(badge.visible);
    if (board.roundWinnerVisible) m_roundWinner->raise();
    if (board.winnerVisible) m_winner->raise();
    if (badge.visible) {
        m_badge->raise();
        m_badgeLabel->raise();
    }
}

void TeamBoardView::showFading(QLabel* picture, bool shown)
{
    auto* timer = picture->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
    if (shown && picture->isHidden()) {
        picture->setGraphicsEffect(nullptr);
        timer->start();
    } else if (!shown) {
        timer->stop();
        picture->setGraphicsEffect(nullptr);
    }
    picture->setVisible(shown);
}

void TeamBoardView::syncCursor()
{
    const QString book = m_keysShown ? m_model.keyBookName() : QString();
    ClickLabel* target = book.mid(4, 1).toInt() == m_team ? m_books.value(book) : nullptr;
    m_bookCursor->setVisible(target != nullptr);
    if (!target) return;
    m_bookCursor->setGeometry(target->geometry().adjusted(-2, -2, 2, 2));
    m_bookCursor->raise();
}

} // namespace quornet::table
