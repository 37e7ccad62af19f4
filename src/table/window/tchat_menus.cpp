// The table window's main menu, its settings (read at the own login, written after every
// change) and the window's placement rules.
#include "settings/settingslocation.h"
#include "art/deckcatalog.h"
#include "protocol/colortext.h"
#include "table/window/chatview.h"
#include "table/window/tchat.h"
#include "windows/gamestart.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QColorDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>

namespace quornet::table {

namespace {
QAction* item(QMenu* menu, const QString& caption, const char* name, bool checkable = false)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(checkable);
    return a;
}

QColor bgrColour(quint32 v) { return QColor::fromRgba(protocol::ColorText::toArgb(v)); }
quint32 toBgr(const QColor& c) { return quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16; }
} // namespace

void Tchat::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    m_startGame = item(file, QStringLiteral("Start Game"), "StartGame1");
    m_startGame->setEnabled(false);
    connect(m_startGame, &QAction::triggered, this, [this] { m_model.clickStart(); });
    file->addSeparator();
    m_exit = item(file, QStringLiteral("Exit"), "Exit1");
    connect(m_exit, &QAction::triggered, this, &QWidget::close);

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    m_playSounds = item(options, QStringLiteral("Play Sounds"), "PlaySounds1", true);
    m_playSounds->setChecked(true);
    connect(m_playSounds, &QAction::triggered, this, [this](bool on) {
        m_sounds.setPlaySounds(on);
        saveinifile();
    });
    m_playChatter = item(options, QStringLiteral("Play Chatter Sounds"), "PlayChatterSounds1", true);
    connect(m_playChatter, &QAction::triggered, this, [this](bool on) {
        m_sounds.setPlayChatterSounds(on);
        m_model.setChatterSounds(on);
        saveinifile();
    });
    QMenu* turnSound = options->addMenu(QStringLiteral("Turn Sound"));
    auto* turnGroup = new QActionGroup(this);
    m_classic = item(turnSound, QStringLiteral("Classic"), "Classic1", true);
    m_new = item(turnSound, QStringLiteral("New"), "New1", true);
    m_classic->setChecked(true);
    for (QAction* a : {m_classic, m_new}) {
        turnGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, a] {
            m_model.setTurnSound(a == m_new ? 1 : 0);
            saveinifile();
        });
    }
    m_manualSort = item(options, QStringLiteral("Manual Sort"), "ManualSort1", true);
    connect(m_manualSort, &QAction::triggered, this, [this] {
        m_model.setManualSort(!m_model.state().manualSort);
        saveinifile();
    });
    QMenu* botSpeed = options->addMenu(QStringLiteral("Bot Speed"));
    const std::pair<const char*, int> speeds[] = {{"Slow", 1000}, {"Normal", 750}, {"Fast", 500}};
    for (const auto& [caption, ms] : speeds) {
        QAction* a = item(botSpeed, QString::fromLatin1(caption), "", true);
        a->setObjectName(QString::fromLatin1(caption) + '1');
        a->setData(ms);
        m_botSpeedItems.append(a);
        connect(a, &QAction::triggered, this, [this, ms = ms] {
            setBotSpeedItem(ms);
            saveinifile();
        });
    }
    // The level of the host's computer players, from the next game start on.
    QMenu* botLevel = options->addMenu(QStringLiteral("Computer Players"));
    botLevel->setObjectName("ComputerPlayers1");
    auto* levelGroup = new QActionGroup(this);
    const std::pair<const char*, const char*> levels[] = {{"Classic", "classic"}, {"Strong", "strong"}, {"Expert", "expert"}};
    for (const auto& [caption, level] : levels) {
        QAction* a = item(botLevel, QString::fromLatin1(caption), "", true);
        a->setObjectName(QStringLiteral("Level") + QString::fromLatin1(caption) + '1');
        a->setData(QString::fromLatin1(level));
        levelGroup->addAction(a);
        m_botLevelItems.append(a);
        connect(a, &QAction::triggered, this, [this, level = QString::fromLatin1(level)] {
            setBotLevelItem(level);
            saveinifile();
        });
    }
    setBotLevelItem(m_botLevel);
    options->addSeparator();
    QAction* textColor = item(options, QStringLiteral("Text Color"), "TextColor1");
    connect(textColor, &QAction::triggered, this, [this] {
        const QColor c = QColorDialog::getColor(bgrColour(m_chatColour), this, QStringLiteral("Text Color"));
        if (!c.isValid()) return;
        setChatColour(toBgr(c));
        saveinifile();
    });
    QMenu* textSize = options->addMenu(QStringLiteral("Text Size"));
    for (int size : {8, 10, 12, 14}) {
        QAction* a = item(textSize, QString::number(size), "", true);
        a->setObjectName(QStringLiteral("N%1").arg(size));
        m_textSizeItems.append(a);
        connect(a, &QAction::triggered, this, [this, size] {
            setTextSize(size);
            saveinifile();
        });
    }
    m_deckMenu = options->addMenu(QStringLiteral("Card Deck"));
    m_deckMenu->setObjectName("CardDeck1");
    auto* deckGroup = new QActionGroup(this);
    // Every deck the cards can be drawn with: the one drawn in code, then the installed ones.
    QList<art::DeckInfo> decks{art::DeckInfo{QString::fromLatin1(art::DeckCatalog::PaintedDeckId), QStringLiteral("Classic"), {}}};
    decks += art::DeckCatalog().decks();
    for (const art::DeckInfo& deck : decks) {
        QAction* a = item(m_deckMenu, deck.name, "", true);
        a->setData(deck.id);
        deckGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, id = deck.id] {
            setCardDeck(id);
            saveinifile();
        });
    }
    const QString current = currentDeckId();
    for (QAction* a : m_deckMenu->actions()) a->setChecked(a->data().toString() == current);
    QAction* reset = item(options, QStringLiteral("Reset Screen Location"), "ResetScreenLocation1");
    connect(reset, &QAction::triggered, this, [this] { setOuterBounds(QRect(DefaultLeft, DefaultTop, DefaultWidth, DefaultHeight)); });
    options->addSeparator();
    options->addAction(m_chatView->scrollOffAction());
    m_chatView->scrollOffAction()->setObjectName("ScrollOff1");
    options->addAction(m_chatView->clearAction());
    options->addSeparator();
    m_justWatch = item(options, QStringLiteral("Just Watch"), "JustWatch1", true);
    connect(m_justWatch, &QAction::triggered, this, [this] {
        m_model.toggleJustWatch();
        // The check mark changes only when the host's answer arrives.
        m_justWatch->setChecked(m_model.state().justWatch);
    });

    m_viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    m_helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));

    m_seatMenu = new QMenu(this);
    m_seatMenu->setObjectName("popup_kick");
    QAction* remove = item(m_seatMenu, QStringLiteral("Remove From Game"), "RemoveFromGame1");
    QAction* setWatch = item(m_seatMenu, QStringLiteral("Set to Just Watch"), "SettojustWatch1");
    QAction* unsetWatch = item(m_seatMenu, QStringLiteral("Unset Just Watch"), "UnsetJustWatch1");
    connect(remove, &QAction::triggered, this, [this] { m_model.kicking(m_popupSeat); });
    connect(setWatch, &QAction::triggered, this, [this] { m_model.setJustWatchFor(m_popupSeat); });
    connect(unsetWatch, &QAction::triggered, this, [this] { m_model.unsetJustWatchFor(m_popupSeat); });
    buildZoomMenu();
}

