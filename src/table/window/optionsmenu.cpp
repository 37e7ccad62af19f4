#include "table/window/optionsmenu.h"

#include "art/deckcatalog.h"
#include "settings/tablesettings.h"
#include "table/core/tablemodel.h"
#include "table/sound/soundplayer.h"
#include "table/window/chatview.h"

#include <QActionGroup>

namespace quornet::table {

OptionsMenu::OptionsMenu(TableModel& model, SoundPlayer& sounds, ChatView* chatView, QWidget* parent)
    : QMenu(QStringLiteral("&Options"), parent), m_model(model), m_sounds(sounds)
{
    buildSounds();
    m_manualSort = item(this, QStringLiteral("Manual Sort"), "ManualSort1", true);
    connect(m_manualSort, &QAction::triggered, this, [this] {
        m_model.setManualSort(!m_model.state().manualSort);
        emit changed();
    });
    buildComputerPlayers();
    addSeparator();
    buildText();
    buildDecks();
    QAction* reset = item(this, QStringLiteral("Reset Screen Location"), "ResetScreenLocation1");
    connect(reset, &QAction::triggered, this, &OptionsMenu::resetLocationWanted);
    addSeparator();
    addAction(chatView->scrollOffAction());
    chatView->scrollOffAction()->setObjectName("ScrollOff1");
    addAction(chatView->clearAction());
    addSeparator();
    m_justWatch = item(this, QStringLiteral("Just Watch"), "JustWatch1", true);
    connect(m_justWatch, &QAction::triggered, this, [this] {
        m_model.toggleJustWatch();
        // The check mark changes only when the host's answer arrives.
        m_justWatch->setChecked(m_model.state().justWatch);
    });
    connect(&m_model, &TableModel::changed, this, &OptionsMenu::sync);
}

QAction* OptionsMenu::item(QMenu* menu, const QString& caption, const char* name, bool checkable)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(checkable);
    return a;
}

void OptionsMenu::buildSounds()
{
    m_playSounds = item(this, QStringLiteral("Play Sounds"), "PlaySounds1", true);
    m_playSounds->setChecked(true);
    connect(m_playSounds, &QAction::triggered, this, [this](bool on) {
        m_sounds.setPlaySounds(on);
        emit changed();
    });
    m_playChatter = item(this, QStringLiteral("Play Chatter Sounds"), "PlayChatterSounds1", true);
    connect(m_playChatter, &QAction::triggered, this, [this](bool on) {
        m_sounds.setPlayChatterSounds(on);
        m_model.setChatterSounds(on);
        emit changed();
    });
    QMenu* turnSound = addMenu(QStringLiteral("Turn Sound"));
    auto* turnGroup = new QActionGroup(this);
    m_classic = item(turnSound, QStringLiteral("Classic"), "Classic1", true);
    m_new = item(turnSound, QStringLiteral("New"), "New1", true);
    m_classic->setChecked(true);
    for (QAction* a : {m_classic, m_new}) {
        turnGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, a] {
            m_model.setTurnSound(a == m_new ? 1 : 0);
            emit changed();
        });
    }
}

void OptionsMenu::buildComputerPlayers()
{
    QMenu* botSpeed = addMenu(QStringLiteral("Bot Speed"));
    const std::pair<const char*, int> speeds[] = {{"Slow", 1000}, {"Normal", 750}, {"Fast", 500}};
    for (const auto& [caption, ms] : speeds) {
        QAction* a = item(botSpeed, QString::fromLatin1(caption), "", true);
        a->setObjectName(QString::fromLatin1(caption) + '1');
        a->setData(ms);
        m_botSpeedItems.append(a);
        connect(a, &QAction::triggered, this, [this, ms = ms] {
            setBotSpeed(ms);
            emit changed();
        });
    }
    // The level of the host's computer players, from the next game start on.
    QMenu* botLevel = addMenu(QStringLiteral("Computer Players"));
    botLevel->setObjectName("ComputerPlayers1");
    auto* levelGroup = new QActionGroup(this);
    const std::pair<const char*, const char*> levels[] = {{"Classic", "classic"}, {"Strong", "strong"}, {"Expert", "expert"}};
    for (const auto& [caption, level] : levels) {
        QAction* a = item(botLevel, QString::fromLatin1(caption), "", true);
        a->setObjectName(QStringLiteral("Level") + QString::fromLatin1(caption) + '1');
        a->setData(QString::fromLatin1(level));
        a->setChecked(a->data().toString() == m_botLevel);
        levelGroup->addAction(a);
        m_botLevelItems.append(a);
        connect(a, &QAction::triggered, this, [this, level = QString::fromLatin1(level)] {
            setBotLevel(level);
            emit changed();
        });
    }
}

