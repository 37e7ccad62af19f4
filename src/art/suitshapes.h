// Shapes and colours shared by the painted cards and the board pictures: the four suit symbols,
// stars and rounded card outlines.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace quornet::art
{

// Suits in the order of the card codes: clubs 2..14, diamonds 15..27, spades 28..40, hearts 41..53.
enum class Suit { Clubs = 0, Diamonds = 1, Spades = 2, Hearts = 3 };

// The suit symbol filling the box (its aspect is kept by the caller's choice of box).
QPainterPath suitPath(Suit suit, const QRectF& box);
QColor suitColor(Suit suit);
bool isRedSuit(Suit suit);

// A five-pointed star centred on c with the outer radius r.
QPainterPath starPath(QPointF c, qreal r, qreal innerRatio = 0.45);

// Rank text of a card rank 2..14 ("2".."10", "J", "Q", "K", "A").
QString faceRankText(int faceRank);

// Rank letter of a book by rank value 0..12: K, A, 2..10, J, Q.
QString bookRankText(int rankValue);

// A bold font of the given pixel size in the family the pictures use throughout.
QFont artFont(qreal pixelSize, bool serif = false, int weight = QFont::Bold);

} // namespace quornet::art
