// Drawing routines behind BoardArt. Each draws one picture into a painter whose coordinates are
// the picture's logical pixels, origin at the top left.
#pragma once

#include <QColor>
#include <QPainter>
#include <QSize>

namespace quornet::art::drawing
{

// Team palette: index 0 green, 1 blue.
QColor teamBase(int variant);
QColor teamDark(int variant);
QColor teamLight(int variant);

void drawBookTop(QPainter& p, int rankValue, bool wild);
void drawCardEdge(QPainter& p, int index);

void drawFoot(QPainter& p);
void drawEyes(QPainter& p);
void drawTurnMarker(QPainter& p);
void drawCorner(QPainter& p, int variant);
void drawTeamStrip(QPainter& p, int variant, QSize size);
void drawCheckMark(QPainter& p, bool on);
void drawDiscardTab(QPainter& p);

void drawArrow(QPainter& p, int variant, QSize size);
void drawGameWinner(QPainter& p, int variant, QSize size);
void drawRoundWinner(QPainter& p, int variant, QSize size);
void drawBadge(QPainter& p, QSize size);
// A gold cup on a team-coloured plinth, centred on cx, from top down h pixels.
void drawTrophy(QPainter& p, qreal cx, qreal top, qreal h, int variant);
void drawHeader(QPainter& p, int variant, QSize size);
void drawLogo(QPainter& p, QSize size);
void drawBackground(QPainter& p, QSize size);

void drawSmiley(QPainter& p, int index);
void drawPhraseButton(QPainter& p, int index);
void drawSmileyButton(QPainter& p);

} // namespace quornet::art::drawing
