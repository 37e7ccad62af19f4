// Faces of the quick phrase buttons and of the smiley menu button: a small raised key with an
// icon. Phrase icons: thumbs up, star, target, trophy, light bulb, burst, heart, teammates,
// "GG", and the speaker of the sound menu.
#include "art/artdraw.h"
#include "art/suitshapes.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace quornet::art::drawing
{

namespace
{

constexpr qreal W = 25;
constexpr qreal H = 19;
constexpr int SmileyHeart = 9;
constexpr int SmileyThumbsUp = 10;
constexpr int SmileySmile = 0;

void keyFace(QPainter& p)
{
    const QRectF key(0.5, 0.5, W - 1, H - 1);
    QLinearGradient g(0, 0, 0, H);
    g.setColorAt(0, QColor(0xff, 0xff, 0xfa));
    g.setColorAt(0.5, QColor(0xf0, 0xf0, 0xe2));
    g.setColorAt(1, QColor(0xd2, 0xd6, 0xbe));
    p.setPen(QPen(QColor(0x6c, 0x72, 0x58), 1));
    p.setBrush(g);
    p.drawRoundedRect(key, 3.5, 3.5);
    p.setPen(QPen(QColor(255, 255, 255, 200), 0.8));
    p.drawLine(QPointF(3.5, 1.7), QPointF(W - 3.5, 1.7));
}

// Draws a smiley picture scaled into box.
void smileyIn(QPainter& p, int index, const QRectF& box)
{
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width() / 17.0, box.height() / 16.0);
    drawSmiley(p, index);
    p.restore();
}

void star(QPainter& p)
{
    QRadialGradient g(QPointF(11.5, 7.5), 8);
    g.setColorAt(0, QColor(0xff, 0xf6, 0xa0));
    g.setColorAt(1, QColor(0xf0, 0xa8, 0x00));
    p.setPen(QPen(QColor(0x8a, 0x5a, 0x00), 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(starPath(QPointF(12.5, 10), 7.6, 0.46));
}

void target(QPainter& p)
{
    const QPointF c(12.5, 9.5);
    const QColor ring[] = {QColor(0xc8, 0x14, 0x24), QColor(0xff, 0xff, 0xff),
                           QColor(0xc8, 0x14, 0x24), QColor(0xff, 0xff, 0xff),
                           QColor(0xc8, 0x14, 0x24)};
    const qreal r[] = {7.2, 5.6, 4.0, 2.5, 1.1};
    for (int i = 0; i < 5; ++i) {
        p.setPen(i == 0 ? QPen(QColor(0x60, 0x00, 0x08), 0.7) : QPen(Qt::NoPen));
        p.setBrush(ring[i]);
        p.drawEllipse(c, r[i], r[i]);
    }
    // a dart just off the centre: a near miss
    p.setPen(QPen(QColor(0x20, 0x20, 0x28), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14.4, 7.8), QPointF(20.6, 2.4));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2a, 0x7c, 0xd8));
    QPainterPath fl;
    fl.moveTo(20.6, 2.4);
    fl.lineTo(22.6, 1.6);
    fl.lineTo(21.4, 4.6);
    fl.closeSubpath();
    p.drawPath(fl);
}

void bulb(QPainter& p)
{
    // rays
    p.setPen(QPen(QColor(0xf0, 0xa0, 0x00), 0.9, Qt::SolidLine, Qt::RoundCap));
    const QPointF c(12.5, 8.0);
    for (int i = 0; i < 5; ++i) {
        const qreal a = M_PI + i * M_PI / 4;
        if (i == 2) continue; // no ray straight up: it would leave the key
        p.drawLine(c + QPointF(qCos(a), qSin(a)) * 6.4, c + QPointF(qCos(a) * 9.4, qSin(a) * 7.4));
    }
    QPainterPath glass;
    glass.moveTo(10.4, 12.2);
    glass.cubicTo(9.8, 10.2, 7.8, 9.6, 7.8, 7.0);
    glass.cubicTo(7.8, 4.2, 10.0, 2.6, 12.5, 2.6);
    glass.cubicTo(15.0, 2.6, 17.2, 4.2, 17.2, 7.0);
    glass.cubicTo(17.2, 9.6, 15.2, 10.2, 14.6, 12.2);
    glass.closeSubpath();
    QRadialGradient g(QPointF(11.2, 5.6), 6);
    g.setColorAt(0, QColor(0xff, 0xff, 0xe0));
    g.setColorAt(1, QColor(0xff, 0xd0, 0x30));
    p.setPen(QPen(QColor(0x8a, 0x60, 0x00), 0.7));
    p.setBrush(g);
    p.drawPath(glass);
    QLinearGradient metal(10, 0, 15, 0);
    metal.setColorAt(0, QColor(0x80, 0x84, 0x90));
    metal.setColorAt(0.5, QColor(0xe8, 0xea, 0xf0));
    metal.setColorAt(1, QColor(0x70, 0x74, 0x80));
    p.setPen(QPen(QColor(0x40, 0x44, 0x50), 0.5));
    p.setBrush(metal);
    p.drawRoundedRect(QRectF(10.3, 12.2, 4.4, 3.6), 0.8, 0.8);
    p.setPen(QPen(QColor(0x40, 0x44, 0x50), 0.5));
    p.drawLine(QPointF(10.4, 13.4), QPointF(14.6, 13.4));
    p.drawLine(QPointF(10.4, 14.6), QPointF(14.6, 14.6));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0x44, 0x50));
    p.drawEllipse(QPointF(12.5, 16.4), 1.2, 0.7);
}

