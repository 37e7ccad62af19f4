// The joker card: a jester's bust with a three-horned belled cap, a ruff and a harlequin tunic,
// "JOKER" down the corners. Red and gold for the red joker, black and silver for the black one.
#include "art/cardpainter.h"
#include "art/suitshapes.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace quornet::art
{

namespace
{

constexpr qreal W = 71;
constexpr qreal H = 96;
constexpr qreal CX = 35.5;

struct JokerColours {
    QColor main;
    QColor second;
    QColor deep;
};

JokerColours coloursFor(bool red)
{
    if (red) return {QColor(0xcc, 0x14, 0x28), QColor(0xf4, 0xb8, 0x1c), QColor(0x80, 0x08, 0x14)};
    return {QColor(0x1e, 0x1e, 0x24), QColor(0xa8, 0xae, 0xba), QColor(0x08, 0x08, 0x0c)};
}

void drawCornerWord(QPainter& p, const JokerColours& c)
{
    const QString word = QStringLiteral("JOKER");
    for (int turn = 0; turn < 2; ++turn) {
        p.save();
        if (turn == 1) {
            p.translate(W, H);
            p.rotate(180);
        }
        p.setPen(c.main);
        p.setFont(artFont(7.5, false));
        for (int i = 0; i < word.size(); ++i)
            p.drawText(QRectF(2, 3 + i * 7.6, 11, 8), Qt::AlignCenter, word.mid(i, 1));
        p.setPen(Qt::NoPen);
        p.setBrush(c.second);
        p.drawPath(starPath(QPointF(7.5, 46), 3.6));
        p.restore();
    }
}

void drawTunic(QPainter& p, const JokerColours& c)
{
    QPainterPath body;
    body.moveTo(17, 88);
    body.cubicTo(17, 72, 22, 63, CX, 62);
    body.cubicTo(49, 63, 54, 72, 54, 88);
    body.closeSubpath();
    p.save();
    p.setClipPath(body);
    p.fillPath(body, c.main);
    p.setPen(Qt::NoPen);
    p.setBrush(c.second);
    for (int row = 0; row < 5; ++row)
        for (int col = -1; col < 6; ++col) {
            const qreal x = 14 + col * 10 + (row % 2) * 5, y = 62 + row * 6;
            QPainterPath d;
            d.moveTo(x, y - 3);
            d.lineTo(x + 5, y);
            d.lineTo(x, y + 3);
            d.lineTo(x - 5, y);
            d.closeSubpath();
            p.drawPath(d);
        }
    QLinearGradient shade(17, 0, 54, 0);
    shade.setColorAt(0, QColor(0, 0, 0, 70));
    shade.setColorAt(0.5, QColor(255, 255, 255, 30));
    shade.setColorAt(1, QColor(0, 0, 0, 80));
    p.fillPath(body, shade);
    p.restore();
    p.setPen(QPen(c.deep, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    // buttons
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xf4, 0xd0));
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(CX, 70 + i * 6), 1.2, 1.2);
}

void drawRuff(QPainter& p, const JokerColours& c)
{
    const int points = 9;
    for (int layer = 0; layer < 2; ++layer) {
        QPainterPath ruff;
        const qreal y = 60 + layer * 2.5, half = 17 - layer * 3;
        ruff.moveTo(CX - half, y);
        for (int i = 0; i < points; ++i) {
            const qreal x = CX - half + (2 * half) * (i + 0.5) / points;
            ruff.lineTo(x, y + 6.5);
            ruff.lineTo(CX - half + (2 * half) * (i + 1) / points, y);
        }
        ruff.quadTo(CX, y - 4, CX - half, y);
        p.setPen(QPen(c.deep, 0.6));
        p.setBrush(layer == 0 ? c.second : QColor(0xfa, 0xf7, 0xee));
        p.drawPath(ruff);
    }
}

void drawHat(QPainter& p, const JokerColours& c)
{
    struct Horn {
        QPointF tip;
        QPointF c1, c2;
        qreal baseL, baseR;
        bool main;
    };
    const Horn horns[] = {
        {{13, 26}, {24, 20}, {14, 16}, 24, 33, true},
        {{CX + 3, 8}, {CX - 6, 20}, {CX - 4, 10}, 31, 40, false},
        {{58, 26}, {47, 20}, {57, 16}, 38, 47, true},
    };
    for (const Horn& h : horns) {
        QPainterPath horn;
        horn.moveTo(h.baseL, 39);
        horn.cubicTo(h.c1 + QPointF(-2, 0), h.c2, h.tip);
        horn.cubicTo(h.c2 + QPointF(3, 4), h.c1 + QPointF(4, 2), QPointF(h.baseR, 39));
        horn.closeSubpath();
        QLinearGradient g(h.baseL, 39, h.tip.x(), h.tip.y());
        const QColor base = h.main ? c.main : c.second;
        g.setColorAt(0, base.darker(115));
        g.setColorAt(1, base.lighter(118));
        p.setPen(QPen(c.deep, 0.7));
        p.setBrush(g);
        p.drawPath(horn);
    }
    for (const Horn& h : horns) { // bells at the tips
        QRadialGradient bell(h.tip + QPointF(-0.8, -0.8), 3.2);
        bell.setColorAt(0, QColor(0xff, 0xf6, 0xc0));
        bell.setColorAt(1, QColor(0xc8, 0x90, 0x10));
        p.setPen(QPen(QColor(0x6a, 0x48, 0x08), 0.5));
        p.setBrush(bell);
        p.drawEllipse(h.tip, 2.8, 2.8);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x4a, 0x30, 0x04));
        p.drawEllipse(h.tip + QPointF(0, 1), 0.7, 0.7);
    }
    // the band
    QPainterPath band;
    band.moveTo(23, 41);
    band.quadTo(CX, 34, 48, 41);
    band.lineTo(48, 37.5);
    band.quadTo(CX, 31, 23, 37.5);
    band.closeSubpath();
    p.setPen(QPen(c.deep, 0.6));
    p.setBrush(c.second);
    p.drawPath(band);
    p.setPen(Qt::NoPen);
    p.setBrush(c.main);
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(26.5 + i * 6, 37.2 - (i == 1 || i == 2 ? 1.2 : 0)), 1, 1);
}

