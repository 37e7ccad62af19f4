#include "table/window/tableart.h"

#include "art/boardart.h"
#include "art/carddeck.h"

#include <QPainter>

#include <memory>

namespace quornet::table {

QPixmap TableArt::workingBook(int rank, int kind, int count) const
{
    count = std::max(count, 1);
    const QPixmap& top = (kind == 2 ? wildTop : normalTop)[std::size_t(std::clamp(rank, 0, 12))];
    const qreal ratio = top.devicePixelRatio();
    QPixmap out(QSize(int((36 + 5 * (count - 1)) * ratio), int(48 * ratio)));
    out.setDevicePixelRatio(ratio);
    out.fill(Qt::transparent);
    QPainter p(&out);
    for (int i = 0; i < count - 1; ++i) p.drawPixmap(5 * i, 0, edge[std::size_t(i % 5)]);
    const int topX = 5 * (count - 1);
    p.drawPixmap(topX, 0, top);
    // How many cards the book holds, small in the top's lower right corner; a book one card
    // short of seven gets a gold frame and a gold count.
    p.setRenderHint(QPainter::Antialiasing);
    const bool nearlyDone = count == 6;
    if (nearlyDone) {
        p.setPen(QPen(QColor(0xE0, 0xA8, 0x00), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(topX + 1, 1, 34, 46), 3, 3);
    }
    const QRectF badge(topX + 22, 34, 12, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(nearlyDone ? QColor(0xE0, 0xA8, 0x00) : QColor(0x30, 0x30, 0x30, 200));
    p.drawEllipse(badge);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(nearlyDone ? Qt::black : Qt::white);
    p.drawText(badge, Qt::AlignCenter, QString::number(count));
    return out;
}

TableArt loadTableArt(qreal ratio, const QString& deckId)
{
    using P = art::BoardArt::Picture;
    TableArt a;
    const art::BoardArt boardArt;
    // The deck is opened when the first card is shown and renders each card the first time it
    // is asked for, so the window appears without waiting for the SVG file.
    auto deck = std::make_shared<std::unique_ptr<art::CardDeck>>();
    a.card = [deck, deckId, ratio](int code) {
        if (!*deck) {
            const art::DeckCatalog catalog;
            *deck = std::make_unique<art::CardDeck>(deckId.isEmpty() ? art::CardDeck::openDefault(catalog)
                                                                : art::CardDeck::open(catalog, deckId));
        }
        return (*deck)->card(code, ratio);
    };
    {
        const art::DeckCatalog catalog;
        const bool known = !deckId.isEmpty() && (deckId == QLatin1String(art::DeckCatalog::PaintedDeckId) || catalog.find(deckId));
        a.rankInLeftCorner = art::DeckCatalog::rankInLeftCorner(known ? deckId : catalog.defaultDeckId());
    }
    for (int r = 0; r < 13; ++r) {
        a.normalTop[std::size_t(r)] = boardArt.bookTop(r, 1, ratio);
        a.wildTop[std::size_t(r)] = boardArt.bookTop(r, 2, ratio);
    }
    for (int i = 0; i < 5; ++i) a.edge[std::size_t(i)] = boardArt.cardEdge(i, ratio);
    a.foot = boardArt.picture(P::Foot, 0, ratio);
    a.eyes = boardArt.picture(P::Eyes, 0, ratio);
    a.turnMarker = boardArt.picture(P::TurnMarker, 0, ratio);
    a.greenArrow = boardArt.picture(P::Arrow, 0, ratio);
    a.blueArrow = boardArt.picture(P::Arrow, 1, ratio);
    a.winner1 = boardArt.picture(P::GameWinner, 0, ratio);
    a.winner2 = boardArt.picture(P::GameWinner, 1, ratio);
    a.roundWinner1 = boardArt.picture(P::RoundWinner, 0, ratio);
    a.roundWinner2 = boardArt.picture(P::RoundWinner, 1, ratio);
    a.badge = boardArt.picture(P::Badge, 0, ratio);
    a.header1 = boardArt.picture(P::Header, 0, ratio);
    a.header2 = boardArt.picture(P::Header, 1, ratio);
    a.corner1 = boardArt.picture(P::Corner, 0, ratio);
    a.corner2 = boardArt.picture(P::Corner, 1, ratio);
    a.logo = boardArt.picture(P::Logo, 0, ratio);
    a.background = boardArt.picture(P::Background, 0, ratio);
    a.besidePile = boardArt.picture(P::DiscardTab, 0, ratio);
    a.checkOff = boardArt.checkMark(false, ratio);
    a.checkOn = boardArt.checkMark(true, ratio);
    a.smileyButton = boardArt.picture(P::SmileyButton, 0, ratio);
    for (int i = 0; i < 18; ++i) a.smileys.append(boardArt.smiley(i, ratio));
    for (int i = 0; i < 10; ++i) a.phrase[std::size_t(i)] = boardArt.picture(P::PhraseButton, i, ratio);
    return a;
}

} // namespace quornet::table