void OptionsMenu::buildText()
{
    QAction* textColor = item(this, QStringLiteral("Text Color"), "TextColor1");
    connect(textColor, &QAction::triggered, this, &OptionsMenu::textColourWanted);
    QMenu* textSize = addMenu(QStringLiteral("Text Size"));
    for (int size : {8, 10, 12, 14}) {
        QAction* a = item(textSize, QString::number(size), "", true);
        a->setObjectName(QStringLiteral("N%1").arg(size));
        m_textSizeItems.append(a);
        connect(a, &QAction::triggered, this, [this, size] {
            setTextSize(size);
            emit changed();
        });
    }
}

void OptionsMenu::buildDecks()
{
    m_deckMenu = addMenu(QStringLiteral("Card Deck"));
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
            emit deckChosen(id);
            emit changed();
        });
    }
    setDeck(m_deckId);
}

QString OptionsMenu::shownDeckId() const
{
    const art::DeckCatalog catalog;
    if (m_deckId == QLatin1String(art::DeckCatalog::PaintedDeckId) || catalog.find(m_deckId)) return m_deckId;
    const QString fallback = catalog.defaultDeckId();
    return fallback.isEmpty() ? QString::fromLatin1(art::DeckCatalog::PaintedDeckId) : fallback;
}

void OptionsMenu::setDeck(const QString& id)
{
    m_deckId = id;
    const QString shown = shownDeckId();
    for (QAction* a : m_deckMenu->actions()) a->setChecked(a->data().toString() == shown);
}

void OptionsMenu::setBotSpeed(int ms)
{
    for (QAction* a : m_botSpeedItems) a->setChecked(a->data().toInt() == ms);
    if (ms == m_botSpeed) return;
    m_botSpeed = ms;
    emit botSpeedChanged(ms);
}

void OptionsMenu::setBotLevel(const QString& level)
{
    const QString chosen = settings::TableSettings::botLevelFromText(level);
    for (QAction* a : m_botLevelItems) a->setChecked(a->data().toString() == chosen);
    if (chosen == m_botLevel) return;
    m_botLevel = chosen;
    emit botLevelChanged(chosen);
}

void OptionsMenu::setTextSize(int points)
{
    m_model.chat().setTextSize(points);
    // A size without its menu item sets the size only.
    for (QAction* a : m_textSizeItems) a->setChecked(a->objectName() == QStringLiteral("N%1").arg(points));
}

void OptionsMenu::sync()
{
    const TableState& s = m_model.state();
    m_justWatch->setChecked(s.justWatch);
    m_manualSort->setChecked(s.manualSort);
}

void OptionsMenu::load(const settings::TableSettings& s)
{
    setTextSize(s.textSize);
    setBotSpeed(s.botSpeed);
    setBotLevel(s.botLevel);
    m_playSounds->setChecked(s.playSounds);
    m_sounds.setPlaySounds(s.playSounds);
    m_model.setManualSort(s.manualSort);
    m_model.setTurnSound(s.turnSound);
    (s.turnSound == 1 ? m_new : m_classic)->setChecked(true);
    m_playChatter->setChecked(s.chatterSounds);
    m_sounds.setPlayChatterSounds(s.chatterSounds);
    m_model.setChatterSounds(s.chatterSounds);
}

void OptionsMenu::save(settings::TableSettings& s) const
{
    s.textSize = m_model.chat().textSize();
    s.botSpeed = m_botSpeed;
    s.botLevel = m_botLevel;
    s.playSounds = m_playSounds->isChecked();
    s.manualSort = m_model.state().manualSort;
    s.turnSound = m_new->isChecked() ? 1 : 0;
    s.chatterSounds = m_playChatter->isChecked();
    s.cardDeck = m_deckId;
}

} // namespace quornet::table
