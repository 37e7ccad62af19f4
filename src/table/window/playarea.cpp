#include "table/window/playarea.h"

#include "cards/cards.h"
#include "table/core/tablemodel.h"
#include "table/window/clicklabel.h"
#include "table/window/tableart.h"
#include "table/window/tablewidgets.h"
#include "table/window/tablezoom.h"

#include <QLabel>
#include <QPushButton>

namespace quornet::table {

using namespace widgets;

namespace {
const PartOrigin local{QPoint(8, 96)};
// Two lines of status fit between the create-book boxes and the hand.
const QRect StatusLine = local(11, 200, 370, 17);
const QRect StatusTwoLines = local(11, 196, 370, 23);
// The create-book boxes lie side by side at this step; the hint over them.
constexpr int PlaceStep = 74;
const QRect AddHere = local(32, 120, 169, 57);
constexpr int AddHereFont = 16, AddHereSmallFont = 12;
} // namespace

PlayArea::PlayArea(TableModel& model, const TableZoom& zoom, QWidget* parent)
    : QWidget(parent), m_model(model), m_zoom(zoom)
{
    setObjectName("play_area");
    setGeometry(local.part(QSize(376, 124)));
    TableZoom::markPart(this);
    for (int i = 1; i <= PlaceCount; ++i) {
        const QRect r = local(11 + PlaceStep * (i - 1), 101, 71, 96);
        outline(this, r);
        m_places[std::size_t(i)] = clickPicture(this, QStringLiteral("acard_place%1").arg(i), r);
        connect(m_places[std::size_t(i)], &ClickLabel::pressed, this, [this, i](Qt::MouseButton b) {
            if (b == Qt::LeftButton) m_model.clickPlace(i);
        });
    }
    buildPilePreview();
    m_addHere = text(this, "label_addhere", tr("ADD CARDS TO THESE BOXES TO CREATE A BOOK"), AddHere,
                     AddHereFont, true, bgr(0x000080));
    m_addHere->setWordWrap(true);
    m_addHere->setAlignment(Qt::AlignCenter);
    // The hint lies under the boxes: the cards in them cover it, and clicks reach the boxes.
    m_addHere->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_addHere->lower();
    m_create = button(this, "button_create", tr("Create"), local(235, 119, 65, 32));
    m_clearBook = button(this, "button_clearbook", tr("Clear"), local(235, 154, 65, 32));
    connect(m_create, &QPushButton::clicked, this, [this] { m_model.clickCreate(); });
    connect(m_clearBook, &QPushButton::clicked, this, [this] { m_model.clickClearBook(); });

    outline(this, local(309, 99, 71, 96));
    m_discard = clickPicture(this, QStringLiteral("image_discard"), local(309, 99, 71, 96));
    m_besidePile = clickPicture(this, QStringLiteral("Image4"), local(362, 101, 18, 61));
    for (ClickLabel* l : {m_discard, m_besidePile})
        connect(l, &ClickLabel::pressed, this, [this](Qt::MouseButton b) {
            if (b == Qt::LeftButton) m_model.clickDiscard();
        });
    m_status = text(this, "label_status", {}, StatusLine, 13, true);
    m_discardedBy = text(this, "label_discardedby", {}, local(309, 179, 71, 16), 10, true, bgr(0x000080));
    m_discardedBy->setAlignment(Qt::AlignCenter);
    m_discardedBy->setStyleSheet(QStringLiteral("background: rgba(255, 255, 224, 210);"));
    m_discardedBy->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(&m_model, &TableModel::changed, this, &PlayArea::sync);
}

// The pick-up preview lies over the boxes, which are empty until the player has drawn.
void PlayArea::buildPilePreview()
{
    m_pilePreview = new QWidget(this);
    m_pilePreview->setObjectName("pile_preview");
    m_pilePreview->setGeometry(local(11, 101, 219, 96));
    m_pilePreview->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pilePreviewCaption = text(m_pilePreview, "label_previewcaption", {}, QRect(4, 2, 211, 16), 12, true, bgr(0x000080));
    for (int i = 0; i < int(m_pilePreviewCards.size()); ++i)
        m_pilePreviewCards[std::size_t(i)] = picture(m_pilePreview, QStringLiteral("preview%1").arg(i), QRect(6 + 22 * i, 22, 36, 48));
    m_pilePreviewMore = text(m_pilePreview, "label_previewmore", {}, QRect(4, 74, 211, 16), 11, true, bgr(0x000080));
    m_pilePreview->hide();
}

void PlayArea::setArt(const TableArt& art)
{
    m_art = &art;
    m_besidePile->setPixmap(art.besidePile);
    sync();
}

QPixmap PlayArea::cardPicture(int code) const { return m_art && m_art->card ? m_art->card(code) : QPixmap(); }

void PlayArea::sync()
{
    const TableState& s = m_model.state();
    syncPlaces();
    if (s.discardCard != 0)
        m_discard->setPixmap(cardPicture(s.discardCard));
    else
        m_discard->clear();
    // A new top is framed for a moment; the name of the seat that discarded it stays on it.
    const bool marked = s.justHappened.pileTop && s.discardCard != 0;
    m_discard->setStyleSheet(marked ? QStringLiteral("border: 3px solid #ffb000;") : QString());
    const QString by = s.discardCard != 0 && s.discardedBy != 0 ? s.seat(s.discardedBy).name : QString();
    m_discardedBy->setText(by);
    m_discardedBy->setVisible(!by.isEmpty());
    m_discardedBy->raise();
    m_zoom.fitText(m_status, s.status, StatusLine, 13, 9, StatusTwoLines);
    syncPilePreview();
    syncAddHere();
}

// The hint over the boxes: over all three while they are empty, else over the longest run of
// empty ones, in a smaller font, so the cards laid already stay in sight.
void PlayArea::syncAddHere()
{
    const TableState& s = m_model.state();
    m_addHere->setVisible(s.addHereVisible);
    if (!s.addHereVisible) return;
    int bestFirst = 0, bestCount = 0;
    for (int first = 1; first <= PlaceCount; ++first) {
        int count = 0;
        while (first + count <= PlaceCount && s.place(first + count).isEmpty()) ++count;
        if (count > bestCount) {
            bestFirst = first;
            bestCount = count;
        }
    }
    if (bestCount == PlaceCount || bestCount == 0) {
        m_zoom.place(m_addHere, AddHere);
        m_zoom.setBaseFontPixels(m_addHere, AddHereFont);
        return;
    }
    m_zoom.place(m_addHere, local(11 + PlaceStep * (bestFirst - 1) + 2, 101, PlaceStep * (bestCount - 1) + 71 - 4, 96));
    m_zoom.setBaseFontPixels(m_addHere, AddHereSmallFont);
}

void PlayArea::syncPlaces()
{
    const TableState& s = m_model.state();
    for (int i = 1; i <= PlaceCount; ++i) {
        const Place& p = s.place(i);
        ClickLabel* l = m_places[std::size_t(i)];
        if (p.isEmpty())
            l->clear();
        else
            l->setPixmap(cardPicture(p.code));
        const QString name = p.isEmpty() ? QString() : QString::fromStdString(cards::cardName(p.code));
        l->setToolTip(name);
        l->setAccessibleName(name);
    }
}

void PlayArea::syncPilePreview()
{
    const bool shown = m_model.pickUpPreviewShown();
    m_pilePreview->setVisible(shown);
    if (!shown) return;
    const PileTracker& pile = m_model.pileTracker();
    const QList<int> cards = pile.pickUpPreview();
    const int unknown = pile.pickUpUnknown();
    m_pilePreviewCaption->setText(tr("Taking the pile gives you:"));
    for (int i = 0; i < int(m_pilePreviewCards.size()); ++i) {
        QLabel* l = m_pilePreviewCards[std::size_t(i)];
        // The top card lies last, over the others, as on the pile.
        const int at = int(cards.size()) - 1 - i;
        if (at < 0) {
            l->hide();
            continue;
        }
        l->setPixmap(cardPicture(cards[at]));
        const QString name = QString::fromStdString(cards::cardName(cards[at]));
        l->setToolTip(name);
        l->setAccessibleName(name);
        l->show();
        l->raise();
    }
    m_pilePreviewMore->setText(unknown > 0 ? tr("and %1 more from under it, not seen").arg(unknown) : QString());
    m_pilePreview->raise();
}

} // namespace quornet::table
