// Book tops (the top card of a book, one per rank, plain for normal books and gold-framed with
// stars for wild books) and the card edges stacked under them.
#include "art/artdraw.h"
#include "art/suitshapes.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace quornet::art::drawing
{

namespace
{

constexpr qreal W = 36;
constexpr qreal H = 48;
const QRectF kCard(0.5, 0.5, W - 1, H - 1);

void drawCornerRank(QPainter& p, const QString& rank, QColor ink)
{
    p.setPen(ink);
    p.setFont(artFont(rank.size() > 1 ? 7 : 8, false));
    for (int turn = 0; turn < 2; ++turn) {
        p.save();
        if (turn == 1) {
            p.translate(W, H);
            p.rotate(180);
        }
        p.drawText(QRectF(2.5, 2.5, 10, 9), Qt::AlignCenter, rank);
        p.restore();
    }
}

void drawBigRank(QPainter& p, const QString& rank, QColor ink, QColor glow)
{
    QFont f = artFont(rank.size() > 1 ? 17 : 22, true);
    if (rank.size() > 1) f.setLetterSpacing(QFont::AbsoluteSpacing, -1.5);
    const QRectF box(0, 9, W, 30);
    QPainterPath text;
    const QFontMetricsF fm(f);
    const QRectF tight = fm.tightBoundingRect(rank);
    const qreal x = box.center().x() - tight.center().x();
    const qreal y = box.center().y() - tight.center().y();
    text.addText(QPointF(x, y), f, rank);
    p.setPen(QPen(glow, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(text);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(text);
}

} // namespace

QColor teamBase(int variant)
{
    return variant == 1 ? QColor(0x2a, 0x5c, 0xb4) : QColor(0x2c, 0x8c, 0x3c);
}
QColor teamDark(int variant)
{
    return variant == 1 ? QColor(0x14, 0x34, 0x78) : QColor(0x17, 0x58, 0x22);
}
QColor teamLight(int variant)
{
    return variant == 1 ? QColor(0x86, 0xb2, 0xf0) : QColor(0x90, 0xd8, 0x7c);
}

void drawBookTop(QPainter& p, int rankValue, bool wild)
{
    const QString rank = bookRankText(rankValue);
    if (!wild) {
        QLinearGradient paper(0, 0, W * 0.5, H);
        paper.setColorAt(0, QColor(0xff, 0xff, 0xff));
        paper.setColorAt(1, QColor(0xee, 0xee, 0xe6));
        p.setPen(QPen(QColor(0x55, 0x58, 0x60), 1));
        p.setBrush(paper);
        p.drawRoundedRect(kCard, 3, 3);
        p.setPen(QPen(QColor(0x6c, 0x86, 0xb4), 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(kCard.adjusted(2.5, 2.5, -2.5, -2.5), 1.5, 1.5);
        drawBigRank(p, rank, QColor(0x1a, 0x2a, 0x5a), QColor(0xff, 0xff, 0xff));
        drawCornerRank(p, rank, QColor(0x1a, 0x2a, 0x5a));
        return;
    }
    // wild: a gold frame around a warm card, stars in two corners, the rank in deep red
    QLinearGradient gold(0, 0, W, H);
    gold.setColorAt(0, QColor(0xff, 0xe8, 0x8c));
    gold.setColorAt(0.45, QColor(0xd8, 0xa2, 0x28));
    gold.setColorAt(0.7, QColor(0xff, 0xdc, 0x70));
    gold.setColorAt(1, QColor(0xa8, 0x72, 0x10));
    p.setPen(QPen(QColor(0x7a, 0x50, 0x08), 1));
    p.setBrush(gold);
    p.drawRoundedRect(kCard, 3, 3);
    const QRectF inner = kCard.adjusted(2.5, 2.5, -2.5, -2.5);
    QLinearGradient cream(0, 0, 0, H);
    cream.setColorAt(0, QColor(0xff, 0xfa, 0xe6));
    cream.setColorAt(1, QColor(0xf8, 0xe6, 0xb4));
    p.setPen(QPen(QColor(0x9a, 0x6c, 0x10), 0.6));
    p.setBrush(cream);
    p.drawRoundedRect(inner, 1.5, 1.5);
    p.setPen(QPen(QColor(0x8a, 0x5a, 0x08), 0.5));
    p.setBrush(QColor(0xf0, 0xb4, 0x20));
    p.drawPath(starPath(QPointF(W - 8.5, 8.5), 4.2));
    p.drawPath(starPath(QPointF(8.5, H - 8.5), 4.2));
    drawBigRank(p, rank, QColor(0xa8, 0x10, 0x1c), QColor(0xff, 0xf6, 0xd8));
    p.save();
    p.setPen(QColor(0xa8, 0x10, 0x1c));
    p.setFont(artFont(rank.size() > 1 ? 7 : 8, false));
    p.drawText(QRectF(2.5, 2.5, 10, 9), Qt::AlignCenter, rank);
    p.translate(W, H);
    p.rotate(180);
    p.drawText(QRectF(2.5, 2.5, 10, 9), Qt::AlignCenter, rank);
    p.restore();
}

void drawCardEdge(QPainter& p, int index)
{
    // Only a few pixels at the left show under the next card; a soft shadow band there and a
    // slightly different paper per card make the stack read as separate cards.
    static const int tint[5] = {0, 5, 2, 7, 3};
    const int t = tint[qBound(0, index, 4)];
    QLinearGradient paper(0, 0, W, 0);
    paper.setColorAt(0, QColor(0xfc - t, 0xfc - t, 0xf8 - t));
    paper.setColorAt(1, QColor(0xee - t, 0xee - t, 0xe6 - t));
    p.setPen(QPen(QColor(0x55, 0x58, 0x60), 1));
    p.setBrush(paper);
    p.drawRoundedRect(kCard, 3, 3);
    QLinearGradient shade(1, 0, 6, 0);
    shade.setColorAt(0, QColor(0x6c, 0x86, 0xb4, 90));
    shade.setColorAt(1, QColor(0x6c, 0x86, 0xb4, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawRoundedRect(kCard.adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
}

} // namespace quornet::art::drawing
