// Drawing the table model: every widget of the table window takes its state from the model
// after each change.
#include "cards/cards.h"
#include "table/window/chatview.h"
#include "table/window/clicklabel.h"
#include "table/window/tchat.h"
#include "windows/spylist.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QSaveFile>

namespace quornet::table {

QPixmap Tchat::cardPicture(int code) const { return m_art.card ? m_art.card(code) : QPixmap(); }

void Tchat::sync()
{
    const TableState& s = m_model.state();
    syncSeats();
    syncTeam(1);
    syncTeam(2);
    syncPlaces();
    syncHand();

    if (s.discardCard != 0) {
        m_discard->setPixmap(cardPicture(s.discardCard));
    } else {
        m_discard->clear();
    }
    fitStatus(s.status);
    syncPilePreview();
    m_turn->setText(s.turnText);
    fitText(m_full, s.fullText, QRect(248, 8, 129, 22), 16, 10);
    const int round = m_model.roundNumber();
    m_round->setText(round > 0 ? QStringLiteral("Round %1").arg(round) : QString());
    m_pickupLabel->setText(s.pickupText);
    m_addHere->setVisible(s.addHereVisible);
    m_greenArrow->setVisible(s.greenArrowVisible);
    m_blueArrow->setVisible(s.blueArrowVisible);
    m_green->setVisible(s.teamStrip == 1);
    m_blue->setVisible(s.teamStrip == 2);
    m_draw->setVisible(s.drawVisible);
    m_pickup->setVisible(s.pickupVisible);
    m_start->setVisible(s.startVisible);
    // The buttons lie over the hand cards.
    m_draw->raise();
    m_pickup->raise();
    m_start->raise();
    m_startGame->setEnabled(s.startMenuEnabled);
    m_justWatch->setChecked(s.justWatch);
    m_manualSort->setChecked(s.manualSort);
    syncPlayExtras();
    if (m_model.badgesCounting() && !m_badgeTimer.isActive()) m_badgeTimer.start();
    if (m_spyList) {
        m_spyList->setEntries(s.spectators);
        m_spyList->setHosting(s.host);
    }
    writeStateFile();
}

// With QUORNET_STATE_FILE set, the window writes what it shows to that file after each change:
// a plain summary for process-level tests and for debugging a table from the outside.
void Tchat::writeStateFile()
{
    static const QString path = qEnvironmentVariable("QUORNET_STATE_FILE");
    if (path.isEmpty()) return;
    const TableState& s = m_model.state();
    QStringList lines;
    lines << QStringLiteral("own %1 %2").arg(s.own).arg(s.loggedIn ? "logged in" : "not logged in");
    for (int i = 1; i <= 4; ++i)
        lines << QStringLiteral("seat %1 %2 score %3 cards %4").arg(i).arg(s.seat(i).name, s.seat(i).score, s.seat(i).cardsLeft);
    lines << QStringLiteral("start %1").arg(s.startVisible ? "shown" : "hidden");
    lines << QStringLiteral("turn %1 %2").arg(s.turnSeat).arg(s.turnText);
    lines << QStringLiteral("hand %1").arg(s.handCount());
    lines << QStringLiteral("discard %1").arg(s.discardCard);
    for (int t = 1; t <= 2; ++t)
        lines << QStringLiteral("team %1 working %2 completed %3").arg(t).arg(s.team(t).working.size()).arg(s.team(t).completed.size());
    lines << QStringLiteral("status %1").arg(s.status);
    if (!m_openBox.isEmpty()) lines << QStringLiteral("box %1").arg(m_openBox);
    const QByteArray text = lines.join('\n').toUtf8() + '\n';
    if (text == m_lastState) return;
    m_lastState = text;
    QSaveFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(text);
        f.commit();
    }
}

