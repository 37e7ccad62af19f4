// The pictures the table window shows, gathered once at start (and again when the card deck or
// the screen's pixel ratio changes). Widgets take their pictures from here only.
#pragma once

#include <QPixmap>
#include <QVector>

#include <array>
#include <functional>

namespace quornet::table {

struct TableArt {
    std::function<QPixmap(int code)> card; // 71 x 96, index = card code, 0 the back
    bool rankInLeftCorner = true;          // the deck's rank shows in a fanned hand's strips
    std::array<QPixmap, 13> normalTop;     // imagelist_ntop, 36 x 48, by rank value
    std::array<QPixmap, 13> wildTop;       // imagelist_wtop
    std::array<QPixmap, 5> edge;           // imagelist_blank, the cards under the top
    QPixmap foot, eyes, turnMarker;
    QPixmap greenArrow, blueArrow;
    QPixmap winner1, winner2, roundWinner1, roundWinner2;
    QPixmap badge;
    QPixmap header1, header2;
    QPixmap corner1, corner2; // board frame corners: bottom right (green), bottom left (blue)
    QPixmap logo, background, besidePile;
    QPixmap checkOff, checkOn;
    QPixmap smileyButton;
    QVector<QPixmap> smileys;       // 18, 17 x 16
    std::array<QPixmap, 10> phrase; // glyphs of b_phrase1..10

    // Draws a working book of `count` cards: edges 0..count-2 at x = 5 i, the top at 5 (count-1),
    // with the count on the top (in gold, and the top framed, one card short of completion).
    QPixmap workingBook(int rank, int kind, int count) const;
};

// Pictures for the given device pixel ratio, from the installed card deck `deckId` (the default
// deck when empty or not installed) and the board pictures drawn in code.
TableArt loadTableArt(qreal ratio, const QString& deckId = {});

} // namespace quornet::table
