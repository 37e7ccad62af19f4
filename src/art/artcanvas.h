// Off-screen canvases for the pictures drawn in code: an image of a logical size at a device
// pixel ratio, so a painter draws in logical pixels and the result stays crisp on dense screens.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSize>

#include <utility>

namespace quornet::art
{

// Physical pixels of a logical length at a ratio (at least one).
int physicalLength(int logical, qreal ratio);

// A transparent premultiplied ARGB image of logical size at the ratio (ratios below 0.1 count
// as 1).
QImage makeCanvas(QSize logical, qreal ratio);

// A painter on the image with antialiasing and smooth transforms switched on.
void prepare(QPainter& painter);

template <typename Draw> QPixmap paintPicture(QSize logical, qreal ratio, Draw&& draw)
{
    QImage image = makeCanvas(logical, ratio);
    {
        QPainter painter(&image);
        prepare(painter);
        std::forward<Draw>(draw)(painter);
    }
    return QPixmap::fromImage(std::move(image));
}

} // namespace quornet::art
