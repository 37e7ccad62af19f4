#include "minideck.h"

#include "art/carddeck.h"
#include "support/files.h"

#include <QDir>

namespace quornet::testing
{

QColor miniCardColour(int code)
{
    // well apart in hue and value so that no two cards share a colour
    return QColor::fromHsv((code * 47) % 360, 120 + (code % 4) * 40, 120 + (code % 3) * 50);
}

namespace
{

QString cardGroup(const QString& id, int slot, QColor colour)
{
    const int x = (slot % 14) * 70, y = (slot / 14) * 100;
    return QStringLiteral(
               "  <g id=\"%1\" transform=\"translate(%2,%3)\">\n"
               "    <rect x=\"0\" y=\"0\" width=\"60\" height=\"90\" fill=\"%4\"/>\n"
               "    <rect x=\"10\" y=\"10\" width=\"20\" height=\"20\" fill=\"#000000\"/>\n"
               "  </g>\n")
        .arg(id)
        .arg(x)
        .arg(y)
        .arg(colour.name());
}

} // namespace

bool writeMiniDeck(const QString& dataDir, const QString& id, const QString& name,
                   MiniJokers jokers)
{
    const QString folder = QDir(dataDir).filePath(QStringLiteral("carddecks/") + id);
    QString svg =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1500\" height=\"900\" "
                       "viewBox=\"0 0 1500 900\">\n"
                       " <g id=\"layer1\" transform=\"translate(40,25) scale(1.5)\">\n");
    for (int code = 0; code <= 53; ++code) {
        if (code == 1) continue;
        svg += cardGroup(quornet::art::CardDeck::elementName(code), code, miniCardColour(code));
    }
    if (jokers == MiniJokers::Both) {
        svg += cardGroup(QStringLiteral("black_joker"), 1, miniCardColour(1));
        svg += cardGroup(QStringLiteral("red_joker"), 54, miniCardColour(54));
    } else if (jokers == MiniJokers::Single) {
        svg += cardGroup(QStringLiteral("joker"), 54, miniCardColour(54));
    }
    svg += QStringLiteral(" </g>\n</svg>\n");
    const QString desktop = QStringLiteral("[KDE Backdeck]\nName=%1\nName[de]=Kleines %1\nSVG=mini.svg\nBack=%1\n").arg(name);
    return writeFile(QDir(folder).filePath(QStringLiteral("mini.svg")), svg.toUtf8()) &&
           writeFile(QDir(folder).filePath(QStringLiteral("index.desktop")), desktop.toUtf8());
}

} // namespace quornet::testing
