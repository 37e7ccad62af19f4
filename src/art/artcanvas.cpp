#include "art/artcanvas.h"

#include <QtMath>

namespace quornet::art
{

namespace
{
qreal saneRatio(qreal ratio)
{
    return ratio < 0.1 ? 1.0 : ratio;
}
} // namespace

int physicalLength(int logical, qreal ratio)
{
    return qMax(1, qRound(logical * saneRatio(ratio)));
}

QImage makeCanvas(QSize logical, qreal ratio)
{
    ratio = saneRatio(ratio);
    QImage image(physicalLength(logical.width(), ratio), physicalLength(logical.height(), ratio),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(ratio);
    return image;
}

void prepare(QPainter& painter)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
}

} // namespace quornet::art
