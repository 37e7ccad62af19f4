// Small seat and board icons: foot, eyes, turn marker, frame corner, team strip, the option
// check marks and the tab beside the discard pile.
#include "art/artdraw.h"
#include "art/suitshapes.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace quornet::art::drawing
{

void drawFoot(QPainter& p)
{
    QPainterPath sole;
    sole.moveTo(6.6, 23.3);
    sole.cubicTo(3.4, 23.3, 2.7, 19.4, 3.3, 16.2);
    sole.cubicTo(3.8, 13.4, 1.9, 11.6, 2.0, 9.4);
    sole.cubicTo(2.2, 7.0, 4.8, 6.4, 7.4, 6.6);
    sole.cubicTo(10.4, 6.8, 11.8, 8.6, 11.2, 11.2);
    sole.cubicTo(10.6, 13.6, 9.8, 15.6, 10.1, 18.2);
    sole.cubicTo(10.5, 21.6, 9.2, 23.3, 6.6, 23.3);
    sole.closeSubpath();
    QLinearGradient skin(2, 6, 11, 23);
    skin.setColorAt(0, QColor(0xe8, 0xb0, 0x7c));
    skin.setColorAt(1, QColor(0xb8, 0x74, 0x40));
    const QPen outline(QColor(0x6a, 0x3a, 0x16), 0.8);
    p.setPen(outline);
    p.setBrush(skin);
    p.drawPath(sole);
    struct Toe {
        qreal x, y, rx, ry;
    };
    const Toe toes[] = {{3.7, 3.6, 1.9, 2.3},
                        {6.7, 2.4, 1.35, 1.65},
                        {8.9, 2.8, 1.15, 1.45},
                        {10.7, 3.8, 1.0, 1.25},
                        {12.0, 5.3, 0.85, 1.05}};
    for (const Toe& t : toes) {
        QRadialGradient g(QPointF(t.x - 0.4, t.y - 0.5), t.ry * 1.4);
        g.setColorAt(0, QColor(0xf2, 0xc4, 0x96));
        g.setColorAt(1, QColor(0xc0, 0x7c, 0x48));
        p.setBrush(g);
        p.drawEllipse(QPointF(t.x, t.y), t.rx, t.ry);
    }
    // arch highlight
    p.setPen(QPen(QColor(255, 236, 210, 150), 0.9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath arch;
    arch.moveTo(4.4, 10);
    arch.quadTo(4.2, 14, 5.0, 18);
    p.drawPath(arch);
}

void drawEyes(QPainter& p)
{
    for (int i = 0; i < 2; ++i) {
        const QPointF c(6 + 12 * i, 6);
        QRadialGradient white(c + QPointF(-1, -1.5), 6);
        white.setColorAt(0, QColor(0xff, 0xff, 0xff));
        white.setColorAt(1, QColor(0xd4, 0xd8, 0xe0));
        p.setPen(QPen(QColor(0x30, 0x30, 0x38), 0.9));
        p.setBrush(white);
        p.drawEllipse(c, 5.3, 5.1);
        const QPointF iris = c + QPointF(1.2, 0.6);
        QRadialGradient blue(iris, 2.9);
        blue.setColorAt(0, QColor(0x5a, 0xa8, 0xe8));
        blue.setColorAt(1, QColor(0x1a, 0x4c, 0x90));
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawEllipse(iris, 2.8, 2.8);
        p.setBrush(QColor(0x08, 0x08, 0x10));
        p.drawEllipse(iris, 1.35, 1.35);
        p.setBrush(QColor(255, 255, 255, 230));
        p.drawEllipse(iris + QPointF(-0.9, -1.0), 0.75, 0.75);
        // upper lid line
        p.setPen(QPen(QColor(0x30, 0x30, 0x38), 1.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - 5.3, c.y() - 5.1, 10.6, 10.2), 25 * 16, 130 * 16);
    }
}

void drawTurnMarker(QPainter& p)
{
    QPainterPath arrow;
    arrow.moveTo(1.5, 1.8);
    arrow.lineTo(8.8, 8);
    arrow.lineTo(1.5, 14.2);
    arrow.quadTo(3.4, 8, 1.5, 1.8);
    arrow.closeSubpath();
    QLinearGradient fire(0, 0, 0, 16);
    fire.setColorAt(0, QColor(0xff, 0xc0, 0x40));
    fire.setColorAt(0.5, QColor(0xf0, 0x6a, 0x10));
    fire.setColorAt(1, QColor(0xc0, 0x30, 0x08));
    p.setPen(QPen(QColor(0x70, 0x20, 0x04), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fire);
    p.drawPath(arrow);
    p.setPen(QPen(QColor(255, 240, 200, 170), 0.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.0, 4.2), QPointF(6.6, 7.3));
}

void drawCorner(QPainter& p, int variant)
{
    p.save();
    if (variant == 1) { // mirrored for the board whose corner is at the bottom left
        p.translate(12, 0);
        p.scale(-1, 1);
    }
    QPainterPath arc;
    arc.moveTo(0, 11);
    arc.lineTo(3, 11);
    arc.quadTo(11, 11, 11, 3);
    arc.lineTo(11, 0);
    p.setPen(QPen(QColor(0x6b, 0x7a, 0x3c), 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    // a thin inner line follows the curve
    QPainterPath inner;
    inner.moveTo(0, 7.5);
    inner.quadTo(7.5, 7.5, 7.5, 0);
    p.setPen(QPen(QColor(0x6b, 0x7a, 0x3c, 110), 0.8, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(inner);
    p.restore();
}

void drawTeamStrip(QPainter& p, int variant, QSize size)
{
    QLinearGradient g(0, 0, size.width(), 0);
    g.setColorAt(0, teamDark(variant));
    g.setColorAt(0.5, teamLight(variant));
    g.setColorAt(1, teamDark(variant));
    p.fillRect(QRectF(0, 0, size.width(), size.height()), g);
}

void drawCheckMark(QPainter& p, bool on)
{
    const QRectF box(2.5, 2.5, 16, 16);
    QLinearGradient face(0, box.top(), 0, box.bottom());
    face.setColorAt(0, QColor(0xe6, 0xe8, 0xec));
    face.setColorAt(0.35, QColor(0xff, 0xff, 0xff));
    face.setColorAt(1, QColor(0xf4, 0xf5, 0xf8));
    p.setPen(QPen(QColor(0x4e, 0x58, 0x66), 1));
    p.setBrush(face);
    p.drawRoundedRect(box, 3, 3);
    p.setPen(QPen(QColor(0, 0, 0, 40), 1));
    p.drawLine(QPointF(4, 4), QPointF(17, 4));
    if (!on) return;
    QPainterPath tick;
    tick.moveTo(5.2, 10.6);
    tick.quadTo(7.8, 12.6, 10.2, 16.8);
    tick.quadTo(17.5, 5.8, 31.5, 1.8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x0e, 0x40, 0x12), 4.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    QLinearGradient green(0, 2, 0, 18);
    green.setColorAt(0, QColor(0x7c, 0xe0, 0x5c));
    green.setColorAt(1, QColor(0x1e, 0x9a, 0x2c));
    p.setPen(QPen(QBrush(green), 2.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
}

void drawDiscardTab(QPainter& p)
{
    const QRectF tab(0.5, 0.5, 17, 60);
    QLinearGradient g(0, 0, 18, 0);
    g.setColorAt(0, QColor(0x9a, 0x18, 0x20));
    g.setColorAt(0.45, QColor(0xc8, 0x30, 0x34));
    g.setColorAt(1, QColor(0x78, 0x0c, 0x14));
    p.setPen(QPen(QColor(0x50, 0x06, 0x0a), 1));
    p.setBrush(g);
    p.drawRoundedRect(tab, 4, 4);
    p.setPen(QPen(QColor(0xf0, 0xc8, 0x60), 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(tab.adjusted(1.6, 1.6, -1.6, -1.6), 2.6, 2.6);
    p.save();
    p.translate(9, 33);
    p.rotate(-90);
    p.setPen(QColor(0xff, 0xf4, 0xd8));
    QFont f = artFont(8, false);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    p.setFont(f);
    p.drawText(QRectF(-22, -6, 44, 12), Qt::AlignCenter, QStringLiteral("DISCARD"));
    p.restore();
    // a small arrow pointing at the pile
    QPainterPath arrow;
    arrow.moveTo(6, 54);
    arrow.lineTo(12, 54);
    arrow.lineTo(9, 57.5);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf0, 0xc8, 0x60));
    p.drawPath(arrow);
    QPainterPath up;
    up.moveTo(6, 7.5);
    up.lineTo(12, 7.5);
    up.lineTo(9, 4);
    up.closeSubpath();
    p.drawPath(up);
}

} // namespace quornet::art::drawing
