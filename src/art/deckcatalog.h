// The SVG card decks installed on this machine: folders carddecks/svg-*/ under the shared data
// folders, each with an index.desktop naming the deck (Name=) and its picture file (SVG=).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quornet::art
{

struct DeckInfo {
    QString id;      // folder name, for example "svg-nicu-white"
    QString name;    // display name, for example "Nicu White"
    QString svgFile; // absolute path of the deck's .svgz (or .svg)
};

class DeckCatalog
{
public:
    // The deck drawn in code (every card painted), always there besides the installed ones.
    static constexpr char PaintedDeckId[] = "painted";

    // The system's shared data folders (the generic data locations).
    static QStringList standardDataDirs();

    // Decks found under <dir>/carddecks/svg-*/ for every given folder; a deck id found twice
    // is taken from the first folder. Sorted by display name.
    explicit DeckCatalog(const QStringList& dataDirs = standardDataDirs());

    const QList<DeckInfo>& decks() const { return m_decks; }
    bool isEmpty() const { return m_decks.isEmpty(); }
    const DeckInfo* find(const QString& id) const;

    // The deck the table uses unless the player chose another: the first installed of the decks
    // known to carry both jokers, else the first deck; empty when none is installed.
    QString defaultDeckId() const;

    // The deck's cards show their rank in the top left corner, the part of a card a fanned hand
    // shows (the painted deck does too); the Oxygen decks and Future show it top right only.
    static bool rankInLeftCorner(const QString& id);

    // Reads one deck folder; false when it has no readable index.desktop or no picture file.
    static bool readDeckFolder(const QString& folder, DeckInfo* out);

private:
    QList<DeckInfo> m_decks;
};

} // namespace quornet::art