// A label shows its whole text: a long one in a smaller font (down to `smallest` pixels at
// 100 %), and, where `twoLines` gives room, a very long one on two lines.
void Tchat::fitText(QLabel* label, const QString& text, QRect oneLine, int largest, int smallest, QRect twoLines)
{
    if (label->text() == text && label->property("fitZoom").toInt() == m_zoomPercent) return;
    label->setProperty("fitZoom", m_zoomPercent);
    int px = largest;
    const auto fits = [&](int size) {
        QFont f = label->font();
        f.setPixelSize(size);
        return QFontMetrics(f).horizontalAdvance(text) <= oneLine.width();
    };
    while (px > smallest && !fits(px)) --px;
    const bool wrap = !fits(px) && !twoLines.isNull();
    label->setWordWrap(wrap);
    label->setAlignment(wrap ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignTop);
    placeZoomed(label, wrap ? twoLines : oneLine);
    setBaseFontPixels(label, px);
    label->setText(text);
}

void Tchat::syncPilePreview()
{
    const bool shown = m_model.pickUpPreviewShown();
    m_pilePreview->setVisible(shown);
    if (!shown) return;
    const PileTracker& pile = m_model.pileTracker();
    const QList<int> cards = pile.pickUpPreview();
    const int unknown = pile.pickUpUnknown();
    m_pilePreviewCaption->setText(QStringLiteral("Taking the pile gives you:"));
    for (int i = 0; i < int(m_pilePreviewCards.size()); ++i) {
        QLabel* l = m_pilePreviewCards[std::size_t(i)];
        // The top card lies last, over the others, as on the pile.
        const int at = int(cards.size()) - 1 - i;
        if (at < 0) {
            l->hide();
            continue;
        }
        l->setPixmap(cardPicture(cards[at]));
        const QString name = QString::fromStdString(cards::cardName(cards[at]));
        l->setToolTip(name);
        l->setAccessibleName(name);
        l->show();
        l->raise();
    }
    m_pilePreviewMore->setText(unknown > 0 ? QStringLiteral("and %1 more from under it, not seen").arg(unknown) : QString());
    m_pilePreview->raise();
}

void Tchat::fitStatus(const QString& text)
{
    // Two lines fit between the create-book boxes and the hand.
    fitText(m_status, text, QRect(11, 200, 370, 17), 13, 9, QRect(11, 196, 370, 23));
}

void Tchat::syncSeats()
{
    const TableState& s = m_model.state();
    const int rowTops[] = {0, 11, 35, 58, 79};
    for (int i = 1; i <= 4; ++i) {
        const SeatView& v = s.seat(i);
        const auto k = std::size_t(i);
        m_name[k]->setText(v.name);
        m_name[k]->setToolTip(v.hint);
        m_score[k]->setText(v.score);
        m_score[k]->setVisible(v.scoreVisible);
        m_cardsLeft[k]->setText(v.cardsLeft);
        m_foot[k]->setVisible(v.footVisible);
        m_eyes[k]->setVisible(v.eyesVisible);
    }
    const int marker = s.turnMarkerSeat;
    moveZoomed(m_turnMarker, QPoint(22, marker >= 1 && marker <= 4 ? rowTops[marker] : 13));
    m_turnMarker->setVisible(s.turnMarkerVisible);
}

