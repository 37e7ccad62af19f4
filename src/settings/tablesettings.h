// TableSettings: the table window's keys of the settings file, section "quornet".
//
// The values as they are after reading the file (every key's default when the file or the key
// is missing or its value cannot be read) and as they are written. The table window copies
// them into its menus, chat and game start dialog after its own login and writes them back
// after every change.
//
//   IniFile file(SettingsLocation::filePath());
//   file.load();
//   TableSettings s;
//   s.load(file);            // apply s.* to the window
//   ...                      // a menu change: update s, then
//   file.load();             // fresh copy: keeps what other programs wrote meanwhile
//   s.save(file);
//   file.save();
//
// or simply s.loadFrom(path) / s.saveTo(path) / s.savePhrasesTo(path).
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>

namespace quornet::settings {

class IniFile;

class TableSettings {
public:
    static constexpr int PhraseCount = 9;
    static constexpr int BotSpeedSlow = 1000;
    static constexpr int BotSpeedNormal = 750;
    static constexpr int BotSpeedFast = 500;
    static constexpr int MinTextSize = 1;
    static constexpr int MaxTextSize = 72;

    int textSize = 8; // Textsize: size of all 15 chat text styles
    int top = 3;      // Top, Left, Width, Height: the window's bounds
    int left = 3;
    int width = 798;
    int height = 572;
    quint32 textColor = 0x000000;             // Textcolor: chat colour, 0x00BBGGRR (clBlack)
    std::array<QString, PhraseCount> phrases; // Phrase1..9: empty keeps the built-in phrase
    int botSpeed = BotSpeedNormal;            // Botspeed: 1000, 750 or 500 ms
    bool playSounds = true;                   // Playsounds
    bool manualSort = true;                   // Manualsort
    int pickup = 1;                           // Pickup: pick-up count 1..7
    QString gameType = QStringLiteral("f");   // Gametype: "r", "3", "5" or "f"
    bool noBots = false;                      // Nobots: 2 Player Game
    bool pickupDiscard = true;                // Pickupdiscard
    int turnSound = 0;                        // Turnsound: 0 Classic, 1 New
    bool chatterSounds = true;                // ChatterSounds: Play Chatter Sounds
    QString cardDeck;                         // Carddeck: the chosen SVG card deck, empty: default
    int zoom = 100;                           // Zoom: the table window's scale, 100, 125, 150 or 200 %
    QString botLevel = QStringLiteral("classic"); // Botlevel: the computer players' level
    bool showLobby = true;                    // Showlobby: the lobby download window at a solo start

    static QString sectionName(); // "quornet"
    // The keys save() writes, in the order it writes them (Phrase1..9 are savePhrases()').
    static QStringList keyOrder();
    static QStringList phraseKeys();

    // Reads every key of the section with its reading rule; missing keys and values that cannot
    // be read give the key's default.
    void load(const IniFile& file);
    // Writes every key of keyOrder() except the phrases. Textcolor is left out when the colour
    // cannot be written as a colour text that reads back as the same colour.
    void save(IniFile& file) const;
    // Writes Phrase1..9 (the phrase editor's Done).
    void savePhrases(IniFile& file) const;

    // The same on a file: read it, or read it afresh, change our keys and write it back.
    // False when the file cannot be read or written (the values are then the defaults or
    // unchanged, and the file is untouched).
    bool loadFrom(const QString& path);
    bool saveTo(const QString& path) const;
    bool savePhrasesTo(const QString& path) const;

    bool operator==(const TableSettings& other) const = default;

    // Value rules, shared with the window for values it sets itself.
    static int botSpeedFromText(const QString& text);
    static QString gameTypeFromText(const QString& text);
    static int pickupFromInt(int pickup);
    static int zoomFromText(const QString& text);
    // "strong" and "expert" as written; anything else reads as "classic".
    static QString botLevelFromText(const QString& text);
    // Writes Showlobby alone (the lobby window's check box, which may change before the login
    // has read the other keys). False when the file cannot be written.
    static bool saveShowLobbyTo(const QString& path, bool show);
};

} // namespace quornet::settings
