// Measurements on rendered pictures shared by the picture tests.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QCryptographicHash>
#include <QImage>
#include <QPixmap>
#include <QSet>

namespace quornet::testing
{

inline QImage argb(const QPixmap& pm)
{
    return pm.toImage().convertToFormat(QImage::Format_ARGB32);
}

inline QByteArray imageHash(const QImage& img)
{
    const QImage a = img.convertToFormat(QImage::Format_ARGB32);
    QCryptographicHash h(QCryptographicHash::Sha1);
    for (int y = 0; y < a.height(); ++y)
        h.addData(QByteArrayView(reinterpret_cast<const char*>(a.constScanLine(y)), a.width() * 4));
    return h.result();
}

// Share of pixels at least half opaque.
inline double opaqueFraction(const QImage& img)
{
    const QImage a = img.convertToFormat(QImage::Format_ARGB32);
    qint64 n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (qAlpha(a.pixel(x, y)) >= 128) ++n;
    return double(n) / double(a.width() * a.height());
}

// Number of distinct colours among the opaque pixels (capped for speed).
inline int colourCount(const QImage& img, int cap = 64)
{
    const QImage a = img.convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> seen;
    for (int y = 0; y < a.height() && seen.size() < cap; ++y)
        for (int x = 0; x < a.width() && seen.size() < cap; ++x) {
            const QRgb p = a.pixel(x, y);
            if (qAlpha(p) >= 128) seen.insert(p & 0xf0f0f0f0);
        }
    return int(seen.size());
}

// Share of opaque pixels that stand out from the card's paper: far from the colour at the
// centre of the top edge band.
inline double inkFraction(const QImage& img, QRgb paper)
{
    const QImage a = img.convertToFormat(QImage::Format_ARGB32);
    qint64 n = 0, opaque = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            if (qAlpha(p) < 128) continue;
            ++opaque;
            const int d = qAbs(qRed(p) - qRed(paper)) + qAbs(qGreen(p) - qGreen(paper)) +
                          qAbs(qBlue(p) - qBlue(paper));
            if (d > 90) ++n;
        }
    return opaque ? double(n) / double(opaque) : 0.0;
}

// Share of pixels that differ noticeably between two pictures of the same size.
inline double differingFraction(const QImage& i1, const QImage& i2)
{
    const QImage a = i1.convertToFormat(QImage::Format_ARGB32);
    const QImage b = i2.convertToFormat(QImage::Format_ARGB32);
    if (a.size() != b.size()) return 1.0;
    qint64 n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int d = qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) +
                          qAbs(qBlue(p) - qBlue(q)) + qAbs(qAlpha(p) - qAlpha(q));
            if (d > 60) ++n;
        }
    return double(n) / double(a.width() * a.height());
}

// Mean luminance (0..1) of the opaque pixels inside the rectangle.
inline double meanLuminance(const QImage& img, const QRect& r)
{
    const QImage a = img.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    qint64 n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = a.pixel(x, y);
            if (qAlpha(p) < 128) continue;
            sum += (0.2126 * qRed(p) + 0.7152 * qGreen(p) + 0.0722 * qBlue(p)) / 255.0;
            ++n;
        }
    return n ? sum / double(n) : 0.0;
}

} // namespace quornet::testing
