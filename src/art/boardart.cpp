#include "art/boardart.h"

#include "art/artcanvas.h"
#include "art/artdraw.h"

namespace quornet::art
{

namespace
{

using P = BoardArt::Picture;

quint64 cacheKey(P kind, int variant, qreal ratio)
{
    const quint64 r = quint64(qRound((ratio < 0.1 ? 1.0 : ratio) * 1000));
    return (quint64(kind) << 48) | (quint64(quint16(variant)) << 32) | r;
}

} // namespace

int BoardArt::count(Picture kind)
{
    switch (kind) {
    case P::NormalTop:
    case P::WildTop:
        return 13;
    case P::CardEdge:
        return 5;
    case P::Arrow:
    case P::GameWinner:
    case P::RoundWinner:
    case P::Header:
    case P::Corner:
    case P::TeamStrip:
    case P::CheckMark:
        return 2;
    case P::Smiley:
        return 18;
    case P::PhraseButton:
        return 10;
    default:
        return 1;
    }
}

QSize BoardArt::size(Picture kind, int variant)
{
    if (variant < 0 || variant >= count(kind)) return {};
    const bool blue = variant == 1;
    switch (kind) {
    case P::NormalTop:
    case P::WildTop:
    case P::CardEdge:
        return {36, 48};
    case P::Foot:
        return {13, 24};
    case P::Eyes:
        return {24, 12};
    case P::TurnMarker:
        return {10, 16};
    case P::Arrow:
        return {106, 22};
    case P::GameWinner:
        return blue ? QSize(165, 118) : QSize(166, 116);
    case P::RoundWinner:
        return blue ? QSize(104, 108) : QSize(105, 109);
    case P::Badge:
        return {49, 25};
    case P::Header:
        return blue ? QSize(197, 36) : QSize(191, 36);
    case P::Corner:
        return {12, 12};
    case P::TeamStrip:
        return {391, 2};
    case P::Logo:
        return {146, 24};
    case P::Background:
        return {96, 96};
    case P::Smiley:
        return {17, 16};
    case P::PhraseButton:
    case P::SmileyButton:
        return {25, 19};
    case P::CheckMark:
        return {34, 21};
    case P::DiscardTab:
        return {18, 61};
    }
    return {};
}

QString BoardArt::kindName(Picture kind)
{
    static const char* const names[PictureKinds] = {
        "ntop",       "wtop",    "blank",  "foot",    "eyes",   "turn",      "arrow",
        "winner",     "rwinner", "ascore", "header",  "corner", "strip",     "logo",
        "background", "smiley",  "phrase", "smilies", "check",  "discardtab"};
    const int i = int(kind);
    return (i >= 0 && i < PictureKinds) ? QString::fromLatin1(names[i]) : QString();
}

QPixmap BoardArt::draw(Picture kind, int variant, qreal ratio)
{
    const QSize s = size(kind, variant);
    if (s.isEmpty()) return {};
    return paintPicture(s, ratio, [&](QPainter& p) {
        switch (kind) {
        case P::NormalTop:
            drawing::drawBookTop(p, variant, false);
            break;
        case P::WildTop:
            drawing::drawBookTop(p, variant, true);
            break;
        case P::CardEdge:
            drawing::drawCardEdge(p, variant);
            break;
        case P::Foot:
            drawing::drawFoot(p);
            break;
        case P::Eyes:
            drawing::drawEyes(p);
            break;
        case P::TurnMarker:
            drawing::drawTurnMarker(p);
            break;
        case P::Arrow:
            drawing::drawArrow(p, variant, s);
            break;
        case P::GameWinner:
            drawing::drawGameWinner(p, variant, s);
            break;
        case P::RoundWinner:
            drawing::drawRoundWinner(p, variant, s);
            break;
        case P::Badge:
            drawing::drawBadge(p, s);
            break;
        case P::Header:
            drawing::drawHeader(p, variant, s);
            break;
        case P::Corner:
            drawing::drawCorner(p, variant);
            break;
        case P::TeamStrip:
            drawing::drawTeamStrip(p, variant, s);
            break;
        case P::Logo:
            drawing::drawLogo(p, s);
            break;
        case P::Background:
            drawing::drawBackground(p, s);
            break;
        case P::Smiley:
            drawing::drawSmiley(p, variant);
            break;
        case P::PhraseButton:
            drawing::drawPhraseButton(p, variant);
            break;
        case P::SmileyButton:
            drawing::drawSmileyButton(p);
            break;
        case P::CheckMark:
            drawing::drawCheckMark(p, variant == 1);
            break;
        case P::DiscardTab:
            drawing::drawDiscardTab(p);
            break;
        }
    });
}

QPixmap BoardArt::picture(Picture kind, int variant, qreal ratio) const
{
    if (size(kind, variant).isEmpty()) return {};
    const quint64 key = cacheKey(kind, variant, ratio);
    auto it = m_cache.constFind(key);
    if (it != m_cache.constEnd()) return *it;
    QPixmap pm = draw(kind, variant, ratio);
    m_cache.insert(key, pm);
    return pm;
}

QPixmap BoardArt::bookTop(int rankValue, int bookKind, qreal ratio) const
{
    return picture(bookKind == 2 ? P::WildTop : P::NormalTop, rankValue, ratio);
}

QPixmap BoardArt::cardEdge(int index, qreal ratio) const
{
    return picture(P::CardEdge, index, ratio);
}

QPixmap BoardArt::smiley(int index, qreal ratio) const
{
    return picture(P::Smiley, index, ratio);
}

QPixmap BoardArt::checkMark(bool on, qreal ratio) const
{
    return picture(P::CheckMark, on ? 1 : 0, ratio);
}

QPixmap BoardArt::teamPicture(Picture kind, int team, qreal ratio) const
{
    if (team != 1 && team != 2) return {};
    return picture(kind, team - 1, ratio);
}

QColor BoardArt::frameColor()
{
    return QColor(0x6b, 0x7a, 0x3c);
}

QColor BoardArt::teamColor(int team)
{
    return drawing::teamBase(team == 2 ? 1 : 0);
}

QColor BoardArt::headerTextColor()
{
    return QColor(0xff, 0xff, 0xf4);
}

} // namespace quornet::art
