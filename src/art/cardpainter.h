// Cards painted in code: the whole deck when no SVG deck is installed, and the jokers of decks
// that have none. Every function draws into the card box (0, 0, 71, 96) in logical pixels.
#pragma once

#include <QImage>
#include <QPainter>

namespace quornet::art
{

// The card code's picture (0 back, 1 black joker, 2..53 suit cards, 54 red joker) at the ratio;
// a null image for other codes.
QImage paintedCardImage(int code, qreal ratio);

void paintCardBlank(QPainter& p);          // the white card with its rounded border
void paintCardBack(QPainter& p);           // the patterned back
void paintCardFace(QPainter& p, int code); // suit cards 2..53
void paintJoker(QPainter& p, bool red);    // a complete joker card

} // namespace quornet::art
