// The side windows the table window opens from its View and Help menus, and its own windows:
// the score sheet, the game log and the round summary.
#include "host/tserver.h"
#include "protocol/colortext.h"
#include "table/window/chatpane.h"
#include "table/window/gamelogform.h"
#include "table/window/phrasebar.h"
#include "table/window/playdialog.h"
#include "table/window/playingwithothers.h"
#include "table/window/roundsummaryform.h"
#include "table/window/scoresheetform.h"
#include "table/window/tchat.h"
#include "windows/aboutform.h"
#include "windows/downloadform.h"
#include "windows/helpform.h"
#include "windows/phrases.h"
#include "windows/spylist.h"
#include "windows/tallylistform.h"

#include <QMenu>
#include <QMenuBar>
#include <QScreen>

namespace quornet::table {

QAction* Tchat::addWindowItem(QMenu* menu, const QString& caption, const char* name, QWidget* window, WindowPlace place)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    connect(item, &QAction::triggered, window, [this, window, place] {
        // Beside the table the first time, where the screen has room; where the player put it
        // afterwards.
        if (place == WindowPlace::BesideTable && !window->property("placed").toBool()) {
            window->setProperty("placed", true);
            placeBeside(window);
        }
        window->show();
        window->raise();
    });
    return item;
}

void Tchat::placeBeside(QWidget* window) const
{
    const QScreen* s = screen();
    if (!s) return;
    const QRect room = s->availableGeometry();
    const QRect table = frameGeometry();
    // The window system's frame, as the table window has it.
    const QSize frame = table.size() - geometry().size();
    const QSize size = window->size() + frame;
    int x = table.right() + 1;
    if (x + size.width() - 1 > room.right()) x = table.left() - size.width();
    if (x < room.left()) x = room.right() - size.width() + 1; // no room beside: the screen's right edge
    // Never over the menu bar, never off the screen.
    const int below = mapToGlobal(QPoint(0, menuBar()->geometry().bottom() + 1)).y();
    int y = table.top();
    if (x + size.width() > table.left() && x < table.right()) y = std::max(y, below);
    y = std::clamp(y, room.top(), std::max(room.top(), room.bottom() - size.height() + 1));
    window->move(std::max(room.left(), x), y);
}

void Tchat::buildGameWindows()
{
    m_scoreSheetWindow = new Tscoresheet(m_model, this);
    m_gameLogWindow = new Tgamelog(m_model.gameLog(), this);
    addWindowItem(m_viewMenu, tr("Score Sheet"), "ScoreSheet1", m_scoreSheetWindow, WindowPlace::BesideTable);
    addWindowItem(m_viewMenu, tr("Game Log"), "GameLog1", m_gameLogWindow);
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
        activateWindow();
        centralWidget()->setFocus(Qt::OtherFocusReason);
    });
}

void Tchat::setSpyList(windows::Tspylist* spyList)
{
    spyList->setBackground(m_art.background);
    const auto follow = [this, spyList] {
        const TableState& s = m_model.state();
        spyList->setEntries(s.spectators);
        spyList->setHosting(s.host);
        QList<int> muted;
        for (int n = SeatCount + 1; n <= MaxParticipant; ++n)
            if (m_model.isParticipantMuted(n)) muted.append(n);
        spyList->setMutedParticipants(muted);
    };
    spyList->setHosting(m_model.state().host);
    connect(&m_model, &TableModel::changed, spyList, follow);
    connect(spyList, &windows::Tspylist::kickRequested, &m_model, &TableModel::kicking);
    connect(spyList, &windows::Tspylist::muteRequested, this, [this](int participant, bool muted) {
        m_model.setMuted(m_model.participantName(participant), muted);
    });
    addWindowItem(m_viewMenu, tr("Spy List"), "SpyList1", spyList);
}

void Tchat::setPhraseEditor(windows::Tphrases* editor)
{
    editor->setBackground(m_art.background);
    QAction* show = m_viewMenu->addAction(tr("Phrase List"));
    show->setObjectName("PhraseList1");
    connect(show, &QAction::triggered, editor, [this, editor] {
        editor->setPhrases(m_phrases->phrases());
        editor->showOver(this);
    });
    connect(editor, &windows::Tphrases::phrasesChosen, this, [this](const QStringList& phrases) {
        // The buttons send the new phrases at once; the file keeps them for the next login.
        m_phrases->setPhrases(phrases);
        for (int n = 1; n <= PhraseBar::PhraseCount; ++n) m_settings.phrases[std::size_t(n - 1)] = phrases.value(n - 1);
        m_settings.savePhrasesTo(settingsPath());
    });
}

void Tchat::setTallyList(windows::Ttallylist* tally)
{
    m_tally = tally;
    tally->setBackground(m_art.background);
    const auto refresh = [this] {
        QStringList captions;
        for (int seat = 1; seat <= 4; ++seat) captions << m_model.state().seat(seat).name;
        const int own = m_model.state().own;
        m_tally->loadchecklist(captions, own >= 1 && own <= 4 ? own : 0);
    };
    connect(&m_model, &TableModel::playersChanged, tally, refresh);
    connect(&m_model, &TableModel::gameWon, tally, [this, refresh](const QString& names) {
        refresh();
        m_tally->addgame(names);
        // Kept at once, so a game's result survives whatever happens to the program later.
        const QString error = m_tally->save();
        if (!error.isEmpty()) m_model.chat().addlinetochat(QStringLiteral("0+") + error, protocol::colors::Red);
    });
    QAction* show = m_viewMenu->addAction(tr("Tally List"));
    show->setObjectName("TallyList1");
    connect(show, &QAction::triggered, tally, [tally, refresh] {
        refresh();
        tally->show();
        tally->raise();
    });
}

void Tchat::setHelpWindows(windows::Thelp* help, windows::Tabout* about)
{
    help->setBackground(m_art.background);
    about->setBackground(m_art.background);
    connect(m_chat, &ChatPane::logoClicked, about, &windows::Tabout::openLink);
    addWindowItem(m_helpMenu, tr("Content"), "Help2", help)->setShortcut(QKeySequence(Qt::Key_F1));
    m_helpMenu->addSeparator();
    addWindowItem(m_helpMenu, tr("About"), "About1", about);
}

void Tchat::setDownloadWindow(windows::Tdownload* download)
{
    m_download = download;
    // The lobby program or its installer started: the game ends as File > Exit does.
    connect(download, &windows::Tdownload::exitRequested, this, &QWidget::close);
    connect(download, &windows::Tdownload::playWithOthersRequested, this,
            [this] { m_others->openPlayDialog(int(PlayDialog::Tab::Join)); });
    connect(download, &windows::Tdownload::dontShowAgainChanged, this, [this](bool dontShow) {
        m_settings.showLobby = !dontShow;
        settings::TableSettings::saveShowLobbyTo(settingsPath(), !dontShow);
    });
    m_helpMenu->addSeparator();
    addWindowItem(m_helpMenu, tr("Vexo42 Lobby"), "Lobby1", download);
}

} // namespace quornet::table
