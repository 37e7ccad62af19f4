// quornet-icon: draws the program's icon (three fanned cards of the painted deck on a round
// green table) and writes it as PNG files of the usual icon sizes.
//   quornet-icon OUTPUT_FOLDER    writes quornet-16.png ... quornet-256.png
#include "art/carddeck.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QRadialGradient>

#include <cstdio>

using namespace quornet::art;

namespace {
QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(size / 128.0, size / 128.0);
    QRadialGradient felt(QPointF(64, 56), 70);
    felt.setColorAt(0, QColor(46, 139, 87));
    felt.setColorAt(1, QColor(18, 84, 48));
    p.setPen(QPen(QColor(120, 84, 36), 5));
    p.setBrush(felt);
    p.drawEllipse(QRectF(6, 6, 116, 116));
    const CardDeck deck; // the painted deck: the icon looks the same on every machine
    const int codes[] = {41, 54, 53}; // two of hearts, joker, ace of hearts
    const double angles[] = {-22, 0, 22};
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(64, 104);
        p.rotate(angles[i]);
        p.drawPixmap(QRectF(-26, -84, 52, 70), deck.card(codes[i], 2.0), QRectF(0, 0, 142, 192));
        p.restore();
    }
    return image;
}
} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: quornet-icon OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString path = out.filePath(QStringLiteral("quornet-%1.png").arg(size));
        if (!drawIcon(size).save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
