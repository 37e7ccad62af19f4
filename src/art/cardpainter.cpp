#include "art/cardpainter.h"

#include "art/artcanvas.h"
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
const QRectF kCard(0.5, 0.5, W - 1, H - 1);

// Draws the suit symbol centred on c, w x h, turned upside down when flipped.
void drawPip(QPainter& p, Suit suit, QPointF c, qreal w, qreal h, bool flipped)
{
    p.save();
    p.translate(c);
    if (flipped) p.rotate(180);
    const QPainterPath path = suitPath(suit, QRectF(-w / 2, -h / 2, w, h));
    p.setPen(Qt::NoPen);
    p.setBrush(suitColor(suit));
    p.drawPath(path);
    p.restore();
}

// The rank and a small suit in the top left corner and, turned, in the bottom right.
void drawIndices(QPainter& p, Suit suit, const QString& rank)
{
    for (int turn = 0; turn < 2; ++turn) {
        p.save();
        if (turn == 1) {
            p.translate(W, H);
            p.rotate(180);
        }
        p.setPen(suitColor(suit));
        QFont f = artFont(rank.size() > 1 ? 11 : 13, true);
        if (rank.size() > 1) f.setLetterSpacing(QFont::AbsoluteSpacing, -1.2);
        p.setFont(f);
        p.drawText(QRectF(0, 2, 15, 15), Qt::AlignCenter, rank);
        drawPip(p, suit, QPointF(7.5, 22), 8, 9, false);
        p.restore();
    }
}

// Pip centres of the number cards; pips below the middle are drawn upside down.
QVector<QPointF> pipCentres(int faceRank)
{
    const qreal l = 22, c = 35.5, r = 49;
    const qreal top = 18, bottom = 78, mid = 48;
    const qreal q1 = top + (bottom - top) / 3, q2 = top + 2 * (bottom - top) / 3;
    switch (faceRank) {
    case 2:
        return {{c, top}, {c, bottom}};
    case 3:
        return {{c, top}, {c, mid}, {c, bottom}};
    case 4:
        return {{l, top}, {r, top}, {l, bottom}, {r, bottom}};
    case 5:
        return {{l, top}, {r, top}, {c, mid}, {l, bottom}, {r, bottom}};
    case 6:
        return {{l, top}, {r, top}, {l, mid}, {r, mid}, {l, bottom}, {r, bottom}};
    case 7:
        return {{l, top}, {r, top},    {c, (top + mid) / 2}, {l, mid},
                {r, mid}, {l, bottom}, {r, bottom}};
    case 8:
        return {{l, top},    {r, top},   {c, (top + mid) / 2},
                {l, mid},    {r, mid},   {c, (mid + bottom) / 2},
                {l, bottom}, {r, bottom}};
    case 9:
        return {{l, top}, {r, top}, {l, q1},     {r, q1},    {c, mid},
                {l, q2},  {r, q2},  {l, bottom}, {r, bottom}};
    case 10:
        return {{l, top}, {r, top}, {c, (top + q1) / 2},    {l, q1},     {r, q1},
                {l, q2},  {r, q2},  {c, (q2 + bottom) / 2}, {l, bottom}, {r, bottom}};
    default:
        return {};
    }
}

