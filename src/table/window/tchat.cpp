#include "table/window/tchat.h"

#include "host/tserver.h"
#include "protocol/colortext.h"
#include "table/core/chatterbot.h"
#include "table/window/chatpane.h"
#include "table/window/handview.h"
#include "table/window/optionsmenu.h"
#include "table/window/phrasebar.h"
#include "table/window/playarea.h"
#include "table/window/playingwithothers.h"
#include "table/window/playmenu.h"
#include "table/window/seatmenu.h"
#include "table/window/seatstrip.h"
#include "table/window/tablereach.h"
#include "table/window/tablewidgets.h"
#include "table/window/teamboardview.h"
#include "windows/downloadform.h"
#include "windows/gamestart.h"
#include "windows/tallylistform.h"

#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QGuiApplication>
#include <QWindow>

namespace quornet::table {

using widgets::bgr;

Tchat::Tchat(host::TServer& server, windows::Tgamestartform& startDialog, QWidget* parent)
    : QMainWindow(parent), m_server(server), m_startDialog(startDialog), m_kept(*this, server, m_model, m_connection)
{
    setObjectName("Tchat");
    setWindowTitle(QStringLiteral("Quornet"));
    setFont(widgets::pixelFont(11));
    m_watch = new ConnectionWatch(*this, m_model, m_connection);
    m_others = new PlayingWithOthers(*this, m_server, m_model, m_connection, *m_watch, m_kept,
                                     [this] { return settingsPath(); });
    buildClient();
    buildMenus();
    buildGameWindows();
    wireParts();
    wireModel();

    // The client area is 790 x 526 below the menu bar; the settings may move and size it later.
    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    move(3, 3);
    m_artTimer.setSingleShot(true);
    m_artTimer.setInterval(ArtSettleMs);
    connect(&m_artTimer, &QTimer::timeout, this, &Tchat::screenChanged);
    m_badgeTimer.setInterval(1000);
    connect(&m_badgeTimer, &QTimer::timeout, this, [this] {
        m_model.badgeTick();
        if (!m_model.badgesCounting()) m_badgeTimer.stop();
    });
    reloadArt();
    applyArt();
    // Klot answers chat now and then in the solo game; his remarks stay in this window.
    new ChatterBot(m_model, this);
    connect(&m_model, &TableModel::changed, this, [this] { m_kept.keepJoinedSeat(!m_others->place().solo()); });
    syncAll();
}

Tchat::~Tchat()
{
    // The members go in reverse order: a connection still open would report its end (and close
    // the window, writing the settings) to a window half gone, and the model must not reach the
    // parts.
    m_connection.disconnect();
    m_model.disconnect();
}

// The client area: the board panel with the two team boards and, between them, the score panel
// that holds the seat strip, the quick phrases, the play area, the chat pane and the hand (in
// this order, so the hand's cards and cursor lie over the status line and the turn arrows).
void Tchat::buildClient()
{
    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setAutoFillBackground(true);
    QPalette cp = client->palette();
    cp.setColor(QPalette::Window, bgr(0xD6F5F4));
    client->setPalette(cp);
    client->setMinimumSize(ClientWidth, ClientHeight);
    setCentralWidget(client);

    auto* panelBoard = new QWidget(client);
    panelBoard->setObjectName("panel_board");
    panelBoard->setGeometry(QRect(PanelBoardBase, QSize(781, 516)));
    panelBoard->setAutoFillBackground(true);
    QPalette bp = panelBoard->palette();
    bp.setColor(QPalette::Window, bgr(0xC8F0F2));
    panelBoard->setPalette(bp);

    for (int team = 1; team <= 2; ++team) m_boards[std::size_t(team)] = new TeamBoardView(team, m_model, m_zoom, panelBoard);
    auto* scorePanel = new QWidget(panelBoard);
    scorePanel->setObjectName("panel_score");
    scorePanel->setGeometry(195, 3, 390, 510);
    m_seats = new SeatStrip(m_model, m_zoom, scorePanel);
    m_phrases = new PhraseBar(m_model, client, scorePanel);
    m_play = new PlayArea(m_model, m_zoom, scorePanel);
    m_chat = new ChatPane(m_model, scorePanel);
    m_hand = new HandView(m_model, m_zoom, scorePanel);
}

// What the parts ask of the frame, and what one part's choice means for another.
void Tchat::wireParts()
{
    // Single keys act while the chat line does not have the keyboard: a click on the table or
    // Esc takes it from there.
    centralWidget()->setFocusPolicy(Qt::ClickFocus);
    const auto focusTable = [this] { centralWidget()->setFocus(Qt::OtherFocusReason); };
    connect(m_chat, &ChatPane::tableFocusWanted, this, focusTable);
    connect(m_watch, &ConnectionWatch::boxClosed, this, focusTable);
    connect(m_playMenu, &PlayMenu::tableFocusWanted, this, [this] { centralWidget()->setFocus(Qt::ShortcutFocusReason); });
    connect(m_playMenu, &PlayMenu::keysOnChanged, this, [this](bool on) {
        m_hand->setKeysShown(on);
        for (int team = 1; team <= 2; ++team) m_boards[std::size_t(team)]->setKeysShown(on);
    });
    connect(m_seats, &SeatStrip::seatMenuRequested, m_seatMenu, &SeatMenu::popupFor);
    connect(m_phrases, &PhraseBar::phraseChosen, this, [this](const QString& phrase) {
        if (m_model.quickPhrase(phrase, m_chat->chatColour())) m_connection.wakeTimer();
    });
    connect(m_watch, &ConnectionWatch::openBoxChanged, this, &Tchat::writeStateFile);
    // A window of the program that closes hands the keys back to the table (with or without a
    // window manager to do it): the play keys work at once. Leaving for another program does not.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* now) {
        const QPointer<QWindow> before = m_lastFocusWindow;
        m_lastFocusWindow = now;
        if (now || !before || before->isVisible() || !isVisible() || before == windowHandle()) return;
        activateWindow();
        if (!focusWidget()) centralWidget()->setFocus(Qt::ActiveWindowFocusReason);
    });
}

