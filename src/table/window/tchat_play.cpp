// The Play menu (keyboard play), muting from the seat popup and the spy list, and the score
// sheet and game log windows of the View menu.
#include "table/core/hint.h"
#include "table/window/clicklabel.h"
#include "host/tserver.h"
#include "table/window/gamelogform.h"
#include "table/window/roundsummaryform.h"
#include "table/window/scoresheetform.h"
#include "table/window/tchat.h"
#include "windows/spylist.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace quornet::table {

void Tchat::buildPlayMenu()
{
    m_playMenu = new QMenu(QStringLiteral("&Play"), this);
    m_playMenu->setObjectName("PlayMenu");
    menuBar()->insertMenu(m_viewMenu->menuAction(), m_playMenu);
    // Single keys act while the chat line does not have the keyboard: a click on the table or
    // Esc takes it from there.
    centralWidget()->setFocusPolicy(Qt::ClickFocus);
    const auto key = [this](const QString& caption, const char* name, const QKeySequence& shortcut, auto action) {
        QAction* a = m_playMenu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(shortcut);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, action);
        m_playKeys.append(a);
        return a;
    };
    key(QStringLiteral("Draw Cards"), "KeyDraw", QKeySequence(Qt::Key_D), [this] { m_model.clickDraw(); });
    key(QStringLiteral("Pick Up Pile"), "KeyPickup", QKeySequence(Qt::Key_P), [this] { m_model.clickPickup(); });
    m_playMenu->addSeparator();
    key(QStringLiteral("Previous Card"), "KeyLeft", QKeySequence(Qt::Key_Left), [this] { m_model.moveKeyCursor(-1); });
    key(QStringLiteral("Next Card"), "KeyRight", QKeySequence(Qt::Key_Right), [this] { m_model.moveKeyCursor(+1); });
    key(QStringLiteral("Pick or Lower the Card"), "KeyPick", QKeySequence(Qt::Key_Space), [this] { m_model.keyPick(); });
    m_playMenu->addSeparator();
    for (int place = 1; place <= PlaceCount; ++place) {
        const QByteArray name = "KeyPlace" + QByteArray::number(place);
        key(QStringLiteral("Lay on Box %1").arg(place), name.constData(), QKeySequence(Qt::Key_0 + place),
            [this, place] { m_model.clickPlace(place); });
    }
    key(QStringLiteral("Create Book"), "KeyCreate", QKeySequence(Qt::Key_C), [this] { m_model.clickCreate(); });
    m_playMenu->addSeparator();
    key(QStringLiteral("Next Book"), "KeyNextBook", QKeySequence(Qt::Key_B), [this] { m_model.moveBookCursor(+1); });
    key(QStringLiteral("Previous Book"), "KeyPreviousBook", QKeySequence(Qt::SHIFT | Qt::Key_B),
        [this] { m_model.moveBookCursor(-1); });
    key(QStringLiteral("Add to the Book"), "KeyAddToBook", QKeySequence(Qt::Key_A), [this] { m_model.keyAddToBook(); });
    m_playMenu->addSeparator();
    key(QStringLiteral("Discard"), "KeyDiscard", QKeySequence(Qt::Key_X), [this] { m_model.clickDiscard(); });
    m_playMenu->addSeparator();
    // Expert's advice when the computer players play at Expert, Strong's otherwise.
    // The item stays in the menu when the single keys are off; only its key H goes with them.
    m_hint = m_playMenu->addAction(QStringLiteral("Hint"));
    m_hint->setObjectName("Hint1");
    m_hint->setShortcutContext(Qt::WindowShortcut);
    connect(m_hint, &QAction::triggered, this, [this] {
        m_model.hint(m_botLevel == QLatin1String("expert") ? bots::Level::Expert : bots::Level::Strong);
    });
    m_playMenu->addSeparator();
    QAction* toTable = key(QStringLiteral("Play with the Keyboard"), "KeyTable", QKeySequence(Qt::Key_Escape),
                           [this] { centralWidget()->setFocus(Qt::ShortcutFocusReason); });
    toTable->setShortcutContext(Qt::WindowShortcut);
    // Players who type without looking can switch the single keys off.
    m_keyboardPlay = m_playMenu->addAction(QStringLiteral("Keyboard Play"));
    m_keyboardPlay->setObjectName("KeyboardPlay1");
    m_keyboardPlay->setCheckable(true);
    m_keyboardPlay->setChecked(true);
    connect(m_keyboardPlay, &QAction::toggled, this, [this](bool on) {
        for (QAction* a : m_playKeys) a->setEnabled(on);
        sync();
    });

    // The keyboard cursors: a frame around the visible part of the card it is on, and one
    // around the book the keys add to.
    const auto frame = [](QWidget* parent, const char* name) {
        auto* w = new QWidget(parent);
        w->setObjectName(QString::fromLatin1(name));
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
        w->setStyleSheet(QStringLiteral("#%1 { border: 2px solid #E07000; border-radius: 3px; }").arg(QLatin1String(name)));
        w->setAttribute(Qt::WA_StyledBackground);
        w->hide();
        return w;
    };
    m_keyCursor = frame(m_scorePanel, "keycursor");
    m_bookCursor[1] = frame(m_boards[1], "bookcursor1");
    m_bookCursor[2] = frame(m_boards[2], "bookcursor2");
}

