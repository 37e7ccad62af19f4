// A tiny SVG card deck written into a data folder for the deck tests: every card a plain
// rectangle of its own colour with a black square in its top left, all inside a moved and
// scaled layer as drawing programs write them.
#pragma once

#include <QColor>
#include <QString>

namespace quornet::testing
{

enum class MiniJokers { None, Single, Both };

// Colour of the card code's rectangle in the mini deck.
QColor miniCardColour(int code);

// Writes <dataDir>/carddecks/<id>/ with index.desktop and mini.svg; true on success.
bool writeMiniDeck(const QString& dataDir, const QString& id, const QString& name,
                   MiniJokers jokers);

} // namespace quornet::testing