void drawCrown(QPainter& p, QPointF c, qreal w, qreal h, int faceRank, QColor gem)
{
    QPainterPath crown;
    const qreal x0 = c.x() - w / 2, y0 = c.y() - h / 2;
    if (faceRank == 11) { // the jack's plumed cap
        crown.moveTo(x0, y0 + h);
        crown.quadTo(x0 + w * 0.1, y0 + h * 0.25, c.x(), y0 + h * 0.3);
        crown.quadTo(x0 + w * 0.9, y0 + h * 0.25, x0 + w, y0 + h);
        crown.closeSubpath();
        p.setPen(QPen(QColor(0x5a, 0x3a, 0x08), 0.6));
        p.setBrush(QColor(0xe0, 0xa8, 0x20));
        p.drawPath(crown);
        QPainterPath plume;
        plume.moveTo(c.x() + 1, y0 + h * 0.35);
        plume.cubicTo(c.x() + w * 0.2, y0 - h * 0.1, c.x() + w * 0.65, y0 - h * 0.05,
                      c.x() + w * 0.62, y0 + h * 0.4);
        plume.cubicTo(c.x() + w * 0.45, y0 + h * 0.15, c.x() + w * 0.25, y0 + h * 0.25, c.x() + 1,
                      y0 + h * 0.35);
        p.setBrush(gem);
        p.drawPath(plume);
        return;
    }
    const int points = faceRank == 13 ? 3 : 5;
    crown.moveTo(x0, y0 + h);
    crown.lineTo(x0, y0 + h * 0.3);
    for (int i = 0; i < points; ++i) {
        const qreal seg = w / points;
        const qreal tip = x0 + seg * (i + 0.5);
        crown.lineTo(tip, y0 + (faceRank == 13 ? 0.0 : h * 0.12));
        crown.lineTo(x0 + seg * (i + 1), y0 + h * 0.45);
    }
    crown.lineTo(x0 + w, y0 + h);
    crown.closeSubpath();
    QLinearGradient gold(x0, y0, x0, y0 + h);
    gold.setColorAt(0, QColor(0xff, 0xe0, 0x70));
    gold.setColorAt(1, QColor(0xc8, 0x8a, 0x10));
    p.setPen(QPen(QColor(0x6a, 0x48, 0x08), 0.6));
    p.setBrush(gold);
    p.drawPath(crown);
    p.setPen(Qt::NoPen);
    p.setBrush(gem);
    p.drawEllipse(QPointF(c.x(), y0 + h * 0.72), h * 0.14, h * 0.14);
    if (faceRank == 12) {
        p.setBrush(QColor(0xff, 0xff, 0xff));
        for (int i = 0; i < points; ++i)
            p.drawEllipse(QPointF(x0 + w / points * (i + 0.5), y0 + h * 0.12), 0.9, 0.9);
    }
}