void Tchat::wireModel()
{
    // A new engine gets the window's pace and level as the first one did.
    connect(&m_server, &host::TServer::engineReplaced, this, [this] {
        emit botSpeedChanged(botSpeed());
        emit botLevelChanged(botLevel());
    });
    connect(m_others, &PlayingWithOthers::playerNamed, this, [this](const QString& name) {
        if (m_tally) m_tally->setLocalPlayer(name);
    });
    m_connection.setTickHook([this] {
        m_model.tick();
        return m_model.phraseCounting();
    });
    connect(&m_connection, &TableConnection::messageReceived, &m_model, &TableModel::handleMessage);
    connect(&m_model, &TableModel::send, this, [this](const QByteArray& m) { m_connection.send(m); });
    connect(&m_model, &TableModel::changed, this, &Tchat::sync);
    connect(&m_model, &TableModel::messageBox, m_watch, &ConnectionWatch::showMessageBox);
    connect(&m_model, &TableModel::ownLogin, this, &Tchat::loadinifile);
    connect(&m_model, &TableModel::playSound, &m_sounds, &SoundPlayer::playEvent);
    connect(&m_model, &TableModel::playChatterSound, &m_sounds, &SoundPlayer::playChatter);
    connect(&m_model, &TableModel::startDialogRequested, this, [this] {
        m_startDialog.adjustSize();
        m_startDialog.move(geometry().center() - m_startDialog.rect().center());
        m_startDialog.show();
        m_startDialog.raise();
    });
    connect(&m_startDialog, &windows::Tgamestartform::startRequested, this, [this] {
        GameOptions o;
        o.lengthCode = QString::fromLatin1(m_startDialog.lengthCode());
        o.twoPlayer = m_startDialog.twoPlayer();
        o.pickUp = m_startDialog.pickUp();
        o.pickUpCount = m_startDialog.pickUpCount();
        if (m_model.startGame(o)) saveinifile();
        // The start window is a window of its own: the keys come back to the table.
        activateWindow();
        centralWidget()->setFocus(Qt::OtherFocusReason);
    });
}

// The parts follow the model themselves; the frame keeps the badge timer running and the state
// file up to date.
void Tchat::sync()
{
    if (m_model.badgesCounting() && !m_badgeTimer.isActive()) m_badgeTimer.start();
    syncTakeOverNotice();
    writeStateFile();
}

void Tchat::syncTakeOverNotice()
{
    if (!m_model.state().takenOver) {
        if (m_backNotice) m_backNotice->hide();
        return;
    }
    if (!m_backNotice) {
        m_backNotice = new QMessageBox(QMessageBox::Information, QStringLiteral("Quornet"),
                                       tr("Your turn took too long: the computer plays your seat until you are back."),
                                       QMessageBox::NoButton, this);
        m_backNotice->setObjectName(QStringLiteral("back_notice"));
        m_backNotice->setModal(false);
        QPushButton* back = m_backNotice->addButton(tr("I'm Back"), QMessageBox::AcceptRole);
        back->setObjectName(QStringLiteral("button_imback"));
        connect(back, &QPushButton::clicked, &m_model, &TableModel::imBack);
    }
    if (!m_backNotice->isVisible()) m_backNotice->show();
}

void Tchat::syncAll()
{
    for (int team = 1; team <= 2; ++team) m_boards[std::size_t(team)]->sync();
    m_seats->sync();
    m_play->sync();
    m_chat->sync();
    m_hand->sync();
    m_options->sync();
    m_playMenu->sync();
    sync();
}

void Tchat::writeStateFile() { m_stateFile.write(m_model.state(), m_watch->openBox()); }

ChatView* Tchat::chatView() const { return m_chat->view(); }

int Tchat::botSpeed() const { return m_options->botSpeed(); }