void Tchat::setBotSpeedItem(int ms)
{
    for (QAction* a : m_botSpeedItems) a->setChecked(a->data().toInt() == ms);
    if (ms == m_botSpeed) return;
    m_botSpeed = ms;
    emit botSpeedChanged(ms);
}

void Tchat::setBotLevelItem(const QString& level)
{
    const QString chosen = settings::TableSettings::botLevelFromText(level);
    for (QAction* a : m_botLevelItems) a->setChecked(a->data().toString() == chosen);
    if (chosen != m_botLevel) {
        m_botLevel = chosen;
        emit botLevelChanged(chosen);
    }
    // The game start dialog shows the level the next game will be played at.
    QString caption = m_botLevel;
    caption[0] = caption[0].toUpper();
    m_startDialog.setBotLevelCaption(caption);
}

void Tchat::setTextSize(int points)
{
    m_model.chat().setTextSize(points);
    // A size without its menu item sets the size only.
    for (QAction* a : m_textSizeItems) a->setChecked(a->objectName() == QStringLiteral("N%1").arg(points));
}

void Tchat::setChatColour(quint32 colour)
{
    m_chatColour = colour;
    QPalette p = m_entry->palette();
    p.setColor(QPalette::Text, bgrColour(colour));
    m_entry->setPalette(p);
}

