// The table window's menu bar, its settings (read at the own login, written after every
// change) and the window's placement rules.
#include "settings/settingslocation.h"
#include "table/window/chatpane.h"
#include "table/window/optionsmenu.h"
#include "table/window/phrasebar.h"
#include "table/window/playingwithothers.h"
#include "table/window/playmenu.h"
#include "table/window/seatmenu.h"
#include "table/window/tablewidgets.h"
#include "table/window/tchat.h"
#include "windows/gamestart.h"

#include <QCloseEvent>
#include <QColorDialog>
#include <QMenuBar>
#include <QScreen>

namespace quornet::table {

void Tchat::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* startGame = file->addAction(tr("Start Game"));
    startGame->setObjectName("StartGame1");
    startGame->setEnabled(false);
    connect(startGame, &QAction::triggered, &m_model, &TableModel::clickStart);
    connect(&m_model, &TableModel::changed, startGame, [this, startGame] { startGame->setEnabled(m_model.state().startMenuEnabled); });
    file->addSeparator();
    QAction* exit = file->addAction(tr("Exit"));
    exit->setObjectName("Exit1");
    connect(exit, &QAction::triggered, this, &QWidget::close);
    m_others->addMenuItems(file, exit);

    m_options = new OptionsMenu(m_model, m_sounds, m_chat->view(), this);
    menuBar()->addMenu(m_options);
    connect(m_options, &OptionsMenu::changed, this, qOverload<>(&Tchat::saveinifile));
    connect(m_options, &OptionsMenu::botSpeedChanged, this, &Tchat::botSpeedChanged);
    connect(m_options, &OptionsMenu::botLevelChanged, this, &Tchat::botLevelChanged);
    connect(m_options, &OptionsMenu::textColourWanted, this, &Tchat::chooseTextColour);
    connect(m_options, &OptionsMenu::deckChosen, this, &Tchat::setCardDeck);
    connect(m_options, &OptionsMenu::resetLocationWanted, this,
            [this] { setOuterBounds(QRect(DefaultLeft, DefaultTop, DefaultWidth, DefaultHeight)); });

    m_viewMenu = menuBar()->addMenu(tr("&View"));
    m_helpMenu = menuBar()->addMenu(tr("&Help"));
    m_seatMenu = new SeatMenu(m_model, this);
    buildZoomMenu();

    m_playMenu = new PlayMenu(m_model, this);
    menuBar()->insertMenu(m_viewMenu->menuAction(), m_playMenu);
    // The game start dialog shows the level the next game will be played at, and the hint is
    // Expert's at Expert.
    const auto showLevel = [this](const QString& level) {
        QString caption = level;
        caption[0] = caption[0].toUpper();
        m_startDialog.setBotLevelCaption(caption);
        m_playMenu->setComputerLevel(level);
    };
    showLevel(m_options->botLevel());
    connect(m_options, &OptionsMenu::botLevelChanged, this, showLevel);
}

void Tchat::chooseTextColour()
{
    const QColor c = QColorDialog::getColor(widgets::bgr(m_chat->chatColour()), this, tr("Text Color"));
    if (!c.isValid()) return;
    m_chat->setChatColour(quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16);
    saveinifile();
}

QString Tchat::settingsPath() const
{
    return m_settingsPath.isEmpty() ? settings::SettingsLocation::filePath() : m_settingsPath;
}

QRect Tchat::outerBounds() const { return frameGeometry(); }

void Tchat::setOuterBounds(const QRect& r)
{
    // The file keeps the window's outer bounds; the frame's share is what the window system adds.
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(std::max(r.width() - frame.width(), minimumSizeHint().width()),
           std::max(r.height() - frame.height(), minimumSizeHint().height()));
    move(r.left(), r.top());
    fitTableToWindow(); // the size sets the table's scale

}

void Tchat::loadinifile()
{
    settings::TableSettings& s = m_settings;
    s.loadFrom(settingsPath());
    // The quick size first: it sizes the window, and the saved bounds, which set the scale, are
    // those of the scaled window; bounds smaller than the quick size's (a file of an earlier
    // build) give way to it.
    const int zoom = fittingZoom(s.zoom);
    setZoom(zoom);
    setOuterBounds(QRect(s.left, s.top, s.width, s.height));
    if (zoomPercent() < zoom) setZoom(zoom);
    m_lastBounds = QRect(s.left, s.top, s.width, s.height);
    m_chat->setChatColour(s.textColor);
    QStringList phrases = m_phrases->phrases();
    for (int n = 0; n < PhraseBar::PhraseCount; ++n)
        if (!s.phrases[std::size_t(n)].isEmpty()) phrases[n] = s.phrases[std::size_t(n)];
    m_phrases->setPhrases(phrases);
    m_options->load(s);
    m_startDialog.setPickUpCount(s.pickup);
    m_startDialog.checkimage(s.gameType == "r" ? "image_game4" : s.gameType == "3" ? "image_game3"
                             : s.gameType == "5" ? "image_game2" : "image_game1");
    m_startDialog.theyclicked(QStringLiteral("image_bots"), s.noBots ? 1 : 0);
    m_startDialog.theyclicked(QStringLiteral("image_discard"), s.pickupDiscard ? 1 : 0);
    if (s.cardDeck != m_options->deckId() && !s.cardDeck.isEmpty()) setCardDeck(s.cardDeck);
    m_options->setDeck(m_options->deckId());
    syncAll();
}

void Tchat::saveinifile() { saveinifile(outerBounds()); }

void Tchat::saveinifile(const QRect& r)
{
    settings::TableSettings& s = m_settings;
    s.top = r.top();
    s.left = r.left();
    s.width = r.width();
    s.height = r.height();
    s.textColor = m_chat->chatColour();
    m_options->save(s);
    s.pickup = m_startDialog.pickUpCount();
    s.gameType = QString::fromLatin1(m_startDialog.lengthCode());
    s.noBots = m_startDialog.twoPlayer();
    s.pickupDiscard = m_startDialog.pickUp();
    s.zoom = m_zoom.percent();
    s.saveTo(settingsPath());
}

void Tchat::closeEvent(QCloseEvent* event)
{
    if (!m_kept.settleBeforeClosing(!m_others->place().solo())) {
        event->ignore();
        return;
    }
    m_watch->setLeaving();
    QRect r = outerBounds();
    if (r != m_lastBounds) {
        // A window larger than the work area is saved a little smaller, so it fits next time.
        const QRect work = screen() ? screen()->availableGeometry() : r;
        if (r.width() > work.width()) r.setWidth(r.width() - 15);
        if (r.height() > work.height()) r.setHeight(r.height() - 15);
        m_lastBounds = r;
        saveinifile(r);
    }
    emit closing();
    event->accept();
}

} // namespace quornet::table