QString Tchat::botLevel() const { return m_options->botLevel(); }

qreal Tchat::artRatio() const { return devicePixelRatioF() * m_zoom.factor(); }

void Tchat::reloadArt()
{
    const qreal ratio = artRatio();
    if (ratio == m_artRatio) return;
    m_artRatio = ratio;
    m_art = loadTableArt(ratio, m_options->deckId());
}

void Tchat::applyArt()
{
    for (int team = 1; team <= 2; ++team) m_boards[std::size_t(team)]->setArt(m_art);
    m_seats->setArt(m_art);
    m_phrases->setArt(m_art);
    m_play->setArt(m_art);
    m_chat->setArt(m_art);
    m_hand->setArt(m_art);
    m_startDialog.setCheckPictures(m_art.checkOff, m_art.checkOn);
    m_startDialog.setBackground(m_art.background);
    QWidget* board = centralWidget()->findChild<QWidget*>(QStringLiteral("panel_board"));
    QPalette bp = board->palette();
    if (!m_art.background.isNull()) bp.setBrush(QPalette::Window, QBrush(m_art.background));
    board->setPalette(bp);
}

void Tchat::screenChanged()
{
    // A screen of another pixel density (or another zoom): every picture is drawn again, crisp
    // at the new ratio.
    if (artRatio() == m_artRatio) return;
    reloadArt();
    applyArt();
}

void Tchat::setCardDeck(const QString& id)
{
    m_options->setDeck(id);
    m_artRatio = 0; // draw every picture again with the new deck
    screenChanged();
}

void Tchat::setCommandLine(const QStringList& positional, quint16 port)
{
    m_others->place().positional = positional;
    m_others->place().port = port;
}

void Tchat::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shown) return;
    m_shown = true;
    if (windowHandle()) connect(windowHandle(), &QWindow::screenChanged, this, &Tchat::screenChanged);
    // The command line is read once the window is on screen, so it shows at once.
    QMetaObject::invokeMethod(this, &Tchat::processparams, Qt::QueuedConnection);
}

void Tchat::processparams()
{
    if (m_tally && !m_tally->startupError().isEmpty())
        QMessageBox::warning(this, QStringLiteral("Quornet"), m_tally->startupError());
    // An invite link (quornet quornet://HOST:PORT) or a dialog tab asked for opens over a solo
    // table.
    const QString link = m_others->takeStartRequest();
    PlayingWithOthers::Place& place = m_others->place();
    m_model.setHosting(false);
    m_model.setSolo(place.solo());
    // The solo player sees each round's end before the next deal.
    m_server.engine().setRoundWaitsForHostUser(place.solo());
    // A seat at a joined table left by a crash comes before a new solo game.
    if (place.solo()) {
        if (const auto seat = m_kept.offerJoinedSeat()) {
            place.positional = {seat->name, seat->address, QStringLiteral("join")};
            place.port = seat->port;
            m_model.setSolo(false);
            m_server.engine().setRoundWaitsForHostUser(false);
        }
    }
    if (place.solo()) {
        m_model.chat().addlinetochat(QStringLiteral("0+") + tr("Loading Solo Game..Please wait."), protocol::colors::Blue);
        m_others->beginSolo();
        if (!link.isEmpty())
            QMetaObject::invokeMethod(this, [this, link] { m_others->openStartRequest(link); }, Qt::QueuedConnection);
        if (m_download && link.isEmpty()) {
            settings::TableSettings saved;
            saved.loadFrom(settingsPath());
            m_download->setDontShowAgain(!saved.showLobby);
            if (saved.showLobby) m_download->show();
        }
        place.address = QStringLiteral("127.0.0.1");
        m_model.setPlayerName(QStringLiteral("You"));
        if (m_tally) m_tally->setLocalPlayer(QStringLiteral("You"));
        m_kept.resumeOrKeep(true, place.port);
        m_others->hostOwnTable();
        return;
    }
    m_model.chat().addlinetochat(QStringLiteral("0+") + tr("Loading Multi-player Game.. Please Wait."), protocol::colors::Blue);
    const QString name = place.positional.value(0);
    m_model.setPlayerName(name);
    if (m_tally) m_tally->setLocalPlayer(name);
    place.address = place.positional.value(1);
    m_others->rememberName(name); // the dialog offers it next time
    if (place.positional.size() < 3) return; // a name alone, or a name and an address: nothing follows
    const bool hosting = place.positional[2] == QLatin1String("true");
    m_others->beginCommandLineTable(hosting);
    if (hosting) {
        m_kept.resumeOrKeep(false, place.port);
        m_others->hostOwnTable();
        m_others->reach().announce(m_others->playSettings());
    } else {
        m_others->joinPlacedTable();
    }
    // The lobby program may listen here; nothing is sent, read or reported.
    m_lobbyProbe.connectToHost(QStringLiteral("127.0.0.1"), 9001);
}

} // namespace quornet::table
