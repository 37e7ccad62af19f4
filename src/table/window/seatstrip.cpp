#include "table/window/seatstrip.h"

#include "table/core/tablemodel.h"
#include "table/window/clicklabel.h"
#include "table/window/tableart.h"
#include "table/window/tablewidgets.h"
#include "table/window/tablezoom.h"

#include <QLabel>

namespace quornet::table {

using namespace widgets;

namespace {
const int RowTops[] = {0, 11, 35, 58, 79};
const int FootTops[] = {0, 7, 29, 52, 75};
const int EyesTops[] = {0, 10, 34, 57, 81};
const QRect FullLine(248, 8, 129, 22);
} // namespace

SeatStrip::SeatStrip(TableModel& model, const TableZoom& zoom, QWidget* parent)
    : QWidget(parent), m_model(model), m_zoom(zoom)
{
    setObjectName("seat_strip");
    setGeometry(0, 0, 392, 100);
    TableZoom::markPart(this);
    m_green = picture(this, QStringLiteral("image_green"), QRect(0, 0, 391, 2));
    m_green->setStyleSheet(QStringLiteral("background:%1").arg(bgr(0x008000).name()));
    m_blue = picture(this, QStringLiteral("image_blue"), QRect(0, 0, 391, 2));
    m_blue->setStyleSheet(QStringLiteral("background:%1").arg(bgr(0x800000).name()));
    for (int s = 1; s <= SeatCount; ++s) buildSeat(s);
    m_turnMarker = picture(this, QStringLiteral("image_Turn"), QRect(22, 13, 10, 16));
    m_full = text(this, "label_full", {}, FullLine, 16, true);
    m_turn = text(this, "label_turn", {}, QRect(242, 69, 139, 16), 11, true);
    m_pickup = text(this, "label_pickup", {}, QRect(310, 85, 78, 14), 11, true);
    m_round = text(this, "label_round", {}, QRect(242, 85, 66, 14), 11, true);
    connect(&m_model, &TableModel::changed, this, &SeatStrip::sync);
}

void SeatStrip::buildSeat(int s)
{
    const auto i = std::size_t(s);
    const QColor c = bgr(s % 2 == 1 ? 0x008000 : 0x800000);
    m_foot[i] = picture(this, QStringLiteral("image_foot%1").arg(s), QRect(7, FootTops[s], 13, 24));
    m_eyes[i] = picture(this, QStringLiteral("image_eyes%1").arg(s), QRect(13, EyesTops[s], 24, 12));
    m_cardsLeft[i] = text(this, nullptr, {}, QRect(35, RowTops[s], 16, 16), 13, true, c);
    m_cardsLeft[i]->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_cardsLeft[i]->setObjectName(QStringLiteral("label_cardsleft%1").arg(s));
    m_name[i] = new ClickLabel(this);
    m_name[i]->setObjectName(QStringLiteral("label_playername%1").arg(s));
    m_name[i]->setGeometry(52, RowTops[s], 122, 16);
    m_name[i]->setFont(pixelFont(13, true));
    QPalette np = m_name[i]->palette();
    np.setColor(QPalette::WindowText, c);
    m_name[i]->setPalette(np);
    connect(m_name[i], &ClickLabel::pressed, this, [this, s](Qt::MouseButton b) {
        if (b == Qt::RightButton) emit seatMenuRequested(s);
    });
    m_score[i] = text(this, nullptr, QStringLiteral("0"), QRect(182, RowTops[s], 60, 16), 13, true, c);
    m_score[i]->setObjectName(QStringLiteral("label_score%1").arg(s));
}

void SeatStrip::setArt(const TableArt& art)
{
    for (int s = 1; s <= SeatCount; ++s) {
        m_foot[std::size_t(s)]->setPixmap(art.foot);
        m_eyes[std::size_t(s)]->setPixmap(art.eyes);
    }
    m_turnMarker->setPixmap(art.turnMarker);
}

void SeatStrip::sync()
{
    const TableState& s = m_model.state();
    for (int i = 1; i <= SeatCount; ++i) {
        const SeatView& v = s.seat(i);
        const auto k = std::size_t(i);
        m_name[k]->setText(v.name);
        // A held seat keeps its player's name, in italics, while the computer plays it.
        QFont f = m_name[k]->font();
        f.setItalic(v.held);
        m_name[k]->setFont(f);
        QString tip = m_model.isParticipantMuted(i) ? tr("Muted in this window") : QString();
        if (v.held) tip = tr("The seat is kept for %1 while the connection is lost.").arg(v.name);
        m_name[k]->setToolTip(tip);
        m_score[k]->setText(v.score);
        m_score[k]->setVisible(v.scoreVisible);
        m_cardsLeft[k]->setText(v.cardsLeft);
        // A count that just changed is lit for a moment.
        m_cardsLeft[k]->setStyleSheet(s.justHappened.countSeat == i ? QStringLiteral("background: #ffd040;") : QString());
        m_foot[k]->setVisible(v.footVisible);
        m_eyes[k]->setVisible(v.eyesVisible);
    }
    const int marker = s.turnMarkerSeat;
    m_zoom.move(m_turnMarker, QPoint(22, marker >= 1 && marker <= SeatCount ? RowTops[marker] : 13));
    m_turnMarker->setVisible(s.turnMarkerVisible);
    m_turn->setText(s.turnText);
    m_zoom.fitText(m_full, s.fullText, FullLine, 16, 10);
    const int round = m_model.roundNumber();
    m_round->setText(round > 0 ? tr("Round %1").arg(round) : QString());
    m_pickup->setText(s.pickupText);
    m_green->setVisible(s.teamStrip == 1);
    m_blue->setVisible(s.teamStrip == 2);
}

} // namespace quornet::table
