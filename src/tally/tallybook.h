// The tally list's content and rules, without any widget: the counts of finished games for the
// local player and for every player being tallied, and the tally file "quornettally.tld".
//
// Grid row 0 is the local player's own tally: column 1 total games, column 2 total wins.
// Row i + 1 belongs to tallied player i (the entry i of "Players Being Tallied"):
//   0 name, 1 games together, 2 games that player won without the local player,
//   3 games the local player won without that player, 4 games won together as a team;
//   5..8 the same four counts for the current session (zeroed whenever the file is loaded).
//
// The window owns one TallyBook: load() when it is created (show a returned error text to the
// user), addgame() when a game ends with winners, save() when the program ends.
#pragma once

#include "tally/tallygrid.h"

#include <QString>
#include <QStringList>

namespace quornet::tally
{

class TallyBook
{
public:
    static inline const QString FileName = QStringLiteral("quornettally.tld");
    static inline const QString BadSuffix = QStringLiteral(".bad");
    static inline const QString WaitingName = QStringLiteral("<Waiting>");
    static inline const QString NoWinner = QStringLiteral("No One");
    // A tally text is a few kilobytes; anything this large is not one.
    static constexpr qint64 MaxTextSize = 4 * 1024 * 1024;

    // The tally file lives in folder (created on save when missing).
    explicit TallyBook(const QString& folder = defaultFolder());

    // Beside the program file when that folder is writable and not below /usr, otherwise the
    // user's data folder.
    static QString defaultFolder();
    static QString folderFor(const QString& programFolder);

    QString folder() const { return m_folder; }
    QString filePath() const;
    QString badFilePath() const { return filePath() + BadSuffix; }

    // The player name given at start-up.
    void setLocalPlayer(const QString& name) { m_localPlayer = name; }
    QString localPlayer() const { return m_localPlayer; }

    const TallyGrid& grid() const { return m_grid; }
    // Row 0: "Total Games" and "Your Wins".
    QString totalGames() const { return m_grid.cell(0, 1); }
    QString myWins() const { return m_grid.cell(0, 2); }

    // "Players Being Tallied", in list order.
    QStringList tallied() const;
    int indexOf(const QString& name) const; // -1 when not tallied
    bool isTallied(const QString& name) const { return indexOf(name) >= 0; }
    // Column 1..8 of tallied player index (what label_1 .. label_8 show).
    QString playerCount(int index, int column) const;

    // Appends the player with every count 0. False (nothing changes) for a name already
    // tallied or an empty name.
    bool startTallying(const QString& name);
    // Removes tallied player index after the window's confirmation. False for a bad index.
    bool stopTallying(int index);
    // After the window's confirmation: every count 0 and nobody tallied.
    void reset();

    // "Players In Current Game": the names on seats 1..4 in order (seatNames[0] is seat 1),
    // leaving out the own seat, seats showing "<Waiting>" and empty names.
    static QStringList playersAtTable(const QStringList& seatNames, int ownSeat);
    // Case-sensitive substring test; an empty name occurs nowhere.
    static bool occursIn(const QString& name, const QString& winners);

    // Counts a finished game with the winners text of CMD_winner ("Ann and Bob") and the
    // players at the table (playersAtTable()). A tie ("No One") counts nothing: returns false.
    bool addgame(const QString& winners, const QStringList& playersAtTable);

    // Reads the tally file. Returns the error text to show the user, empty when the file was
    // read or there is none. On an error the tally starts empty and the unreadable file is kept
    // as "quornettally.tld.bad" when the new tally is first saved.
    QString load();
    // Writes the tally file (an unreadable old one is first kept as the .bad copy). Returns the
    // error text, empty on success; the window ignores it at shut-down.
    QString save();
    bool keepsUnreadableFile() const { return m_unreadable; }

private:
    void increment(int row, int column);
    static bool validCount(const QString& text);
    QString readFile(TallyGrid& grid) const;

    QString m_folder;
    QString m_localPlayer;
    TallyGrid m_grid;
    bool m_unreadable = false;
};

} // namespace quornet::tally
