// The Options menu of the table window: sounds, turn sound, manual sort, the computer players'
// pace and level, text colour and size, card deck, screen location, the chat's scroll and
// clear items, and Just Watch. What concerns the model and the sounds it sets itself; the rest it
// reports. Every change the player makes is followed by changed(), for the settings file.
#pragma once

#include <QMenu>

class QAction;

namespace quornet::settings {
struct TableSettings;
}

namespace quornet::table {

class ChatView;
class SoundPlayer;
class TableModel;

class OptionsMenu : public QMenu {
    Q_OBJECT
public:
    OptionsMenu(TableModel& model, SoundPlayer& sounds, ChatView* chatView, QWidget* parent);

    // The computer players' pace in milliseconds and level ("classic", "strong" or "expert").
    int botSpeed() const { return m_botSpeed; }
    QString botLevel() const { return m_botLevel; }
    // The chosen card deck (empty: the default).
    QString deckId() const { return m_deckId; }
    // The deck the cards are drawn with: the chosen one while it is installed, else the default.
    QString shownDeckId() const;
    void setDeck(const QString& id);

    // The menu's part of the settings file.
    void load(const settings::TableSettings& s);
    void save(settings::TableSettings& s) const;

public slots:
    void sync();

signals:
    void changed();
    void botSpeedChanged(int ms);
    void botLevelChanged(const QString& level);
    void textColourWanted();
    void deckChosen(const QString& id);
    void resetLocationWanted();

private:
    QAction* item(QMenu* menu, const QString& caption, const char* name, bool checkable = false);
    void buildSounds();
    void buildComputerPlayers();
    void buildText();
    void buildDecks();
    void setBotSpeed(int ms);
    void setBotLevel(const QString& level);
    void setTextSize(int points);

    TableModel& m_model;
    SoundPlayer& m_sounds;
    int m_botSpeed = 1000;
    QString m_botLevel = QStringLiteral("classic");
    QString m_deckId;
    QAction* m_playSounds = nullptr;
    QAction* m_playChatter = nullptr;
    QAction* m_classic = nullptr;
    QAction* m_new = nullptr;
    QAction* m_manualSort = nullptr;
    QAction* m_justWatch = nullptr;
    QList<QAction*> m_botSpeedItems;
    QList<QAction*> m_botLevelItems;
    QList<QAction*> m_textSizeItems;
    QMenu* m_deckMenu = nullptr;
};

} // namespace quornet::table
