// The 18 chat smileys (codes 10..27): smile, grin, wink, sad, surprised, tongue, cool, angry,
// laugh, heart, thumbs up, thumbs down, crying, kiss, confused, sleepy, devil, angel.
#include "art/artdraw.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace quornet::art::drawing
{

namespace
{

const QPointF C(8.5, 8.3);
constexpr qreal R = 7.2;
const QColor kInk(0x3a, 0x20, 0x00);

enum Face {
    Smile,
    Grin,
    Wink,
    Sad,
    Surprised,
    Tongue,
    Cool,
    Angry,
    Laugh,
    Heart,
    ThumbsUp,
    ThumbsDown,
    Crying,
    Kiss,
    Confused,
    Sleepy,
    Devil,
    Angel
};

void head(QPainter& p, QColor light, QColor dark, QColor line)
{
    QRadialGradient g(C + QPointF(-2.2, -2.6), R * 1.5);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setPen(QPen(line, 0.8));
    p.setBrush(g);
    p.drawEllipse(C, R, R);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawEllipse(C + QPointF(-2.6, -3.6), 2.4, 1.3);
}

void yellowHead(QPainter& p)
{
    head(p, QColor(0xff, 0xf6, 0x8a), QColor(0xf0, 0xae, 0x00), QColor(0x8a, 0x56, 0x00));
}

void dotEyes(QPainter& p, qreal dy = 0)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(C + QPointF(-2.6, -1.6 + dy), 0.95, 1.45);
    p.drawEllipse(C + QPointF(2.6, -1.6 + dy), 0.95, 1.45);
}

void arcMouth(QPainter& p, qreal y, qreal halfWidth, qreal depth)
{
    QPainterPath m;
    m.moveTo(C + QPointF(-halfWidth, y));
    m.quadTo(C + QPointF(0, y + depth), C + QPointF(halfWidth, y));
    p.setPen(QPen(kInk, 1.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(m);
}

void openMouth(QPainter& p, qreal y, qreal halfWidth, qreal depth, bool teeth)
{
    QPainterPath m;
    m.moveTo(C + QPointF(-halfWidth, y));
    m.quadTo(C + QPointF(0, y + depth * 2), C + QPointF(halfWidth, y));
    m.closeSubpath();
    p.setPen(QPen(kInk, 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0x8a, 0x14, 0x10));
    p.drawPath(m);
    if (teeth) {
        p.save();
        p.setClipPath(m);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0xff, 0xff));
        p.drawRect(QRectF(C.x() - halfWidth, C.y() + y, 2 * halfWidth, depth * 0.55));
        p.restore();
    }
}

void closedEyes(QPainter& p, bool happy)
{
    p.setPen(QPen(kInk, 0.95, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int s = -1; s <= 1; s += 2) {
        QPainterPath e;
        const QPointF c = C + QPointF(s * 2.6, -1.4);
        e.moveTo(c + QPointF(-1.5, happy ? 0.6 : -0.3));
        e.quadTo(c + QPointF(0, happy ? -1.6 : 1.3), c + QPointF(1.5, happy ? 0.6 : -0.3));
        p.drawPath(e);
    }
}

QPainterPath heartShape(QPointF c, qreal w, qreal h)
{
    const qreal x = c.x() - w / 2, y = c.y() - h / 2;
    QPainterPath hp;
    hp.moveTo(x + w / 2, y + h * 0.26);
    hp.cubicTo(x + w * 0.45, y, x, y, x + w * 0.02, y + h * 0.38);
    hp.cubicTo(x + w * 0.06, y + h * 0.62, x + w * 0.34, y + h * 0.78, x + w / 2, y + h);
    hp.cubicTo(x + w * 0.66, y + h * 0.78, x + w * 0.94, y + h * 0.62, x + w * 0.98, y + h * 0.38);
    hp.cubicTo(x + w, y, x + w * 0.55, y, x + w / 2, y + h * 0.26);
    hp.closeSubpath();
    return hp;
}

void thumb(QPainter& p, bool up)
{
    p.save();
    if (!up) {
        p.translate(17, 16);
        p.rotate(180);
    }
    QLinearGradient skin(0, 0, 17, 0);
    skin.setColorAt(0, QColor(0xff, 0xe4, 0x6a));
    skin.setColorAt(1, QColor(0xe8, 0xa4, 0x00));
    p.setPen(QPen(QColor(0x8a, 0x56, 0x00), 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(skin);
    QPainterPath t;
    t.moveTo(5.2, 7.4);
    t.lineTo(7.2, 2.4);
    t.quadTo(8.0, 0.6, 9.4, 1.4);
    t.quadTo(10.3, 2.2, 9.8, 4.2);
    t.lineTo(9.2, 6.6);
    t.lineTo(13.6, 6.6);
    t.quadTo(15.2, 6.8, 14.8, 8.4);
    t.lineTo(14.0, 13.4);
    t.quadTo(13.6, 15.0, 12.0, 15.0);
    t.lineTo(5.2, 15.0);
    t.closeSubpath();
    p.drawPath(t);
    p.setPen(QPen(QColor(0x8a, 0x56, 0x00), 0.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.6, 9.1), QPointF(14.4, 9.1));
    p.drawLine(QPointF(9.6, 11.4), QPointF(14.1, 11.4));
    p.drawLine(QPointF(9.6, 13.4), QPointF(13.6, 13.4));
    // cuff
    QLinearGradient cuff(0, 7, 0, 15.5);
    cuff.setColorAt(0, QColor(0x5c, 0x8c, 0xe0));
    cuff.setColorAt(1, QColor(0x1c, 0x40, 0x98));
    p.setPen(QPen(QColor(0x10, 0x28, 0x60), 0.7));
    p.setBrush(cuff);
    p.drawRoundedRect(QRectF(1.6, 6.8, 3.8, 8.6), 1, 1);
    p.restore();
}

void tear(QPainter& p, QPointF at)
{
    QPainterPath d;
    d.moveTo(at);
    d.quadTo(at + QPointF(1.6, 2.6), at + QPointF(0, 3.4));
    d.quadTo(at + QPointF(-1.6, 2.6), at);
    p.setPen(QPen(QColor(0x1c, 0x60, 0xb0), 0.5));
    p.setBrush(QColor(0x7c, 0xc4, 0xff));
    p.drawPath(d);
}

} // namespace

void drawSmiley(QPainter& p, int index)
{
    switch (Face(index)) {
    case Smile:
        yellowHead(p);
        dotEyes(p);
        arcMouth(p, 2.0, 3.8, 3.2);
        break;
    case Grin:
        yellowHead(p);
        dotEyes(p);
        openMouth(p, 1.4, 4.4, 2.6, true);
        break;
    case Wink: {
        yellowHead(p);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(C + QPointF(2.6, -1.6), 0.95, 1.45);
        p.setPen(QPen(kInk, 1.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(C + QPointF(-4.0, -1.4), C + QPointF(-1.3, -1.4));
        QPainterPath m;
        m.moveTo(C + QPointF(-3.6, 2.6));
        m.quadTo(C + QPointF(0.5, 5.8), C + QPointF(3.8, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(m);
        break;
    }
    case Sad:
        head(p, QColor(0xff, 0xf0, 0xa0), QColor(0xd8, 0xa8, 0x30), QColor(0x7a, 0x52, 0x10));
        dotEyes(p, 0.4);
        arcMouth(p, 4.6, 3.4, -2.8);
        break;
    case Surprised:
        yellowHead(p);
        p.setPen(QPen(kInk, 0.6));
        p.setBrush(QColor(0xff, 0xff, 0xff));
        p.drawEllipse(C + QPointF(-2.6, -1.9), 1.6, 2.0);
        p.drawEllipse(C + QPointF(2.6, -1.9), 1.6, 2.0);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(C + QPointF(-2.6, -1.7), 0.8, 0.9);
        p.drawEllipse(C + QPointF(2.6, -1.7), 0.8, 0.9);
        p.setPen(QPen(kInk, 0.8));
        p.setBrush(QColor(0x8a, 0x14, 0x10));
        p.drawEllipse(C + QPointF(0, 3.6), 1.7, 2.1);
        break;
    case Tongue: {
        yellowHead(p);
        dotEyes(p);
        arcMouth(p, 2.2, 3.8, 2.6);
        QPainterPath t;
        t.moveTo(C + QPointF(-0.4, 3.2));
        t.lineTo(C + QPointF(3.0, 3.0));
        t.quadTo(C + QPointF(3.4, 6.6), C + QPointF(1.2, 6.4));
        t.quadTo(C + QPointF(-0.6, 6.0), C + QPointF(-0.4, 3.2));
        p.setPen(QPen(QColor(0x90, 0x10, 0x30), 0.6));
        p.setBrush(QColor(0xf0, 0x60, 0x80));
        p.drawPath(t);
        break;
    }
    case Cool: {
        yellowHead(p);
        QPainterPath glasses;
        glasses.addRoundedRect(QRectF(C.x() - 6.2, C.y() - 3.4, 5.4, 3.6), 1.4, 1.4);
        glasses.addRoundedRect(QRectF(C.x() + 0.8, C.y() - 3.4, 5.4, 3.6), 1.4, 1.4);
        QLinearGradient lens(0, C.y() - 3.4, 0, C.y());
        lens.setColorAt(0, QColor(0x50, 0x50, 0x60));
        lens.setColorAt(1, QColor(0x05, 0x05, 0x08));
        p.setPen(QPen(QColor(0x05, 0x05, 0x08), 0.7));
        p.setBrush(lens);
        p.drawPath(glasses);
        p.drawLine(C + QPointF(-0.8, -2.6), C + QPointF(0.8, -2.6));
        p.setPen(QPen(QColor(255, 255, 255, 170), 0.6));
        p.drawLine(C + QPointF(-5.2, -2.6), C + QPointF(-4.0, -2.6));
        p.drawLine(C + QPointF(1.8, -2.6), C + QPointF(3.0, -2.6));
        QPainterPath m;
        m.moveTo(C + QPointF(-2.6, 3.4));
        m.quadTo(C + QPointF(1.2, 5.6), C + QPointF(3.6, 2.4));
        p.setPen(QPen(kInk, 1.0, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(m);
        break;
    }
    case Angry:
        head(p, QColor(0xff, 0xa0, 0x70), QColor(0xd8, 0x28, 0x10), QColor(0x70, 0x10, 0x00));
        p.setPen(QPen(QColor(0x30, 0x00, 0x00), 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(C + QPointF(-4.4, -4.0), C + QPointF(-1.2, -2.4));
        p.drawLine(C + QPointF(4.4, -4.0), C + QPointF(1.2, -2.4));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x30, 0x00, 0x00));
        p.drawEllipse(C + QPointF(-2.5, -0.6), 0.9, 1.1);
        p.drawEllipse(C + QPointF(2.5, -0.6), 0.9, 1.1);
        arcMouth(p, 4.4, 3.0, -1.6);
        break;
    case Laugh:
        yellowHead(p);
        closedEyes(p, true);
        openMouth(p, 1.2, 4.6, 3.0, false);
        tear(p, C + QPointF(-6.0, -0.4));
        tear(p, C + QPointF(6.0, -0.4));
        break;
    case Heart: {
        QPainterPath hp = heartShape(QPointF(8.5, 8.4), 15.6, 14.2);
        QRadialGradient g(QPointF(6, 5), 11);
        g.setColorAt(0, QColor(0xff, 0x8c, 0x9c));
        g.setColorAt(1, QColor(0xc0, 0x08, 0x24));
        p.setPen(QPen(QColor(0x70, 0x00, 0x10), 0.8));
        p.setBrush(g);
        p.drawPath(hp);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 150));
        p.drawEllipse(QPointF(5.2, 5.0), 1.8, 1.1);
        break;
    }
    case ThumbsUp:
        thumb(p, true);
        break;
    case ThumbsDown:
        thumb(p, false);
        break;
    case Crying:
        head(p, QColor(0xff, 0xf0, 0xa0), QColor(0xd8, 0xa8, 0x30), QColor(0x7a, 0x52, 0x10));
        closedEyes(p, false);
        arcMouth(p, 4.6, 3.0, -2.6);
        tear(p, C + QPointF(-3.2, 0.2));
        tear(p, C + QPointF(3.4, 0.6));
        break;
    case Kiss:
        yellowHead(p);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(C + QPointF(-2.6, -1.6), 0.95, 1.45);
        p.setPen(QPen(kInk, 1.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(C + QPointF(1.4, -1.4), C + QPointF(3.9, -1.4));
        p.setPen(QPen(QColor(0x90, 0x10, 0x20), 0.6));
        p.setBrush(QColor(0xe8, 0x30, 0x50));
        p.drawEllipse(C + QPointF(-0.6, 3.4), 1.5, 1.2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xe8, 0x20, 0x40));
        p.drawPath(heartShape(QPointF(14.2, 3.0), 5, 4.4));
        break;
    case Confused: {
        yellowHead(p);
        dotEyes(p);
        p.setPen(QPen(kInk, 0.9, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(C + QPointF(1.3, -4.3), C + QPointF(4.2, -3.5));
        QPainterPath m;
        m.moveTo(C + QPointF(-3.6, 3.6));
        m.cubicTo(C + QPointF(-1.8, 2.0), C + QPointF(-0.4, 5.0), C + QPointF(1.2, 3.6));
        m.cubicTo(C + QPointF(2.2, 2.6), C + QPointF(3.0, 3.2), C + QPointF(3.8, 3.4));
        p.setBrush(Qt::NoBrush);
        p.drawPath(m);
        break;
    }
    case Sleepy: {
        yellowHead(p);
        closedEyes(p, false);
        p.setPen(QPen(kInk, 0.8));
        p.setBrush(QColor(0x8a, 0x14, 0x10));
        p.drawEllipse(C + QPointF(0, 3.8), 1.2, 1.0);
        p.setPen(QColor(0x1c, 0x40, 0xa0));
        QFont f;
        f.setPixelSize(5);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(11.4, -0.6, 6, 6), Qt::AlignCenter, QStringLiteral("z"));
        break;
    }
    case Devil: {
        QPainterPath horns;
        horns.moveTo(C + QPointF(-5.6, -3.4));
        horns.quadTo(C + QPointF(-7.4, -6.8), C + QPointF(-6.4, -8.3));
        horns.quadTo(C + QPointF(-4.6, -6.6), C + QPointF(-3.0, -5.6));
        horns.moveTo(C + QPointF(5.6, -3.4));
        horns.quadTo(C + QPointF(7.4, -6.8), C + QPointF(6.4, -8.3));
        horns.quadTo(C + QPointF(4.6, -6.6), C + QPointF(3.0, -5.6));
        p.setPen(QPen(QColor(0x40, 0x00, 0x30), 0.6));
        p.setBrush(QColor(0x90, 0x10, 0x28));
        p.drawPath(horns);
        head(p, QColor(0xd8, 0x80, 0xf0), QColor(0x70, 0x20, 0xa8), QColor(0x38, 0x08, 0x58));
        p.setPen(QPen(QColor(0x20, 0x00, 0x30), 1.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(C + QPointF(-4.2, -3.4), C + QPointF(-1.4, -2.2));
        p.drawLine(C + QPointF(4.2, -3.4), C + QPointF(1.4, -2.2));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0xf0, 0x40));
        p.drawEllipse(C + QPointF(-2.5, -0.6), 0.9, 1.0);
        p.drawEllipse(C + QPointF(2.5, -0.6), 0.9, 1.0);
        QPainterPath m;
        m.moveTo(C + QPointF(-4.0, 2.0));
        m.quadTo(C + QPointF(0, 6.4), C + QPointF(4.0, 2.0));
        p.setPen(QPen(QColor(0x20, 0x00, 0x30), 1.0, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(m);
        break;
    }
    case Angel:
        yellowHead(p);
        p.setPen(QPen(QColor(0xd0, 0x98, 0x00), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8.5, 1.5), 5.0, 1.3);
        p.setPen(QPen(QColor(0xff, 0xf4, 0x90), 0.5));
        p.drawEllipse(QPointF(8.5, 1.5), 5.0, 1.3);
        closedEyes(p, true);
        arcMouth(p, 2.4, 3.0, 2.6);
        break;
    }
}

} // namespace quornet::art::drawing
