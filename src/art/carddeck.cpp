#include "art/carddeck.h"

#include "art/artcanvas.h"
#include "art/cardpainter.h"

#include <QSvgRenderer>

namespace quornet::art
{

namespace
{

constexpr int RedJoker = 54;
constexpr int BlackJoker = 1;

int ratioKey(qreal ratio)
{
    return qRound((ratio < 0.1 ? 1.0 : ratio) * 1000);
}

// Turns a rendered joker into its grey twin, keeping the card's light paper light.
void makeGrey(QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = line[x];
            const int g = qGray(px);
            const int a = qAlpha(px);
            // premultiplied: grey value must not exceed alpha
            const int v = qMin(a, g);
            line[x] = qRgba(v, v, v, a);
        }
    }
}

} // namespace

CardDeck::CardDeck() = default;

CardDeck::CardDeck(const DeckInfo& deck) : m_info(deck)
{
    auto renderer = std::make_unique<QSvgRenderer>(deck.svgFile);
    if (!renderer->isValid()) return;
    m_renderer = std::move(renderer);
    m_elements.resize(CardCount);
    for (int code = 0; code < CardCount; ++code) {
        const QString element = elementName(code);
        if (m_renderer->elementExists(element)) m_elements[code] = element;
    }
    // Decks with one joker picture use it for the red joker and a grey copy for the black one.
    const QString single = QStringLiteral("joker");
    if (m_elements[RedJoker].isEmpty() && m_renderer->elementExists(single))
        m_elements[RedJoker] = single;
    if (m_elements[BlackJoker].isEmpty() && m_renderer->elementExists(single)) {
        m_elements[BlackJoker] = single;
        m_greyBlackJoker = true;
    }
}

CardDeck CardDeck::openDefault(const DeckCatalog& catalog)
{
    return open(catalog, catalog.defaultDeckId());
}

CardDeck CardDeck::open(const DeckCatalog& catalog, const QString& id)
{
    if (id == QLatin1String(DeckCatalog::PaintedDeckId)) return CardDeck();
    const DeckInfo* info = catalog.find(id);
    if (!info) info = catalog.find(catalog.defaultDeckId());
    return info ? CardDeck(*info) : CardDeck();
}

CardDeck::~CardDeck() = default;
CardDeck::CardDeck(CardDeck&&) noexcept = default;
CardDeck& CardDeck::operator=(CardDeck&&) noexcept = default;

QString CardDeck::name() const
{
    return isPainted() ? QStringLiteral("Classic") : m_info.name;
}

QString CardDeck::elementName(int code)
{
    if (code == 0) return QStringLiteral("back");
    if (code == BlackJoker) return QStringLiteral("black_joker");
    if (code == RedJoker) return QStringLiteral("red_joker");
    if (code < 2 || code > 53) return {};
    static const char* const suits[] = {"club", "diamond", "spade", "heart"};
    static const char* const ranks[] = {"2", "3",  "4",    "5",     "6",    "7", "8",
                                        "9", "10", "jack", "queen", "king", "1"};
    const int suit = (code - 2) / 13;
    const int rank = (code - 2) % 13;
    return QStringLiteral("%1_%2").arg(QLatin1String(ranks[rank]), QLatin1String(suits[suit]));
}

QString CardDeck::sourceElement(int code) const
{
    if (!m_renderer || code < 0 || code >= CardCount) return {};
    return m_elements[code];
}

bool CardDeck::isDrawn(int code) const
{
    return sourceElement(code).isEmpty();
}

QImage CardDeck::render(int code, qreal ratio) const
{
    const QString element = sourceElement(code);
    if (element.isEmpty()) return paintedCardImage(code, ratio);
    QImage image = makeCanvas(cardSize(), ratio);
    {
        QPainter painter(&image);
        prepare(painter);
        // The element is mapped onto the card box in its own coordinates (its own transform
        // included), whatever groups of the document it sits in.
        m_renderer->render(&painter, element, QRectF(QPointF(0, 0), QSizeF(cardSize())));
    }
    if (code == BlackJoker && m_greyBlackJoker) makeGrey(image);
    return image;
}

QPixmap CardDeck::card(int code, qreal ratio) const
{
    if (code < 0 || code >= CardCount) return {};
    QVector<QPixmap>& pictures = m_cache[ratioKey(ratio)];
    if (pictures.isEmpty()) pictures.resize(CardCount);
    QPixmap& picture = pictures[code];
    if (picture.isNull()) picture = QPixmap::fromImage(render(code, ratio));
    return picture;
}

} // namespace quornet::art
