#include "table/window/tchat.h"

#include "host/tserver.h"
#include "art/boardart.h"
#include "protocol/colortext.h"
#include "table/window/chatview.h"
#include "table/window/clicklabel.h"
#include "windows/aboutform.h"
#include "windows/downloadform.h"
#include "windows/gamestart.h"
#include "windows/tallylistform.h"

#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QWindow>

namespace quornet::table {

namespace {

// Colours travel as 0x00BBGGRR values.
QColor bgr(quint32 v) { return QColor::fromRgba(protocol::ColorText::toArgb(v)); }

const QColor BoardHeadingColour = art::BoardArt::headerTextColor();

QFont pixelFont(int px, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QLabel* text(QWidget* parent, const char* name, const QString& caption, QRect geometry, int px,
             bool bold, QColor colour = Qt::black)
{
    auto* l = new QLabel(caption, parent);
    if (name) l->setObjectName(QString::fromLatin1(name));
    l->setFont(pixelFont(px, bold));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    l->setGeometry(geometry);
    return l;
}

QLabel* picture(QWidget* parent, const QString& name, QRect geometry)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setScaledContents(true);
    return l;
}

ClickLabel* clickPicture(QWidget* parent, const QString& name, QRect geometry)
{
    auto* l = new ClickLabel(parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setScaledContents(true);
    return l;
}

QFrame* outline(QWidget* parent, QRect geometry)
{
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::Box);
    f->setFrameShadow(QFrame::Sunken);
    f->setGeometry(geometry);
    return f;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    b->setFont(pixelFont(12, true));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

Tchat::Tchat(host::TServer& server, windows::Tgamestartform& startDialog, QWidget* parent)
    : QMainWindow(parent), m_server(server), m_startDialog(startDialog)
{
    setObjectName("Tchat");
    setWindowTitle(QStringLiteral("Quornet"));
    setFont(pixelFont(11));
    reloadArt();

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
    panelBoard->setGeometry(5, 6, 781, 516);
    panelBoard->setAutoFillBackground(true);
    QPalette bp = panelBoard->palette();
    bp.setColor(QPalette::Window, bgr(0xC8F0F2));
    panelBoard->setPalette(bp);

    buildBoards(panelBoard);
    m_scorePanel = new QWidget(panelBoard);
    m_scorePanel->setObjectName("panel_score");
    m_scorePanel->setGeometry(195, 3, 390, 510);
    buildScorePanel(m_scorePanel);
    buildMenus();
    buildPlayMenu();
    buildGameWindows();
    addMuteItem();
    wireModel();

    // The client area is 790 x 526 below the menu bar; the settings may move and size it later.
    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    move(3, 3);
    m_badgeTimer.setInterval(1000);
    connect(&m_badgeTimer, &QTimer::timeout, this, [this] {
        m_model.badgeTick();
        if (!m_model.badgesCounting()) m_badgeTimer.stop();
    });
    applyStaticArt();
    startChatterBot();
    sync();
}

Tchat::~Tchat()
{
    // The members go in reverse order: a connection still open would report its end (and close
    // the window, writing the settings) to a window half gone.
    m_connection.disconnect();
    m_model.disconnect(this);
}

void Tchat::reloadArt()
{
    const qreal ratio = artRatio();
    if (ratio == m_artRatio) return;
    m_artRatio = ratio;
    m_art = loadTableArt(ratio, m_deckId);
}

void Tchat::screenChanged()
{
    // A screen of another pixel density (or another zoom): every picture is drawn again, crisp
    // at the new ratio.
    if (artRatio() == m_artRatio) return;
    reloadArt();
    applyStaticArt();
    qDeleteAll(m_bookLabels);
    m_bookLabels.clear();
    qDeleteAll(m_cardLabels);
    m_cardLabels.clear();
    sync();
}

void Tchat::applyStaticArt()
{
    for (int team = 1; team <= 2; ++team) {
        const auto t = std::size_t(team);
        m_header[t]->setPixmap(team == 1 ? m_art.header1 : m_art.header2);
        m_corner[t]->setPixmap(team == 1 ? m_art.corner1 : m_art.corner2);
        m_roundWinner[t]->setPixmap(team == 1 ? m_art.roundWinner1 : m_art.roundWinner2);
        m_winner[t]->setPixmap(team == 1 ? m_art.winner1 : m_art.winner2);
        m_badge[t]->setPixmap(m_art.badge);
    }
    for (int s = 1; s <= 4; ++s) {
        m_foot[std::size_t(s)]->setPixmap(m_art.foot);
        m_eyes[std::size_t(s)]->setPixmap(m_art.eyes);
    }
    m_turnMarker->setPixmap(m_art.turnMarker);
    m_besidePile->setPixmap(m_art.besidePile);
    m_greenArrow->setPixmap(m_art.greenArrow);
    m_blueArrow->setPixmap(m_art.blueArrow);
    m_logo->setPixmap(m_art.logo);
    m_chatView->setSmileys(m_art.smileys);
    m_smileyButton->setIcon(QIcon(m_art.smileyButton));
    for (int i = 1; i <= 10; ++i) m_phrase[std::size_t(i)]->setIcon(QIcon(m_art.phrase[std::size_t(i - 1)]));
    const QList<QAction*> smileys = m_smileyMenu->actions();
    for (int i = 0; i < smileys.size(); ++i) smileys[i]->setIcon(QIcon(m_art.smileys.value(i)));
    m_startDialog.setCheckPictures(m_art.checkOff, m_art.checkOn);
    m_startDialog.setBackground(m_art.background);
    QWidget* board = centralWidget()->findChild<QWidget*>(QStringLiteral("panel_board"));
    QPalette bp = board->palette();
    if (!m_art.background.isNull()) bp.setBrush(QPalette::Window, QBrush(m_art.background));
    board->setPalette(bp);
}

void Tchat::buildBoards(QWidget* panelBoard)
{
    for (int team = 1; team <= 2; ++team) {
        auto* b = new QWidget(panelBoard);
        b->setObjectName(QStringLiteral("panel_board%1").arg(team));
        b->setGeometry(team == 1 ? QRect(3, 3, 193, 508) : QRect(584, 3, 194, 508));
        m_boards[team] = b;
        const int width = team == 1 ? 191 : 197;
        m_header[std::size_t(team)] = picture(b, QStringLiteral("image_header%1").arg(team), QRect(0, 0, width, 36));
        // Headings are 16-pixel-high captions over the header band.
        const QColor headText = BoardHeadingColour;
        if (team == 1) {
            text(b, nullptr, QStringLiteral("Green Team's Books"), QRect(1, 1, 191, 16), 14, true, headText)
                ->setAlignment(Qt::AlignHCenter);
            text(b, nullptr, QStringLiteral("Completed"), QRect(8, 17, 90, 16), 12, true, headText);
            text(b, nullptr, QStringLiteral("Working"), QRect(120, 17, 72, 16), 12, true, headText);
        } else {
            text(b, nullptr, QStringLiteral("Blue Team's Books"), QRect(0, 1, 192, 16), 14, true, headText)
                ->setAlignment(Qt::AlignHCenter);
            text(b, nullptr, QStringLiteral("Working"), QRect(8, 17, 72, 16), 12, true, headText);
            text(b, nullptr, QStringLiteral("Completed"), QRect(107, 17, 84, 16), 12, true, headText);
        }
        // Frame lines down the outer edge and along the bottom, with the corner picture.
        auto* side = new QFrame(b);
        side->setGeometry(team == 1 ? QRect(0, 36, 2, 470) : QRect(192, 36, 2, 470));
        side->setStyleSheet(QStringLiteral("background:%1").arg(bgr(team == 1 ? 0x008000 : 0x800000).name()));
        auto* bottom = new QFrame(b);
        bottom->setGeometry(team == 1 ? QRect(0, 506, 181, 2) : QRect(12, 506, 182, 2));
        bottom->setStyleSheet(side->styleSheet());
        m_corner[std::size_t(team)] = picture(b, QStringLiteral("image_corner%1").arg(team),
                                              team == 1 ? QRect(181, 496, 12, 12) : QRect(0, 496, 12, 12));

        auto* rw = picture(b, QStringLiteral("image_rwinner%1").arg(team),
                           team == 1 ? QRect(8, 40, 105, 109) : QRect(80, 40, 104, 108));
        m_roundWinner[std::size_t(team)] = rw;
        auto* w = picture(b, QStringLiteral("image_winner%1").arg(team),
                          team == 1 ? QRect(16, 120, 166, 116) : QRect(16, 120, 165, 118));
        m_winner[std::size_t(team)] = w;
        auto* badge = picture(b, QStringLiteral("image_ascore%1").arg(team), QRect(64, 264, 49, 25));
        m_badge[std::size_t(team)] = badge;
        m_badgeLabel[std::size_t(team)] = text(b, team == 1 ? "label_ascore1" : "label_ascore2",
                                               QStringLiteral("+500"),
                                               team == 1 ? QRect(71, 270, 40, 16) : QRect(69, 269, 40, 16), 12,
                                               true, bgr(0xC8F0F2));
        for (QLabel* l : {rw, w, badge, m_badgeLabel[std::size_t(team)]}) l->hide();
    }
}

void Tchat::buildScorePanel(QWidget* p)
{
    m_green = picture(p, QStringLiteral("image_green"), QRect(0, 0, 391, 2));
    m_green->setStyleSheet(QStringLiteral("background:%1").arg(bgr(0x008000).name()));
    m_blue = picture(p, QStringLiteral("image_blue"), QRect(0, 0, 391, 2));
    m_blue->setStyleSheet(QStringLiteral("background:%1").arg(bgr(0x800000).name()));
    const int rowTops[] = {0, 11, 35, 58, 79};
    const int footTops[] = {0, 7, 29, 52, 75};
    const int eyesTops[] = {0, 10, 34, 57, 81};
    for (int s = 1; s <= 4; ++s) {
        const auto i = std::size_t(s);
        const QColor c = bgr(s % 2 == 1 ? 0x008000 : 0x800000);
        m_foot[i] = picture(p, QStringLiteral("image_foot%1").arg(s), QRect(7, footTops[s], 13, 24));
        m_eyes[i] = picture(p, QStringLiteral("image_eyes%1").arg(s), QRect(13, eyesTops[s], 24, 12));
        m_cardsLeft[i] = text(p, nullptr, {}, QRect(35, rowTops[s], 16, 16), 13, true, c);
        m_cardsLeft[i]->setAlignment(Qt::AlignRight | Qt::AlignTop);
        m_cardsLeft[i]->setObjectName(QStringLiteral("label_cardsleft%1").arg(s));
        m_name[i] = new ClickLabel(p);
        m_name[i]->setObjectName(QStringLiteral("label_playername%1").arg(s));
        m_name[i]->setGeometry(52, rowTops[s], 122, 16);
        m_name[i]->setFont(pixelFont(13, true));
        QPalette np = m_name[i]->palette();
        np.setColor(QPalette::WindowText, c);
        m_name[i]->setPalette(np);
        connect(m_name[i], &ClickLabel::pressed, this, [this, s](Qt::MouseButton b) {
            if (b == Qt::RightButton) showSeatPopup(s);
        });
        m_score[i] = text(p, nullptr, QStringLiteral("0"), QRect(182, rowTops[s], 60, 16), 13, true, c);
        m_score[i]->setObjectName(QStringLiteral("label_score%1").arg(s));
    }
    m_turnMarker = picture(p, QStringLiteral("image_Turn"), QRect(22, 13, 10, 16));
    m_full = text(p, "label_full", {}, QRect(248, 8, 129, 22), 16, true);
    m_turn = text(p, "label_turn", {}, QRect(242, 69, 139, 16), 11, true);
    m_pickupLabel = text(p, "label_pickup", {}, QRect(310, 85, 78, 14), 11, true);
    m_round = text(p, "label_round", {}, QRect(242, 85, 66, 14), 11, true);

    for (int i = 1; i <= 3; ++i) {
        const QRect r(11 + 74 * (i - 1), 101, 71, 96);
        outline(p, r);
        m_places[std::size_t(i)] = clickPicture(p, QStringLiteral("acard_place%1").arg(i), r);
        connect(m_places[std::size_t(i)], &ClickLabel::pressed, this, [this, i](Qt::MouseButton b) {
            if (b == Qt::LeftButton) m_model.clickPlace(i);
        });
    }
    // The pick-up preview lies over the boxes, which are empty until the player has drawn.
    m_pilePreview = new QWidget(p);
    m_pilePreview->setObjectName("pile_preview");
    m_pilePreview->setGeometry(11, 101, 219, 96);
    m_pilePreview->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pilePreviewCaption = text(m_pilePreview, "label_previewcaption", {}, QRect(4, 2, 211, 16), 12, true, bgr(0x000080));
    for (int i = 0; i < int(m_pilePreviewCards.size()); ++i)
        m_pilePreviewCards[std::size_t(i)] = picture(m_pilePreview, QStringLiteral("preview%1").arg(i), QRect(6 + 22 * i, 22, 36, 48));
    m_pilePreviewMore = text(m_pilePreview, "label_previewmore", {}, QRect(4, 74, 211, 16), 11, true, bgr(0x000080));
    m_pilePreview->hide();
    m_addHere = text(p, "label_addhere", QStringLiteral("ADD CARDS TO THESE BOXES TO CREATE A BOOK"),
                     QRect(32, 120, 169, 57), 16, true, bgr(0x000080));
    m_addHere->setWordWrap(true);
    m_addHere->setAlignment(Qt::AlignCenter);
    m_create = button(p, "button_create", QStringLiteral("Create"), QRect(235, 119, 65, 32));
    m_clearBook = button(p, "button_clearbook", QStringLiteral("Clear"), QRect(235, 154, 65, 32));
    connect(m_create, &QPushButton::clicked, this, [this] { m_model.clickCreate(); });
    connect(m_clearBook, &QPushButton::clicked, this, [this] { m_model.clickClearBook(); });

    outline(p, QRect(309, 99, 71, 96));
    m_discard = clickPicture(p, QStringLiteral("image_discard"), QRect(309, 99, 71, 96));
    m_besidePile = clickPicture(p, QStringLiteral("Image4"), QRect(362, 101, 18, 61));
    for (ClickLabel* l : {m_discard, m_besidePile})
        connect(l, &ClickLabel::pressed, this, [this](Qt::MouseButton b) {
            if (b == Qt::LeftButton) m_model.clickDiscard();
        });
    m_status = text(p, "label_status", {}, QRect(11, 200, 370, 17), 13, true);

    m_pickup = button(p, "button_pickup", QStringLiteral("Pick Up Pile"), QRect(91, 246, 100, 32));
    m_start = button(p, "button_start", QStringLiteral("Start Game"), QRect(146, 246, 100, 32));
    m_draw = button(p, "button_draw", QStringLiteral("Draw Cards"), QRect(195, 246, 100, 32));
    connect(m_pickup, &QPushButton::clicked, this, [this] { m_model.clickPickup(); });
    connect(m_draw, &QPushButton::clicked, this, [this] { m_model.clickDraw(); });
    connect(m_start, &QPushButton::clicked, this, [this] { m_model.clickStart(); });

    auto* bevel = new QFrame(p);
    bevel->setFrameShape(QFrame::Panel);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(3, 316, 384, 173);
    m_chatView = new ChatView(m_model.chat(), p);
    m_chatView->setGeometry(4, 317, 381, 169);
    connect(m_chatView, &ChatView::clearedByUser, this, [this] { m_entry->setFocus(); });

    m_greenArrow = picture(p, QStringLiteral("image_greenarrow"), QRect(4, 314, 106, 22));
    m_blueArrow = picture(p, QStringLiteral("image_bluearrow"), QRect(280, 353, 106, 22));
    buildChatEntry(p);
    m_logo = clickPicture(p, QStringLiteral("image_logo"), QRect(243, 487, 146, 24));
    m_logo->setCursor(Qt::PointingHandCursor);
    connect(m_logo, &ClickLabel::pressed, this, [this](Qt::MouseButton b) {
        if (b == Qt::LeftButton && m_about) m_about->openLink();
    });
}

void Tchat::wireModel()
{
    m_connection.setTickHook([this] {
        m_model.tick();
        return m_model.phraseCounting();
    });
    connect(&m_connection, &TableConnection::messageReceived, &m_model, &TableModel::handleMessage);
    wireConnection();
    connect(&m_model, &TableModel::send, this, [this](const QByteArray& m) { m_connection.send(m); });
    connect(&m_model, &TableModel::changed, this, &Tchat::sync);
    connect(&m_model, &TableModel::messageBox, this, &Tchat::showMessageBox);
    connect(&m_model, &TableModel::closeRequested, this, &QWidget::close);
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
    });
}

void Tchat::setCommandLine(const QStringList& positional, quint16 port)
{
    m_positional = positional;
    m_port = port;
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
    m_model.setHosting(false);
    m_model.setSolo(m_positional.isEmpty());
    // The solo player sees each round's end before the next deal.
    m_server.engine().setRoundWaitsForHostUser(m_positional.isEmpty());
    if (m_positional.isEmpty()) {
        m_model.chat().addlinetochat(QStringLiteral("0+Loading Solo Game..Please wait."), protocol::colors::Blue);
        if (m_download) {
            settings::TableSettings saved;
            saved.loadFrom(settingsPath());
            m_download->setDontShowAgain(!saved.showLobby);
            if (saved.showLobby) m_download->show();
        }
        m_address = QStringLiteral("127.0.0.1");
        m_model.setPlayerName(QStringLiteral("You"));
        if (m_tally) m_tally->setLocalPlayer(QStringLiteral("You"));
        hostpress();
        return;
    }
    m_model.chat().addlinetochat(QStringLiteral("0+Loading Multi-player Game.. Please Wait."), protocol::colors::Blue);
    m_model.setPlayerName(m_positional.value(0));
    if (m_tally) m_tally->setLocalPlayer(m_positional.value(0));
    m_address = m_positional.value(1);
    if (m_positional.size() < 3) return; // a name alone, or a name and an address: nothing follows
    if (m_positional[2] == QLatin1String("true"))
        hostpress();
    else
        joinpress();
    // The lobby program may listen here; nothing is sent, read or reported.
    m_lobbyProbe.connectToHost(QStringLiteral("127.0.0.1"), 9001);
}

void Tchat::hostpress()
{
    QString error;
    if (!m_server.isListening() && !m_server.listen(m_port, &error)) {
        QMessageBox::critical(this, QStringLiteral("Quornet"), error);
        return;
    }
    m_model.setHosting(true);
    // Only this window's own connection is given participant 1 and the host user's rights.
    m_server.setOwnWindowPort(m_connection.connectToOwnHost(m_server.port()));
}

void Tchat::joinpress()
{
    m_model.setHosting(false);
    m_connection.connectToHost(m_address, m_port);
}

} // namespace quornet::table