void drawFace(QPainter& p, const JokerColours& c)
{
    const QPointF fc(CX, 49);
    QRadialGradient skin(fc + QPointF(-2, -3), 13);
    skin.setColorAt(0, QColor(0xff, 0xec, 0xd8));
    skin.setColorAt(1, QColor(0xf0, 0xc6, 0x9e));
    p.setPen(QPen(QColor(0x9a, 0x62, 0x3a), 0.7));
    p.setBrush(skin);
    p.drawEllipse(fc, 10, 11.5);
    // cheeks
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf0, 0x78, 0x78, 110));
    p.drawEllipse(fc + QPointF(-6, 3.5), 2.4, 1.8);
    p.drawEllipse(fc + QPointF(6, 3.5), 2.4, 1.8);
    // eyes: merry arcs with a diamond of paint beneath
    p.setPen(QPen(QColor(0x2a, 0x1a, 0x10), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(fc.x() - 7, fc.y() - 4.5, 5, 4), 20 * 16, 140 * 16);
    p.drawArc(QRectF(fc.x() + 2, fc.y() - 4.5, 5, 4), 20 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(c.main);
    for (int s = -1; s <= 1; s += 2) {
        QPainterPath d;
        const QPointF e = fc + QPointF(s * 4.5, 0.8);
        d.moveTo(e + QPointF(0, -1.2));
        d.lineTo(e + QPointF(0.9, 0.6));
        d.lineTo(e + QPointF(0, 2.4));
        d.lineTo(e + QPointF(-0.9, 0.6));
        d.closeSubpath();
        p.drawPath(d);
    }
    // nose and grin
    QRadialGradient nose(fc + QPointF(-0.5, 1), 2.2);
    nose.setColorAt(0, QColor(0xff, 0x80, 0x80));
    nose.setColorAt(1, QColor(0xd0, 0x20, 0x20));
    p.setBrush(nose);
    p.drawEllipse(fc + QPointF(0, 1.8), 2, 2);
    QPainterPath grin;
    grin.moveTo(fc + QPointF(-5.5, 4.8));
    grin.quadTo(fc + QPointF(0, 11), fc + QPointF(5.5, 4.8));
    grin.quadTo(fc + QPointF(0, 7.4), fc + QPointF(-5.5, 4.8));
    p.setPen(QPen(QColor(0x70, 0x10, 0x10), 0.6));
    p.setBrush(QColor(0xb0, 0x18, 0x20));
    p.drawPath(grin);
}

} // namespace

void paintJoker(QPainter& p, bool red)
{
    const JokerColours c = coloursFor(red);
    paintCardBlank(p);
    // a soft halo behind the jester
    QRadialGradient halo(QPointF(CX, 44), 30);
    halo.setColorAt(0, red ? QColor(0xff, 0xe6, 0xa0, 150) : QColor(0xd8, 0xde, 0xea, 160));
    halo.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(QPointF(CX, 44), 30, 34);
    drawCornerWord(p, c);
    drawTunic(p, c);
    drawRuff(p, c);
    drawFace(p, c);
    drawHat(p, c);
}

} // namespace quornet::art