void Tchat::buildGameWindows()
{
    m_scoreSheetWindow = new Tscoresheet(m_model, this);
    m_gameLogWindow = new Tgamelog(m_model.gameLog(), this);
    addWindowItem(m_viewMenu, QStringLiteral("Score Sheet"), "ScoreSheet1", m_scoreSheetWindow);
    addWindowItem(m_viewMenu, QStringLiteral("Game Log"), "GameLog1", m_gameLogWindow);
    m_viewMenu->addSeparator();

    // The end of each round is seen: a summary, which in the solo game holds the next deal
    // until the player goes on; at a networked table the host's pause stays as it is and the
    // next deal closes it.
    m_roundSummary = new Troundsummary(this);
    connect(&m_model, &TableModel::roundOver, this, [this](const QString& winners) {
        m_roundSummary->showRound(m_model.scoreSheet(), winners);
    });
    connect(&m_model, &TableModel::dealt, m_roundSummary, &QWidget::hide);
    connect(m_roundSummary, &Troundsummary::continued, this, [this] {
        if (m_model.state().solo && m_model.state().host) m_server.continueAfterRound();
        centralWidget()->setFocus(Qt::OtherFocusReason);
    });
}

void Tchat::addMuteItem()
{
    m_seatMenu->addSeparator();
    m_muteSeat = m_seatMenu->addAction(QStringLiteral("Mute"));
    m_muteSeat->setObjectName("Mute1");
    m_muteSeat->setCheckable(true);
    connect(m_muteSeat, &QAction::triggered, this, [this](bool on) {
        m_model.setMuted(m_model.participantName(m_popupSeat), on);
    });
}

void Tchat::syncPlayExtras()
{
    for (int seat = 1; seat <= SeatCount; ++seat)
        m_name[std::size_t(seat)]->setToolTip(m_model.isParticipantMuted(seat) ? QStringLiteral("Muted in this window")
                                                                                : QString());
    const int slot = m_model.keyCursorSlot();
    ClickLabel* card = slot >= 0 && m_keyboardPlay->isChecked() ? m_cardLabels.value(slot) : nullptr;
    if (card && card->isVisible()) {
        // Later cards lie over the card: the frame marks the part of it that shows.
        QRect visible = card->geometry();
        const QList<HandCard> row = m_model.state().handRow();
        for (qsizetype i = 0; i + 1 < row.size(); ++i) {
            if (row[i].slot != slot) continue;
            if (ClickLabel* next = m_cardLabels.value(row[i + 1].slot); next && next->isVisible())
                visible.setRight(qMax(visible.left() + 4, next->geometry().left() - 1));
        }
        m_keyCursor->setGeometry(visible.adjusted(-2, -2, 2, 2));
        m_keyCursor->show();
        m_keyCursor->raise();
        // The buttons over the hand stay clickable above the cursor.
        m_draw->raise();
        m_pickup->raise();
        m_start->raise();
    } else {
        m_keyCursor->hide();
    }
    const QString book = m_keyboardPlay->isChecked() ? m_model.keyBookName() : QString();
    for (int team = 1; team <= 2; ++team) {
        QWidget* cursor = m_bookCursor[std::size_t(team)];
        ClickLabel* target = book.mid(4, 1).toInt() == team ? m_bookLabels.value(book) : nullptr;
        cursor->setVisible(target != nullptr);
        if (!target) continue;
        cursor->setGeometry(target->geometry().adjusted(-2, -2, 2, 2));
        cursor->raise();
    }
    // The hint's cards: a gold bar at the foot of each.
    const QList<int>& hinted = m_model.state().hintSlots;
    while (m_hintMarks.size() < hinted.size()) {
        auto* mark = new QWidget(m_scorePanel);
        mark->setObjectName(QStringLiteral("hintmark%1").arg(m_hintMarks.size()));
        mark->setAttribute(Qt::WA_TransparentForMouseEvents);
        mark->setAttribute(Qt::WA_StyledBackground);
        mark->setStyleSheet(QStringLiteral("background: #FFC800; border: 1px solid #805000; border-radius: 2px;"));
        m_hintMarks.append(mark);
    }
    for (int i = 0; i < m_hintMarks.size(); ++i) {
        const HandCard* c = i < hinted.size() ? m_model.state().card(hinted[i]) : nullptr;
        if (!c || !c->visible) {
            m_hintMarks[i]->hide();
            continue;
        }
        placeZoomed(m_hintMarks[i], QRect(c->left + 2, c->top + 86, 16, 6));
        m_hintMarks[i]->show();
        m_hintMarks[i]->raise();
    }
    m_hint->setShortcut(m_keyboardPlay->isChecked() ? QKeySequence(Qt::Key_H) : QKeySequence());
    m_hint->setEnabled(hintAvailable(m_model.state()));
    if (m_spyList) m_spyList->setMutedParticipants([&] {
        QList<int> muted;
        for (int n = SeatCount + 1; n <= MaxParticipant; ++n)
            if (m_model.isParticipantMuted(n)) muted.append(n);
        return muted;
    }());
}

} // namespace quornet::table