void drawCourt(QPainter& p, Suit suit, int faceRank)
{
    const QRectF frame(15, 9, 41, 78);
    const QColor ink = suitColor(suit);
    QLinearGradient fill(frame.topLeft(), frame.bottomRight());
    fill.setColorAt(0, QColor(0xff, 0xf8, 0xe4));
    fill.setColorAt(0.5, isRedSuit(suit) ? QColor(0xfb, 0xe3, 0xd8) : QColor(0xe4, 0xea, 0xf4));
    fill.setColorAt(1, QColor(0xff, 0xf8, 0xe4));
    p.setPen(QPen(ink, 1));
    p.setBrush(fill);
    p.drawRoundedRect(frame, 2, 2);
    p.setPen(QPen(QColor(0xc8, 0x9a, 0x30), 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(frame.adjusted(2, 2, -2, -2), 1.5, 1.5);

    const QColor gem = isRedSuit(suit) ? QColor(0x20, 0x50, 0xb0) : QColor(0xc8, 0x10, 0x24);
    for (int turn = 0; turn < 2; ++turn) {
        p.save();
        if (turn == 1) {
            p.translate(W, H);
            p.rotate(180);
        }
        drawCrown(p, QPointF(35.5, 19), 18, 10, faceRank, gem);
        p.setPen(ink);
        p.setFont(artFont(19, true));
        p.drawText(QRectF(20, 24, 31, 22), Qt::AlignCenter, faceRankText(faceRank));
        drawPip(p, suit, QPointF(22.5, 35), 6, 7, false);
        drawPip(p, suit, QPointF(48.5, 35), 6, 7, false);
        p.restore();
    }
    p.setPen(QPen(QColor(0xc8, 0x9a, 0x30), 0.8));
    p.drawLine(QPointF(19, 48), QPointF(52, 48));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    QPainterPath lozenge;
    lozenge.moveTo(35.5, 45.5);
    lozenge.lineTo(38, 48);
    lozenge.lineTo(35.5, 50.5);
    lozenge.lineTo(33, 48);
    lozenge.closeSubpath();
    p.drawPath(lozenge);
}

void drawAce(QPainter& p, Suit suit)
{
    if (suit == Suit::Spades) { // the ace of spades carries an ornate ring
        p.setPen(QPen(QColor(0xc8, 0x9a, 0x30), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(35.5, 48), 19, 19);
        p.setPen(QPen(QColor(0xc8, 0x9a, 0x30), 0.6));
        p.drawEllipse(QPointF(35.5, 48), 21.5, 21.5);
    }
    drawPip(p, suit, QPointF(35.5, 48), 26, 29, false);
}

} // namespace

void paintCardBlank(QPainter& p)
{
    QLinearGradient paper(0, 0, W * 0.4, H);
    paper.setColorAt(0, QColor(0xff, 0xff, 0xff));
    paper.setColorAt(1, QColor(0xf3, 0xf1, 0xea));
    p.setPen(QPen(QColor(0x6e, 0x6e, 0x6e), 1));
    p.setBrush(paper);
    p.drawRoundedRect(kCard, 4.5, 4.5);
}

void paintCardBack(QPainter& p)
{
    paintCardBlank(p);
    const QRectF inner = kCard.adjusted(3.5, 3.5, -3.5, -3.5);
    QLinearGradient blue(inner.topLeft(), inner.bottomRight());
    blue.setColorAt(0, QColor(0x23, 0x48, 0x8e));
    blue.setColorAt(1, QColor(0x10, 0x25, 0x58));
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawRoundedRect(inner, 2.5, 2.5);

    p.save();
    QPainterPath clip;
    clip.addRoundedRect(inner, 2.5, 2.5);
    p.setClipPath(clip);
    p.setPen(QPen(QColor(0x5b, 0x82, 0xc8, 150), 0.8));
    for (qreal d = -H; d < W + H; d += 6) {
        p.drawLine(QPointF(d, 0), QPointF(d + H, H));
        p.drawLine(QPointF(d, H), QPointF(d + H, 0));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xa8, 0xc0, 0xe8, 120));
    for (qreal y = inner.top(); y < inner.bottom() + 6; y += 6)
        for (qreal x = inner.left() + ((int(y) / 6) % 2 ? 3 : 0); x < inner.right() + 6; x += 6)
            p.drawEllipse(QPointF(x + 1.5, y + 1.5), 0.7, 0.7);
    p.restore();

    p.setPen(QPen(QColor(0xd8, 0xb0, 0x50), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(inner.adjusted(2, 2, -2, -2), 2, 2);

    // the medallion in the middle with the four suits
    const QPointF c(35.5, 48);
    QRadialGradient medal(c, 15);
    medal.setColorAt(0, QColor(0x2e, 0x5a, 0xaa));
    medal.setColorAt(1, QColor(0x0c, 0x1c, 0x46));
    p.setPen(QPen(QColor(0xe6, 0xc2, 0x60), 1.2));
    p.setBrush(medal);
    p.drawEllipse(c, 13, 17);
    const QColor gold(0xf0, 0xcc, 0x68);
    const Suit suits[] = {Suit::Spades, Suit::Hearts, Suit::Clubs, Suit::Diamonds};
    const QPointF at[] = {{0, -8}, {7, 0}, {0, 8}, {-7, 0}};
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    for (int i = 0; i < 4; ++i)
        p.drawPath(suitPath(suits[i], QRectF(c + at[i] - QPointF(3.5, 3.8), QSizeF(7, 7.6))));
}

void paintCardFace(QPainter& p, int code)
{
    if (code < 2 || code > 53) return;
    const Suit suit = Suit((code - 2) / 13);
    const int faceRank = (code - 2) % 13 + 2; // 2..14, 14 the ace
    paintCardBlank(p);
    drawIndices(p, suit, faceRankText(faceRank));
    if (faceRank == 14)
        drawAce(p, suit);
    else if (faceRank >= 11)
        drawCourt(p, suit, faceRank);
    else {
        const qreal pw = faceRank >= 9 ? 12 : 13, ph = faceRank >= 9 ? 13 : 14;
        for (const QPointF& c : pipCentres(faceRank))
            drawPip(p, suit, c, pw, ph, c.y() > 48.5);
    }
}

QImage paintedCardImage(int code, qreal ratio)
{
    if (code < 0 || code > 54) return {};
    QImage image = makeCanvas(QSize(int(W), int(H)), ratio);
    QPainter p(&image);
    prepare(p);
    if (code == 0)
        paintCardBack(p);
    else if (code == 1 || code == 54)
        paintJoker(p, code == 54);
    else
        paintCardFace(p, code);
    p.end();
    return image;
}

} // namespace quornet::art
