// The side windows the table window opens from its View and Help menus.
#include "table/core/chatterbot.h"
#include "protocol/colortext.h"
#include "table/window/tchat.h"
#include "windows/aboutform.h"
#include "windows/downloadform.h"
#include "windows/helpform.h"
#include "windows/phrases.h"
#include "windows/spylist.h"
#include "windows/tallylistform.h"

#include <QMessageBox>

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace quornet::table {

QAction* Tchat::addWindowItem(QMenu* menu, const QString& caption, const char* name, QWidget* window)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    connect(item, &QAction::triggered, window, [window] {
        window->show();
        window->raise();
    });
    return item;
}

void Tchat::setSpyList(windows::Tspylist* spyList)
{
    m_spyList = spyList;
    spyList->setBackground(m_art.background);
    spyList->setHosting(m_model.state().host);
    connect(spyList, &windows::Tspylist::kickRequested, &m_model, &TableModel::kicking);
    connect(spyList, &windows::Tspylist::muteRequested, this, [this](int participant, bool muted) {
        m_model.setMuted(m_model.participantName(participant), muted);
    });
    addWindowItem(m_viewMenu, QStringLiteral("Spy List"), "SpyList1", spyList);
}

void Tchat::setPhraseEditor(windows::Tphrases* editor)
{
    m_phraseEditor = editor;
    editor->setBackground(m_art.background);
    QAction* show = m_viewMenu->addAction(QStringLiteral("Phrase List"));
    show->setObjectName("PhraseList1");
    connect(show, &QAction::triggered, editor, [this, editor] {
        QStringList hints;
        for (int n = 1; n <= 9; ++n) hints << m_phrase[std::size_t(n)]->toolTip();
        editor->setPhrases(hints);
        editor->showOver(this);
    });
    connect(editor, &windows::Tphrases::phrasesChosen, this, [this](const QStringList& phrases) {
        // The buttons send the new phrases at once; the file keeps them for the next login.
        for (int n = 1; n <= 9; ++n) {
            m_phrase[std::size_t(n)]->setToolTip(phrases.value(n - 1));
            m_settings.phrases[std::size_t(n - 1)] = phrases.value(n - 1);
        }
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
    QAction* show = m_viewMenu->addAction(QStringLiteral("Tally List"));
    show->setObjectName("TallyList1");
    connect(show, &QAction::triggered, tally, [tally, refresh] {
        refresh();
        tally->show();
        tally->raise();
    });
}

void Tchat::setHelpWindows(windows::Thelp* help, windows::Tabout* about)
{
    m_about = about;
    help->setBackground(m_art.background);
    about->setBackground(m_art.background);
    addWindowItem(m_helpMenu, QStringLiteral("Content"), "Help2", help)->setShortcut(QKeySequence(Qt::Key_F1));
    m_helpMenu->addSeparator();
    addWindowItem(m_helpMenu, QStringLiteral("About"), "About1", about);
}

void Tchat::setDownloadWindow(windows::Tdownload* download)
{
    m_download = download;
    // The lobby program or its installer started: the game ends as File > Exit does.
    connect(download, &windows::Tdownload::exitRequested, this, &QWidget::close);
    connect(download, &windows::Tdownload::dontShowAgainChanged, this, [this](bool dontShow) {
        m_settings.showLobby = !dontShow;
        settings::TableSettings::saveShowLobbyTo(settingsPath(), !dontShow);
    });
    m_helpMenu->addSeparator();
    addWindowItem(m_helpMenu, QStringLiteral("Vexo42 Lobby"), "Lobby1", download);
}

void Tchat::startChatterBot()
{
    // Klot answers chat now and then in the solo game; his remarks stay in this window.
    if (!m_chatterBot) m_chatterBot = new ChatterBot(m_model, this);
}

} // namespace quornet::table
