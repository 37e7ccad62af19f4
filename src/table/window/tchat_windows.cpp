// The side windows the table window opens from its View and Help menus.
#include "table/core/chatterbot.h"
#include "table/window/tchat.h"
#include "windows/phrases.h"
#include "windows/spylist.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace quornet::table {

void Tchat::setSpyList(windows::Tspylist* spyList)
{
    m_spyList = spyList;
    spyList->setBackground(m_art.background);
    spyList->setHosting(m_model.state().host);
    connect(spyList, &windows::Tspylist::kickRequested, &m_model, &TableModel::kicking);
    QAction* show = m_viewMenu->addAction(QStringLiteral("Spy List"));
    show->setObjectName("SpyList1");
    connect(show, &QAction::triggered, spyList, [spyList] {
        spyList->show();
        spyList->raise();
    });
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

void Tchat::startChatterBot()
{
    // Klot answers chat now and then in the solo game; his remarks stay in this window.
    if (!m_chatterBot) m_chatterBot = new ChatterBot(m_model, this);
}

} // namespace quornet::table
