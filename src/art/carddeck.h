// The 55 card pictures of the table window, index = card code: 0 the back, 1 the black joker,
// 2..14 clubs two..ace, 15..27 diamonds, 28..40 spades, 41..53 hearts, 54 the red joker.
// Pictures come from an installed SVG deck rendered at a device pixel ratio; jokers a deck lacks
// are drawn in code, and without any deck every card is painted in code.
#pragma once

#include "art/deckcatalog.h"

#include <QHash>
#include <QPixmap>
#include <QSize>
#include <QVector>

#include <memory>

class QSvgRenderer;

namespace quornet::art
{

class CardDeck
{
public:
    static constexpr int CardCount = 55;
    static constexpr int CardWidth = 71;
    static constexpr int CardHeight = 96;
    static QSize cardSize() { return {CardWidth, CardHeight}; }

    // The painted deck: every card drawn in code.
    CardDeck();
    // The given SVG deck; when its file cannot be read the deck is the painted one.
    explicit CardDeck(const DeckInfo& deck);
    // The catalog's default deck, or the painted deck when no deck is installed.
    static CardDeck openDefault(const DeckCatalog& catalog);
    // The deck with the given id, or the default deck when that id is not installed.
    static CardDeck open(const DeckCatalog& catalog, const QString& id);

    ~CardDeck();
    CardDeck(CardDeck&&) noexcept;
    CardDeck& operator=(CardDeck&&) noexcept;
    CardDeck(const CardDeck&) = delete;
    CardDeck& operator=(const CardDeck&) = delete;

    bool isPainted() const { return !m_renderer; }
    QString id() const { return m_info.id; }
    QString name() const;

    // True when the picture of the card code is drawn in code rather than taken from the deck.
    bool isDrawn(int code) const;

    // Picture of the card code (0..54), 71 x 96 logical pixels at the ratio; a null pixmap for
    // any other code. Pictures are rendered once per ratio and kept.
    QPixmap card(int code, qreal ratio = 1.0) const;

    // Name of the deck element that shows the card code ("king_club", "1_heart", "back", ...).
    static QString elementName(int code);

private:
    QImage render(int code, qreal ratio) const;
    QString sourceElement(int code) const; // empty when the card is drawn in code

    DeckInfo m_info;
    std::unique_ptr<QSvgRenderer> m_renderer;
    QVector<QString> m_elements;   // per code: the deck element used, empty = drawn
    bool m_greyBlackJoker = false; // the deck's single joker, in grey, stands for the black one
    mutable QHash<int, QVector<QPixmap>> m_cache; // by ratio in thousandths
};

} // namespace quornet::art
