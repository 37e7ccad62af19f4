// Every picture of the table window other than the cards, drawn in code at a device pixel ratio
// and kept once drawn: book tops and card edges, seat icons, arrows, winner pictures, badges,
// board headers, logo, background, smileys, button glyphs and check marks.
#pragma once

#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QSize>

namespace quornet::art
{

class BoardArt
{
public:
    // Kinds of pictures; each has count(kind) variants numbered from 0.
    enum class Picture {
        NormalTop,    // book top of a normal book, 36 x 48, variant = rank value 0..12
        WildTop,      // book top of a wild book, 36 x 48, variant = rank value 0..12
        CardEdge,     // a card under a book's top, 36 x 48, 5 variants
        Foot,         // foot not yet taken up, 13 x 24
        Eyes,         // seat just watching, 24 x 12
        TurnMarker,   // points at the turn seat's name, 10 x 16
        Arrow,        // "YOUR TURN", 106 x 22: 0 green (points left), 1 blue (points right)
        GameWinner,   // game-winner banner: 0 green 166 x 116, 1 blue 165 x 118
        RoundWinner,  // round-winner rosette: 0 green 105 x 109, 1 blue 104 x 108
        Badge,        // completion badge under the "+500" label, 49 x 25
        Header,       // team board header band: 0 green 191 x 36, 1 blue 197 x 36
        Corner,       // board frame corner, 12 x 12: 0 bottom right (green), 1 bottom left (blue)
        TeamStrip,    // own team strip, 391 x 2: 0 green, 1 blue
        Logo,         // "Quornet", 146 x 24
        Background,   // tileable table background, 96 x 96
        Smiley,       // chat smileys, 17 x 16, 18 variants for the codes 10..27
        PhraseButton, // quick phrase button faces, 25 x 19, 10 variants
        SmileyButton, // smiley menu button face, 25 x 19
        CheckMark,    // option mark, 34 x 21: 0 off, 1 on
        DiscardTab,   // the small picture beside the discard pile, 18 x 61
    };
    static constexpr int PictureKinds = int(Picture::DiscardTab) + 1;

    static int count(Picture kind);
    // Logical size of a variant; an empty size for a variant that does not exist.
    static QSize size(Picture kind, int variant = 0);
    // A short name for contact sheets and logs ("wtop", "smiley", ...).
    static QString kindName(Picture kind);

    // The picture at the ratio; a null pixmap for a variant that does not exist.
    QPixmap picture(Picture kind, int variant = 0, qreal ratio = 1.0) const;

    // Shortcuts. Teams are 1 (green) and 2 (blue); book kinds 1 (normal) and 2 (wild).
    QPixmap bookTop(int rankValue, int bookKind, qreal ratio = 1.0) const;
    QPixmap cardEdge(int index, qreal ratio = 1.0) const;
    QPixmap smiley(int index, qreal ratio = 1.0) const;
    QPixmap checkMark(bool on, qreal ratio = 1.0) const;
    QPixmap teamPicture(Picture kind, int team, qreal ratio = 1.0) const;

    // Colours that go with the pictures: the board frame lines, team colours, and the text
    // colour to write on the header bands.
    static QColor frameColor();
    static QColor teamColor(int team);
    static QColor headerTextColor();

    // Draws a picture without keeping it.
    static QPixmap draw(Picture kind, int variant, qreal ratio);

private:
    mutable QHash<quint64, QPixmap> m_cache;
};

} // namespace quornet::art
