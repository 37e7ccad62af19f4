#include "art/suitshapes.h"

#include <QTransform>
#include <QtMath>

namespace quornet::art
{

namespace
{

QPainterPath unitHeart()
{
    QPainterPath p;
    p.moveTo(0.5, 0.24);
    p.cubicTo(0.47, 0.06, 0.31, -0.01, 0.18, 0.02);
    p.cubicTo(0.03, 0.06, -0.03, 0.24, 0.02, 0.40);
    p.cubicTo(0.08, 0.60, 0.32, 0.76, 0.5, 1.0);
    p.cubicTo(0.68, 0.76, 0.92, 0.60, 0.98, 0.40);
    p.cubicTo(1.03, 0.24, 0.97, 0.06, 0.82, 0.02);
    p.cubicTo(0.69, -0.01, 0.53, 0.06, 0.5, 0.24);
    p.closeSubpath();
    return p;
}

QPainterPath unitDiamond()
{
    QPainterPath p;
    p.moveTo(0.5, 0.0);
    p.quadTo(0.66, 0.30, 0.92, 0.5);
    p.quadTo(0.66, 0.70, 0.5, 1.0);
    p.quadTo(0.34, 0.70, 0.08, 0.5);
    p.quadTo(0.34, 0.30, 0.5, 0.0);
    p.closeSubpath();
    return p;
}

QPainterPath unitSpade()
{
    QPainterPath p;
    p.moveTo(0.5, 0.0);
    p.cubicTo(0.38, 0.18, 0.02, 0.36, 0.02, 0.58);
    p.cubicTo(0.02, 0.76, 0.26, 0.84, 0.45, 0.68);
    p.quadTo(0.42, 0.90, 0.26, 1.0);
    p.lineTo(0.74, 1.0);
    p.quadTo(0.58, 0.90, 0.55, 0.68);
    p.cubicTo(0.74, 0.84, 0.98, 0.76, 0.98, 0.58);
    p.cubicTo(0.98, 0.36, 0.62, 0.18, 0.5, 0.0);
    p.closeSubpath();
    return p;
}

QPainterPath unitClub()
{
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    const qreal r = 0.215;
    p.addEllipse(QPointF(0.5, 0.24), r, r);
    p.addEllipse(QPointF(0.24, 0.58), r, r);
    p.addEllipse(QPointF(0.76, 0.58), r, r);
    p.addEllipse(QPointF(0.5, 0.50), 0.14, 0.14);
    QPainterPath stem;
    stem.moveTo(0.46, 0.55);
    stem.quadTo(0.44, 0.88, 0.27, 1.0);
    stem.lineTo(0.73, 1.0);
    stem.quadTo(0.56, 0.88, 0.54, 0.55);
    stem.closeSubpath();
    p.addPath(stem);
    return p.simplified();
}

QPainterPath unitSuit(Suit suit)
{
    switch (suit) {
    case Suit::Clubs:
        return unitClub();
    case Suit::Diamonds:
        return unitDiamond();
    case Suit::Spades:
        return unitSpade();
    case Suit::Hearts:
        return unitHeart();
    }
    return {};
}

} // namespace

QPainterPath suitPath(Suit suit, const QRectF& box)
{
    QTransform t;
    t.translate(box.left(), box.top());
    t.scale(box.width(), box.height());
    return t.map(unitSuit(suit));
}

bool isRedSuit(Suit suit)
{
    return suit == Suit::Diamonds || suit == Suit::Hearts;
}

QColor suitColor(Suit suit)
{
    return isRedSuit(suit) ? QColor(0xc8, 0x10, 0x24) : QColor(0x16, 0x16, 0x1c);
}

QPainterPath starPath(QPointF c, qreal r, qreal innerRatio)
{
    QPainterPath p;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = (i % 2 == 0) ? r : r * innerRatio;
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt(c.x() + radius * qCos(a), c.y() + radius * qSin(a));
        if (i == 0)
            p.moveTo(pt);
        else
            p.lineTo(pt);
    }
    p.closeSubpath();
    return p;
}

QString faceRankText(int faceRank)
{
    switch (faceRank) {
    case 11:
        return QStringLiteral("J");
    case 12:
        return QStringLiteral("Q");
    case 13:
        return QStringLiteral("K");
    case 14:
        return QStringLiteral("A");
    default:
        return QString::number(faceRank);
    }
}

QString bookRankText(int rankValue)
{
    switch (rankValue) {
    case 0:
        return QStringLiteral("K");
    case 1:
        return QStringLiteral("A");
    case 11:
        return QStringLiteral("J");
    case 12:
        return QStringLiteral("Q");
    default:
        return QString::number(rankValue);
    }
}

QFont artFont(qreal pixelSize, bool serif, int weight)
{
    QFont f(serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
    f.setStyleHint(serif ? QFont::Serif : QFont::SansSerif, QFont::PreferAntialias);
    f.setPixelSize(qMax(1, qRound(pixelSize)));
    f.setWeight(QFont::Weight(weight));
    return f;
}

} // namespace quornet::art