void burst(QPainter& p)
{
    QPainterPath b;
    const QPointF c(12.5, 9.5);
    for (int i = 0; i < 24; ++i) {
        const qreal a = i * M_PI / 12;
        const qreal r = (i % 2 == 0) ? 8.2 : 5.6;
        const QPointF pt = c + QPointF(qCos(a) * r * 1.2, qSin(a) * r);
        if (i == 0)
            b.moveTo(pt);
        else
            b.lineTo(pt);
    }
    b.closeSubpath();
    QRadialGradient g(c, 9);
    g.setColorAt(0, QColor(0xff, 0xe8, 0x40));
    g.setColorAt(1, QColor(0xf0, 0x60, 0x10));
    p.setPen(QPen(QColor(0x90, 0x30, 0x00), 0.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(b);
    // a bold exclamation mark
    QPainterPath bang;
    bang.moveTo(11.2, 4.2);
    bang.lineTo(13.8, 4.2);
    bang.lineTo(13.1, 11.4);
    bang.lineTo(11.9, 11.4);
    bang.closeSubpath();
    bang.addEllipse(QPointF(12.5, 13.7), 1.35, 1.35);
    p.setPen(QPen(QColor(0xff, 0xf8, 0xd0), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bang);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xa0, 0x10, 0x10));
    p.drawPath(bang);
}

void teammates(QPainter& p)
{
    for (int i = 0; i < 2; ++i) {
        const qreal x = i == 0 ? 8.6 : 16.4;
        const int v = i;
        QLinearGradient body(0, 10, 0, 17);
        body.setColorAt(0, teamLight(v));
        body.setColorAt(1, teamDark(v));
        p.setPen(QPen(teamDark(v).darker(150), 0.7));
        p.setBrush(body);
        QPainterPath torso;
        torso.moveTo(x - 4.4, 17);
        torso.quadTo(x - 4.4, 10.2, x, 10.2);
        torso.quadTo(x + 4.4, 10.2, x + 4.4, 17);
        torso.closeSubpath();
        p.drawPath(torso);
        QRadialGradient skin(QPointF(x - 0.8, 5.2), 3.6);
        skin.setColorAt(0, QColor(0xff, 0xe6, 0xc8));
        skin.setColorAt(1, QColor(0xe0, 0xa8, 0x78));
        p.setPen(QPen(QColor(0x7a, 0x4a, 0x20), 0.6));
        p.setBrush(skin);
        p.drawEllipse(QPointF(x, 6.2), 3.0, 3.2);
    }
}

void goodGame(QPainter& p)
{
    QFont f = artFont(11, true, QFont::Black);
    QPainterPath t;
    const QFontMetricsF fm(f);
    const QRectF tight = fm.tightBoundingRect(QStringLiteral("GG"));
    t.addText(QPointF(12.5 - tight.center().x(), 9.5 - tight.center().y()), f,
              QStringLiteral("GG"));
    p.setPen(QPen(QColor(0xff, 0xff, 0xff), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(t);
    QLinearGradient g(0, 4, 0, 15);
    g.setColorAt(0, teamBase(0));
    g.setColorAt(0.5, teamBase(0));
    g.setColorAt(0.5001, teamBase(1));
    g.setColorAt(1, teamBase(1));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(t);
}

void speaker(QPainter& p)
{
    QPainterPath s;
    s.moveTo(5.5, 7.2);
    s.lineTo(8.4, 7.2);
    s.lineTo(12.4, 3.6);
    s.lineTo(12.4, 15.4);
    s.lineTo(8.4, 11.8);
    s.lineTo(5.5, 11.8);
    s.closeSubpath();
    QLinearGradient g(0, 3, 0, 16);
    g.setColorAt(0, QColor(0x70, 0x78, 0x88));
    g.setColorAt(1, QColor(0x28, 0x2c, 0x38));
    p.setPen(QPen(QColor(0x18, 0x1a, 0x20), 0.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(s);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const qreal r = 3.0 + i * 2.3;
        p.setPen(QPen(QColor(0x2a, 0x6c, 0xd0), 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(12.4 - r, 9.5 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }
}

} // namespace

void drawPhraseButton(QPainter& p, int index)
{
    keyFace(p);
    switch (index) {
    case 0:
        smileyIn(p, SmileyThumbsUp, QRectF(4.5, 1.6, 16, 15.2));
        break;
    case 1:
        star(p);
        break;
    case 2:
        target(p);
        break;
    case 3:
        drawTrophy(p, 12.5, 2.0, 15.5, 0);
        break;
    case 4:
        bulb(p);
        break;
    case 5:
        burst(p);
        break;
    case 6:
        smileyIn(p, SmileyHeart, QRectF(5.0, 2.0, 15, 14.4));
        break;
    case 7:
        teammates(p);
        break;
    case 8:
        goodGame(p);
        break;
    case 9:
        speaker(p);
        break;
    default:
        break;
    }
}

void drawSmileyButton(QPainter& p)
{
    keyFace(p);
    smileyIn(p, SmileySmile, QRectF(4.5, 1.5, 16, 15.1));
}

} // namespace quornet::art::drawing
