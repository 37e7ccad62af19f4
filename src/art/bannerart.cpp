// The larger pictures: turn arrows, game and round winner pictures, the completion badge, the
// board header bands, the logo and the tileable table background.
#include "art/artdraw.h"
#include "art/suitshapes.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace quornet::art::drawing
{

namespace
{

// Text drawn as a path with a dark outline under a light fill, centred in box.
void outlinedText(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                  const QBrush& fill, QColor outline, qreal outlineWidth)
{
    const QFontMetricsF fm(font);
    const QRectF tight = fm.tightBoundingRect(text);
    QPainterPath path;
    path.addText(
        QPointF(box.center().x() - tight.center().x(), box.center().y() - tight.center().y()), font,
        text);
    p.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
}

QLinearGradient goldGradient(qreal y0, qreal y1)
{
    QLinearGradient g(0, y0, 0, y1);
    g.setColorAt(0, QColor(0xff, 0xf0, 0xa0));
    g.setColorAt(0.4, QColor(0xf2, 0xc0, 0x38));
    g.setColorAt(0.75, QColor(0xc8, 0x8c, 0x14));
    g.setColorAt(1, QColor(0xe8, 0xb4, 0x30));
    return g;
}

const QColor kGoldLine(0x7a, 0x50, 0x08);

void sparkle(QPainter& p, QPointF c, qreal r)
{
    p.setPen(QPen(QColor(0x9a, 0x6a, 0x08), 0.5));
    p.setBrush(QColor(0xff, 0xd8, 0x40));
    p.drawPath(starPath(c, r));
}

// A ribbon banner across box with folded tails, team coloured, carrying text.
void drawRibbon(QPainter& p, const QRectF& box, int variant, const QString& text, qreal fontPx)
{
    const qreal tail = box.height() * 0.55;
    const qreal drop = box.height() * 0.28;
    for (int side = 0; side < 2; ++side) { // tails behind the band
        const qreal x = side == 0 ? box.left() : box.right();
        const qreal dir = side == 0 ? -1 : 1;
        QPainterPath t;
        t.moveTo(x - dir * tail * 0.2, box.top() + drop);
        t.lineTo(x + dir * tail * 0.55, box.top() + drop);
        t.lineTo(x + dir * tail * 0.3, box.top() + drop + box.height() * 0.5);
        t.lineTo(x + dir * tail * 0.55, box.bottom() + drop);
        t.lineTo(x - dir * tail * 0.2, box.bottom() + drop);
        t.closeSubpath();
        p.setPen(QPen(teamDark(variant).darker(150), 0.8));
        p.setBrush(teamDark(variant));
        p.drawPath(t);
    }
    QPainterPath band;
    band.moveTo(box.topLeft());
    band.quadTo(QPointF(box.center().x(), box.top() - box.height() * 0.18), box.topRight());
    band.lineTo(box.bottomRight());
    band.quadTo(QPointF(box.center().x(), box.bottom() - box.height() * 0.18), box.bottomLeft());
    band.closeSubpath();
    QLinearGradient g(0, box.top(), 0, box.bottom());
    g.setColorAt(0, teamLight(variant));
    g.setColorAt(0.45, teamBase(variant));
    g.setColorAt(1, teamDark(variant));
    p.setPen(QPen(teamDark(variant).darker(150), 1));
    p.setBrush(g);
    p.drawPath(band);
    p.setPen(QPen(QColor(0xff, 0xe0, 0x80, 200), 0.8));
    p.setBrush(Qt::NoBrush);
    QPainterPath stitch;
    stitch.moveTo(box.left() + 3, box.top() + 2.5);
    stitch.quadTo(QPointF(box.center().x(), box.top() - box.height() * 0.18 + 2.5),
                  QPointF(box.right() - 3, box.top() + 2.5));
    stitch.moveTo(box.left() + 3, box.bottom() - 2.5);
    stitch.quadTo(QPointF(box.center().x(), box.bottom() - box.height() * 0.18 - 2.5),
                  QPointF(box.right() - 3, box.bottom() - 2.5));
    p.drawPath(stitch);
    outlinedText(p, box.translated(0, -box.height() * 0.08), text,
                 artFont(fontPx, false, QFont::Black), QColor(0xff, 0xff, 0xff),
                 teamDark(variant).darker(160), 2.4);
}

} // namespace

void drawTrophy(QPainter& p, qreal cx, qreal top, qreal h, int variant)
{
    const qreal s = h / 60.0;
    auto P = [&](qreal x, qreal y) { return QPointF(cx + x * s, top + y * s); };
    // handles
    p.setPen(QPen(kGoldLine, 5.2 * s, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath handles;
    handles.moveTo(P(-15, 6));
    handles.cubicTo(P(-29, 4), P(-29, 24), P(-11, 27));
    handles.moveTo(P(15, 6));
    handles.cubicTo(P(29, 4), P(29, 24), P(11, 27));
    p.drawPath(handles);
    p.setPen(QPen(QBrush(goldGradient(top, top + 30 * s)), 3.0 * s, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(handles);
    // bowl
    QPainterPath bowl;
    bowl.moveTo(P(-18, 2));
    bowl.lineTo(P(18, 2));
    bowl.cubicTo(P(18, 22), P(10, 32), P(3, 34));
    bowl.lineTo(P(-3, 34));
    bowl.cubicTo(P(-10, 32), P(-18, 22), P(-18, 2));
    bowl.closeSubpath();
    QLinearGradient shine(P(-18, 0), P(18, 0));
    shine.setColorAt(0, QColor(0xc0, 0x84, 0x10));
    shine.setColorAt(0.3, QColor(0xff, 0xf2, 0xb0));
    shine.setColorAt(0.55, QColor(0xf0, 0xbc, 0x30));
    shine.setColorAt(1, QColor(0xa8, 0x6c, 0x08));
    p.setPen(QPen(kGoldLine, 0.9 * s));
    p.setBrush(shine);
    p.drawPath(bowl);
    p.setBrush(QColor(0xa0, 0x68, 0x08));
    p.drawEllipse(QRectF(P(-18, 0), P(18, 4.5)));
    // stem and base
    QPainterPath stem;
    stem.moveTo(P(-3, 34));
    stem.lineTo(P(3, 34));
    stem.quadTo(P(2, 40), P(7, 45));
    stem.lineTo(P(-7, 45));
    stem.quadTo(P(-2, 40), P(-3, 34));
    p.setBrush(shine);
    p.drawPath(stem);
    const QRectF plinth(P(-15, 45), P(15, 58));
    QLinearGradient team(plinth.topLeft(), plinth.bottomLeft());
    team.setColorAt(0, teamLight(variant));
    team.setColorAt(0.5, teamBase(variant));
    team.setColorAt(1, teamDark(variant));
    p.setPen(QPen(teamDark(variant).darker(140), 0.9 * s));
    p.setBrush(team);
    p.drawRoundedRect(plinth, 2 * s, 2 * s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xe0, 0x70));
    p.drawPath(starPath(plinth.center(), 4.2 * s));
    // star on the bowl
    p.setPen(QPen(kGoldLine, 0.6 * s));
    p.setBrush(QColor(0xff, 0xfa, 0xe0));
    p.drawPath(starPath(P(0, 15), 6.5 * s));
}

void drawArrow(QPainter& p, int variant, QSize size)
{
    const qreal w = size.width(), h = size.height();
    const qreal head = 18;
    QPainterPath arrow;
    // drawn pointing right; the green one is mirrored to point at its board on the left
    arrow.moveTo(1, 4);
    arrow.lineTo(w - head, 4);
    arrow.lineTo(w - head, 0.8);
    arrow.lineTo(w - 1, h / 2);
    arrow.lineTo(w - head, h - 0.8);
    arrow.lineTo(w - head, h - 4);
    arrow.lineTo(1, h - 4);
    arrow.quadTo(4, h / 2, 1, 4);
    arrow.closeSubpath();
    p.save();
    if (variant == 0) {
        p.translate(w, 0);
        p.scale(-1, 1);
    }
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, teamLight(variant));
    g.setColorAt(0.5, teamBase(variant));
    g.setColorAt(1, teamDark(variant));
    p.setPen(QPen(teamDark(variant).darker(150), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(arrow);
    QLinearGradient gloss(0, 4, 0, h / 2);
    gloss.setColorAt(0, QColor(255, 255, 255, 120));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawRect(QRectF(4, 5, w - head - 6, h / 2 - 5));
    p.restore();
    const QRectF textBox =
        variant == 0 ? QRectF(head, 4, w - head - 2, h - 8) : QRectF(2, 4, w - head - 2, h - 8);
    outlinedText(p, textBox, QCoreApplication::translate("BannerArt", "YOUR TURN"), artFont(11, false, QFont::Black),
                 QColor(0xff, 0xff, 0xff), teamDark(variant).darker(170), 2.0);
}

void drawGameWinner(QPainter& p, int variant, QSize size)
{
    const qreal w = size.width(), h = size.height();
    const QPointF c(w / 2, h * 0.36);
    // rays behind the trophy
    QRadialGradient glow(c, h * 0.45);
    glow.setColorAt(0, QColor(0xff, 0xf0, 0xa0, 230));
    glow.setColorAt(0.6, QColor(0xff, 0xe0, 0x70, 110));
    glow.setColorAt(1, QColor(0xff, 0xe0, 0x70, 0));
    QPainterPath rays;
    for (int i = 0; i < 16; ++i) {
        const qreal a0 = i * M_PI / 8, a1 = a0 + M_PI / 16;
        rays.moveTo(c);
        rays.lineTo(c + QPointF(qCos(a0), qSin(a0)) * h * 0.48);
        rays.lineTo(c + QPointF(qCos(a1), qSin(a1)) * h * 0.48);
        rays.closeSubpath();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawPath(rays);
    drawTrophy(p, w / 2, 4, h * 0.58, variant);
    sparkle(p, QPointF(w * 0.18, h * 0.16), 5);
    sparkle(p, QPointF(w * 0.83, h * 0.12), 6);
    sparkle(p, QPointF(w * 0.88, h * 0.42), 4);
    sparkle(p, QPointF(w * 0.12, h * 0.46), 4.5);
    drawRibbon(p, QRectF(w * 0.12, h * 0.66, w * 0.76, h * 0.24), variant,
               QStringLiteral("WINNERS!"), 17);
}

void drawRoundWinner(QPainter& p, int variant, QSize size)
{
    const qreal w = size.width(), h = size.height();
    const QPointF c(w / 2, h * 0.40);
    const qreal R = qMin(w, h) * 0.38;
    // two tails below the rosette
    for (int side = -1; side <= 1; side += 2) {
        QPainterPath tail;
        const qreal x = c.x() + side * R * 0.28;
        tail.moveTo(x - R * 0.24, c.y());
        tail.lineTo(x + R * 0.24, c.y());
        tail.lineTo(x + side * R * 0.35 + R * 0.24, h - 2);
        tail.lineTo(x + side * R * 0.35, h - 9);
        tail.lineTo(x + side * R * 0.35 - R * 0.24, h - 2);
        tail.closeSubpath();
        QLinearGradient g(x - R * 0.3, 0, x + R * 0.3, 0);
        g.setColorAt(0, teamDark(variant));
        g.setColorAt(0.5, teamBase(variant));
        g.setColorAt(1, teamDark(variant));
        p.setPen(QPen(teamDark(variant).darker(150), 0.8));
        p.setBrush(g);
        p.drawPath(tail);
    }
    // pleated petals
    QPainterPath petals;
    const int n = 22;
    for (int i = 0; i <= n; ++i) {
        const qreal a = i * 2 * M_PI / n;
        const qreal am = (i + 0.5) * 2 * M_PI / n;
        const QPointF outer = c + QPointF(qCos(a), qSin(a)) * R;
        const QPointF dip = c + QPointF(qCos(am), qSin(am)) * R * 0.9;
        if (i == 0)
            petals.moveTo(outer);
        else
            petals.quadTo(c + QPointF(qCos(a - M_PI / n), qSin(a - M_PI / n)) * R * 1.06, outer);
        if (i < n) petals.lineTo(dip), petals.lineTo(outer);
    }
    QRadialGradient rg(c, R);
    rg.setColorAt(0.55, teamDark(variant));
    rg.setColorAt(0.8, teamBase(variant));
    rg.setColorAt(1, teamLight(variant));
    p.setPen(QPen(teamDark(variant).darker(150), 0.9));
    p.setBrush(rg);
    p.drawPath(petals);
    // gold disc
    const qreal r = R * 0.68;
    p.setPen(QPen(kGoldLine, 1));
    p.setBrush(goldGradient(c.y() - r, c.y() + r));
    p.drawEllipse(c, r, r);
    p.setPen(QPen(QColor(0xff, 0xf6, 0xc8), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r - 3, r - 3);
    outlinedText(p, QRectF(c.x() - r, c.y() - r * 0.62, 2 * r, r * 0.6), QCoreApplication::translate("BannerArt", "ROUND", "the rosette's upper word"),
                 artFont(11, false, QFont::Black), teamDark(variant), QColor(0xff, 0xf4, 0xc8),
                 2.0);
    outlinedText(p, QRectF(c.x() - r, c.y() + r * 0.02, 2 * r, r * 0.6), QCoreApplication::translate("BannerArt", "WON", "the rosette's lower word"),
                 artFont(13, false, QFont::Black), teamDark(variant), QColor(0xff, 0xf4, 0xc8),
                 2.0);
    p.setPen(QPen(QColor(0x9a, 0x6a, 0x10), 0.7));
    p.drawLine(QPointF(c.x() - r * 0.55, c.y() + 0.5), QPointF(c.x() + r * 0.55, c.y() + 0.5));
}

void drawBadge(QPainter& p, QSize size)
{
    const QRectF pill(0.5, 0.5, size.width() - 1, size.height() - 1);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(0xd0, 0x30, 0x3c));
    g.setColorAt(0.5, QColor(0xa0, 0x14, 0x24));
    g.setColorAt(1, QColor(0x6c, 0x06, 0x12));
    p.setPen(QPen(QColor(0x48, 0x04, 0x0a), 1));
    p.setBrush(g);
    p.drawRoundedRect(pill, 11, 11);
    p.setPen(QPen(QColor(0xf2, 0xc8, 0x50), 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(pill.adjusted(1.8, 1.8, -1.8, -1.8), 9.5, 9.5);
    QLinearGradient gloss(0, 2, 0, size.height() / 2.0);
    gloss.setColorAt(0, QColor(255, 255, 255, 90));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawRoundedRect(QRectF(5, 3, size.width() - 10, size.height() / 2.0 - 3), 6, 6);
}

void drawHeader(QPainter& p, int variant, QSize size)
{
    const qreal w = size.width(), h = size.height();
    QPainterPath band;
    band.addRoundedRect(QRectF(0, 0, w, h), 6, 6);
    QPainterPath square; // only the top corners are round
    square.addRect(QRectF(0, h / 2, w, h / 2));
    band = band.united(square);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, teamBase(variant).lighter(118));
    g.setColorAt(0.5, teamBase(variant));
    g.setColorAt(1, teamDark(variant));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(band);
    // faint suit watermark
    p.save();
    p.setClipPath(band);
    p.setBrush(QColor(255, 255, 255, 22));
    const Suit suits[] = {Suit::Spades, Suit::Hearts, Suit::Clubs, Suit::Diamonds};
    for (int i = 0; i * 22 < w + 22; ++i)
        p.drawPath(suitPath(suits[i % 4], QRectF(i * 22 + 3, (i % 2) ? 19 : 3, 14, 15)));
    QLinearGradient gloss(0, 0, 0, h * 0.5);
    gloss.setColorAt(0, QColor(255, 255, 255, 80));
    gloss.setColorAt(1, QColor(255, 255, 255, 10));
    p.setBrush(gloss);
    p.drawRect(QRectF(0, 0, w, h * 0.48));
    p.restore();
    p.setPen(QPen(QColor(0xe8, 0xc0, 0x50), 1.2));
    p.drawLine(QPointF(0, h - 0.8), QPointF(w, h - 0.8));
    p.setPen(QPen(teamDark(variant).darker(130), 1));
    p.setBrush(Qt::NoBrush);
    QPainterPath outline;
    outline.moveTo(0.5, h);
    outline.lineTo(0.5, 6);
    outline.quadTo(0.5, 0.5, 6, 0.5);
    outline.lineTo(w - 6, 0.5);
    outline.quadTo(w - 0.5, 0.5, w - 0.5, 6);
    outline.lineTo(w - 0.5, h);
    p.drawPath(outline);
}

void drawLogo(QPainter& p, QSize size)
{
    const qreal h = size.height();
    // a small fan of three cards
    const QPointF pivot(11, h - 2);
    const int codes[3] = {-14, 0, 14};
    const Suit suits[3] = {Suit::Spades, Suit::Diamonds, Suit::Hearts};
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(pivot);
        p.rotate(codes[i]);
        const QRectF card(-6, -19, 12, 17);
        p.setPen(QPen(QColor(0x50, 0x50, 0x58), 0.7));
        p.setBrush(QColor(0xff, 0xfe, 0xf8));
        p.drawRoundedRect(card, 1.8, 1.8);
        p.setPen(Qt::NoPen);
        p.setBrush(suitColor(suits[i]));
        p.drawPath(suitPath(suits[i], QRectF(-3.4, -14.5, 6.8, 7.5)));
        p.restore();
    }
    QFont f = artFont(20, true, QFont::Black);
    f.setItalic(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.4);
    QLinearGradient fill(0, 2, 0, h - 2);
    fill.setColorAt(0, QColor(0x5c, 0xd0, 0x5a));
    fill.setColorAt(0.5, QColor(0x1e, 0x8a, 0x34));
    fill.setColorAt(0.51, QColor(0x2a, 0x62, 0xc0));
    fill.setColorAt(1, QColor(0x18, 0x3a, 0x86));
    outlinedText(p, QRectF(24, 0, size.width() - 26, h), QStringLiteral("Quornet"), f, fill,
                 QColor(0xff, 0xfc, 0xe8), 3.0);
    QPainterPath path;
    const QFontMetricsF fm(f);
    const QRectF tight = fm.tightBoundingRect(QStringLiteral("Quornet"));
    const QRectF box(24, 0, size.width() - 26, h);
    path.addText(
        QPointF(box.center().x() - tight.center().x(), box.center().y() - tight.center().y()), f,
        QStringLiteral("Quornet"));
    p.setPen(QPen(QColor(0x10, 0x28, 0x20), 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void drawBackground(QPainter& p, QSize size)
{
    // Linen weave in the window's cream: every thread spans the whole tile, so tiles join.
    const int w = size.width(), h = size.height();
    p.fillRect(QRect(0, 0, w, h), QColor(0xf4, 0xf5, 0xd6));
    quint32 seed = 0x2545F491u;
    auto next = [&seed]() {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 16) & 0xff;
    };
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int y = 0; y < h; y += 2) {
        const int a = 6 + int(next() % 14);
        p.fillRect(QRect(0, y, w, 1), QColor(0x9a, 0x96, 0x60, a));
    }
    for (int x = 0; x < w; x += 2) {
        const int a = 5 + int(next() % 12);
        p.fillRect(QRect(x, 0, 1, h), QColor(0xa8, 0xa0, 0x60, a));
    }
    for (int i = 0; i < 140; ++i) { // slubs: short thicker bits of thread
        const int x = int(next() % unsigned(w)), y = int(next() % unsigned(h / 2)) * 2;
        const int len = 3 + int(next() % 6);
        const QColor c = (i % 3) ? QColor(0x8a, 0x84, 0x50, 22) : QColor(0xff, 0xff, 0xf0, 60);
        for (int k = 0; k < len; ++k)
            p.fillRect(QRect((x + k) % w, y, 1, 1), c);
    }
}

} // namespace quornet::art::drawing
