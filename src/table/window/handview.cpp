#include "table/window/handview.h"

#include "art/suitshapes.h"
#include "cards/cards.h"
#include "table/core/tablemodel.h"
#include "table/window/clicklabel.h"
#include "table/window/tableart.h"
#include "table/window/tablewidgets.h"
#include "table/window/tablezoom.h"

#include <QPushButton>

#include <algorithm>

namespace quornet::table {

using namespace widgets;

namespace {
const PartOrigin local{QPoint(0, 208)};
const QRect PickupButton = local(91, 246, 100, 32);
const QRect StartButton = local(146, 246, 100, 32);
const QRect DrawButton = local(195, 246, 100, 32);
// The hand row: the first card's place, how far right the row may reach, and how much the host's
// step may be widened (a short hand) or narrowed (a long one, so its last card is whole).
constexpr int RowStart = geometry::handLeftArrived(1);
constexpr int RowRight = 388;
constexpr qreal MostSpread = 2.0;
constexpr qreal LeastSpread = 0.8;
// The rank label in a card's strip: above the buttons that lie over the hand (28 pixels below a
// resting card's top).
constexpr int RankLabelWidth = 18, RankLabelHeight = 26, RankLabelFont = 11;

qreal spreadOf(const TableState& s)
{
    int last = RowStart;
    for (const HandCard& c : s.cards)
        if (c.visible) last = std::max(last, c.left);
    if (last <= RowStart) return 1.0;
    return std::clamp(qreal(RowRight - geometry::CardWidth - RowStart) / (last - RowStart), LeastSpread, MostSpread);
}

int shownAt(int left, qreal spread) { return RowStart + qRound((left - RowStart) * spread); }

// "10" over "♥": the rank and the suit as the label shows them.
QString rankAndSuit(int code)
{
    if (code == cards::Joker || code == cards::BlackJoker) return QStringLiteral("Jo\n\u2605");
    const QString name = QString::fromStdString(cards::shortCardName(code));
    return name.chopped(1) + QLatin1Char('\n') + name.right(1);
}
// The red joker and the cards of a red suit.
bool redCard(int code)
{
    return code == cards::Joker || (code != cards::BlackJoker && art::isRedSuit(art::Suit((code - 2) / 13)));
}
} // namespace

int HandView::shownLeft(const TableState& s, const HandCard& c) { return shownAt(c.left, spreadOf(s)); }

HandView::HandView(TableModel& model, const TableZoom& zoom, QWidget* parent)
    : QWidget(parent), m_model(model), m_zoom(zoom)
{
    setObjectName("hand");
    setGeometry(local.part(QSize(392, 108)));
    TableZoom::markPart(this);
    m_pickup = button(this, "button_pickup", tr("Pick Up Pile"), PickupButton);
    m_start = button(this, "button_start", tr("Start Game"), StartButton);
    m_draw = button(this, "button_draw", tr("Draw Cards"), DrawButton);
    connect(m_pickup, &QPushButton::clicked, this, [this] { m_model.clickPickup(); });
    connect(m_draw, &QPushButton::clicked, this, [this] { m_model.clickDraw(); });
    connect(m_start, &QPushButton::clicked, this, [this] { m_model.clickStart(); });
    // The keyboard's cursor: a frame around the visible part of the card it is on.
    m_keyCursor = cursorFrame(this, "keycursor");
    connect(&m_model, &TableModel::changed, this, &HandView::sync);
}

void HandView::setArt(const TableArt& art)
{
    m_art = &art;
    // Every card is drawn again at the new ratio.
    qDeleteAll(m_cards);
    m_cards.clear();
    sync();
}

void HandView::setKeysShown(bool shown)
{
    m_keysShown = shown;
    sync();
}

void HandView::sync()
{
    if (!m_art) return;
    syncCards();
    syncButtons();
    syncCursor();
    syncHintMarks();
}

void HandView::syncCards()
{
    const TableState& s = m_model.state();
    const qreal spread = spreadOf(s);
    for (auto it = m_cards.begin(); it != m_cards.end();) {
        if (!s.cards.contains(it.key())) {
            delete it.value();
            it = m_cards.erase(it);
        } else {
            ++it;
        }
    }
    for (const HandCard& c : s.cards) {
        ClickLabel* l = m_cards.value(c.slot);
        if (!l || l->property("code").toInt() != c.code) {
            if (!l) {
                l = new ClickLabel(this);
                l->setObjectName(QStringLiteral("card%1").arg(c.slot));
                l->setScaledContents(true); // the picture fills the (zoomed) label
                const int slot = c.slot;
                connect(l, &ClickLabel::pressed, this, [this, slot](Qt::MouseButton b) { m_model.clickCard(slot, b); });
                m_cards.insert(c.slot, l);
            }
            l->setPixmap(m_art->card ? m_art->card(c.code) : QPixmap());
            l->setProperty("code", c.code);
            const QString name = QString::fromStdString(cards::cardName(c.code));
            l->setToolTip(name);
            l->setAccessibleName(name);
        }
        m_zoom.place(l, local(shownAt(c.left, spread), c.top, geometry::CardWidth, geometry::CardHeight));
        l->setVisible(c.visible);
    }
    // Later positions lie over earlier ones; what shows of a card is the strip up to the next.
    QList<HandCard> row = s.handRow();
    row.removeIf([](const HandCard& c) { return !c.visible; });
    // The buttons that show lie over the cards' middles.
    QList<QRect> buttons;
    if (s.drawVisible) buttons.append(DrawButton);
    if (s.pickupVisible) buttons.append(PickupButton);
    if (s.startVisible) buttons.append(StartButton);
    for (qsizetype i = 0; i < row.size(); ++i) {
        ClickLabel* l = m_cards.value(row[i].slot);
        if (!l) continue;
        l->raise();
        const int left = shownAt(row[i].left, spread);
        const int strip = i + 1 < row.size() ? shownAt(row[i + 1].left, spread) - left : geometry::CardWidth;
        const QRect shows = local(left, row[i].top, strip, geometry::CardHeight);
        const bool underButton = std::any_of(buttons.begin(), buttons.end(), [&](QRect b) { return b.intersects(shows); });
        syncRankLabel(l, row[i], strip, underButton);
    }
}

// With a deck whose rank lies outside the strip that shows, the strip carries it; so does a
// card with a button over it, above the button, whatever the deck.
void HandView::syncRankLabel(ClickLabel* card, const HandCard& c, int strip, bool underButton)
{
    auto* label = card->findChild<QLabel*>(QStringLiteral("rank"), Qt::FindDirectChildrenOnly);
    const bool wanted = underButton || (!m_art->rankInLeftCorner && strip < geometry::CardWidth);
    if (!wanted) {
        delete label;
        return;
    }
    if (!label) {
        label = new QLabel(card);
        label->setObjectName(QStringLiteral("rank"));
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setFont(pixelFont(RankLabelFont, true));
    }
    if (label->property("code").toInt() != c.code) {
        label->setProperty("code", c.code);
        label->setStyleSheet(QStringLiteral("QLabel { background: rgba(255, 255, 255, 235); border-radius: 2px; color: %1; }")
                                 .arg(redCard(c.code) ? QStringLiteral("#C00000") : QStringLiteral("#000000")));
        label->setText(rankAndSuit(c.code));
    }
    m_zoom.place(label, QRect(1, 2, std::min(RankLabelWidth, strip - 2), RankLabelHeight));
    m_zoom.setBaseFontPixels(label, RankLabelFont);
    label->show();
}

void HandView::syncButtons()
{
    const TableState& s = m_model.state();
    m_draw->setVisible(s.drawVisible);
    m_pickup->setVisible(s.pickupVisible);
    m_start->setVisible(s.startVisible);
    // The buttons lie over the hand cards.
    m_draw->raise();
    m_pickup->raise();
    m_start->raise();
}

void HandView::syncCursor()
{
    const int slot = m_model.keyCursorSlot();
    ClickLabel* card = slot >= 0 && m_keysShown ? m_cards.value(slot) : nullptr;
    if (!card || !card->isVisible()) {
        m_keyCursor->hide();
        return;
    }
    // Later cards lie over the card: the frame marks the part of it that shows.
    QRect visible = card->geometry();
    const QList<HandCard> row = m_model.state().handRow();
    for (qsizetype i = 0; i + 1 < row.size(); ++i) {
        if (row[i].slot != slot) continue;
        if (ClickLabel* next = m_cards.value(row[i + 1].slot); next && next->isVisible())
            visible.setRight(qMax(visible.left() + 4, next->geometry().left() - 1));
    }
    m_keyCursor->setGeometry(visible.adjusted(-2, -2, 2, 2));
    m_keyCursor->show();
    m_keyCursor->raise();
    // The buttons over the hand stay clickable above the cursor.
    m_draw->raise();
    m_pickup->raise();
    m_start->raise();
}

// The hint's cards: a gold bar at the foot of each.
void HandView::syncHintMarks()
{
    const QList<int>& hinted = m_model.state().hintSlots;
    while (m_hintMarks.size() < hinted.size()) {
        auto* mark = new QWidget(this);
        mark->setObjectName(QStringLiteral("hintmark%1").arg(m_hintMarks.size()));
        mark->setAttribute(Qt::WA_TransparentForMouseEvents);
        mark->setAttribute(Qt::WA_StyledBackground);
        mark->setStyleSheet(QStringLiteral("background: #FFC800; border: 1px solid #805000; border-radius: 2px;"));
        m_hintMarks.append(mark);
    }
    for (int i = 0; i < m_hintMarks.size(); ++i) {
        const HandCard* c = i < hinted.size() ? m_model.state().card(hinted[i]) : nullptr;
        if (!c || !c->visible) {
            m_hintMarks[i]->hide();
            continue;
        }
        m_zoom.place(m_hintMarks[i], local(shownLeft(m_model.state(), *c) + 2, c->top + 86, 16, 6));
        m_hintMarks[i]->show();
        m_hintMarks[i]->raise();
    }
}

} // namespace quornet::table