QString Tchat::currentDeckId() const
{
    const art::DeckCatalog catalog;
    if (m_deckId == QLatin1String(art::DeckCatalog::PaintedDeckId) || catalog.find(m_deckId)) return m_deckId;
    const QString fallback = catalog.defaultDeckId();
    return fallback.isEmpty() ? QString::fromLatin1(art::DeckCatalog::PaintedDeckId) : fallback;
}

void Tchat::setCardDeck(const QString& id)
{
    m_deckId = id;
    const QString current = currentDeckId();
    for (QAction* a : m_deckMenu->actions()) a->setChecked(a->data().toString() == current);
    m_artRatio = 0; // draw every picture again with the new deck
    screenChanged();
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
}

void Tchat::loadinifile()
{
    settings::TableSettings& s = m_settings;
    s.loadFrom(settingsPath());
    m_settingsLoaded = true;
    // The zoom first: it sizes the window, and the saved bounds are those of the zoomed window.
    setZoom(fittingZoom(s.zoom));
    setOuterBounds(QRect(s.left, s.top, s.width, s.height));
    m_lastBounds = QRect(s.left, s.top, s.width, s.height);
    setTextSize(s.textSize);
    setChatColour(s.textColor);
    for (int n = 1; n <= 9; ++n)
        if (!s.phrases[std::size_t(n - 1)].isEmpty()) m_phrase[std::size_t(n)]->setToolTip(s.phrases[std::size_t(n - 1)]);
    setBotSpeedItem(s.botSpeed);
    setBotLevelItem(s.botLevel);
    m_playSounds->setChecked(s.playSounds);
    m_sounds.setPlaySounds(s.playSounds);
    m_model.setManualSort(s.manualSort);
    m_startDialog.setPickUpCount(s.pickup);
    m_startDialog.checkimage(s.gameType == "r" ? "image_game4" : s.gameType == "3" ? "image_game3"
                             : s.gameType == "5" ? "image_game2" : "image_game1");
    m_startDialog.theyclicked(QStringLiteral("image_bots"), s.noBots ? 1 : 0);
    m_startDialog.theyclicked(QStringLiteral("image_discard"), s.pickupDiscard ? 1 : 0);
    m_model.setTurnSound(s.turnSound);
    (s.turnSound == 1 ? m_new : m_classic)->setChecked(true);
    m_playChatter->setChecked(s.chatterSounds);
    m_sounds.setPlayChatterSounds(s.chatterSounds);
    m_model.setChatterSounds(s.chatterSounds);
    if (s.cardDeck != m_deckId && !s.cardDeck.isEmpty()) setCardDeck(s.cardDeck);
    for (QAction* a : m_deckMenu->actions()) a->setChecked(a->data().toString() == currentDeckId());
    sync();
}

void Tchat::saveinifile() { saveinifile(outerBounds()); }

void Tchat::saveinifile(const QRect& r)
{
    settings::TableSettings& s = m_settings;
    s.textSize = m_model.chat().textSize();
    s.top = r.top();
    s.left = r.left();
    s.width = r.width();
    s.height = r.height();
    s.textColor = m_chatColour;
    s.botSpeed = m_botSpeed;
    s.botLevel = m_botLevel;
    s.playSounds = m_playSounds->isChecked();
    s.manualSort = m_model.state().manualSort;
    s.pickup = m_startDialog.pickUpCount();
    s.gameType = QString::fromLatin1(m_startDialog.lengthCode());
    s.noBots = m_startDialog.twoPlayer();
    s.pickupDiscard = m_startDialog.pickUp();
    s.turnSound = m_new->isChecked() ? 1 : 0;
    s.chatterSounds = m_playChatter->isChecked();
    s.cardDeck = m_deckId;
    s.zoom = m_zoomPercent;
    s.saveTo(settingsPath());
}

void Tchat::closeEvent(QCloseEvent* event)
{
    m_leaving = true;
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