void Tchat::syncTeam(int team)
{
    const TeamBoard& board = m_model.state().team(team);
    QWidget* panel = m_boards[team];
    QSet<QString> wanted;
    // Each picture is redrawn only when what it shows changed.
    const auto place = [&](const QString& name, QRect geometry, const QString& look, auto draw, auto onClick) {
        wanted.insert(name);
        ClickLabel* l = m_bookLabels.value(name);
        if (!l) {
            l = new ClickLabel(panel);
            l->setObjectName(name);
            l->setScaledContents(true); // the picture fills the (zoomed) label
            connect(l, &ClickLabel::pressed, this, [onClick](Qt::MouseButton b) {
                if (b == Qt::LeftButton) onClick();
            });
            m_bookLabels.insert(name, l);
            l->show();
        }
        placeZoomed(l, geometry);
        if (l->property("look").toString() != look) {
            l->setPixmap(draw());
            l->setProperty("look", look);
        }
        l->raise();
    };
    for (const WorkingBook& b : board.working) {
        const int slot = b.slot;
        const QString name = QStringLiteral("book%1%2").arg(team).arg(slot);
        place(name, QRect(b.left, b.top, b.width, b.height),
              QStringLiteral("%1/%2/%3").arg(b.rank()).arg(b.kind).arg(b.count),
              [&] { return m_art.workingBook(b.rank(), b.kind, b.count); },
              [this, team, slot] { m_model.clickBook(team, slot); });
        const QString what = QString::fromLatin1(cards::bookName(b.naming).data()) + QStringLiteral(": %1 cards").arg(b.count) +
                             (b.count == 6 ? QStringLiteral(", one more completes it") : QString());
        m_bookLabels.value(name)->setToolTip(what);
        m_bookLabels.value(name)->setAccessibleName(what);
    }
    for (const CompletedBook& b : board.completed) {
        const int n = b.slot;
        const auto& tops = b.kind == 2 ? m_art.wildTop : m_art.normalTop;
        place(QStringLiteral("comp%1%2").arg(team).arg(n), QRect(b.left, b.top, b.width, b.height),
              QStringLiteral("%1/%2").arg(b.rank()).arg(b.kind), [&] { return tops[std::size_t(b.rank())]; },
              [this, team, n] { m_model.clickCompleted(team, n); });
    }
    const QString prefix1 = QStringLiteral("book%1").arg(team), prefix2 = QStringLiteral("comp%1").arg(team);
    for (auto it = m_bookLabels.begin(); it != m_bookLabels.end();) {
        if ((it.key().startsWith(prefix1) || it.key().startsWith(prefix2)) && !wanted.contains(it.key())) {
            delete it.value();
            it = m_bookLabels.erase(it);
        } else {
            ++it;
        }
    }
    const auto t = std::size_t(team);
    m_roundWinner[t]->setVisible(board.roundWinnerVisible);
    m_winner[t]->setVisible(board.winnerVisible);
    const Badge& badge = board.badge;
    moveZoomed(m_badge[t], QPoint(badge.left, badge.top));
    moveZoomed(m_badgeLabel[t], QPoint(badge.labelLeft, badge.labelTop));
    m_badgeLabel[t]->setText(badge.text);
    m_badge[t]->setVisible(badge.visible);
    m_badgeLabel[t]->setVisible(badge.visible);
    if (board.roundWinnerVisible) m_roundWinner[t]->raise();
    if (board.winnerVisible) m_winner[t]->raise();
    if (badge.visible) {
        m_badge[t]->raise();
        m_badgeLabel[t]->raise();
    }
}

void Tchat::syncPlaces()
{
    const TableState& s = m_model.state();
    for (int i = 1; i <= 3; ++i) {
        const Place& p = s.place(i);
        ClickLabel* l = m_places[std::size_t(i)];
        if (p.isEmpty())
            l->clear();
        else
            l->setPixmap(cardPicture(p.code));
        const QString name = p.isEmpty() ? QString() : QString::fromStdString(cards::cardName(p.code));
        l->setToolTip(name);
        l->setAccessibleName(name);
    }
}

void Tchat::syncHand()
{
    const TableState& s = m_model.state();
    for (auto it = m_cardLabels.begin(); it != m_cardLabels.end();) {
        if (!s.cards.contains(it.key())) {
            delete it.value();
            it = m_cardLabels.erase(it);
        } else {
            ++it;
        }
    }
    for (const HandCard& c : s.cards) {
        ClickLabel* l = m_cardLabels.value(c.slot);
        if (!l || l->property("code").toInt() != c.code) {
            if (!l) {
                l = new ClickLabel(m_scorePanel);
                l->setObjectName(QStringLiteral("card%1").arg(c.slot));
                l->setScaledContents(true); // the picture fills the (zoomed) label
                const int slot = c.slot;
                connect(l, &ClickLabel::pressed, this, [this, slot](Qt::MouseButton b) { m_model.clickCard(slot, b); });
                m_cardLabels.insert(c.slot, l);
            }
            l->setPixmap(cardPicture(c.code));
            l->setProperty("code", c.code);
            const QString name = QString::fromStdString(cards::cardName(c.code));
            l->setToolTip(name);
            l->setAccessibleName(name);
        }
        placeZoomed(l, QRect(c.left, c.top, 71, 96));
        l->setVisible(c.visible);
    }
    // Later positions lie over earlier ones.
    for (const HandCard& c : s.handRow())
        if (ClickLabel* l = m_cardLabels.value(c.slot)) l->raise();
}

} // namespace quornet::table
