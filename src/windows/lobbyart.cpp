#include "windows/lobbyart.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace quornet::windows
{

namespace
{

void drawCard(QPainter& p, QPointF centre, qreal angle, bool red)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    const QRectF card(-11, -15, 22, 30);
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 0.8));
    p.setBrush(QColor(0xfd, 0xfd, 0xf8));
    p.drawRoundedRect(card, 2.5, 2.5);
    // A pip in the middle: a diamond for red, a spade-like drop for black.
    QPainterPath pip;
    if (red) {
        pip.moveTo(0, -7);
        pip.lineTo(5, 0);
        pip.lineTo(0, 7);
        pip.lineTo(-5, 0);
        pip.closeSubpath();
    } else {
        pip.moveTo(0, -7);
        pip.cubicTo(7, -1, 6, 5, 0, 2);
        pip.cubicTo(-6, 5, -7, -1, 0, -7);
        pip.addRect(-1, 1, 2, 5);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(red ? QColor(0xc8, 0x1e, 0x1e) : QColor(0x1a, 0x1a, 0x1a));
    p.drawPath(pip);
    p.restore();
}

void drawSeat(QPainter& p, QPointF centre, const QColor& colour)
{
    p.setPen(QPen(QColor(255, 255, 255, 220), 2));
    p.setBrush(colour);
    p.drawEllipse(centre, 15, 15);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(centre + QPointF(0, -4), 5, 5);
    QPainterPath shoulders;
    shoulders.moveTo(centre + QPointF(-9, 10));
    shoulders.cubicTo(centre + QPointF(-8, 1), centre + QPointF(8, 1), centre + QPointF(9, 10));
    shoulders.closeSubpath();
    p.drawPath(shoulders);
}

} // namespace

QPixmap drawLobbyPicture(QSize size, qreal ratio)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width(), h = size.height();

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(0x14, 0x2a, 0x58));
    sky.setColorAt(1, QColor(0x1c, 0x66, 0x74));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(0, 0, w, h), 10, 10);

    // A soft light over the table.
    const QPointF table(w * 0.72, h * 0.55);
    QRadialGradient glow(table, h * 0.75);
    glow.setColorAt(0, QColor(255, 230, 160, 90));
    glow.setColorAt(1, QColor(255, 230, 160, 0));
    p.setBrush(glow);
    p.drawRoundedRect(QRectF(0, 0, w, h), 10, 10);

    // The table: a wooden rim round green felt.
    const qreal rx = w * 0.175, ry = h * 0.22;
    p.setBrush(QColor(0x6b, 0x3f, 0x1d));
    p.drawEllipse(table, rx + 7, ry + 7);
    QRadialGradient felt(table, rx);
    felt.setColorAt(0, QColor(0x3c, 0xa8, 0x52));
    felt.setColorAt(1, QColor(0x1d, 0x6b, 0x30));
    p.setBrush(felt);
    p.drawEllipse(table, rx, ry);

    drawCard(p, table + QPointF(-16, 2), -16, true);
    drawCard(p, table + QPointF(0, -2), 0, false);
    drawCard(p, table + QPointF(16, 2), 16, true);

    // Four seats, partners facing each other: green team top and bottom, blue left and right.
    const QColor green(0x2e, 0x9a, 0x3e), blue(0x2a, 0x62, 0xc0);
    drawSeat(p, table + QPointF(0, -ry - 22), green);
    drawSeat(p, table + QPointF(rx + 24, 0), blue);
    drawSeat(p, table + QPointF(0, ry + 22), green);
    drawSeat(p, table + QPointF(-rx - 24, 0), blue);

    // The lobby's name and what it offers.
    QFont title;
    title.setPixelSize(int(h * 0.17));
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(16, h * 0.08, w * 0.45, h * 0.2), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Vexo42"));
    QFont lobby = title;
    lobby.setPixelSize(int(h * 0.11));
    lobby.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    p.setFont(lobby);
    p.setPen(QColor(0xff, 0xcc, 0x55));
    p.drawText(QRectF(18, h * 0.28, w * 0.45, h * 0.14), Qt::AlignLeft | Qt::AlignVCenter,
               QCoreApplication::translate("LobbyArt", "LOBBY"));

    QFont small;
    small.setPixelSize(int(h * 0.07));
    p.setFont(small);
    const QString lines[] = {QCoreApplication::translate("LobbyArt", "Meet other players"),
                             QCoreApplication::translate("LobbyArt", "Join a table"),
                             QCoreApplication::translate("LobbyArt", "Chat and play online")};

    qreal y = h * 0.54;
    for (const QString& line : lines) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0xcc, 0x55));
        p.drawEllipse(QPointF(22, y + h * 0.045), 3, 3);
        p.setPen(QColor(0xe8, 0xf2, 0xf0));
        p.drawText(QRectF(32, y, w * 0.4, h * 0.09), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += h * 0.12;
    }
    return pixmap;
}

} // namespace quornet::windows
